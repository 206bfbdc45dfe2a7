#include "framework/toolbarstrip.h"

#include "framework/procwindow.h"
#include "framework/toolbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QStyle>

namespace {

QStyle::StandardPixmap iconOf(int control)
{
    switch (control) {
    case ToolbarButton::Insert:
        return QStyle::SP_FileIcon;
    case ToolbarButton::Change:
        return QStyle::SP_FileDialogDetailedView;
    case ToolbarButton::Delete:
        return QStyle::SP_TrashIcon;
    case ToolbarButton::Select:
        return QStyle::SP_DialogApplyButton;
    case ToolbarButton::Bottom:
        return QStyle::SP_MediaSkipForward;
    case ToolbarButton::Top:
        return QStyle::SP_MediaSkipBackward;
    case ToolbarButton::PageDown:
        return QStyle::SP_MediaSeekForward;
    case ToolbarButton::PageUp:
        return QStyle::SP_MediaSeekBackward;
    case ToolbarButton::Down:
        return QStyle::SP_ArrowDown;
    case ToolbarButton::Up:
        return QStyle::SP_ArrowUp;
    case ToolbarButton::Locate:
        return QStyle::SP_FileDialogContentsView;
    case ToolbarButton::History:
        return QStyle::SP_BrowserReload;
    default:
        return QStyle::SP_DialogHelpButton;
    }
}

} // namespace

ToolbarStrip::ToolbarStrip(QMdiArea *area, QWidget *parent)
    : QToolBar(parent)
    , m_area(area)
{
    setObjectName(QStringLiteral("toolbar"));
    setWindowTitle(QCoreApplication::translate("Toolbar", "Toolbar"));
    setMovable(false);
    setFocusPolicy(Qt::NoFocus);
    for (int control = ToolbarButton::First; control <= ToolbarButton::Last; ++control) {
        QAction *action
            = addAction(style()->standardIcon(iconOf(control)), ToolbarButton::tip(control));
        action->setToolTip(ToolbarButton::tip(control));
        action->setStatusTip(ToolbarButton::tip(control));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, control] { press(control); });
        m_buttons[static_cast<std::size_t>(control - ToolbarButton::First)] = action;
        if (control == ToolbarButton::Select || control == ToolbarButton::Locate)
            addSeparator();
    }
}

QAction *ToolbarStrip::button(int control) const
{
    return ToolbarButton::isButton(control)
               ? m_buttons[static_cast<std::size_t>(control - ToolbarButton::First)]
               : nullptr;
}

void ToolbarStrip::show(const std::array<bool, ToolbarButton::Count> &enabled)
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setEnabled(enabled[i]);
}

void ToolbarStrip::press(int control)
{
    const QMdiSubWindow *active = m_area ? m_area->activeSubWindow() : nullptr;
    if (!active)
        return;
    for (ProcWindow *window : ProcWindow::openWindows()) {
        if (window->subWindow() == active) {
            window->post(EventKind::Accepted, control);
            return;
        }
    }
}
