// Version names.
#include "OdDbDxfVersion.h"

#include <array>

namespace {

struct VersionName {
    OdDbDxfVersion version;
    int number;
};

constexpr std::array kVersions{
    VersionName{OdDbDxfVersion::kR12, 1009},   VersionName{OdDbDxfVersion::kR2000, 1015},
    VersionName{OdDbDxfVersion::kR2004, 1018}, VersionName{OdDbDxfVersion::kR2007, 1021},
    VersionName{OdDbDxfVersion::kR2010, 1024}, VersionName{OdDbDxfVersion::kR2013, 1027},
    VersionName{OdDbDxfVersion::kR2018, 1032},
};

}  // namespace

namespace OdDbDxfVersions {

QString name(OdDbDxfVersion version)
{
    for (const VersionName& entry : kVersions) {
        if (entry.version == version)
            return QStringLiteral("AC%1").arg(entry.number);
    }
    return QStringLiteral("AC1032");
}

bool fromName(const QString& name, OdDbDxfVersion& version)
{
    const QString trimmed = name.trimmed();
    if (!trimmed.startsWith(QLatin1String("AC"), Qt::CaseInsensitive))
        return false;
    bool ok = false;
    const int number = trimmed.mid(2).toInt(&ok);
    if (!ok)
        return false;
    // A version between two known ones reads as the older: its files hold no less.
    version = OdDbDxfVersion::kR12;
    for (const VersionName& entry : kVersions) {
        if (number >= entry.number)
            version = entry.version;
    }
    return true;
}

}  // namespace OdDbDxfVersions
