// Plane geometry of drawing objects for picking and window selection: the transform of a block
// reference and the extents of an object. References are taken as lying in the XY plane
// (extrusion 0,0,1), which is how programs make them.
#pragma once

#include "../sdk/db/OdDbObjectId.h"
#include "../sdk/db/OdGePoint3d.h"

#include "../sdk/db/OdDbTag.h"

#include <vector>

// The vertices of a light-weight polyline's group codes and whether it is closed.
std::vector<OdGePoint3d> TqPolylineVertices(const OdDbTagList& tags, bool& closed);

// Row-major 4x4 transform; the translation is in the last column.
struct TqMatrix {
    double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    OdGePoint3d apply(const OdGePoint3d& p) const;
    TqMatrix operator*(const TqMatrix& other) const;
    // The inverse of a transform made of translations, rotations about Z and non-zero scales.
    TqMatrix inverse() const;
};

// Block coordinates to the coordinates the reference stands in: move the block's base point to
// the origin, scale, rotate, move to the insertion point.
TqMatrix TqReferenceTransform(OdDbObjectId reference);

struct TqExtents {
    OdGePoint3d min;
    OdGePoint3d max;
    bool valid = false;
    void add(const OdGePoint3d& p);
};

// What the object covers in the XY plane: lines and polylines by their vertices, circles and
// arcs by their circle, text by its height and an average character width of 0.6 heights (its
// rotation applied), block references by the extents of their block's objects transformed; other
// objects by the points that define them. depth bounds nested references.
TqExtents TqExtentsOf(OdDbObjectId entity, int depth = 0);
