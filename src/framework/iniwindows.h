#pragma once

#include "store/inimanager.h"

class QMdiSubWindow;
class QWidget;

// A procedure's MDI window as the settings file keeps it: position, size, maximised.
class IniSubWindow : public IniWindow
{
public:
    explicit IniSubWindow(QMdiSubWindow &window)
        : m_window(window)
    {}

    bool isMaximized() const override;
    bool isMinimized() const override;
    bool isResizable() const override { return true; }
    int x() const override;
    int y() const override;
    int width() const override;
    int height() const override;
    void setMaximized(bool maximized) override;
    void setPosition(int x, int y) override;
    void setSize(int width, int height) override;

private:
    QMdiSubWindow &m_window;
};

// A dialog window of a procedure, kept the same way.
class IniDialogWindow : public IniWindow
{
public:
    explicit IniDialogWindow(QWidget &window)
        : m_window(window)
    {}

    bool isMaximized() const override;
    bool isMinimized() const override;
    bool isResizable() const override { return true; }
    int x() const override;
    int y() const override;
    int width() const override;
    int height() const override;
    void setMaximized(bool maximized) override;
    void setPosition(int x, int y) override;
    void setSize(int width, int height) override;

private:
    QWidget &m_window;
};
