// A command's user input and output on a console.
#include "CTqConsoleUserIO.h"

#include "CTqConsole.h"
#include "host/TqStatus.h"

void CTqConsoleUserIO::Print(const CTqString& text)
{
    m_console.Write(text.toQString());
}

short CTqConsoleUserIO::GetString(const CTqString& prompt, CTqString& answer)
{
    QString line;
    if (!m_console.ReadLine(prompt.toQString(), line) || line == QLatin1String("\x1b"))
        return tq::kCancel;
    answer = line;
    return tq::kNormal;
}
