// MTEXT: multi-line text with its formatting codes, insertion point, height, reference width,
// attachment, direction, style and rotation. Text longer than 250 characters travels in chunks
// (3 for each full chunk, 1 for the rest).
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

#include <optional>

class OdDbMText : public OdDbObjectImpl<OdDbMText, OdDbEntity> {
public:
    static constexpr int kChunkLength = 250;

    QString dxfName() const override { return QStringLiteral("MTEXT"); }

    const OdGePoint3d& location() const { return m_location; }
    void setLocation(const OdGePoint3d& point) { m_location = point; }
    const QString& contents() const { return m_text; }
    void setContents(const QString& text) { m_text = text; }
    double textHeight() const { return m_height; }
    double width() const { return m_width; }
    int attachment() const { return m_attachment; }
    double rotation() const { return m_rotation; }
    const QString& textStyle() const { return m_style; }

    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override { return in.require({10}, dxfName()); }

private:
    OdGePoint3d m_location;
    double m_height = 2.5;
    double m_width = 0.0;
    std::optional<double> m_definedHeight;
    std::int16_t m_attachment = 1;
    std::int16_t m_direction = 1;
    QString m_text;
    QString m_pendingChunks;
    QString m_style = QStringLiteral("Standard");
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
    std::optional<OdGeVector3d> m_xDirection;
    double m_rotation = 0.0;
    std::optional<std::int16_t> m_spacingStyle;
    std::optional<double> m_spacingFactor;
};
