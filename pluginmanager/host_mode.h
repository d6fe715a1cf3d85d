// The plugin manager's host mode: which kind of host the module runs in. Set once when the
// module initialises; the plugin manager reads it.
#pragma once

#include "host/CTqString.h"

enum class HostMode : int {
    Workbench = 1,  // the reference host
    Plain = 2,      // any other host: the module leaves the host's providers alone
    Hexbrook = 4,   // hosts of the Hexbrook family
};

// The mode a host of that application name gets.
HostMode HostModeForApplication(const CTqString& applicationName);

HostMode CurrentHostMode();
void SetHostMode(HostMode mode);
