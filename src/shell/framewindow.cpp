#include "shell/framewindow.h"

#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "shell/mainframe.h"
#include "store/procthread.h"

#include <QAction>
#include <QApplication>

#include <stdexcept>

FrameWindow::FrameWindow(MainFrame &frame)
    : m_frame(frame)
{}

void FrameWindow::open()
{
    if (m_open || m_closed)
        return;
    m_thread = ProcThread::current();
    m_open = true;
    m_opening = true;
    m_frame.show();
    m_frame.activateWindow();
    m_opening = false;
    enqueue(EventKind::OpenWindow);
    enqueue(EventKind::Sized);
}

void FrameWindow::close()
{
    finishClose();
}

void FrameWindow::finishClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_queue.clear();
    m_frame.closeForGood();
    if (ProcedureThreads *threads = ProcedureThreads::instance())
        threads->wake(m_thread);
}

bool FrameWindow::nextEvent(WindowEvent &event)
{
    for (;;) {
        if (!isOpen())
            return false;
        if (!m_queue.isEmpty()) {
            event = m_queue.takeFirst();
            m_current = event;
            return true;
        }
        ProcedureThreads *threads = ProcedureThreads::instance();
        if (!threads || !threads->onProcedureThread() || ProcThread::current() != m_thread)
            throw std::logic_error("the frame's events are taken by its own procedure");
        threads->suspend();
    }
}

void FrameWindow::post(EventKind kind, int control)
{
    if (!isOpen())
        return;
    m_queue.append(WindowEvent{kind, control});
    if (ProcedureThreads *threads = ProcedureThreads::instance())
        threads->wake(m_thread);
}

void FrameWindow::enqueue(EventKind kind, int control)
{
    if (!m_opening)
        post(kind, control);
}

void FrameWindow::defaultAction(const WindowEvent &event)
{
    if (event.kind != EventKind::CloseWindow && event.kind != EventKind::CloseDown)
        return;
    // A procedure that refuses to close (it keeps its form open) keeps the frame open too.
    closeDownProcedures(this, [this] { finishClose(); });
}

ControlKind FrameWindow::kind(int control) const
{
    return m_frame.commandAction(control) ? ControlKind::Button : ControlKind::Other;
}

bool FrameWindow::isDisabled(int control) const
{
    const QAction *action = m_frame.commandAction(control);
    return !action || !action->isEnabled();
}

bool FrameWindow::isHidden(int control) const
{
    const QAction *action = m_frame.commandAction(control);
    return !action || !action->isVisible();
}

void FrameWindow::enable(int control)
{
    if (QAction *action = m_frame.commandAction(control))
        action->setEnabled(true);
}

void FrameWindow::disable(int control)
{
    if (QAction *action = m_frame.commandAction(control))
        action->setEnabled(false);
}

void FrameWindow::beep()
{
    QApplication::beep();
}
