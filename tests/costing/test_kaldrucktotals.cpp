// The print calculation's share of its order's totals: taken out when its form opens, put in
// once when the record was written, put back when the form is left; and for a calculation of
// an order other than the open one, the stored totals of its own order instead.

#include "costing/forms/kaldrucktotals.h"

#include "store/filemanager.h"
#include "store/files.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

namespace {

using orders::OrderWorkingTotals;

RecordBuffer calculation(const std::string &orderId, double print, double minutes, double sheets)
{
    RecordBuffer c(FileId::kaldruck);
    c.set(KAD::KAAID, "K1");
    c.set(KAD::KAUFID, orderId);
    c.set(KAD::KADRPR, print);
    c.set(KAD::KAFAPR, 45.0);
    c.set(KAD::KADRZEIT, minutes);
    c.set(KAD::NGES, sheets);
    c.set(KAD::APENDPR, 12.5);
    c.set(KAD::ASGPR, 20.0);
    return c;
}

OrderWorkingTotals openOrderTotals()
{
    OrderWorkingTotals t;
    t.WorkPrint = 200;
    t.WorkColourChange = 60;
    t.WorkSheets = 3;
    t.WorkPrintMinutes = 130;
    t.WorkHours = 2;
    t.WorkMinutes = 10;
    t.WorkPaper = 40;
    t.WorkTypesetting = 30;
    return t;
}

class ContributionTest : public ::testing::Test
{
protected:
    ContributionTest()
    {
        t.add(FileId::auftrag, [](Records &r) {
            r.set(AUF::FID, "F2");
            r.set(AUF::FNR, "A-200");
            r.set(AUF::DRUCPR, 85.0);
            r.set(AUF::FARBWEPR, 45.0);
            r.set(AUF::NGES, 1.0);
            r.set(AUF::DRZEIT, 70.0);
            r.set(AUF::PAPPR, 12.5);
            r.set(AUF::SATZPR, 20.0);
            r.set(AUF::TRANPR, 10.0);
        });
    }

    RecordBuffer storedOrder(const std::string &id)
    {
        FileManager &file = t.fm(FileId::auftrag);
        file.Open();
        t.records().set(AUF::FID, id);
        EXPECT_EQ(file.FetchQuiet(AUF::Keyfid), Level::Benign);
        RecordBuffer found = t.records()[FileId::auftrag];
        file.Close();
        return found;
    }

    StoreFixture t;
};

TEST_F(ContributionTest, OpenOrderLosesTheOldShareAndGainsTheNewOnceOnly)
{
    OrderWorkingTotals working = openOrderTotals();
    t.records()[FileId::kaldruck] = calculation("F1", 85, 70, 1);
    CalculationContribution share;
    share.open(working, "F1", t.records());
    EXPECT_TRUE(share.forOpenOrder());
    EXPECT_EQ(working.WorkPrint, 115);
    EXPECT_EQ(working.WorkPrintMinutes, 60);
    EXPECT_EQ(working.WorkTypesetting, 10);

    t.records()[FileId::kaldruck] = calculation("F1", 100, 95, 2);
    share.accepted(working, *t.store, 1.19);
    // A second OK after a failed write must not count the calculation again.
    share.accepted(working, *t.store, 1.19);
    share.left(working);
    EXPECT_EQ(working.WorkPrint, 215);
    EXPECT_EQ(working.WorkSheets, 4);
    EXPECT_EQ(working.WorkPrintMinutes, 155);
    EXPECT_EQ(working.WorkHours, 2);
    EXPECT_EQ(working.WorkMinutes, 35);
    EXPECT_EQ(working.WorkTypesetting, 30);
    EXPECT_GT(working.WorkNet, 0) << "the derived amounts follow the sums";
}

TEST_F(ContributionTest, LeavingPutsBackExactlyWhatOpeningTookEvenBelowZero)
{
    // Sums smaller than the calculation's share stop at 0 when it is taken out; leaving must
    // restore them, not add the share to 0.
    OrderWorkingTotals working;
    working.WorkPrint = 50;
    working.WorkPrintMinutes = 30;
    working.WorkHours = 0;
    working.WorkMinutes = 30;
    const OrderWorkingTotals before = working;
    t.records()[FileId::kaldruck] = calculation("F1", 85, 70, 1);
    CalculationContribution share;
    share.open(working, "F1", t.records());
    EXPECT_EQ(working.WorkPrint, 0);
    EXPECT_EQ(working.WorkMinutes, 0);
    share.left(working);
    EXPECT_EQ(working, before);
}

TEST_F(ContributionTest, AnotherOrdersCalculationChangesThatOrdersStoredTotals)
{
    struct Case
    {
        const char *name;
        std::string openOrder;
    };
    const Case cases[] = {{"no order form open", ""}, {"another order's form open", "F1"}};
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        OrderWorkingTotals working = openOrderTotals();
        const RecordBuffer storedBefore = storedOrder("F2");
        t.records()[FileId::kaldruck] = calculation("F2", 85, 70, 1);
        t.records().set(AUF::FID, "F1"); // the open order's buffer stays as it is
        CalculationContribution share;
        share.open(working, k.openOrder, t.records());
        EXPECT_FALSE(share.forOpenOrder());
        t.records()[FileId::kaldruck] = calculation("F2", 100, 95, 2);
        share.accepted(working, *t.store, 1.19);
        EXPECT_EQ(working, openOrderTotals());
        EXPECT_EQ(t.records().get(AUF::FID), "F1");

        const RecordBuffer after = storedOrder("F2");
        EXPECT_EQ(after.get(AUF::DRUCPR), storedBefore.get(AUF::DRUCPR) + 15);
        EXPECT_EQ(after.get(AUF::NGES), storedBefore.get(AUF::NGES) + 1);
        EXPECT_EQ(after.get(AUF::DRZEIT), storedBefore.get(AUF::DRZEIT) + 25);
        EXPECT_EQ(after.get(AUF::DRZEITH), 1);
        EXPECT_EQ(after.get(AUF::DRZEITM), 35);
        // Print 100 + paper 12.5 + typesetting 20 + transport 10 (colour change is in print).
        const double net = after.get(AUF::DRUCPR) + after.get(AUF::PAPPR) + after.get(AUF::SATZPR)
                           + after.get(AUF::TRANPR);
        EXPECT_DOUBLE_EQ(after.get(AUF::NETTO), net);

        // Put the order back for the next case.
        FileManager &file = t.fm(FileId::auftrag);
        file.Open();
        t.records()[FileId::auftrag] = storedBefore;
        EXPECT_EQ(file.FetchQuiet(AUF::Keyfid), Level::Benign);
        t.records()[FileId::auftrag] = storedBefore;
        file.Update();
        file.Close();
    }
}

TEST_F(ContributionTest, LeavingAnotherOrdersCalculationChangesNothing)
{
    OrderWorkingTotals working = openOrderTotals();
    const RecordBuffer storedBefore = storedOrder("F2");
    t.records()[FileId::kaldruck] = calculation("F2", 85, 70, 1);
    CalculationContribution share;
    share.open(working, "F1", t.records());
    share.left(working);
    EXPECT_EQ(working, openOrderTotals());
    EXPECT_EQ(storedOrder("F2"), storedBefore);
}

TEST_F(ContributionTest, AMissingOrderIsNotWrittenAndNothingElseMoves)
{
    const RecordBuffer before = calculation("F9", 85, 70, 1);
    const RecordBuffer after = calculation("F9", 100, 95, 2);
    t.records().set(AUF::FID, "F1");
    EXPECT_FALSE(changeStoredOrderTotals(*t.store, "F9", before, after, 1.19));
    EXPECT_FALSE(changeStoredOrderTotals(*t.store, "", before, after, 1.19));
    EXPECT_EQ(t.records().get(AUF::FID), "F1");
    EXPECT_EQ(t.count(FileId::auftrag), 1);
}

} // namespace
