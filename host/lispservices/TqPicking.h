// Picking objects at a point, as a user does with the pointer: the nearest object of model space
// within the pick distance, 1% of the drawing's size (at least 1e-6 units).
#pragma once

#include "../sdk/db/OdDbObjectId.h"
#include "../sdk/db/OdGePoint3d.h"

#include <QString>

#include <vector>

class OdDbDatabase;

OdDbObjectId TqPickNearest(const OdDbDatabase& database, const OdGePoint3d& point);
// The pick distance of the drawing: 1% of the size of model space's extents, at least 1e-6.
double TqPickAperture(const OdDbDatabase& database);
// The candidate nearest to the point within the aperture; null when none is that close.
OdDbObjectId TqNearestOf(const std::vector<OdDbObjectId>& candidates, const OdGePoint3d& point, double aperture);
// Distance in the XY plane from the point to what the object draws; a large value for objects
// that draw nothing there.
double TqDistanceToEntity(OdDbObjectId entity, const OdGePoint3d& point);
// The live entity a typed handle names ("1F"); null for anything else.
OdDbObjectId TqEntityFromHandleText(const OdDbDatabase& database, const QString& text);
// "x,y" or "x,y,z" with reals in either notation; false for anything else.
bool TqParsePoint(const QString& text, OdGePoint3d& point);
