#include "framework/appcontext.h"

#include "framework/procedurethreads.h"
#include "store/procthread.h"
#include "store/storecontext.h"

#include <QMdiArea>
#include <QPrinter>

namespace {
constexpr int kProcedureNotDefined = 24;
} // namespace

AppContext::AppContext(StoreContext &store, ProcedureThreads &threads, QMdiArea *host)
    : m_store(store)
    , m_threads(threads)
    , m_host(host)
{
    m_threadEnded = QObject::connect(&threads,
                                     &ProcedureThreads::threadEnded,
                                     &threads,
                                     [this](quint32 thread) { m_threadValues.erase(thread); });
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

ThreadValues &AppContext::threadValues()
{
    std::unique_ptr<ThreadValues> &values = m_threadValues[ProcThread::current()];
    if (!values)
        values = std::make_unique<ThreadValues>();
    return *values;
}

bool AppContext::hasThreadValues(std::uint32_t thread) const
{
    return m_threadValues.contains(thread);
}

RecordBuffer &AppContext::historyArea(std::string_view procedure, FileId file)
{
    auto &areas = threadValues().historyAreas;
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
