// The host's user input for LISP programs: points, distances, angles, numbers, strings and
// keywords typed by the user, under the restrictions initget sets for the next request.
//
// Every request returns tq::kNormal with the value, tq::kNone for Enter (no input), tq::kKeyword
// when the user typed one of the initget keywords (read it with GetPendingInput), tq::kCancel for
// Escape or the end of input. A prompt pointer that is null means the host's own prompt.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"

namespace tqinput {
// initget bits.
enum : int {
    kNoNull = 1,
    kNoZero = 2,
    kNoNegative = 4,
    kNoLimits = 8,
    kDashed = 32,
    kIgnoreZ = 64,
    kArbitrary = 128,
};
}  // namespace tqinput

class CTqInputServices {
public:
    virtual ~CTqInputServices() = default;

    // Bits and keywords ("Yes No": the capitals are each keyword's abbreviation) for the next
    // request only.
    virtual short InitGet(int bits, const CTqString& keywords) = 0;
    virtual short GetPoint(const double* base, const CTqString* prompt, double point[3]) = 0;
    virtual short GetCorner(const double base[3], const CTqString* prompt, double point[3]) = 0;
    virtual short GetDistance(const double* base, const CTqString* prompt, double& distance) = 0;
    // orient: the angle from east; else from the base angle of the drawing's angle settings.
    virtual short GetAngle(const double* base, const CTqString* prompt, bool orient, double& angle) = 0;
    virtual short GetReal(const CTqString* prompt, double& value) = 0;
    virtual short GetInteger(const CTqString* prompt, int& value) = 0;
    // spaces: the text may contain blanks; else the first blank ends it.
    virtual short GetString(bool spaces, const CTqString* prompt, CTqString& text) = 0;
    virtual short GetKeyword(const CTqString* prompt, CTqString& keyword) = 0;
    // One input event: kind 2 a key (value: its character code), 3 a picked point, 5 a pointer
    // position; the value records are the caller's to free.
    virtual short GrRead(bool tracking, int allowed, int& kind, TqResultBuffer*& value) = 0;
};
