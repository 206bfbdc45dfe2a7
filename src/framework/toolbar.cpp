#include "framework/toolbar.h"

#include "framework/toolbarstrip.h"
#include "framework/windowcontroller.h"

#include <QCoreApplication>

#include <algorithm>

QString ToolbarButton::tip(int control)
{
    switch (control) {
    case Insert:
        return QCoreApplication::translate("Toolbar", "Insert a new Record");
    case Change:
        return QCoreApplication::translate("Toolbar", "Change the Record");
    case Delete:
        return QCoreApplication::translate("Toolbar", "Delete the Record");
    case Select:
        return QCoreApplication::translate("Toolbar", "Select the Record");
    case Bottom:
        return QCoreApplication::translate("Toolbar", "Go to the Last Page");
    case Top:
        return QCoreApplication::translate("Toolbar", "Go to the First Page");
    case PageDown:
        return QCoreApplication::translate("Toolbar", "Go to the Next Page");
    case PageUp:
        return QCoreApplication::translate("Toolbar", "Go to the Prior Page");
    case Down:
        return QCoreApplication::translate("Toolbar", "Go to the Next Record");
    case Up:
        return QCoreApplication::translate("Toolbar", "Go to the Prior Record");
    case Locate:
        return QCoreApplication::translate("Toolbar", "Locate a Record");
    case History:
        return QCoreApplication::translate("Toolbar", "Recall the last saved Value");
    case Help:
        return QCoreApplication::translate("Toolbar", "Help");
    default:
        return {};
    }
}

// --- list target ----------------------------------------------------------------------------

ToolbarListTarget::ToolbarListTarget(int listControl, const QWidget *list, Buttons buttons)
    : ToolbarTarget(listControl)
    , m_list(list)
    , m_buttons(buttons)
{}

int ToolbarListTarget::buttonControl(int button) const
{
    switch (button) {
    case ToolbarButton::Insert:
        return m_buttons.insert;
    case ToolbarButton::Change:
        return m_buttons.change;
    case ToolbarButton::Delete:
        return m_buttons.remove;
    case ToolbarButton::Select:
        return m_buttons.select;
    case ToolbarButton::Help:
        return m_buttons.help;
    default:
        return 0;
    }
}

bool ToolbarListTarget::isActive(const WindowController &window) const
{
    return window.hasWindow() && !window.window().isHidden(control()) && m_list
           && m_list->isVisible();
}

bool ToolbarListTarget::isEnabled(int button, const WindowController &window) const
{
    if (button == ToolbarButton::History)
        return false;
    if (button >= ToolbarButton::Bottom && button <= ToolbarButton::Locate)
        return true;
    const int own = buttonControl(button);
    return own != 0 && window.hasWindow() && !window.window().isDisabled(own);
}

void ToolbarListTarget::takeButton(int button, WindowController &window)
{
    static constexpr EventKind scrolls[] = {
        EventKind::ScrollBottom,
        EventKind::ScrollTop,
        EventKind::PageDown,
        EventKind::PageUp,
        EventKind::ScrollDown,
        EventKind::ScrollUp,
        EventKind::Locate,
    };
    if (button >= ToolbarButton::Bottom && button <= ToolbarButton::Locate) {
        window.window().post(scrolls[button - ToolbarButton::Bottom], control());
        return;
    }
    switch (button) {
    case ToolbarButton::Insert:
    case ToolbarButton::Change:
    case ToolbarButton::Delete:
        if (const int own = buttonControl(button); own != 0 && !window.window().isDisabled(own))
            window.window().post(EventKind::Accepted, own);
        break;
    case ToolbarButton::Select:
        window.CloseWithResponse(Response::Completed);
        break;
    case ToolbarButton::Help:
        window.app().requestHelp();
        break;
    default:
        break;
    }
}

// --- form target ----------------------------------------------------------------------------

ToolbarFormTarget::ToolbarFormTarget()
    : ToolbarTarget(0)
{}

bool ToolbarFormTarget::isActive(const WindowController &) const
{
    return true;
}

bool ToolbarFormTarget::isEnabled(int button, const WindowController &window) const
{
    switch (button) {
    case ToolbarButton::Insert:
    case ToolbarButton::Bottom:
    case ToolbarButton::Top:
    case ToolbarButton::PageDown:
    case ToolbarButton::PageUp:
    case ToolbarButton::Down:
    case ToolbarButton::Up:
        return true;
    case ToolbarButton::History:
        return !window.HISTORY.empty();
    case ToolbarButton::Help:
        return window.app().hasHelp();
    default:
        return false;
    }
}

void ToolbarFormTarget::takeButton(int button, WindowController &window)
{
    switch (button) {
    case ToolbarButton::Insert:
    case ToolbarButton::Bottom:
    case ToolbarButton::Top:
    case ToolbarButton::PageDown:
    case ToolbarButton::PageUp:
    case ToolbarButton::Down:
    case ToolbarButton::Up:
        // Saved as by OK; the list that called the form carries out the move.
        if (window.VCRREQUEST)
            *window.VCRREQUEST = button;
        window.pressOk();
        break;
    case ToolbarButton::Help:
        window.app().requestHelp();
        break;
    default:
        break;
    }
}

// --- the toolbar ------------------------------------------------------------------------------

void Toolbar::attach(WindowController &window, ToolbarStrip *strip)
{
    m_window = &window;
    m_strip = strip;
}

void Toolbar::AddTarget(std::unique_ptr<ToolbarTarget> target)
{
    const int control = target->control();
    std::erase_if(m_targets, [control](const auto &t) { return t->control() == control; });
    m_current = nullptr;
    m_targets.push_back(std::move(target));
}

void Toolbar::SetTarget(int control)
{
    ToolbarTarget *chosen = nullptr;
    for (const auto &target : m_targets) {
        if (control != 0 ? target->control() == control : m_window && target->isActive(*m_window))
            chosen = target.get();
    }
    if (chosen)
        m_current = chosen;
    DisplayButtons();
}

void Toolbar::TakeEvent(int control)
{
    if (!ToolbarButton::isButton(control) || !m_current || !m_window
        || !m_current->isEnabled(control, *m_window))
        return;
    m_current->takeButton(control, *m_window);
}

void Toolbar::DisplayButtons()
{
    for (int button = ToolbarButton::First; button <= ToolbarButton::Last; ++button) {
        m_enabled[static_cast<std::size_t>(button - ToolbarButton::First)]
            = m_current && m_window && m_current->isEnabled(button, *m_window);
    }
    if (m_strip && m_window && m_window->hasWindow())
        m_strip->show(m_enabled);
}

bool Toolbar::isEnabled(int button) const
{
    return ToolbarButton::isButton(button)
           && m_enabled[static_cast<std::size_t>(button - ToolbarButton::First)];
}

void Toolbar::Kill()
{
    m_targets.clear();
    m_current = nullptr;
    m_enabled.fill(false);
    m_window = nullptr;
}
