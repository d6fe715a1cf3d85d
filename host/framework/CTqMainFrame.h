// The host's main window as the application drives it: the console that writes into its
// history and reads from its command line, the runner of typed command lines, show and close.
// The desktop makes it (CTqDesktop::CreateMainFrame).
#pragma once

#include <QString>

#include <functional>

class CTqConsole;
class QObject;

class CTqMainFrame {
public:
    virtual ~CTqMainFrame() = default;

    virtual CTqConsole& Console() = 0;
    // Runs a command line typed at the command line when no prompt waits for it.
    virtual void SetCommandRunner(std::function<void(const QString&)> runner) = 0;
    // The window, for CTqSystemServicesImpl::SetMainWindow and the menu manager.
    virtual QObject* Window() = 0;
    virtual void Show() = 0;
    virtual void Close() = 0;
};
