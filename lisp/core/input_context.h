// Input contexts: where the reader takes its text from. The engine holds the console context
// itself; loading a file pushes a file context in front, and popping restores the previous one.
#pragma once

#include <cstdint>
#include <string>

struct LispNode;

inline constexpr std::size_t kInputCapacity = 64064;

enum class InputKind : std::uint8_t {
    Console = 0,  // refilled by prompting the user
    Text = 2,     // no refill: the end of the buffer is the end of input
    File = 3,     // refilled line by line from `source`
};

namespace InputState {
inline constexpr std::uint16_t ContentSeen = 2;  // header check done
inline constexpr std::uint16_t Protected = 128;  // lines pass through the decoding reader
}  // namespace InputState

struct InputContext {
    InputKind kind = InputKind::Console;
    std::u16string buffer;
    std::size_t cursor = 0;
    std::uint16_t state = 0;
    LispNode* source = nullptr;  // file node of a file context (owned by the loader)
    InputContext* previous = nullptr;
};
