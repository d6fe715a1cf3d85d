// Source-line decoding shared by the reader's file refill and the file built-ins.
#include "lisp/core/source_text.h"

#include "lisp/core/code_page.h"

#include <QString>

std::u16string DecodeSourceLine(const CTqLISPImpl& engine, const QByteArray& bytes, bool firstLine, bool utf8, bool protectedSource)
{
    (void)protectedSource;  // protected sources are read through the decoding reader (files issue)
    if (utf8) {
        QByteArray line = bytes;
        if (firstLine && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        return QString::fromUtf8(line).toStdU16String();
    }
    std::u16string text;
    (void)DecodeCodePage(engine, std::string_view(bytes.constData(), std::size_t(bytes.size())), text);
    return text;
}
