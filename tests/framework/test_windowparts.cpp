// The parts a window registers with its window manager — drop-down lists filled from a file,
// the toolbar and its targets, lists — and the calls between procedures through the
// application context.

#include "formfixture.h"

#include "framework/filedrop.h"
#include "framework/listcontrol.h"
#include "framework/toolbar.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using namespace Qt::Literals::StringLiterals;

// A transport line of an order: the kind of transport is picked from a drop-down list of the
// transport catalogue, which fills in the line's text, price and unit.
class TransportLineForm : public ProcedureController
{
public:
    explicit TransportLineForm(AppContext &app)
        : ProcedureController(app, "Updateatran", u"Transportposition"_s)
    {
        setPrimary(FileId::atran, 10, 11);
        useFile(FileId::transport);
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.dropList(1, u"Transportart"_s);
        form.entry(2, u"Bezeichnung"_s, ATR::ATBEZ, u"@s35"_s);
        form.entry(3, u"Preis"_s, ATR::ATPR, u"@n10.2"_s);
        form.entry(4, u"Einheit"_s, ATR::ATEINH, u"@s12"_s);
        form.okCancel(10, 11);
    }

    void setUpWindow() override
    {
        m_kinds = std::make_unique<FileDrop>(
            *procWindow(), 1, store().fileManager(FileId::transport), TRA::Keybez);
        m_kinds->setDisplay(TRA::TBEZ);
        m_kinds->setFilter([](const RecordBuffer &kind) { return kind.get(TRA::TPR) > 0; });
        RecordBuffer &line = records()[FileId::atran];
        m_kinds->addCopy(TRA::TBEZ, line, ATR::ATBEZ);
        m_kinds->addCopy(TRA::TPR, line, ATR::ATPR);
        m_kinds->addCopy(TRA::TEINH, line, ATR::ATEINH);
        AddFileDrop(*m_kinds);
    }

private:
    std::unique_ptr<FileDrop> m_kinds;
};

QStringList entries(ProcWindow *window, int control)
{
    QStringList texts;
    const auto *combo = qobject_cast<QComboBox *>(window->control(control));
    for (int i = 0; combo && i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

TEST(FileDrop, PickingAnEntryCopiesItsFieldsAndAResetReadsTheFileAgain)
{
    FormFixture f;
    f.app->procedures().add<TransportLineForm>("Updateatran");
    f.addTransport("Spedition", 80, "Fahrt");
    f.addTransport("Kurier", 25, "Fahrt");
    f.addTransport("Abholung", 0);
    int response = 0;
    f.gui.start(u"Updateauftrag"_s, [&] {
        RelationKeeper &lines = f.store->relations(FileId::atran);
        lines.Open();
        f.store->fileManager(FileId::atran).PrepareNewRecord();
        response = f.app->call("Updateatran", Request::Insert);
        lines.Close();
    });
    ProcWindow *form = f.gui.window(u"Transportposition"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(entries(form, 1), (QStringList{u"Kurier"_s, u"Spedition"_s}))
        << "in key order, without the kinds the filter leaves out";
    EXPECT_EQ(form->choice(1), 0) << "the new line has no kind yet";

    f.gui.chooseEntry(form, 1, 2);
    EXPECT_EQ(f.gui.text(form, 2), u"Spedition"_s);
    EXPECT_EQ(f.gui.text(form, 3), u"80,00"_s);
    EXPECT_EQ(f.gui.text(form, 4), u"Fahrt"_s);

    // Another station adds a kind; the next reset of the window shows it.
    f.addTransport("Bote", 12, "Stunde");
    form->subWindow()->resize(form->subWindow()->size() + QSize(30, 20));
    f.gui.settle();
    EXPECT_EQ(entries(form, 1), (QStringList{u"Bote"_s, u"Kurier"_s, u"Spedition"_s}));
    EXPECT_EQ(form->choice(1), 3) << "the entry that matches the line stays chosen";

    f.gui.press(form, 10);
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(f.stored(FileId::atran), std::vector<std::string>{"Spedition 80 Fahrt"});
    EXPECT_EQ(f.stored(FileId::transport).size(), 4u) << "the catalogue is left as it was";
}

// A transport form that also shows a supplier: entering a unit looks up a supplier, which
// changes the supplier's record buffer. The form saves that buffer at the start.
class SupplierLookupForm : public ProcedureController
{
public:
    explicit SupplierLookupForm(AppContext &app)
        : ProcedureController(app, "Updatetransport", u"Transport"_s)
    {
        setPrimary(FileId::transport, 10, 11);
    }

protected:
    void registerParts() override
    {
        INSERTACTION = 3;
        AddSavedFile(store().fileManager(FileId::lieferant));
    }
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, u"Bezeichnung"_s, TRA::TBEZ, u"@s35"_s);
        form.entry(2, u"Einheit"_s, TRA::TEINH, u"@s12"_s);
        form.display(3, u"Lieferant"_s, LIE::LINAME, u"@s45"_s);
        form.okCancel(10, 11);
    }
    int OnAccepted() override
    {
        if (event().control == 2) {
            records().set(LIE::LINAME, "Schmidt");
            procWindow()->redisplay(3);
        }
        return ProcedureController::OnAccepted();
    }
};

TEST(SavedFiles, AnotherRecordStartsFromTheSavedBuffersWhichStayAsLeftAtTheEnd)
{
    FormFixture f;
    f.app->procedures().add<SupplierLookupForm>("Updatetransport");
    std::string supplierAfter;
    f.gui.start(u"Browsetransport"_s, [&] {
        f.store->records().set(LIE::LINAME, "Müller");
        RelationKeeper &keeper = f.store->relations(FileId::transport);
        keeper.Open();
        f.store->fileManager(FileId::transport).PrepareNewRecord();
        f.app->call("Updatetransport", Request::Insert);
        supplierAfter = f.store->records().get(LIE::LINAME);
        keeper.Close();
    });
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 3), u"Müller"_s);
    f.gui.type(form, 1, u"Bote"_s);
    f.gui.type(form, 2, u"Stunde"_s);
    EXPECT_EQ(f.gui.text(form, 3), u"Schmidt"_s);

    f.gui.press(form, 10);
    ASSERT_EQ(f.form(), form) << "insert another";
    EXPECT_EQ(f.gui.text(form, 3), u"Müller"_s) << "the supplier as it was at the start";

    f.gui.type(form, 1, u"Kurier"_s);
    f.gui.type(form, 2, u"Fahrt"_s);
    f.gui.press(form, 11);
    ASSERT_TRUE(f.gui.answer(MessageButton::No, u"Save Record"_s).has_value());
    EXPECT_EQ(f.form(), nullptr);
    EXPECT_EQ(supplierAfter, "Schmidt") << "not restored when the form ends";
}

// A window with two lists on two tabs; the first has insert and change buttons. It notes the
// events of its controls.
class TwoListsWindow : public ProcedureController
{
public:
    TwoListsWindow(AppContext &app, QStringList &log)
        : ProcedureController(app, "Browsezwei", u"Zwei Listen"_s)
        , m_log(log)
    {}

protected:
    void defineWindow(FormBuilder &form) override
    {
        ProcWindow &window = form.window();
        auto *sheet = new QTabWidget(window.content());
        auto *first = new QWidget;
        auto *second = new QWidget;
        sheet->addTab(first, u"Nach Name"_s);
        sheet->addTab(second, u"Nach Nummer"_s);
        auto *list1 = new ListControl(first);
        (new QVBoxLayout(first))->addWidget(list1);
        auto *list2 = new ListControl(second);
        (new QVBoxLayout(second))->addWidget(list2);
        form.rows()->addRow(sheet);
        window.addControl(20, sheet, u"Sortierung"_s);
        window.addControl(21, first);
        window.addControl(22, second);
        window.addControl(31, list1, u"Liste 1"_s);
        window.addControl(32, list2, u"Liste 2"_s);
        form.button(5, u"&Neu"_s);
        form.button(6, u"&Ändern"_s);
    }

    void setUpWindow() override
    {
        ProcWindow &window = *procWindow();
        TOOLBAR->AddTarget(std::make_unique<ToolbarListTarget>(
            31, window.control(31), ToolbarListTarget::Buttons{.insert = 5, .change = 6}));
        TOOLBAR->AddTarget(std::make_unique<ToolbarListTarget>(
            32, window.control(32), ToolbarListTarget::Buttons{}));
        TOOLBAR->SetTarget(0);
    }

    int OnFieldEvent() override
    {
        const WindowEvent &e = event();
        if (e.kind != EventKind::Selected)
            m_log << describe(e);
        return ProcedureController::OnFieldEvent();
    }

private:
    QStringList &m_log;
};

QList<int> enabledButtons(const Toolbar &toolbar)
{
    QList<int> enabled;
    for (int b = ToolbarButton::First; b <= ToolbarButton::Last; ++b) {
        if (toolbar.isEnabled(b))
            enabled << b;
    }
    return enabled;
}

TEST(Toolbar, ActsOnTheListOnTheVisibleTab)
{
    FormFixture f;
    QStringList log;
    Toolbar *toolbar = nullptr;
    f.gui.start(u"Browsezwei"_s, [&] {
        TwoListsWindow window(*f.app, log);
        window.Init();
        toolbar = window.TOOLBAR;
        window.EventLoop();
        window.Shutdown();
        toolbar = nullptr;
    });
    ProcWindow *window = f.gui.window(u"Zwei Listen"_s);
    ASSERT_TRUE(window && toolbar);
    ASSERT_NE(toolbar->target(), nullptr);
    EXPECT_EQ(toolbar->target()->control(), 31);
    EXPECT_EQ(enabledButtons(*toolbar),
              (QList<int>{2000, 2001, 2004, 2005, 2006, 2007, 2008, 2009, 2010}));

    window->post(EventKind::Accepted, ToolbarButton::Bottom);
    window->post(EventKind::Accepted, ToolbarButton::Insert);
    f.gui.settle();
    EXPECT_EQ(log.mid(log.size() - 2), (QStringList{u"ScrollBottom 31"_s, u"Accepted 5"_s}));

    window->disable(6);
    toolbar->SetTarget(31);
    EXPECT_FALSE(toolbar->isEnabled(ToolbarButton::Change)) << "its button is disabled";

    f.gui.switchTab(window, 20, 2);
    EXPECT_EQ(toolbar->target()->control(), 32);
    EXPECT_EQ(enabledButtons(*toolbar), (QList<int>{2004, 2005, 2006, 2007, 2008, 2009, 2010}));
    window->post(EventKind::Accepted, ToolbarButton::Down);
    window->post(EventKind::Accepted, ToolbarButton::Insert); // disabled: nothing
    f.gui.settle();
    EXPECT_EQ(log.last(), u"ScrollDown 32"_s);
    f.gui.closeBox(window);
    EXPECT_EQ(f.gui.threads().count(), 0);
}

// A procedure that shows what it was called with and closes with a fixed response on its
// button.
class Probe : public ProcedureController
{
public:
    struct Seen
    {
        int request = -1;
        int pendingRequest = -1;
        int lastResponse = -1;
        std::string orderId;
    };
    // What a caller keeps for its thread.
    struct CallerValues
    {
        std::string orderId;
    };

    Probe(AppContext &app, Seen &seen)
        : ProcedureController(app, "Probe", u"Probe"_s)
        , m_seen(seen)
    {}

protected:
    void registerParts() override { AddButton(5, Response::Completed); }
    void defineWindow(FormBuilder &form) override { form.button(5, u"Fertig"_s); }
    void setUpWindow() override
    {
        m_seen.request = REQUEST;
        m_seen.pendingRequest = app().PendingRequest;
        m_seen.lastResponse = app().LastResponse;
        m_seen.orderId = app().threadSlot<CallerValues>().orderId;
    }

private:
    Seen &m_seen;
};

TEST(CallingProtocol, TheCalledProcedureTakesTheRequestAndLeavesItsResponse)
{
    FormFixture f;
    Probe::Seen seen;
    f.app->procedures().add("Probe", [&seen](AppContext &app) {
        Probe probe(app, seen);
        app.LastResponse = probe.Run();
    });
    int response = 0;
    std::uint32_t callerThread = 0;
    f.gui.start(u"Caller"_s, [&] {
        callerThread = ProcThread::current();
        f.app->threadSlot<Probe::CallerValues>().orderId = "A7";
        f.app->LastResponse = 99;
        response = f.app->call("Probe", Request::Select);
    });
    ProcWindow *probe = f.gui.window(u"Probe"_s);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(seen.request, Request::Select);
    EXPECT_EQ(seen.pendingRequest, 0);
    EXPECT_EQ(seen.lastResponse, 0);
    EXPECT_EQ(seen.orderId, "A7") << "a called procedure shares its caller's thread";

    f.gui.press(probe, 5);
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(f.app->LastResponse, Response::Completed);
    EXPECT_FALSE(f.app->hasThreadValues(callerThread)) << "let go when the thread ended";

    // Started on a thread of its own, the same procedure begins with fresh values.
    f.app->start("Probe");
    f.gui.settle();
    EXPECT_EQ(seen.request, Request::None);
    EXPECT_EQ(seen.orderId, "");
    f.gui.closeBox(f.gui.window(u"Probe"_s));
    EXPECT_EQ(f.app->LastResponse, Response::Cancelled) << "closed without a response";
}

// Per-thread working values of two kinds, as two layers above would keep them; the first
// counts how many of it are alive.
struct CountedSlot
{
    CountedSlot() { ++alive; }
    ~CountedSlot() { --alive; }
    CountedSlot(const CountedSlot &) = delete;
    CountedSlot &operator=(const CountedSlot &) = delete;
    static inline int alive = 0;
    std::string value;
};
struct OtherSlot
{
    std::string value;
};

TEST(ThreadSlots, EachThreadKeepsItsOwnOfEachKindUntilItEnds)
{
    FormFixture f;
    struct Run
    {
        std::uint32_t thread = 0;
        std::string counted; // what the thread found in its slots after waiting
        std::string other;
    };
    Run runs[2];
    const QString titles[2] = {u"Erster"_s, u"Zweiter"_s};
    for (int i = 0; i < 2; ++i) {
        f.gui.start(titles[i], [&f, &run = runs[i], title = titles[i]] {
            run.thread = ProcThread::current();
            f.app->threadSlot<CountedSlot>().value = title.toStdString();
            f.app->threadSlot<OtherSlot>().value = "other " + title.toStdString();
            ProcWindow window(f.gui.area(), title);
            window.open();
            QStringList log;
            runEvents(window, log);
            run.counted = f.app->threadSlot<CountedSlot>().value;
            run.other = f.app->threadSlot<OtherSlot>().value;
        });
    }
    EXPECT_EQ(CountedSlot::alive, 2);

    f.gui.closeBox(f.gui.window(titles[0]));
    EXPECT_EQ(runs[0].counted, "Erster") << "not the value the other thread set later";
    EXPECT_EQ(runs[0].other, "other Erster") << "a slot of its own for each kind";
    EXPECT_EQ(CountedSlot::alive, 1) << "the ended thread's slot is gone";
    EXPECT_FALSE(f.app->hasThreadValues(runs[0].thread));
    EXPECT_TRUE(f.app->hasThreadValues(runs[1].thread));

    f.gui.closeBox(f.gui.window(titles[1]));
    EXPECT_EQ(runs[1].counted, "Zweiter");
    EXPECT_EQ(CountedSlot::alive, 0);
}

TEST(CallingProtocol, AnUndefinedProcedureIsReportedByName)
{
    FormFixture f;
    int response = 0;
    f.gui.start(u"Caller"_s, [&] { response = f.app->call("Browsenichts", Request::Change); });
    const auto message = f.gui.answer(MessageButton::Ok, u"Procedure not defined"_s);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, u"The Procedure Browsenichts has not been defined."_s);
    EXPECT_EQ(response, Response::Cancelled);
}

// What a list is asked by its window, as the browse manager will see it.
class RecordingBrowse : public AbstractBrowse
{
public:
    int TakeEvent() override
    {
        ++events;
        return Level::Benign;
    }
    bool NeedRefresh() override { return std::exchange(refresh, false); }
    void ResetSort(std::uint8_t force) override { resets.push_back(force); }
    void UpdateWindow() override { ++redraws; }
    void UpdateBuffer() override {}
    void ArmAlertKeys() override { ++armed; }
    void SetSelecting(bool on) override { selecting = on; }
    void Kill() override { killed = true; }

    bool refresh = false;
    int events = 0;
    int redraws = 0;
    int armed = 0;
    bool selecting = false;
    bool killed = false;
    std::vector<int> resets;
};

class ListWindow : public ProcedureController
{
public:
    ListWindow(AppContext &app, RecordingBrowse &browse)
        : ProcedureController(app, "Browseliste", u"Liste"_s)
        , m_browse(browse)
    {}

protected:
    void registerParts() override { RESETONGAINFOCUS = 1; }
    void defineWindow(FormBuilder &form) override { form.button(1, u"Schließen"_s); }
    void setUpWindow() override { AddBrowse(m_browse); }

private:
    RecordingBrowse &m_browse;
};

TEST(WindowLists, ResetOnRefreshAndForcedAfterLosingTheFocus)
{
    FormFixture f;
    RecordingBrowse browse;
    f.app->procedures().add("Browseliste", [&browse](AppContext &app) {
        ListWindow window(app, browse);
        app.LastResponse = window.Run();
    });
    f.gui.start(u"Caller"_s, [&] { f.app->call("Browseliste", Request::Select); });
    ProcWindow *list = f.gui.window(u"Liste"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(browse.selecting);
    EXPECT_EQ(browse.resets, std::vector<int>{0}) << "the first open";
    EXPECT_GE(browse.events, 2) << "open and size events reach the list";

    browse.refresh = true;
    f.gui.press(list, 1);
    EXPECT_EQ(browse.resets, (std::vector<int>{0, 0}));

    // Another window takes the focus and gives it back: the next reset is forced.
    Probe::Seen seen;
    f.app->procedures().add("Probe", [&seen](AppContext &app) {
        Probe probe(app, seen);
        app.LastResponse = probe.Run();
    });
    f.app->start("Probe");
    f.gui.settle();
    ProcWindow *other = f.gui.window(u"Probe"_s);
    ASSERT_NE(other, nullptr);
    f.gui.area()->setActiveSubWindow(list->subWindow());
    f.gui.settle();
    ASSERT_FALSE(browse.resets.empty());
    EXPECT_EQ(browse.resets.back(), 1);

    f.gui.closeBox(list);
    EXPECT_TRUE(browse.killed);
}

} // namespace
