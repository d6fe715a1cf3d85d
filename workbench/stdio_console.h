// The console of the workbench program: UTF-8 lines from standard input, text to standard
// output. An interrupt (SIGINT) during a read ends that read instead of being retried.
#pragma once

#include "host/framework/CTqConsole.h"

#include <string>

class StdioConsole final : public CTqConsole {
public:
    enum class ReadResult { Line, Interrupted, End };

    StdioConsole();

    void Write(const QString& text) override;
    // False at the end of input and when an interrupt ended the read.
    bool ReadLine(const QString& prompt, QString& line) override;
    // The first character of the next line, or 13 (Enter) for an empty one: a terminal in its
    // ordinary mode hands over whole lines only.
    bool ReadKey(int& key) override;
    void EndLine() override;

    // Shows the prompt and reads one line, telling an interrupt from the end of input. An
    // interrupt uses up the break request it raised.
    ReadResult Read(const QString& prompt, QString& line);

private:
    std::string m_buffered;  // bytes read past the last line handed out
    bool m_atEnd = false;
    bool m_atLineStart = true;
    bool m_inputEchoed;  // a terminal shows what is typed, line break included
};
