#pragma once

#include "base/idbuilder.h"
#include "framework/procedureregistry.h"
#include "store/recordbuffer.h"

#include <QMetaObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <typeinfo>

class ChangeWatch;
class ProcedureThreads;
class QMdiArea;
class QPrinter;
class StoreContext;
class ToolbarStrip;

// Request codes a procedure is started with (its REQUEST).
namespace Request {
inline constexpr int None = 0;
inline constexpr int Insert = 1;
inline constexpr int Change = 2;
inline constexpr int Delete = 3;
inline constexpr int Select = 4;
inline constexpr int Print = 5;
} // namespace Request

// What a procedure answers (its RESPONSE); a procedure that set none answers Cancelled.
namespace Response {
inline constexpr int Completed = 1;
inline constexpr int Cancelled = 2;
} // namespace Response

// Everything a procedure works with, handed to it when it starts: the record store, the
// procedure threads, the MDI area its windows go into, the procedures it may call, the id
// builder, and the process-wide values of the calling protocol. There are no hidden
// singletons behind it.
class AppContext
{
public:
    AppContext(StoreContext &store, ProcedureThreads &threads, QMdiArea *host);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    StoreContext &store() { return m_store; }
    ProcedureThreads &threads() { return m_threads; }
    QMdiArea *host() const;
    ProcedureRegistry &procedures() { return m_procedures; }

    // The shared toolbar row of the main frame; null when there is no frame (tests).
    ToolbarStrip *toolbarStrip() const { return m_strip; }
    void setToolbarStrip(ToolbarStrip *strip) { m_strip = strip; }
    // The printer that printer set-up adjusts and that reports print on.
    QPrinter &printer();
    // The program's help, as the toolbar's help button and the frame's help menu show it.
    void setHelp(std::function<void()> show) { m_help = std::move(show); }
    bool hasHelp() const { return static_cast<bool>(m_help); }
    void requestHelp()
    {
        if (m_help)
            m_help();
    }

    // The calling protocol: a caller sets PendingRequest and calls; the called procedure
    // takes it over in Init and clears it and LastResponse; it leaves its response in
    // LastResponse. PendingRecordMove is the toolbar button an update form was left with.
    int PendingRequest = Request::None;
    int LastResponse = 0;
    std::int32_t PendingRecordMove = 0;
    // The key code of the user action being handled (the mouse action that opened a window,
    // say); a new window clears mouse codes so as not to act on them.
    int PendingKeyCode = 0;

    double VatFactor = 0; // 1.19 from the moment the main frame opens
    int ListWindowOpen = 0;
    // The id of the order whose form was opened last on any thread, for the menu's document
    // report; empty until an order form has opened.
    std::string LastOpenedOrderId;

    // Internal ids for new records, from every form: one builder for the process, so that no
    // two records get the same id, whatever form made them.
    rt::IdBuilder &ids() { return m_ids; }

    // A working value of type `Slot` that belongs to the thread that runs now, made on first
    // use. A procedure called by another runs on the caller's thread and so shares its slots:
    // a form and the forms and reports it calls work on one set of values. A thread's slots
    // go when it ends. The layers above keep their per-thread values here, each in a type of
    // its own, without this one knowing them.
    template<class Slot>
    Slot &threadSlot()
    {
        std::shared_ptr<void> &held = slotOfThisThread(std::type_index(typeid(Slot)));
        if (!held)
            held = std::make_shared<Slot>();
        return *static_cast<Slot *>(held.get());
    }
    bool hasThreadValues(std::uint32_t thread) const;
    // The history area of `procedure` on this thread, a cleared record of `file` at first.
    RecordBuffer &historyArea(std::string_view procedure, FileId file);

    // Runs a procedure on the current thread with a request and returns its response. An
    // undefined procedure is reported (message 24) and answers Cancelled.
    int call(std::string_view name, int request = Request::None);
    // Starts a procedure on a thread of its own and returns at once.
    std::uint32_t start(std::string_view name);

private:
    using ThreadSlots = std::map<std::type_index, std::shared_ptr<void>>;

    std::shared_ptr<void> &slotOfThisThread(std::type_index type);
    void reportUndefined(std::string_view name);

    StoreContext &m_store;
    ProcedureThreads &m_threads;
    QPointer<QMdiArea> m_host;
    ProcedureRegistry m_procedures;
    ToolbarStrip *m_strip = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    std::function<void()> m_help;
    rt::IdBuilder m_ids;
    std::unique_ptr<ChangeWatch> m_changes;
    std::map<std::uint32_t, ThreadSlots> m_threadSlots;
    QMetaObject::Connection m_threadEnded;
};

template<class Controller>
void ProcedureRegistry::runController(AppContext &app)
{
    Controller controller(app);
    app.LastResponse = controller.Run();
}
