// XRECORD.
#include "OdDbXrecord.h"

void OdDbXrecord::writeFields(OdDbDxfOut& out) const
{
    out.subclass(QLatin1String("AcDbXrecord"));
    out.int16(280, m_cloning);
    out.tags(m_data);
}

bool OdDbXrecord::readField(const OdDbTag& tag, OdDbDxfIn& in)
{
    // The first tag, when it is a 280, is the cloning flag; every later tag is data. Code 0
    // never reaches a body, so the filer's mark for it says that the flag's place is past.
    if (tag.code() == 280 && !in.seen(0)) {
        m_cloning = std::int16_t(tag.integer());
        in.noteCode(0);
        return true;
    }
    in.noteCode(0);
    if (in.firstOf(0))
        m_data.clear();
    m_data.push_back(tag);
    return true;
}
