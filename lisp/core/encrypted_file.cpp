// The protected-file reader over the content the host's decoder returns.
#include "lisp/core/encrypted_file.h"

#include "host/CTqLispServices.h"

#include <algorithm>

CTqLispEncryptedFile::CTqLispEncryptedFile(const QString& path, CTqLispServices* services)
{
    QByteArray content;
    if (services && services->DecodeProtectedFile(CTqString(path), content) == tq::kNormal)
        m_content = content;
}

QByteArray CTqLispEncryptedFile::read(qint64 maxBytes)
{
    const qint64 count = std::clamp<qint64>(m_content.size() - m_position, 0, std::max<qint64>(maxBytes, 0));
    const QByteArray bytes = m_content.mid(int(m_position), int(count));
    m_position += count;
    return bytes;
}

QByteArray CTqLispEncryptedFile::readLine(qint64 maxBytes)
{
    ++m_lines;
    if (atEnd())
        return {};
    const int separator = m_content.indexOf('\n', int(m_position));
    const qint64 end = separator < 0 ? m_content.size() : separator + 1;
    const qint64 count = std::min(end - m_position, std::max<qint64>(maxBytes, 0));
    QByteArray line = m_content.mid(int(m_position), int(count));
    m_position += count;
    if (const int stop = line.indexOf('\x1A'); stop >= 0) {
        line.truncate(stop);
        m_position = m_content.size();
    }
    return line;
}

void CTqLispEncryptedFile::close()
{
    m_content.clear();
    m_position = 0;
}

bool CTqLispEncryptedFile::seek(qint64 position)
{
    if (position < 0 || position > m_content.size())
        return false;
    m_position = position;
    return true;
}
