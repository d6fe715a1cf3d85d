// The DXF versions the database reads and writes, by their $ACADVER names.
#pragma once

#include <QString>

#include <cstdint>

enum class OdDbDxfVersion : std::uint8_t {
    kR12,    // AC1009
    kR2000,  // AC1015
    kR2004,  // AC1018
    kR2007,  // AC1021: the first that stores text as UTF-8
    kR2010,  // AC1024
    kR2013,  // AC1027
    kR2018,  // AC1032
};

namespace OdDbDxfVersions {

QString name(OdDbDxfVersion version);
// Maps an $ACADVER value to a version: names before AC1009 read as R12, unknown names after
// AC1032 as R2018. False for a text that is not an AC name.
bool fromName(const QString& name, OdDbDxfVersion& version);
inline bool isUtf8(OdDbDxfVersion version) { return version >= OdDbDxfVersion::kR2007; }

}  // namespace OdDbDxfVersions
