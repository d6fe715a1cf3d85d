// The module-wide host mode.
#include "pluginmanager/host_mode.h"

namespace {

HostMode& ModuleHostMode()
{
    static HostMode mode = HostMode::Plain;
    return mode;
}

}  // namespace

HostMode HostModeForApplication(const CTqString& applicationName)
{
    if (applicationName.compareNoCase(CTqString("Keltora Workbench")) == 0)
        return HostMode::Workbench;
    if (applicationName.startsWithNoCase(CTqString("Hexbrook")))
        return HostMode::Hexbrook;
    return HostMode::Plain;
}

HostMode CurrentHostMode()
{
    return ModuleHostMode();
}

void SetHostMode(HostMode mode)
{
    ModuleHostMode() = mode;
}
