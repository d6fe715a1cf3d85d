// Conversion of LISP values into host result-buffer chains, as the host receives results of
// command lines and the arguments of typed calls.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"
#include "lisp/core/status.h"

class CTqLISPImpl;
struct LispNode;

// One record per value, typed by the value's kind (lists bracketed by list-begin and list-end
// records, points as point records). The chain belongs to the caller, who releases it through
// the host services.
LispStatus ValueToTypedChain(CTqLISPImpl& engine, const LispNode* value, TqResultBuffer*& chain);

// A readable text of a chain, for hosts that show results.
CTqString ChainToText(const TqResultBuffer* chain);
