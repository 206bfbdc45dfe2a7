// A customer's turnover follows from the documents that went out: the invoices and quotes of
// its orders whose printed-on date is set, dated by the latest and summed net of VAT after
// the discount; written to the customer when it changes.

#include "orders/core/turnover.h"

#include "base/stddate.h"
#include "store/files.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orders;

namespace {

const rt::StdDate kJuly1 = rt::dateFromYmd(2026, 7, 1);
const rt::StdDate kJuly9 = rt::dateFromYmd(2026, 7, 9);

struct Doc
{
    rt::StdDate quoteDate = 0, quotePrinted = 0, invoiceDate = 0, invoicePrinted = 0;
    double discounted = 0;
};

RecordBuffer orderOf(const Doc &d)
{
    RecordBuffer order(FileId::auftrag);
    order.set(AUF::FANDAT, d.quoteDate);
    order.set(AUF::FANGDRU, d.quotePrinted);
    order.set(AUF::FREDAT, d.invoiceDate);
    order.set(AUF::FRECDRU, d.invoicePrinted);
    order.set(AUF::RABPREIS, d.discounted);
    order.set(AUF::BRUTTO, d.discounted * 1.19);
    return order;
}

TEST(Turnover, CountsOnlyDocumentsThatWentOut)
{
    struct Case
    {
        const char *name;
        std::vector<Doc> orders;
        Turnover expected;
    };
    const Case cases[] = {
        {"no orders", {}, {}},
        {"dated but never printed", {{kJuly1, 0, kJuly9, 0, 100}}, {}},
        {"quote printed",
         {{kJuly1, kJuly9, 0, 0, 100}},
         {.lastQuote = kJuly1, .quotes = 1, .quoted = 100}},
        {"quote and invoice of one order",
         {{kJuly1, kJuly1, kJuly9, kJuly9, 250.5}},
         {kJuly9, 1, 250.5, kJuly1, 1, 250.5}},
        {"two invoices: the later date, the sum in cents",
         {{0, 0, kJuly9, kJuly9, 0.1}, {0, 0, kJuly1, kJuly9, 0.2}, {kJuly1, 0, 0, 0, 99}},
         {.lastInvoice = kJuly9, .invoices = 2, .invoiced = 0.3}},
        {"printed without a date keeps the printed-on date",
         {{0, 0, 0, kJuly1, 10}},
         {.lastInvoice = kJuly1, .invoices = 1, .invoiced = 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<RecordBuffer> orders;
        for (const Doc &d : c.orders)
            orders.push_back(orderOf(d));
        const Turnover t = turnoverOf(orders);
        EXPECT_EQ(t.lastInvoice, c.expected.lastInvoice);
        EXPECT_EQ(t.invoices, c.expected.invoices);
        EXPECT_EQ(t.invoiced, c.expected.invoiced);
        EXPECT_EQ(t.lastQuote, c.expected.lastQuote);
        EXPECT_EQ(t.quotes, c.expected.quotes);
        EXPECT_EQ(t.quoted, c.expected.quoted);
    }
}

void printedOrder(StoreFixture &t, const std::string &id, const std::string &customer, double net)
{
    t.add(FileId::auftrag, [&](Records &r) {
        r.set(AUF::FID, id);
        r.set(AUF::FNR, "A-" + id);
        r.set(AUF::FKUID, customer);
        r.set(AUF::FANDAT, kJuly1);
        r.set(AUF::FANGDRU, kJuly1);
        r.set(AUF::FREDAT, kJuly9);
        r.set(AUF::FRECDRU, kJuly9);
        r.set(AUF::RABPREIS, net);
    });
}

// The customer as the file holds it; the thread's buffer and position are left as found.
RecordBuffer storedCustomer(StoreFixture &t, const std::string &id)
{
    FileManager &file = t.fm(FileId::kunde);
    std::uint16_t saved = file.SaveState();
    file.Open();
    t.records()[FileId::kunde].clear();
    t.records().set(KUN::KID, id);
    EXPECT_EQ(file.FetchQuiet(KUN::Keyid), Level::Benign);
    RecordBuffer found = t.records()[FileId::kunde];
    file.Close();
    file.RestoreState(saved);
    return found;
}

TEST(Turnover, RefreshWritesTheCustomersFiguresFromItsOrders)
{
    StoreFixture t;
    orderfamily::customer(t, "K1", "Druckerei Abel");
    orderfamily::customer(t, "K10", "Verlag Bauer");
    printedOrder(t, "F1", "K1", 100.10);
    printedOrder(t, "F2", "K1", 50.05);
    printedOrder(t, "F3", "K10", 7); // "K10" sorts right after "K1": not K1's

    EXPECT_EQ(refreshTurnover(*t.store, "K1"), Level::Benign);
    const RecordBuffer k1 = storedCustomer(t, "K1");
    EXPECT_EQ(k1.get(KUN::RECH), kJuly9);
    EXPECT_DOUBLE_EQ(k1.get(KUN::REUMSATZ), 150.15);
    EXPECT_EQ(k1.get(KUN::ANGEBOT), kJuly1);
    EXPECT_DOUBLE_EQ(k1.get(KUN::ANUMSATZ), 150.15);
    EXPECT_EQ(k1.get(KUN::KNAME), "Druckerei Abel");
    EXPECT_DOUBLE_EQ(storedCustomer(t, "K10").get(KUN::REUMSATZ), 0);

    // Unknown and blank customers have nothing to write.
    EXPECT_EQ(refreshTurnover(*t.store, "K99"), Level::Benign);
    EXPECT_EQ(refreshTurnover(*t.store, " "), Level::Benign);
    EXPECT_TRUE(t.presenter.shown.empty());
}

} // namespace
