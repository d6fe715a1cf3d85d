// Text of DXF values: UTF-8 from R2007 on; before it, bytes of the drawing's code page with
// \U+xxxx escapes (hexadecimal digits of either case) for characters the code page lacks. In
// every version a control character is written as "^" and a letter ("^J"), and "^" as "^ ".
#pragma once

#include "../db/OdDbDxfVersion.h"

#include <QString>

#include <string>
#include <string_view>

class QTextCodec;

class OdDxfTextCodec {
public:
    // codePage is the $DWGCODEPAGE value ("ANSI_1252"); an unknown or empty one means 1252.
    OdDxfTextCodec(OdDbDxfVersion version, const QString& codePage);

    QString decode(std::string_view bytes) const;
    // Appends the encoded text to out.
    void encode(const QString& text, std::string& out) const;
    bool isUtf8() const { return m_utf8; }

private:
    bool m_utf8;
    QTextCodec* m_codec;
};
