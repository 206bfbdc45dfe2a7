#include "framework/iniwindows.h"

#include <QMdiSubWindow>
#include <QWidget>

bool IniSubWindow::isMaximized() const
{
    return m_window.isMaximized();
}

bool IniSubWindow::isMinimized() const
{
    return m_window.isMinimized();
}

int IniSubWindow::x() const
{
    return m_window.x();
}

int IniSubWindow::y() const
{
    return m_window.y();
}

int IniSubWindow::width() const
{
    return m_window.width();
}

int IniSubWindow::height() const
{
    return m_window.height();
}

void IniSubWindow::setMaximized(bool maximized)
{
    if (maximized)
        m_window.showMaximized();
    else
        m_window.showNormal();
}

void IniSubWindow::setPosition(int x, int y)
{
    m_window.move(x, y);
}

void IniSubWindow::setSize(int width, int height)
{
    m_window.resize(width, height);
}

bool IniDialogWindow::isMaximized() const
{
    return m_window.isMaximized();
}

bool IniDialogWindow::isMinimized() const
{
    return m_window.isMinimized();
}

int IniDialogWindow::x() const
{
    return m_window.x();
}

int IniDialogWindow::y() const
{
    return m_window.y();
}

int IniDialogWindow::width() const
{
    return m_window.width();
}

int IniDialogWindow::height() const
{
    return m_window.height();
}

void IniDialogWindow::setMaximized(bool maximized)
{
    if (maximized)
        m_window.showMaximized();
    else
        m_window.showNormal();
}

void IniDialogWindow::setPosition(int x, int y)
{
    m_window.move(x, y);
}

void IniDialogWindow::setSize(int width, int height)
{
    m_window.resize(width, height);
}
