// Picking objects at a point.
#include "TqPicking.h"

#include "TqGeometry.h"
#include "../sdk/db/OdDbBlockReference.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbEntity.h"
#include "../sdk/db/OdDbObject.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kFar = std::numeric_limits<double>::max();

double distanceToSegment(const OdGePoint3d& p, const OdGePoint3d& a, const OdGePoint3d& b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

const OdDbTag* find(const OdDbTagList& tags, int code)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == code)
            return &tag;
    }
    return nullptr;
}

double distanceToArc(const OdGePoint3d& p, const OdDbTagList& tags, bool wholeCircle)
{
    const OdDbTag* center = find(tags, 10);
    const OdDbTag* radius = find(tags, 40);
    if (!center || !radius)
        return kFar;
    const OdGePoint3d c = center->point();
    const double r = radius->number();
    if (!wholeCircle) {
        const OdDbTag* start = find(tags, 50);
        const OdDbTag* end = find(tags, 51);
        const double twoPi = 2.0 * std::numbers::pi;
        double angle = std::atan2(p.y - c.y, p.x - c.x);
        const double from = start ? start->number() : 0.0;
        const double to = end ? end->number() : twoPi;
        const double span = std::fmod(std::fmod(to - from, twoPi) + twoPi, twoPi);
        angle = std::fmod(std::fmod(angle - from, twoPi) + twoPi, twoPi);
        if (angle > span) {
            const OdGePoint3d a{c.x + r * std::cos(from), c.y + r * std::sin(from), 0.0};
            const OdGePoint3d b{c.x + r * std::cos(to), c.y + r * std::sin(to), 0.0};
            return std::min(std::hypot(p.x - a.x, p.y - a.y), std::hypot(p.x - b.x, p.y - b.y));
        }
    }
    return std::fabs(std::hypot(p.x - c.x, p.y - c.y) - r);
}

}  // namespace

namespace {
double DistanceWithin(OdDbObjectId entity, const OdGePoint3d& point, int depth);
}  // namespace

double TqDistanceToEntity(OdDbObjectId entity, const OdGePoint3d& point)
{
    return DistanceWithin(entity, point, 0);
}

namespace {

double DistanceWithin(OdDbObjectId entity, const OdGePoint3d& point, int depth)
{
    const OdDbObject* object = entity.object();
    if (!object || object->isErased() || depth > 16)
        return kFar;
    const QString type = object->dxfName();
    if (type == QLatin1String("INSERT")) {
        // A reference is as near as the nearest object of its block, measured in the drawing.
        const auto* block = static_cast<const OdDbBlockReference*>(object)->blockTableRecord().openObject<OdDbBlockTableRecord>();
        const TqMatrix transform = TqReferenceTransform(entity);
        const OdGePoint3d local = transform.inverse().apply(point);
        const double scale = std::max(std::hypot(transform.m[0][0], transform.m[1][0]), 1e-12);
        double best = kFar;
        if (block) {
            for (OdDbObjectId inner : block->entityIds())
                best = std::min(best, DistanceWithin(inner, local, depth + 1));
        }
        return best == kFar ? best : best * scale;
    }
    const OdDbTagList tags = object->groupCodes();
    if (type == QLatin1String("LINE")) {
        const OdDbTag* a = find(tags, 10);
        const OdDbTag* b = find(tags, 11);
        return a && b ? distanceToSegment(point, a->point(), b->point()) : kFar;
    }
    if (type == QLatin1String("CIRCLE"))
        return distanceToArc(point, tags, true);
    if (type == QLatin1String("ARC"))
        return distanceToArc(point, tags, false);
    if (type == QLatin1String("LWPOLYLINE")) {
        bool closed = false;
        const std::vector<OdGePoint3d> vertices = TqPolylineVertices(tags, closed);
        double best = vertices.size() == 1 ? std::hypot(point.x - vertices[0].x, point.y - vertices[0].y) : kFar;
        for (std::size_t i = 1; i < vertices.size(); ++i)
            best = std::min(best, distanceToSegment(point, vertices[i - 1], vertices[i]));
        if (closed && vertices.size() > 2)
            best = std::min(best, distanceToSegment(point, vertices.back(), vertices.front()));
        return best;
    }
    // Everything else is found at the points that define it.
    double best = kFar;
    for (const OdDbTag& tag : tags) {
        if (tag.type() == OdDxfCode::Type::Point && tag.code() >= 10 && tag.code() <= 18)
            best = std::min(best, std::hypot(point.x - tag.point().x, point.y - tag.point().y));
    }
    return best;
}

}  // namespace

double TqPickAperture(const OdDbDatabase& database)
{
    TqExtents drawing;
    if (const auto* space = database.getModelSpaceId().openObject<OdDbBlockTableRecord>()) {
        for (OdDbObjectId id : space->entityIds()) {
            const TqExtents part = TqExtentsOf(id);
            if (part.valid) {
                drawing.add(part.min);
                drawing.add(part.max);
            }
        }
    }
    const double size = drawing.valid ? std::hypot(drawing.max.x - drawing.min.x, drawing.max.y - drawing.min.y) : 0.0;
    return std::max(1e-6, size * 0.01);
}

OdDbObjectId TqNearestOf(const std::vector<OdDbObjectId>& candidates, const OdGePoint3d& point, double aperture)
{
    OdDbObjectId nearest;
    double nearestDistance = kFar;
    for (OdDbObjectId id : candidates) {
        const double distance = TqDistanceToEntity(id, point);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = id;
        }
    }
    return nearestDistance <= aperture ? nearest : OdDbObjectId();
}

OdDbObjectId TqPickNearest(const OdDbDatabase& database, const OdGePoint3d& point)
{
    const auto* space = database.getModelSpaceId().openObject<OdDbBlockTableRecord>();
    if (!space)
        return {};
    return TqNearestOf(space->entityIds(), point, TqPickAperture(database));
}

OdDbObjectId TqEntityFromHandleText(const OdDbDatabase& database, const QString& text)
{
    OdDbHandle handle;
    const QString trimmed = text.trimmed();
    if (!OdDbHandle::parse(QStringView(trimmed), handle))
        return {};
    const OdDbObjectId id = database.getOdDbObjectId(handle);
    const auto* entity = id.openObject<OdDbEntity>();
    return entity ? id : OdDbObjectId();
}

bool TqParsePoint(const QString& text, OdGePoint3d& point)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(','));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    double values[3] = {0.0, 0.0, 0.0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok)
            return false;
    }
    point = {values[0], values[1], values[2]};
    return true;
}
