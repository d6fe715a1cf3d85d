// The widget application's desktop.
#include "CTqWidgetDesktop.h"

#include "CTqMainWindow.h"
#include "TqMenuBar.h"

#include "host/framework/CTqFileDialog.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QUrl>

namespace {

QMessageBox::Icon QtIcon(CTqMessageBox::Icon icon)
{
    switch (icon) {
    case CTqMessageBox::Icon::None: return QMessageBox::NoIcon;
    case CTqMessageBox::Icon::Critical: return QMessageBox::Critical;
    case CTqMessageBox::Icon::Question: return QMessageBox::Question;
    case CTqMessageBox::Icon::Warning: return QMessageBox::Warning;
    case CTqMessageBox::Icon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

bool CTqWidgetDesktop::ShowMessage(const QString& text, const QString& title, CTqMessageBox::Icon icon)
{
    const bool question = icon == CTqMessageBox::Icon::Question;
    QMessageBox box(QtIcon(icon), title, text, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow(),
                    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    return box.exec() == QMessageBox::Yes;
}

bool CTqWidgetDesktop::AskFileName(const QString& title, const QString& start, const QString& filter, int flags,
                                   QString& chosen)
{
    QFileDialog::Options options;
    if (flags & CTqFileDialog::kNoOverwriteWarning)
        options |= QFileDialog::DontConfirmOverwrite;
    QWidget* parent = QApplication::activeWindow();
    const QString name = (flags & CTqFileDialog::kNewFile)
                             ? QFileDialog::getSaveFileName(parent, title, start, filter, nullptr, options)
                             : QFileDialog::getOpenFileName(parent, title, start, filter, nullptr, options);
    if (name.isEmpty())
        return false;
    chosen = name;
    return true;
}

bool CTqWidgetDesktop::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

void CTqWidgetDesktop::ShowMenus(QObject* window, const CTqMenuManager& menus,
                                 const std::function<void(const QString&)>& trigger)
{
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        ShowMenusInWindow(*mainWindow, menus, trigger);
}

QWidget* CTqWidgetDesktop::WidgetOf(QObject* window)
{
    return qobject_cast<QWidget*>(window);
}

std::unique_ptr<CTqMainFrame> CTqWidgetDesktop::CreateMainFrame(const QString& title)
{
    return std::make_unique<CTqMainWindow>(title);
}
