// File devices behind every file the engine reads or writes: the plain file and, later, the
// protected file share this interface so the reader and the file built-ins need not know which.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>

class CTqLispIODevice {
public:
    virtual ~CTqLispIODevice() = default;
    virtual QByteArray read(qint64 maxBytes) = 0;
    virtual bool atEnd() const = 0;
    virtual int error() const = 0;
    // The next line including its line end, at most maxBytes bytes; counts lines.
    virtual QByteArray readLine(qint64 maxBytes) = 0;
    virtual qint64 write(const QByteArray& text) = 0;
    virtual void close() = 0;
    virtual bool seek(qint64 position) = 0;
    virtual qint64 size() const = 0;
    virtual bool open(QIODevice::OpenMode mode) = 0;
    virtual qint64 pos() const = 0;
    virtual int lineNumber() const = 0;
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
        QByteArray line = m_file.readLine(maxBytes);
        if (m_lines == 1 && line.size() >= 3 && line.startsWith("\xEF\xBB\xBF"))
            m_utf8 = true;
        if (const int stop = line.indexOf('\x1A'); stop >= 0) {
            line.truncate(stop);
            m_file.seek(m_file.size());
        }
        return line;
    }
    qint64 write(const QByteArray& text) override { return m_file.write(text); }
    void close() override { m_file.close(); }
    bool seek(qint64 position) override { return m_file.seek(position); }
    qint64 size() const override { return m_file.size(); }
    bool open(QIODevice::OpenMode mode) override { return m_file.open(mode); }
    qint64 pos() const override { return m_file.pos(); }
    int lineNumber() const override { return m_lines; }
    bool isUtf8() const override { return m_utf8; }

private:
    QFile m_file;
    int m_lines = 0;
    bool m_utf8 = false;
};
