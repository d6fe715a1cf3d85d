// The host's main window: the menus and toolbars, the command history and a command line. Its
// console shows output in the history and reads prompted answers from the command line.
#pragma once

#include "host/framework/CTqConsole.h"
#include "host/framework/CTqMainFrame.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class CTqMainWindow final : public QMainWindow, public CTqMainFrame {
    Q_OBJECT

public:
    explicit CTqMainWindow(const QString& title);
    ~CTqMainWindow() override;

    CTqConsole& Console() override;
    void SetCommandRunner(std::function<void(const QString&)> runner) override { m_runner = std::move(runner); }
    QObject* Window() override { return this; }
    void Show() override { show(); }
    void Close() override { close(); }

    void Append(const QString& text);
    // Waits in a local event loop for the next line typed; false when the window closes first.
    bool WaitForLine(const QString& prompt, QString& line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onReturnPressed();

    QPlainTextEdit* m_history = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_input = nullptr;
    std::function<void(const QString&)> m_runner;
    bool m_waiting = false;
    bool m_closed = false;
    bool m_lineReady = false;
    QString m_line;
    class WindowConsole;
    std::unique_ptr<WindowConsole> m_console;
};
