// The protected-file reader: a protected plugin file decoded whole when it is made, then read
// from memory as the plain file it came from would be: a line ends with its line feed (so CR LF
// as well), and a Ctrl-Z ends the content.
#pragma once

#include "lisp/core/lisp_io_device.h"

class CTqLispServices;

class CTqLispEncryptedFile final : public CTqLispIODevice {
public:
    // Hands the file to the host's decoder of protected plugin files. When the decoder does not
    // accept it (a plain file, a damaged one, no host) the content stays empty.
    CTqLispEncryptedFile(const QString& path, CTqLispServices* services);

    // True when the file decoded to some content.
    bool hasContent() const { return !m_content.isEmpty(); }

    QByteArray read(qint64 maxBytes) override;
    bool atEnd() const override { return m_position >= m_content.size(); }
    int error() const override { return 0; }
    QByteArray readLine(qint64 maxBytes) override;
    qint64 write(const QByteArray&) override { return 0; }
    void close() override;
    bool seek(qint64 position) override;
    qint64 size() const override { return m_content.size(); }
    bool open(QIODevice::OpenMode mode) override { return (mode & QIODevice::ReadOnly) != 0; }
    qint64 pos() const override { return m_position; }
    int lineNumber() const override { return m_lines; }
    // As for a plain file: a protected file behaves for its reader as the file it came from.
    bool isUtf8() const override { return m_content.startsWith("\xEF\xBB\xBF"); }

private:
    QByteArray m_content;
    qint64 m_position = 0;
    int m_lines = 0;
};
