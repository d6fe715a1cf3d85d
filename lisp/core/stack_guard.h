// Guards the C++ stack against deep recursion of the evaluator, reader and printer. Command
// lines run on a large stack of the engine's own (EngineStack); the guard reports exhaustion
// well before its end so the command line fails with an error instead of crashing.
#pragma once

#include <cstddef>
#include <functional>

namespace stack_guard {

// True when the current stack has less than a safety margin left.
bool NearlyExhausted();

// Runs `work` on the engine's large stack (made on first use); runs it directly when already
// there, so nested calls share one stack.
void RunOnEngineStack(const std::function<void()>& work);

}  // namespace stack_guard
