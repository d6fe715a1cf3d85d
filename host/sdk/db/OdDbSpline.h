// SPLINE: degree, flags, knots, weights, control points and fit points, with the tolerances
// and end tangents a file gives.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

#include <optional>

class OdDbSpline : public OdDbObjectImpl<OdDbSpline, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("SPLINE"); }

    int degree() const { return m_degree; }
    int flags() const { return m_flags; }
    const std::vector<double>& knots() const { return m_knots; }
    const std::vector<double>& weights() const { return m_weights; }
    const std::vector<OdGePoint3d>& controlPoints() const { return m_controlPoints; }
    const std::vector<OdGePoint3d>& fitPoints() const { return m_fitPoints; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    std::optional<OdGeVector3d> m_normal;
    std::int16_t m_flags = 0;
    std::int16_t m_degree = 3;
    std::optional<double> m_knotTolerance;
    std::optional<double> m_controlTolerance;
    std::optional<double> m_fitTolerance;
    std::optional<OdGePoint3d> m_startTangent;
    std::optional<OdGePoint3d> m_endTangent;
    std::vector<double> m_knots;
    std::vector<double> m_weights;
    std::vector<OdGePoint3d> m_controlPoints;
    std::vector<OdGePoint3d> m_fitPoints;
};
