// The engine-wide built-in table: every family's rows in table order, f_drxfunc last.
#pragma once

#include "lisp/core/builtin.h"

#include <span>

inline constexpr std::size_t kBuiltinRows = 410;
inline constexpr std::size_t kNamedBuiltinRows = 409;

// The rows in table order; built once, shared by every engine.
std::span<const BuiltinDescriptor* const> BuiltinTable();
// Gives every row the dictionary names its public symbol (resource ":/WkLispDict.xml").
LispStatus LoadFunctionDictionary(CTqLISPImpl& engine, std::span<const BuiltinDescriptor* const> rows);
