// The system code page over Qt's text codecs.
#include "CTqCodePage.h"

#include <QTextCodec>

#include <algorithm>
#include <array>

namespace {

struct KnownCodePage {
    int number;
    const char* codec;
};

// The ANSI code pages of Windows and the Qt codecs that convert like them.
constexpr std::array<KnownCodePage, 14> kKnownCodePages{{
    {874, "windows-874"},
    {932, "Shift_JIS"},
    {936, "GBK"},
    {949, "windows-949"},
    {950, "Big5"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
}};

const KnownCodePage* FindByNumber(int number)
{
    const auto* found = std::find_if(kKnownCodePages.begin(), kKnownCodePages.end(),
                                     [number](const KnownCodePage& page) { return page.number == number; });
    return found == kKnownCodePages.end() ? nullptr : found;
}

// The number a name like "1251", "windows-1251", "cp1251" or "ms936" carries; 0 when none.
int NumberInName(const QString& name)
{
    QString digits = name.trimmed().toLower();
    for (const char* prefix : {"windows-", "cp", "ms"}) {
        if (digits.startsWith(QLatin1String(prefix))) {
            digits.remove(0, int(qstrlen(prefix)));
            break;
        }
    }
    bool ok = false;
    const int number = digits.toInt(&ok);
    return ok ? number : 0;
}

// Units below 128 stand for themselves in every code page of the table.
bool IsAscii(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0x80) == 0; });
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

CTqCodePage::CTqCodePage()
{
    (void)Select(QStringLiteral("1252"));
}

bool CTqCodePage::Select(const QString& name)
{
    const KnownCodePage* page = FindByNumber(NumberInName(name));
    if (!page) {
        // A codec name: accepted when it is the codec of a known code page.
        if (QTextCodec* named = QTextCodec::codecForName(name.trimmed().toLatin1())) {
            for (const KnownCodePage& known : kKnownCodePages) {
                const QTextCodec* codec = QTextCodec::codecForName(known.codec);
                if (codec && codec->name() == named->name()) {
                    page = &known;
                    break;
                }
            }
        }
    }
    if (!page)
        return false;
    QTextCodec* codec = QTextCodec::codecForName(page->codec);
    if (!codec)
        return false;
    m_codec = codec;
    m_number = page->number;
    return true;
}

QString CTqCodePage::CodecName() const
{
    return QString::fromLatin1(m_codec->name());
}

int CTqCodePage::Encode(std::u16string_view text, QByteArray& bytes) const
{
    bytes.clear();
    if (IsAscii(text)) {
        bytes.resize(int(text.size()));
        char* out = bytes.data();
        for (char16_t unit : text)
            *out++ = char(unit);
        return 0;
    }
    const auto* units = reinterpret_cast<const QChar*>(text.data());
    int defaults = 0;
    std::size_t runStart = 0;
    auto convertRun = [&](std::size_t end) {
        if (end <= runStart)
            return;
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        bytes.append(m_codec->fromUnicode(units + runStart, int(end - runStart), &state));
        defaults += state.invalidChars;
    };
    // The codecs hold back an unpaired surrogate at the end of a run, waiting for its partner,
    // so unpaired surrogates are replaced here before the codec sees them.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
            continue;
        }
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            convertRun(i);
            bytes.append('?');
            ++defaults;
            runStart = i + 1;
        }
    }
    convertRun(text.size());
    return defaults;
}

bool CTqCodePage::Decode(std::string_view bytes, std::u16string& text) const
{
    if (IsAscii(bytes)) {
        text.assign(bytes.begin(), bytes.end());
        return true;
    }
    // The codecs silently keep a lead byte at the end, waiting for its trail byte. A line feed
    // is a trail byte in no code page, so after it such a byte shows as U+FFFD.
    QByteArray terminated(bytes.data(), int(bytes.size()));
    terminated.append('\n');
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    QString decoded = m_codec->toUnicode(terminated.constData(), terminated.size(), &state);
    bool clean = state.invalidChars == 0 && state.remainingChars == 0;
    if (decoded.endsWith(QLatin1Char('\n')))
        decoded.chop(1);
    else
        clean = false;
    if (decoded.contains(QChar(0xFFFD)))
        clean = false;
    text = decoded.toStdU16String();
    return clean;
}
