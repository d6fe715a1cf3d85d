// Base of the graphical objects: the properties every entity has (layer, linetype, colour,
// lineweight, linetype scale, visibility, true colour, transparency) and its place in a layout
// or block. Layer, linetype and other table references are kept by name, as users give them.
#pragma once

#include "OdDbObject.h"

#include <optional>

class OdDbEntity : public OdDbObject {
public:
    static constexpr int kColorByBlock = 0;
    static constexpr int kColorByLayer = 256;
    static constexpr int kLineWeightByLayer = -1;

    const QString& layer() const { return m_layer; }
    void setLayer(const QString& name) { m_layer = name; }
    // The layer record; null when the layer does not exist.
    OdDbObjectId layerId() const;
    const QString& linetype() const { return m_linetype; }
    void setLinetype(const QString& name) { m_linetype = name; }
    int colorIndex() const { return m_color; }
    void setColorIndex(int color) { m_color = color; }
    int lineWeight() const { return m_lineWeight; }
    void setLineWeight(int weight) { m_lineWeight = weight; }
    double linetypeScale() const { return m_linetypeScale; }
    void setLinetypeScale(double scale) { m_linetypeScale = scale; }
    bool isVisible() const { return m_invisible == 0; }
    void setVisible(bool visible) { m_invisible = visible ? 0 : 1; }
    std::optional<std::int32_t> trueColor() const { return m_trueColor; }
    void setTrueColor(std::optional<std::int32_t> color) { m_trueColor = color; }

    // The block record the entity lives in: its owner, or for a vertex, attribute or sequence
    // end, the owner of its polyline or block reference.
    OdDbObjectId blockId() const;
    // True when the entity lives in a paper-space layout.
    bool isInPaperSpace() const;
    // The 67 flag as a file or list gave it; the reader places R12 entities by it.
    bool paperSpaceFlag() const { return m_paperSpaceFlag; }

    void writeFields(OdDbDxfOut& out) const override;
    OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message) override;

protected:
    OdDbEntity() = default;
    OdDbEntity(const OdDbEntity&) = default;
    OdDbEntity& operator=(const OdDbEntity&) = default;

    // The class's own fields, after the common ones.
    virtual void writeEntityFields(OdDbDxfOut& out) const = 0;
    // Takes one of the class's own codes; a class calls its base for codes it does not know.
    virtual bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in);

    bool readField(const OdDbTag& tag, OdDbDxfIn& in) final;
    bool knowsSubclass(QStringView marker) const override;

private:
    bool readCommonField(const OdDbTag& tag, OdDbDxfIn& in);

    QString m_layer = QStringLiteral("0");
    QString m_linetype = QStringLiteral("ByLayer");
    std::int16_t m_color = kColorByLayer;
    std::int16_t m_lineWeight = kLineWeightByLayer;
    std::int16_t m_invisible = 0;
    bool m_paperSpaceFlag = false;
    double m_linetypeScale = 1.0;
    std::optional<std::int32_t> m_trueColor;
    std::optional<std::int32_t> m_transparency;
    OdDbTagList m_commonUnknown;
};
