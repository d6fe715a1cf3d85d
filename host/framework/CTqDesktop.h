// The desktop: everything the host shows with widgets. Its implementation lives in the library
// libtqdesktop.so beside libtqhost.so, which a console run never loads, so that a run without a
// window starts without Qt's widget and GUI libraries. The host's message boxes, file dialogs,
// help viewer and menus ask Current() and fall back to the console when there is no desktop.
#pragma once

#include "CTqMessageBox.h"

#include <QString>

#include <functional>
#include <memory>

class CTqConsole;
class CTqMainFrame;
class CTqMenuManager;
class QCoreApplication;
class QObject;
class QUrl;
class QWidget;

class CTqDesktop {
public:
    virtual ~CTqDesktop() = default;

    // The registered desktop while the application object is a QApplication; null in a
    // console application.
    static CTqDesktop* Current();
    // The desktop library registers its implementation when it is loaded and withdraws it when
    // it is unloaded.
    static void Register(CTqDesktop* desktop);
    static void Unregister(CTqDesktop* desktop);

    // The desktop library's file: libtqdesktop.so in the folder of libtqhost.so.
    static QString LibraryPath();
    // Loads the desktop library and makes the widget application (a QApplication) with the
    // desktop registered. Null with the reason in `error` when the library cannot be loaded;
    // the caller decides whether a console application will do instead. argc must outlive the
    // application.
    static std::unique_ptr<QCoreApplication> StartApplication(int& argc, char** argv, QString& error);

    // True when widgets appear on a real display, not on the offscreen or minimal platform.
    static bool OnRealDisplay();

    // A modal message box parented to the active window; with Icon::Question the buttons are
    // Yes and No and the result is true for Yes, otherwise the result is false.
    virtual bool ShowMessage(const QString& text, const QString& title, CTqMessageBox::Icon icon) = 0;
    // The open or save file dialog (CTqFileDialog's flags kNewFile and kNoOverwriteWarning
    // count). False when the user cancels.
    virtual bool AskFileName(const QString& title, const QString& start, const QString& filter, int flags,
                             QString& chosen) = 0;
    // Hands the address to the program the desktop associates with it.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Rebuilds the window's menu bar and toolbars from the manager's menus; a triggered entry
    // hands its command, as the menu holds it, to `trigger`. A window that is no main window
    // is left alone.
    virtual void ShowMenus(QObject* window, const CTqMenuManager& menus,
                           const std::function<void(const QString&)>& trigger) = 0;
    // The widget of a window object, null when it is none.
    virtual QWidget* WidgetOf(QObject* window) = 0;
    // A new main window with a command line and the command history, not yet shown.
    virtual std::unique_ptr<CTqMainFrame> CreateMainFrame(const QString& title) = 0;
};
