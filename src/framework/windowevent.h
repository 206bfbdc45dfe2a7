#pragma once

#include <QString>

// What a procedure's window reports to its procedure. Control events name the control;
// window events have control 0. The list scroll events come from list controls.
enum class EventKind {
    None,
    Accepted,
    Selected,
    NewSelection,
    Rejected,
    AlertKey,
    ScrollUp,
    ScrollDown,
    PageUp,
    PageDown,
    ScrollTop,
    ScrollBottom,
    Locate,
    ScrollDrag,
    OpenWindow,
    CloseWindow,
    CloseDown,
    Completed,
    LoseFocus,
    GainFocus,
    Sized,
    Timer,
    DataChanged, // another station changed the file numbered `control`
};

struct WindowEvent
{
    WindowEvent() = default;
    WindowEvent(
        EventKind kind, int control = 0, int keyCode = 0, QString keyText = {}, int thumb = 0)
        : kind(kind)
        , control(control)
        , keyCode(keyCode)
        , keyText(std::move(keyText))
        , thumb(thumb)
    {}

    EventKind kind = EventKind::None;
    int control = 0;
    // The key code (see keycodes.h) of the user action behind the event; 0 for none.
    int keyCode = 0;
    // The character an alert key typed, for locators; empty for keys without one.
    QString keyText;
    // ScrollDrag: where the thumb was dropped, 0 to 100.
    int thumb = 0;
    // NewSelection of a list by the mouse: the row clicked, from 1. The list may have been
    // reloaded by the time the event is taken (a click that activates its window resets it
    // first), so the row travels with the event.
    int row = 0;

    bool isWindowEvent() const { return kind >= EventKind::OpenWindow; }
    bool operator==(const WindowEvent &) const = default;
};

// "Accepted", "CloseWindow", ...: for messages and test output.
QString eventName(EventKind kind);
