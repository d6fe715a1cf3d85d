// The drawing settings the unit formats follow: LUNITS, LUPREC, AUNITS, AUPREC, ANGBASE, ANGDIR,
// UNITMODE and DIMZIN.
#pragma once

struct TqUnitSettings {
    int linearMode = 2;
    int linearPrecision = 4;
    int angularMode = 0;
    int angularPrecision = 0;
    double angleBase = 0.0;   // radians
    bool clockwise = false;   // ANGDIR 1
    bool asEntered = false;   // UNITMODE 1: feet, inches and fractions without spaces
    int zeroSuppression = 0;  // DIMZIN
};

// DIMZIN bits of decimal numbers.
namespace tqzin {
inline constexpr int kFeetInchesMask = 3;  // 0 no zero feet or inches, 1 both, 2 feet only, 3 inches only
inline constexpr int kLeading = 4;
inline constexpr int kTrailing = 8;
}  // namespace tqzin
