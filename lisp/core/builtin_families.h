// The families of built-ins. Each family file ends with its constexpr table of rows and hands it
// out here; builtin_table.cpp concatenates them into the one engine-wide table.
#pragma once

#include "lisp/core/builtin.h"

#include <span>

std::span<const BuiltinDescriptor> SpecialFormBuiltins();   // lisp/core/special_forms.cpp
std::span<const BuiltinDescriptor> TerminationBuiltins();   // lisp/core/termination.cpp
std::span<const BuiltinDescriptor> SourceFileBuiltins();    // lisp/core/source_files.cpp
std::span<const BuiltinDescriptor> ExternalAppBuiltins();   // lisp/core/external_apps.cpp (without f_drxfunc)
std::span<const BuiltinDescriptor> ArithmeticBuiltins();    // lisp/builtins/core/arithmetic.cpp
std::span<const BuiltinDescriptor> ListBuiltins();          // lisp/builtins/core/lists.cpp
std::span<const BuiltinDescriptor> StringBuiltins();        // lisp/builtins/core/strings.cpp
std::span<const BuiltinDescriptor> FileBuiltins();          // lisp/builtins/core/files.cpp
std::span<const BuiltinDescriptor> GeometryBuiltins();      // lisp/builtins/core/geometry.cpp
std::span<const BuiltinDescriptor> CompatibilityBuiltins(); // lisp/builtins/core/compatibility.cpp
std::span<const BuiltinDescriptor> EntityBuiltins();        // lisp/builtins/drawing/entities.cpp
std::span<const BuiltinDescriptor> TableBuiltins();         // lisp/builtins/drawing/tables.cpp
std::span<const BuiltinDescriptor> SelectionSetBuiltins();  // lisp/builtins/drawing/selection_sets.cpp
std::span<const BuiltinDescriptor> InputBuiltins();         // lisp/builtins/drawing/input.cpp
std::span<const BuiltinDescriptor> CurveBuiltins();         // lisp/builtins/drawing/curves.cpp
std::span<const BuiltinDescriptor> LayerStateBuiltins();    // lisp/builtins/drawing/layer_states.cpp
std::span<const BuiltinDescriptor> ScreenBuiltins();        // lisp/builtins/drawing/screen.cpp
std::span<const BuiltinDescriptor> DialogBuiltins();        // lisp/builtins/dialog/dcl.cpp

// The lambda builtin: calls of lambda forms by apply, mapcar and vl-sort recognise it.
LispStatus f_lambda(LispNode*& out, LispNode* args, CTqLISPImpl& engine);

// The shared descriptor of native functions (f_drxfunc, the table's last row) and the standalone
// f_xfunc descriptor of external-application functions.
const BuiltinDescriptor& NativeFunctionDescriptor();
const BuiltinDescriptor& ExternalFunctionDescriptor();
