// The operating system's ANSI code page: its Windows number and the conversions between UTF-16
// text and its bytes, done with Qt's text codecs.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

class QTextCodec;

class CTqCodePage {
public:
    // Windows-1252.
    CTqCodePage();

    // Selects the code page a name gives: a Windows number ("1251", "932"), the number after
    // "windows-", "cp" or "ms" ("windows-1251", "cp936"), or the name of a codec that serves one
    // of the code pages this class knows ("Shift_JIS", "GBK"). False for any other name; the
    // selection then stays as it was.
    bool Select(const QString& name);

    // The Windows number of the selected code page (1252, 932, …).
    int Number() const { return m_number; }
    // The name of the codec that converts for it.
    QString CodecName() const;

    // Converts text. A character the code page cannot hold (an unpaired surrogate included)
    // becomes the default character "?"; returns how many did, 0 for an exact conversion.
    int Encode(std::u16string_view text, QByteArray& bytes) const;
    // Converts bytes. A sequence that is no character of the code page (an undefined byte, a
    // lead byte without its trail byte) becomes U+FFFD; returns false when there was one.
    bool Decode(std::string_view bytes, std::u16string& text) const;

private:
    QTextCodec* m_codec = nullptr;
    int m_number = 0;
};
