// What an issued invoice still owes: the rule in exact cents (Skonto on its last day and one
// day late, part payments, overpayment, a cancelled invoice), the German refusals of a
// payment, and the open items the store keeps from the documents and payments.

#include "orders/core/issueddocuments.h"
#include "orders/core/openitems.h"
#include "orders/core/payments.h"

#include "base/stddate.h"
#include "store/files.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orders;

namespace {

const rt::StdDate kInvoiceDate = rt::dateFromYmd(2026, 3, 2);
const rt::StdDate kSkontoDate = kInvoiceDate + 10;
const rt::StdDate kDueDate = kInvoiceDate + 30;

// 1.234,56 EUR with 2 % Skonto: 24,69 off.
InvoiceTerms terms(bool cancelled = false)
{
    return InvoiceTerms{.gross = 1234.56,
                        .skonto = skontoOf(1234.56, 2),
                        .invoiceDate = kInvoiceDate,
                        .dueDate = kDueDate,
                        .skontoDate = kSkontoDate,
                        .cancelled = cancelled};
}

TEST(PaymentRule, SkontoIsTheOrdersRoundedDifference)
{
    EXPECT_DOUBLE_EQ(skontoOf(1234.56, 2), 24.69);
    EXPECT_DOUBLE_EQ(skontoOf(119.0, 2), 2.38);
    EXPECT_DOUBLE_EQ(skontoOf(100.0, 3), 3.0);
    EXPECT_DOUBLE_EQ(skontoOf(100.0, 0), 0.0);
    // 0,5 % of 1,01: 1,01 − 1,00 (1,00495 rounded) leaves 0,01.
    EXPECT_DOUBLE_EQ(skontoOf(1.01, 0.5), 0.01);
}

TEST(PaymentRule, ByTable)
{
    struct Case
    {
        const char *name;
        InvoiceTerms terms;
        std::vector<Payment> payments;
        rt::StdDate today;
        PaymentStatus status;
        std::int64_t open;
        std::int64_t skonto;
        std::int64_t overpaid;
        bool overdue;
    };
    const Case cases[] = {
        {"nothing paid", terms(), {}, kInvoiceDate, PaymentStatus::Open, 123456, 0, 0, false},
        {"nothing paid on the due date",
         terms(),
         {},
         kDueDate,
         PaymentStatus::Open,
         123456,
         0,
         0,
         false},
        {"nothing paid a day after the due date",
         terms(),
         {},
         kDueDate + 1,
         PaymentStatus::Open,
         123456,
         0,
         0,
         true},
        {"paid in full",
         terms(),
         {{kDueDate, 1234.56, false}},
         kDueDate + 40,
         PaymentStatus::Paid,
         0,
         0,
         0,
         false},
        {"Skonto on the last day",
         terms(),
         {{kSkontoDate, 1209.87, true}},
         kSkontoDate,
         PaymentStatus::Paid,
         0,
         2469,
         0,
         false},
        {"Skonto one day late is not granted",
         terms(),
         {{kSkontoDate + 1, 1209.87, true}},
         kSkontoDate + 1,
         PaymentStatus::Open,
         2469,
         0,
         0,
         false},
        {"Skonto amount paid without ticking Skonto",
         terms(),
         {{kSkontoDate, 1209.87, false}},
         kSkontoDate,
         PaymentStatus::Open,
         2469,
         0,
         0,
         false},
        {"part payments in cents",
         terms(),
         {{kInvoiceDate, 1000.00, false}, {kInvoiceDate + 2, 234.55, false}},
         kDueDate + 5,
         PaymentStatus::Open,
         1,
         0,
         0,
         true},
        {"part payments that add up",
         terms(),
         {{kInvoiceDate, 0.1, false}, {kInvoiceDate, 0.2, false}, {kDueDate, 1234.26, false}},
         kDueDate,
         PaymentStatus::Paid,
         0,
         0,
         0,
         false},
        {"part payment with Skonto in time, the rest later",
         terms(),
         {{kInvoiceDate + 1, 600.00, true}, {kDueDate + 3, 609.87, false}},
         kDueDate + 3,
         PaymentStatus::Paid,
         0,
         2469,
         0,
         false},
        {"overpayment is paid, the surplus kept",
         terms(),
         {{kInvoiceDate, 1300.00, false}},
         kDueDate + 1,
         PaymentStatus::Paid,
         0,
         0,
         6544,
         false},
        {"overpayment with Skonto",
         terms(),
         {{kSkontoDate, 1234.56, true}},
         kSkontoDate,
         PaymentStatus::Paid,
         0,
         2469,
         2469,
         false},
        {"cancelled is never open",
         terms(true),
         {},
         kDueDate + 100,
         PaymentStatus::Cancelled,
         0,
         0,
         0,
         false},
        {"cancelled after a part payment",
         terms(true),
         {{kInvoiceDate, 10, false}},
         kDueDate + 1,
         PaymentStatus::Cancelled,
         0,
         0,
         0,
         false},
        {"no Skonto granted: a Skonto tick changes nothing",
         InvoiceTerms{.gross = 50, .invoiceDate = kInvoiceDate, .dueDate = kInvoiceDate},
         {{kInvoiceDate, 49, true}},
         kInvoiceDate,
         PaymentStatus::Open,
         100,
         0,
         0,
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PaymentState state = paymentState(c.terms, c.payments, c.today);
        EXPECT_EQ(state.status, c.status);
        EXPECT_EQ(state.openCents, c.open);
        EXPECT_EQ(state.skontoCents, c.skonto);
        EXPECT_EQ(state.overpaidCents, c.overpaid);
        EXPECT_EQ(state.overdue, c.overdue);
    }
}

TEST(PaymentRule, APaymentOfNothingOrBeforeTheInvoiceIsRefusedInGerman)
{
    const struct
    {
        const char *name;
        Payment payment;
        std::string message;
    } cases[] = {
        {"fine", {kInvoiceDate, 0.01, false}, ""},
        {"zero", {kInvoiceDate, 0, false}, "Der Betrag muss größer als 0,00 EUR sein."},
        {"rounds to zero",
         {kInvoiceDate, 0.004, false},
         "Der Betrag muss größer als 0,00 EUR sein."},
        {"negative", {kInvoiceDate, -5, false}, "Der Betrag muss größer als 0,00 EUR sein."},
        {"no date", {0, 5, false}, "Bitte das Datum der Zahlung eingeben."},
        {"day before the invoice",
         {kInvoiceDate - 1, 5, false},
         "Die Zahlung kann nicht vor dem Rechnungsdatum 02.03.2026 eingegangen sein."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(paymentProblem(terms(), c.payment), c.message);
    }
}

TEST(PaymentRule, AmountsReadTheGermanWay)
{
    const std::pair<std::int64_t, const char *> cases[] = {
        {0, "0,00"},
        {5, "0,05"},
        {-5, "-0,05"},
        {123456, "1.234,56"},
        {100000, "1.000,00"},
        {99999, "999,99"},
        {123456789012, "1.234.567.890,12"},
    };
    for (const auto &[cents, text] : cases)
        EXPECT_EQ(germanAmount(cents), text) << cents;
    EXPECT_EQ(toCents(0.1 + 0.2), 30);
    EXPECT_EQ(toCents(-2.675), -268);
}

TEST(PaymentRule, SkontoIsAvailableUpToItsDate)
{
    EXPECT_TRUE(skontoAvailable(terms(), kSkontoDate));
    EXPECT_FALSE(skontoAvailable(terms(), kSkontoDate + 1));
    EXPECT_FALSE(skontoAvailable(terms(true), kInvoiceDate));
    EXPECT_FALSE(skontoAvailable(InvoiceTerms{.gross = 10}, kInvoiceDate));
}

// --- Open items in the store ------------------------------------------------------------

using namespace orderfamily;

const rt::StdDate kIssued = rt::dateFromYmd(2025, 7, 15);
// The invoice date orderfamily gives: 14.07.2025; Skonto 10 days, payment 30 days.
const rt::StdDate kOrderInvoiceDate = rt::dateFromYmd(2025, 7, 14);
const rt::StdDate kSkontoUntil = rt::dateFromYmd(2025, 7, 24);
const rt::StdDate kDueOn = rt::dateFromYmd(2025, 8, 13);

struct Shop
{
    Shop()
    {
        customer(t, "K1", "Druckerei Nord");
        customer(t, "K2", "Verlag Ost");
        order(t, "F1", "K1", "A-1");
        order(t, "F2", "K2", "A-2");
        order(t, "F3", "K1", "A-3");
        issue("F1", "R-1", 119.0);
        issue("F2", "R-2", 238.0);
        issue("F3", "R-3", 59.5);
    }

    void issue(const std::string &id, const std::string &number, double gross)
    {
        invoiced(t, id, number);
        showRecord(t, FileId::auftrag, AUF::Keyfid, AUF::FID, id);
        Records &r = t.records();
        r.set(AUF::FNAME, id == "F2" ? "Verlag Ost" : "Druckerei Nord");
        r.set(AUF::NETTO, gross / 1.19);
        r.set(AUF::BRUTTO, gross);
        r.set(AUF::ZAZTAGE, 30.0);
        r.set(AUF::SKONTAGE, 10.0);
        r.set(AUF::SKPROZ, 2.0);
        EXPECT_EQ(t.fm(FileId::auftrag).Update(), Level::Benign);
        const RecordBuffer order = r[FileId::auftrag];
        t.rk(FileId::auftrag).Close();
        r[FileId::auftrag].clear();
        const IssuedBytes bytes{"%PDF " + number, {}};
        const IssueResult result
            = issueInvoice(*t.store, id, invoiceDocument(order, kIssued, 100, 1, bytes), bytes);
        EXPECT_EQ(result.outcome, IssueOutcome::Issued) << result.message;
    }

    void pay(const std::string &number, rt::StdDate date, double amount, bool skonto)
    {
        t.add(FileId::zahlung, [&](Records &r) {
            r.set(ZAH::ZRENR, number);
            r.set(ZAH::ZDAT, date);
            r.set(ZAH::ZBETRAG, amount);
            r.set(ZAH::ZSKONTO, skonto ? 1 : 0);
        });
    }

    std::vector<std::string> openNumbers()
    {
        std::vector<std::string> numbers;
        const auto items = openItems(*t.store);
        EXPECT_TRUE(items.has_value());
        for (const RecordBuffer &item : items.value_or(std::vector<RecordBuffer>{}))
            numbers.push_back(item.get(OPO::OPRENR));
        return numbers;
    }

    StoreFixture t;
};

TEST(OpenItems, EveryIssuedInvoiceIsOpenWithItsTerms)
{
    Shop shop;
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kOrderInvoiceDate + 1));
    const auto items = openItems(*shop.t.store);
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 3u);
    EXPECT_EQ(openCents(*items), 11900 + 23800 + 5950);
    const RecordBuffer &first = items->front();
    EXPECT_EQ(first.get(OPO::OPRENR), "R-1");
    EXPECT_EQ(first.get(OPO::OPKUID), "K1");
    EXPECT_EQ(first.get(OPO::OPKNAME), "Druckerei Nord");
    EXPECT_EQ(first.get(OPO::OPREDAT), kOrderInvoiceDate);
    EXPECT_EQ(first.get(OPO::OPFAELLIG), kDueOn);
    EXPECT_EQ(first.get(OPO::OPSKDAT), kSkontoUntil);
    EXPECT_DOUBLE_EQ(first.get(OPO::OPSKONTO), 2.38);
    EXPECT_DOUBLE_EQ(first.get(OPO::OPOFFEN), 119.0);
    EXPECT_EQ(first.get(OPO::OPUEBER), "");
    // Refreshing again adds nothing.
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kOrderInvoiceDate + 1));
    EXPECT_EQ(shop.t.count(FileId::posten), 3);
    EXPECT_TRUE(shop.t.presenter.shown.empty());
}

TEST(OpenItems, PaymentsSettleAndOverdueFollowsTheDay)
{
    Shop shop;
    shop.pay("R-1", kSkontoUntil, 116.62, true);     // Skonto on its last day: paid
    shop.pay("R-2", kSkontoUntil + 1, 233.24, true); // one day late: 4,76 open
    shop.pay("R-3", kOrderInvoiceDate, 20.0, false); // part payment
    shop.pay("r-3", kOrderInvoiceDate + 1, 19.5, false);
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kDueOn + 1));
    EXPECT_EQ(shop.openNumbers(), (std::vector<std::string>{"R-2", "R-3"}));
    const auto items = openItems(*shop.t.store);
    ASSERT_TRUE(items.has_value());
    EXPECT_DOUBLE_EQ(items->at(0).get(OPO::OPOFFEN), 4.76);
    EXPECT_DOUBLE_EQ(items->at(1).get(OPO::OPOFFEN), 20.0);
    EXPECT_EQ(items->at(0).get(OPO::OPUEBER), OPO::kOverdue);
    EXPECT_EQ(openCents(*items), 2476);
    EXPECT_EQ(openItemsFooter(*shop.t.store),
              "Summe noch offen: 24,76 EUR   (2 Rechnungen, davon 2 überfällig)");

    const auto standing = invoiceStanding(*shop.t.store, "R-1", kDueOn + 1);
    ASSERT_TRUE(standing.has_value());
    EXPECT_EQ(standing->state.status, PaymentStatus::Paid);
    EXPECT_EQ(standing->state.skontoCents, 238);

    // The rest of R-3 comes: only R-2 stays, and on its due date it is not overdue.
    shop.pay("R-3", kDueOn, 20.0, false);
    ASSERT_TRUE(refreshOpenItem(*shop.t.store, "R-3", kDueOn));
    ASSERT_TRUE(refreshOpenItem(*shop.t.store, "R-2", kDueOn));
    EXPECT_EQ(shop.openNumbers(), (std::vector<std::string>{"R-2"}));
    EXPECT_EQ(openItems(*shop.t.store)->front().get(OPO::OPUEBER), "");
}

TEST(OpenItems, ACancelledInvoiceLeavesTheOpenItems)
{
    Shop shop;
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kIssued));
    const auto invoice = standingInvoice(*shop.t.store, "F2");
    ASSERT_TRUE(invoice.has_value());
    const IssuedBytes bytes{"%PDF storno", {}};
    ASSERT_EQ(cancelInvoice(*shop.t.store,
                            "F2",
                            cancellationDocument(*invoice, "ST-1", kIssued + 1, 100, bytes),
                            bytes)
                  .outcome,
              IssueOutcome::Issued);
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kIssued + 1));
    EXPECT_EQ(shop.openNumbers(), (std::vector<std::string>{"R-1", "R-3"}));
    // The cancellation is no invoice of its own.
    EXPECT_EQ(shop.t.count(FileId::posten), 3);
    EXPECT_FALSE(invoiceStanding(*shop.t.store, "ST-1", kIssued).has_value());
    EXPECT_EQ(invoiceStanding(*shop.t.store, "R-2", kIssued)->state.status,
              PaymentStatus::Cancelled);
}

TEST(OpenItems, RemindersClimbOneLevelAtATimeAndAreKept)
{
    Shop shop;
    ASSERT_TRUE(refreshOpenItems(*shop.t.store, kDueOn + 1));
    auto mine = openItemsOf(*shop.t.store, "K1");
    ASSERT_TRUE(mine.has_value());
    ASSERT_EQ(mine->size(), 2u);
    EXPECT_EQ(proposedReminderLevel(*mine), 1);
    EXPECT_EQ(reminderTitle(1), "Zahlungserinnerung");

    for (const auto &[level, title] : {std::pair{1, "Zahlungserinnerung"},
                                       std::pair{2, "1. Mahnung"},
                                       std::pair{3, "2. Mahnung"},
                                       std::pair{3, "2. Mahnung"}}) {
        mine = openItemsOf(*shop.t.store, "K1");
        ASSERT_EQ(proposedReminderLevel(*mine), level);
        EXPECT_EQ(reminderTitle(proposedReminderLevel(*mine)), title);
        ASSERT_TRUE(recordReminder(*shop.t.store, *mine, level, kDueOn + level));
        // A refresh keeps what was reached.
        ASSERT_TRUE(refreshOpenItems(*shop.t.store, kDueOn + 10));
    }
    mine = openItemsOf(*shop.t.store, "K1");
    EXPECT_EQ(mine->front().get(OPO::OPSTUFE), 3);
    EXPECT_EQ(mine->front().get(OPO::OPMAHNDAT), kDueOn + 3);
    // The other customer's invoice was never reminded.
    const auto theirs = openItemsOf(*shop.t.store, "K2");
    ASSERT_EQ(theirs->size(), 1u);
    EXPECT_EQ(theirs->front().get(OPO::OPSTUFE), 0);
    EXPECT_EQ(proposedReminderLevel(*theirs), 1);
}

} // namespace
