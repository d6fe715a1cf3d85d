// Guards the C++ stack against deep recursion of the evaluator, reader and printer. Command
// lines run on a large stack of the engine's own (EngineStack); the guard reports exhaustion
// well before its end so the command line fails with an error instead of crashing.
#pragma once

#include <cstddef>
#include <functional>

namespace stack_guard {

// The engine stack is one per process, like the host's command line that runs engines on its
// main thread; its bounds are plain globals so the evaluator's check on every call stays cheap
// (thread-local storage in a loaded module costs a library call per access).
extern char* g_stackLow;  // lowest usable address of the engine stack while on it, else null
extern char* g_lowWater;  // deepest address the guard saw on the engine stack
inline constexpr std::size_t kSafetyMargin = std::size_t(1) << 20;

// True when the current stack has less than a safety margin left.
inline bool NearlyExhausted()
{
    char probe;
    char* here = &probe;
    if (!g_stackLow)
        return false;
    if (here < g_lowWater)
        g_lowWater = here;
    return here < g_stackLow + kSafetyMargin;
}

// Runs `work` on the engine's large stack (made on first use); runs it directly when already
// there, so nested calls share one stack.
void RunOnEngineStack(const std::function<void()>& work);

}  // namespace stack_guard
