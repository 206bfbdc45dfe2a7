#pragma once

#include "framework/eventwindow.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <cstdint>

class MainFrame;

// The main frame as its window manager sees it: the frame's own events (a menu item chosen,
// the close box, size and activation changes) queue here and are taken one at a time by the
// procedure "Main". Closing it first closes down every other procedure.
class FrameWindow : public QObject, public EventWindow
{
    Q_OBJECT

public:
    explicit FrameWindow(MainFrame &frame);

    void open() override;
    // Closes at once, without closing down the other procedures.
    void close() override;
    bool isOpen() const override { return m_open && !m_closed; }
    bool nextEvent(WindowEvent &event) override;
    const WindowEvent &currentEvent() const override { return m_current; }
    void post(EventKind kind, int control = 0) override;
    // A close request closes down every procedure and then the frame.
    void defaultAction(const WindowEvent &event) override;

    void select(int) override {}
    // The frame has no input controls: validation ends at once.
    void validateAll() override { post(EventKind::Completed); }
    bool isValidating() const override { return false; }
    int focusControl() const override { return 0; }
    void redisplay() override {}
    void redisplay(int) override {}
    bool updateFromWindow() override { return true; }
    bool updateFromWindow(int) override { return true; }
    ControlKind kind(int control) const override;
    bool isDisabled(int control) const override;
    bool isHidden(int control) const override;
    void enable(int control) override;
    void disable(int control) override;
    void addAlertKey(int, int) override {}
    void beep() override;

    // What the frame reports, while it is open.
    void enqueue(EventKind kind, int control = 0);

private:
    void finishClose();

    MainFrame &m_frame;
    QList<WindowEvent> m_queue;
    WindowEvent m_current;
    std::uint32_t m_thread = 0;
    bool m_open = false;
    bool m_opening = false; // what showing the frame reports itself is not an event
    bool m_closed = false;
};
