// Header variables.
#include "OdDbHeader.h"

#include <QStringList>

namespace {

QString key(const QString& name)
{
    return name.toUpper();
}

}  // namespace

OdDbHeader OdDbHeader::defaults()
{
    OdDbHeader header;
    const OdGePoint3d origin;
    header.set(QStringLiteral("$INSBASE"), {OdDbTag::point(10, origin)});
    header.set(QStringLiteral("$EXTMIN"), {OdDbTag::point(10, {1e20, 1e20, 1e20})});
    header.set(QStringLiteral("$EXTMAX"), {OdDbTag::point(10, {-1e20, -1e20, -1e20})});
    header.set(QStringLiteral("$LIMMIN"), {OdDbTag::point(10, origin, true)});
    header.set(QStringLiteral("$LIMMAX"), {OdDbTag::point(10, {12.0, 9.0, 0.0}, true)});
    header.set(QStringLiteral("$ORTHOMODE"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$REGENMODE"), {OdDbTag::int16(70, 1)});
    header.set(QStringLiteral("$FILLMODE"), {OdDbTag::int16(70, 1)});
    header.set(QStringLiteral("$QTEXTMODE"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$MIRRTEXT"), {OdDbTag::int16(70, 1)});
    header.set(QStringLiteral("$LTSCALE"), {OdDbTag::real(40, 1.0)});
    header.set(QStringLiteral("$ATTMODE"), {OdDbTag::int16(70, 1)});
    header.set(QStringLiteral("$TEXTSIZE"), {OdDbTag::real(40, 0.2)});
    header.set(QStringLiteral("$TRACEWID"), {OdDbTag::real(40, 1.0)});
    header.set(QStringLiteral("$TEXTSTYLE"), {OdDbTag::string(7, QStringLiteral("Standard"))});
    header.set(QStringLiteral("$CLAYER"), {OdDbTag::string(8, QStringLiteral("0"))});
    header.set(QStringLiteral("$CELTYPE"), {OdDbTag::string(6, QStringLiteral("ByLayer"))});
    header.set(QStringLiteral("$CECOLOR"), {OdDbTag::int16(62, 256)});
    header.set(QStringLiteral("$CELTSCALE"), {OdDbTag::real(40, 1.0)});
    header.set(QStringLiteral("$DIMSCALE"), {OdDbTag::real(40, 1.0)});
    header.set(QStringLiteral("$DIMSTYLE"), {OdDbTag::string(2, QStringLiteral("Standard"))});
    header.set(QStringLiteral("$LUNITS"), {OdDbTag::int16(70, 2)});
    header.set(QStringLiteral("$LUPREC"), {OdDbTag::int16(70, 4)});
    header.set(QStringLiteral("$AUNITS"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$AUPREC"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$ELEVATION"), {OdDbTag::real(40, 0.0)});
    header.set(QStringLiteral("$THICKNESS"), {OdDbTag::real(40, 0.0)});
    header.set(QStringLiteral("$ANGBASE"), {OdDbTag::real(50, 0.0)});
    header.set(QStringLiteral("$ANGDIR"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$PDMODE"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$PDSIZE"), {OdDbTag::real(40, 0.0)});
    header.set(QStringLiteral("$PLINEWID"), {OdDbTag::real(40, 0.0)});
    header.set(QStringLiteral("$TILEMODE"), {OdDbTag::int16(70, 1)});
    header.set(QStringLiteral("$UCSORG"), {OdDbTag::point(10, origin)});
    header.set(QStringLiteral("$UCSXDIR"), {OdDbTag::point(10, {1.0, 0.0, 0.0})});
    header.set(QStringLiteral("$UCSYDIR"), {OdDbTag::point(10, {0.0, 1.0, 0.0})});
    header.set(QStringLiteral("$MEASUREMENT"), {OdDbTag::int16(70, 0)});
    header.set(QStringLiteral("$INSUNITS"), {OdDbTag::int16(70, 1)});
    return header;
}

const OdDbTagList* OdDbHeader::get(const QString& name) const
{
    const auto found = m_index.find(key(name));
    return found == m_index.end() ? nullptr : &m_variables[found->second].second;
}

void OdDbHeader::set(const QString& name, OdDbTagList value)
{
    const auto found = m_index.find(key(name));
    if (found != m_index.end()) {
        m_variables[found->second].second = std::move(value);
        return;
    }
    m_variables.emplace_back(name, std::move(value));
    m_index[key(name)] = m_variables.size() - 1;
}

void OdDbHeader::remove(const QString& name)
{
    const auto found = m_index.find(key(name));
    if (found == m_index.end())
        return;
    m_variables.erase(m_variables.begin() + long(found->second));
    m_index.clear();
    for (std::size_t i = 0; i < m_variables.size(); ++i)
        m_index[key(m_variables[i].first)] = i;
}

QStringList OdDbHeader::names() const
{
    QStringList result;
    for (const auto& variable : m_variables)
        result << variable.first;
    return result;
}

QString OdDbHeader::getString(const QString& name, const QString& fallback) const
{
    const OdDbTagList* value = get(name);
    return value && !value->empty() ? value->front().string() : fallback;
}

double OdDbHeader::getReal(const QString& name, double fallback) const
{
    const OdDbTagList* value = get(name);
    return value && !value->empty() ? value->front().number() : fallback;
}

std::int64_t OdDbHeader::getInt(const QString& name, std::int64_t fallback) const
{
    const OdDbTagList* value = get(name);
    return value && !value->empty() ? value->front().integer() : fallback;
}

OdGePoint3d OdDbHeader::getPoint(const QString& name, const OdGePoint3d& fallback) const
{
    const OdDbTagList* value = get(name);
    return value && !value->empty() ? value->front().point() : fallback;
}
