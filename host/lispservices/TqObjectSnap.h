// Object snaps: the characteristic points of objects near a point. Modes are given by their
// usual three-letter names, comma-separated: END, MID, CEN, NOD, QUA, INT, INS, NEA (PER and TAN,
// which need a point to come from, are taken as NEA); "_" in front is allowed.
#pragma once

#include "../sdk/db/OdGePoint3d.h"

#include <QString>

class OdDbDatabase;

// The snap point nearest `point` of the objects of model space that lie within `aperture` of it;
// false when no such object has one.
bool TqSnap(const OdDbDatabase& database, const OdGePoint3d& point, const QString& modes, double aperture, OdGePoint3d& snapped);
