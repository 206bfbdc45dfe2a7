#pragma once

#include "framework/toolbar.h"

#include <QToolBar>

#include <array>

class QAction;
class QMdiArea;

// The frame's one row of toolbar buttons, controls 2000 to 2012. A button pressed becomes an
// accepted event of that control in the procedure window that is active in the MDI area; that
// window's toolbar decides what it means and which buttons are enabled.
class ToolbarStrip : public QToolBar
{
    Q_OBJECT

public:
    explicit ToolbarStrip(QMdiArea *area, QWidget *parent = nullptr);

    QAction *button(int control) const;
    // The enabled state of every button, from 2000 on.
    void show(const std::array<bool, ToolbarButton::Count> &enabled);
    using QToolBar::show;

private:
    void press(int control);

    QMdiArea *m_area;
    std::array<QAction *, ToolbarButton::Count> m_buttons{};
};
