// Text style records.
#include "OdDbTextStyleTableRecord.h"

void OdDbTextStyleTableRecord::writeRecordFields(OdDbDxfOut& out) const
{
    out.real(40, m_fixedHeight);
    out.real(41, m_widthFactor);
    out.angle(50, m_oblique);
    out.int16(71, m_generation);
    out.real(42, m_lastHeight);
    out.string(3, m_font);
    out.string(4, m_bigFont);
    writeUnknownFields(out);
}

bool OdDbTextStyleTableRecord::readRecordField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 40:
        m_fixedHeight = tag.number();
        return true;
    case 41:
        m_widthFactor = tag.number();
        return true;
    case 50:
        m_oblique = in.angle(tag);
        return true;
    case 71:
        m_generation = std::int16_t(tag.integer());
        return true;
    case 42:
        m_lastHeight = tag.number();
        return true;
    case 3:
        m_font = tag.string();
        return true;
    case 4:
        m_bigFont = tag.string();
        return true;
    default:
        return false;
    }
}
