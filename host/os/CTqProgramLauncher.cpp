// Detached program start with QProcess.
#include "CTqProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

std::int32_t CTqProgramLauncher::Start(const QString& commandLine, const QString& workingFolder)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return kNotFound;
    QString program = words.takeFirst();
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        if (!info.isFile())
            return kNotFound;
        if (!info.isExecutable())
            return kCannotStart;
    } else {
        program = QStandardPaths::findExecutable(program);
        if (program.isEmpty())
            return kNotFound;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(program, words, workingFolder, &pid))
        return kCannotStart;
    return pid > 31 && pid <= INT32_MAX ? std::int32_t(pid) : 32;
}
