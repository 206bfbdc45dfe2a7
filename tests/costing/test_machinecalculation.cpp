#include "costing/core/calculationsteps.h"
#include "costing/core/machinecalculation.h"

#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

using namespace costing;

namespace {

// The worked example: a 700 × 500 two-colour machine and 3 sorts of 1000 in four colours with
// black, one side, 297 × 210.
RecordBuffer workedExample()
{
    RecordBuffer c(FileId::kaldruck);
    c.set(KAD::KAMBEZ, "Zweifarben 52");
    c.set(KAD::KAMMAX, 700.0);
    c.set(KAD::KAMMIN, 500.0);
    c.set(KAD::KAMFARB, 2.0);
    c.set(KAD::KAMDRV, 6000.0);
    c.set(KAD::KAMADRPR, 0.02);
    c.set(KAD::KAMAFAPR, 15.0);
    c.set(KAD::KAFAZEIT, 10.0);
    c.set(KAD::KADRPLZEIT, 20.0);
    c.set(KAD::KASO, 3.0);
    c.set(KAD::KAAL, 1000.0);
    c.set(KAD::KAALGES, 3000.0);
    c.set(KAD::KAFARBE, 4.0);
    c.set(KAD::KAFASCHW, 1.0);
    c.set(KAD::KAVH, 1.0);
    c.set(KAD::KAOMAX, 297.0);
    c.set(KAD::KAOMIN, 210.0);
    return c;
}

struct Rows
{
    double n1anz, n1sort, n1stck, n3anz, n3sort, n3stck, n4anz, n4sort, n4stck, nges;
};

void expectRows(const RecordBuffer &c, const Rows &r)
{
    EXPECT_EQ(c.get(KAD::N1ANZ), r.n1anz);
    EXPECT_EQ(c.get(KAD::N1SORT), r.n1sort);
    EXPECT_EQ(c.get(KAD::N1STCK), r.n1stck);
    EXPECT_EQ(c.get(KAD::N2ANZ) + c.get(KAD::N2SORT) + c.get(KAD::N2STCK), 0);
    EXPECT_EQ(c.get(KAD::N3ANZ), r.n3anz);
    EXPECT_EQ(c.get(KAD::N3SORT), r.n3sort);
    EXPECT_EQ(c.get(KAD::N3STCK), r.n3stck);
    EXPECT_EQ(c.get(KAD::N4ANZ), r.n4anz);
    EXPECT_EQ(c.get(KAD::N4SORT), r.n4sort);
    EXPECT_EQ(c.get(KAD::N4STCK), r.n4stck);
    EXPECT_EQ(c.get(KAD::N5ANZ) + c.get(KAD::N5SORT) + c.get(KAD::N5STCK), 0);
    EXPECT_EQ(c.get(KAD::N6ANZ) + c.get(KAD::N6SORT) + c.get(KAD::N6STCK), 0);
    EXPECT_EQ(c.get(KAD::NGES), r.nges);
}

TEST(MachineCalculation, WorkedExample)
{
    RecordBuffer c = workedExample();
    const MachineCalculationOutcome outcome = runMachineCalculation(c);
    ASSERT_TRUE(outcome.completed());
    EXPECT_TRUE(outcome.notices.empty());
    EXPECT_EQ(c.get(KAD::KAST), 4);
    // Orientation A gives the 4 copies, but the turned one was counted last.
    EXPECT_EQ(c.get(KAD::KAX), 1);
    EXPECT_EQ(c.get(KAD::KAY), 3);
    expectRows(c, {0, 0, 0, 0, 0, 0, 1, 3, 1, 1});
    EXPECT_EQ(c.get(KAD::KADR), 2000);
    EXPECT_EQ(c.get(KAD::KAAD), 2000);
    EXPECT_DOUBLE_EQ(c.get(KAD::KAFAPR), 45.00);
    EXPECT_DOUBLE_EQ(c.get(KAD::KADRPR), 85.00);
    EXPECT_DOUBLE_EQ(c.get(KAD::KADRZEIT), 70);
    EXPECT_EQ(c.get(KAD::KAOMAX), 297);
    EXPECT_EQ(c.get(KAD::KAOMIN), 210);
}

TEST(MachineCalculation, TenSortsOnTwoFullSheetsAndALastOne)
{
    RecordBuffer c = workedExample();
    c.set(KAD::KASO, 10.0);
    c.set(KAD::KAAL, 500.0);
    c.set(KAD::KAALGES, 5000.0);
    c.set(KAD::KAFARBE, 2.0); // one pass, so the prints are those before passes
    ASSERT_TRUE(runMachineCalculation(c).completed());
    EXPECT_EQ(c.get(KAD::KAST), 4);
    expectRows(c, {2, 2, 1, 1, 2, 2, 0, 0, 0, 3});
    EXPECT_EQ(c.get(KAD::KADR), 1250);
}

TEST(MachineCalculation, SheetDistribution)
{
    struct Case
    {
        const char *name;
        double sorts;
        double layoutLength, layoutWidth; // on the 700 × 500 sheet
        double copiesPerSheet;
        Rows rows;
        double printsPerPass; // run per sort 1000
    };
    const Case cases[] = {
        {"3 sorts, 4 copies", 3, 297, 210, 4, {0, 0, 0, 0, 0, 0, 1, 3, 1, 1}, 1000},
        // One sheet for all sorts carries each as often as fits beside the others: 5 / 3
        // rounded down, so that every sort's run is printed.
        {"3 sorts, 5 copies: each once", 3, 500, 140, 5, {0, 0, 0, 0, 0, 0, 1, 3, 1, 1}, 1000},
        {"2 sorts, 9 copies: 4 each", 2, 230, 160, 9, {0, 0, 0, 0, 0, 0, 1, 2, 4, 1}, 250},
        {"4 sorts, 4 copies", 4, 297, 210, 4, {0, 0, 0, 1, 4, 1, 0, 0, 0, 1}, 1000},
        {"5 sorts, 4 copies", 5, 297, 210, 4, {1, 4, 1, 1, 1, 4, 0, 0, 0, 2}, 1250},
        {"9 sorts, 4 copies", 9, 297, 210, 4, {2, 1, 1, 1, 1, 4, 0, 0, 0, 3}, 2250},
        {"1 sort, 1 copy", 1, 700, 500, 1, {0, 0, 0, 1, 1, 1, 0, 0, 0, 1}, 1000},
        {"2 sorts, 1 copy", 2, 700, 500, 1, {1, 1, 1, 1, 1, 1, 0, 0, 0, 2}, 2000},
        {"3 sorts, 14 copies", 3, 250, 100, 14, {0, 0, 0, 0, 0, 0, 1, 3, 4, 1}, 250},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c = workedExample();
        c.set(KAD::KASO, k.sorts);
        c.set(KAD::KAALGES, 1000 * k.sorts);
        c.set(KAD::KAOMAX, k.layoutLength);
        c.set(KAD::KAOMIN, k.layoutWidth);
        c.set(KAD::KAFARBE, 1.0);
        c.set(KAD::KAFASCHW, 0.0);
        ASSERT_TRUE(runMachineCalculation(c).completed());
        EXPECT_EQ(c.get(KAD::KAST), k.copiesPerSheet);
        expectRows(c, k.rows);
        EXPECT_EQ(c.get(KAD::KADR), k.printsPerPass);
    }
}

TEST(MachineCalculation, CopiesPerSheetKeepTheLastOrientationsColumnsAndRows)
{
    struct Case
    {
        double layoutLength, layoutWidth;
        double copies, x, y;
    };
    const Case cases[] = {
        {297, 210, 4, 1, 3},  // A wins, B counted last
        {250, 100, 14, 2, 7}, // B wins
        {600, 400, 1, 1, 1},  // only A fits
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.layoutLength);
        RecordBuffer c = workedExample();
        c.set(KAD::KAOMAX, k.layoutLength);
        c.set(KAD::KAOMIN, k.layoutWidth);
        ASSERT_TRUE(runMachineCalculation(c).completed());
        EXPECT_EQ(c.get(KAD::KAST), k.copies);
        EXPECT_EQ(c.get(KAD::KAX), k.x);
        EXPECT_EQ(c.get(KAD::KAY), k.y);
    }
}

TEST(MachineCalculation, ManySortsAreWorkedOutWithoutGoingSheetBySheet)
{
    RecordBuffer c = workedExample();
    c.set(KAD::KASO, 1e12);
    c.set(KAD::KAAL, 1.0);
    c.set(KAD::KAALGES, 1e12);
    ASSERT_TRUE(runMachineCalculation(c).completed());
    EXPECT_EQ(c.get(KAD::N1ANZ), 249999999999);
    EXPECT_EQ(c.get(KAD::N3SORT), 4);
    EXPECT_EQ(c.get(KAD::N3STCK), 1);
    EXPECT_EQ(c.get(KAD::NGES), 250000000000);
}

TEST(MachineCalculation, LayoutTypedWidthFirstIsStoredLongerSideFirst)
{
    RecordBuffer c = workedExample();
    c.set(KAD::KAOMAX, 210.0);
    c.set(KAD::KAOMIN, 297.0);
    ASSERT_TRUE(runMachineCalculation(c).completed());
    EXPECT_EQ(c.get(KAD::KAOMAX), 297);
    EXPECT_EQ(c.get(KAD::KAOMIN), 210);
    EXPECT_EQ(c.get(KAD::KAST), 4);
}

TEST(MachineCalculation, ChecksStopBeforeAnythingIsComputed)
{
    struct Case
    {
        const char *name;
        void (*spoil)(RecordBuffer &);
        CalcCheck check;
        CalcFocus focus;
        bool closes;
    };
    const Case cases[] = {
        {"no machine length",
         [](RecordBuffer &c) { c.set(KAD::KAMMAX, 0.0); },
         CalcCheck::NoMachine,
         CalcFocus::MachineList,
         false},
        {"no machine width",
         [](RecordBuffer &c) { c.set(KAD::KAMMIN, 0.0); },
         CalcCheck::NoMachine,
         CalcFocus::MachineList,
         false},
        {"machine without colours",
         [](RecordBuffer &c) { c.set(KAD::KAMFARB, 0.0); },
         CalcCheck::NoMachineColours,
         CalcFocus::MachineList,
         false},
        {"no layout length",
         [](RecordBuffer &c) { c.set(KAD::KAOMAX, 0.0); },
         CalcCheck::NoLayoutLength,
         CalcFocus::LayoutLength,
         false},
        {"no layout width",
         [](RecordBuffer &c) { c.set(KAD::KAOMIN, 0.0); },
         CalcCheck::NoLayoutWidth,
         CalcFocus::LayoutWidth,
         false},
        {"negative layout width",
         [](RecordBuffer &c) { c.set(KAD::KAOMIN, -210.0); },
         CalcCheck::NoLayoutWidth,
         CalcFocus::LayoutWidth,
         false},
        {"no sorts",
         [](RecordBuffer &c) { c.set(KAD::KASO, 0.0); },
         CalcCheck::NoSorts,
         CalcFocus::Sorts,
         false},
        {"no colours, black included",
         [](RecordBuffer &c) { c.set(KAD::KAFARBE, 0.0); },
         CalcCheck::NoColours,
         CalcFocus::Colours,
         false},
        {"negative run per sort",
         [](RecordBuffer &c) { c.set(KAD::KAAL, -500.0); },
         CalcCheck::NegativeRun,
         CalcFocus::Run,
         false},
        {"negative total run",
         [](RecordBuffer &c) { c.set(KAD::KAALGES, -3000.0); },
         CalcCheck::NegativeRun,
         CalcFocus::Run,
         false},
        {"longer than the sheet",
         [](RecordBuffer &c) {
             c.set(KAD::KAOMAX, 720.0);
             c.set(KAD::KAOMIN, 100.0);
         },
         CalcCheck::NotPrintable,
         CalcFocus::None,
         true},
        {"fits in neither orientation",
         [](RecordBuffer &c) {
             c.set(KAD::KAOMAX, 600.0);
             c.set(KAD::KAOMIN, 550.0);
         },
         CalcCheck::LayoutFitsNowhere,
         CalcFocus::LayoutWidth,
         false},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c = workedExample();
        c.set(KAD::KAAL, 0.0); // would be corrected if the calculation went on
        c.set(KAD::N2ANZ, 7.0);
        c.set(KAD::KADRPR, 12.34);
        k.spoil(c);
        const RecordBuffer before = c;
        const MachineCalculationOutcome outcome = runMachineCalculation(c);
        EXPECT_FALSE(outcome.completed());
        EXPECT_EQ(outcome.stoppedBy, k.check);
        EXPECT_EQ(outcome.focus, k.focus);
        EXPECT_EQ(outcome.closesForm(), k.closes);
        EXPECT_TRUE(outcome.notices.empty());
        EXPECT_TRUE(c == before);
        const CalcMessage message = checkMessage(k.check);
        EXPECT_FALSE(message.title.empty());
        EXPECT_FALSE(message.text.empty());
        EXPECT_TRUE(message.beep);
    }
}

TEST(MachineCalculation, LongerSideAfterTheSwapIsCheckedAgainstTheSheetLength)
{
    RecordBuffer c = workedExample();
    c.set(KAD::KAOMAX, 100.0);
    c.set(KAD::KAOMIN, 720.0);
    const MachineCalculationOutcome outcome = runMachineCalculation(c);
    EXPECT_EQ(outcome.stoppedBy, CalcCheck::NotPrintable);
    EXPECT_TRUE(outcome.closesForm());
}

TEST(MachineCalculation, RunPerSortGovernsTheTotal)
{
    struct Case
    {
        const char *name;
        double run, total, sorts;
        double runAfter, totalAfter;
        std::vector<RunNotice> notices;
    };
    const Case cases[] = {
        {"matching", 1000, 3000, 3, 1000, 3000, {}},
        {"total does not match", 1000, 2500, 3, 1000, 3000, {RunNotice::TotalCorrected}},
        {"total missing", 1000, 0, 3, 1000, 3000, {RunNotice::TotalComputed}},
        {"run per sort missing", 0, 1001, 2, 501, 1002, {RunNotice::RunPerSortDerived}},
        {"run per sort rounded down", 0, 1000, 3, 333, 999, {RunNotice::RunPerSortDerived}},
        {"both missing", 0, 0, 3, 0, 0, {}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c = workedExample();
        c.set(KAD::KAAL, k.run);
        c.set(KAD::KAALGES, k.total);
        c.set(KAD::KASO, k.sorts);
        const MachineCalculationOutcome outcome = runMachineCalculation(c);
        ASSERT_TRUE(outcome.completed());
        EXPECT_EQ(c.get(KAD::KAAL), k.runAfter);
        EXPECT_EQ(c.get(KAD::KAALGES), k.totalAfter);
        EXPECT_EQ(outcome.notices, k.notices);
    }
}

TEST(MachineCalculation, PassesColourChangesAndSides)
{
    struct Case
    {
        const char *name;
        double colours, black, machineColours, sides;
        double prints, printsBothSides, colourChangePrice, printPrice, minutes;
    };
    // One sheet of 3 sorts, 1000 each: 1000 prints a pass; 0.02 a print, 15.00 and 10 min
    // a colour change, 20 min plate set-up, 6000 prints an hour.
    const Case cases[] = {
        {"5 colours on a 4-colour machine", 5, 1, 4, 1, 2000, 2000, 60, 100, 80},
        {"4 colours on a 4-colour machine", 4, 1, 4, 1, 1000, 1000, 45, 65, 60},
        {"black alone", 1, 1, 2, 1, 1000, 1000, 0, 20, 30},
        {"one colour without black", 1, 0, 2, 1, 1000, 1000, 15, 35, 40},
        {"both sides", 4, 1, 2, 2, 2000, 4000, 45, 125, 90},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c = workedExample();
        c.set(KAD::KAFARBE, k.colours);
        c.set(KAD::KAFASCHW, k.black);
        c.set(KAD::KAMFARB, k.machineColours);
        c.set(KAD::KAVH, k.sides);
        ASSERT_TRUE(runMachineCalculation(c).completed());
        EXPECT_EQ(c.get(KAD::KADR), k.prints);
        EXPECT_EQ(c.get(KAD::KAAD), k.printsBothSides);
        EXPECT_DOUBLE_EQ(c.get(KAD::KAFAPR), k.colourChangePrice);
        EXPECT_DOUBLE_EQ(c.get(KAD::KADRPR), k.printPrice);
        EXPECT_DOUBLE_EQ(c.get(KAD::KADRZEIT), k.minutes);
    }
}

// Nothing is priced below zero: no colours with black included would take a colour change
// off the price, a negative run would print a negative number of sheets.
TEST(MachineCalculation, NoColoursOrANegativeRunIsRefusedNotPricedBelowZero)
{
    const std::pair<const char *, void (*)(RecordBuffer &)> spoilt[]
        = {{"no colours, black included",
            [](RecordBuffer &c) {
                c.set(KAD::KAFARBE, 0.0);
            }},
           {"negative run per sort",
            [](RecordBuffer &c) {
                c.set(KAD::KAAL, -1000.0);
                c.set(KAD::KAALGES, -3000.0);
            }},
           {"negative run, no total", [](RecordBuffer &c) {
                c.set(KAD::KAAL, -1000.0);
                c.set(KAD::KAALGES, 0.0);
            }}};
    for (const auto &[name, spoil] : spoilt) {
        SCOPED_TRACE(name);
        RecordBuffer c = workedExample();
        spoil(c);
        EXPECT_FALSE(runMachineCalculation(c).completed());
        EXPECT_GE(c.get(KAD::KADR), 0);
        EXPECT_GE(c.get(KAD::KAFAPR), 0);
        EXPECT_GE(c.get(KAD::KADRPR), 0);
    }
    // The print time at OK counts no colour change for black alone or no colour at all.
    RecordBuffer c(FileId::kaldruck);
    c.set(KAD::KAFAZEIT, 10.0);
    c.set(KAD::KAFASCHW, 1.0);
    EXPECT_DOUBLE_EQ(printTime(c), 0);
}

TEST(MachineCalculation, PrintPriceRoundsThePrintsButNotTheColourChanges)
{
    RecordBuffer c = workedExample();
    c.set(KAD::KAMADRPR, 0.0125); // 2000 prints: 25.00
    c.set(KAD::KAAL, 1001.0);     // 2002 prints: 25.025 → 25.03
    c.set(KAD::KAALGES, 3003.0);
    c.set(KAD::KAMAFAPR, 0.333);
    ASSERT_TRUE(runMachineCalculation(c).completed());
    EXPECT_DOUBLE_EQ(c.get(KAD::KAFAPR), 0.999);
    EXPECT_DOUBLE_EQ(c.get(KAD::KADRPR), 25.03 + 0.999);
}

TEST(MachineCalculation, TypedRowsReachTheSheetTotalUntilTheNextCalculation)
{
    RecordBuffer c = workedExample();
    ASSERT_TRUE(runMachineCalculation(c).completed());
    c.set(KAD::N2ANZ, 5.0);
    c.set(KAD::N2SORT, 1.0);
    c.set(KAD::N2STCK, 2.0);
    c.set(KAD::N6ANZ, 2.0);
    applyPageChange(c);
    EXPECT_EQ(c.get(KAD::NGES), 8);
    ASSERT_TRUE(runMachineCalculation(c).completed());
    expectRows(c, {0, 0, 0, 0, 0, 0, 1, 3, 1, 1});
}

TEST(PrintTime, WithoutMachineOnlyTheTypedTermsCount)
{
    struct Case
    {
        const char *name;
        double speed, colourMinutes, plateMinutes;
        double minutes;
    };
    // 2000 prints, 3 colour changes, 2 sheets.
    const Case cases[] = {
        {"machine", 6000, 10, 20, 20 + 30 + 40},
        {"no speed", 0, 10, 20, 30 + 40},
        {"no machine data", 0, 0, 0, 0},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c(FileId::kaldruck);
        c.set(KAD::KAMDRV, k.speed);
        c.set(KAD::KAFAZEIT, k.colourMinutes);
        c.set(KAD::KADRPLZEIT, k.plateMinutes);
        c.set(KAD::KAAD, 2000.0);
        c.set(KAD::KAFARBE, 4.0);
        c.set(KAD::KAFASCHW, 1.0);
        c.set(KAD::NGES, 2.0);
        EXPECT_DOUBLE_EQ(printTime(c), k.minutes);
    }
}

} // namespace
