// The engine stack: user programs recurse deeply (10,000 levels and more are ordinary), far
// beyond the 8 MiB a thread usually gets. Command lines therefore run on a lazily committed
// 256 MiB stack switched to with ucontext.
#include "lisp/core/stack_guard.h"

#include <sys/mman.h>
#include <ucontext.h>

#include <cstdint>
#include <cstdlib>

// GCC announces AddressSanitizer with a macro, clang only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define KELTORA_ASAN_FIBERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELTORA_ASAN_FIBERS 1
#endif
#endif
#ifdef KELTORA_ASAN_FIBERS
#include <sanitizer/common_interface_defs.h>
#endif

namespace stack_guard {
namespace {

constexpr std::size_t kStackSize = std::size_t(256) << 20;  // about 200,000 levels of user recursion
char* g_stackMemory = nullptr;

struct Trampoline {
    const std::function<void()>* work;
    ucontext_t caller;
    ucontext_t callee;
#ifdef KELTORA_ASAN_FIBERS
    const void* callerBottom = nullptr;
    std::size_t callerSize = 0;
#endif
};

Trampoline* g_trampoline = nullptr;

void Entry()
{
    Trampoline* trampoline = g_trampoline;
#ifdef KELTORA_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(nullptr, &trampoline->callerBottom, &trampoline->callerSize);
#endif
    (*trampoline->work)();
#ifdef KELTORA_ASAN_FIBERS
    __sanitizer_start_switch_fiber(nullptr, trampoline->callerBottom, trampoline->callerSize);
#endif
    swapcontext(&trampoline->callee, &trampoline->caller);
}

}  // namespace

char* g_stackLow = nullptr;
std::uintptr_t g_lowWater = 0;

bool ReachesMargin(std::uintptr_t here)
{
    if (here < reinterpret_cast<std::uintptr_t>(g_stackLow) + kSafetyMargin)
        return true;
    g_lowWater = here;
    return false;
}

void RunOnEngineStack(const std::function<void()>& work)
{
    if (g_stackLow) {
        work();
        return;
    }
    if (!g_stackMemory) {
        void* memory = mmap(nullptr, kStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (memory == MAP_FAILED) {
            work();  // no big stack to be had: run on the caller's, without the guard
            return;
        }
        g_stackMemory = static_cast<char*>(memory);
    }
    Trampoline trampoline;
    trampoline.work = &work;
    getcontext(&trampoline.callee);
    trampoline.callee.uc_stack.ss_sp = g_stackMemory;
    trampoline.callee.uc_stack.ss_size = kStackSize;
    trampoline.callee.uc_link = nullptr;
    makecontext(&trampoline.callee, &Entry, 0);
    Trampoline* savedTrampoline = g_trampoline;
    g_trampoline = &trampoline;
    g_stackLow = g_stackMemory;
    g_lowWater = reinterpret_cast<std::uintptr_t>(g_stackMemory + kStackSize);
#ifdef KELTORA_ASAN_FIBERS
    void* fakeStack = nullptr;
    __sanitizer_start_switch_fiber(&fakeStack, g_stackMemory, kStackSize);
#endif
    swapcontext(&trampoline.caller, &trampoline.callee);
#ifdef KELTORA_ASAN_FIBERS
    __sanitizer_finish_switch_fiber(fakeStack, nullptr, nullptr);
#endif
    g_stackLow = nullptr;
    // A deep recursion leaves many pages committed; give back all but the top few megabytes.
    constexpr std::size_t kKeep = std::size_t(16) << 20;
    if (g_lowWater < reinterpret_cast<std::uintptr_t>(g_stackMemory + kStackSize - kKeep))
        madvise(g_stackMemory, kStackSize - kKeep, MADV_DONTNEED);
    g_lowWater = 0;
    g_trampoline = savedTrampoline;
}

}  // namespace stack_guard
