// Module file search for the dynamic linker.
#include "CTqModuleSearchPath.h"

#include <QDir>
#include <QFileInfo>

QString CTqModuleSearchPath::ExecutableFolder()
{
    // QCoreApplication::applicationDirPath would need an application object; the linker must
    // work before one exists.
    const QFileInfo executable(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")));
    return executable.fileName().isEmpty() ? QString() : executable.absolutePath();
}

namespace {

QString& DllDirectoryValue()
{
    static QString folder;
    return folder;
}

}  // namespace

void CTqModuleSearchPath::SetDllDirectory(const QString& folder)
{
    DllDirectoryValue() = folder;
}

QString CTqModuleSearchPath::DllDirectory()
{
    return DllDirectoryValue();
}

QStringList CTqModuleSearchPath::Folders()
{
    QStringList folders;
    if (!DllDirectoryValue().isEmpty())
        folders << DllDirectoryValue();
    if (const QString beside = ExecutableFolder(); !beside.isEmpty())
        folders << beside;
    const QString variable = qEnvironmentVariable("KELTORA_MODULE_PATH");
    for (const QString& folder : variable.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << folder;
    return folders;
}

QString CTqModuleSearchPath::Resolve(const QString& fileName)
{
    if (fileName.isEmpty())
        return {};
    if (fileName.contains(QLatin1Char('/'))) {
        const QFileInfo file(fileName);
        return file.isFile() ? file.absoluteFilePath() : QString();
    }
    QStringList candidates{fileName};
    if (!fileName.contains(QLatin1Char('.')))
        candidates << fileName + VersionedSuffix();
    for (const QString& folder : Folders()) {
        for (const QString& candidate : candidates) {
            const QFileInfo file(QDir(folder), candidate);
            if (file.isFile())
                return file.absoluteFilePath();
        }
    }
    return {};
}
