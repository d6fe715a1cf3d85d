// Message boxes on a display and on the console.
#include "CTqMessageBox.h"

#include "CTqConsole.h"
#include "CTqDesktop.h"

namespace {

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
    return CTqDesktop::OnRealDisplay();
}

bool CTqMessageBox::Show(CTqConsole& console, const QString& text, const QString& title, Icon icon)
{
    const bool question = icon == Icon::Question;
    if (!HasDisplay()) {
        console.EndLine();
        console.Write(QStringLiteral("[%1] %2\n").arg(title, text));
        return question && AskOnConsole(console);
    }
    return CTqDesktop::Current()->ShowMessage(text, title, icon);
}
