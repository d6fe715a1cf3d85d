// Guards the C++ stack against deep recursion of the evaluator, reader and printer. Command
// lines run on a large stack of the engine's own (EngineStack); the guard reports exhaustion
// well before its end so the command line fails with an error instead of crashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace stack_guard {

// The engine stack is one per process, like the host's command line that runs engines on its
// main thread; its bounds are plain globals so the evaluator's check on every call stays cheap
// (thread-local storage in a loaded module costs a library call per access).
extern char* g_stackLow;  // lowest usable address of the engine stack while on it, else null
// The deepest address the guard has passed on the engine stack, never closer to its end than
// the safety margin; 0 off the engine stack, where nothing is checked.
extern std::uintptr_t g_lowWater;
inline constexpr std::size_t kSafetyMargin = std::size_t(1) << 20;

bool ReachesMargin(std::uintptr_t here);

// True when the current stack has less than a safety margin left. A call no deeper than any
// before it passed the check already; only a new low is measured against the margin.
inline bool NearlyExhausted()
{
    char probe;
    const auto here = reinterpret_cast<std::uintptr_t>(&probe);
    if (here >= g_lowWater) [[likely]]
        return false;
    return ReachesMargin(here);
}

// Runs `work` on the engine's large stack (made on first use); runs it directly when already
// there, so nested calls share one stack.
void RunOnEngineStack(const std::function<void()>& work);

}  // namespace stack_guard
