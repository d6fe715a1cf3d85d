// The printer, in two stages: RenderNode turns a node into text fragments (string literals
// quoted and escaped), WriteFragment filters each fragment by the print mode (princ strips the
// quotes and interprets the escapes) and writes it to a file or the console.
#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"
#include "lisp/core/lisp_io_device.h"
#include "lisp/core/stack_guard.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::size_t kMaxFragmentUnits = 16389;

std::u16string Ascii(const char* text)
{
    std::u16string result;
    while (*text)
        result.push_back(char16_t(static_cast<unsigned char>(*text++)));
    return result;
}

template <typename... Values>
std::u16string Formatted(const char* format, Values... values)
{
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return Ascii(buffer);
}

bool IsHexUpper(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

int HexValue(char16_t c) { return c <= u'9' ? c - u'0' : c - u'A' + 10; }

// Stage one for a literal: control units become backslash sequences, quotes and backslashes
// are escaped, and a spelled-out \U+XXXX becomes the unit it names.
std::u16string EscapeLiteral(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size() + 2);
    out.push_back(u'"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 32) {
            if (c == u'\n' && i == 0 && text.size() >= 2) {
                out.push_back(c);
                continue;
            }
            switch (c) {
            case u'\t': out += u"\\t"; break;
            case u'\n': out += u"\\n"; break;
            case u'\r': out += u"\\r"; break;
            case 27: out += u"\\e"; break;
            default: out += Formatted("\\%03o", unsigned(c)); break;
            }
        } else if (c == u'"') {
            out += u"\\\"";
        } else if (c == u'\\') {
            if (i + 6 < text.size() && text.substr(i + 1, 2) == u"U+" && IsHexUpper(text[i + 3]) &&
                IsHexUpper(text[i + 4]) && IsHexUpper(text[i + 5]) && IsHexUpper(text[i + 6])) {
                out.push_back(char16_t(HexValue(text[i + 3]) << 12 | HexValue(text[i + 4]) << 8 | HexValue(text[i + 5]) << 4 | HexValue(text[i + 6])));
                i += 6;
            } else {
                out += u"\\\\";
            }
        } else {
            out.push_back(c);
        }
    }
    out.push_back(u'"');
    return out;
}

// Stage two: what princ and prin1 make of one fragment.
std::u16string FilterFragment(std::u16string_view fragment, int mode)
{
    std::u16string stripped;
    stripped.reserve(fragment.size());
    if (mode & PrintMode::StripQuotes) {
        for (std::size_t i = 0; i < fragment.size(); ++i) {
            const char16_t c = fragment[i];
            if (c == u'"' || c == 1)
                continue;
            stripped.push_back(c);
            if (c == u'\\' && i + 1 < fragment.size())
                stripped.push_back(fragment[++i]);
        }
    } else {
        for (char16_t c : fragment)
            stripped.push_back(c == 1 ? u' ' : c);
    }
    std::u16string out;
    out.reserve(stripped.size());
    if (!(mode & PrintMode::InterpretEscapes)) {
        for (std::size_t i = 0; i < stripped.size(); ++i) {
            if (stripped[i] == u'\\' && i + 1 < stripped.size() && stripped[i + 1] == u'\'')
                continue;
            out.push_back(stripped[i]);
        }
        return out;
    }
    for (std::size_t i = 0; i < stripped.size(); ++i) {
        const char16_t c = stripped[i];
        if (c != u'\\' || i + 1 >= stripped.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t e = stripped[++i];
        if (e == u'"' || e == u'\'' || e == u'\\') {
            out.push_back(e);
        } else if (e >= u'0' && e <= u'7') {
            int value = e - u'0';
            for (int digits = 1; digits < 3 && i + 1 < stripped.size() && stripped[i + 1] >= u'0' && stripped[i + 1] <= u'7'; ++digits)
                value = value * 8 + (stripped[++i] - u'0');
            if (value < 32)
                return out;  // a NUL ends the text
            out.push_back(char16_t(value));
        } else if (e == u'e') {
            out.push_back(27);
        } else if (e == u'n') {
            if (out.empty() || out.back() != u'\r')
                out.push_back(u'\r');
            out.push_back(u'\n');
        } else if (e == u'r') {
            out.push_back(u'\r');
        } else if (e == u't') {
            out.push_back(u'\t');
        } else {
            out.push_back(u'\\');
            out.push_back(e);
        }
    }
    return out;
}

std::uint32_t High(const void* pointer) { return std::uint32_t(reinterpret_cast<std::uintptr_t>(pointer) >> 32); }
std::uint32_t Low(const void* pointer) { return std::uint32_t(reinterpret_cast<std::uintptr_t>(pointer)); }

}  // namespace

LispStatus CTqLISPImpl::RenderReal(double value, std::u16string& text)
{
    std::int32_t whole = INT32_MIN;  // what an out-of-range truncation yields
    if (value > -2147483649.0 && value < 2147483648.0)
        whole = std::int32_t(value);
    const double fraction = value - double(whole);
    const int unitMode = (value != 0 && std::fabs(value) < 0.001) ? 1 : 2;
    const bool hasFraction = fraction > 1e-10 || fraction < -1e-10;
    CTqString formatted;
    const short result = m_services ? m_services->RealToText(value, unitMode, hasFraction ? 8 : 1, hasFraction ? 8 : -1, formatted)
                                    : short(tq::kFailure);
    if (result != tq::kNormal)
        return LispStatus::Failure;
    text = formatted.toStdU16();
    if (text.size() > 78)
        text.resize(78);
    return LispStatus::Ok;
}

// A batch is handed on when it grows this large; an ordinary print never reaches it, so it is
// rendered whole before anything is written, and a failure writes nothing.
constexpr std::size_t kRenderBatchFragments = 65536;
constexpr std::size_t kRenderBatchUnits = 1 << 20;

LispStatus CTqLISPImpl::RenderSink::Put(std::u16string fragment)
{
    pendingUnits += fragment.size();
    fragments.push_back(std::move(fragment));
    if (fragments.size() < kRenderBatchFragments && pendingUnits < kRenderBatchUnits)
        return LispStatus::Ok;
    pendingUnits = 0;
    return deliver(fragments);
}

LispStatus CTqLISPImpl::RenderSink::Finish()
{
    pendingUnits = 0;
    return fragments.empty() ? LispStatus::Ok : deliver(fragments);
}

LispStatus CTqLISPImpl::RenderNode(const LispNode* node, RenderSink& sink, bool& needSpace)
{
    if (stack_guard::NearlyExhausted())
        return LispStatus::NoMoreHeap;
    auto atom = [&](std::u16string text) {
        if (needSpace)
            text.insert(text.begin(), u' ');
        needSpace = true;
        return sink.Put(std::move(text));
    };
    const std::u16string_view space = needSpace ? u" " : u"";
    if (!node)
        return sink.Put(u" ## ");
    switch (node->type) {
    case NodeType::Nil:
        return atom(u"nil");
    case NodeType::Symbol:
        return atom(std::u16string(SymbolName(node)));
    case NodeType::List:
    case NodeType::DottedList: {
        if (node->flags & NodeFlag::UserFunction) {
            std::u16string name = FunctionNameOf(node->first);
            for (char16_t& c : name)
                if (c >= u'a' && c <= u'z')
                    c = char16_t(c - 32);
            needSpace = true;
            return sink.Put(std::u16string(space) + Formatted("<%s #%08x:%08x ", "Sub: ", High(node->first), Low(node->first)) + name + u">");
        }
        if (!node->first)
            return atom(u"nil");
        LISP_TRY(sink.Put(std::u16string(space) + u"("));
        needSpace = false;
        for (const LispNode* element = node->first; element; element = element->next) {
            // Shared sublists make a printed form that can be far larger than the structure:
            // printing counts as evaluation steps, so a user break stops it.
            LISP_TRY(BreakPollTick());
            if (node->type == NodeType::DottedList && !element->next && element != node->first)
                LISP_TRY(sink.Put(u" ."));
            LISP_TRY(RenderNode(element, sink, needSpace));
        }
        needSpace = true;
        return sink.Put(u")");
    }
    case NodeType::Integer:
        return atom(Formatted("%d", node->payload.integer));
    case NodeType::Real: {
        std::u16string text;
        LISP_TRY(RenderReal(node->payload.real, text));
        return atom(std::move(text));
    }
    case NodeType::ShortString:
    case NodeType::String:
        return atom((node->flags & NodeFlag::Literal) ? EscapeLiteral(StringText(node)) : std::u16string(StringText(node)));
    case NodeType::File: {
        const void* handle = node->first ? node->first->payload.record.device : nullptr;
        return atom(Formatted("<%s #%08x:%08x>", "Dat: ", High(handle), Low(handle)));
    }
    case NodeType::QuotingSubr:
    case NodeType::Subr: {
        const void* entry = reinterpret_cast<const void*>(node->payload.descriptor->entry);
        return atom(Formatted("<%s #%08x:%08x>", "Sub: ", High(entry), Low(entry)));
    }
    case NodeType::SymbolRef:
        return atom(node->first ? std::u16string(SymbolName(node->first)) : std::u16string());
    case NodeType::Constant:
        return atom(node->payload.inplace[0] ? u"T" : u"nil");
    case NodeType::Nothing:
        return needSpace ? sink.Put(u" ") : LispStatus::Ok;
    case NodeType::EntityName: {
        const char* suffix = node->payload.words[0] == 0xFFFFFFFFull ? "_F" : node->payload.words[0] == 0xFFFFFFFEull ? "_E" : "";
        return atom(Formatted("<%s %016llx%s>", "EName: ", static_cast<unsigned long long>(node->payload.words[1]), suffix));
    }
    case NodeType::PickSet: {
        const std::uint32_t number = m_services ? m_services->SelectionSetNumber(node->payload.words[0], node->payload.words[1]) : 0;
        return atom(Formatted("<%s %x>", "Selection set: ", number));
    }
    case NodeType::ExternalSubr: {
        const auto word = reinterpret_cast<std::uintptr_t>(node->first);
        return atom(Formatted("<%s #%04x:%04x>", "ESubr: ", unsigned((word >> 16) & 0xFFFF), unsigned(word & 0xFFFF)));
    }
    case NodeType::ULong:
        return atom(Formatted("%llu", static_cast<unsigned long long>(node->payload.words[0])));
    case NodeType::NativeSubr: {
        const void* pointer = node->first ? reinterpret_cast<const void*>(node->first->payload.words[0]) : nullptr;
        return atom(Formatted("<%s #%08x:%08x>", "ESubr: ", High(pointer), Low(pointer)));
    }
    case NodeType::CatchAllError:
        needSpace = true;
        return sink.Put(u"#<%catch-all-apply-error%>");
    case NodeType::Free:
        return LispStatus::EmptyNode;
    default:
        return LispStatus::Ok;
    }
}

LispStatus CTqLISPImpl::ToText(const LispNode* node, std::u16string& text, bool escape)
{
    text.clear();
    RenderSink sink;
    sink.deliver = [&text, escape](std::vector<std::u16string>& fragments) {
        // No string could hold more than the longest: stop before copying a piece beyond it.
        auto append = [&text](std::u16string_view piece) {
            if (text.size() + piece.size() > kMaxStringUnits)
                return LispStatus::NoMoreHeap;
            text += piece;
            return LispStatus::Ok;
        };
        for (const auto& fragment : fragments)
            LISP_TRY(escape ? append(fragment) : append(FilterFragment(fragment, PrintMode::Princ)));
        fragments.clear();
        return LispStatus::Ok;
    };
    bool needSpace = false;
    LISP_TRY(RenderNode(node, sink, needSpace));
    return sink.Finish();
}

LispStatus CTqLISPImpl::WriteFragment(std::u16string_view fragment, int mode, const LispNode* file)
{
    if (fragment.size() > kMaxFragmentUnits)
        return LispStatus::OutputBufferTooSmall;
    const std::u16string text = FilterFragment(fragment, mode);
    if (!file)
        return Output(text, {}, 16);
    return WriteToFile(text, file);
}

LispStatus CTqLISPImpl::WriteToFile(std::u16string_view text, const LispNode* file)
{
    if (file->type != NodeType::File || !file->first || file->first->payload.record.state != 1)
        return LispStatus::NotAFileDescriptor;
    auto* device = static_cast<CTqLispIODevice*>(file->first->payload.record.device);
    // Files hold the code-page form, so a character the code page lacks survives as its escape.
    const QByteArray bytes = CodePageForm(*this, text);
    if (device->write(bytes) != bytes.size())
        return LispStatus::CannotWriteToDisk;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::PrintExpr(const LispNode* value, int mode)
{
    mode &= ~32;
    const LispNode* file = value ? value->next : nullptr;
    if (file && file->type != NodeType::File)
        return LispStatus::NotAFileDescriptor;
    RenderSink sink;
    if (file) {
        // A file gets the filtered fragments in blocks: one write per element of a long list
        // would cost more than the rendering.
        sink.deliver = [this, file, mode](std::vector<std::u16string>& fragments) {
            constexpr std::size_t kBlockUnits = 16384;
            std::u16string block;
            for (const auto& fragment : fragments) {
                if (fragment.size() > kMaxFragmentUnits)
                    return LispStatus::OutputBufferTooSmall;
                block += FilterFragment(fragment, mode);
                if (block.size() >= kBlockUnits) {
                    LISP_TRY(WriteToFile(block, file));
                    block.clear();
                }
            }
            fragments.clear();
            return block.empty() ? LispStatus::Ok : WriteToFile(block, file);
        };
    } else {
        sink.deliver = [this, mode](std::vector<std::u16string>& fragments) {
            for (const auto& fragment : fragments)
                LISP_TRY(WriteFragment(fragment, mode, nullptr));
            fragments.clear();
            return LispStatus::Ok;
        };
    }
    bool needSpace = false;
    LISP_TRY(RenderNode(value, sink, needSpace));
    LISP_TRY(sink.Finish());
    if (!file && !(mode & PrintMode::PartOfLarger))
        LISP_TRY(FlushConsole());
    return LispStatus::Ok;
}
