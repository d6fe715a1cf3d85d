// Help files through the desktop or a named viewer program.
#include "CTqHelpViewer.h"

#include "../framework/CTqDesktop.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
constexpr int kCloseAll = 18;
}

bool CTqHelpViewer::Show(const QString& file, const QString& topic, int command) const
{
    if (command == kCloseAll)
        return true;
    const QFileInfo info(file);
    if (!info.isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    const QString suffix = info.suffix().toLower();
    if (!topic.isEmpty() && (suffix == QLatin1String("html") || suffix == QLatin1String("htm")))
        url.setFragment(topic);
    if (!m_program.isEmpty())
        return QProcess::startDetached(m_program, {url.toString()});
    // A console run has no desktop to hand the file to.
    CTqDesktop* desktop = CTqDesktop::Current();
    return desktop && desktop->OpenUrl(url);
}

bool CTqHelpViewer::CommandHelp(const QString& command, Reference& reference) const
{
    const auto it = m_references.constFind(command.toUpper());
    if (it == m_references.constEnd())
        return false;
    reference = *it;
    return true;
}
