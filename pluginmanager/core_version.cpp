// Host core version matching.
#include "pluginmanager/core_version.h"

#include <QStringList>

bool CoreVersionMatches(const QString& core, int hostMajor, int hostMinor)
{
    QStringList parts = core.split(QLatin1Char('.'));
    if (parts.size() < 2)
        parts = core.split(QLatin1Char('-'));
    int major = 0;
    int minor = 0;
    if (parts.size() >= 2) {
        // toInt gives 0 for text that is no number.
        major = parts[0].toInt(nullptr, 10);
        minor = parts[1].toInt(nullptr, 10);
    }
    return minor == hostMinor && (major == hostMajor || major == hostMajor + 2000);
}
