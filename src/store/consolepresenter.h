#pragma once

#include "store/messagepresenter.h"

#include <stdexcept>
#include <string>

// Messages of a program run without windows (the sample data writer, an e-invoice written
// from the command line): they go to the error output, and a question is answered with the
// way out, so that a failing write is never retried without end. A fatal message ends the
// run by throwing ConsoleProgramEnd.
struct ConsoleProgramEnd : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

class ConsolePresenter : public MessagePresenter
{
public:
    int show(const std::string &title,
             const std::string &text,
             MessageIcon icon,
             int buttons,
             int defaultButton) override;
    void beep(int hertz, int hundredths) override;
    [[noreturn]] void endProgram(const std::string &reason) override;
};
