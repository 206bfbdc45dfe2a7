#include "store/consolepresenter.h"

#include <algorithm>
#include <iostream>

int ConsolePresenter::show(
    const std::string &title, const std::string &text, MessageIcon, int buttons, int defaultButton)
{
    std::string lines = text;
    std::replace(lines.begin(), lines.end(), '|', '\n');
    std::cerr << title << ": " << lines << '\n';
    for (int way : {MessageButton::Cancel, MessageButton::No, MessageButton::Abort}) {
        if (buttons & way)
            return way;
    }
    return defaultButton;
}

void ConsolePresenter::beep(int, int) {}

void ConsolePresenter::endProgram(const std::string &reason)
{
    throw ConsoleProgramEnd(reason);
}
