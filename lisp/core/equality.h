// Structural equality of two values, as equal, member, assoc and subst use it.
#pragma once

#include "lisp/core/node.h"
#include "lisp/core/status.h"

#include <optional>

// Sets `equal` when `a` and `b` match structurally: the same node or two nil-like values; an
// integer against a real numerically; numbers exactly without `fuzz`, else when their difference
// is not greater than the magnitude of `fuzz` (truncated to an integer when both are integers);
// strings exactly; lists of one kind element by element, nested lists included; symbol
// references, files, symbols and selection sets by identity; truth values by value; built-ins
// by entry; NOTHING always. Any other pair of different types is unequal.
//
// Returns NotYetImplemented when it has to compare two external functions and UnknownNodeType
// for a node outside the engine's node types. Nesting depth costs heap, not stack.
LispStatus LispEqual(const LispNode* a, const LispNode* b, std::optional<double> fuzz, bool& equal);
