// ERASE, MOVE and COPY.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbObject.h"

namespace TqModifyCommands {

using namespace TqCommandKit;

namespace {

// The objects and, after them, a base point and a second point; false when the user stopped.
short Displacement(std::vector<OdDbObjectId>& objects, OdGePoint3d& base)
{
    short status = SelectObjects(objects);
    if (status != tq::kNormal)
        return status;
    if (objects.empty())
        return tq::kNone;
    status = TqCommandKit::Point(QStringLiteral("\nSpecify base point: "), nullptr, base);
    return status;
}

}  // namespace

short Erase()
{
    std::vector<OdDbObjectId> objects;
    const short status = SelectObjects(objects);
    if (status != tq::kNormal)
        return status;
    for (OdDbObjectId id : objects) {
        if (OdDbObject* object = id.object())
            object->erase();
    }
    return tq::kNormal;
}

short Move()
{
    std::vector<OdDbObjectId> objects;
    OdGePoint3d base;
    short status = Displacement(objects, base);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    OdGePoint3d to;
    status = TqCommandKit::Point(QStringLiteral("\nSpecify second point or <use first point as displacement>: "), &base, to);
    if (status == tq::kNone) {
        to = {base.x * 2, base.y * 2, base.z * 2};
        status = tq::kNormal;
    }
    if (status != tq::kNormal)
        return status;
    const OdGePoint3d d{to.x - base.x, to.y - base.y, to.z - base.z};
    for (OdDbObjectId id : objects)
        MapPoints(id, [&](const OdGePoint3d& p) { return OdGePoint3d{p.x + d.x, p.y + d.y, p.z + d.z}; });
    return tq::kNormal;
}

short Copy()
{
    std::vector<OdDbObjectId> objects;
    OdGePoint3d base;
    short status = Displacement(objects, base);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    // One copy per second point, until Enter.
    for (;;) {
        OdGePoint3d to;
        status = TqCommandKit::Point(QStringLiteral("\nSpecify second point or <exit>: "), &base, to);
        if (status == tq::kNone)
            return tq::kNormal;
        if (status != tq::kNormal)
            return status;
        const OdGePoint3d d{to.x - base.x, to.y - base.y, to.z - base.z};
        for (OdDbObjectId id : objects) {
            const OdDbObjectId copy = TqCommandKit::Copy(id);
            MapPoints(copy, [&](const OdGePoint3d& p) { return OdGePoint3d{p.x + d.x, p.y + d.y, p.z + d.z}; });
        }
    }
}

}  // namespace TqModifyCommands
