// The host's main window.
#include "CTqMainWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

class CTqMainWindow::WindowConsole final : public CTqConsole {
public:
    explicit WindowConsole(CTqMainWindow& window) : m_window(window) {}
    void Write(const QString& text) override
    {
        m_window.Append(text);
        m_atLineStart = text.isEmpty() ? m_atLineStart : text.endsWith(QLatin1Char('\n'));
    }
    bool ReadLine(const QString& prompt, QString& line) override
    {
        m_atLineStart = true;
        return m_window.WaitForLine(prompt, line);
    }
    bool ReadKey(int& key) override
    {
        QString line;
        if (!m_window.WaitForLine(QString(), line))
            return false;
        key = line.isEmpty() ? 13 : int(line.front().unicode());
        return true;
    }
    void EndLine() override
    {
        if (!m_atLineStart)
            Write(QStringLiteral("\n"));
    }

private:
    CTqMainWindow& m_window;
    bool m_atLineStart = true;
};

CTqMainWindow::CTqMainWindow(const QString& title)
{
    setWindowTitle(title);
    resize(900, 600);
    m_history = new QPlainTextEdit(this);
    m_history->setReadOnly(true);
    m_history->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_prompt = new QLabel(QStringLiteral("Command:"), this);
    m_input = new QLineEdit(this);
    m_input->setObjectName(QStringLiteral("commandLine"));
    auto* line = new QHBoxLayout;
    line->addWidget(m_prompt);
    line->addWidget(m_input, 1);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_history, 1);
    layout->addLayout(line);
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("Ready"));
    connect(m_input, &QLineEdit::returnPressed, this, &CTqMainWindow::onReturnPressed);
    m_console = std::make_unique<WindowConsole>(*this);
}

CTqMainWindow::~CTqMainWindow() = default;

CTqConsole& CTqMainWindow::Console()
{
    return *m_console;
}

void CTqMainWindow::Append(const QString& text)
{
    m_history->moveCursor(QTextCursor::End);
    m_history->insertPlainText(text);
    m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
}

bool CTqMainWindow::WaitForLine(const QString& prompt, QString& line)
{
    if (m_closed)
        return false;
    Append(prompt);
    m_prompt->setText(prompt.trimmed().isEmpty() ? QStringLiteral(">") : prompt.trimmed());
    m_waiting = true;
    m_lineReady = false;
    QEventLoop loop;
    while (!m_lineReady && !m_closed)
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    m_waiting = false;
    m_prompt->setText(QStringLiteral("Command:"));
    if (!m_lineReady)
        return false;
    line = m_line;
    Append(line + QLatin1Char('\n'));
    return true;
}

void CTqMainWindow::onReturnPressed()
{
    const QString text = m_input->text();
    m_input->clear();
    if (m_waiting) {
        m_line = text;
        m_lineReady = true;
        return;
    }
    Append(QStringLiteral("Command: ") + text + QLatin1Char('\n'));
    if (m_runner)
        m_runner(text);
}

void CTqMainWindow::closeEvent(QCloseEvent* event)
{
    m_closed = true;
    QMainWindow::closeEvent(event);
}
