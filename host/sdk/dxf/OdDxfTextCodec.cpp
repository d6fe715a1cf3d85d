// DXF text values to and from QString.
#include "OdDxfTextCodec.h"

#include <QTextCodec>

namespace {

QTextCodec* codecForCodePage(const QString& codePage)
{
    const QString upper = codePage.trimmed().toUpper();
    QByteArray name = "windows-1252";
    if (upper.startsWith(QLatin1String("ANSI_"))) {
        const int number = upper.mid(5).toInt();
        switch (number) {
        case 932: name = "Shift_JIS"; break;
        case 936: name = "GBK"; break;
        case 949: name = "windows-949"; break;
        case 950: name = "Big5"; break;
        case 874: name = "windows-874"; break;
        default:
            if (number >= 1250 && number <= 1258)
                name = "windows-" + QByteArray::number(number);
            break;
        }
    }
    QTextCodec* codec = QTextCodec::codecForName(name);
    return codec ? codec : QTextCodec::codecForName("windows-1252");
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Replaces \U+xxxx escapes and caret notation.
QString unescape(const QString& text, bool unicodeEscapes)
{
    QString result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (unicodeEscapes && c == QLatin1Char('\\') && i + 6 < text.size()
            && text[i + 1] == QLatin1Char('U') && text[i + 2] == QLatin1Char('+')) {
            int value = 0;
            bool ok = true;
            for (int k = 3; k < 7 && ok; ++k) {
                const int digit = i + k < text.size() ? hexValue(text[i + k]) : -1;
                ok = digit >= 0;
                value = value * 16 + digit;
            }
            if (ok) {
                result += QChar(char16_t(value));
                i += 6;
                continue;
            }
        }
        if (c == QLatin1Char('^') && i + 1 < text.size()) {
            const char16_t next = text[i + 1].unicode();
            if (next == u' ') {
                result += QLatin1Char('^');
                ++i;
                continue;
            }
            if (next >= u'@' && next <= u'_') {
                result += QChar(char16_t(next - 64));
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

bool needsUnescape(std::string_view bytes, bool unicodeEscapes)
{
    for (char c : bytes) {
        if (c == '^' || (unicodeEscapes && c == '\\'))
            return true;
    }
    return false;
}

}  // namespace

OdDxfTextCodec::OdDxfTextCodec(OdDbDxfVersion version, const QString& codePage)
    : m_utf8(OdDbDxfVersions::isUtf8(version)), m_codec(m_utf8 ? nullptr : codecForCodePage(codePage))
{
}

QString OdDxfTextCodec::decode(std::string_view bytes) const
{
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    QString text;
    if (ascii)
        text = QString::fromLatin1(bytes.data(), int(bytes.size()));
    else if (m_utf8)
        text = QString::fromUtf8(bytes.data(), int(bytes.size()));
    else
        text = m_codec->toUnicode(bytes.data(), int(bytes.size()));
    if (!needsUnescape(bytes, !m_utf8))
        return text;
    return unescape(text, !m_utf8);
}

void OdDxfTextCodec::encode(const QString& text, std::string& out) const
{
    bool plain = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'^' || u >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out += text.toStdString();
        return;
    }
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'^') {
            escaped += QLatin1Char('^');
            escaped += u == u'^' ? QLatin1Char(' ') : QChar(char16_t(u + 64));
        } else if (u < 0x80 || m_utf8 || (!c.isSurrogate() && m_codec->canEncode(c))) {
            escaped += c;
        } else {
            escaped += QStringLiteral("\\U+%1").arg(unsigned(u), 4, 16, QLatin1Char('0')).toUpper();
        }
    }
    const QByteArray bytes = m_utf8 ? escaped.toUtf8() : m_codec->fromUnicode(escaped);
    out.append(bytes.constData(), std::size_t(bytes.size()));
}
