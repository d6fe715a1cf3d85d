// ATTRIB and ATTDEF: the attribute section.
#include "OdDbAttributeCommon.h"

void OdDbAttributeCommon::writeEntityFields(OdDbDxfOut& out) const
{
    writeTextFields(out);
    out.subclass(attributeSubclass());
    if (m_version && !out.isR12())
        out.int16(280, *m_version);
    writePrompt(out);
    out.string(2, m_tag);
    out.int16(70, m_flags);
    out.optionalInt16(73, m_fieldLength, 0);
    out.optionalInt16(74, verticalMode(), 0);
}

void OdDbAttributeCommon::writePrompt(OdDbDxfOut&) const {}

bool OdDbAttributeCommon::readPrompt(const OdDbTag&)
{
    return false;
}

bool OdDbAttributeCommon::readEntityField(const OdDbTag& tag, OdDbDxfIn& in)
{
    const bool ownSection = in.currentSubclass() == attributeSubclass();
    const bool flat = in.currentSubclass().isEmpty();
    if (ownSection || flat) {
        switch (tag.code()) {
        case 2:
            m_tag = tag.string();
            return true;
        case 70:
            m_flags = std::int16_t(tag.integer());
            return true;
        case 73:
            m_fieldLength = std::int16_t(tag.integer());
            return true;
        case 74:
            setVerticalMode(int(tag.integer()));
            return true;
        case 280:
            // Before the tag it is the record's version; after it, a code kept as it came.
            if (ownSection && !in.seen(2)) {
                m_version = std::int16_t(tag.integer());
                return true;
            }
            return false;
        default:
            if (readPrompt(tag))
                return true;
            // Codes of the attribute section that the text section also uses are kept as
            // they came, not read as text codes.
            if (ownSection)
                return false;
            break;
        }
    }
    return readTextField(tag, in);
}

bool OdDbAttributeCommon::knowsSubclass(QStringView marker) const
{
    return marker == attributeSubclass() || OdDbText::knowsSubclass(marker);
}

OdResult OdDbAttributeCommon::finishFields(OdDbDxfIn& in)
{
    if (const OdResult status = OdDbText::finishFields(in); status != OdResult::eOk)
        return status;
    if (in.isCreating() && m_tag.isEmpty())
        return in.fail(OdResult::eInvalidInput, QStringLiteral("%1 has no tag (2)").arg(dxfName()));
    return OdResult::eOk;
}
