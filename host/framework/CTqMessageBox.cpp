// Message boxes on a display and on the console.
#include "CTqMessageBox.h"

#include "CTqConsole.h"

#include <QApplication>
#include <QMessageBox>

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

bool AskOnConsole(CTqConsole& console)
{
    for (;;) {
        QString answer;
        if (!console.ReadLine(QStringLiteral("Yes or No? <No>: "), answer))
            return false;
        answer = answer.trimmed().toLower();
        if (answer == QLatin1String("y") || answer == QLatin1String("yes"))
            return true;
        if (answer.isEmpty() || answer == QLatin1String("n") || answer == QLatin1String("no"))
            return false;
    }
}

}  // namespace

bool CTqMessageBox::HasDisplay()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

bool CTqMessageBox::Show(CTqConsole& console, const QString& text, const QString& title, Icon icon)
{
    const bool question = icon == Icon::Question;
    if (!HasDisplay()) {
        console.EndLine();
        console.Write(QStringLiteral("[%1] %2\n").arg(title, text));
        return question && AskOnConsole(console);
    }
    QMessageBox box(QtIcon(icon), title, text, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow(),
                    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    return box.exec() == QMessageBox::Yes;
}
