// Runs the workbench program as a user would, with no input, and collects what it printed.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

struct WorkbenchRun {
    int exitCode = -1;  // -1 when the program did not finish within a minute
    QString output;
    QString errors;
};

inline WorkbenchRun RunWorkbench(const QStringList& arguments)
{
    QProcess process;
    process.setProgram(QStringLiteral(KELTORA_BIN_DIR "/workbench"));
    process.setArguments(arguments);
    process.start();
    process.closeWriteChannel();
    WorkbenchRun result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}
