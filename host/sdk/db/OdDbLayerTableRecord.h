// A layer: colour (negative when the layer is off), linetype, lineweight, plotting, and the
// frozen and locked bits of its flags.
#pragma once

#include "OdDbSymbolTableRecord.h"

#include <optional>

class OdDbLayerTableRecord : public OdDbObjectImpl<OdDbLayerTableRecord, OdDbSymbolTableRecord> {
public:
    static constexpr int kFrozen = 1;
    static constexpr int kLocked = 4;
    static constexpr int kLineWeightDefault = -3;

    OdDbLayerTableRecord() : OdDbObjectImpl(OdDbSymbolTable::Kind::kLayer) {}

    // 1 to 255; the sign of the stored colour says whether the layer is on.
    int colorIndex() const { return m_color < 0 ? -m_color : m_color; }
    void setColorIndex(int color);
    bool isOff() const { return m_color < 0; }
    void setIsOff(bool off);
    bool isFrozen() const { return (flags() & kFrozen) != 0; }
    void setIsFrozen(bool frozen) { setFlags(frozen ? flags() | kFrozen : flags() & ~kFrozen); }
    bool isLocked() const { return (flags() & kLocked) != 0; }
    void setIsLocked(bool locked) { setFlags(locked ? flags() | kLocked : flags() & ~kLocked); }
    const QString& linetype() const { return m_linetype; }
    void setLinetype(const QString& name) { m_linetype = name; }
    bool isPlottable() const { return m_plottable; }
    void setIsPlottable(bool plottable) { m_plottable = plottable; }
    int lineWeight() const { return m_lineWeight; }
    void setLineWeight(int weight) { m_lineWeight = std::int16_t(weight); }

    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    void writeRecordFields(OdDbDxfOut& out) const override;
    bool readRecordField(const OdDbTag& tag, OdDbDxfIn& in) override;

private:
    std::int16_t m_color = 7;
    std::int16_t m_lineWeight = kLineWeightDefault;
    bool m_plottable = true;
    QString m_linetype = QStringLiteral("Continuous");
    OdDbObjectId m_plotStyle;
    std::optional<std::int32_t> m_trueColor;
};
