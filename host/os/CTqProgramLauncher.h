// Starting programs without waiting for them, for startapp.
#pragma once

#include <QString>

#include <cstdint>

class CTqProgramLauncher {
public:
    // Results, numbered as programs written for Windows expect them.
    static constexpr std::int32_t kCannotStart = 0;
    static constexpr std::int32_t kNotFound = 2;

    // Splits the command line at blanks (double quotes group words), looks the program up (a
    // name without a folder along PATH) and starts it detached in `workingFolder`. The result
    // is the process id when it is above 31, else 32 (a started program always gives more than
    // 31), or one of the failures above.
    static std::int32_t Start(const QString& commandLine, const QString& workingFolder);
};
