// String and conversion built-ins: measuring, cutting, searching, trimming and translating
// strings in their UTF-16 and code-page views, and the printed form of a value. Wildcard
// matching and user-interface translation are host services.
#include "lisp/core/builtin_families.h"
#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Bytes of the code-page form read as numbers are signed: 128 to 255 read as -128 to -1.
std::int32_t SignedByte(char byte) { return static_cast<std::int8_t>(byte); }

bool IsAscii(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

// Counts wrap around in 32 bits, as the integers they become do.
std::int32_t WrapToInteger(std::uint64_t count) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(count)); }

LispStatus MakeText(CTqLISPImpl& engine, std::u16string_view text, LispNode*& out)
{
    return engine.MakeLiteralString(text, out);
}

// The host string class's mid: the part from a zero-based start (clamped into the text) to the
// end, or of at most `count` units.
std::u16string_view Mid(std::u16string_view text, std::int64_t start, std::int64_t count = -1)
{
    const std::size_t from = std::size_t(std::clamp<std::int64_t>(start, 0, std::int64_t(text.size())));
    const std::u16string_view rest = text.substr(from);
    return count < 0 ? rest : rest.substr(0, std::size_t(count));
}

// ---- substr and substru ---------------------------------------------------------------------

struct Part {
    std::int64_t offset;  // zero-based
    std::int64_t count;
};

// The part that a one-based start and an optional length select from a text of `size` units or
// bytes. A start below 1 is 1; a start past the end gives nothing; a negative length gives
// nothing; a length past the end runs to the end. The end is compared in full width rather
// than in 16 bits, so no over-long length reads beyond the text.
Part SelectPart(std::int64_t start, std::optional<std::int64_t> length, std::int64_t size)
{
    start = std::max<std::int64_t>(start, 1);
    std::int64_t count = 0;
    if (start <= size)
        count = !length ? size - start + 1 : std::max<std::int64_t>(*length, 0);
    else
        start = size;
    if (start + count > size + 1)
        count = size + 1 - start;
    return {std::max<std::int64_t>(start - 1, 0), count};
}

// The optional length of substr and substru: an integer; nil (or any other value substr
// admits) means "to the end".
std::optional<std::int64_t> LengthArgument(const LispNode* node)
{
    if (node && IsInteger(node))
        return node->payload.integer;
    return std::nullopt;
}

// ---- the code-page view ----------------------------------------------------------------------

// strlen's count: the leading units up to 127 one each, then the bytes of the rest's
// conversion plus 6 for every character the code page lacks (its escape is 7 bytes long).
// The number of leading units up to 127, which every code page writes as themselves. Eight
// units are tested at once, as two words: most texts are ASCII throughout.
std::size_t AsciiPrefix(std::u16string_view text)
{
    constexpr std::uint64_t kHighBits = 0xFF80FF80FF80FF80ull;
    std::size_t ascii = 0;
    for (; ascii + 8 <= text.size(); ascii += 8) {
        std::uint64_t words[2];
        std::memcpy(words, text.data() + ascii, sizeof words);
        if (((words[0] | words[1]) & kHighBits) != 0)
            break;
    }
    while (ascii < text.size() && text[ascii] <= 127)
        ++ascii;
    return ascii;
}

// The same for a string node; a long string's text block remembers it, since strlen and substr
// ask again and again of the same text.
std::size_t AsciiPrefixOf(const LispNode* node)
{
    const std::u16string_view text = StringText(node);
    if (node->type != NodeType::String || !(node->flags & NodeFlag::OwnsBuffer))
        return AsciiPrefix(text);
    std::uint32_t& known = text_block::AsciiPrefix(node->payload.string.text);
    if (known == text_block::kUnmeasured)
        known = std::uint32_t(AsciiPrefix(text));
    return known;
}

std::uint64_t CodePageLength(const CTqLISPImpl& engine, const LispNode* node)
{
    const std::u16string_view text = StringText(node);
    const std::size_t ascii = AsciiPrefixOf(node);
    if (ascii == text.size())
        return ascii;
    QByteArray bytes;
    const int defaults = ConvertToCodePage(engine, text.substr(ascii), bytes);
    return ascii + std::uint64_t(bytes.size()) + 6 * std::uint64_t(defaults);
}

// The signed byte of the code-page form at a zero-based position; 0 when out of range.
std::int32_t CodePageByteAt(const CTqLISPImpl& engine, std::u16string_view text, std::int64_t position)
{
    if (position < 0)
        return 0;
    // A leading run of ASCII is its own form, so nothing needs converting up to the position.
    if (position < std::int64_t(text.size()) && IsAscii(text.substr(0, std::size_t(position) + 1)))
        return text[std::size_t(position)];
    const QByteArray form = CodePageForm(engine, text);
    return position < form.size() ? SignedByte(form[int(position)]) : 0;
}

// ---- case ------------------------------------------------------------------------------------

// The C runtime's case mapping in its default locale: only the ASCII letters change.
std::u16string ChangeCase(std::u16string_view text, bool lower)
{
    std::u16string result(text);
    const char16_t from = lower ? u'A' : u'a';
    const char16_t to = lower ? u'a' : u'A';
    for (char16_t& unit : result) {
        if (unit >= from && unit < from + 26)
            unit = char16_t(unit - from + to);
    }
    return result;
}

// ---- trimming --------------------------------------------------------------------------------

enum class TrimSide : std::uint8_t { Left = 1, Right = 2, Both = 3 };

LispStatus Trim(LispNode*& out, const LispNode* args, CTqLISPImpl& engine, TrimSide side)
{
    const std::u16string_view set = StringText(args);
    std::u16string_view text = StringText(args->next);
    auto inSet = [set](char16_t unit) { return set.find(unit) != std::u16string_view::npos; };
    if (std::uint8_t(side) & std::uint8_t(TrimSide::Left)) {
        std::size_t start = 0;
        while (start < text.size() && inSet(text[start]))
            ++start;
        text.remove_prefix(start);
    }
    if (std::uint8_t(side) & std::uint8_t(TrimSide::Right)) {
        std::size_t end = text.size();
        while (end > 0 && inSet(text[end - 1]))
            --end;
        text = text.substr(0, end);
    }
    return MakeText(engine, text, out);
}

}  // namespace

// ---- measuring and joining ----------------------------------------------------------------------

LispStatus f_strcat(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    // The first argument that is not a string (nil, T) ends the text.
    std::uint64_t total = 0;
    for (const LispNode* arg = args; arg && IsStringNode(arg); arg = arg->next)
        total += StringText(arg).size();
    if (total > kMaxStringUnits)
        return LispStatus::NoMoreHeap;
    char16_t* target = nullptr;
    LISP_TRY(engine.MakeLiteralStringToFill(std::size_t(total), target, out));
    for (const LispNode* arg = args; arg && IsStringNode(arg); arg = arg->next) {
        const std::u16string_view piece = StringText(arg);
        if (!piece.empty())
            std::memcpy(target, piece.data(), piece.size() * sizeof(char16_t));
        target += piece.size();
    }
    return LispStatus::Ok;
}

LispStatus f_strlen(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::uint64_t total = 0;
    for (const LispNode* arg = args; arg; arg = arg->next)
        total += CodePageLength(engine, arg);
    return engine.MakeInteger(WrapToInteger(total), out);
}

LispStatus f_strulen(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::uint64_t total = 0;
    for (const LispNode* arg = args; arg; arg = arg->next)
        total += StringText(arg).size();
    return engine.MakeInteger(WrapToInteger(total), out);
}

// ---- cutting ----------------------------------------------------------------------------------

namespace {

// The part of `string` from `start` of `length` (null or nil: to the end), counted in the bytes
// of its code-page form.
LispStatus SubstrOf(CTqLISPImpl& engine, const LispNode* string, const LispNode* start, const LispNode* length, LispNode*& out)
{
    const std::u16string_view units = StringText(string);
    if (AsciiPrefixOf(string) == units.size()) {
        // An ASCII text is its own code-page form, byte for unit.
        const Part part = SelectPart(start->payload.integer, LengthArgument(length), std::int64_t(units.size()));
        return MakeText(engine, Mid(units, part.offset, part.count), out);
    }
    const QByteArray form = CodePageForm(engine, units);
    const Part part = SelectPart(start->payload.integer, LengthArgument(length), form.size());
    std::u16string text;
    (void)DecodeCodePage(engine, std::string_view(form.constData() + part.offset, std::size_t(part.count)), text);
    return MakeText(engine, text, out);
}

}  // namespace

LispStatus f_substr(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return SubstrOf(engine, args, args->next, args->next->next, out); }

LispStatus f_substru(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view text = StringText(args);
    const Part part = SelectPart(args->next->payload.integer, LengthArgument(args->next->next), std::int64_t(text.size()));
    return MakeText(engine, Mid(text, part.offset, part.count), out);
}

LispStatus f_strcase(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const bool lower = args->next && !IsNil(args->next);
    return MakeText(engine, ChangeCase(StringText(args), lower), out);
}

// ---- characters and codes ----------------------------------------------------------------------

LispStatus f_ascii(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view text = StringText(args);
    if (text.empty())
        return engine.MakeInteger(0, out);
    if (text[0] <= 127)
        return engine.MakeInteger(text[0], out);
    const QByteArray form = CodePageForm(engine, text.substr(0, 1));
    if (form.size() == 1)
        return engine.MakeInteger(static_cast<unsigned char>(form[0]), out);
    // Double-byte characters and escapes give the unit itself, as a signed 16-bit number.
    return engine.MakeInteger(static_cast<std::int16_t>(text[0]), out);
}

LispStatus f_chr(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::int32_t code = args->payload.integer;
    if (code >= 128 && code <= 255) {
        const char byte = char(code);
        std::u16string text;
        if (DecodeCodePage(engine, std::string_view(&byte, 1), text))
            return MakeText(engine, text, out);
    }
    const char16_t unit = char16_t(code & 0xFFFF);
    return MakeText(engine, unit ? std::u16string_view(&unit, 1) : std::u16string_view(), out);
}

LispStatus f_vl_string_elt(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    return engine.MakeInteger(CodePageByteAt(engine, StringText(args), args->next->payload.integer), out);
}

LispStatus f_vl_string_list(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const QByteArray form = CodePageForm(engine, StringText(args));
    if (form.isEmpty())
        return engine.MakeNil(out);
    std::vector<std::int32_t> bytes(std::size_t(form.size()));
    std::transform(form.begin(), form.end(), bytes.begin(), SignedByte);
    return engine.MakeIntegerList(bytes, out);
}

LispStatus f_vl_stringu_list(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view text = StringText(args);
    if (text.empty())
        return engine.MakeNil(out);
    const std::vector<std::int32_t> units(text.begin(), text.end());
    return engine.MakeIntegerList(units, out);
}

LispStatus f_vl_list_string(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (args->type == NodeType::DottedList)
        return LispStatus::InvalidParameter;
    std::u16string text;
    for (const LispNode* element = args->first; element; element = element->next) {
        // The first element that is no code from 0 to 256 ends the text, as does a 0 byte.
        if (!IsInteger(element) || element->payload.integer < 0 || element->payload.integer > 256)
            break;
        const char byte = char(element->payload.integer & 0xFF);
        if (byte == 0)
            break;
        if ((byte & 0x80) == 0) {
            text.push_back(char16_t(byte));
            continue;
        }
        std::u16string decoded;
        (void)DecodeCodePage(engine, std::string_view(&byte, 1), decoded);
        text += decoded;
    }
    return MakeText(engine, text, out);
}

// ---- searching ---------------------------------------------------------------------------------

LispStatus f_vl_string_position(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::int32_t code = args->payload.integer;
    const LispNode* startArg = args->next->next;
    const LispNode* fromEndArg = startArg ? startArg->next : nullptr;
    const std::int64_t start = startArg && IsInteger(startArg) ? std::max(startArg->payload.integer, 0) : 0;
    const bool fromEnd = fromEndArg && !IsNil(fromEndArg);
    const QByteArray form = CodePageForm(engine, StringText(args->next));
    const std::int64_t size = form.size();
    if (fromEnd) {
        for (std::int64_t at = size - 1 - start; at >= 0; --at)
            if (SignedByte(form[int(at)]) == code)
                return engine.MakeInteger(std::int32_t(at), out);
    } else {
        for (std::int64_t at = start; at < size; ++at)
            if (SignedByte(form[int(at)]) == code)
                return engine.MakeInteger(std::int32_t(at), out);
    }
    return engine.MakeNil(out);
}

LispStatus f_vl_string_search(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view pattern = StringText(args);
    const std::u16string_view text = StringText(args->next);
    const LispNode* startArg = args->next->next;
    const std::size_t start = startArg ? std::size_t(std::max(startArg->payload.integer, 0)) : 0;
    const std::size_t found = text.find(pattern, start);
    if (found == std::u16string_view::npos)
        return engine.MakeNil(out);
    return engine.MakeInteger(std::int32_t(found), out);
}

LispStatus f_vl_string_mismatch(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    std::u16string first(StringText(args));
    std::u16string second(StringText(args->next));
    // Integers after the strings are the positions; what follows them is the flag.
    const LispNode* rest = args->next->next;
    const LispNode* position1 = rest && IsInteger(rest) ? rest : nullptr;
    rest = position1 ? rest->next : rest;
    const LispNode* position2 = rest && IsInteger(rest) ? rest : nullptr;
    const LispNode* flag = position2 ? rest->next : rest;
    if (position1 && position1->payload.integer > 0)
        first = std::u16string(Mid(first, position1->payload.integer));
    // The flag takes effect only with a second position.
    if (position2 && position2->payload.integer >= 0) {
        second = std::u16string(Mid(second, position2->payload.integer));
        if (flag && !IsNil(flag)) {
            first = CTqString(first).lower().toStdU16();
            second = CTqString(second).lower().toStdU16();
        }
    }
    const auto [end, unused] = std::mismatch(first.begin(), first.end(), second.begin(), second.end());
    return engine.MakeInteger(std::int32_t(end - first.begin()), out);
}

LispStatus f_wcmatch(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    CTqLispServices* services = engine.Services();
    LISP_ASSERT(services, "a running engine has host services");
    if (!services)
        return LispStatus::GeneralError;
    const short result = services->MatchWildcard(CTqString(StringText(args)), CTqString(StringText(args->next)));
    if (result == tq::kNormal)
        return engine.MakeT(out);
    // No match is the host's general failure, which the lenient mapping turns into nil.
    LISP_TRY(engine.MapHostStatusLenient(result, out));
    return out ? LispStatus::Ok : engine.MakeNil(out);
}

// ---- replacing -----------------------------------------------------------------------------------

LispStatus f_vl_string_subst(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view replacement = StringText(args);
    const std::u16string_view pattern = StringText(args->next);
    const std::u16string_view text = StringText(args->next->next);
    const LispNode* startArg = args->next->next->next;
    const std::size_t start = std::min(startArg ? std::size_t(std::max(startArg->payload.integer, 0)) : 0, text.size());
    const std::size_t found = text.find(pattern, start);
    if (found == std::u16string_view::npos)
        return MakeText(engine, text, out);
    if (text.size() - pattern.size() + replacement.size() > kMaxStringUnits)
        return LispStatus::NoMoreHeap;
    std::u16string result;
    result.reserve(text.size() - pattern.size() + replacement.size());
    result.append(text.substr(0, found)).append(replacement).append(text.substr(found + pattern.size()));
    return MakeText(engine, result, out);
}

LispStatus f_vl_string_translate(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view sources = StringText(args);
    const std::u16string_view targets = StringText(args->next);
    if (sources.size() != targets.size())
        return engine.MakeNil(out);
    // The pairs apply one after the other to the whole string, so a character's final image is
    // found by composing them from the last pair back to the first.
    std::unordered_map<char16_t, char16_t> image;
    auto imageOf = [&image](char16_t unit) {
        const auto found = image.find(unit);
        return found == image.end() ? unit : found->second;
    };
    for (std::size_t i = sources.size(); i-- > 0;) {
        const char16_t target = imageOf(targets[i]);
        image[sources[i]] = target;
    }
    std::u16string text(StringText(args->next->next));
    for (char16_t& unit : text)
        unit = imageOf(unit);
    return MakeText(engine, text, out);
}

LispStatus f_vl_string_left_trim(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Trim(out, args, engine, TrimSide::Left); }
LispStatus f_vl_string_right_trim(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Trim(out, args, engine, TrimSide::Right); }
LispStatus f_vl_string_trim(LispNode*& out, LispNode* args, CTqLISPImpl& engine) { return Trim(out, args, engine, TrimSide::Both); }

// ---- conversion ------------------------------------------------------------------------------------

LispStatus f_symbtos(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    if (!args)
        return LispStatus::MissingParameter;
    std::int64_t width = 256;
    if (args->next && IsInteger(args->next)) {
        width = args->next->payload.integer;
        if (width < 1)
            return LispStatus::InvalidParameter;
    }
    std::u16string text;
    LISP_TRY(engine.ToText(args, text, true));
    if (std::int64_t(text.size()) > width) {
        text.resize(std::size_t(width));
        text += u"...";
    }
    return MakeText(engine, text, out);
}

LispStatus f_translate(LispNode*& out, LispNode* args, CTqLISPImpl& engine)
{
    const std::u16string_view source = StringText(args->next);
    CTqString translation;
    if (CTqLispServices* services = engine.Services();
        services && services->TranslateText(CTqString(StringText(args)), CTqString(source), translation) == tq::kNormal)
        return MakeText(engine, std::u16string_view(translation.utf16(), std::size_t(translation.length())), out);
    return MakeText(engine, source, out);
}

namespace {
constexpr ParamGroup kStringOptionalValue[] = {{Kind::String, 1, 0}, {Kind::Any, 1, ParamOption::Optional}};
// nil among the arguments ends the concatenation rather than failing the call.
constexpr ParamGroup kManyStringsOrNil[] = {{Kind::StringOrNil, kManyArguments, 0}};
constexpr ParamGroup kManyStrings[] = {{Kind::String, kManyArguments, 0}};
// A nil length means "to the end", so the third group admits nil.
constexpr ParamGroup kSubstrParams[] = {
    {Kind::String, 1, 0}, {Kind::Integer, 1, 0}, {Kind::IntNilTList, 1, ParamOption::Optional}};

// substr without an argument list: the string is read where it stands (substr runs no code). A
// length given is checked as its optional group checks it.
LispStatus f_substr_direct(LispNode*& out, const LispNode* expressions, CTqLISPImpl& engine, bool& handled)
{
    handled = true;
    const bool withLength = expressions && expressions->next && expressions->next->next;
    const ParamGroup groups[] = {kSubstrParams[0], kSubstrParams[1], {kSubstrParams[2].kinds, 1, 0}};
    BorrowedArguments args(engine);
    LISP_TRY(args.Collect(std::span<const ParamGroup>(groups, withLength ? 3 : 2), expressions));
    return SubstrOf(engine, args[0], args[1], withLength ? args[2] : nullptr, out);
}

constexpr ParamGroup kSubstruParams[] = {
    {Kind::String, 1, 0}, {Kind::Integer, 1, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kStringAndInteger[] = {{Kind::String, 1, 0}, {Kind::Integer, 1, 0}};
constexpr ParamGroup kMismatchParams[] = {
    {Kind::String, 2, 0}, {Kind::Integer, 2, ParamOption::Optional}, {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kPositionParams[] = {{Kind::Integer, 1, 0},
                                          {Kind::String, 1, 0},
                                          {Kind::IntNilTList, 1, ParamOption::Optional},
                                          {Kind::Atom, 1, ParamOption::Optional}};
constexpr ParamGroup kTwoStringsOptionalStart[] = {{Kind::String, 2, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kThreeStringsOptionalStart[] = {{Kind::String, 3, 0}, {Kind::Integer, 1, ParamOption::Optional}};
constexpr ParamGroup kThreeStrings[] = {{Kind::String, 3, 0}};
}  // namespace

constexpr BuiltinDescriptor kStringRows[] = {
    {u"f_translate", f_translate, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_strcase", f_strcase, EvalMode::All, Kind::String, kStringOptionalValue},
    {u"f_strcat", f_strcat, EvalMode::All, Kind::String, kManyStringsOrNil},
    {u"f_strlen", f_strlen, EvalMode::All, Kind::Integer, kManyStrings, SoleArgumentDirect<f_strlen, Params::OneString>},
    {u"f_substr", f_substr, EvalMode::All, Kind::String, kSubstrParams, f_substr_direct},
    {u"f_ascii", f_ascii, EvalMode::All, Kind::Integer, Params::OneString, OneArgumentDirect<f_ascii, Params::OneString>},
    {u"f_chr", f_chr, EvalMode::All, Kind::String, Params::OneInteger, OneArgumentDirect<f_chr, Params::OneInteger>},
    {u"f_wcmatch", f_wcmatch, EvalMode::All, Kind::Atom, Params::TwoStrings},
    {u"f_symbtos", f_symbtos, EvalMode::All, Kind::String, Params::ManyAny},
    {u"f_vl_string_elt", f_vl_string_elt, EvalMode::All, Kind::Integer, kStringAndInteger},
    {u"f_vl_string_list", f_vl_string_list, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_string_left_trim", f_vl_string_left_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_mismatch", f_vl_string_mismatch, EvalMode::All, Kind::Integer, kMismatchParams},
    {u"f_vl_string_position", f_vl_string_position, EvalMode::All, Kind::IntNilTList, kPositionParams},
    {u"f_vl_string_right_trim", f_vl_string_right_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_search", f_vl_string_search, EvalMode::All, Kind::IntNilTList, kTwoStringsOptionalStart},
    {u"f_vl_string_subst", f_vl_string_subst, EvalMode::All, Kind::String, kThreeStringsOptionalStart},
    {u"f_vl_string_trim", f_vl_string_trim, EvalMode::All, Kind::String, Params::TwoStrings},
    {u"f_vl_string_translate", f_vl_string_translate, EvalMode::All, Kind::StringOrNil, kThreeStrings},
    {u"f_strulen", f_strulen, EvalMode::All, Kind::Integer, kManyStrings},
    {u"f_substru", f_substru, EvalMode::All, Kind::String, kSubstruParams},
    {u"f_vl_stringu_list", f_vl_stringu_list, EvalMode::All, Kind::List, Params::OneString},
    {u"f_vl_list_string", f_vl_list_string, EvalMode::All, Kind::String, Params::OneList},
};

std::span<const BuiltinDescriptor> StringBuiltins() { return kStringRows; }
