// The node heap: segments of fixed-size cells, the free list, the constructors every other part
// uses to make values, copying and reference-counted release.
//
// Invariants: a cell is either free (type Free, refs 0, on the free list) or live (refs = number
// of holders); iNodes = live cells + iFreeNodes. A value is shared only through `first`; the
// node `first` points at carries the count for everything reachable along its `next` chain.
#include "lisp/core/engine.h"
#include "lisp/core/text_block.h"
#include "lisp/core/lisp_io_device.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <vector>

struct CTqLISPImpl::SegmentDirectory {
    static constexpr int kEntries = 50;
    SegmentDirectory* next = nullptr;
    int cursor = 0;
    struct Entry {
        LispNode* cells = nullptr;
        std::uint16_t count = 0;
    } entries[kEntries];
};

LispStatus CTqLISPImpl::GrowHeap()
{
    if (m_nodeLimit != 0 && std::uint64_t(m_nodes) + std::uint64_t(m_segmentSize) > m_nodeLimit)
        return LispStatus::NoMoreHeap;
    if (!m_directory || m_directory->cursor >= SegmentDirectory::kEntries) {
        auto* block = new (std::nothrow) SegmentDirectory();
        if (!block)
            return LispStatus::NoMoreHeap;
        block->next = m_directory;
        m_directory = block;
    }
    auto* cells = static_cast<LispNode*>(::operator new(sizeof(LispNode) * std::size_t(m_segmentSize), std::nothrow));
    if (!cells)
        return LispStatus::NoMoreHeap;
    m_nodes += std::uint32_t(m_segmentSize);
    for (int i = 0; i < m_segmentSize; ++i) {
        LispNode* cell = &cells[i];
        cell->type = NodeType::Nil;  // fresh memory: whatever it holds, the cell is no free one yet
        cell->refs = 0;
        FreeRun(cell);
    }
    auto& entry = m_directory->entries[m_directory->cursor++];
    entry.cells = cells;
    entry.count = std::uint16_t(m_segmentSize);
    ++m_segments;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::AllocNodes(int count, LispNode*& out)
{
    out = nullptr;
    if (count < 1)
        return LispStatus::Ok;
    if (m_failAfter >= 0) {
        if (m_failAfter == 0)
            return LispStatus::NoMoreHeap;
        --m_failAfter;
    }
    while (std::uint32_t(count) > m_freeNodes) {
        const std::uint32_t before = m_freeNodes;
        LISP_TRY(GrowHeap());
        if (m_freeNodes == before)
            return LispStatus::NoMoreHeap;
    }
    LispNode* head = m_freeList;
    LispNode* cell = head;
    for (int i = 0; i < count; ++i) {
        LISP_ASSERT(cell && cell->type == NodeType::Free, "free list holds a live cell");
        cell->first = nullptr;
        cell->refs = 1;
        if (i == count - 1) {
            m_freeList = cell->next;
            cell->next = nullptr;
        } else {
            cell = cell->next;
        }
    }
    m_freeNodes -= std::uint32_t(count);
    out = head;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::NewNodeSlow(NodeType type, LispNode*& out)
{
    LISP_TRY(AllocNodes(1, out));
    out->type = type;
    out->flags = 0;
    out->payload.words[0] = out->payload.words[1] = out->payload.words[2] = 0;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeT(LispNode*& out)
{
    LISP_TRY(NewNode(NodeType::Constant, out));
    out->payload.inplace[0] = 1;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeNilConstant(LispNode*& out) { return NewNode(NodeType::Constant, out); }

LispStatus CTqLISPImpl::MakeEntityName(std::uint64_t word1, std::uint64_t word2, LispNode*& out)
{
    LISP_TRY(NewNode(NodeType::EntityName, out));
    out->payload.words[0] = word1;
    out->payload.words[1] = word2;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakePickSet(std::uint64_t word1, std::uint64_t word2, LispNode*& out)
{
    out = nullptr;
    const short result = m_services ? m_services->ConfirmSelectionSet(word1, word2) : short(tq::kFailure);
    if (result != tq::kNormal)
        return MapHostStatus(result, out);
    LISP_TRY(NewNode(NodeType::PickSet, out));
    out->payload.words[0] = word1;
    out->payload.words[1] = word2;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeDialog(std::uint64_t handle, LispNode*& out)
{
    LISP_TRY(NewNode(NodeType::Dialog, out));
    out->payload.words[0] = handle;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeULong(std::uint64_t value, LispNode*& out)
{
    LISP_TRY(NewNode(NodeType::ULong, out));
    out->payload.words[0] = value;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeBuiltin(const BuiltinDescriptor* descriptor, LispNode*& out)
{
    const bool quoting = descriptor->flags == EvalMode::QuoteFirst || descriptor->flags == EvalMode::Setq;
    LISP_TRY(NewNode(quoting ? NodeType::QuotingSubr : NodeType::Subr, out));
    out->payload.descriptor = descriptor;
    out->flags = descriptor->flags;
    return LispStatus::Ok;
}

namespace {

// Puts text into a string node as a fresh node would hold it: in place when short, else in an
// owned buffer. The literal flag is left to the caller.
bool StoreText(LispNode* node, std::u16string_view text)
{
    if (text.size() <= std::size_t(kShortStringUnits)) {
        node->type = NodeType::ShortString;
        node->flags = std::uint8_t((node->flags & ~(NodeFlag::OwnsBuffer | NodeFlag::Borrowed)) | NodeFlag::Borrowed);
        std::memset(node->payload.inplace, 0, sizeof node->payload.inplace);
        if (!text.empty())
            std::memcpy(node->payload.inplace, text.data(), text.size() * sizeof(char16_t));
        return true;
    }
    char16_t* buffer = text_block::Copy(text.data(), text.size());
    if (!buffer)
        return false;
    node->type = NodeType::String;
    node->flags = std::uint8_t((node->flags & ~(NodeFlag::OwnsBuffer | NodeFlag::Borrowed)) | NodeFlag::OwnsBuffer);
    node->payload.string.text = buffer;
    node->payload.string.length = text.size();
    return true;
}

}  // namespace

LispStatus CTqLISPImpl::MakeString(std::u16string_view text, LispNode*& out)
{
    out = nullptr;
    if (text.size() > kMaxStringUnits)
        return LispStatus::NoMoreHeap;
    LispNode* node = nullptr;
    LISP_TRY(NewNode(NodeType::ShortString, node));
    if (!StoreText(node, text)) {
        Release(node);
        return LispStatus::NoMoreHeap;
    }
    out = node;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeLiteralStringToFill(std::size_t units, char16_t*& target, LispNode*& out)
{
    out = nullptr;
    target = nullptr;
    if (units > kMaxStringUnits)
        return LispStatus::NoMoreHeap;
    LispNode* node = nullptr;
    LISP_TRY(NewNode(NodeType::ShortString, node));
    if (units <= std::size_t(kShortStringUnits)) {
        node->flags = NodeFlag::Borrowed | NodeFlag::Literal;
        std::memset(node->payload.inplace, 0, sizeof node->payload.inplace);
        target = node->payload.inplace;
    } else {
        char16_t* buffer = text_block::Allocate(units);
        if (!buffer) {
            Release(node);
            return LispStatus::NoMoreHeap;
        }
        buffer[units] = 0;
        node->type = NodeType::String;
        node->flags = NodeFlag::OwnsBuffer | NodeFlag::Literal;
        node->payload.string.text = buffer;
        node->payload.string.length = units;
        target = buffer;
    }
    out = node;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeLiteralString(std::u16string_view text, LispNode*& out)
{
    LISP_TRY(MakeString(text, out));
    out->flags |= NodeFlag::Literal;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeStaticString(const char16_t* text, LispNode*& out)
{
    static const char16_t kEmpty[] = u"";
    LISP_TRY(NewNode(NodeType::String, out));
    out->flags = NodeFlag::Borrowed;
    out->payload.string.text = const_cast<char16_t*>(text ? text : kEmpty);
    out->payload.string.length = std::char_traits<char16_t>::length(out->payload.string.text);
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::AssignString(LispNode* node, std::u16string_view text)
{
    if (text.size() > kMaxStringUnits)
        return LispStatus::NoMoreHeap;
    if (node->type == NodeType::String && (node->flags & NodeFlag::OwnsBuffer)) {
        text_block::Release(node->payload.string.text);
        node->payload.string.text = nullptr;
        node->flags &= std::uint8_t(~NodeFlag::OwnsBuffer);
    }
    return StoreText(node, text) ? LispStatus::Ok : LispStatus::NoMoreHeap;
}

LispStatus CTqLISPImpl::MakeSymbolRef(LispNode* symbol, LispNode*& out)
{
    LISP_TRY(NewNode(NodeType::SymbolRef, out));
    out->first = symbol;
    ++symbol->refs;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeSymbolRef(std::u16string_view name, LispNode*& out)
{
    LispNode* symbol = nullptr;
    LISP_TRY(Intern(name, symbol));
    return MakeSymbolRef(symbol, out);
}

LispStatus CTqLISPImpl::MakeCatchAllError(std::u16string_view message, LispNode*& out)
{
    LISP_TRY(MakeString(message, out));
    if (out->type == NodeType::ShortString) {
        // The error object always owns its text by pointer, like a long string.
        char16_t* buffer = text_block::Copy(message.data(), message.size());
        if (!buffer) {
            Release(out);
            out = nullptr;
            return LispStatus::NoMoreHeap;
        }
        out->payload.string.text = buffer;
        out->payload.string.length = message.size();
        out->flags = NodeFlag::OwnsBuffer;
    }
    out->type = NodeType::CatchAllError;
    return LispStatus::Ok;
}

namespace {

// A list with one new element per value, made by `make`.
template <typename Value, typename Make>
LispStatus MakeListOf(CTqLISPImpl& engine, std::span<const Value> values, Make make, LispNode*& out)
{
    NodeRef list(engine);
    LISP_TRY(engine.MakeEmptyList(list.slot()));
    LispNode* tail = nullptr;
    for (const Value value : values) {
        LispNode* element = nullptr;
        LISP_TRY(make(value, element));
        (tail ? tail->next : list->first) = element;
        tail = element;
    }
    out = list.take();
    return LispStatus::Ok;
}

}  // namespace

LispStatus CTqLISPImpl::MakeRealList(std::span<const double> values, LispNode*& out)
{
    return MakeListOf(*this, values, [this](double value, LispNode*& element) { return MakeReal(value, element); }, out);
}

LispStatus CTqLISPImpl::MakeIntegerList(std::span<const std::int32_t> values, LispNode*& out)
{
    return MakeListOf(*this, values, [this](std::int32_t value, LispNode*& element) { return MakeInteger(value, element); }, out);
}

LispStatus CTqLISPImpl::MakeMatrix(const double (&values)[16], LispNode*& out)
{
    NodeRef matrix(*this);
    LISP_TRY(MakeEmptyList(matrix.slot()));
    LispNode* tail = nullptr;
    for (int row = 0; row < 4; ++row) {
        LispNode* rowList = nullptr;
        LISP_TRY(MakeRealList(std::span<const double>(values + row * 4, 4), rowList));
        (tail ? tail->next : matrix->first) = rowList;
        tail = rowList;
    }
    out = matrix.take();
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::MakeFile(CTqLispIODevice* device, LispNode*& out)
{
    NodeRef file(*this);
    LISP_TRY(NewNode(NodeType::File, file.slot()));
    LispNode* record = nullptr;
    if (const LispStatus status = NewNode(NodeType::FileRecord, record); Failed(status)) {
        delete device;
        return status;
    }
    record->payload.record.state = 1;
    record->payload.record.device = device;
    record->next = m_openFiles;
    m_openFiles = record;
    file->first = record;
    out = file.take();
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::CopyNodeSlow(const LispNode* source, LispNode*& out)
{
    out = nullptr;
    if (!source)
        return LispStatus::MissingParameter;
    switch (source->type) {
    case NodeType::String:
        if (source->flags & NodeFlag::OwnsBuffer) {
            // The copy shares the text block.
            LISP_TRY(NewNode(NodeType::String, out));
            out->flags = source->flags;
            out->payload = source->payload;
            text_block::Retain(out->payload.string.text);
            return LispStatus::Ok;
        }
        break;
    case NodeType::CatchAllError:
        return MakeCatchAllError(StringText(source), out);
    case NodeType::PickSet: {
        if (source->payload.words[0] == 0 && source->payload.words[1] == 0)
            return MakeNil(out);
        const short result = m_services ? m_services->ConfirmSelectionSet(source->payload.words[0], source->payload.words[1]) : short(tq::kFailure);
        if (result != tq::kNormal)
            return MapHostStatus(result, out);
        break;
    }
    case NodeType::Nil: case NodeType::List: case NodeType::DottedList: case NodeType::Integer:
    case NodeType::Real: case NodeType::ShortString: case NodeType::File: case NodeType::QuotingSubr:
    case NodeType::Subr: case NodeType::SymbolRef: case NodeType::Constant: case NodeType::Nothing:
    case NodeType::EntityName: case NodeType::ExternalSubr: case NodeType::Dialog: case NodeType::ULong:
    case NodeType::NativeSubr: case NodeType::NativePointer:
        break;
    default:
        return LispStatus::InvalidParameter;
    }
    LispNode* copy = nullptr;
    LISP_TRY(AllocNodes(1, copy));
    if (IsNil(source)) {
        copy->type = NodeType::Nil;
        copy->flags = 0;
        copy->payload.words[0] = copy->payload.words[1] = copy->payload.words[2] = 0;
    } else {
        copy->type = source->type;
        copy->flags = source->flags;
        copy->first = source->first;
        copy->payload = source->payload;
        if (copy->first)
            ++copy->first->refs;
    }
    out = copy;
    return LispStatus::Ok;
}

void CTqLISPImpl::ReleaseChain(LispNode* chain)
{
    while (chain) {
        if (chain->refs > 1) {
            --chain->refs;
            return;
        }
        const bool reference = chain->type == NodeType::SymbolRef;
        if (chain->refs == 1 && (reference || (chain->type == NodeType::String && !chain->first))) {
            LispNode* following = chain->next;
            if (reference)
                LetGoOfSymbol(chain);
            else
                LetGoOfText(chain);
            chain->refs = 0;
            FreeRun(chain);
            chain = following;
            continue;
        }
        if (chain->refs != 1 || !IsPlainFree(chain->type)) {
            (void)ReleaseChecked(chain);
            return;
        }
        LispNode* following = chain->next;
        if (LispNode* shared = chain->first) {
            if (shared->refs > 1)
                --shared->refs;  // the elements stay with their other holders
            else
                (void)ReleaseChecked(shared);
            chain->first = nullptr;
        }
        chain->refs = 0;
        FreeRun(chain);
        chain = following;
    }
}

LispStatus CTqLISPImpl::ReleaseChecked(LispNode* chain)
{
    // Chains waiting to be released; an explicit stack keeps deep nesting off the C stack.
    LispNode* inlinePending[32];
    std::vector<LispNode*> spilled;
    int inlineCount = 0;
    auto push = [&](LispNode* node) {
        if (!node)
            return;
        if (inlineCount < 32)
            inlinePending[inlineCount++] = node;
        else
            spilled.push_back(node);
    };
    auto pop = [&]() -> LispNode* {
        if (!spilled.empty()) {
            LispNode* node = spilled.back();
            spilled.pop_back();
            return node;
        }
        return inlineCount > 0 ? inlinePending[--inlineCount] : nullptr;
    };

    LispStatus status = LispStatus::Ok;
    push(chain);
    while (LispNode* node = pop()) {
        while (node) {
            if (node->type == NodeType::Free) {
                if ((m_outputMode & OutputMode::ChannelMask) != 0 && !m_outputSuppressed)
                    (void)Output(u"Warning: There is still a connection to a free node.");
                break;
            }
            if (node->refs > 0)
                --node->refs;
            if (node->refs > 0)
                break;  // the rest of the chain is still reached through this node
            LispNode* following = node->next;
            switch (node->type) {
            case NodeType::Symbol:
                ++node->refs;  // symbols live until the heap shuts down
                following = nullptr;
                break;
            case NodeType::String:
            case NodeType::CatchAllError:
                LetGoOfText(node);
                push(node->first);
                FreeRun(node);
                break;
            case NodeType::File: {
                LispNode* record = node->first;
                if (record && record->refs > 0 && --record->refs == 0) {
                    if (record->payload.record.state == 1) {
                        auto* device = static_cast<CTqLispIODevice*>(record->payload.record.device);
                        if (device) {
                            device->close();
                            delete device;
                        }
                        record->payload.record.device = nullptr;
                        record->payload.record.state = 0;
                    }
                    // Unlink the finished record from the open-file chain and free it.
                    for (LispNode** link = &m_openFiles; *link; link = &(*link)->next) {
                        if (*link == record) {
                            *link = record->next;
                            break;
                        }
                    }
                    FreeRun(record);
                }
                FreeRun(node);
                break;
            }
            case NodeType::QuotingSubr:
            case NodeType::Subr:
            case NodeType::ExternalSubr:
            case NodeType::NativeSubr:
                push(node->first);
                FreeRun(node);
                break;
            case NodeType::PickSet:
                if (m_services && (node->payload.words[0] || node->payload.words[1]))
                    (void)m_services->FreeSelectionSet(node->payload.words[0], node->payload.words[1]);
                FreeRun(node);
                break;
            case NodeType::ExternalApp:
                push(node->first);
                FreeRun(node);
                following = nullptr;
                break;
            case NodeType::SymbolRef:
                LetGoOfSymbol(node);
                FreeRun(node);
                break;
            case NodeType::Nil: case NodeType::List: case NodeType::DottedList: case NodeType::Integer:
            case NodeType::Real: case NodeType::ShortString: case NodeType::Constant: case NodeType::Nothing:
            case NodeType::DFun: case NodeType::EntityName: case NodeType::Dialog: case NodeType::ULong:
            case NodeType::NativePointer: case NodeType::FileRecord: case NodeType::IndexNode:
                push(node->first);
                FreeRun(node);
                break;
            default:
                status = LispStatus::InvalidParameter;
                following = nullptr;
                break;
            }
            node = following;
        }
    }
    return status;
}

LispStatus CTqLISPImpl::TextOf(const LispNode* node, std::u16string_view& text) const
{
    if (!node)
        return LispStatus::InvalidOperand;
    if (!IsStringNode(node))
        return LispStatus::InvalidParameter;
    text = StringText(node);
    return LispStatus::Ok;
}

bool CTqLISPImpl::CheckHeap() const
{
    std::uint32_t cells = 0;
    std::uint32_t freeCells = 0;
    for (const SegmentDirectory* block = m_directory; block; block = block->next) {
        for (int i = 0; i < block->cursor; ++i) {
            const auto& entry = block->entries[i];
            cells += entry.count;
            for (int c = 0; c < entry.count; ++c) {
                const LispNode& cell = entry.cells[c];
                if (cell.type == NodeType::Free) {
                    if (cell.refs != 0)
                        return false;
                    ++freeCells;
                } else if (cell.refs == 0) {
                    return false;
                }
            }
        }
    }
    std::uint32_t listed = 0;
    for (const LispNode* cell = m_freeList; cell; cell = cell->next) {
        if (cell->type != NodeType::Free || ++listed > cells)
            return false;
    }
    return cells == m_nodes && freeCells == m_freeNodes && listed == m_freeNodes;
}

void CTqLISPImpl::ShutdownHeap()
{
    m_index.clear();
    m_indexSize = 0;
    m_symbolsByName.clear();
    // Symbols with their values, names and save stacks; symbols are never freed before this.
    for (LispNode* symbol = m_symbols; symbol; symbol = symbol->next) {
        Release(symbol->payload.symbol.value);
        symbol->payload.symbol.value = nullptr;
        Release(symbol->payload.symbol.name);
        symbol->payload.symbol.name = nullptr;
        Release(symbol->first);
        symbol->first = nullptr;
    }
    m_symbols = nullptr;
    for (LispNode* record = m_openFiles; record; record = record->next) {
        if (record->payload.record.state == 1) {
            auto* device = static_cast<CTqLispIODevice*>(record->payload.record.device);
            if (device) {
                device->close();
                delete device;
            }
            record->payload.record.state = 0;
        }
    }
    m_openFiles = nullptr;
    // Owned string buffers of cells still alive (a leak elsewhere) are freed with the segments.
    while (SegmentDirectory* block = m_directory) {
        for (int i = 0; i < block->cursor; ++i) {
            auto& entry = block->entries[i];
            for (int c = 0; c < entry.count; ++c) {
                LispNode& cell = entry.cells[c];
                if ((cell.type == NodeType::String || cell.type == NodeType::CatchAllError) && (cell.flags & NodeFlag::OwnsBuffer))
                    text_block::Release(cell.payload.string.text);
            }
            ::operator delete(entry.cells);
            m_freeNodes -= std::min<std::uint32_t>(m_freeNodes, entry.count);
            m_nodes -= entry.count;
        }
        m_directory = block->next;
        delete block;
    }
    m_freeNodes = 0;
    m_freeList = nullptr;
    m_segments = 0;
}

// Selection sets of one document (or all) lose their host set; their nodes become nil.
short CTqLISPImpl::ReleaseSelectionSets(std::uint32_t document)
{
    short result = tq::kNormal;
    for (const SegmentDirectory* block = m_directory; block; block = block->next) {
        for (int i = 0; i < block->cursor; ++i) {
            for (int c = 0; c < block->entries[i].count; ++c) {
                LispNode& cell = block->entries[i].cells[c];
                if (cell.type != NodeType::PickSet || !m_services)
                    continue;
                const std::uint64_t word1 = cell.payload.words[0];
                const std::uint64_t word2 = cell.payload.words[1];
                if (document != 0xFFFFFFFFu && m_services->SelectionSetDocument(word1, word2) != document)
                    continue;
                cell.type = NodeType::Nil;
                if (m_services->FreeSelectionSet(word1, word2) != tq::kNormal)
                    result = tq::kError;
            }
        }
    }
    return result;
}


std::uint32_t CTqLISPImpl::CountReachableNodes() const
{
    // Every live cell must be reachable from a root: the symbol chain (with names, values and
    // save stacks), the index cells, open files, dialogs, the call history and the error detail.
    // Cells are marked in a bitmap over the segments, found by address: a hash set of visited
    // cells would make the check of a heap of millions of cells take seconds.
    struct Segment {
        const LispNode* cells;
        std::uint32_t count;
        std::size_t firstBit;
    };
    std::vector<Segment> segments;
    std::size_t bits = 0;
    for (const SegmentDirectory* block = m_directory; block; block = block->next) {
        for (int i = 0; i < block->cursor; ++i) {
            segments.push_back({block->entries[i].cells, block->entries[i].count, 0});
        }
    }
    std::sort(segments.begin(), segments.end(), [](const Segment& a, const Segment& b) { return std::less<const LispNode*>()(a.cells, b.cells); });
    for (Segment& segment : segments) {
        segment.firstBit = bits;
        bits += segment.count;
    }
    std::vector<bool> marked(bits);
    std::uint32_t reached = 0;
    std::vector<const LispNode*> pending;
    auto visit = [&](const LispNode* node) {
        if (!node)
            return;
        auto after = std::upper_bound(segments.begin(), segments.end(), node,
                                      [](const LispNode* cell, const Segment& segment) { return std::less<const LispNode*>()(cell, segment.cells); });
        if (after == segments.begin())
            return;  // not a heap cell
        const Segment& segment = *(after - 1);
        const std::size_t offset = std::size_t(node - segment.cells);
        if (offset >= segment.count)
            return;
        const std::size_t bit = segment.firstBit + offset;
        if (marked[bit])
            return;
        marked[bit] = true;
        ++reached;
        pending.push_back(node);
    };
    for (const LispNode* symbol = m_symbols; symbol; symbol = symbol->next)
        visit(symbol);
    visit(m_indexCells);
    visit(m_openFiles);
    visit(m_dialogs);
    visit(m_callHistory);
    visit(m_errorDetail);
    while (!pending.empty()) {
        const LispNode* node = pending.back();
        pending.pop_back();
        visit(node->first);
        if (node->type == NodeType::Symbol) {
            visit(node->payload.symbol.name);
            visit(node->payload.symbol.value);
            continue;  // the symbol chain is walked from its head
        }
        visit(node->next);
    }
    return reached;
}

LispStatus ListBuilder::AppendCopy(const LispNode* value)
{
    LISP_TRY(Begin());
    LispNode* copy = nullptr;
    LISP_TRY(m_list.owner().CopyNode(value, copy));
    Append(copy);
    return LispStatus::Ok;
}

LispStatus ListBuilder::Finish(LispNode*& out, bool emptyIsNil)
{
    LISP_TRY(Begin());
    if (emptyIsNil && !m_list->first)
        m_list->type = NodeType::Nil;
    out = m_list.take();
    m_tail = nullptr;
    return LispStatus::Ok;
}
