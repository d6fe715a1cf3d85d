// A console for host and workbench tests: input lines and keys come from a script, output
// collects in a string. Lines read are echoed after their prompt, as a terminal shows them.
#pragma once

#include "host/framework/CTqConsole.h"

#include <QStringList>

#include <deque>
#include <utility>

class ScriptedHostConsole final : public CTqConsole {
public:
    explicit ScriptedHostConsole(QStringList lines = {}, std::deque<int> keys = {})
        : m_lines(std::move(lines)), m_keys(std::move(keys))
    {
    }

    void Write(const QString& text) override { m_output += text; }

    bool ReadLine(const QString& prompt, QString& line) override
    {
        m_output += prompt;
        if (m_lines.isEmpty())
            return false;
        line = m_lines.takeFirst();
        m_output += line + QLatin1Char('\n');
        return true;
    }

    bool ReadKey(int& key) override
    {
        if (m_keys.empty())
            return false;
        key = m_keys.front();
        m_keys.pop_front();
        return true;
    }

    void EndLine() override
    {
        if (!m_output.isEmpty() && !m_output.endsWith(QLatin1Char('\n')))
            m_output += QLatin1Char('\n');
    }

    // The output since the last call.
    QString TakeOutput() { return std::exchange(m_output, QString()); }
    const QStringList& RemainingLines() const { return m_lines; }

private:
    QStringList m_lines;
    std::deque<int> m_keys;
    QString m_output;
};
