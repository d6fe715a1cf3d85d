// The one door to the engine for the module frame: making and destroying engines, without the
// engine's internals.
#pragma once

class CTqLISP;

// A new engine, constructed but not started; null when memory is exhausted.
CTqLISP* CreateLispEngine() noexcept;
// Destroys an engine made by CreateLispEngine; null is allowed.
void DestroyLispEngine(CTqLISP* engine) noexcept;
