#include "orders/core/linecontributions.h"

#include "totalsprinter.h"

#include "store/files/anach.h"
#include "store/files/atran.h"
#include "store/files/aufpap.h"
#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orders;

namespace {

// The running sums of an order that has been worked on for a while.
OrderWorkingTotals runningOrder()
{
    OrderWorkingTotals t;
    t.WorkPrint = 120;
    t.WorkColourChange = 45;
    t.WorkSheets = 4;
    t.WorkPrintMinutes = 100;
    t.WorkHours = 1;
    t.WorkMinutes = 40;
    t.WorkPaper = 60.25;
    t.WorkTypesetting = 30;
    t.WorkExtras = 25;
    t.WorkExtrasText = "(Falzen...etc.)";
    t.WorkTransport = 20;
    t.WorkNet = 255.25;
    t.WorkDiscountPercent = 5;
    return t;
}

void setCalculation(Records &records,
                    double printPrice,
                    double colourChange,
                    double sheets,
                    double minutes,
                    double paper,
                    double typesetting)
{
    records.set(KAD::KADRPR, printPrice);
    records.set(KAD::KAFAPR, colourChange);
    records.set(KAD::NGES, sheets);
    records.set(KAD::KADRZEIT, minutes);
    records.set(KAD::APENDPR, paper);
    records.set(KAD::ASGPR, typesetting);
}

TEST(LineContributions, EachKindMovesOnlyItsOwnSums)
{
    Records records;
    setCalculation(records, 85, 45, 1, 70, 12.5, 8);
    records.set(APA::APENDPR, 7.25);
    records.set(ANA::ANGPR, 11);
    records.set(ATR::ATGPR, 3.5);

    struct Case
    {
        LineKind kind;
        OrderWorkingTotals (*expectAdded)(OrderWorkingTotals);
    };
    const Case cases[] = {
        {LineKind::PrintCalculation,
         [](OrderWorkingTotals t) {
             t.WorkPrint += 85;
             t.WorkColourChange += 45;
             t.WorkSheets += 1;
             t.WorkPrintMinutes += 70;
             t.WorkPaper += 12.5;
             t.WorkTypesetting += 8;
             return t;
         }},
        {LineKind::PaperLine,
         [](OrderWorkingTotals t) {
             t.WorkPaper += 7.25;
             return t;
         }},
        {LineKind::ExtrasLine,
         [](OrderWorkingTotals t) {
             t.WorkExtras += 11;
             return t;
         }},
        {LineKind::TransportLine,
         [](OrderWorkingTotals t) {
             t.WorkTransport += 3.5;
             return t;
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        OrderWorkingTotals t = runningOrder();
        AddLine(t, c.kind, records);
        EXPECT_EQ(t, c.expectAdded(runningOrder()));
        SubtractLine(t, c.kind, records);
        EXPECT_EQ(t, runningOrder());
    }
}

TEST(LineContributions, SubtractionStopsAtZero)
{
    Records records;
    setCalculation(records, 500, 50, 9, 30, 70, 40);
    records.set(APA::APENDPR, 80.0);
    records.set(ANA::ANGPR, 30.0);
    records.set(ATR::ATGPR, 35.0);

    OrderWorkingTotals t = runningOrder();
    SubtractLine(t, LineKind::TransportLine, records);
    EXPECT_EQ(t.WorkTransport, 0);
    SubtractLine(t, LineKind::ExtrasLine, records);
    EXPECT_EQ(t.WorkExtras, 0);
    SubtractLine(t, LineKind::PaperLine, records);
    EXPECT_EQ(t.WorkPaper, 0);

    t = runningOrder();
    SubtractLine(t, LineKind::PrintCalculation, records);
    EXPECT_EQ(t.WorkPrint, 0);
    EXPECT_EQ(t.WorkColourChange, 0);
    EXPECT_EQ(t.WorkSheets, 0);
    EXPECT_EQ(t.WorkPaper, 0);
    EXPECT_EQ(t.WorkTypesetting, 0);
    // Minutes left over keep the old split until it is run again.
    EXPECT_DOUBLE_EQ(t.WorkPrintMinutes, 70);
    EXPECT_DOUBLE_EQ(t.WorkHours, 1);
    EXPECT_DOUBLE_EQ(t.WorkMinutes, 40);
}

TEST(LineContributions, PrintTimeAtOrBelowZeroClearsHoursAndMinutes)
{
    for (const double minutes : {100.0, 130.0}) {
        SCOPED_TRACE(minutes);
        Records records;
        setCalculation(records, 0, 0, 0, minutes, 0, 0);
        OrderWorkingTotals t = runningOrder();
        SubtractLine(t, LineKind::PrintCalculation, records);
        EXPECT_EQ(t.WorkPrintMinutes, 0);
        EXPECT_EQ(t.WorkHours, 0);
        EXPECT_EQ(t.WorkMinutes, 0);
    }
}

TEST(LineContributions, OpeningAndCancellingALineLeavesEveryValueUnchanged)
{
    struct Case
    {
        const char *name;
        LineKind kind;
        void (*fill)(Records &);
    };
    const Case cases[] = {
        {"new calculation",
         LineKind::PrintCalculation,
         [](Records &) {
         }},
        {"stored calculation",
         LineKind::PrintCalculation,
         [](Records &r) {
             setCalculation(r, 85.37, 45, 1, 70, 12.13, 8.01);
         }},
        {"only calculation, print time cleared",
         LineKind::PrintCalculation,
         [](Records &r) {
             setCalculation(r, 120, 45, 4, 100, 60.25, 30);
         }},
        {"calculation larger than the sums",
         LineKind::PrintCalculation,
         [](Records &r) {
             setCalculation(r, 999, 99, 9, 999, 99, 99);
         }},
        {"paper line",
         LineKind::PaperLine,
         [](Records &r) {
             r.set(APA::APENDPR, 17.33);
         }},
        {"additional work",
         LineKind::ExtrasLine,
         [](Records &r) {
             r.set(ANA::ANGPR, 40.0);
         }},
        {"transport above the sum",
         LineKind::TransportLine,
         [](Records &r) {
             r.set(ATR::ATGPR, 35.0);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Records records;
        c.fill(records);
        OrderWorkingTotals t = runningOrder();
        const LineTakeOut takeOut = SubtractLine(t, c.kind, records);
        PutBackLine(t, takeOut);
        EXPECT_EQ(t, runningOrder());
    }
}

TEST(LineContributions, PutBackLeavesOtherSumsAsTheyAreNow)
{
    Records records;
    records.set(ATR::ATGPR, 5.0);
    OrderWorkingTotals t = runningOrder();
    const LineTakeOut takeOut = SubtractLine(t, LineKind::TransportLine, records);
    t.WorkDiscountPercent = 8;
    PutBackLine(t, takeOut);
    EXPECT_DOUBLE_EQ(t.WorkTransport, 20);
    EXPECT_DOUBLE_EQ(t.WorkDiscountPercent, 8);
}

TEST(LineContributions, ChangingALineReplacesItsOldContribution)
{
    Records records;
    setCalculation(records, 85, 45, 1, 70, 12.5, 8);
    OrderWorkingTotals t = runningOrder();
    SubtractLine(t, LineKind::PrintCalculation, records);
    setCalculation(records, 100, 30, 2, 80, 12.5, 0);
    AddLine(t, LineKind::PrintCalculation, records);
    SplitPrintTime(t);
    EXPECT_DOUBLE_EQ(t.WorkPrint, 135);
    EXPECT_DOUBLE_EQ(t.WorkColourChange, 30);
    EXPECT_DOUBLE_EQ(t.WorkSheets, 5);
    EXPECT_DOUBLE_EQ(t.WorkPrintMinutes, 110);
    EXPECT_DOUBLE_EQ(t.WorkHours, 1);
    EXPECT_DOUBLE_EQ(t.WorkMinutes, 50);
    EXPECT_DOUBLE_EQ(t.WorkTypesetting, 22);
}

TEST(SumOrderLines, SumsEveryLineAfreshWhateverTheTotalsHeld)
{
    std::vector<RecordBuffer> calculations(2, RecordBuffer(FileId::kaldruck));
    calculations[0].set(KAD::KADRPR, 85.0);
    calculations[0].set(KAD::KAFAPR, 45.0);
    calculations[0].set(KAD::NGES, 1.0);
    calculations[0].set(KAD::KADRZEIT, 70.0);
    calculations[0].set(KAD::APENDPR, 10.0);
    calculations[0].set(KAD::ASGPR, 84.0);
    calculations[1].set(KAD::KADRPR, 40.0);
    calculations[1].set(KAD::NGES, 3.0);
    calculations[1].set(KAD::KADRZEIT, 20.0);
    std::vector<RecordBuffer> paper(1, RecordBuffer(FileId::aufpap));
    paper[0].set(APA::APENDPR, 5.0);
    std::vector<RecordBuffer> extras(2, RecordBuffer(FileId::anach));
    extras[0].set(ANA::ANGPR, 180.0);
    extras[1].set(ANA::ANGPR, 20.0);
    std::vector<RecordBuffer> transport(1, RecordBuffer(FileId::atran));
    transport[0].set(ATR::ATGPR, 12.0);

    OrderWorkingTotals t = runningOrder();
    SumOrderLines(t, {calculations, paper, extras, transport});
    EXPECT_DOUBLE_EQ(t.WorkPrint, 125);
    EXPECT_DOUBLE_EQ(t.WorkColourChange, 45);
    EXPECT_DOUBLE_EQ(t.WorkSheets, 4);
    EXPECT_DOUBLE_EQ(t.WorkPrintMinutes, 90);
    EXPECT_DOUBLE_EQ(t.WorkHours, 1);
    EXPECT_DOUBLE_EQ(t.WorkMinutes, 30);
    EXPECT_DOUBLE_EQ(t.WorkPaper, 15);
    EXPECT_DOUBLE_EQ(t.WorkTypesetting, 84);
    EXPECT_DOUBLE_EQ(t.WorkExtras, 200);
    EXPECT_DOUBLE_EQ(t.WorkTransport, 12);

    SumOrderLines(t, {});
    EXPECT_EQ(t.WorkPrint + t.WorkPaper + t.WorkExtras + t.WorkTransport + t.WorkTypesetting
                  + t.WorkSheets + t.WorkColourChange + t.WorkPrintMinutes + t.WorkHours,
              0);
}

TEST(ExtrasText, AfterSavingALine)
{
    struct Case
    {
        const char *name;
        double extras;
        const char *description;
        const char *text;
    };
    const Case cases[] = {
        {"short", 30, "Schneiden", "(Schneiden...etc.)"},
        {"cut to 26 characters",
         30,
         "Falzen und Heften der Broschüren mit Umschlag",
         "(Falzen und Heften der Bros...etc.)"},
        {"umlaut counts as one character",
         30,
         "Überzug für Fächer äußerst sorgfältig",
         "(Überzug für Fächer äußerst...etc.)"},
        {"leading blanks stay", 30, "  Heften", "(  Heften...etc.)"},
        {"no additional work left", 0, "Schneiden", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Records records;
        records.set(ANA::ANBEZ, c.description);
        OrderWorkingTotals t;
        t.WorkExtras = c.extras;
        t.WorkExtrasText = "(alt...etc.)";
        SetExtrasTextAfterSave(t, records);
        EXPECT_EQ(t.WorkExtrasText, c.text);
    }
}

TEST(ExtrasText, RebuiltFromTheSelectedLine)
{
    struct Case
    {
        const char *description;
        const char *text;
    };
    const Case cases[] = {
        {"  Schneiden  ", "(Schneiden...etc.)"},
        {"   Falzen und Heften der Broschüren", "(Falzen und Heften der Bros...etc.)"},
        {"     ", ""},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.description);
        OrderWorkingTotals t;
        t.WorkExtrasText = "(alt...etc.)";
        RebuildExtrasText(t, c.description);
        EXPECT_EQ(t.WorkExtrasText, c.text);
    }
}

} // namespace
