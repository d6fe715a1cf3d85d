// Angles as text in the five angular formats (0 degrees, 1 degrees-minutes-seconds, 2 grads,
// 3 radians, 4 surveyor's bearings) and back. Formats 0 to 3 show the angle from ANGBASE in the
// direction ANGDIR gives; a bearing names the direction itself, so it ignores both.
#pragma once

#include "TqUnitSettings.h"

#include <QString>

#include <optional>

namespace TqAngularUnits {

// Modes 0 to 4, precision 0 to 8 (for modes 1 and 4: 0 degrees, 1–2 minutes, 3–4 seconds,
// 5–8 seconds with 1–4 decimals).
std::optional<QString> Format(double angle, int mode, int precision, const TqUnitSettings& settings);

// Reads any text Format writes in any mode: "45", "45d30'15.5\"", "50g", "0.785r",
// "N 45d0'0\" E", "N", "e"; a bare number is degrees in modes 0, 1 and 4, grads in mode 2 and
// radians in mode 3. The result is in radians from east, counterclockwise, 0 to 2π.
std::optional<double> Parse(const QString& text, int mode, const TqUnitSettings& settings);

}  // namespace TqAngularUnits
