// Coordinate systems of the drawing: world, the user's (UCSORG, UCSXDIR, UCSYDIR), display (the
// plan view of the user's, so the same as it here) and an object's own system from its extrusion
// direction by the arbitrary-axis rule.
#pragma once

#include "../sdk/db/OdGePoint3d.h"

struct TqFrame {
    OdGePoint3d origin;
    OdGePoint3d x{1, 0, 0};
    OdGePoint3d y{0, 1, 0};
    OdGePoint3d z{0, 0, 1};

    // World coordinates of a point given in this frame (a vector when displacement is set).
    OdGePoint3d toWorld(const OdGePoint3d& p, bool displacement) const;
    OdGePoint3d fromWorld(const OdGePoint3d& p, bool displacement) const;
};

// The object coordinate system of an extrusion direction.
TqFrame TqObjectFrame(const OdGePoint3d& normal);
// The user coordinate system from its origin and axis directions.
TqFrame TqUserFrame(const OdGePoint3d& origin, const OdGePoint3d& xAxis, const OdGePoint3d& yAxis);
