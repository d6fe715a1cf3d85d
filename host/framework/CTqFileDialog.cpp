// File dialogs on a display and on the console.
#include "CTqFileDialog.h"

#include "CTqConsole.h"
#include "CTqDesktop.h"
#include "CTqMessageBox.h"

#include <QDir>
#include <QFileInfo>

namespace {

QStringList Extensions(const QString& extension)
{
    QStringList result;
    for (QString part : extension.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        while (part.startsWith(QLatin1Char('*')) || part.startsWith(QLatin1Char('.')))
            part.remove(0, 1);
        if (!part.isEmpty())
            result << part;
    }
    return result;
}

QString StartFolder(const QString& defaultName, int flags, const QString& baseFolder)
{
    if (flags & CTqFileDialog::kDefaultIsFolder)
        return defaultName.isEmpty() ? baseFolder : QDir(baseFolder).absoluteFilePath(defaultName);
    const QString folder = QFileInfo(defaultName).path();
    if (defaultName.isEmpty() || folder == QLatin1String("."))
        return baseFolder;
    return QDir(baseFolder).absoluteFilePath(folder);
}

QString Complete(QString name, const QStringList& extensions, const QString& folder)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!extensions.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + extensions.front();
    return QDir::cleanPath(QDir(folder).absoluteFilePath(name));
}

}  // namespace

bool CTqFileDialog::Ask(CTqConsole& console, const QString& title, const QString& defaultName, const QString& extension,
                        int flags, const QString& baseFolder, QString& chosen)
{
    const QStringList extensions = Extensions(extension);
    const QString folder = StartFolder(defaultName, flags, baseFolder);
    const bool newFile = flags & kNewFile;
    if (CTqMessageBox::HasDisplay()) {
        QStringList filters;
        for (const QString& suffix : extensions)
            filters << QStringLiteral("*.") + suffix;
        QString filter = filters.isEmpty() ? QString() : filters.join(QLatin1Char(' '));
        if (!filter.isEmpty() && (flags & kAnyExtension))
            filter += QStringLiteral(";;*");
        const QString start = (flags & kDefaultIsFolder) || defaultName.isEmpty()
                                  ? folder
                                  : QDir(folder).absoluteFilePath(QFileInfo(defaultName).fileName());
        QString name;
        if (!CTqDesktop::Current()->AskFileName(title, start, filter, flags, name))
            return false;
        chosen = Complete(name, extensions, folder);
        return true;
    }
    const bool defaultIsFile = !(flags & kDefaultIsFolder) && !defaultName.isEmpty();
    const QString prompt = defaultIsFile ? QStringLiteral("%1 <%2>: ").arg(title, defaultName) : title + QStringLiteral(": ");
    for (;;) {
        console.EndLine();
        QString answer;
        if (!console.ReadLine(prompt, answer))
            return false;
        answer = answer.trimmed();
        if (answer == QLatin1String("\x1b") || (answer.isEmpty() && !defaultIsFile))
            return false;
        const QString name = answer.isEmpty() ? Complete(defaultName, extensions, baseFolder) : Complete(answer, extensions, folder);
        if (newFile || QFileInfo(name).isFile()) {
            chosen = name;
            return true;
        }
        console.Write(QStringLiteral("File not found: %1\n").arg(name));
    }
}
