// ERASE, MOVE and COPY.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../lispservices/TqGeometry.h"
#include "../sdk/db/OdDbBlockReference.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbObject.h"

#include <cmath>

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

namespace {

// ROTATE and SCALE: the objects, a base point, then the angle or the factor about it.
short RotateOrScale(bool rotating)
{
    std::vector<OdDbObjectId> objects;
    OdGePoint3d base;
    short status = Displacement(objects, base);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    double amount = 0.0;
    status = rotating ? Angle(QStringLiteral("\nSpecify rotation angle: "), &base, amount)
                      : Distance(QStringLiteral("\nSpecify scale factor: "), &base, amount);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    if (!rotating && amount <= 0.0) {
        Say(QStringLiteral("Value must be positive and nonzero."));
        return tq::kNormal;
    }
    for (OdDbObjectId id : objects)
        RotateAndScale(id, base, rotating ? amount : 0.0, rotating ? 1.0 : amount);
    return tq::kNormal;
}

}  // namespace

short Rotate() { return RotateOrScale(true); }

short Scale() { return RotateOrScale(false); }

}  // namespace TqModifyCommands

namespace TqModifyCommands {

short Explode()
{
    std::vector<OdDbObjectId> objects;
    const short status = SelectObjects(objects);
    if (status != tq::kNormal)
        return status;
    for (OdDbObjectId id : objects) {
        OdDbObject* object = id.object();
        if (!object)
            continue;
        const QString type = object->dxfName();
        if (type == QLatin1String("INSERT")) {
            // Each object of the block becomes an object of the drawing where the reference shows it.
            const auto* reference = static_cast<const OdDbBlockReference*>(object);
            const auto* block = reference->blockTableRecord().openObject<OdDbBlockTableRecord>();
            if (!block)
                continue;
            const TqMatrix transform = TqReferenceTransform(id);
            const double factor = std::hypot(transform.m[0][0], transform.m[1][0]);
            for (OdDbObjectId inner : block->entityIds()) {
                const OdDbObjectId part = TqCommandKit::Copy(inner);
                if (part.isNull())
                    continue;
                MapPoints(part, [&](const OdGePoint3d& p) { return transform.apply(p); });
                // Angles, radii and heights follow the reference's rotation and (uniform) scale.
                if (factor != 1.0 || reference->rotation() != 0.0) {
                    OdDbObject* made = part.object();
                    OdDbTagList changed;
                    const QString partType = made->dxfName();
                    for (const OdDbTag& tag : made->groupCodes()) {
                        if (tag.code() == 40 && partType != QLatin1String("LWPOLYLINE"))
                            changed.push_back(OdDbTag::real(40, tag.number() * factor));
                        else if ((tag.code() == 50 || (tag.code() == 51 && partType == QLatin1String("ARC")))
                                 && partType != QLatin1String("POINT"))
                            changed.push_back(OdDbTag::real(tag.code(), tag.number() + reference->rotation()));
                    }
                    if (!changed.empty())
                        (void)made->setGroupCodes(changed);
                }
            }
            object->erase();
        } else if (type == QLatin1String("LWPOLYLINE")) {
            std::vector<OdGePoint3d> vertices;
            bool closed = false;
            QString layer = QStringLiteral("0");
            for (const OdDbTag& tag : object->groupCodes()) {
                if (tag.code() == 10)
                    vertices.push_back(tag.point());
                else if (tag.code() == 70)
                    closed = (tag.integer() & 1) != 0;
                else if (tag.code() == 8)
                    layer = tag.string();
            }
            for (std::size_t i = 1; i < vertices.size() + (closed && vertices.size() > 2 ? 1 : 0); ++i)
                (void)Make({OdDbTag::string(0, QStringLiteral("LINE")), OdDbTag::string(8, layer), OdDbTag::point(10, vertices[i - 1]),
                            OdDbTag::point(11, vertices[i % vertices.size()])});
            object->erase();
        } else {
            Say(QStringLiteral("%1 cannot be exploded.").arg(type));
        }
    }
    return tq::kNormal;
}

}  // namespace TqModifyCommands
