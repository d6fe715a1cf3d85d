// File devices behind every file the engine reads or writes: the plain file (here) and the
// protected file (encrypted_file.h) share this interface, so the reader and the file built-ins
// need not know which one they have.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>

class CTqLispIODevice {
public:
    virtual ~CTqLispIODevice() = default;
    virtual QByteArray read(qint64 maxBytes) = 0;
    virtual bool atEnd() const = 0;
    // The last device error; 0 for none.
    virtual int error() const = 0;
    // The next line including its line end, at most maxBytes bytes; counts lines.
    virtual QByteArray readLine(qint64 maxBytes) = 0;
    // Writes 8-bit text; the bytes written, -1 when the device cannot write.
    virtual qint64 write(const QByteArray& text) = 0;
    virtual void close() = 0;
    virtual bool seek(qint64 position) = 0;
    virtual qint64 size() const = 0;
    virtual bool open(QIODevice::OpenMode mode) = 0;
    virtual qint64 pos() const = 0;
    virtual int lineNumber() const = 0;
    // The content began with a UTF-8 byte-order mark.
    virtual bool isUtf8() const = 0;
};

// A plain file. Reading stops for good at a Ctrl-Z; a UTF-8 byte-order mark on the first line
// is noted (and left in the line).
class CTqLispFile final : public CTqLispIODevice {
public:
    explicit CTqLispFile(const QString& path) : m_file(path) {}
    QByteArray read(qint64 maxBytes) override { return m_file.read(maxBytes); }
    bool atEnd() const override { return m_file.atEnd(); }
    int error() const override { return int(m_file.error()); }
    QByteArray readLine(qint64 maxBytes) override
    {
        ++m_lines;
        // One buffer for every line: asking QFile for a line of maxBytes would allocate that
        // much for each line, which dominates reading a long file of short lines.
        if (m_buffer.size() < maxBytes + 1)
            m_buffer.resize(int(maxBytes + 1));
        const qint64 count = m_file.readLine(m_buffer.data(), maxBytes + 1);
        QByteArray line = count > 0 ? QByteArray(m_buffer.constData(), int(count)) : QByteArray();
        if (m_lines == 1 && line.size() >= 3 && line.startsWith("\xEF\xBB\xBF"))
            m_utf8 = true;
        if (const int stop = line.indexOf('\x1A'); stop >= 0) {
            line.truncate(stop);
            m_file.seek(m_file.size());
        }
        return line;
    }
    qint64 write(const QByteArray& text) override { return m_file.isWritable() ? m_file.write(text) : -1; }
    // A write that the buffer held back and that fails now leaves its error for error().
    void close() override
    {
        m_file.unsetError();
        m_file.close();
    }
    bool seek(qint64 position) override { return m_file.seek(position); }
    qint64 size() const override { return m_file.size(); }
    bool open(QIODevice::OpenMode mode) override { return m_file.open(mode); }
    qint64 pos() const override { return m_file.pos(); }
    int lineNumber() const override { return m_lines; }
    bool isUtf8() const override { return m_utf8; }

private:
    QFile m_file;
    QByteArray m_buffer;
    int m_lines = 0;
    bool m_utf8 = false;
};
