// File-system operations with Qt's file classes.
#include "CTqFileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The position after the last separator of either kind.
int NameStart(const QString& name)
{
    return std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1;
}

}  // namespace

QString CTqFileSystem::Resolve(const QString& base, const QString& name)
{
    if (name.isEmpty())
        return {};
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

bool CTqFileSystem::Copy(const QString& source, const QString& destination, bool append, std::int64_t& copied)
{
    copied = 0;
    QFile in(source);
    if (!QFileInfo(source).isFile() || QFileInfo(destination).isDir() || (!append && QFileInfo::exists(destination)))
        return false;
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(destination);
    if (!out.open(append ? QIODevice::WriteOnly | QIODevice::Append : QIODevice::WriteOnly))
        return false;
    constexpr qint64 kChunk = 1 << 16;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
        copied += chunk.size();
    }
    out.close();
    return out.error() == QFileDevice::NoError;
}

bool CTqFileSystem::Delete(const QString& name)
{
    return QFileInfo(name).isFile() && QFile::remove(name);
}

bool CTqFileSystem::Rename(const QString& oldName, const QString& newName)
{
    if (!QFileInfo::exists(oldName) || QFileInfo::exists(newName))
        return false;
    return QDir().rename(oldName, newName);
}

bool CTqFileSystem::Size(const QString& name, std::int64_t& size)
{
    const QFileInfo info(name);
    if (!info.exists())
        return false;
    size = info.isDir() ? 0 : info.size();
    return true;
}

bool CTqFileSystem::ModificationTime(const QString& name, std::int32_t (&values)[8])
{
    const QFileInfo info(name);
    if (!info.exists())
        return false;
    const QDateTime time = info.lastModified().toLocalTime();
    const QDate date = time.date();
    const QTime clock = time.time();
    values[0] = date.year();
    values[1] = date.month();
    values[2] = date.dayOfWeek() % 7;  // Qt counts Monday 1 … Sunday 7
    values[3] = date.day();
    values[4] = clock.hour();
    values[5] = clock.minute();
    values[6] = clock.second();
    values[7] = clock.msec();
    return true;
}

QString CTqFileSystem::BaseName(const QString& name)
{
    const QString file = name.mid(NameStart(name));
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? file.left(dot) : file;
}

QString CTqFileSystem::FolderName(const QString& name)
{
    const int start = NameStart(name);
    if (start == 0)
        return {};
    // The root keeps its separator: the folder of "/a" is "/".
    return start == 1 ? name.left(1) : name.left(start - 1);
}

QString CTqFileSystem::Extension(const QString& name)
{
    const QString file = name.mid(NameStart(name));
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? file.mid(dot) : QString();
}

QString CTqFileSystem::UnusedName(const QString& folder, const QString& stem, const QString& extension)
{
    QString suffix = extension;
    if (!suffix.isEmpty() && !suffix.startsWith(QLatin1Char('.')))
        suffix.prepend(QLatin1Char('.'));
    const QDir dir(folder);
    for (int number = 1; number <= 999; ++number) {
        const QString candidate = dir.absoluteFilePath(stem.left(5) + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')) + suffix);
        if (!QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

QStringList CTqFileSystem::List(const QString& folder, const QString& pattern, int mode)
{
    QDir dir(folder);
    if (!dir.exists())
        return {};
    QDir::Filters filters = QDir::Hidden | QDir::System;
    if (mode == -1)
        filters |= QDir::Dirs;
    else if (mode == 1)
        filters |= QDir::Files;
    else
        filters |= QDir::Dirs | QDir::Files;
    QStringList names;
    if (!pattern.isEmpty() && pattern != QLatin1String("*.*"))
        names << pattern;
    dir.setNameFilters(names);
    dir.setFilter(filters);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}
