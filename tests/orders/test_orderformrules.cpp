// The order form's rules without a window: a new order's defaults, the customer's address,
// the text blocks, the captions by status, and the totals brought in line with the stored
// lines.

#include "orders/core/orderrules.h"
#include "orders/core/orderstore.h"

#include "support/storefixture.h"

#include "store/files.h"

#include <gtest/gtest.h>

using namespace orders;

namespace {

const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);

void customer(Records &r)
{
    r.set(KUN::KID, "K82400");
    r.set(KUN::KNAME, "Druckerei Nord");
    r.set(KUN::KSTR, "Hafenweg 3");
    r.set(KUN::KPLZ, "24103");
    r.set(KUN::KORT, "Kiel");
    r.set(KUN::KRAB, 2.5);
}

TEST(NewOrder, IsPrimedFromTodayAndTheCustomer)
{
    Records r;
    customer(r);
    primeNewOrder(r, "F8240036000", kToday);
    EXPECT_EQ(r.get(AUF::FID), "F8240036000");
    EXPECT_EQ(r.get(AUF::FDATUM), kToday);
    EXPECT_EQ(r.get(AUF::FANDAT), kToday);
    EXPECT_EQ(r.get(AUF::FLIEFDAT), 0);
    EXPECT_EQ(r.get(AUF::FREDAT), 0);
    EXPECT_EQ(r.get(AUF::FSTAT), "ANGEBOT");
    EXPECT_EQ(r.get(AUF::FKUID), "K82400");
    EXPECT_EQ(r.get(AUF::FNAME), "Druckerei Nord");
    EXPECT_EQ(r.get(AUF::FSTR), "Hafenweg 3");
    EXPECT_EQ(r.get(AUF::FPLZ), "24103");
    EXPECT_EQ(r.get(AUF::FORT), "Kiel");
    EXPECT_EQ(r.get(AUF::FRABATT), 2.5);
    EXPECT_EQ(r.get(AUF::ZAZTAGE), 14);
    EXPECT_EQ(r.get(AUF::FNR), "") << "the number is the user's";
}

TEST(NewOrder, AddressFollowsTheCustomerButNotTheDiscount)
{
    Records r;
    customer(r);
    r.set(AUF::FNAME, "Druckerei Nord alt");
    r.set(AUF::FORT, "Eckernförde");
    r.set(AUF::FRABATT, 7.0);
    refreshCustomerAddress(r);
    EXPECT_EQ(r.get(AUF::FNAME), "Druckerei Nord");
    EXPECT_EQ(r.get(AUF::FORT), "Kiel");
    EXPECT_EQ(r.get(AUF::FRABATT), 7);
}

TEST(TextBlocks, EachBlockCopiesItsOwnFields)
{
    struct Case
    {
        TextBlock block;
        const char *code;
        StringField first, second;
    };
    const Case cases[] = {
        {TextBlock::QuoteText, "EL", AUF::TEANG1, AUF::TEANG2},
        {TextBlock::PaymentTerms, "ZA", AUF::TEREC1, AUF::TEREC2},
        {TextBlock::Information, "IN", AUF::TEINFO1, AUF::TEINFO2},
    };
    const StringField texts[]
        = {AUF::TEANG1, AUF::TEANG2, AUF::TEREC1, AUF::TEREC2, AUF::TEINFO1, AUF::TEINFO2};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(textBlockCode(c.block), c.code);
        RecordBuffer text(FileId::text);
        text.set(TEX::TX1, "erste Zeile");
        text.set(TEX::TX2, "zweite Zeile");
        text.set(TEX::TX3, "dritte Zeile");
        text.set(TEX::SKOPR, 3.0);
        text.set(TEX::SKTAGE, 10.0);
        text.set(TEX::ZAZIEL, 30.0);
        RecordBuffer order(FileId::auftrag);
        order.set(AUF::SKPROZ, 2.0);
        order.set(AUF::ZAZTAGE, 14.0);
        applyTextBlock(order, text, c.block);
        for (StringField f : texts) {
            const char *expected = f.index == c.first.index    ? "erste Zeile"
                                   : f.index == c.second.index ? "zweite Zeile"
                                                               : "";
            EXPECT_EQ(order.get(f), expected) << f.index;
        }
        const bool terms = c.block == TextBlock::PaymentTerms;
        EXPECT_EQ(order.get(AUF::SKPROZ), terms ? 3 : 2);
        EXPECT_EQ(order.get(AUF::SKONTAGE), terms ? 10 : 0);
        EXPECT_EQ(order.get(AUF::ZAZTAGE), terms ? 30 : 14);
    }
}

TEST(StatusLabels, ByStatus)
{
    struct Case
    {
        const char *name;
        const char *status;
        double skonto;
        bool opening;
        const char *caption, *net, *gross, *closing;
        bool due, skontoShown;
    };
    const Case cases[] = {
        {"quote on opening",
         "ANGEBOT",
         2,
         true,
         "ANGEBOT",
         "Angebotspreis/ EUR",
         "Angebotspreis (inkl. MwSt)/EUR",
         "Dieses Angebot ist 6 Wochen gültig.",
         false,
         false},
        {"quote later",
         "angebot",
         2,
         false,
         "ANGEBOT",
         "Angebotspreis/ EUR",
         "Angebotspreis (inkl. MwSt)/ EUR",
         "Dieses Angebot ist 6 Wochen gültig.",
         false,
         false},
        {"invoice with Skonto",
         "RECHNUNG",
         2,
         false,
         "RECHNUNG",
         "Gesamtpreis / EUR",
         "Rechnungsendbetrag / EUR",
         "Rechnungsendbetrag zahlbar bis zum 21.12.2026",
         true,
         true},
        {"invoice without Skonto",
         "RECHNUNG",
         0,
         true,
         "RECHNUNG",
         "Gesamtpreis / EUR",
         "Rechnungsendbetrag / EUR",
         "Rechnungsendbetrag zahlbar bis zum 21.12.2026",
         true,
         false},
        {"delivery note",
         "LIEFERSCHEIN",
         3,
         false,
         "LIEFERSCHEIN",
         "Gesamtpreis / EUR",
         "Rechnungsendbetrag / EUR",
         "Rechnungsendbetrag zahlbar bis zum 21.12.2026",
         true,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<StatusLabels> labels
            = statusLabels(c.status, c.skonto, "21.12.2026", c.opening);
        ASSERT_TRUE(labels.has_value());
        EXPECT_EQ(labels->printCaption, c.caption);
        EXPECT_EQ(labels->netLabel, c.net);
        EXPECT_EQ(labels->grossLabel, c.gross);
        EXPECT_EQ(labels->closingLine, c.closing);
        EXPECT_EQ(labels->dueDateShown, c.due);
        EXPECT_EQ(labels->skontoShown, c.skontoShown);
    }
    EXPECT_FALSE(statusLabels("STORNO", 2, "", false).has_value());
}

// An order F1 whose stored totals lag behind its lines, and a line of F10 that must not count.
void orderBehindItsLines(StoreFixture &t)
{
    t.add(FileId::auftrag, [](Records &r) {
        r.set(AUF::FID, "F1");
        r.set(AUF::FKURZ, "Briefbogen");
        r.set(AUF::FRABATT, 10.0);
        r.set(AUF::TRANPR, 5.0);
        r.set(AUF::NETTO, 5.0);
        r.set(AUF::NACHPR, 0.0);
    });
    t.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATID, "T1");
        r.set(ATR::ATAUFID, "F1");
        r.set(ATR::ATGPR, 60.0);
    });
    t.add(FileId::anach, [](Records &r) {
        r.set(ANA::ANIDAUF, "F1");
        r.set(ANA::ANBEZ, "Rillen und Falzen auf Endformat");
        r.set(ANA::ANGPR, 40.0);
    });
    t.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATID, "T2");
        r.set(ATR::ATAUFID, "F10");
        r.set(ATR::ATGPR, 500.0);
    });
}

RecordBuffer fetchOrder(StoreFixture &t, const std::string &id)
{
    FileManager &file = t.fm(FileId::auftrag);
    file.Open();
    t.records()[FileId::auftrag].clear();
    t.records().set(AUF::FID, id);
    EXPECT_EQ(file.FetchQuiet(AUF::Keyfid), 0);
    RecordBuffer order = t.records()[FileId::auftrag];
    file.Close();
    return order;
}

TEST(StoredTotals, AreBroughtInLineWithTheLines)
{
    StoreFixture t;
    orderBehindItsLines(t);
    EXPECT_EQ(alignStoredTotals(*t.store, "F1", 1.19), 0);
    const RecordBuffer order = fetchOrder(t, "F1");
    EXPECT_DOUBLE_EQ(order.get(AUF::TRANPR), 60);
    EXPECT_DOUBLE_EQ(order.get(AUF::NACHPR), 40);
    EXPECT_DOUBLE_EQ(order.get(AUF::NETTO), 100);
    EXPECT_DOUBLE_EQ(order.get(AUF::RABPREIS), 90);
    EXPECT_DOUBLE_EQ(order.get(AUF::BRUTTO), 107.1);
    EXPECT_EQ(order.get(AUF::NACHTXT), "(Rillen und Falzen auf Endf...etc.)");
    EXPECT_EQ(order.get(AUF::FKURZ), "Briefbogen");
    EXPECT_EQ(order.get(AUF::FRABATT), 10);
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST(StoredTotals, UnknownOrBlankOrderIsLeftAlone)
{
    StoreFixture t;
    orderBehindItsLines(t);
    EXPECT_EQ(alignStoredTotals(*t.store, "F9", 1.19), 0);
    EXPECT_EQ(alignStoredTotals(*t.store, "", 1.19), 0);
    EXPECT_DOUBLE_EQ(fetchOrder(t, "F1").get(AUF::TRANPR), 5);
}

TEST(StoredTotals, LinesAreReadWithoutDisturbingTheCallersBuffers)
{
    StoreFixture t;
    orderBehindItsLines(t);
    Records &r = t.records();
    r[FileId::atran].clear();
    r.set(ATR::ATBEZ, "in Arbeit");
    r[FileId::auftrag].clear();
    r.set(AUF::FID, "F1");
    OrderWorkingTotals totals;
    ASSERT_TRUE(sumStoredLines(*t.store, totals, 1.19));
    EXPECT_DOUBLE_EQ(totals.WorkTransport, 60);
    EXPECT_DOUBLE_EQ(totals.WorkExtras, 40);
    EXPECT_DOUBLE_EQ(totals.WorkNet, 100);
    EXPECT_EQ(r.get(ATR::ATBEZ), "in Arbeit");
}

} // namespace
