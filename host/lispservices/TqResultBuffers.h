// Result-buffer records and chains: making, freeing, and the value type each group code
// carries. Every CTqLispServices implementation of this host builds on these.
#pragma once

#include "host/TqResultBuffer.h"

// A zeroed record of the given result type; null when memory is exhausted.
TqResultBuffer* TqNewResultBuffer(short restype);
// Frees every record of the chain with the texts and chunks the records own. Null is allowed.
void TqReleaseChain(TqResultBuffer* chain);
// The value type (tqrt::k…) of a DXF group code; tqrt::kNone for codes that carry no value.
// Value types themselves (5000-5023) map to themselves, since chains mix both kinds of code.
short TqValueTypeOfGroupCode(int groupCode);
