// A text style: font files, fixed height, width factor, oblique angle and generation flags.
#pragma once

#include "OdDbSymbolTableRecord.h"

class OdDbTextStyleTableRecord : public OdDbObjectImpl<OdDbTextStyleTableRecord, OdDbSymbolTableRecord> {
public:
    OdDbTextStyleTableRecord() : OdDbObjectImpl(OdDbSymbolTable::Kind::kTextStyle) {}

    double textSize() const { return m_fixedHeight; }
    void setTextSize(double height) { m_fixedHeight = height; }
    double xScale() const { return m_widthFactor; }
    void setXScale(double factor) { m_widthFactor = factor; }
    double obliquingAngle() const { return m_oblique; }
    const QString& fileName() const { return m_font; }
    void setFileName(const QString& font) { m_font = font; }
    const QString& bigFontFileName() const { return m_bigFont; }

protected:
    void writeRecordFields(OdDbDxfOut& out) const override;
    bool readRecordField(const OdDbTag& tag, OdDbDxfIn& in) override;

private:
    double m_fixedHeight = 0.0;
    double m_widthFactor = 1.0;
    double m_oblique = 0.0;
    double m_lastHeight = 2.5;
    std::int16_t m_generation = 0;
    QString m_font = QStringLiteral("txt");
    QString m_bigFont;
};
