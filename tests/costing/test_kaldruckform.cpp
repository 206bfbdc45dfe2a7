// The print calculation form driven offscreen: the worked example typed in, the messages of
// "Kalkulation" and OK with their titles, icons, beeps and focus, the pages of the three
// modes, and what the form leaves in the order's totals.

#include "test_kaldruck_fixture.h"

#include "costing/forms/kaldrucklayoutview.h"
#include "framework/listcontrol.h"
#include "support/picklist.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTabWidget>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = KaldruckFixture::Call;

// A new calculation, opened from the order form of F1.
class NewKaldruck : public testing::Test
{
protected:
    void SetUp() override
    {
        f.callForm(Request::Insert, call);
        form = f.form();
        ASSERT_NE(form, nullptr);
    }

    KaldruckFixture f;
    Call call;
    ProcWindow *form = nullptr;
};

TEST_F(NewKaldruck, WorkedExampleCalculatedAndAccepted)
{
    EXPECT_EQ(form->title(), u"NEUE KALKULATION "_s);
    // Primed: one sort of one piece in one colour, black among them, one side.
    for (int control : {K::TotalRun, K::Sorts, K::RunPerSort, K::Colours})
        EXPECT_EQ(f.gui.text(form, control), u"1"_s) << control;
    EXPECT_TRUE(qobject_cast<QCheckBox *>(form->control(K::WithBlack))->isChecked());
    EXPECT_FALSE(qobject_cast<QCheckBox *>(form->control(K::BackSide))->isChecked());
    EXPECT_EQ(form->choice(K::Mode), 1);

    f.typeWorkedExample(form);
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_EQ(f.gui.text(form, K::CopiesPerSheet), u"4"_s);
    EXPECT_EQ(f.gui.text(form, K::Prints), u"2.000"_s);
    EXPECT_EQ(f.gui.text(form, K::PrintPrice), u"85,00"_s);
    EXPECT_EQ(f.gui.text(form, K::ColourChangePrice), u"45,00"_s);
    EXPECT_EQ(f.gui.text(form, K::PrintTime), u"70,00"_s);
    EXPECT_EQ(f.gui.text(form, K::Sheets), u"1"_s);
    EXPECT_EQ(f.gui.text(form, K::RowFirst + 9), u"1"_s);  // N4ANZ
    EXPECT_EQ(f.gui.text(form, K::RowFirst + 10), u"3"_s); // N4SORT
    auto *picture = qobject_cast<SheetLayoutView *>(form->control(K::SheetPicture));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->picture().count(), 4);
    EXPECT_FALSE(picture->picture().turned);

    if (const char *shot = std::getenv("KALDRUCK_SCREENSHOT")) {
        EXPECT_TRUE(f.gui.grab(form, QString::fromLocal8Bit(shot)));
    }

    f.typePaper(form);
    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.totals.WorkPrint, 85);
    EXPECT_EQ(call.totals.WorkColourChange, 45);
    EXPECT_EQ(call.totals.WorkSheets, 1);
    EXPECT_EQ(call.totals.WorkPrintMinutes, 70);
    EXPECT_EQ(call.totals.WorkHours, 1);
    EXPECT_EQ(call.totals.WorkMinutes, 10);
    EXPECT_DOUBLE_EQ(call.totals.WorkPaper, 12.5);
    EXPECT_EQ(f.count(FileId::kaldruck), 1);
    const std::vector<std::string> ids = f.storedIds();
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_LE(ids[0].size(), 14u);
    EXPECT_GT(ids[0].size(), 6u);
    EXPECT_EQ(ids[0][0], 'K');
    const RecordBuffer stored = f.stored(ids[0]);
    EXPECT_EQ(stored.get(KAD::KAUFID), "F1");
    EXPECT_EQ(stored.get(KAD::KAMBEZ), "Zweifarben 52");
    EXPECT_EQ(stored.get(KAD::KGESAMTPR), 97.5);
}

} // namespace

namespace {

// A check of "Kalkulation" that stops it: its message, where the focus goes, form still open.
TEST(KaldruckForm, CalculationChecksShowTheirMessageAndFocusTheField)
{
    struct Case
    {
        const char *name;
        bool pickMachine;
        QString length, width, sorts;
        std::string text;
        int focus;
    };
    const Case cases[] = {
        {"no machine",
         false,
         u"297"_s,
         u"210"_s,
         u"1"_s,
         "Bitte eine Druckmaschine auswählen!",
         K::Machines},
        {"no layout length",
         true,
         u"0"_s,
         u"210"_s,
         u"1"_s,
         "Bitte maximale Länge Vorlage angeben!",
         K::LayoutLength},
        {"no layout width",
         true,
         u"297"_s,
         u"0"_s,
         u"1"_s,
         "Bitte minimale Länge der Vorlage angeben!",
         K::LayoutWidth},
        {"fits in neither orientation",
         true,
         u"650"_s,
         u"510"_s,
         u"1"_s,
         "Die Vorlage passt weder längs noch quer|auf den Druckbogen dieser Maschine!||"
         "Bitte die Breite der Vorlage prüfen.",
         K::LayoutWidth},
        {"no sorts",
         true,
         u"297"_s,
         u"210"_s,
         u"0"_s,
         "Bitte die Anzahl der Sorten angeben!",
         K::Sorts},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        KaldruckFixture f;
        Call call;
        f.callForm(Request::Insert, call);
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);
        if (k.pickMachine)
            f.gui.pickRow(form, K::Machines, 1);
        f.gui.type(form, K::LayoutLength, k.length);
        f.gui.type(form, K::LayoutWidth, k.width);
        f.gui.type(form, K::Sorts, k.sorts);
        f.gui.press(form, K::Calculate);
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].title, "ACHTUNG");
        EXPECT_EQ(f.messages.shown[0].text, k.text);
        EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Information);
        EXPECT_EQ(f.messages.beeps, 1);
        EXPECT_EQ(form->focusControl(), k.focus);
        EXPECT_EQ(f.form(), form);
        EXPECT_EQ(f.gui.text(form, K::CopiesPerSheet), u"0"_s);
        EXPECT_FALSE(call.returned);
    }
}

TEST(KaldruckForm, RunCorrectionsAreNoticedAndTheCalculationGoesOn)
{
    struct Case
    {
        const char *name;
        QString sorts, runPerSort, total;
        std::string text;
        QString runAfter, totalAfter;
    };
    const Case cases[] = {
        {"run per sort derived",
         u"2"_s,
         u"0"_s,
         u"1001"_s,
         "Auflagenhöhe je Sorte wurde autom. ermittelt!||Gesamtauflage wurde angepasst!",
         u"501"_s,
         u"1.002"_s},
        {"total corrected",
         u"3"_s,
         u"1000"_s,
         u"2000"_s,
         "Gesamtauflage wurde korrigiert!|Berechnungsgrundlage:|Auflagenhöhe je Sorte",
         u"1.000"_s,
         u"3.000"_s},
        {"total computed",
         u"3"_s,
         u"1000"_s,
         u"0"_s,
         "Gesamtauflage wurde autom. errechnet!",
         u"1.000"_s,
         u"3.000"_s},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        KaldruckFixture f;
        Call call;
        f.callForm(Request::Insert, call);
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);
        f.gui.pickRow(form, K::Machines, 1);
        f.gui.type(form, K::Sorts, k.sorts);
        f.gui.type(form, K::RunPerSort, k.runPerSort);
        f.gui.type(form, K::TotalRun, k.total);
        f.gui.type(form, K::LayoutLength, u"297"_s);
        f.gui.type(form, K::LayoutWidth, u"210"_s);
        f.gui.press(form, K::Calculate);
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].title, "HINWEIS");
        EXPECT_EQ(f.messages.shown[0].text, k.text);
        EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Information);
        EXPECT_EQ(f.messages.beeps, 0);
        EXPECT_EQ(f.gui.text(form, K::RunPerSort), k.runAfter);
        EXPECT_EQ(f.gui.text(form, K::TotalRun), k.totalAfter);
        EXPECT_EQ(f.gui.text(form, K::CopiesPerSheet), u"4"_s);
    }
}

TEST(KaldruckForm, UnprintableFormatClosesTheFormAndLeavesNoRecord)
{
    KaldruckFixture f;
    orders::OrderWorkingTotals totals;
    totals.WorkPrint = 120;
    totals.WorkPrintMinutes = 30;
    totals.WorkMinutes = 30;
    Call call;
    f.callForm(Request::Insert, call, {}, "F1", totals);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.count(FileId::kaldruck), 1) << "the caller primed a numbered placeholder";
    f.gui.pickRow(form, K::Machines, 1);
    f.gui.type(form, K::LayoutLength, u"720"_s);
    f.gui.type(form, K::LayoutWidth, u"100"_s);
    f.gui.press(form, K::Calculate);

    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, "A C H T U N G  !!");
    EXPECT_EQ(f.messages.shown[0].text,
              "Mit dieser Maschine ist das eingegebene Format|NICHT  DRUCKBAR !");
    EXPECT_EQ(f.messages.beeps, 1);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
    EXPECT_EQ(f.form(), nullptr);
    EXPECT_EQ(f.count(FileId::kaldruck), 0);
    EXPECT_EQ(call.totals, totals);
}

TEST_F(NewKaldruck, PrintPriceZeroAtOkShowsTheSimplePageUntilAPriceIsTyped)
{
    f.gui.type(form, K::Description, u"Flyer"_s);
    f.typePaper(form);
    f.gui.press(form, K::Ok);

    ASSERT_EQ(f.titles(), std::vector<std::string>{"U p p s"});
    EXPECT_EQ(f.messages.shown[0].text, "ACHTUNG!!|Der Druckpreis ist NULL!||..war das der Plan?");
    EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(f.messages.beeps, 1);
    EXPECT_FALSE(call.returned);
    auto *sheet = qobject_cast<QTabWidget *>(form->control(K::Pages));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->currentWidget(), form->control(K::SimplePage));
    EXPECT_EQ(form->focusControl(), K::SimplePrice);

    f.gui.type(form, K::SimplePrice, u"50"_s);
    EXPECT_EQ(f.gui.text(form, K::PrintPrice), u"50,00"_s);
    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.totals.WorkPrint, 50);
    RecordBuffer stored = f.stored(f.storedIds().front());
    EXPECT_EQ(stored.get(KAD::KADRPR), 50);
    EXPECT_EQ(stored.get(KAD::KAMBEZ), "");
}

TEST_F(NewKaldruck, QuickCalculationWithoutRunOrDescriptionIsCompletedFromTheOrder)
{
    f.gui.chooseOption(form, K::Mode, 3);
    f.gui.type(form, K::SimpleTotalRun, u"0"_s);
    f.gui.type(form, K::SimplePrice, u"30"_s);
    f.gui.press(form, K::Ok);

    EXPECT_EQ(f.titles(), (std::vector<std::string>{"U p p s", "HINWEIS"}));
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0].text,
              "ACHTUNG!!|Die Gesamtauflage/-menge ist NULL!||...Wert wird autom. auf 1 gesetzt !");
    EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(f.messages.shown[1].text,
              "Kalkulationsobjekt - Beschreibung fehlt!||Es wird autom. die Auftragsbezeichnung "
              "als|Kalkulationsbeschreibung übernommen.");
    EXPECT_EQ(f.messages.shown[1].icon, MessageIcon::None);
    EXPECT_EQ(f.messages.beeps, 1);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    RecordBuffer stored = f.stored(f.storedIds().front());
    EXPECT_EQ(stored.get(KAD::KAALGES), 1);
    EXPECT_EQ(stored.get(KAD::KABEZ), "Briefpapier Abel");
    EXPECT_EQ(stored.get(KAD::KAMBEZ), "SCHNELL");
    EXPECT_EQ(stored.get(KAD::EINFACH), 2);
    EXPECT_EQ(stored.get(KAD::KGESAMTPR), 30);
    EXPECT_EQ(stored.get(KAD::ASBEZ), "NEIN");
}

TEST_F(NewKaldruck, MachineCalculationNeedsAPaperUnitAndName)
{
    f.gui.switchTab(form, K::Pages, 4);
    f.gui.type(form, K::PaperPieces, u"2500"_s);
    f.gui.type(form, K::PaperUnit, u"Blatt"_s);
    f.gui.type(form, K::PaperPieces, u"2500"_s);

    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[0].title, "U u p p s  !");
    EXPECT_EQ(f.messages.shown[0].text, "Bitte eine VPE Einheit|z.B.  Blatt; Bogen usw. eingeben.");
    EXPECT_EQ(f.messages.shown[1].title, "U u p p s  !");
    EXPECT_EQ(f.messages.shown[1].text, "Bitte eine Papierbezeichnung eingeben.");
    EXPECT_EQ(f.messages.shown[1].icon, MessageIcon::Question);
    EXPECT_EQ(f.messages.beeps, 2);
    EXPECT_EQ(form->focusControl(), K::PaperName);
    EXPECT_EQ(f.gui.text(form, K::PaperTotal), u"0,00"_s) << "no price without the names";

    f.gui.type(form, K::PaperName, u"Offset 90 g"_s);
    f.gui.type(form, K::PaperPiecesPerUnit, u"500"_s);
    f.gui.type(form, K::PaperUnitPrice, u"7"_s);
    f.gui.type(form, K::PaperPieces, u"2500"_s);
    EXPECT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.gui.text(form, K::PaperTotal), u"35,00"_s);
}

TEST_F(NewKaldruck, ModesShowTheirPages)
{
    struct Case
    {
        int option;
        bool calculation, distribution, simple, details, hint;
    };
    const Case cases[] = {
        {1, true, true, false, false, true},
        {2, false, false, true, true, false},
        {3, false, false, true, false, false},
    };
    auto *sheet = qobject_cast<QTabWidget *>(form->control(K::Pages));
    ASSERT_NE(sheet, nullptr);
    auto tabShown = [&](int page) {
        return sheet->isTabVisible(sheet->indexOf(form->control(page)));
    };
    for (const int option : {2, 3, 1, 3}) {
        const Case &k = cases[option - 1];
        SCOPED_TRACE(option);
        f.gui.chooseOption(form, K::Mode, option);
        EXPECT_EQ(tabShown(K::CalculationPage), k.calculation);
        EXPECT_EQ(tabShown(K::DistributionPage), k.distribution);
        EXPECT_EQ(tabShown(K::SimplePage), k.simple);
        EXPECT_TRUE(tabShown(K::PaperPage));
        EXPECT_TRUE(tabShown(K::TypesettingPage));
        for (int control : {K::SimpleSorts, K::SimpleRunPerSort, K::SimpleColours})
            EXPECT_EQ(!form->control(control)->isHidden(), k.details) << control;
        EXPECT_EQ(!form->isHidden(K::Hint), k.hint);
    }
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(NewKaldruck, PageChangeSumsTypedRowsAndDefaultsThePaperPieces)
{
    f.gui.type(form, K::TotalRun, u"2500"_s);
    f.gui.switchTab(form, K::Pages, 2);
    f.gui.type(form, K::RowFirst, u"2"_s);     // N1ANZ
    f.gui.type(form, K::RowFirst + 6, u"1"_s); // N3ANZ
    f.gui.switchTab(form, K::Pages, 4);
    EXPECT_EQ(f.gui.text(form, K::RowSheetTotal), u"3"_s);
    EXPECT_EQ(f.gui.text(form, K::Sheets), u"3"_s);
    EXPECT_EQ(f.gui.text(form, K::PaperPieces), u"2.500"_s);
}

} // namespace

namespace {

// The open order F1 with the worked example's calculation KA1 among its lines.
orders::OrderWorkingTotals orderWithCalculation()
{
    orders::OrderWorkingTotals t;
    t.WorkPrint = 185;
    t.WorkColourChange = 45;
    t.WorkSheets = 3;
    t.WorkPrintMinutes = 100;
    t.WorkHours = 1;
    t.WorkMinutes = 40;
    t.WorkPaper = 20;
    t.WorkTypesetting = 124;
    return t;
}

TEST(KaldruckTotals, CancelledFormsLeaveTheOrderAsItWas)
{
    struct Case
    {
        const char *name;
        int request;
    };
    for (const Case &k : {Case{"new calculation", Request::Insert},
                          Case{"existing calculation", Request::Change}}) {
        SCOPED_TRACE(k.name);
        KaldruckFixture f;
        f.storedCalculation("KA1", "F1", 124);
        Call call;
        f.callForm(k.request, call, "KA1", "F1", orderWithCalculation());
        ASSERT_NE(f.form(), nullptr);
        ASSERT_NE(call.values, nullptr);
        const double share = k.request == Request::Change ? 85 : 0;
        EXPECT_EQ(call.values->OrderWorkingTotals.WorkPrint, 185 - share)
            << "the calculation's share is out while its form is open";
        f.gui.press(f.form(), K::Cancel);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Cancelled);
        EXPECT_EQ(call.totals, orderWithCalculation());
        EXPECT_EQ(f.count(FileId::kaldruck), 1);
    }
}

TEST(KaldruckTotals, AcceptedChangeReplacesTheOldShare)
{
    KaldruckFixture f;
    f.storedCalculation("KA1", "F1", 124);
    Call call;
    f.callForm(Request::Change, call, "KA1", "F1", orderWithCalculation());
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), u"ÄNDERN der Kalkulation"_s);
    EXPECT_EQ(f.gui.text(form, K::Typesetting), u"124,00"_s);
    EXPECT_EQ(f.gui.text(form, K::DisplayTotal), u"221,50"_s);
    // 124 typesetting + 12.50 paper + the print price typed over, while the form is open.
    f.gui.type(form, K::PrintPrice, u"100"_s);
    EXPECT_EQ(f.gui.text(form, K::DisplayTotal), u"236,50"_s);
    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    orders::OrderWorkingTotals expected = orderWithCalculation();
    EXPECT_EQ(call.totals.WorkPrint, expected.WorkPrint + 15);
    EXPECT_EQ(call.totals.WorkPrintMinutes, expected.WorkPrintMinutes);
    EXPECT_EQ(call.totals.WorkTypesetting, expected.WorkTypesetting);
    EXPECT_DOUBLE_EQ(call.totals.WorkPaper, expected.WorkPaper);
    EXPECT_EQ(f.stored("KA1").get(KAD::KGESAMTPR), 236.5);
}

TEST(KaldruckForm, AReopenedCalculationHighlightsItsOwnMachine)
{
    KaldruckFixture f;
    f.machine("Einfarben 36", 360, 250, 1);
    f.machine("Vierfarben 70", 700, 500, 4);
    f.machine("Zweifarben 52", 520, 360, 2);
    f.storedCalculation("KA1", "F1");
    Call call;
    f.callForm(Request::Change, call, "KA1", "F1");
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    ListControl *machines = form->list(K::Machines);
    ASSERT_NE(machines, nullptr);
    ASSERT_GT(machines->highlighted(), 0);
    EXPECT_EQ(machines->row(machines->highlighted()).value(0), u"Zweifarben 52"_s);
    // Opening changed nothing: the machine's values are still the calculation's own.
    f.gui.press(form, K::Cancel);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
}

TEST(KaldruckTotals, AnotherOrdersCalculationChangesOnlyThatOrder)
{
    struct Case
    {
        const char *name;
        std::string openOrder;
    };
    for (const Case &k : {Case{"from the list, no order form open", ""},
                          Case{"while another order's form is open", "F1"}}) {
        SCOPED_TRACE(k.name);
        KaldruckFixture f;
        f.order("F3", "Plakat Bauer", 85);
        f.storedCalculation("KB1", "F3");
        Call call;
        f.callForm(Request::Change, call, "KB1", k.openOrder, orderWithCalculation());
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(call.values->OrderWorkingTotals, orderWithCalculation());
        f.gui.type(form, K::PrintPrice, u"100"_s);
        f.gui.press(form, K::Ok);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        EXPECT_EQ(call.totals, orderWithCalculation());
        EXPECT_EQ(f.storedOrder("F3").get(AUF::DRUCPR), 100);
        EXPECT_EQ(f.storedOrder("F1").get(AUF::DRUCPR), 0);
    }
}

// Records the id the form gives a new calculation, so that the test can get in its way.
class ProbedKaldruck : public Updatekaldruck
{
public:
    ProbedKaldruck(AppContext &app, std::string &id)
        : Updatekaldruck(app)
        , m_id(id)
    {}
    void FillNewRecord() override
    {
        Updatekaldruck::FillNewRecord();
        m_id = records().get(KAD::KAAID);
    }

private:
    std::string &m_id;
};

TEST(KaldruckTotals, ASecondOkAfterAFailedWriteCountsTheCalculationOnce)
{
    KaldruckFixture f;
    std::string id;
    f.app->procedures().add("Updatekaldruck", [&id](AppContext &context) {
        ProbedKaldruck form(context, id);
        context.LastResponse = form.Run();
    });
    Call call;
    f.callForm(Request::Insert, call, {}, "F1", orderWithCalculation());
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    ASSERT_FALSE(id.empty());
    // Another station stores a calculation under the same id meanwhile.
    f.storedCalculation(id, "F2");
    f.gui.chooseOption(form, K::Mode, 2);
    f.gui.type(form, K::SimpleDescription, u"Plakat"_s);
    f.gui.type(form, K::SimplePrice, u"40"_s);
    f.gui.press(form, K::Ok);
    EXPECT_FALSE(call.returned);
    ASSERT_EQ(f.messages.shown.size(), 1u) << "the failed write is reported";
    EXPECT_EQ(f.messages.shown[0].title, "Duplicate Key Error");
    EXPECT_EQ(call.values->OrderWorkingTotals.WorkPrint, 185);

    FileManager &file = f.store->fileManager(FileId::kaldruck);
    RelationKeeper &keeper = f.store->relations(FileId::kaldruck);
    keeper.Open();
    f.store->records().set(KAD::KAAID, id);
    ASSERT_EQ(file.FetchQuiet(KAD::Keyadid), Level::Benign);
    ASSERT_EQ(keeper.Delete(false), Level::Benign);
    keeper.Close();

    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(call.totals.WorkPrint, 185 + 40);
    EXPECT_EQ(f.stored(id).get(KAD::KADRPR), 40);
}

TEST(KaldruckTypesetting, DeletedLineLeavesTheCalculationsSum)
{
    KaldruckFixture f;
    f.storedCalculation("KA1", "F1", 124);
    f.storedCalculation("KA2", "F1", 7);
    f.typesettingLine("S1", "KA1", 84);
    f.typesettingLine("S2", "KA1", 40);
    f.typesettingLine("S3", "KA2", 7);
    // The line form deletes at once on a delete request, as the real one does.
    f.app->procedures().add("Updateasatz", [](AppContext &context) {
        context.PendingRequest = Request::None;
        context.LastResponse
            = context.store().relations(FileId::asatz).Delete(false) == Level::Benign
                  ? Response::Completed
                  : Response::Cancelled;
    });
    Call call;
    f.callForm(Request::Change, call, "KA1", "F1", orderWithCalculation());
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.switchTab(form, K::Pages, 5);
    ListControl *lines = form->list(K::TypesettingList);
    ASSERT_EQ(lines->rowCount(), 2) << "only the lines of this calculation";
    EXPECT_EQ(lines->row(1).value(0), u"Satz S1"_s);
    f.gui.pickRow(form, K::TypesettingList, 1);
    f.gui.press(form, K::TypesettingDelete);
    EXPECT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(f.gui.text(form, K::TypesettingTotal), u"40,00"_s);
    EXPECT_EQ(f.count(FileId::asatz), 2);

    f.gui.press(form, K::Ok);
    ASSERT_TRUE(call.returned);
    RecordBuffer stored = f.stored("KA1");
    EXPECT_EQ(stored.get(KAD::ASGPR), 40);
    EXPECT_EQ(stored.get(KAD::ASBEZ), "JA");
    EXPECT_EQ(call.totals.WorkTypesetting, 40);
}

TEST(KaldruckTypesetting, WithoutTheLineFormNewIsReportedAndNothingChanges)
{
    KaldruckFixture f;
    f.storedCalculation("KA1", "F1", 124);
    Call call;
    f.callForm(Request::Change, call, "KA1", "F1", orderWithCalculation());
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.switchTab(form, K::Pages, 5);
    f.gui.press(form, K::TypesettingNew);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_NE(f.messages.shown[0].text.find("Updateasatz"), std::string::npos);
    EXPECT_EQ(f.gui.text(form, K::TypesettingTotal), u"124,00"_s);
    EXPECT_EQ(f.count(FileId::asatz), 0);
    EXPECT_EQ(f.form(), form);
}

} // namespace

namespace {

TEST(KaldruckPaper, PickedPaperIsCopiedAndPriced)
{
    KaldruckFixture f;
    f.add(FileId::papier, [](Records &r) {
        r.set(PAP::PBEZ, "Bilderdruck 135 g");
        r.set(PAP::PPR, 7.0);
        r.set(PAP::PVPE, 500.0);
        r.set(PAP::PEIN, "Paket");
    });
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    f.gui.type(form, K::TotalRun, u"2500"_s);
    f.gui.switchTab(form, K::Pages, 4);
    EXPECT_EQ(f.gui.text(form, K::PaperPieces), u"2.500"_s);
    f.gui.chooseEntry(form, K::PaperPick, 1);
    EXPECT_EQ(f.gui.text(form, K::PaperName), u"Bilderdruck 135 g"_s);
    EXPECT_EQ(f.gui.text(form, K::PaperUnit), u"Paket"_s);
    EXPECT_EQ(f.gui.text(form, K::PaperUnits), u"5,0000"_s);
    EXPECT_EQ(f.gui.text(form, K::PaperTotal), u"35,00"_s);
    EXPECT_EQ(f.gui.text(form, K::PaperPrice), u"35,00"_s);
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(KaldruckPaper, PickListShowsSortPriceAndPackingUnitInColumns)
{
    KaldruckFixture f;
    f.add(FileId::papier, [](Records &r) {
        r.set(PAP::PBEZ, "Offset 90 g");
        r.set(PAP::PPR, 1234.5);
        r.set(PAP::PVPE, 2500.0);
        r.set(PAP::PEIN, "Ries");
    });
    Call call;
    f.callForm(Request::Insert, call);
    ProcWindow *form = f.form();
    ASSERT_NE(form, nullptr);
    const ShownPickList shown = shownPickList(form, K::PaperPick);
    EXPECT_EQ(shown.headings,
              (QStringList{u"Sorte / Bezeichnung"_s, u"Preis"_s, u"VPE/ Stck"_s, u"VPE-Bez."_s}));
    const QStringList row{u"Offset 90 g"_s, u"1.234,50"_s, u"2.500"_s, u"Ries"_s};
    EXPECT_EQ(shown.rows, QList<QStringList>{row});
    EXPECT_EQ(shown.rightAligned, (QList<bool>{false, true, true, false}));
}

// The machine list counts a machine's colours as whole numbers, as its form enters them.
TEST_F(NewKaldruck, ListShowsTheColoursAsAWholeNumber)
{
    const QStringList row = form->list(K::Machines)->row(1);
    ASSERT_EQ(row.size(), 3);
    EXPECT_EQ(row.at(2).trimmed(), u"2"_s);
}

} // namespace

namespace {

TEST(KaldruckTypesetting, LinesOfANewCalculationGoWhenItIsNotStored)
{
    struct Case
    {
        const char *name;
        QString layoutLength; // 720 is not printable on the 700 mm sheet
    };
    for (const Case &k : {Case{"cancelled", {}}, Case{"not printable", u"720"_s}}) {
        SCOPED_TRACE(k.name);
        KaldruckFixture f;
        std::string id;
        f.app->procedures().add("Updatekaldruck", [&id](AppContext &context) {
            ProbedKaldruck form(context, id);
            context.LastResponse = form.Run();
        });
        f.storedCalculation("KA1", "F1", 40);
        f.typesettingLine("S1", "KA1", 40);
        Call call;
        f.callForm(Request::Insert, call);
        ProcWindow *form = f.form();
        ASSERT_NE(form, nullptr);
        // Entered on the typesetting page while the new calculation is open.
        f.typesettingLine("S2", id, 84);
        f.typesettingLine("S3", id, 16);
        ASSERT_EQ(f.count(FileId::asatz), 3);
        if (k.layoutLength.isEmpty()) {
            f.gui.press(form, K::Cancel);
        } else {
            f.gui.pickRow(form, K::Machines, 1);
            f.gui.type(form, K::LayoutLength, k.layoutLength);
            f.gui.type(form, K::LayoutWidth, u"100"_s);
            f.gui.press(form, K::Calculate);
        }
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Cancelled);
        EXPECT_EQ(f.count(FileId::asatz), 1) << "the line of the stored calculation stays";
    }
}

} // namespace
