// A command's user input and output on a console.
#pragma once

#include "host/CTqSystemServices.h"

class CTqConsole;

class CTqConsoleUserIO final : public CTqUserIO {
public:
    // The console must outlive this object.
    explicit CTqConsoleUserIO(CTqConsole& console) : m_console(console) {}

    void Print(const CTqString& text) override;
    // tq::kNormal with the line typed; tq::kCancel at the end of input or for a line that is
    // exactly Escape.
    short GetString(const CTqString& prompt, CTqString& answer) override;

private:
    CTqConsole& m_console;
};
