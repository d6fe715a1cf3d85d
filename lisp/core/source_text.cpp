// Source-line decoding shared by the reader's file refill and the file built-ins.
#include "lisp/core/source_text.h"

#include "lisp/core/code_page.h"
#include "lisp/core/engine.h"

#include <QString>

LispStatus DecodeSourceLine(const CTqLISPImpl& engine, const QByteArray& bytes, bool firstLine, bool utf8, bool protectedSource,
                            std::u16string& text)
{
    text.clear();
    if (protectedSource) {
        // The decoding reader: the line opens to the original line's UTF-8 text without its end.
        CTqLispServices* services = engine.Services();
        QByteArray plain;
        if (!services || services->DecodeProtectedLine(bytes, plain) != tq::kNormal)
            return LispStatus::ProtectedFileVersion;
        text = QString::fromUtf8(plain).toStdU16String();
        text.push_back(u'\n');
        return LispStatus::Ok;
    }
    if (utf8) {
        QByteArray line = bytes;
        if (firstLine && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        text = QString::fromUtf8(line).toStdU16String();
        return LispStatus::Ok;
    }
    (void)DecodeCodePage(engine, std::string_view(bytes.constData(), std::size_t(bytes.size())), text);
    return LispStatus::Ok;
}
