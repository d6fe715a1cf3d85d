// Help files through QDesktopServices or a named viewer program.
#include "CTqHelpViewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
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
    // A console run without a display has no desktop to hand the file to.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool CTqHelpViewer::CommandHelp(const QString& command, Reference& reference) const
{
    const auto it = m_references.constFind(command.toUpper());
    if (it == m_references.constEnd())
        return false;
    reference = *it;
    return true;
}
