#include "listreportprocedure.h"

#include "listreporttable.h"

#include "framework/core/textstep.h"
#include "framework/procedureregistry.h"
#include "framework/procwindow.h"
#include "framework/report/listreport.h"
#include "framework/report/pagequeue.h"
#include "framework/view/view.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

using namespace Qt::Literals::StringLiterals;

namespace shell {
namespace {

// The one list report that counts as an open list window.
constexpr std::string_view kGuarded = "PrintAUF:Keyfname";

std::unique_ptr<StepManager> stepFor(KeyRef key)
{
    const FileDef &file = fileDef(key.file);
    const KeyDef &def = file.keys[key.index];
    const KeyPart &part = def.parts[0];
    unsigned flags = part.descending ? unsigned(StepManager::Descending) : 0u;
    if (file.fields[part.field].type != FieldType::String)
        return std::make_unique<NumericStep>(flags);
    flags |= StepManager::Alphabetic | StepManager::Digits;
    if (!def.noCase)
        flags |= StepManager::CaseSensitive;
    return std::make_unique<TextStep>(TextStep::LookupMode::Computed, flags);
}

} // namespace

ListReportProcedure::ListReportProcedure(AppContext &app, const ListReportDef &def)
    : ReportRunner(app, def.procedure, m_process)
    , m_def(def)
{
    useFile(def.key.file);
    usePreview();
}

ListReportProcedure::~ListReportProcedure()
{
    // A procedure unwound without its shutdown (the program ending) still lets the guard go.
    if (m_guardHeld)
        app().ListWindowOpen = 0;
}

void ListReportProcedure::setUpWindow()
{
    RelationKeeper &primary = store().relations(m_def.key.file);
    m_view = std::make_unique<View>(primary);
    m_step = stepFor(m_def.key);
    const KeyPart &first = fileDef(m_def.key.file).keys[m_def.key.index].parts[0];
    FieldRef walked;
    walked.file = m_def.key.file;
    walked.index = first.field;
    m_process.Init(*m_view, primary, m_step.get(), walked);
    m_process.PTEXT = ProgressText;
    m_process.AddOrdering(m_def.key);
    primary.SetQuickScan(true);
    ReportRunner::setUpWindow();
}

int ListReportProcedure::OnWindowEvent()
{
    if (event().kind == EventKind::OpenWindow && !m_guardChecked) {
        m_guardChecked = true;
        if (!takeGuard())
            return Level::Fatal;
    }
    return ReportRunner::OnWindowEvent();
}

bool ListReportProcedure::takeGuard()
{
    if (m_def.procedure != kGuarded)
        return true;
    if (app().ListWindowOpen == 1) {
        MessagePresenter &presenter = store().errors().presenter();
        presenter.beep(150, 16);
        presenter.show("U u u p p p s s",
                       "Bitte verlassen Sie erst die geöffneten Menüs.",
                       MessageIcon::Warning,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return false;
    }
    app().ListWindowOpen = 1;
    m_guardHeld = true;
    return true;
}

int ListReportProcedure::Shutdown()
{
    // However the window went (its end, Cancel, the close box, the frame closing), the
    // guard goes with it.
    if (m_guardHeld) {
        app().ListWindowOpen = 0;
        m_guardHeld = false;
    }
    if (m_view) {
        m_process.Close();
        store().relations(m_def.key.file).SetQuickScan(false);
    }
    return ReportRunner::Shutdown();
}

void ListReportProcedure::OpenReport()
{
    m_list = std::make_unique<report::ListReport>(
        *PREVIEWQUEUE,
        QCoreApplication::translate("ListReport", m_def.title),
        listColumns(m_def, records()[m_def.key.file]));
}

int ListReportProcedure::TakeRecord()
{
    m_list->printDetail();
    return m_list->ok() ? Level::Benign : Level::Fatal;
}

void ListReportProcedure::EndReport()
{
    if (m_list)
        m_list->finish();
}

void registerListReports(ProcedureRegistry &registry)
{
    for (const ListReportDef &def : listReports()) {
        registry.add(def.procedure, [&def](AppContext &app) {
            ListReportProcedure procedure(app, def);
            app.LastResponse = procedure.Run();
        });
    }
}

} // namespace shell
