// Lists on a real customer file: pages that hold exactly the rows that fit, paging to both
// ends, the locator, the thumb, the update form called from the list, selection, and a list
// on a hidden tab.

#include "browsefixture.h"

#include "framework/keycodes.h"
#include "framework/toolbar.h"

#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kNames = CustomerList::kByName;

void post(BrowseFixture &f, ProcWindow *window, EventKind kind, int thumb = 0)
{
    window->post(WindowEvent{kind, kNames, 0, {}, thumb});
    f.gui.settle();
}

TEST(BrowseManager, PagesHoldTheVisibleRowsAndReachBothEnds)
{
    BrowseFixture f(300);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    ListControl *list = window->list(kNames);
    const int rows = list->visibleRows();
    ASSERT_GT(rows, 3);
    ASSERT_NE(f.probe.byName, nullptr);
    EXPECT_EQ(static_cast<int>(f.probe.byName->LISTQUEUE.size()), rows)
        << "the buffer never holds more than the page";
    EXPECT_EQ(f.probe.byName->LASTITEMS, rows);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(0, rows));
    EXPECT_EQ(list->highlighted(), 1);

    // Page down row by row of pages to the end: every page follows on from the last.
    const std::size_t pages = (f.names.size() + rows - 1) / rows;
    for (std::size_t p = 1; p < pages; ++p) {
        post(f, window, EventKind::PageDown);
        const std::size_t first = std::min<std::size_t>(p * rows, f.names.size() - rows);
        ASSERT_EQ(f.shownNames(window), f.sortedNames(first, rows)) << "page " << p;
    }
    post(f, window, EventKind::PageDown);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(f.names.size() - rows, rows));
    EXPECT_EQ(list->highlighted(), rows) << "paging past the end moves the highlight down";

    for (std::size_t p = 0; p < pages; ++p)
        post(f, window, EventKind::PageUp);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(0, rows));
    EXPECT_EQ(list->highlighted(), 1);

    // Row by row over the page's edges.
    for (int r = 1; r < rows + 2; ++r)
        post(f, window, EventKind::ScrollDown);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(2, rows));
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[rows + 1]));
    for (int r = 0; r < rows; ++r)
        post(f, window, EventKind::ScrollUp);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(1, rows));
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[1]));

    post(f, window, EventKind::ScrollBottom);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(f.names.size() - rows, rows));
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names.back()));
    post(f, window, EventKind::ScrollTop);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(0, rows));
    f.gui.closeBox(window);
}

TEST(BrowseManager, ThumbDragToEitherEndShowsTheFirstOrLastPage)
{
    BrowseFixture f(300);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    const int rows = window->list(kNames)->visibleRows();
    post(f, window, EventKind::ScrollDrag, 100);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(f.names.size() - rows, rows));
    EXPECT_GE(window->list(kNames)->thumbPosition(), 90);
    post(f, window, EventKind::ScrollDrag, 1);
    EXPECT_EQ(f.shownNames(window), f.sortedNames(0, rows));
    EXPECT_LE(window->list(kNames)->thumbPosition(), 10);

    // Halfway the step manager positions on a name about the middle of the alphabet.
    post(f, window, EventKind::ScrollDrag, 50);
    const QString middle = f.highlightedName(window);
    EXPECT_GT(middle, u"E"_s);
    EXPECT_LT(middle, u"P"_s);
    f.gui.closeBox(window);
}

// The first page loaded gives the thumb its first limit; the last is read. The thumb's table
// is the one the first and the last name of the file make.
TEST(BrowseManager, TheThumbSpansTheFirstToTheLastRecordFromTheFirstLoad)
{
    BrowseFixture f(120);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    const auto *step
        = dynamic_cast<const TextStep *>(f.probe.byName->currentBrowseOrder()->THUMB.get());
    ASSERT_NE(step, nullptr);
    TextStep expected(TextStep::LookupMode::Computed,
                      StepManager::Alphabetic | StepManager::Punctuation | StepManager::Digits);
    expected.setLimits(FieldValue(f.names.front()), FieldValue(f.names.back())); // sorted
    EXPECT_EQ(step->root(), expected.root());
    EXPECT_EQ(step->table(), expected.table());
    f.gui.closeBox(window);
}

// The thumb stands beside a list that fills its page and is hidden beside one that does not.
TEST(BrowseManager, TheThumbShowsOnlyWhileTheListFillsItsPage)
{
    for (const int customers : {0, 3, 300}) {
        BrowseFixture f(customers);
        ProcWindow *window = f.openList();
        ASSERT_NE(window, nullptr);
        ListControl *list = window->list(kNames);
        const bool full = customers >= list->visibleRows();
        EXPECT_EQ(list->thumbShown(), full) << customers << " customers";
        EXPECT_EQ(list->thumb()->isVisible(), full) << customers << " customers";
        f.gui.closeBox(window);
    }
}

TEST(BrowseManager, ReloadAtTheEndFillsThePageFromAboveUnlessUnfilledIsAllowed)
{
    for (const bool unfilled : {false, true}) {
        SCOPED_TRACE(unfilled ? "ALLOWUNFILLED" : "full page");
        BrowseFixture f(60);
        f.probe.allowUnfilled = unfilled;
        FileManager &file = f.store->fileManager(FileId::kunde);
        file.Open();
        f.addCustomer(file, "Zeta 1", "Ort 01", 901);
        f.addCustomer(file, "Zeta 2", "Ort 01", 902);
        file.Close();
        ProcWindow *window = f.openList();
        ASSERT_NE(window, nullptr);
        const int rows = window->list(kNames)->visibleRows();
        ASSERT_GT(rows, 2);
        f.gui.key(window, kNames, Qt::Key_Z);
        if (unfilled) {
            EXPECT_EQ(f.shownNames(window), (QStringList{u"Zeta 1"_s, u"Zeta 2"_s}));
            EXPECT_EQ(window->list(kNames)->highlighted(), 1);
        } else {
            EXPECT_EQ(f.shownNames(window), f.sortedNames(f.names.size() - rows, rows));
            EXPECT_EQ(window->list(kNames)->highlighted(), rows - 1);
        }
        EXPECT_EQ(f.highlightedName(window), u"Zeta 1"_s);
        f.gui.closeBox(window);
    }
}

// Names as the file keeps them, in Windows-1252: Latin-1 letters and the marks that lie
// outside Latin-1 (the euro sign, typographic quotes and dashes) show as they were typed.
TEST(BrowseManager, RowsShowTheirTextsAsTyped)
{
    BrowseFixture f;
    FileManager &file = f.store->fileManager(FileId::kunde);
    file.Open();
    const std::vector<std::string> typed
        = {"Müller & Söhne", "Weiß „Druck“ – 5 €", "  Zahl 7", "Œuvre ‰ Ÿ"};
    for (std::size_t i = 0; i < typed.size(); ++i)
        f.addCustomer(file, typed[i], "Köln", static_cast<int>(i));
    file.Close();
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    QStringList expected;
    for (const std::string &name : typed)
        expected << QString::fromStdString(name);
    QStringList shown = f.shownNames(window); // in the file's order, which places Œ as OE
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
    f.gui.closeBox(window);
}

TEST(BrowseManager, LocatorJumpsToTheTypedLetterAndWalksOnWithIt)
{
    BrowseFixture f(300);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    const auto firstWith = [&](char letter) {
        return static_cast<std::size_t>(
            std::find_if(f.names.begin(),
                         f.names.end(),
                         [&](const std::string &name) { return name[0] == letter; })
            - f.names.begin());
    };
    f.gui.key(window, kNames, Qt::Key_K);
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[firstWith('K')]));
    f.gui.key(window, kNames, Qt::Key_K);
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[firstWith('K') + 1]))
        << "the same letter again walks on";
    f.gui.key(window, kNames, Qt::Key_C);
    EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[firstWith('C')]))
        << "another letter jumps, also backwards";
    f.gui.closeBox(window);
}

// Typed quickly, letters build a prefix and the list jumps to the first name that begins
// with it, case and umlauts ignored as the key orders names; a pause starts anew; Backspace
// shortens it. The list's clock is the test's: no key waits for a real second.
TEST(BrowseManager, KeysTypedQuicklyFindANameByItsPrefix)
{
    BrowseFixture f;
    FileManager &file = f.store->fileManager(FileId::kunde);
    file.Open();
    const std::vector<std::string> typed = {"Stark Bau",
                                            "Stein & Co",
                                            "Steuerberatung Ott",
                                            "Sturm GmbH",
                                            "Schulz",
                                            "MUELLER Druck",
                                            "Mulan Tee",
                                            "Müller Satz",
                                            "Müssig",
                                            "Maier",
                                            "Zander",
                                            "Adler"};
    for (std::size_t i = 0; i < typed.size(); ++i)
        f.addCustomer(file, typed[i], "Ort", static_cast<int>(i));
    file.Close();
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    BrowseManager *list = f.probe.byName;
    ASSERT_NE(list, nullptr);
    std::int64_t now = 100000;
    list->setLocatorClock([&now] { return now; });
    QStringList shown;
    list->onLocatorPrefix([&shown](const QString &prefix) { shown << prefix; });
    // Letters as the keyboard types them, in Latin-1 (so 'ü' is one key).
    const auto type = [&](int after, char letter) {
        now += after;
        if (letter == '\b') {
            f.gui.key(window, kNames, Qt::Key_Backspace);
            return;
        }
        const QChar c = QChar::fromLatin1(letter);
        QTest::sendKeyEvent(QTest::Click,
                            window->list(kNames)->view(),
                            static_cast<Qt::Key>(c.toUpper().unicode()),
                            QString(c),
                            Qt::NoModifier);
        EXPECT_TRUE(f.gui.settle());
    };

    type(0, 's');
    EXPECT_EQ(f.highlightedName(window), u"Schulz"_s);
    type(300, 't');
    EXPECT_EQ(f.highlightedName(window), u"Stark Bau"_s);
    type(900, 'e');
    EXPECT_EQ(f.highlightedName(window), u"Stein & Co"_s) << "\"ste\" within a second";
    type(200, 'u');
    EXPECT_EQ(f.highlightedName(window), u"Steuerberatung Ott"_s);
    type(100, '\b');
    EXPECT_EQ(f.highlightedName(window), u"Stein & Co"_s) << "back to \"ste\"";
    EXPECT_EQ(list->locatorPrefix(), u"ste"_s);

    type(1500, 'm');
    EXPECT_EQ(f.highlightedName(window), u"Maier"_s) << "a pause starts a new prefix";
    type(100, '\xfc');
    EXPECT_EQ(f.highlightedName(window), u"MUELLER Druck"_s) << "\"mü\" is \"mu\"";
    type(100, 'l');
    EXPECT_EQ(f.highlightedName(window), u"Mulan Tee"_s) << "\"mül\" is \"mul\"";
    type(100, 'l');
    EXPECT_EQ(f.highlightedName(window), u"Müller Satz"_s);
    EXPECT_EQ(
        shown,
        (QStringList{
            u"s"_s, u"st"_s, u"ste"_s, u"steu"_s, u"ste"_s, u"m"_s, u"mü"_s, u"mül"_s, u"müll"_s}));
    f.gui.closeBox(window);
}

TEST(BrowseManager, UpdateFormInsertsChangesAndDeletesAndTheListFollows)
{
    BrowseFixture f(40);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);

    f.gui.press(window, CustomerList::kInsert);
    ProcWindow *form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Neukunde"_s);
    f.gui.type(form, 2, u"K77777"_s);
    f.gui.press(form, 10);
    EXPECT_EQ(f.gui.window(u"Kunde"_s), nullptr);
    EXPECT_EQ(f.highlightedName(window), u"Neukunde"_s) << "the new record is highlighted";

    f.gui.pickRow(window, kNames, 3);
    const QString picked = f.highlightedName(window);
    f.gui.press(window, CustomerList::kChange);
    form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), picked) << "the form shows the highlighted record";
    f.gui.type(form, 1, u"Aaron Neu"_s);
    f.gui.press(form, 10);
    EXPECT_EQ(f.highlightedName(window), u"Aaron Neu"_s);
    EXPECT_EQ(f.shownNames(window).first(), u"Aaron Neu"_s);

    // Deleting the highlighted record takes its row out and keeps the page full.
    const int rows = window->list(kNames)->visibleRows();
    f.gui.pickRow(window, kNames, 2);
    const QString doomed = f.highlightedName(window);
    f.gui.press(window, CustomerList::kDelete);
    EXPECT_FALSE(f.shownNames(window).contains(doomed));
    EXPECT_EQ(f.shownNames(window).size(), rows);
    EXPECT_EQ(f.count(FileId::kunde), 40);

    // A cancelled change leaves the list as it was.
    const QStringList before = f.shownNames(window);
    f.gui.press(window, CustomerList::kChange);
    form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    f.gui.press(form, 11);
    EXPECT_EQ(f.shownNames(window), before);
    f.gui.closeBox(window);
}

TEST(BrowseManager, SelectModeReturnsTheChosenRecordOrRestoresTheBuffer)
{
    for (const bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "chosen" : "closed");
        BrowseFixture f(30);
        FormFixture::Call call;
        f.gui.start(u"Updateauftrag"_s, [&] {
            f.store->relations(FileId::kunde).Open();
            f.store->records().set(KUN::KNAME, std::string("Aaa vorher"));
            call.response = f.app->call("Browsekunde", Request::Select);
            call.name = f.store->records().get(KUN::KNAME);
            f.store->relations(FileId::kunde).Close();
            call.returned = true;
        });
        ProcWindow *window = f.gui.window(u"Kunden"_s);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->isDisabled(CustomerList::kSelect));
        if (choose) {
            f.gui.pickRow(window, kNames, 4);
            f.gui.press(window, CustomerList::kSelect);
        } else {
            f.gui.closeBox(window);
        }
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, choose ? Response::Completed : Response::Cancelled);
        EXPECT_EQ(call.name, choose ? f.names[3] : std::string("Aaa vorher"));
    }
}

TEST(BrowseManager, ListOnAHiddenTabLoadsWhenShown)
{
    BrowseFixture f(20);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(f.probe.byPlace, nullptr);
    EXPECT_EQ(f.probe.byPlace->LOADED, 0);
    EXPECT_EQ(f.probe.byPlace->LOADPENDING, 1);
    EXPECT_EQ(window->list(CustomerList::kByPlace)->rowCount(), 0);
    f.gui.switchTab(window, CustomerList::kSheet, 2);
    EXPECT_EQ(f.probe.byPlace->LOADED, 1);
    EXPECT_EQ(f.shownNames(window, CustomerList::kByPlace).first(), u"Ort 00"_s);
    f.gui.closeBox(window);
}

TEST(BrowseManager, EmptyListsDisableTheirButtons)
{
    BrowseFixture empty;
    ProcWindow *window = empty.openList();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->list(kNames)->rowCount(), 0);
    EXPECT_FALSE(window->isDisabled(CustomerList::kInsert));
    EXPECT_TRUE(window->isDisabled(CustomerList::kChange));
    EXPECT_TRUE(window->isDisabled(CustomerList::kDelete));
    EXPECT_TRUE(window->isDisabled(CustomerList::kSelect)) << "not opened for selection";
    EXPECT_EQ(empty.probe.byName->popupItems(),
              (QStringList{u"&Neu"_s, u"&Ändern"_s, u"&Löschen"_s}));
    empty.gui.closeBox(window);
}

TEST(BrowseManager, PopupMenuAndKeysPressTheListsButtons)
{
    BrowseFixture f(30);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    f.gui.pickRow(window, kNames, 2, true);
    ASSERT_TRUE(f.gui.choosePopupItem(u"&Ändern"_s));
    ProcWindow *form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), QString::fromStdString(f.names[1]))
        << "the right-clicked row is changed";
    f.gui.press(form, 11);
    ASSERT_EQ(f.gui.window(u"Kunde"_s), nullptr);

    f.gui.key(window, kNames, Qt::Key_Insert);
    form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), QString()) << "Insert opens an empty form";
    f.gui.press(form, 11);
    ASSERT_EQ(f.gui.window(u"Kunde"_s), nullptr);

    f.gui.doubleClickRow(window, kNames, 3);
    form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), QString::fromStdString(f.names[2]));
    f.gui.press(form, 11);
    f.gui.closeBox(window);
}

// The form's toolbar leaves a record move; the list carries it out and opens the form again
// on the record it moved to, until the form is left without one.
TEST(BrowseManager, RecordMovesLeftByTheFormWalkTheListAndReopenTheForm)
{
    BrowseFixture f(40);
    ProcWindow *window = f.openList();
    ASSERT_NE(window, nullptr);
    f.gui.pickRow(window, kNames, 2);
    f.gui.press(window, CustomerList::kChange);
    ProcWindow *form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), QString::fromStdString(f.names[1]));

    struct Move
    {
        int button;
        std::size_t shown; // index of the name the form shows next
    };
    const Move moves[] = {
        {ToolbarButton::Down, 2},
        {ToolbarButton::Down, 3},
        {ToolbarButton::Up, 2},
        {ToolbarButton::Top, 0},
        {ToolbarButton::Bottom, 40 - 1},
        {ToolbarButton::PageUp,
         40 - 1 - static_cast<std::size_t>(window->list(kNames)->visibleRows())},
    };
    for (const Move &move : moves) {
        SCOPED_TRACE(move.button);
        form->post(EventKind::Accepted, move.button);
        f.gui.settle();
        form = f.gui.window(u"Kunde"_s);
        ASSERT_NE(form, nullptr) << "the form opens again on the next record";
        EXPECT_EQ(f.gui.text(form, 1), QString::fromStdString(f.names[move.shown]));
        EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[move.shown]));
    }
    // Edited and moved on: the edit is kept, and the form goes on with the same request.
    f.gui.type(form, 1, u"Zz anders"_s);
    form->post(EventKind::Accepted, ToolbarButton::Up);
    f.gui.settle();
    form = f.gui.window(u"Kunde"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, 1), QString::fromStdString(f.names.back()))
        << "the record before the changed one, now last";
    f.gui.press(form, 11);
    EXPECT_EQ(f.gui.window(u"Kunde"_s), nullptr) << "left without a move, the form stays shut";
    EXPECT_EQ(f.count(FileId::kunde), 40);
    f.gui.closeBox(window);
}

TEST(BrowseManager, NextRecordAfterAnInsertOpensAnEmptyFormForTheNext)
{
    for (const int button : {ToolbarButton::Insert, ToolbarButton::Down}) {
        SCOPED_TRACE(button);
        BrowseFixture f(10);
        ProcWindow *window = f.openList();
        ASSERT_NE(window, nullptr);
        f.gui.press(window, CustomerList::kInsert);
        ProcWindow *form = f.gui.window(u"Kunde"_s);
        ASSERT_NE(form, nullptr);
        f.gui.type(form, 1, u"Neu eins"_s);
        f.gui.type(form, 2, u"K90001"_s);
        form->post(EventKind::Accepted, button);
        f.gui.settle();
        form = f.gui.window(u"Kunde"_s);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(f.gui.text(form, 1), QString()) << "the next insert starts empty";
        f.gui.type(form, 1, u"Neu zwei"_s);
        f.gui.type(form, 2, u"K90002"_s);
        f.gui.press(form, 10);
        EXPECT_EQ(f.gui.window(u"Kunde"_s), nullptr);
        EXPECT_EQ(f.count(FileId::kunde), 12);
        EXPECT_EQ(f.highlightedName(window), u"Neu zwei"_s);
        f.gui.closeBox(window);
    }
}

// The orders of the customer whose number stands in the entry above the list: the list is
// limited to it, and reloads when the customer's name (a reset field) changes.
class CustomerOrders : public ProcedureController
{
public:
    static constexpr int kCustomer = 1;
    static constexpr int kName = 2;
    static constexpr int kPlace = 3;
    static constexpr int kOrders = 31;

    explicit CustomerOrders(AppContext &app)
        : ProcedureController(app, "Browseauftrag", QStringLiteral("Aufträge"))
    {
        useFile(FileId::kunde);
        useFile(FileId::auftrag);
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(kCustomer, QStringLiteral("Kunde"), KUN::KID, QStringLiteral("@s14"));
        form.entry(kName, QStringLiteral("Name"), KUN::KNAME, QStringLiteral("@s45"));
        form.entry(kPlace, QStringLiteral("Ort"), KUN::KORT, QStringLiteral("@s30"));
        ProcWindow &window = form.window();
        auto *orders = new ListControl(window.content());
        orders->setColumns({QStringLiteral("Nummer")});
        orders->setMinimumHeight(200);
        form.rows()->addRow(orders);
        window.addControl(kOrders, orders, QStringLiteral("Aufträge"));
    }

    void setUpWindow() override
    {
        RelationKeeper &orders = store().relations(FileId::auftrag);
        m_view = std::make_unique<View>(orders);
        m_list.Init(
            *this, kOrders, *m_view, orders, store().fileManager(FileId::auftrag), records());
        m_list.AddSortOrder(AUF::Keykuid);
        m_list.AddRangeLimit(AUF::FKUID, FieldRef(KUN::KID));
        m_list.AddResetField(KUN::KNAME);
        m_list.AddField(AUF::FNR);
        AddBrowse(m_list);
    }

private:
    std::unique_ptr<View> m_view;
    BrowseManager m_list;
};

class OrdersFixture : public BrowseFixture
{
public:
    OrdersFixture()
    {
        app->procedures().add<CustomerOrders>("Browseauftrag");
        for (const char *customer : {"K1", "K2"}) {
            for (int n = 0; n < 30; ++n)
                addOrder(customer, n);
        }
    }

    // The order numbers run "K1-00" … by day; the key shows the latest day first.
    void addOrder(const std::string &customer, int n, int day = -1)
    {
        FileManager &file = store->fileManager(FileId::auftrag);
        file.Open();
        file.PrepareNewRecord();
        Records &records = store->records();
        char number[16];
        std::snprintf(number, sizeof number, "%s-%02d", customer.c_str(), n);
        records.set(AUF::FID, std::string("F") + number);
        records.set(AUF::FKUID, customer);
        records.set(AUF::FNR, std::string(number));
        records.set(AUF::FSTAT, "ANGEBOT");
        records.set(AUF::FDATUM, rt::StdDate{80000 + (day < 0 ? n : day)});
        file.Insert();
        file.Close();
    }

    QStringList shown(ProcWindow *window) const
    {
        return shownNames(window, CustomerOrders::kOrders);
    }
};

TEST(BrowseManager, ChangedRangeValueReloadsTheListFromTheStartOfTheNewRange)
{
    OrdersFixture f;
    f.gui.start(u"Browseauftrag"_s, [&] { f.app->call("Browseauftrag"); });
    ProcWindow *window = f.gui.window(u"Aufträge"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(f.shown(window).isEmpty()) << "no customer yet";

    f.gui.type(window, CustomerOrders::kCustomer, u"K2"_s);
    const int rows = window->list(CustomerOrders::kOrders)->visibleRows();
    ASSERT_GT(rows, 2);
    ASSERT_FALSE(f.shown(window).isEmpty());
    EXPECT_EQ(f.shown(window).first(), u"K2-29"_s);
    EXPECT_EQ(f.shown(window).size(), rows);
    for (const QString &number : f.shown(window))
        EXPECT_TRUE(number.startsWith(u"K2-"_s)) << number.toStdString();

    window->post(WindowEvent{EventKind::PageDown, CustomerOrders::kOrders});
    f.gui.settle();
    ASSERT_FALSE(f.shown(window).isEmpty());
    ASSERT_NE(f.shown(window).first(), u"K2-29"_s);

    // K1 sorts before K2: from the highlighted K2 order the new range would lie behind.
    f.gui.type(window, CustomerOrders::kCustomer, u"K1"_s);
    ASSERT_FALSE(f.shown(window).isEmpty());
    EXPECT_EQ(f.shown(window).first(), u"K1-29"_s);
    EXPECT_EQ(window->list(CustomerOrders::kOrders)->highlighted(), 1);
    for (const QString &number : f.shown(window))
        EXPECT_TRUE(number.startsWith(u"K1-"_s)) << number.toStdString();

    f.gui.type(window, CustomerOrders::kCustomer, u"K3"_s);
    EXPECT_TRUE(f.shown(window).isEmpty()) << "a customer without orders";
    f.gui.closeBox(window);
}

TEST(BrowseManager, ChangedResetFieldReloadsAndOtherFieldsDoNot)
{
    OrdersFixture f;
    f.gui.start(u"Browseauftrag"_s, [&] { f.app->call("Browseauftrag"); });
    ProcWindow *window = f.gui.window(u"Aufträge"_s);
    ASSERT_NE(window, nullptr);
    f.gui.type(window, CustomerOrders::kCustomer, u"K1"_s);
    ASSERT_FALSE(f.shown(window).isEmpty());
    ASSERT_EQ(f.shown(window).first(), u"K1-29"_s);

    // Another station adds an order on the third row; the list has no reason to look yet.
    f.addOrder("K1", 40, 28);
    f.gui.type(window, CustomerOrders::kPlace, u"Bonn"_s);
    EXPECT_FALSE(f.shown(window).contains(u"K1-40"_s)) << "not a reset field";
    f.gui.type(window, CustomerOrders::kName, u"Kunde eins"_s);
    EXPECT_EQ(f.shown(window).mid(0, 3), (QStringList{u"K1-29"_s, u"K1-28"_s, u"K1-40"_s}))
        << "the reset field changed";
    f.gui.closeBox(window);
}

TEST(BrowseManager, PrintButtonPrintsTheHighlightedRecordAndSelectCanBeHidden)
{
    for (const int count : {0, 12}) {
        SCOPED_TRACE(count);
        BrowseFixture f(count);
        f.probe.print = true;
        f.probe.hideSelect = true;
        ProcWindow *window = f.openList();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->isDisabled(CustomerList::kPrint), count == 0);
        EXPECT_FALSE(window->control(CustomerList::kSelect)->isVisible())
            << "not selecting, HIDESELECT";
        EXPECT_EQ(f.probe.byName->popupItems(),
                  (QStringList{u"&Neu"_s, u"&Ändern"_s, u"&Löschen"_s, u"&Druck"_s}));
        if (count > 0) {
            f.gui.pickRow(window, kNames, 3);
            f.gui.press(window, CustomerList::kPrint);
            ASSERT_EQ(f.probe.printed.size(), 1u);
            EXPECT_EQ(f.probe.printed[0].first, Request::Print);
            EXPECT_EQ(f.probe.printed[0].second, f.names[2]);
            EXPECT_EQ(f.highlightedName(window), QString::fromStdString(f.names[2]));
        }
        f.gui.closeBox(window);
    }
}

} // namespace
