// The host's file dialog: the desktop's file dialog when the host has a display, otherwise a
// prompt for the name on the console.
#pragma once

#include <QString>

class CTqConsole;

class CTqFileDialog {
public:
    // Flags of the request.
    static constexpr int kNewFile = 1;         // a file to write; it need not exist
    static constexpr int kAnyExtension = 4;    // the extension is only a suggestion
    static constexpr int kDefaultIsFolder = 16;  // the default name is the folder to start in
    static constexpr int kNoOverwriteWarning = 32;

    // Asks for a file name. `extension` may list several, separated by ";" ("" or "*": any);
    // a name without a suffix gets the first. A relative name is taken from the default name's
    // folder (the default itself with kDefaultIsFolder), else from `baseFolder`. True and the
    // full name, false when the user cancels.
    //
    // On the console the prompt is the title with the default name in angle brackets; an empty
    // answer takes the default (cancels when there is none), the end of the input cancels, and
    // without kNewFile a name that does not exist is reported and asked again.
    static bool Ask(CTqConsole& console, const QString& title, const QString& defaultName, const QString& extension,
                    int flags, const QString& baseFolder, QString& chosen);
};
