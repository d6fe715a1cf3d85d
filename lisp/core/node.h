// LispNode: the engine's single value cell.
//
// Every value lives in one fixed-size cell taken from the engine's heap (heap.h). A list is a
// node of type List (or DottedList) whose `first` points at the first element; the elements are
// chained through `next`. A node is an element of at most one chain; values are shared only
// through `first`, whose target carries a reference count. A cell is either free (type Free, on
// the free list, refs 0) or live (refs = number of holders).
#pragma once

#include <cstdint>
#include <string_view>

struct BuiltinDescriptor;

enum class NodeType : std::uint8_t {
    Nil = 0,
    Symbol = 1,
    List = 2,
    DottedList = 3,
    Integer = 4,
    Real = 5,
    ShortString = 6,  // up to 6 units held in the payload
    String = 7,       // text held by pointer
    File = 8,
    QuotingSubr = 9,  // builtin whose flags are 2 or 4
    Subr = 10,
    SymbolRef = 11,
    Constant = 12,  // T (payload byte 1) or nil (byte 0) as read
    ListEnd = 13,
    FileRecord = 14,
    Nothing = 15,
    DFun = 16,
    EntityName = 17,
    PickSet = 18,
    ExternalApp = 19,
    ExternalSubr = 20,
    Dialog = 21,
    IndexNode = 22,
    ULong = 23,
    NativeSubr = 24,
    NativePointer = 25,
    StringA26 = 26,
    StringA27 = 27,
    Reserved28 = 28,
    Reserved29 = 29,
    CatchAllError = 33,
    Free = 64,
};

namespace NodeFlag {
inline constexpr std::uint8_t OwnsBuffer = 1;    // strings: the node holds a reference to its text block
inline constexpr std::uint8_t Borrowed = 2;      // strings: the text is in place or not owned
inline constexpr std::uint8_t UserFunction = 4;  // lists made by defun
inline constexpr std::uint8_t Literal = 8;       // strings: printed quoted and escaped
inline constexpr std::uint8_t SpecialName = 16;  // symbols: "C:…" or *ERROR*, whose assignment does more
inline constexpr std::uint8_t FitsStackFrame = 32;  // function lists: few enough parameters for a call in a stack frame
inline constexpr std::uint8_t OwnsPayload = 0x80;
}  // namespace NodeFlag

inline constexpr int kShortStringUnits = 6;

struct LispNode {
    NodeType type;
    std::uint8_t flags;
    LispNode* first;
    LispNode* next;
    union Payload {
        char16_t inplace[12];
        std::uint64_t words[3];
        std::int32_t integer;
        double real;
        struct {
            char16_t* text;
            std::uint64_t length;
        } string;
        struct {
            LispNode* name;
            LispNode* value;
        } symbol;
        const BuiltinDescriptor* descriptor;
        struct {
            std::uint64_t state;
            void* device;
        } record;
    } payload;
    std::uint32_t refs;
};

static_assert(sizeof(LispNode::Payload) == 24, "payload holds three words");

// --- predicates ------------------------------------------------------------------------------

inline bool IsNil(const LispNode* node)
{
    if (!node)
        return false;
    switch (node->type) {
    case NodeType::Nil: return true;
    case NodeType::List:
    case NodeType::DottedList: return node->first == nullptr;
    case NodeType::Constant: return node->payload.inplace[0] == 0;
    default: return false;
    }
}

inline bool IsT(const LispNode* node) { return node && node->type == NodeType::Constant && node->payload.inplace[0] != 0; }

inline bool IsAtom(const LispNode* node)
{
    if (!node)
        return false;
    if (node->type == NodeType::List || node->type == NodeType::DottedList)
        return node->first == nullptr;
    return true;
}

inline bool IsList(const LispNode* node)
{
    if (!node)
        return false;
    switch (node->type) {
    case NodeType::Nil: return true;
    case NodeType::List:
    case NodeType::DottedList: return (node->flags & NodeFlag::UserFunction) == 0;
    case NodeType::Constant: return node->payload.inplace[0] == 0;
    default: return false;
    }
}

// A list or dotted list with at least one element.
inline bool IsConsList(const LispNode* node)
{
    return node && (node->type == NodeType::List || node->type == NodeType::DottedList) && node->first;
}

inline bool IsStringNode(const LispNode* node)
{
    return node && (node->type == NodeType::ShortString || node->type == NodeType::String || node->type == NodeType::CatchAllError);
}
inline bool IsInteger(const LispNode* node) { return node && node->type == NodeType::Integer; }
inline bool IsReal(const LispNode* node) { return node && node->type == NodeType::Real; }
inline bool IsNumber(const LispNode* node) { return IsInteger(node) || IsReal(node); }
inline double NumberValue(const LispNode* node) { return node->type == NodeType::Integer ? double(node->payload.integer) : node->payload.real; }
inline bool IsSymbolRef(const LispNode* node) { return node && node->type == NodeType::SymbolRef; }
inline bool IsBuiltin(const LispNode* node)
{
    return node && (node->type == NodeType::QuotingSubr || node->type == NodeType::Subr || node->type == NodeType::ExternalSubr || node->type == NodeType::NativeSubr);
}
// A user function: a list whose first element is a list (the parameter list) or nil.
inline bool IsFunctionList(const LispNode* node)
{
    return node && node->type == NodeType::List && node->first &&
           (node->first->type == NodeType::List || IsNil(node->first));
}

// The text of a string node (codes 6, 7 and 33); empty for anything else.
inline std::u16string_view StringText(const LispNode* node)
{
    if (node->type == NodeType::ShortString) {
        std::size_t length = 0;
        while (length < kShortStringUnits && node->payload.inplace[length])
            ++length;
        return {node->payload.inplace, length};
    }
    if (node->type == NodeType::String || node->type == NodeType::CatchAllError)
        return node->payload.string.text ? std::u16string_view(node->payload.string.text, node->payload.string.length) : std::u16string_view();
    return {};
}

// Symbol nodes (type Symbol).
inline LispNode* SymbolValue(const LispNode* symbol) { return symbol->payload.symbol.value; }
inline std::u16string_view SymbolName(const LispNode* symbol) { return StringText(symbol->payload.symbol.name); }
// The symbol a symbol reference (type SymbolRef) points at.
inline LispNode* ReferencedSymbol(const LispNode* reference) { return reference->first; }

inline std::uint64_t ListLength(const LispNode* list)
{
    std::uint64_t count = 0;
    for (const LispNode* element = list ? list->first : nullptr; element; element = element->next)
        ++count;
    return count;
}
