// SPLINE.
#include "OdDbSpline.h"

void OdDbSpline::writeEntityFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbSpline"));
    if (m_normal)
        out.vector(210, *m_normal);
    out.int16(70, m_flags);
    out.int16(71, m_degree);
    out.int16(72, int(m_knots.size()));
    out.int16(73, int(m_controlPoints.size()));
    out.int16(74, int(m_fitPoints.size()));
    if (m_knotTolerance)
        out.real(42, *m_knotTolerance);
    if (m_controlTolerance)
        out.real(43, *m_controlTolerance);
    if (m_fitTolerance)
        out.real(44, *m_fitTolerance);
    if (m_startTangent)
        out.point(12, *m_startTangent);
    if (m_endTangent)
        out.point(13, *m_endTangent);
    for (double knot : m_knots)
        out.real(40, knot);
    for (double weight : m_weights)
        out.real(41, weight);
    for (const OdGePoint3d& point : m_controlPoints)
        out.point(10, point);
    for (const OdGePoint3d& point : m_fitPoints)
        out.point(11, point);
}

bool OdDbSpline::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const int code = tag.code();
    switch (code) {
    case 210:
        m_normal = OdGeVector3d{tag.point().x, tag.point().y, tag.point().z};
        return true;
    case 70:
        m_flags = std::int16_t(tag.integer());
        return true;
    case 71:
        m_degree = std::int16_t(tag.integer());
        return true;
    case 72: case 73: case 74:
        // Counts follow from the lists.
        return true;
    case 42:
        m_knotTolerance = tag.number();
        return true;
    case 43:
        m_controlTolerance = tag.number();
        return true;
    case 44:
        m_fitTolerance = tag.number();
        return true;
    case 12:
        m_startTangent = tag.point();
        return true;
    case 13:
        m_endTangent = tag.point();
        return true;
    case 40:
        if (in.firstOf(code))
            m_knots.clear();
        m_knots.push_back(tag.number());
        return true;
    case 41:
        if (in.firstOf(code))
            m_weights.clear();
        m_weights.push_back(tag.number());
        return true;
    case 10:
        if (in.firstOf(code))
            m_controlPoints.clear();
        m_controlPoints.push_back(tag.point());
        return true;
    case 11:
        if (in.firstOf(code))
            m_fitPoints.clear();
        m_fitPoints.push_back(tag.point());
        return true;
    default:
        return OdDbEntity::readEntityField(tag, in);
    }
}

bool OdDbSpline::knowsSubclass(QStringView marker) const
{
    return marker == QLatin1String("AcDbSpline") || OdDbEntity::knowsSubclass(marker);
}

OdResult OdDbSpline::finishFields(OdDbDxfIn& in)
{
    if (m_controlPoints.empty() && m_fitPoints.empty() && in.isCreating())
        return in.fail(OdResult::eInvalidInput, QStringLiteral("SPLINE has neither control points nor fit points"));
    if (!m_weights.empty() && m_weights.size() != m_controlPoints.size())
        return in.fail(OdResult::eInvalidInput, QStringLiteral("SPLINE has %1 weights for %2 control points")
                                                    .arg(m_weights.size()).arg(m_controlPoints.size()));
    return OdResult::eOk;
}
