// TEXT: one line of text with position, height, rotation, width factor, oblique angle, style,
// generation flags and justification. ATTRIB and ATTDEF derive from it.
#pragma once

#include "OdDbEntity.h"
#include "OdDbObjectImpl.h"

class OdDbText : public OdDbObjectImpl<OdDbText, OdDbEntity> {
public:
    QString dxfName() const override { return QStringLiteral("TEXT"); }

    const OdGePoint3d& position() const { return m_position; }
    void setPosition(const OdGePoint3d& point) { m_position = point; }
    const OdGePoint3d& alignmentPoint() const { return m_alignment; }
    const QString& textString() const { return m_text; }
    void setTextString(const QString& text) { m_text = text; }
    double height() const { return m_height; }
    void setHeight(double height) { m_height = height; }
    double rotation() const { return m_rotation; }
    void setRotation(double radians) { m_rotation = radians; }
    double widthFactor() const { return m_widthFactor; }
    const QString& textStyle() const { return m_style; }
    void setTextStyle(const QString& style) { m_style = style; }
    int horizontalMode() const { return m_horizontal; }
    int verticalMode() const { return m_vertical; }

    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

    // The first AcDbText section, which attributes share.
    void writeTextFields(OdDbDxfOut& out) const;
    // The text codes without the vertical justification, which attributes write as 74.
    bool readTextField(const OdDbTag& tag, OdDbDxfIn& in);
    void setVerticalMode(int mode) { m_vertical = std::int16_t(mode); }

private:
    OdGePoint3d m_position;
    OdGePoint3d m_alignment;
    bool m_hasAlignment = false;
    QString m_text;
    double m_height = 0.0;
    double m_rotation = 0.0;
    double m_widthFactor = 1.0;
    double m_oblique = 0.0;
    double m_thickness = 0.0;
    QString m_style = QStringLiteral("Standard");
    std::int16_t m_generation = 0;
    std::int16_t m_horizontal = 0;
    std::int16_t m_vertical = 0;
    OdGeVector3d m_normal = OdGeVector3d::kZAxis();
};
