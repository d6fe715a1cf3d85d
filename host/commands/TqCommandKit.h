// What the host's drawing commands share: their prompts through the host's input services, new
// objects through the entity services, object selection, and moving points of objects.
#pragma once

#include "host/CTqLispServices.h"
#include "../sdk/db/OdDbObjectId.h"
#include "../sdk/db/OdDbTag.h"
#include "../sdk/db/OdGePoint3d.h"

#include <QString>

#include <functional>
#include <vector>

class OdDbDatabase;

namespace TqCommandKit {

CTqLispServices* Services();
OdDbDatabase* Database();

// A point, or tq::kNone for Enter, or tq::kKeyword (the keyword in `keyword`).
short Point(const QString& prompt, const OdGePoint3d* base, OdGePoint3d& point, const QString& keywords = {},
            QString* keyword = nullptr);
short Distance(const QString& prompt, const OdGePoint3d* base, double& distance, const QString& keywords = {},
               QString* keyword = nullptr);
short Angle(const QString& prompt, const OdGePoint3d* base, double& angle);
short Text(const QString& prompt, bool spaces, QString& text);
short Keyword(const QString& prompt, const QString& keywords, QString& keyword);

// Makes an object from its group codes (0 first) in the current space; the new id or null.
OdDbObjectId Make(const OdDbTagList& tags);
// Objects the user selects (Enter ends); tq::kCancel when cancelled.
short SelectObjects(std::vector<OdDbObjectId>& objects);
// Applies `map` to the points an object places in the drawing (not its direction vectors),
// sub-entities included.
void MapPoints(OdDbObjectId object, const std::function<OdGePoint3d(const OdGePoint3d&)>& map);
// Rotates an object about a point by an angle and scales it by a factor about the same point:
// its points, and the angles, radii, heights and scale factors that go with them.
void RotateAndScale(OdDbObjectId object, const OdGePoint3d& base, double angle, double factor);
// A copy of an object (with its vertices or attributes) in the same space.
OdDbObjectId Copy(OdDbObjectId object);
// Prints a line of the command's own, on a line of its own.
void Say(const QString& text);

}  // namespace TqCommandKit
