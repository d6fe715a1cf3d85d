// What ATTRIB and ATTDEF share on top of TEXT: the tag, the attribute flags, the field length,
// the vertical justification written as 74, and the codes of their own subclass section.
#pragma once

#include "OdDbText.h"

#include <optional>

class OdDbAttributeCommon : public OdDbText {
public:
    static constexpr int kInvisible = 1;
    static constexpr int kConstant = 2;
    static constexpr int kVerify = 4;
    static constexpr int kPreset = 8;

    const QString& tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    int attributeFlags() const { return m_flags; }
    void setAttributeFlags(int flags) { m_flags = std::int16_t(flags); }
    bool isInvisible() const { return (m_flags & kInvisible) != 0; }

protected:
    void writeEntityFields(OdDbDxfOut& out) const override;
    bool readEntityField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

    // "AcDbAttribute" or "AcDbAttributeDefinition".
    virtual QLatin1String attributeSubclass() const = 0;
    // The prompt (3) of a definition; nothing for an attribute.
    virtual void writePrompt(OdDbDxfOut& out) const;
    virtual bool readPrompt(const OdDbTag& tag);

private:
    QString m_tag;
    std::int16_t m_flags = 0;
    std::int16_t m_fieldLength = 0;
    std::optional<std::int16_t> m_version;
};
