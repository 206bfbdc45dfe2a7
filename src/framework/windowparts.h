#pragma once

#include <cstdint>

class EventWindow;
class WindowController;

// A list of a window as its window manager sees it; the browse manager implements it. The
// window hands it every event and has it reset, redraw and take the window's values.
class AbstractBrowse
{
public:
    virtual ~AbstractBrowse() = default;

    // Called for every event after the window's own handlers; Level::Notify when the list
    // has handled the event.
    virtual int TakeEvent() = 0;
    // The list wants reloading (its page size, range or reset fields changed).
    virtual bool NeedRefresh() = 0;
    // Picks the sort order and reloads as needed; `force` > 0 always reloads.
    virtual void ResetSort(std::uint8_t force) = 0;
    // Shows the list again (rows, highlight, thumb, buttons).
    virtual void UpdateWindow() = 0;
    // Takes the window's values back into the list's buffers.
    virtual void UpdateBuffer() = 0;
    virtual void ArmAlertKeys() = 0;
    // The list was opened to select a record (request 4).
    virtual void SetSelecting(bool selecting) = 0;
    virtual void Kill() = 0;
};

// The text translator a window may register; none of the system's procedures does.
class Translator
{
public:
    virtual ~Translator() = default;
    virtual void TranslateWindow(EventWindow &window) = 0;
};
