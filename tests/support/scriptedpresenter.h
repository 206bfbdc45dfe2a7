#pragma once

#include "store/messagepresenter.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

// Thrown by ScriptedPresenter::endProgram in place of ending the test program, so that a test
// sees that the program would have ended and that nothing after it ran.
struct ProgramEnded : std::runtime_error
{
    explicit ProgramEnded(const std::string &reason)
        : std::runtime_error("program ended: " + reason)
    {}
};

// Answers messages from a script instead of a user, and keeps what was shown.
class ScriptedPresenter : public MessagePresenter
{
public:
    struct Shown
    {
        std::string title;
        std::string text;
        MessageIcon icon = MessageIcon::None;
        int buttons = 0;
        int defaultButton = 0;
        int answer = 0;
    };

    // The buttons to press, one per message in order; once they run out, the default button
    // of each message is pressed.
    void answer(int button) { m_answers.push_back(button); }

    int show(const std::string &title,
             const std::string &text,
             MessageIcon icon,
             int buttons,
             int defaultButton) override
    {
        int pressed = defaultButton;
        if (!m_answers.empty()) {
            pressed = m_answers.front();
            m_answers.pop_front();
        }
        shown.push_back({title, text, icon, buttons, defaultButton, pressed});
        return pressed;
    }

    void beep(int, int) override { ++beeps; }

    [[noreturn]] void endProgram(const std::string &reason) override
    {
        endReason = reason;
        throw ProgramEnded(reason);
    }

    std::vector<Shown> shown;
    int beeps = 0;
    std::string endReason;

private:
    std::deque<int> m_answers;
};
