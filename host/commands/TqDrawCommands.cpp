// LINE, CIRCLE, POINT and PLINE.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbObject.h"
#include "host/CTqUnitServices.h"

#include <cmath>
#include <numbers>

#include <vector>

namespace TqDrawCommands {

using namespace TqCommandKit;

short Line()
{
    OdGePoint3d first;
    short status = TqCommandKit::Point(QStringLiteral("\nSpecify first point: "), nullptr, first);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    // Each segment with the point it started from, for Undo.
    std::vector<std::pair<OdDbObjectId, OdGePoint3d>> segments;
    OdGePoint3d from = first;
    for (;;) {
        OdGePoint3d to;
        QString keyword;
        const QString keywords = segments.size() >= 2 ? QStringLiteral("Close Undo") : QStringLiteral("Undo");
        status = TqCommandKit::Point(segments.size() >= 2 ? QStringLiteral("\nSpecify next point or [Close/Undo]: ")
                                                          : QStringLiteral("\nSpecify next point or [Undo]: "),
                                     &from, to, keywords, &keyword);
        if (status == tq::kNone)
            return tq::kNormal;
        if (status == tq::kKeyword && keyword == QLatin1String("Undo")) {
            if (!segments.empty()) {
                if (OdDbObject* last = segments.back().first.object())
                    last->erase();
                from = segments.back().second;
                segments.pop_back();
            }
            continue;
        }
        if (status == tq::kKeyword && keyword == QLatin1String("Close"))
            to = first;
        else if (status != tq::kNormal)
            return status;
        const OdDbObjectId made = Make({OdDbTag::string(0, QStringLiteral("LINE")), OdDbTag::point(10, from), OdDbTag::point(11, to)});
        segments.emplace_back(made, from);
        from = to;
        if (keyword == QLatin1String("Close"))
            return tq::kNormal;
    }
}

short Circle()
{
    OdGePoint3d center;
    short status = TqCommandKit::Point(QStringLiteral("\nSpecify center point for circle: "), nullptr, center);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    double radius = 0.0;
    QString keyword;
    status = Distance(QStringLiteral("\nSpecify radius of circle or [Diameter]: "), &center, radius, QStringLiteral("Diameter"), &keyword);
    if (status == tq::kKeyword) {
        status = Distance(QStringLiteral("\nSpecify diameter of circle: "), &center, radius);
        radius /= 2.0;
    }
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    if (radius <= 0.0) {
        Say(QStringLiteral("Value must be positive and nonzero."));
        return tq::kNormal;
    }
    (void)Make({OdDbTag::string(0, QStringLiteral("CIRCLE")), OdDbTag::point(10, center), OdDbTag::real(40, radius)});
    return tq::kNormal;
}

short Point()
{
    OdGePoint3d at;
    const short status = TqCommandKit::Point(QStringLiteral("\nSpecify a point: "), nullptr, at);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    (void)Make({OdDbTag::string(0, QStringLiteral("POINT")), OdDbTag::point(10, at)});
    return tq::kNormal;
}

short Polyline()
{
    OdGePoint3d start;
    short status = TqCommandKit::Point(QStringLiteral("\nSpecify start point: "), nullptr, start);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    std::vector<OdGePoint3d> vertices{start};
    bool closed = false;
    for (;;) {
        OdGePoint3d next;
        QString keyword;
        status = TqCommandKit::Point(QStringLiteral("\nSpecify next point or [Close/Undo]: "), &vertices.back(), next,
                                     QStringLiteral("Close Undo"), &keyword);
        if (status == tq::kKeyword && keyword == QLatin1String("Undo")) {
            if (vertices.size() > 1)
                vertices.pop_back();
            continue;
        }
        if (status == tq::kKeyword && keyword == QLatin1String("Close")) {
            closed = true;
            break;
        }
        if (status == tq::kNone)
            break;
        if (status != tq::kNormal)
            return status;
        vertices.push_back(next);
    }
    if (vertices.size() < 2)
        return tq::kNormal;
    OdDbTagList tags{OdDbTag::string(0, QStringLiteral("LWPOLYLINE")), OdDbTag::string(100, QStringLiteral("AcDbEntity")),
                     OdDbTag::string(100, QStringLiteral("AcDbPolyline")), OdDbTag::int32(90, std::int32_t(vertices.size())),
                     OdDbTag::int16(70, closed ? 1 : 0)};
    for (const OdGePoint3d& vertex : vertices)
        tags.push_back(OdDbTag::point(10, vertex, true));
    (void)Make(tags);
    return tq::kNormal;
}

}  // namespace TqDrawCommands

namespace TqDrawCommands {

namespace {

// Centre of the circle through three points; false when they lie on a line.
bool CircleThrough(const OdGePoint3d& a, const OdGePoint3d& b, const OdGePoint3d& c, OdGePoint3d& center)
{
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (std::fabs(d) < 1e-12)
        return false;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    center = {(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d, (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d, a.z};
    return true;
}

double Direction(const OdGePoint3d& from, const OdGePoint3d& to) { return std::atan2(to.y - from.y, to.x - from.x); }

double Sweep(double from, double to)
{
    double sweep = std::fmod(to - from, 2 * std::numbers::pi);
    return sweep < 0 ? sweep + 2 * std::numbers::pi : sweep;
}

short Finished(short status) { return status == tq::kNone ? short(tq::kNormal) : status; }

}  // namespace

short Arc()
{
    OdGePoint3d start, second, end, center;
    QString keyword;
    short status = TqCommandKit::Point(QStringLiteral("\nSpecify start point of arc or [Center]: "), nullptr, start, QStringLiteral("Center"), &keyword);
    double from = 0.0, to = 0.0, radius = 0.0;
    if (status == tq::kKeyword) {
        status = TqCommandKit::Point(QStringLiteral("\nSpecify center point of arc: "), nullptr, center);
        if (status == tq::kNormal)
            status = TqCommandKit::Point(QStringLiteral("\nSpecify start point of arc: "), &center, start);
        if (status == tq::kNormal)
            status = TqCommandKit::Point(QStringLiteral("\nSpecify end point of arc: "), &center, end);
        if (status != tq::kNormal)
            return Finished(status);
        radius = std::hypot(start.x - center.x, start.y - center.y);
        from = Direction(center, start);
        to = Direction(center, end);
    } else {
        if (status == tq::kNormal)
            status = TqCommandKit::Point(QStringLiteral("\nSpecify second point of arc: "), &start, second);
        if (status == tq::kNormal)
            status = TqCommandKit::Point(QStringLiteral("\nSpecify end point of arc: "), &second, end);
        if (status != tq::kNormal)
            return Finished(status);
        if (!CircleThrough(start, second, end, center)) {
            Say(QStringLiteral("The three points lie on a line."));
            return tq::kNormal;
        }
        radius = std::hypot(start.x - center.x, start.y - center.y);
        from = Direction(center, start);
        to = Direction(center, end);
        // Counter-clockwise from start to end unless the second point lies the other way round.
        if (Sweep(from, Direction(center, second)) > Sweep(from, to))
            std::swap(from, to);
    }
    (void)Make({OdDbTag::string(0, QStringLiteral("ARC")), OdDbTag::point(10, center), OdDbTag::real(40, radius), OdDbTag::real(50, from),
                OdDbTag::real(51, to)});
    return tq::kNormal;
}

short Text()
{
    OdGePoint3d at;
    short status = TqCommandKit::Point(QStringLiteral("\nSpecify start point of text: "), nullptr, at);
    if (status != tq::kNormal)
        return Finished(status);
    double height = 0.0;
    status = Distance(QStringLiteral("\nSpecify height: "), &at, height);
    if (status == tq::kNone) {
        TqResultBuffer* size = nullptr;
        CTqUnitServices* units = Services()->Units();
        height = units && units->GetVariable(CTqString(QStringLiteral("TEXTSIZE")), size) == tq::kNormal && size ? size->value.real : 2.5;
        Services()->ReleaseChain(size);
    } else if (status != tq::kNormal) {
        return status;
    }
    double rotation = 0.0;
    status = Angle(QStringLiteral("\nSpecify rotation angle of text <0>: "), &at, rotation);
    if (status != tq::kNormal && status != tq::kNone)
        return status;
    QString text;
    status = TqCommandKit::Text(QStringLiteral("\nEnter text: "), true, text);
    if (status != tq::kNormal)
        return Finished(status);
    (void)Make({OdDbTag::string(0, QStringLiteral("TEXT")), OdDbTag::point(10, at), OdDbTag::real(40, height), OdDbTag::real(50, rotation),
                OdDbTag::string(1, text)});
    return tq::kNormal;
}

short Insert()
{
    QString name;
    short status = TqCommandKit::Text(QStringLiteral("\nEnter block name: "), false, name);
    if (status != tq::kNormal || name.isEmpty())
        return Finished(status);
    OdDbDatabase* db = Database();
    if (!db || db->symbolTable(OdDbSymbolTable::Kind::kBlock)->recordId(name).isNull()) {
        Say(QStringLiteral("Block \"%1\" not found.").arg(name));
        return tq::kNormal;
    }
    OdGePoint3d at;
    status = TqCommandKit::Point(QStringLiteral("\nSpecify insertion point: "), nullptr, at);
    if (status != tq::kNormal)
        return Finished(status);
    double x = 1.0;
    status = Distance(QStringLiteral("\nEnter X scale factor <1>: "), nullptr, x);
    if (status == tq::kNone)
        x = 1.0;
    else if (status != tq::kNormal)
        return status;
    double y = x;
    status = Distance(QStringLiteral("\nEnter Y scale factor <use X scale factor>: "), nullptr, y);
    if (status == tq::kNone)
        y = x;
    else if (status != tq::kNormal)
        return status;
    double rotation = 0.0;
    status = Angle(QStringLiteral("\nSpecify rotation angle <0>: "), &at, rotation);
    if (status != tq::kNormal && status != tq::kNone)
        return status;
    // Attributes are not asked for; a reference takes its block's objects as they are.
    (void)Make({OdDbTag::string(0, QStringLiteral("INSERT")), OdDbTag::string(2, name), OdDbTag::point(10, at), OdDbTag::real(41, x),
                OdDbTag::real(42, y), OdDbTag::real(43, x), OdDbTag::real(50, rotation)});
    return tq::kNormal;
}

}  // namespace TqDrawCommands
