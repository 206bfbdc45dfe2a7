#pragma once

#include "framework/report/processmanager.h"
#include "framework/reportrunner.h"

#include <memory>

class ProcedureRegistry;
class StepManager;
class View;

namespace report {
class ListReport;
}

namespace shell {

struct ListReportDef;

// A list report as every one of them runs: the progress window walks the report's file in
// the order of its key, one detail per record, and the pages end in the preview. Progress
// is measured by the value of the key's first field.
class ListReportProcedure : public ReportRunner
{
public:
    ListReportProcedure(AppContext &app, const ListReportDef &def);
    ~ListReportProcedure() override;

    int OnWindowEvent() override;
    int Shutdown() override;

protected:
    void setUpWindow() override;
    void OpenReport() override;
    int TakeRecord() override;
    void EndReport() override;

private:
    // The guarded report opens only while no guarded window is open.
    bool takeGuard();

    const ListReportDef &m_def;
    ProcessManager m_process;
    std::unique_ptr<View> m_view;
    std::unique_ptr<StepManager> m_step;
    std::unique_ptr<report::ListReport> m_list;
    bool m_guardChecked = false;
    bool m_guardHeld = false;
};

// One procedure per list report, by its name ("PrintPAP:Keypbez").
void registerListReports(ProcedureRegistry &registry);

} // namespace shell
