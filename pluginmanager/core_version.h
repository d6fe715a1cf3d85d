// Whether a plugin or release built for a host core version ("18.0", "2018.0", "18-0") runs on
// this host.
#pragma once

#include <QString>

// The core text is split at "." (at "-" when that gives fewer than two parts); the first two
// parts read as decimal integers, text that is no number as 0. It matches when the minors are
// equal and the major equals the host's or the host's plus 2000.
bool CoreVersionMatches(const QString& core, int hostMajor, int hostMinor);
