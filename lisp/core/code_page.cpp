// Conversion of UTF-16 text into the code-page form.
#include "lisp/core/code_page.h"

#include "lisp/core/engine.h"

#include <QTextCodec>

#include <algorithm>

namespace {

// Converts with the codec and reports whether every character had a code-page byte form.
bool ConvertsCleanly(QTextCodec& codec, const QChar* units, int count, QByteArray& bytes)
{
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    bytes = codec.fromUnicode(units, count, &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

void AppendEscape(QByteArray& form, char16_t unit)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    form.append("\\U+");
    for (int shift = 12; shift >= 0; shift -= 4)
        form.append(kHex[(unit >> shift) & 0xF]);
}

bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// Converts text (units of 160 and above, no surrogates) as the form converts each unit alone:
// a run that converts exactly is kept, one that does not is halved until the units that the
// code page cannot hold stand alone and become escapes.
template <typename Convert>
void AppendConvertedRun(QByteArray& form, std::u16string_view run, Convert& convert)
{
    QByteArray bytes;
    if (convert(run, bytes) == 0 && !bytes.isEmpty()) {
        form.append(bytes);
        return;
    }
    if (run.size() == 1) {
        AppendEscape(form, run[0]);
        return;
    }
    const std::size_t half = run.size() / 2;
    AppendConvertedRun(form, run.substr(0, half), convert);
    AppendConvertedRun(form, run.substr(half), convert);
}

// The code-page form with `convert(text, bytes)` as the conversion; it returns how many
// characters needed the default character.
template <typename Convert>
QByteArray BuildForm(std::u16string_view text, Convert convert)
{
    QByteArray whole;
    if (convert(text, whole) == 0)
        return whole;
    QByteArray form;
    form.reserve(int(text.size()));
    std::size_t runStart = 0;
    auto flushRun = [&](std::size_t end) {
        if (end > runStart)
            AppendConvertedRun(form, text.substr(runStart, end - runStart), convert);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 160 && !IsSurrogate(unit))
            continue;
        flushRun(i);
        runStart = i + 1;
        if (unit < 160)
            form.append(char(unit & 0xFF));
        else
            AppendEscape(form, unit);  // a surrogate alone has no form in any code page
    }
    flushRun(text.size());
    return form;
}

int ConvertWithLocale(std::u16string_view text, QByteArray& bytes)
{
    QTextCodec* codec = QTextCodec::codecForLocale();
    if (!codec)
        codec = QTextCodec::codecForName("ISO-8859-1");
    const auto* units = reinterpret_cast<const QChar*>(text.data());
    if (ConvertsCleanly(*codec, units, int(text.size()), bytes) && (text.empty() || !bytes.isEmpty()))
        return 0;
    return 1;
}

// ISO 8859-1: the code page of an engine without host services.
int ConvertToLatin1(std::u16string_view text, QByteArray& bytes)
{
    bytes.clear();
    bytes.reserve(int(text.size()));
    int defaults = 0;
    for (char16_t unit : text) {
        const bool held = unit < 256;
        bytes.append(held ? char(unit) : '?');
        defaults += held ? 0 : 1;
    }
    return defaults;
}

template <typename Form>
bool SameForm(std::u16string_view left, std::u16string_view right, Form form)
{
    if (left == right)
        return true;
    // Units below 128 stand for themselves in every code page, so texts made only of them
    // differ in their code-page form as well.
    auto beyondAscii = [](char16_t unit) { return unit >= 128; };
    if (std::none_of(left.begin(), left.end(), beyondAscii) && std::none_of(right.begin(), right.end(), beyondAscii))
        return false;
    return form(left) == form(right);
}

}  // namespace

QByteArray CodePageForm(std::u16string_view text)
{
    return BuildForm(text, ConvertWithLocale);
}

bool SameCodePageText(std::u16string_view left, std::u16string_view right)
{
    return SameForm(left, right, [](std::u16string_view text) { return CodePageForm(text); });
}

int ConvertToCodePage(const CTqLISPImpl& engine, std::u16string_view text, QByteArray& bytes)
{
    if (CTqLispServices* services = engine.Services())
        return services->ToSystemCodePage(text, bytes);
    return ConvertToLatin1(text, bytes);
}

QByteArray CodePageForm(const CTqLISPImpl& engine, std::u16string_view text)
{
    return BuildForm(text, [&engine](std::u16string_view part, QByteArray& bytes) { return ConvertToCodePage(engine, part, bytes); });
}

bool DecodeCodePage(const CTqLISPImpl& engine, std::string_view bytes, std::u16string& text)
{
    if (CTqLispServices* services = engine.Services())
        return services->FromSystemCodePage(bytes, text);
    text.assign(bytes.begin(), bytes.end());
    for (char16_t& unit : text)
        unit &= 0xFF;
    return true;
}

bool SameCodePageText(const CTqLISPImpl& engine, std::u16string_view left, std::u16string_view right)
{
    return SameForm(left, right, [&engine](std::u16string_view text) { return CodePageForm(engine, text); });
}
