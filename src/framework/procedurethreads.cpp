#include "framework/procedurethreads.h"

#include "store/procthread.h"

#include <boost/context/fiber.hpp>
#include <boost/context/protected_fixedsize_stack.hpp>

#include <QtDebug>

#include <algorithm>
#include <stdexcept>

namespace ctx = boost::context;

namespace {
constexpr std::size_t kStackBytes = 1024 * 1024;
} // namespace

struct ProcedureThreads::Procedure
{
    std::uint32_t thread = 0;
    QString name;
    std::function<void()> body;
    ctx::fiber fiber; // the suspended procedure, as the Qt loop holds it
    ctx::fiber loop;  // the Qt loop, as the running procedure holds it
    bool scheduled = false;
    bool ended = false;     // the thread's end hooks have run
    bool unwinding = false; // its stack is being unwound; nothing on it may wait any more
};

ProcedureThreads *ProcedureThreads::s_instance = nullptr;

ProcedureThreads::ProcedureThreads(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(!s_instance);
    s_instance = this;
}

ProcedureThreads::~ProcedureThreads()
{
    endAll();
    s_instance = nullptr;
}

ProcedureThreads *ProcedureThreads::instance()
{
    return s_instance;
}

std::uint32_t ProcedureThreads::start(const QString &name, std::function<void()> body)
{
    auto procedure = std::make_unique<Procedure>();
    Procedure *p = procedure.get();
    p->thread = ProcThread::newThread();
    p->name = name;
    p->body = std::move(body);
    p->fiber = ctx::fiber(std::allocator_arg,
                          ctx::protected_fixedsize_stack(kStackBytes),
                          [this, p](ctx::fiber &&loop) {
                              p->loop = std::move(loop);
                              runBody(p);
                              return std::move(p->loop);
                          });
    m_procedures.push_back(std::move(procedure));
    p->scheduled = true;
    m_ready.push_back(p->thread);
    scheduleResume();
    return p->thread;
}

void ProcedureThreads::suspend()
{
    Procedure *p = m_running;
    if (!p)
        throw std::logic_error("only a procedure thread can wait");
    if (p->unwinding)
        return;
    p->loop = std::move(p->loop).resume();
}

void ProcedureThreads::wake(std::uint32_t thread)
{
    Procedure *p = find(thread);
    if (!p || p == m_running || p->scheduled)
        return;
    p->scheduled = true;
    m_ready.push_back(thread);
    scheduleResume();
}

QString ProcedureThreads::name(std::uint32_t thread) const
{
    const Procedure *p = find(thread);
    return p ? p->name : QString();
}

void ProcedureThreads::endAll()
{
    Q_ASSERT(!m_running);
    while (!m_procedures.empty())
        release(m_procedures.back().get());
    m_ready.clear();
}

ProcedureThreads::Procedure *ProcedureThreads::find(std::uint32_t thread) const
{
    for (const auto &p : m_procedures) {
        if (p->thread == thread)
            return p.get();
    }
    return nullptr;
}

void ProcedureThreads::scheduleResume()
{
    if (m_resumePosted)
        return;
    m_resumePosted = true;
    QMetaObject::invokeMethod(this, &ProcedureThreads::runReady, Qt::QueuedConnection);
}

void ProcedureThreads::runReady()
{
    m_resumePosted = false;
    // Only those ready now: a procedure that keeps waking another must not starve Qt.
    std::vector<std::uint32_t> batch;
    batch.swap(m_ready);
    for (std::uint32_t thread : batch) {
        Procedure *p = find(thread);
        if (!p)
            continue;
        p->scheduled = false;
        resume(p);
    }
    if (!m_ready.empty())
        scheduleResume();
}

void ProcedureThreads::resume(Procedure *p)
{
    const std::uint32_t previous = ProcThread::current();
    m_running = p;
    ProcThread::setCurrent(p->thread);
    p->fiber = std::move(p->fiber).resume();
    m_running = nullptr;
    ProcThread::setCurrent(previous);
    if (!p->fiber)
        release(p);
}

void ProcedureThreads::runBody(Procedure *p)
{
    try {
        p->body();
    } catch (const ctx::detail::forced_unwind &) {
        throw; // the scheduler is unwinding this stack; it must reach the fiber's entry
    } catch (const std::exception &e) {
        reportFailure(*p, QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(*p, tr("unknown exception"));
    }
    // The body's captures belong to the procedure and may own its windows.
    p->body = nullptr;
    p->ended = true;
    try {
        ProcThread::endThread(p->thread);
    } catch (const ctx::detail::forced_unwind &) {
        throw;
    } catch (const std::exception &e) {
        reportFailure(*p, QString::fromUtf8(e.what()));
    } catch (...) {
        reportFailure(*p, tr("unknown exception"));
    }
}

void ProcedureThreads::reportFailure(const Procedure &p, const QString &what)
{
    if (m_failureHandler) {
        try {
            m_failureHandler(p.name, what);
            return;
        } catch (const ctx::detail::forced_unwind &) {
            throw;
        } catch (...) {
            // fall through to the log: a failing report must not end the program
        }
    }
    qCritical().noquote() << "Procedure" << p.name << "ended by an error:" << what;
}

void ProcedureThreads::release(Procedure *p)
{
    auto it = std::find_if(m_procedures.begin(), m_procedures.end(), [p](const auto &owned) {
        return owned.get() == p;
    });
    if (it == m_procedures.end())
        return;
    std::unique_ptr<Procedure> owned = std::move(*it);
    m_procedures.erase(it);
    std::erase(m_ready, p->thread);

    const std::uint32_t previous = ProcThread::current();
    ProcThread::setCurrent(p->thread);
    if (p->fiber) {
        // Still suspended: destroying the fiber unwinds its stack, so the procedure's own
        // objects (its windows above all) are destroyed where they live.
        m_running = p;
        p->unwinding = true;
        p->fiber = ctx::fiber();
        m_running = nullptr;
    }
    if (!p->ended) {
        p->ended = true;
        ProcThread::endThread(p->thread);
    }
    ProcThread::setCurrent(previous);

    const std::uint32_t thread = p->thread;
    owned.reset();
    emit threadEnded(thread);
    if (m_procedures.empty())
        emit allEnded();
}

std::uint32_t startProcedure(const QString &name, std::function<void()> body)
{
    ProcedureThreads *threads = ProcedureThreads::instance();
    if (!threads)
        throw std::logic_error("no procedure scheduler");
    return threads->start(name, std::move(body));
}
