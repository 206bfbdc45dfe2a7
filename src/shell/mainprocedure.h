#pragma once

#include "framework/toolbar.h"
#include "framework/windowcontroller.h"

#include <QString>

class MainFrame;
struct MenuItem;

// The procedure "Main": the main frame's window manager. It opens the frame, sets the VAT
// factor once the frame is open, and dispatches the menu: a procedure entry starts its
// procedure on a new thread and returns at once; the other entries are the frame's own
// commands. Closing the frame closes down every procedure, then ends this one.
class MainProcedure : public WindowController
{
public:
    static constexpr double kVatFactor = 1.19;

    MainProcedure(AppContext &app, MainFrame &frame);
    ~MainProcedure() override;

    int Init() override;
    int Shutdown() override;
    int OnAccepted() override;
    int OnWindowEvent() override;

private:
    void dispatch(const MenuItem &item);
    void printerSetup();
    void onOwnThread(const QString &name, void (*step)(AppContext &));

    MainFrame &m_frame;
    Toolbar m_toolbar;
    bool m_procedureSet = false;
};
