// LINE, CIRCLE, POINT and PLINE.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbObject.h"

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
