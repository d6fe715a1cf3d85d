// Object snaps.
#include "TqObjectSnap.h"

#include "TqPicking.h"

#include "TqGeometry.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbObject.h"

#include <QStringList>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

struct Segment {
    OdGePoint3d a;
    OdGePoint3d b;
};

struct Shape {
    std::vector<Segment> segments;
    std::vector<OdGePoint3d> ends;
    std::vector<OdGePoint3d> mids;
    std::vector<OdGePoint3d> centers;
    std::vector<OdGePoint3d> quadrants;
    std::vector<OdGePoint3d> nodes;
    std::vector<OdGePoint3d> inserts;
    // Circles and arcs for the nearest point: center, radius.
    std::vector<std::pair<OdGePoint3d, double>> circles;
};

OdGePoint3d mid(const OdGePoint3d& a, const OdGePoint3d& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2}; }

Shape shapeOf(const OdDbObject& object)
{
    Shape shape;
    const QString type = object.dxfName();
    const OdDbTagList tags = object.groupCodes();
    auto point = [&](int code) {
        for (const OdDbTag& tag : tags) {
            if (tag.code() == code)
                return tag.point();
        }
        return OdGePoint3d();
    };
    auto real = [&](int code) {
        for (const OdDbTag& tag : tags) {
            if (tag.code() == code)
                return tag.number();
        }
        return 0.0;
    };
    if (type == QLatin1String("LINE")) {
        const OdGePoint3d a = point(10), b = point(11);
        shape.segments.push_back({a, b});
        shape.ends = {a, b};
        shape.mids = {mid(a, b)};
    } else if (type == QLatin1String("LWPOLYLINE")) {
        bool closed = false;
        const std::vector<OdGePoint3d> vertices = TqPolylineVertices(tags, closed);
        shape.ends = vertices;
        for (std::size_t i = 1; i < vertices.size() + (closed ? 1 : 0); ++i) {
            const OdGePoint3d& a = vertices[i - 1];
            const OdGePoint3d& b = vertices[i % vertices.size()];
            shape.segments.push_back({a, b});
            shape.mids.push_back(mid(a, b));
        }
    } else if (type == QLatin1String("CIRCLE") || type == QLatin1String("ARC")) {
        const OdGePoint3d c = point(10);
        const double r = real(40);
        shape.centers = {c};
        shape.circles.emplace_back(c, r);
        if (type == QLatin1String("CIRCLE")) {
            shape.quadrants = {{c.x + r, c.y, c.z}, {c.x, c.y + r, c.z}, {c.x - r, c.y, c.z}, {c.x, c.y - r, c.z}};
        } else {
            const double from = real(50), to = real(51);
            double span = std::fmod(to - from, 2 * std::numbers::pi);
            if (span < 0)
                span += 2 * std::numbers::pi;
            shape.ends = {{c.x + r * std::cos(from), c.y + r * std::sin(from), c.z}, {c.x + r * std::cos(to), c.y + r * std::sin(to), c.z}};
            shape.mids = {{c.x + r * std::cos(from + span / 2), c.y + r * std::sin(from + span / 2), c.z}};
        }
    } else if (type == QLatin1String("POINT")) {
        shape.nodes = {point(10)};
    } else if (type == QLatin1String("TEXT") || type == QLatin1String("MTEXT") || type == QLatin1String("INSERT")) {
        shape.inserts = {point(10)};
    }
    return shape;
}

double distance(const OdGePoint3d& a, const OdGePoint3d& b) { return std::hypot(a.x - b.x, a.y - b.y); }

OdGePoint3d nearestOnSegment(const Segment& s, const OdGePoint3d& p)
{
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return {s.a.x + t * dx, s.a.y + t * dy, s.a.z + t * (s.b.z - s.a.z)};
}

bool crossing(const Segment& s, const Segment& t, OdGePoint3d& at)
{
    const double d = (s.b.x - s.a.x) * (t.b.y - t.a.y) - (s.b.y - s.a.y) * (t.b.x - t.a.x);
    if (d == 0.0)
        return false;
    const double u = ((t.a.x - s.a.x) * (t.b.y - t.a.y) - (t.a.y - s.a.y) * (t.b.x - t.a.x)) / d;
    const double v = ((t.a.x - s.a.x) * (s.b.y - s.a.y) - (t.a.y - s.a.y) * (s.b.x - s.a.x)) / d;
    if (u < 0 || u > 1 || v < 0 || v > 1)
        return false;
    at = {s.a.x + u * (s.b.x - s.a.x), s.a.y + u * (s.b.y - s.a.y), s.a.z};
    return true;
}

}  // namespace

bool TqSnap(const OdDbDatabase& database, const OdGePoint3d& point, const QString& modes, double aperture, OdGePoint3d& snapped)
{
    QStringList wanted;
    for (QString mode : modes.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        mode = mode.trimmed().toUpper();
        while (mode.startsWith(QLatin1Char('_')))
            mode.remove(0, 1);
        wanted << mode.left(3);
    }
    const auto* space = database.getModelSpaceId().openObject<OdDbBlockTableRecord>();
    if (!space || wanted.isEmpty())
        return false;
    std::vector<Shape> near;
    for (OdDbObjectId id : space->entityIds()) {
        const OdDbObject* object = id.object();
        if (object && !object->isErased() && TqDistanceToEntity(id, point) <= aperture)
            near.push_back(shapeOf(*object));
    }
    // The objects within the aperture give the candidates; the nearest candidate wins however far
    // it lies, as picking a line near its middle with END gives the nearer end.
    double best = std::numeric_limits<double>::max();
    bool found = false;
    auto consider = [&](const OdGePoint3d& candidate) {
        const double d = distance(candidate, point);
        if (d <= best) {
            best = d;
            snapped = candidate;
            found = true;
        }
    };
    auto use = [&](const char* mode) { return wanted.contains(QLatin1String(mode)); };
    for (const Shape& shape : near) {
        if (use("END"))
            for (const OdGePoint3d& p : shape.ends) consider(p);
        if (use("MID"))
            for (const OdGePoint3d& p : shape.mids) consider(p);
        if (use("CEN"))
            for (const OdGePoint3d& p : shape.centers) consider(p);
        if (use("QUA"))
            for (const OdGePoint3d& p : shape.quadrants) consider(p);
        if (use("NOD"))
            for (const OdGePoint3d& p : shape.nodes) consider(p);
        if (use("INS"))
            for (const OdGePoint3d& p : shape.inserts) consider(p);
        if (use("NEA") || use("PER") || use("TAN")) {
            for (const Segment& s : shape.segments)
                consider(nearestOnSegment(s, point));
            for (const auto& [c, r] : shape.circles) {
                const double d = distance(c, point);
                if (d > 0)
                    consider({c.x + (point.x - c.x) * r / d, c.y + (point.y - c.y) * r / d, c.z});
            }
        }
    }
    if (use("INT")) {
        for (std::size_t i = 0; i < near.size(); ++i) {
            for (std::size_t j = i + 1; j < near.size(); ++j) {
                for (const Segment& s : near[i].segments) {
                    for (const Segment& t : near[j].segments) {
                        OdGePoint3d at;
                        if (crossing(s, t, at))
                            consider(at);
                    }
                }
            }
        }
    }
    return found;
}
