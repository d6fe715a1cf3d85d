// Entity data lists and the host's result-buffer chains: the conversions every drawing built-in
// shares (data lists both ways, the plain value conversion, point arguments).
#pragma once

#include "host/TqResultBuffer.h"
#include "lisp/core/result_buffers.h"
#include "lisp/core/status.h"

class CTqLISPImpl;
struct LispNode;

// A list of two or three numbers as a point (z 0 when missing); false for anything else.
bool PointArgument(const LispNode* value, double (&point)[3]);

// Appends one record per element of a data list ((code . value), (code x y z), (-3 ("APP" ...))),
// each value converted by the value type the host gives its code. Strings reach the host as
// their text. Errors: InvalidParameter for an element or value the code cannot take,
// MemoryError when a record cannot be made.
LispStatus DataListToChain(CTqLISPImpl& engine, const LispNode* list, ChainBuilder& chain);

// The same for a chain of elements (the first element and those after it).
LispStatus DataElementsToChain(CTqLISPImpl& engine, const LispNode* firstElement, ChainBuilder& chain);

// One record for one value, as trans hands a point or a name to the host: nil, a point (z 0 when
// missing; NoPointList for a list that is no point), an integer (16-bit), a real, a string, T,
// NOTHING, an entity name or a selection set. InvalidOperand for no value, InvalidParameter for
// any other kind.
LispStatus ValueToSingleRecord(CTqLISPImpl& engine, const LispNode* value, ChainBuilder& chain);

// A data list from a chain: one element per record, extended data gathered under -3.
LispStatus ChainToDataList(CTqLISPImpl& engine, const TqResultBuffer* chain, LispNode*& out);

// The values of a chain as a list, list-begin and list-end records nesting; NOTHING for an
// empty chain.
LispStatus ChainToValues(CTqLISPImpl& engine, const TqResultBuffer* chain, LispNode*& out);

// The value of one record by the plain value conversion.
LispStatus RecordToValue(CTqLISPImpl& engine, const TqResultBuffer& record, LispNode*& out);

// Stores `value` in `record` as the value of a group code with the given value type
// (setvar stores a variable's value this way). The record keeps only its own value.
LispStatus ValueToRecord(CTqLISPImpl& engine, const LispNode* value, short valueType, TqResultBuffer& record);
