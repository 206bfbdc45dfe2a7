// Choosing records through the selection lists: Selectauftrag's answer, the order-line lists
// that follow the chosen order, the order list placed at a chosen customer, and the update
// form called from a list.

#include "listsfixture.h"

#include "framework/formbuilder.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString kSelectOrder = u"Select a auftrag Record"_s;
const QString kCalculations = u"Browse the kaldruck File"_s;
constexpr int kSelectButton = 2;

void order(ListsFixture &f,
           const std::string &id,
           const std::string &customer,
           const std::string &nr)
{
    f.add(FileId::auftrag, [&](Records &r) {
        r.set(AUF::FID, id);
        r.set(AUF::FKUID, customer);
        r.set(AUF::FNR, nr);
        r.set(AUF::FSTAT, std::string("ANGEBOT"));
    });
}

void calculation(ListsFixture &f, const std::string &id, const std::string &orderId)
{
    f.add(FileId::kaldruck, [&](Records &r) {
        r.set(KAD::KAAID, id);
        r.set(KAD::KAUFID, orderId);
        r.set(KAD::KABEZ, "Briefbogen " + id);
    });
}

// Chooses the order `id` in the open Selectauftrag window; false when it is not shown.
bool chooseOrder(ListsFixture &f, const QString &id)
{
    ProcWindow *select = f.gui.window(kSelectOrder);
    if (!select)
        return false;
    const int row = static_cast<int>(ListsFixture::shown(select, 1).indexOf(id)) + 1;
    if (row == 0)
        return false;
    f.gui.pickRow(select, ListProcedure::kList, row);
    f.gui.press(select, kSelectButton);
    return f.gui.window(kSelectOrder) == nullptr;
}

TEST(SelectLists, SelectauftragAnswersCompletedWithTheChosenOrderOrCancelledOnClose)
{
    for (const bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "&Select" : "Close");
        ListsFixture f;
        order(f, "F1", "K1", "A-100");
        order(f, "F2", "K2", "A-200");
        order(f, "F3", "K1", "A-300");
        int response = 0;
        std::string chosen;
        bool returned = false;
        f.gui.start(u"Updatekaldruck"_s, [&] {
            f.store->records().set(AUF::FID, std::string("Fvorher"));
            response = f.app->call("Selectauftrag", Request::Select);
            chosen = f.store->records().get(AUF::FID);
            returned = true;
        });
        ProcWindow *window = f.gui.window(kSelectOrder);
        ASSERT_NE(window, nullptr);
        // Tab 1 lists by customer: K1's orders, then K2's.
        EXPECT_EQ(f.shown(window, 1), (QStringList{u"F1"_s, u"F3"_s, u"F2"_s}));
        EXPECT_FALSE(window->isDisabled(kSelectButton));
        if (choose) {
            f.gui.pickRow(window, ListProcedure::kList, 3);
            f.gui.press(window, kSelectButton);
        } else {
            f.gui.press(window, ListProcedure::kClose);
        }
        ASSERT_TRUE(returned);
        EXPECT_EQ(response, choose ? Response::Completed : Response::Cancelled);
        EXPECT_EQ(chosen, choose ? "F2" : "Fvorher");
    }
}

TEST(SelectLists, SelectauftragStartedFromTheMenuHasNothingToSelect)
{
    ListsFixture f;
    order(f, "F1", "K1", "A-100");
    ProcWindow *window = f.open("Selectauftrag", kSelectOrder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(f.shown(window, 1), QStringList{u"F1"_s});
    EXPECT_TRUE(window->isDisabled(kSelectButton));
    f.gui.press(window, ListProcedure::kClose);
}

TEST(SelectLists, SelectAuftragReloadsTabOneWithTheChosenOrdersCalculationsOnly)
{
    ListsFixture f;
    order(f, "F1", "K1", "A-100");
    order(f, "F2", "K2", "A-200");
    calculation(f, "KA1", "F1");
    calculation(f, "KA2", "F1");
    calculation(f, "KB1", "F2");
    ProcWindow *window = f.open("Browsekaldruck", kCalculations);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(f.shown(window, 1).isEmpty()) << "no order chosen yet";
    EXPECT_NE(window->control(ListProcedure::kPick), nullptr);

    const struct
    {
        QString order;
        QStringList calculations;
    } steps[] = {
        {u"F2"_s, {u"KB1"_s}},
        {u"F1"_s, {u"KA1"_s, u"KA2"_s}},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.order.toStdString());
        f.gui.press(window, ListProcedure::kPick);
        ASSERT_TRUE(chooseOrder(f, step.order));
        EXPECT_EQ(f.shown(window, 1), step.calculations);
        EXPECT_EQ(f.shown(window, 2), QStringList(step.calculations.size(), step.order));
    }

    // Leaving the selection without a choice keeps the order shown.
    f.gui.press(window, ListProcedure::kPick);
    ProcWindow *select = f.gui.window(kSelectOrder);
    ASSERT_NE(select, nullptr);
    f.gui.press(select, ListProcedure::kClose);
    EXPECT_EQ(f.shown(window, 1), (QStringList{u"KA1"_s, u"KA2"_s}));

    // Tab 2 has no range.
    f.gui.switchTab(window, ListProcedure::kSheet, 2);
    EXPECT_EQ(f.shown(window, 1), (QStringList{u"KA1"_s, u"KA2"_s, u"KB1"_s}));
    EXPECT_FALSE(window->control(ListProcedure::kPick)->isVisible())
        << "the button stands on tab 1 only";
    f.gui.press(window, ListProcedure::kClose);
}

TEST(SelectLists, TransportLinesArePlacedAtTheChosenOrderWithoutARange)
{
    ListsFixture f;
    for (const char *id : {"F1", "F2", "F3"})
        order(f, id, "K1", std::string("A-") + id);
    for (int i = 0; i < 4; ++i) {
        for (const char *id : {"F3", "F1", "F2"}) {
            f.add(FileId::atran, [&](Records &r) {
                r.set(ATR::ATID, "T" + std::string(id) + std::to_string(i));
                r.set(ATR::ATAUFID, std::string(id));
                r.set(ATR::ATBEZ, "Kurier " + std::to_string(i));
            });
        }
    }
    ProcWindow *window = f.open("Browseatran", u"Browse the atran File"_s);
    ASSERT_NE(window, nullptr);
    f.gui.switchTab(window, ListProcedure::kSheet, 3);
    f.gui.press(window, ListProcedure::kPick);
    ASSERT_TRUE(chooseOrder(f, u"F2"_s));
    EXPECT_EQ(f.highlighted(window, 2), u"F2"_s);
    const QStringList orders = f.shown(window, 2);
    const qsizetype at = window->list(ListProcedure::kList)->highlighted() - 1;
    EXPECT_TRUE(at == 0 || orders[at - 1] == u"F1"_s) << "the first line of the order";
    EXPECT_TRUE(orders.contains(u"F1"_s) || orders.contains(u"F3"_s))
        << "the other orders' lines stay in the list";
    f.gui.press(window, ListProcedure::kClose);
}

TEST(SelectLists, SelectKundePlacesTheOrderListAtTheCustomersOrders)
{
    ListsFixture f;
    f.add(FileId::kunde, [](Records &r) {
        r.set(KUN::KID, std::string("K1"));
        r.set(KUN::KNAME, std::string("Druckerei Abel"));
    });
    f.add(FileId::kunde, [](Records &r) {
        r.set(KUN::KID, std::string("K2"));
        r.set(KUN::KNAME, std::string("Verlag Bauer"));
    });
    order(f, "F1", "K1", "A-100");
    order(f, "F2", "K2", "A-200");
    order(f, "F3", "K1", "A-300");
    ProcWindow *window = f.open("Browseauftrag", u" GESAMTÜBERSICHT   aller    AUFTRÄGE"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(f.highlighted(window), u"A-100"_s);
    f.gui.press(window, ListProcedure::kPick);
    ProcWindow *customers = f.gui.window(u"Select a kunde Record"_s);
    ASSERT_NE(customers, nullptr);
    ASSERT_EQ(f.shown(customers, 1), (QStringList{u"K1"_s, u"K2"_s}));
    f.gui.pickRow(customers, ListProcedure::kList, 2);
    f.gui.press(customers, kSelectButton);
    EXPECT_EQ(f.gui.window(u"Select a kunde Record"_s), nullptr);
    EXPECT_EQ(f.highlighted(window), u"A-200"_s);
    EXPECT_EQ(f.app->ListWindowOpen, 1) << "the selection list is not guarded";
    f.gui.press(window, ListProcedure::kClose);
    EXPECT_EQ(f.app->ListWindowOpen, 0);
}

// The update form of the transport catalogue, as the list calls it.
class TransportForm : public ProcedureController
{
public:
    explicit TransportForm(AppContext &app)
        : ProcedureController(app, "Updatetransport", QStringLiteral("Transport"))
    {
        setPrimary(FileId::transport, 10, 11);
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, QStringLiteral("Bezeichnung"), TRA::TBEZ, QStringLiteral("@s35"));
        form.entry(2, QStringLiteral("Preis"), TRA::TPR, QStringLiteral("@n10.2"));
        form.okCancel(10, 11);
    }
};

TEST(SelectLists, AnInsertThroughTheUpdateFormShowsTheNewRowHighlighted)
{
    ListsFixture f;
    f.app->procedures().add<TransportForm>("Updatetransport");
    for (const char *name : {"Bahn", "Kurier", "Post", "Spedition"})
        f.add(FileId::transport, [&](Records &r) { r.set(TRA::TBEZ, std::string(name)); });
    const QString title = u" TRANSPORT - KOSTEN      Stammdaten"_s;
    ProcWindow *window = f.open("Browsetransport", title);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(f.highlighted(window), u"Bahn"_s);

    f.gui.press(window, 2);
    ProcWindow *form = f.gui.window(u"Transport"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Eilbote"_s);
    f.gui.type(form, 2, u"12,50"_s);
    f.gui.press(form, 10);
    EXPECT_EQ(f.gui.window(u"Transport"_s), nullptr);
    EXPECT_EQ(f.highlighted(window), u"Eilbote"_s);
    EXPECT_EQ(f.highlighted(window, 1), u"12,50"_s);
    EXPECT_EQ(f.count(FileId::transport), 5);

    // A change through the form: the changed row stays highlighted where it now sorts.
    f.gui.press(window, 3);
    form = f.gui.window(u"Transport"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Taxi"_s);
    f.gui.press(form, 10);
    EXPECT_EQ(f.highlighted(window), u"Taxi"_s);
    EXPECT_EQ(f.shown(window).last(), u"Taxi"_s);
    f.gui.press(window, ListProcedure::kClose);
}

// The print calculation form, reduced to its description.
class CalculationForm : public ProcedureController
{
public:
    explicit CalculationForm(AppContext &app)
        : ProcedureController(app, "Updatekaldruck", QStringLiteral("Kalkulation"))
    {
        setPrimary(FileId::kaldruck, 10, 11);
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, QStringLiteral("Bezeichnung"), KAD::KABEZ, QStringLiteral("@s35"));
        form.okCancel(10, 11);
    }
};

TEST(SelectLists, ANewLineOnTheOrderTabBelongsToTheChosenOrder)
{
    ListsFixture f;
    f.app->procedures().add<CalculationForm>("Updatekaldruck");
    order(f, "F1", "K1", "A-100");
    order(f, "F2", "K2", "A-200");
    calculation(f, "KA1", "F1");
    ProcWindow *window = f.open("Browsekaldruck", kCalculations);
    ASSERT_NE(window, nullptr);
    f.gui.press(window, ListProcedure::kPick);
    ASSERT_TRUE(chooseOrder(f, u"F2"_s));
    EXPECT_TRUE(f.shown(window).isEmpty());

    f.gui.press(window, 2);
    ProcWindow *form = f.gui.window(u"Kalkulation"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, 1, u"Flyer A5"_s);
    f.gui.press(form, 10);
    EXPECT_EQ(f.shown(window, 3), QStringList{u"Flyer A5"_s});
    EXPECT_EQ(f.highlighted(window, 2), u"F2"_s);
    EXPECT_EQ(f.count(FileId::kaldruck), 2);
    f.gui.press(window, ListProcedure::kClose);
}

TEST(SelectLists, AnUpdateFormNotYetThereIsReportedAndLeavesNothingBehind)
{
    ListsFixture f;
    f.add(FileId::satz, [](Records &r) { r.set(SAT::SBEZ, std::string("Satz A4")); });
    const QString title = u"  SATZ- / VERARBEITUNG  Tätigkeiten    Stammdaten"_s;
    ProcWindow *window = f.open("Browsesatz", title);
    ASSERT_NE(window, nullptr);
    for (const int button : {2, 3}) {
        SCOPED_TRACE(button == 2 ? "insert" : "change");
        f.gui.press(window, button);
        const auto message = f.gui.answer(MessageButton::Ok);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, u"Procedure not defined"_s);
        EXPECT_EQ(message->text, u"The Procedure Updatesatz has not been defined."_s);
        EXPECT_EQ(f.shown(window), QStringList{u"Satz A4"_s});
    }
    f.gui.press(window, ListProcedure::kClose);
    EXPECT_EQ(f.count(FileId::satz), 1) << "no half-made record stays in the file";
}

} // namespace
