#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Procedure threads. Every procedure runs on a thread of its own, but Qt widgets live on the
// GUI thread only, so a procedure thread is a fiber (a stackful coroutine with a 1 MiB
// protected stack) on the GUI thread. A procedure waits by suspending its fiber; the Qt loop
// resumes it once what it waits for has happened. Nothing ever runs a nested event loop.
//
// One scheduler exists per process, created after the QApplication and destroyed before it
// (the main frame or a test owns it). Fibers are resumed from the Qt loop only, never from
// another fiber, so while one runs the others stand still where they suspended.
class ProcedureThreads : public QObject
{
    Q_OBJECT

public:
    explicit ProcedureThreads(QObject *parent = nullptr);
    // Unwinds every procedure that is still suspended (its destructors run on its own stack).
    ~ProcedureThreads() override;

    static ProcedureThreads *instance();

    // Creates the procedure's fiber with a new thread number and returns at once; the body
    // starts from the Qt loop right after.
    std::uint32_t start(const QString &name, std::function<void()> body);

    // True while a procedure's fiber runs (ProcThread::current() is then its number).
    bool onProcedureThread() const { return m_running != nullptr; }
    // Suspends the running procedure until someone wakes it. Only a procedure can wait.
    void suspend();
    // Suspends the running procedure until `ready` holds; whoever changes what `ready` looks
    // at wakes the procedure.
    template<typename Ready>
    void waitUntil(Ready ready)
    {
        while (!ready())
            suspend();
    }
    // Lets a suspended procedure run again from the Qt loop; waking a running or unknown
    // thread does nothing (a running procedure checks its condition before it suspends).
    void wake(std::uint32_t thread);

    int count() const { return static_cast<int>(m_procedures.size()); }
    bool isRunning(std::uint32_t thread) const { return find(thread) != nullptr; }
    QString name(std::uint32_t thread) const;
    // No procedure is waiting to be resumed: every procedure waits for something outside.
    bool idle() const { return m_ready.empty(); }

    // An exception that leaves a procedure's body ends its thread; the handler reports it.
    // Without a handler it goes to the Qt message log.
    using FailureHandler = std::function<void(const QString &procedure, const QString &what)>;
    void setFailureHandler(FailureHandler handler) { m_failureHandler = std::move(handler); }

    // Unwinds every procedure at once, as at the end of the program.
    void endAll();

signals:
    void threadEnded(quint32 thread);
    void allEnded();

private:
    struct Procedure;

    Procedure *find(std::uint32_t thread) const;
    void scheduleResume();
    void runReady();
    void resume(Procedure *procedure);
    void runBody(Procedure *procedure);
    void reportFailure(const Procedure &procedure, const QString &what);
    void release(Procedure *procedure);

    static ProcedureThreads *s_instance;

    std::vector<std::unique_ptr<Procedure>> m_procedures;
    std::vector<std::uint32_t> m_ready;
    Procedure *m_running = nullptr;
    bool m_resumePosted = false;
    FailureHandler m_failureHandler;
};

// Starts a procedure on a new thread of the process's scheduler.
std::uint32_t startProcedure(const QString &name, std::function<void()> body);
