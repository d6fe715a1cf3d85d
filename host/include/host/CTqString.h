// The host's wide-character string: a thin value type over QString with the operations the
// module relies on (case-insensitive comparison, prefix tests, splitting, HTML encoding).
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

class CTqString {
public:
    CTqString() = default;
    CTqString(const QString& text) : m_text(text) {}
    CTqString(const char16_t* text) : m_text(QString::fromUtf16(text)) {}
    CTqString(const char16_t* text, qsizetype length) : m_text(QString::fromUtf16(text, int(length))) {}
    CTqString(std::u16string_view text) : m_text(QString::fromUtf16(text.data(), int(text.size()))) {}
    CTqString(const char* utf8) : m_text(QString::fromUtf8(utf8)) {}

    const QString& toQString() const { return m_text; }
    operator const QString&() const { return m_text; }
    std::u16string toStdU16() const { return std::u16string(utf16(), std::size_t(m_text.size())); }
    const char16_t* utf16() const { return reinterpret_cast<const char16_t*>(m_text.utf16()); }
    std::string toUtf8() const { return m_text.toStdString(); }

    int length() const { return m_text.size(); }
    bool isEmpty() const { return m_text.isEmpty(); }

    int compare(const CTqString& other) const { return sign(QString::compare(m_text, other.m_text, Qt::CaseSensitive)); }
    int compareNoCase(const CTqString& other) const { return sign(QString::compare(m_text, other.m_text, Qt::CaseInsensitive)); }
    bool startsWithNoCase(const CTqString& prefix) const { return m_text.startsWith(prefix.m_text, Qt::CaseInsensitive); }
    bool endsWithNoCase(const CTqString& suffix) const { return m_text.endsWith(suffix.m_text, Qt::CaseInsensitive); }

    QStringList split(QChar separator) const { return m_text.split(separator); }
    CTqString mid(int position, int count = -1) const { return m_text.mid(position, count); }
    CTqString trimmed() const { return m_text.trimmed(); }
    CTqString upper() const { return m_text.toUpper(); }
    CTqString lower() const { return m_text.toLower(); }
    CTqString& makeUpper() { m_text = m_text.toUpper(); return *this; }

    // Text safe to show as HTML: &, <, >, " become entities; line breaks stay as they are.
    CTqString EncodeHTML() const { return m_text.toHtmlEscaped(); }
    // The inverse of EncodeHTML, for hosts that show the command line as plain text.
    static CTqString DecodeHTML(const CTqString& html)
    {
        QString text = html.m_text;
        text.replace(QLatin1String("&lt;"), QLatin1String("<"));
        text.replace(QLatin1String("&gt;"), QLatin1String(">"));
        text.replace(QLatin1String("&quot;"), QLatin1String("\""));
        text.replace(QLatin1String("&#39;"), QLatin1String("'"));
        text.replace(QLatin1String("&amp;"), QLatin1String("&"));
        return text;
    }

    bool operator==(const CTqString& other) const { return m_text == other.m_text; }
    bool operator!=(const CTqString& other) const { return m_text != other.m_text; }
    bool operator<(const CTqString& other) const { return m_text < other.m_text; }
    CTqString operator+(const CTqString& other) const { return m_text + other.m_text; }
    CTqString& operator+=(const CTqString& other) { m_text += other.m_text; return *this; }

private:
    static int sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }
    QString m_text;
};
