// A console for tests: output is collected, input lines come from a list.
#pragma once

#include "host/framework/CTqConsole.h"

#include <QStringList>

class ScriptedConsole final : public CTqConsole {
public:
    QString output;
    QStringList input;

    void Write(const QString& text) override { output += text; }
    bool ReadLine(const QString& prompt, QString& line) override
    {
        output += prompt;
        if (input.isEmpty())
            return false;
        line = input.takeFirst();
        output += line + QLatin1Char('\n');
        return true;
    }
    bool ReadKey(int& key) override
    {
        key = 0;
        return false;
    }
    void EndLine() override
    {
        if (!output.isEmpty() && !output.endsWith(QLatin1Char('\n')))
            output += QLatin1Char('\n');
    }
    // The output since the last call, with CR LF as LF.
    QString Take()
    {
        QString text = output;
        output.clear();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        return text;
    }
};
