// The host's message box: the desktop's message box parented to the active window when the host
// has a display, otherwise the message on the console with a Yes or No question for the question
// icon.
#pragma once

#include <QString>

class CTqConsole;

class CTqMessageBox {
public:
    enum class Icon { None, Critical, Question, Warning, Information };

    // True when the application shows widgets through the desktop (CTqDesktop) on a real
    // display (not the offscreen or minimal platform).
    static bool HasDisplay();

    // Shows the message and waits for the user. With Icon::Question the buttons are Yes and
    // No and the result is true for Yes; otherwise there is the one button OK and the result is
    // false. On the console the message is printed as "[title] text"; the question is asked
    // until the user types yes or no (either may be shortened to its first letter, case does
    // not matter); an empty answer and the end of input count as No.
    static bool Show(CTqConsole& console, const QString& text, const QString& title, Icon icon);
};
