// getvar and setvar: system variables through the host's unit services.
#pragma once

#include "lisp/core/status.h"

class CTqLISPImpl;
struct LispNode;

// (getvar name): the value, or nil for a variable the host does not know.
LispStatus GetSystemVariable(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
// (setvar name value): the value given, nil when the host refuses the value.
LispStatus SetSystemVariable(LispNode*& out, LispNode* args, CTqLISPImpl& engine);
