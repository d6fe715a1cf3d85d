// The desktop of a widget application: Qt's message boxes and file dialogs, the desktop's URL
// handlers, menus and toolbars in main windows, and the host's main window.
#pragma once

#include "host/framework/CTqDesktop.h"

class CTqWidgetDesktop final : public CTqDesktop {
public:
    bool ShowMessage(const QString& text, const QString& title, CTqMessageBox::Icon icon) override;
    bool AskFileName(const QString& title, const QString& start, const QString& filter, int flags,
                     QString& chosen) override;
    bool OpenUrl(const QUrl& url) override;
    void ShowMenus(QObject* window, const CTqMenuManager& menus,
                   const std::function<void(const QString&)>& trigger) override;
    QWidget* WidgetOf(QObject* window) override;
    std::unique_ptr<CTqMainFrame> CreateMainFrame(const QString& title) override;
};
