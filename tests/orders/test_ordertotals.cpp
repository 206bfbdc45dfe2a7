#include "orders/core/orderworkingtotals.h"

#include "totalsprinter.h"

#include "base/stddate.h"
#include "store/files/auftrag.h"
#include "store/files/kunde.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

using namespace orders;

namespace {

constexpr double kVat = 1.19;
const rt::StdDate kInvoiceDate = rt::dateFromYmd(2026, 3, 2);

TEST(RecomputeOrderTotals, NetDiscountGrossVatAndSkonto)
{
    struct Case
    {
        const char *name;
        double print, paper, extras, typesetting, transport;
        double discountPercent, skontoPercent;
        double net, discounted, gross, vat, cashDiscounted;
    };
    const Case cases[] = {
        {"ten percent and two percent Skonto",
         60,
         25,
         5,
         7.5,
         2.5,
         10,
         2,
         100.00,
         90.00,
         107.10,
         17.10,
         104.96},
        {"empty order", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
        {"net rounds half away from zero",
         20.005,
         13.33,
         0,
         0,
         0,
         0,
         0,
         33.34,
         33.34,
         39.67,
         6.33,
         0},
        {"discount rounds to cents", 33.33, 0, 0, 0, 0, 3, 3, 33.33, 32.33, 38.47, 6.14, 37.32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Records records;
        records.set(AUF::SKPROZ, c.skontoPercent);
        OrderWorkingTotals t;
        t.WorkPrint = c.print;
        t.WorkPaper = c.paper;
        t.WorkExtras = c.extras;
        t.WorkTypesetting = c.typesetting;
        t.WorkTransport = c.transport;
        t.WorkDiscountPercent = c.discountPercent;
        RecomputeOrderTotals(t, records, kVat);
        EXPECT_DOUBLE_EQ(t.WorkNet, c.net);
        EXPECT_DOUBLE_EQ(t.WorkDiscounted, c.discounted);
        EXPECT_DOUBLE_EQ(t.WorkGross, c.gross);
        EXPECT_NEAR(t.WorkVat, c.vat, 1e-9);
        EXPECT_DOUBLE_EQ(t.WorkCashDiscounted, c.cashDiscounted);
        EXPECT_EQ(t.SkontoShown, c.skontoPercent > 0);
    }
}

TEST(RecomputeOrderTotals, ColourChangeNeverEntersTheNet)
{
    Records records;
    OrderWorkingTotals t;
    t.WorkPrint = 85.00;
    t.WorkColourChange = 45.00;
    RecomputeOrderTotals(t, records, kVat);
    EXPECT_DOUBLE_EQ(t.WorkNet, 85.00);
    EXPECT_DOUBLE_EQ(t.WorkColourChange, 45.00);
}

TEST(RecomputeOrderTotals, SkontoDateOnlyWithSkontoAndCashAmountKeptWithout)
{
    Records records;
    records.set(AUF::FREDAT, kInvoiceDate);
    records.set(AUF::SKONTAGE, 10.0);
    records.set(AUF::SKPROZ, 3.0);
    OrderWorkingTotals t;
    t.WorkPrint = 100;
    RecomputeOrderTotals(t, records, kVat);
    EXPECT_TRUE(t.SkontoShown);
    EXPECT_EQ(t.SkontoDate, kInvoiceDate + 10);
    EXPECT_DOUBLE_EQ(t.WorkCashDiscounted, 115.43); // 119.00 - 3.57

    records.set(AUF::SKPROZ, 0.0);
    t.WorkPrint = 200;
    RecomputeOrderTotals(t, records, kVat);
    EXPECT_FALSE(t.SkontoShown);
    EXPECT_EQ(t.SkontoDate, 0);
    EXPECT_DOUBLE_EQ(t.WorkGross, 238.00);
    EXPECT_DOUBLE_EQ(t.WorkCashDiscounted, 115.43);
}

TEST(RecomputeDiscount, StartsFromTheCurrentNetNotFromTheSums)
{
    Records records;
    OrderWorkingTotals t;
    t.WorkPrint = 500;
    t.WorkNet = 100;
    t.WorkDiscountPercent = 10;
    RecomputeDiscount(t, records, kVat);
    EXPECT_DOUBLE_EQ(t.WorkNet, 100);
    EXPECT_DOUBLE_EQ(t.WorkDiscounted, 90);
    EXPECT_DOUBLE_EQ(t.WorkGross, 107.10);
}

TEST(SplitPrintTime, HoursAreRoundedThenMinutesMadeNonNegative)
{
    struct Case
    {
        double minutes;
        double expectMinutesTotal, hours, rest;
    };
    const Case cases[] = {
        {59.5, 59.5, 0, 59.5},
        {60, 60, 1, 0},
        {90, 90, 1, 30},
        {45, 45, 0, 45},
        {150, 150, 2, 30},
        {0, 0, 0, 0},
        {-12, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.minutes);
        OrderWorkingTotals t;
        t.WorkPrintMinutes = c.minutes;
        t.WorkHours = 7;
        t.WorkMinutes = 7;
        SplitPrintTime(t);
        EXPECT_DOUBLE_EQ(t.WorkPrintMinutes, c.expectMinutesTotal);
        EXPECT_DOUBLE_EQ(t.WorkHours, c.hours);
        EXPECT_DOUBLE_EQ(t.WorkMinutes, c.rest);
    }
}

TEST(DueDates, PaymentPeriodOrFourteenDaysAndSkontoDate)
{
    struct Case
    {
        const char *name;
        rt::StdDate invoiceDate;
        double paymentDays, skontoDays, skontoPercent;
        rt::StdDate due, skonto;
    };
    const Case cases[] = {
        {"no payment period", kInvoiceDate, 0, 0, 0, kInvoiceDate + 14, 0},
        {"thirty days", kInvoiceDate, 30, 0, 0, kInvoiceDate + 30, 0},
        {"Skonto", kInvoiceDate, 30, 8, 2, kInvoiceDate + 30, kInvoiceDate + 8},
        {"Skonto days without percent", kInvoiceDate, 30, 8, 0, kInvoiceDate + 30, 0},
        {"no invoice date", 0, 30, 8, 2, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Records records;
        records.set(AUF::FREDAT, c.invoiceDate);
        records.set(AUF::ZAZTAGE, c.paymentDays);
        records.set(AUF::SKONTAGE, c.skontoDays);
        records.set(AUF::SKPROZ, c.skontoPercent);
        OrderWorkingTotals t;
        DueDates(t, records);
        EXPECT_EQ(t.DueDate, c.due);
        EXPECT_EQ(t.SkontoDate, c.skonto);
    }
}

TEST(LoadOrderWorkingTotals, EmptyOrderGivesZeroAmountsAndDueDateInFourteenDays)
{
    Records records;
    records.set(AUF::FREDAT, kInvoiceDate);
    OrderWorkingTotals t;
    t.WorkPrint = 99; // left over from an earlier order form
    t.WorkExtrasText = "(alt...etc.)";
    EXPECT_FALSE(LoadOrderWorkingTotals(t, records));
    RecomputeOrderTotals(t, records, kVat);
    OrderWorkingTotals expected;
    expected.DueDate = kInvoiceDate + 14;
    EXPECT_EQ(t, expected);
}

TEST(LoadOrderWorkingTotals, CustomerDiscountTakenOverOnlyIntoAnOrderWithout)
{
    struct Case
    {
        const char *name;
        double orderDiscount, customerDiscount;
        bool takenOver;
        double discountAfter;
    };
    const Case cases[] = {
        {"order without discount", 0, 5, true, 5},
        {"order with its own", 3, 5, false, 3},
        {"customer without discount", 0, 0, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Records records;
        records.set(AUF::FRABATT, c.orderDiscount);
        records.set(KUN::KRAB, c.customerDiscount);
        OrderWorkingTotals t;
        EXPECT_EQ(LoadOrderWorkingTotals(t, records), c.takenOver);
        EXPECT_DOUBLE_EQ(records.get(AUF::FRABATT), c.discountAfter);
        EXPECT_DOUBLE_EQ(t.WorkDiscountPercent, c.discountAfter);
    }
}

TEST(LoadOrderWorkingTotals, MirrorsTheOrderAndRecomputesTheSkontoAmount)
{
    Records records;
    const struct
    {
        RealField field;
        double value;
        double OrderWorkingTotals::*work;
    } mirrored[] = {
        {AUF::NGES, 3, &OrderWorkingTotals::WorkSheets},
        {AUF::DRUCPR, 85, &OrderWorkingTotals::WorkPrint},
        {AUF::PAPPR, 12.5, &OrderWorkingTotals::WorkPaper},
        {AUF::NACHPR, 30, &OrderWorkingTotals::WorkExtras},
        {AUF::SATZPR, 40, &OrderWorkingTotals::WorkTypesetting},
        {AUF::TRANPR, 15, &OrderWorkingTotals::WorkTransport},
        {AUF::NETTO, 182.5, &OrderWorkingTotals::WorkNet},
        {AUF::BRUTTO, 217.18, &OrderWorkingTotals::WorkGross},
        {AUF::RABPREIS, 182.5, &OrderWorkingTotals::WorkDiscounted},
        {AUF::DRZEIT, 70, &OrderWorkingTotals::WorkPrintMinutes},
        {AUF::DRZEITH, 1, &OrderWorkingTotals::WorkHours},
        {AUF::DRZEITM, 10, &OrderWorkingTotals::WorkMinutes},
        {AUF::MWST, 34.68, &OrderWorkingTotals::WorkVat},
        {AUF::FRABATT, 4, &OrderWorkingTotals::WorkDiscountPercent},
        {AUF::FARBWEPR, 45, &OrderWorkingTotals::WorkColourChange},
    };
    for (const auto &m : mirrored)
        records.set(m.field, m.value);
    records.set(AUF::SKONPREIS, 1.23);
    records.set(AUF::SKPROZ, 2.0);
    records.set(AUF::NACHTXT, "(Falzen...etc.)");

    OrderWorkingTotals t;
    LoadOrderWorkingTotals(t, records);
    for (const auto &m : mirrored)
        EXPECT_DOUBLE_EQ(t.*m.work, m.value)
            << records[FileId::auftrag].def().fields[m.field.index].name;
    EXPECT_EQ(t.WorkExtrasText, "(Falzen...etc.)");
    EXPECT_DOUBLE_EQ(t.WorkCashDiscounted, 212.84); // 217.18 - 4.3436
    EXPECT_TRUE(t.SkontoShown);

    // Without Skonto the stored amount stands; without additional work the text is dropped.
    records.set(AUF::SKPROZ, 0.0);
    records.set(AUF::NACHPR, 0.0);
    LoadOrderWorkingTotals(t, records);
    EXPECT_DOUBLE_EQ(t.WorkCashDiscounted, 1.23);
    EXPECT_EQ(t.WorkExtrasText, "");
    EXPECT_FALSE(t.SkontoShown);
}

// Working totals of an order with net 100.00 and 10 % discount whose Skonto amount on the
// form is stale.
OrderWorkingTotals hundredNet()
{
    OrderWorkingTotals t;
    t.WorkPrint = 60;
    t.WorkPaper = 40;
    t.WorkColourChange = 12;
    t.WorkDiscountPercent = 10;
    t.WorkDiscounted = 1;
    t.WorkCashDiscounted = 50;
    t.WorkPrintMinutes = 90;
    t.WorkExtras = 0;
    t.WorkExtrasText = "(Schneiden...etc.)";
    return t;
}

TEST(StoreOrderTotals, SaveRecomputesSkontoPrintKeepsTheWorkingAmount)
{
    struct Case
    {
        StoreMode mode;
        double skontoPercent;
        double skontoStored;
        double workDiscountedAfter;
    };
    const Case cases[] = {
        {StoreMode::Save, 2, 104.96, 1},
        {StoreMode::Save, 0, 107.10, 1},
        {StoreMode::Print, 2, 50, 90},
        {StoreMode::DetailedSave, 2, 104.96, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " at " << c.skontoPercent);
        Records records;
        records.set(AUF::SKPROZ, c.skontoPercent);
        OrderWorkingTotals t = hundredNet();
        StoreOrderTotals(t, records, c.mode, kVat);
        EXPECT_DOUBLE_EQ(records.get(AUF::NETTO), 100);
        EXPECT_DOUBLE_EQ(records.get(AUF::RABPREIS), 90);
        EXPECT_DOUBLE_EQ(records.get(AUF::BRUTTO), 107.10);
        EXPECT_NEAR(records.get(AUF::MWST), 17.10, 1e-9);
        EXPECT_DOUBLE_EQ(records.get(AUF::SKONPREIS), c.skontoStored);
        EXPECT_DOUBLE_EQ(t.WorkDiscounted, c.workDiscountedAfter);
        EXPECT_DOUBLE_EQ(records.get(AUF::FRABATT), 10);
    }
}

TEST(StoreOrderTotals, DetailedFormKeepsColourChangeSummaryTextAndPrintTime)
{
    for (const StoreMode mode : {StoreMode::Save, StoreMode::DetailedSave}) {
        const bool detailed = mode == StoreMode::DetailedSave;
        SCOPED_TRACE(detailed ? "detailed" : "save");
        Records records;
        records.set(AUF::FARBWEPR, 7.0);
        records.set(AUF::NACHTXT, "(alt...etc.)");
        records.set(AUF::DRZEIT, 5.0);
        records.set(AUF::DRZEITH, 0.0);
        records.set(AUF::DRZEITM, 5.0);
        OrderWorkingTotals t = hundredNet();
        t.WorkExtras = 20;
        StoreOrderTotals(t, records, mode, kVat);
        EXPECT_DOUBLE_EQ(records.get(AUF::FARBWEPR), detailed ? 7 : 12);
        EXPECT_EQ(records.get(AUF::NACHTXT), detailed ? "(alt...etc.)" : "(Schneiden...etc.)");
        EXPECT_DOUBLE_EQ(records.get(AUF::DRZEIT), detailed ? 5 : 90);
        EXPECT_DOUBLE_EQ(records.get(AUF::DRZEITH), detailed ? 0 : 1);
        EXPECT_DOUBLE_EQ(records.get(AUF::DRZEITM), detailed ? 5 : 30);
        EXPECT_DOUBLE_EQ(records.get(AUF::NETTO), 120);
    }
}

TEST(StoreOrderTotals, SummaryTextOnlyWithAdditionalWork)
{
    Records records;
    records.set(AUF::NACHTXT, "(alt...etc.)");
    OrderWorkingTotals t = hundredNet();
    StoreOrderTotals(t, records, StoreMode::Save, kVat);
    EXPECT_EQ(records.get(AUF::NACHTXT), "");
    EXPECT_DOUBLE_EQ(records.get(AUF::NETTO), 100);
    EXPECT_DOUBLE_EQ(records.get(AUF::FARBWEPR), 12);
}

} // namespace
