#pragma once

#include <string>

// How a message reaches the user. The program shows message boxes (the procedure waits for
// the answer without blocking other windows); tests answer from a script.
enum class MessageIcon { None, Information, Warning, Question, Error };

namespace MessageButton {
inline constexpr int Ok = 1;
inline constexpr int Yes = 2;
inline constexpr int No = 4;
inline constexpr int Cancel = 8;
inline constexpr int Abort = 16;
inline constexpr int Retry = 32;
inline constexpr int Ignore = 64;
} // namespace MessageButton

class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;

    // Shows the text ('|' is a line break) with title, icon and the buttons (an or-ed set of
    // MessageButton values) and returns the button pressed.
    virtual int show(const std::string &title,
                     const std::string &text,
                     MessageIcon icon,
                     int buttons,
                     int defaultButton)
        = 0;
    // The error beep; `hertz` and `hundredths` as the runtime's beep takes them (0 = default).
    virtual void beep(int hertz = 0, int hundredths = 0) = 0;
    // Ends the program with exit code 0 after a fatal message; never returns.
    [[noreturn]] virtual void endProgram(const std::string &reason) = 0;
};
