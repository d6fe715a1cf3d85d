// Linetype records.
#include "OdDbLinetypeTableRecord.h"

int OdDbLinetypeTableRecord::numDashes() const
{
    int count = 0;
    for (const OdDbTag& tag : m_dashes)
        count += tag.code() == 49 ? 1 : 0;
    return count;
}

double OdDbLinetypeTableRecord::dashLengthAt(int index) const
{
    for (const OdDbTag& tag : m_dashes) {
        if (tag.code() == 49 && index-- == 0)
            return tag.real();
    }
    return 0.0;
}

void OdDbLinetypeTableRecord::setDashes(const std::vector<double>& lengths)
{
    m_dashes.clear();
    m_patternLength = 0.0;
    for (double length : lengths) {
        m_dashes.push_back(OdDbTag::real(49, length));
        m_dashes.push_back(OdDbTag::int16(74, 0));
        m_patternLength += length < 0 ? -length : length;
    }
}

void OdDbLinetypeTableRecord::writeRecordFields(OdDbDxfOut& out) const
{
    out.string(3, m_description);
    out.int16(72, m_alignment);
    out.int16(73, numDashes());
    out.real(40, m_patternLength);
    for (const OdDbTag& tag : m_dashes) {
        // R12 knows plain dashes only.
        if (out.isR12() && tag.code() != 49)
            continue;
        out.tag(tag);
    }
    writeUnknownFields(out);
}

bool OdDbLinetypeTableRecord::readRecordField(const OdDbTag& tag, OdDbDxfIn& in)
{
    switch (tag.code()) {
    case 3:
        m_description = tag.string();
        return true;
    case 72:
        m_alignment = std::int16_t(tag.integer());
        return true;
    case 73:
        return true;
    case 40:
        m_patternLength = tag.number();
        return true;
    case 49:
        if (in.firstOf(49))
            m_dashes.clear();
        m_dashes.push_back(OdDbTag::real(49, tag.number()));
        return true;
    case 74: case 75: case 340: case 46: case 50: case 44: case 45: case 9:
        if (m_dashes.empty())
            return false;
        m_dashes.push_back(tag);
        return true;
    default:
        return false;
    }
}
