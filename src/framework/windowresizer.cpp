#include "framework/windowresizer.h"

#include "framework/procwindow.h"

namespace {

WindowResizer::Rect fromQt(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

} // namespace

void WindowResizer::Init(ProcWindow &window, std::uint16_t strategy)
{
    m_window = &window;
    APPSTRATEGY = strategy;
    ORIGWIN = windowRect();
    PREVIOUSWIN = ORIGWIN;
    CONTROLQUEUE.clear();
    RESIZELIST.clear();
    for (int control : window.controlsInTabOrder()) {
        ControlEntry entry;
        entry.ID = control;
        entry.TYPE = static_cast<std::int32_t>(window.kind(control));
        const QWidget *widget = window.control(control);
        entry.HASCHILDREN = widget && !widget->children().isEmpty() ? 1 : 0;
        entry.POSITIONALSTRATEGY = strategy;
        entry.RESIZESTRATEGY = strategy;
        entry.POS = controlRect(control);
        entry.PARENTID = widget ? window.controlOf(widget->parentWidget()) : 0;
        CONTROLQUEUE.push_back(entry);
    }
}

void WindowResizer::Resize()
{
    if (!m_window)
        return;
    RESIZECALLED = 1;
    const QMdiSubWindow *sub = m_window->subWindow();
    MAXIMIZED = sub && sub->isMaximized() ? 1 : 0;
    ICONIZED = sub && sub->isMinimized() ? 1 : 0;
    std::vector<ResizeEntry> moved;
    for (const ControlEntry &entry : CONTROLQUEUE) {
        const auto before = std::find_if(
            RESIZELIST.begin(), RESIZELIST.end(), [&](auto &r) { return r.CONTROLID == entry.ID; });
        ResizeEntry r;
        r.PRIORITY = static_cast<std::int32_t>(moved.size()) + 1;
        r.CONTROLID = entry.ID;
        r.TYPE = entry.TYPE;
        r.BEFORE = before != RESIZELIST.end() ? before->AFTER : entry.POS;
        r.AFTER = controlRect(entry.ID);
        moved.push_back(r);
    }
    RESIZELIST = std::move(moved);
    PREVIOUSWIN = windowRect();
}

void WindowResizer::Kill()
{
    CONTROLQUEUE.clear();
    RESIZELIST.clear();
    m_window = nullptr;
}

WindowResizer::Rect WindowResizer::windowRect() const
{
    const QMdiSubWindow *sub = m_window ? m_window->subWindow() : nullptr;
    return sub ? fromQt(sub->geometry()) : Rect{};
}

WindowResizer::Rect WindowResizer::controlRect(int control) const
{
    const QWidget *widget = m_window ? m_window->control(control) : nullptr;
    return widget ? fromQt(widget->geometry()) : Rect{};
}
