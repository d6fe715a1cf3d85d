// The workbench program's console on standard input and output.
#include "stdio_console.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

StdioConsole::StdioConsole() : m_inputEchoed(isatty(STDIN_FILENO) == 1) {}

void StdioConsole::Write(const QString& text)
{
    if (text.isEmpty())
        return;
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
    m_atLineStart = text.endsWith(QLatin1Char('\n'));
}

void StdioConsole::EndLine()
{
    if (!m_atLineStart)
        Write(QStringLiteral("\n"));
}

StdioConsole::ReadResult StdioConsole::Read(const QString& prompt, QString& line)
{
    Write(prompt);
    for (;;) {
        if (const std::size_t end = m_buffered.find('\n'); end != std::string::npos) {
            std::size_t length = end;
            if (length > 0 && m_buffered[length - 1] == '\r')
                --length;
            line = QString::fromUtf8(m_buffered.data(), int(length));
            m_buffered.erase(0, end + 1);
            break;
        }
        if (m_atEnd) {
            if (m_buffered.empty())
                return ReadResult::End;
            // The last line of a file without a final line break.
            line = QString::fromUtf8(m_buffered.data(), int(m_buffered.size()));
            m_buffered.clear();
            break;
        }
        char chunk[4096];
        const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (count > 0) {
            m_buffered.append(chunk, std::size_t(count));
        } else if (count == 0) {
            m_atEnd = true;
        } else if (errno == EINTR) {
            if (TakeBreak()) {
                m_atLineStart = false;  // the terminal shows ^C after the prompt
                return ReadResult::Interrupted;
            }
        } else {
            m_atEnd = true;
        }
    }
    if (m_inputEchoed)
        m_atLineStart = true;
    return ReadResult::Line;
}

bool StdioConsole::ReadLine(const QString& prompt, QString& line)
{
    return Read(prompt, line) == ReadResult::Line;
}

bool StdioConsole::ReadKey(int& key)
{
    QString line;
    if (Read(QString(), line) != ReadResult::Line)
        return false;
    key = line.isEmpty() ? 13 : int(line.front().unicode());
    return true;
}
