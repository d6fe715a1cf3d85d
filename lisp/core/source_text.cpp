// Source-line decoding shared by the reader's file refill and the file built-ins.
#include "lisp/core/source_text.h"

#include <QTextCodec>

std::u16string DecodeSourceLine(const QByteArray& bytes, bool firstLine, bool utf8, bool protectedSource)
{
    (void)protectedSource;  // protected sources are read through the decoding reader (files issue)
    QString text;
    if (utf8) {
        QByteArray line = bytes;
        if (firstLine && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        text = QString::fromUtf8(line);
    } else {
        QTextCodec* codec = QTextCodec::codecForLocale();
        text = codec ? codec->toUnicode(bytes) : QString::fromLatin1(bytes);
    }
    return text.toStdU16String();
}
