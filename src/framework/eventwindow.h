#pragma once

#include "framework/controlvalues.h"
#include "framework/windowevent.h"

// What the window manager needs of a window: one event at a time, posting to itself, focus
// and validation, redisplay, the state of a control, alert keys, beep, close. A procedure's
// MDI window (ProcWindow) and the main frame both offer it, so one WindowController drives
// either.
class EventWindow
{
public:
    virtual ~EventWindow() = default;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Waits for the next event; false once the window has closed.
    virtual bool nextEvent(WindowEvent &event) = 0;
    virtual const WindowEvent &currentEvent() const = 0;
    // Queued behind the events already waiting.
    virtual void post(EventKind kind, int control = 0) = 0;
    // What the window does itself with an event the procedure leaves unhandled.
    virtual void defaultAction(const WindowEvent &event) = 0;

    virtual void select(int control) = 0;
    // Accepted to every input control in tab order, then Completed.
    virtual void validateAll() = 0;
    virtual bool isValidating() const = 0;
    virtual int focusControl() const = 0;

    virtual void redisplay() = 0;
    virtual void redisplay(int control) = 0;
    // Window → values; false if some input was refused.
    virtual bool updateFromWindow() = 0;
    virtual bool updateFromWindow(int control) = 0;
    // Why the control's input was refused (its last Rejected event), and putting other
    // input into it for the user; a window without such entries has neither.
    virtual InputRefusal refusal(int) const { return {}; }
    virtual void putInput(int, const QString &) {}

    virtual ControlKind kind(int control) const = 0;
    virtual bool isDisabled(int control) const = 0;
    virtual bool isHidden(int control) const = 0;
    virtual void enable(int control) = 0;
    virtual void disable(int control) = 0;
    virtual void addAlertKey(int control, int keyCode) = 0;

    virtual void beep() = 0;
};
