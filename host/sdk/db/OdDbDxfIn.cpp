// Reading group codes from lists and files.
#include "OdDbDxfIn.h"

double OdDbDxfIn::angle(const OdDbTag& tag) const
{
    const double value = tag.number();
    return isDxf() ? value / OdDxfCode::kDegreesPerRadian : value;
}

bool OdDbDxfIn::firstOf(int code)
{
    if (code < 0 || std::size_t(code) >= m_seen.size())
        return false;
    if (m_seen.test(std::size_t(code)))
        return false;
    m_seen.set(std::size_t(code));
    return true;
}

OdResult OdDbDxfIn::fail(OdResult status, const QString& message)
{
    if (!m_failed) {
        m_failed = true;
        m_error.line = lineOf(m_index);
        m_error.index = long(m_index);
        m_error.message = message;
    }
    return status;
}

void OdDbDxfIn::enterSubclass(const QString& marker)
{
    m_subclass = marker;
    if (marker == QLatin1String("AcDbEntity")) {
        m_inEntitySection = true;
        return;
    }
    m_pastEntitySection = true;
    m_inEntitySection = false;
}

OdResult OdDbDxfIn::require(std::initializer_list<int> codes, const QString& what)
{
    if (!m_creating)
        return OdResult::eOk;
    for (int code : codes) {
        if (!seen(code))
            return fail(OdResult::eInvalidInput, QStringLiteral("%1 lacks group code %2").arg(what).arg(code));
    }
    return OdResult::eOk;
}
