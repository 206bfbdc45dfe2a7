#include "framework/appcontext.h"

#include "framework/changewatch.h"

#include "framework/dialogs.h"
#include "framework/procedurethreads.h"
#include "store/procthread.h"
#include "store/storecontext.h"

#include <QApplication>
#include <QMdiArea>
#include <QPrinter>
#include <QWidget>

namespace {

constexpr int kProcedureNotDefined = 24;

// The history areas of the update forms on one thread, by procedure and file: what a form
// confirmed last stays recallable the next time the form opens on the thread.
struct HistoryAreas
{
    std::map<std::string, std::unique_ptr<RecordBuffer>, std::less<>> areas;
};

// A delete with its children runs in one transaction, inside one event: the loop gets no
// turn until it ends. So the busy pointer is shown, and the windows painted as they stand
// now (the question before gone), before the first record goes.
void busyWhileWriting(bool busy)
{
    setBusyCursor(busy);
    if (!busy)
        return;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible())
            window->repaint();
    }
}

} // namespace

AppContext::AppContext(StoreContext &store, ProcedureThreads &threads, QMdiArea *host)
    : m_store(store)
    , m_threads(threads)
    , m_host(host)
{
    m_threadEnded = QObject::connect(&threads,
                                     &ProcedureThreads::threadEnded,
                                     &threads,
                                     [this](quint32 thread) { m_threadSlots.erase(thread); });
    // A plain function, holding nothing of this context: the store may outlive it.
    for (FileId file : StoreContext::fileOrder())
        store.relations(file).setBusyPointer(busyWhileWriting);
    // Other stations' writes reach the open lists while the program runs.
    m_changes = std::make_unique<ChangeWatch>(store.engine());
}

AppContext::~AppContext()
{
    QObject::disconnect(m_threadEnded);
}

QMdiArea *AppContext::host() const
{
    return m_host;
}

QPrinter &AppContext::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

std::shared_ptr<void> &AppContext::slotOfThisThread(std::type_index type)
{
    return m_threadSlots[ProcThread::current()][type];
}

bool AppContext::hasThreadValues(std::uint32_t thread) const
{
    return m_threadSlots.contains(thread);
}

RecordBuffer &AppContext::historyArea(std::string_view procedure, FileId file)
{
    auto &areas = threadSlot<HistoryAreas>().areas;
    const std::string key = std::string(procedure) + '/' + fileDef(file).label;
    std::unique_ptr<RecordBuffer> &area = areas[key];
    if (!area) {
        area = std::make_unique<RecordBuffer>(file);
        area->clear();
    }
    return *area;
}

int AppContext::call(std::string_view name, int request)
{
    const ProcedureRegistry::Body *body = m_procedures.find(name);
    if (!body) {
        reportUndefined(name);
        return Response::Cancelled;
    }
    PendingRequest = request;
    LastResponse = 0;
    // A copy: the registry may change while the procedure runs.
    const ProcedureRegistry::Body run = *body;
    run(*this);
    return LastResponse == 0 ? Response::Cancelled : LastResponse;
}

std::uint32_t AppContext::start(std::string_view name)
{
    const std::string procedure(name);
    return m_threads.start(QString::fromStdString(procedure), [this, procedure] {
        const ProcedureRegistry::Body *body = m_procedures.find(procedure);
        if (!body) {
            reportUndefined(procedure);
            return;
        }
        const ProcedureRegistry::Body run = *body;
        run(*this);
    });
}

void AppContext::reportUndefined(std::string_view name)
{
    m_store.errors().ReportText(kProcedureNotDefined, name);
}
