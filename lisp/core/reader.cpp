// The reader: turns UTF-16 source text from the current input context into nodes, one
// top-level expression per call. Text typed at the command line must consist of lists; a file
// may also begin with a protected-source header line.
#include "lisp/core/engine.h"
#include "lisp/core/lisp_io_device.h"
#include "lisp/core/source_text.h"
#include "lisp/core/stack_guard.h"

#include <QChar>
#include <QTextCodec>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

namespace CharClass {
constexpr std::uint16_t Digit = 0x2;
constexpr std::uint16_t Letter = 0x4;
constexpr std::uint16_t Whitespace = 0x200;
constexpr std::uint16_t TokenEnd = 0x400;
}  // namespace CharClass

constexpr std::array<std::uint16_t, 256> MakeClassTable()
{
    std::array<std::uint16_t, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[c] |= CharClass::Digit;
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] |= CharClass::Letter | 0x1000;
    for (int c = 'a'; c <= 'z'; ++c)
        table[c] |= CharClass::Letter | 0x2000;
    for (int c : {0xC4, 0xD6, 0xDC})
        table[c] |= CharClass::Letter | 0x8 | 0x1000;
    for (int c : {0xE4, 0xF6, 0xFC})
        table[c] |= CharClass::Letter | 0x8 | 0x2000;
    table['@'] |= CharClass::Letter;
    table['`'] |= CharClass::Letter;
    for (int c = 0; c < 32; ++c)
        table[c] |= 0x20;
    for (int c = 128; c < 256; ++c)
        if (!(table[c] & CharClass::Letter))
            table[c] |= 0x20;
    for (int c = 32; c < 128; ++c)
        if (!(table[c] & (CharClass::Letter | CharClass::Digit)))
            table[c] |= 0x10;
    for (int c : {int(' '), int('\t'), int('\n'), int('\v'), int('\r'), int('\f'), 14, int('('), int(')')})
        table[c] |= 0x100;
    for (int c : {' ', '\t', '\n', '\v', '\r'})
        table[c] |= CharClass::Whitespace | CharClass::TokenEnd;
    for (int c : {int('('), int(')'), int('"'), int('\''), int(';'), 0, 26})
        table[c] |= CharClass::TokenEnd;
    for (int c : {'#', '$', '%', '&', '*', '+', '-', '/', '=', '?'})
        table[c] |= 0x800;
    return table;
}

constexpr auto kClasses = MakeClassTable();

bool HasClass(char16_t unit, std::uint16_t bits) { return unit < 256 && (kClasses[unit] & bits); }

constexpr std::size_t kMaxTokenUnits = 63999;

// Whole-text integer conversion: optional sign and decimal digits; values beyond 32 bits
// saturate.
bool ParseInteger(std::u16string_view text, std::int32_t& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    if (i == text.size())
        return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        if (magnitude <= std::int64_t(1) << 32)
            magnitude = magnitude * 10 + (text[i] - u'0');
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = std::int32_t(std::clamp<std::int64_t>(signedValue, INT32_MIN, INT32_MAX));
    return true;
}

// Whole-text real conversion in decimal notation: [sign] digits [. digits] [e [sign] digits],
// at least one mantissa digit. Names such as INF and NAN stay symbols.
bool ParseReal(std::u16string_view text, double& value)
{
    std::size_t i = 0;
    std::string ascii;
    ascii.reserve(text.size());
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ascii.push_back(char(text[i++]));
    int digits = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        ascii.push_back(char(text[i++]));
        ++digits;
    }
    if (i < text.size() && text[i] == u'.') {
        ascii.push_back('.');
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ascii.push_back(char(text[i++]));
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ascii.push_back(char(text[i++]));
        int exponentDigits = 0;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
            ascii.push_back(char(text[i++]));
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;
    // from_chars ignores the process locale, which a host may set to one with a decimal comma.
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large saturates to an infinity, too small goes to zero, as the C library does.
        const std::size_t e = ascii.find('e');
        const bool tiny = e != std::string::npos && ascii[e + 1] == '-';
        const bool negative = ascii[0] == '-';
        value = tiny ? (negative ? -0.0 : 0.0) : (negative ? -HUGE_VAL : HUGE_VAL);
    }
    (void)end;
    return true;
}

bool EqualsIgnoringCase(std::u16string_view text, std::u16string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
        if (c != upper[i])
            return false;
    }
    return true;
}

void UpperCaseInPlace(std::u16string& text)
{
    for (char16_t& c : text) {
        if (c < 128) {
            if (c >= u'a' && c <= u'z')
                c = char16_t(c - 32);
        } else {
            c = QChar::toUpper(c);
        }
    }
}

bool IsHexUpper(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); }

}  // namespace

// ---- input contexts -----------------------------------------------------------------------------

void CTqLISPImpl::PushInput(InputContext* context)
{
    context->previous = m_input;
    m_input = context;
}

void CTqLISPImpl::PopInput()
{
    if (m_input != &m_console && m_input->previous)
        m_input = m_input->previous;
}

LispStatus CTqLISPImpl::Refill()
{
    InputContext& in = *m_input;
    switch (in.kind) {
    case InputKind::Text:
        return LispStatus::Ok;
    case InputKind::Console: {
        LISP_TRY(Output(u"Empty input buffer."));
        LISP_TRY(FlushConsole());
        std::u16string prompt = u"\n";
        prompt += QString::number(m_parseLevel).toStdU16String();
        prompt += u'>';
        CTqString line;
        const short result = m_services ? m_services->GetLine(CTqString(std::u16string_view(prompt)), line) : short(tq::kCancel);
        in.cursor = 0;
        if (result != tq::kNormal) {
            in.buffer.assign(1, char16_t(27));
            return LispStatus::Ok;
        }
        in.buffer = line.toStdU16();
        if (in.buffer.size() > kInputCapacity) {
            in.buffer.resize(kInputCapacity);
            return LispStatus::InputLineTooLong;
        }
        in.buffer.push_back(u'\n');
        return LispStatus::Ok;
    }
    case InputKind::File:
        break;
    }
    if (!in.source || !in.source->first || in.source->first->payload.record.state != 1)
        return LispStatus::LoadingProgram;
    auto* device = static_cast<CTqLispIODevice*>(in.source->first->payload.record.device);
    if (device->atEnd())
        return LispStatus::EndOfFile;
    const QByteArray bytes = device->readLine(qint64(kInputCapacity) * 4);
    if (bytes.isEmpty() && device->atEnd())
        return LispStatus::EndOfFile;
    const LispStatus decoded = DecodeSourceLine(*this, bytes, device->lineNumber() == 1, device->isUtf8(),
                                                (in.state & InputState::Protected) != 0, in.buffer);
    in.cursor = 0;
    LISP_TRY(decoded);
    if (in.buffer.size() > kInputCapacity) {
        in.buffer.resize(kInputCapacity);
        return LispStatus::InputLineTooLong;
    }
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::NextChar(int mode, char16_t& unit)
{
    unit = 0;
    InputContext& in = *m_input;
    if (in.cursor >= in.buffer.size()) {
        if (mode == 0 && !in.buffer.empty())
            return LispStatus::Ok;
        const LispStatus status = Refill();
        if (status == LispStatus::EndOfFile)
            return LispStatus::Ok;
        LISP_TRY(status);
        if (m_input->cursor >= m_input->buffer.size())
            return LispStatus::Ok;
    }
    const char16_t current = m_input->buffer[m_input->cursor];
    if (current == 27 || current == 3)
        return LispStatus::UserBreak;
    if (current == 26)
        return LispStatus::Ok;  // end of input; the cursor stays on it
    if (mode == 1)
        ++m_input->cursor;
    unit = current;
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::SkipWhitespace()
{
    InputContext& in = *m_input;
    while (in.cursor < in.buffer.size() && HasClass(in.buffer[in.cursor], CharClass::Whitespace))
        ++in.cursor;
    return LispStatus::Ok;
}

// Whitespace and line ends across lines: refills at the end of the buffer.
LispStatus CTqLISPImpl::SkipWhitespaceAcrossLines(char16_t& unit)
{
    for (;;) {
        LISP_TRY(SkipWhitespace());
        LISP_TRY(NextChar(2, unit));
        if (unit == 0 || !HasClass(unit, CharClass::Whitespace))
            return LispStatus::Ok;
    }
}

LispStatus CTqLISPImpl::SkipComment()
{
    char16_t unit = 0;
    LISP_TRY(NextChar(1, unit));  // the ';'
    LISP_TRY(NextChar(0, unit));
    if (unit == u'|') {
        LISP_TRY(NextChar(1, unit));
        int endsSeen = 0;
        for (;;) {
            LISP_TRY(NextChar(1, unit));
            if (unit == 0) {
                if (++endsSeen > 10)
                    return LispStatus::Ok;  // unterminated at the end of input
                continue;
            }
            if (unit == u'|') {
                char16_t following = 0;
                LISP_TRY(NextChar(0, following));
                if (following == u';') {
                    LISP_TRY(NextChar(1, following));
                    return LispStatus::Ok;
                }
            }
        }
    }
    InputContext& in = *m_input;
    while (in.cursor < in.buffer.size()) {
        const char16_t c = in.buffer[in.cursor];
        if (c == u'\n' || c == u'\r' || c == 0 || c == 26)
            break;
        ++in.cursor;
    }
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::SkipBlanksAndComments(bool& atEnd)
{
    atEnd = false;
    for (;;) {
        LISP_TRY(SkipWhitespace());
        char16_t unit = 0;
        LISP_TRY(NextChar(0, unit));
        if (unit == 0) {
            atEnd = true;
            return LispStatus::Ok;
        }
        if (unit != u';')
            return LispStatus::Ok;
        LISP_TRY(SkipComment());
    }
}

LispStatus CTqLISPImpl::HeaderCheck()
{
    InputContext& in = *m_input;
    if (in.state & InputState::ContentSeen)
        return LispStatus::OpeningParenthesisMissing;
    in.state |= InputState::ContentSeen;
    std::u16string_view rest(in.buffer);
    rest = rest.substr(std::min(in.cursor, rest.size()));
    std::size_t length = 0;
    while (length < rest.size() && length < 79 && rest[length] >= 32)
        ++length;
    const std::u16string_view header = rest.substr(0, length);
    if (header.starts_with(u"AutoCAD PROTECTED LISP file"))
        return LispStatus::ForeignProtectedFile;
    if (!m_protectedTag.empty() && header.starts_with(m_protectedTag) && in.kind == InputKind::File) {
        in.state |= InputState::Protected;
        in.cursor = in.buffer.size();
        return LispStatus::Ok;
    }
    return LispStatus::OpeningParenthesisMissing;
}

LispStatus CTqLISPImpl::ReadExpression(LispNode*& out)
{
    out = nullptr;
    LispStatus status = LispStatus::Ok;
    for (;;) {
        status = SkipWhitespace();
        char16_t unit = 0;
        if (!Failed(status))
            status = NextChar(0, unit);
        if (Failed(status))
            break;
        if (unit == 0) {
            status = NextChar(2, unit);  // refill
            if (Failed(status) || unit == 0)
                break;
            continue;
        }
        if (unit == u'(') {
            m_input->state |= InputState::ContentSeen;
            status = ReadList(out);
            break;
        }
        if (unit == u';') {
            m_input->state |= InputState::ContentSeen;
            status = SkipComment();
            if (Failed(status))
                break;
            continue;
        }
        status = HeaderCheck();
        if (Failed(status))
            break;
    }
    if (m_parseLevel != 0)
        status = LispStatus::IncompleteExpression;
    if (Failed(status) && out) {
        Release(out);
        out = nullptr;
    }
    return status;
}

LispStatus CTqLISPImpl::ReadList(LispNode*& out)
{
    out = nullptr;
    ++m_parseLevel;
    if (m_deepestLookup > 20)
        LISP_TRY(RebuildSymbolIndex());
    if (stack_guard::NearlyExhausted())
        return LispStatus::NoMoreHeap;
    char16_t unit = 0;
    LISP_TRY(NextChar(1, unit));
    if (unit != u'(')
        return LispStatus::OpeningParenthesisMissing;
    NodeRef list(*this);
    LISP_TRY(MakeEmptyList(list.slot()));
    LispNode* tail = nullptr;
    auto append = [&](LispNode* element) {
        (tail ? tail->next : list->first) = element;
        tail = element;
    };
    for (;;) {
        LISP_TRY(SkipWhitespace());
        LISP_TRY(NextChar(2, unit));
        if (unit == 0)
            return LispStatus::IncompleteExpression;
        // A refill puts the next line's leading blanks under the cursor.
        if (HasClass(unit, CharClass::Whitespace)) {
            LISP_TRY(NextChar(1, unit));
            continue;
        }
        if (unit == u')') {
            LISP_TRY(NextChar(1, unit));
            --m_parseLevel;
            break;
        }
        if (unit == u';') {
            LISP_TRY(SkipComment());
            continue;
        }
        if (unit == u'.') {
            // A dot always starts a dotted pair: the list must hold exactly one atom so far.
            if (!list->first || list->first->next || !IsAtom(list->first))
                return LispStatus::NoDottedPair;
            LISP_TRY(NextChar(1, unit));
            LISP_TRY(SkipWhitespaceAcrossLines(unit));
            if (unit == 0)
                return LispStatus::NoDottedPair;
            if (unit == u'(') {
                NodeRef rest(*this);
                LISP_TRY(ReadList(rest.slot()));
                if (rest->type == NodeType::DottedList)
                    list->type = NodeType::DottedList;
                if (rest->first) {
                    append(rest->first);  // splice: the elements move over with their counts
                    while (tail->next)
                        tail = tail->next;
                    rest->first = nullptr;
                }
            } else if (unit == u'\'' || unit == u')' || unit == u';') {
                return LispStatus::NoDottedPair;
            } else {
                LispNode* element = nullptr;
                LISP_TRY(ReadElement(unit, element));
                append(element);
                list->type = NodeType::DottedList;
            }
            LISP_TRY(SkipWhitespaceAcrossLines(unit));
            if (unit != u')')
                return LispStatus::NoDottedPair;
            LISP_TRY(NextChar(1, unit));
            --m_parseLevel;
            break;
        }
        LispNode* element = nullptr;
        LISP_TRY(ReadElement(unit, element));
        append(element);
    }
    if (!list->first)
        list->type = NodeType::Nil;
    out = list.take();
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::ReadElement(char16_t unit, LispNode*& out)
{
    switch (unit) {
    case u'"': return ReadStringLiteral(out);
    case u'\'': return ReadQuoted(out);
    case u'(': return ReadList(out);
    default: return ReadAtom(out);
    }
}

LispStatus CTqLISPImpl::ReadQuoted(LispNode*& out)
{
    char16_t unit = 0;
    LISP_TRY(NextChar(1, unit));  // the quote
    NodeRef form(*this);
    LISP_TRY(MakeEmptyList(form.slot()));
    LISP_TRY(MakeSymbolRef(m_symQuote, form->first));
    LISP_TRY(SkipWhitespaceAcrossLines(unit));
    if (unit != u')' && unit != u';' && unit != 0) {
        LispNode* datum = nullptr;
        LISP_TRY(ReadElement(unit, datum));
        form->first->next = datum;
    }
    out = form.take();
    return LispStatus::Ok;
}

LispStatus CTqLISPImpl::ReadAtom(LispNode*& out)
{
    std::u16string& token = m_token;
    token.clear();
    bool refilled = false;
    for (;;) {
        InputContext& in = *m_input;
        if (in.cursor >= in.buffer.size()) {
            // One refill: the token goes on only if the new text does not start with an end.
            if (refilled)
                break;
            refilled = true;
            char16_t unit = 0;
            LISP_TRY(NextChar(2, unit));
            if (unit == 0 || HasClass(unit, CharClass::TokenEnd))
                break;
            continue;
        }
        // The run of token units in the buffer, taken at once.
        const char16_t* units = in.buffer.data();
        const std::size_t start = in.cursor;
        std::size_t end = start;
        LispStatus stop = LispStatus::Ok;
        for (; end < in.buffer.size(); ++end) {
            const char16_t unit = units[end];
            if (HasClass(unit, CharClass::TokenEnd))
                break;
            if (unit == 27 || unit == 3) {
                stop = LispStatus::UserBreak;
                break;
            }
            if (token.size() + (end - start) >= kMaxTokenUnits) {
                stop = LispStatus::OperandTooLong;
                break;
            }
        }
        token.append(units + start, end - start);
        in.cursor = end;
        LISP_TRY(stop);
        if (end < in.buffer.size())
            break;
    }
    if (token.empty())
        return LispStatus::IncompleteExpression;
    std::int32_t integer = 0;
    if (ParseInteger(token, integer))
        return MakeInteger(integer, out);
    double real = 0;
    if (ParseReal(token, real))
        return MakeReal(real, out);
    return MakeNameAtom(token, out);
}

LispStatus CTqLISPImpl::MakeNameAtom(std::u16string& token, LispNode*& out)
{
    if (EqualsIgnoringCase(token, u"NIL"))
        return MakeNilConstant(out);
    if (EqualsIgnoringCase(token, u"T"))
        return MakeT(out);
    UpperCaseInPlace(token);
    return MakeSymbolRef(token, out);
}

bool CTqLISPImpl::ReadPlainName(std::u16string_view text, LispNode*& out, LispStatus& status)
{
    const auto isLetter = [](char16_t unit) { return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z'); };
    if (text.empty() || text.size() >= kMaxTokenUnits || !isLetter(text.front()))
        return false;
    for (const char16_t unit : text)
        if (!isLetter(unit) && !(unit >= u'0' && unit <= u'9') && unit != u'_' && unit != u'-')
            return false;
    // The upkeep of the symbol index that reading a list makes.
    status = m_deepestLookup > 20 ? RebuildSymbolIndex() : LispStatus::Ok;
    if (Failed(status))
        return true;
    m_token.assign(text);
    status = MakeNameAtom(m_token, out);
    return true;
}

LispStatus CTqLISPImpl::ReadStringLiteral(LispNode*& out)
{
    char16_t unit = 0;
    LISP_TRY(NextChar(1, unit));  // the opening quote
    std::u16string text;
    int endsSeen = 0;
    for (;;) {
        LISP_TRY(NextChar(1, unit));
        if (unit == 0) {
            if (m_input->cursor < m_input->buffer.size() && m_input->buffer[m_input->cursor] == 26)
                return LispStatus::IncompleteExpression;
            if (++endsSeen > 10)
                break;
            continue;
        }
        if (unit == u'"')
            break;
        if (unit == u'\r') {
            char16_t following = 0;
            LISP_TRY(NextChar(0, following));
            if (following == u'\n')
                continue;  // CR LF is stored as LF
        }
        if (unit == u'\\') {
            LISP_TRY(NextChar(1, unit));
            if (unit >= u'0' && unit <= u'7') {
                int value = unit - u'0';
                for (int digits = 1; digits < 3; ++digits) {
                    char16_t next = 0;
                    LISP_TRY(NextChar(0, next));
                    if (next < u'0' || next > u'7')
                        break;
                    LISP_TRY(NextChar(1, next));
                    value = value * 8 + (next - u'0');
                }
                unit = char16_t(value);
            } else if (unit == u'U') {
                char16_t next = 0;
                LISP_TRY(NextChar(0, next));
                if (next == u'+') {
                    LISP_TRY(NextChar(1, next));
                    int value = 0;
                    for (int digits = 0; digits < 4; ++digits) {
                        LISP_TRY(NextChar(0, next));
                        if (!IsHexUpper(next))
                            break;
                        LISP_TRY(NextChar(1, next));
                        value = value * 16 + (next <= u'9' ? next - u'0' : next - u'A' + 10);
                    }
                    unit = char16_t(value);
                }
            } else if (unit == u'e') {
                unit = 27;
            } else if (unit == u'n') {
                unit = u'\n';
            } else if (unit == u'r') {
                unit = u'\r';
            } else if (unit == u't') {
                unit = u'\t';
            } else if (unit == 0) {
                continue;
            }
        }
        if (text.size() >= kMaxTokenUnits)
            return LispStatus::OperandTooLong;
        text.push_back(unit);
    }
    return MakeLiteralString(text, out);
}

LispStatus CTqLISPImpl::ReadFromText(std::u16string text, LispNode*& out)
{
    out = nullptr;
    InputContext context;
    context.kind = InputKind::Text;
    context.buffer = std::move(text);
    context.state = InputState::ContentSeen;
    PushInput(&context);
    const int savedLevel = m_parseLevel;
    m_parseLevel = 0;
    LispStatus status = LispStatus::Ok;
    bool atEnd = false;
    status = SkipBlanksAndComments(atEnd);
    if (!Failed(status) && !atEnd) {
        char16_t unit = 0;
        status = NextChar(0, unit);
        if (!Failed(status)) {
            if (unit == u')') {
                status = MakeNil(out);
            } else {
                status = ReadElement(unit, out);
            }
        }
    }
    if (!Failed(status) && !out)
        status = MakeNil(out);
    m_parseLevel = savedLevel;
    m_input = context.previous;
    return status;
}
