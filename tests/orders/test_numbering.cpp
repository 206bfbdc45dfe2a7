// Document numbers and status without a window: the generated order number, the last
// numbers in `stamm`, the status from the printed-on dates and by choice, which report a
// button prints and how often.

#include "orders/core/documentnumbers.h"
#include "orders/core/orderrules.h"
#include "orders/core/orderstore.h"

#include "support/orderfamily.h"
#include "support/storefixture.h"

#include "base/stddate.h"
#include "store/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using namespace orders;

namespace {

const rt::StdDate kMarch2 = rt::dateFromYmd(2026, 3, 2);
const rt::StdDate kMarch9 = rt::dateFromYmd(2026, 3, 9);

TEST(GeneratedOrderNumber, DigitsOnlyAtMostTwelve)
{
    struct Case
    {
        const char *name;
        rt::StdDate date;
        rt::StdTime time;
        const char *expected;
    };
    const Case cases[] = {
        {"just after midnight", kMarch2, 1, "822441"},
        {"noon", kMarch2, rt::timeFromHms(12, 0, 0), "822444320001"},
        // 5 digits of day and 7 of time fill the field exactly.
        {"last hundredth of the day", kMarch2, rt::timeFromHms(23, 59, 59, 99), "822448640000"},
        // A day number of six digits pushes the last digit of the time out.
        {"far future", 123456, rt::timeFromHms(23, 59, 59, 99), "123456864000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string number = generatedOrderNumber(c.date, c.time);
        EXPECT_EQ(number, c.expected);
        EXPECT_LE(number.size(), 12u);
        EXPECT_TRUE(std::all_of(
            number.begin(), number.end(), [](unsigned char ch) { return std::isdigit(ch) != 0; }));
    }
}

TEST(LastNumbers, NotEarlierReplacesEarlierDoesNot)
{
    struct Case
    {
        const char *name;
        DocumentStamp order;
        DocumentStamp last;
        bool replaces;
    };
    const Case cases[] = {
        {"earlier date", {kMarch2, 900, "A-7"}, {kMarch9, 100, "A-9"}, false},
        {"equal date and time", {kMarch9, 100, "A-7"}, {kMarch9, 100, "A-9"}, true},
        {"equal date, later time", {kMarch9, 200, "A-7"}, {kMarch9, 100, "A-9"}, true},
        {"equal date, earlier time", {kMarch9, 50, "A-7"}, {kMarch9, 100, "A-9"}, false},
        {"later date, earlier time", {kMarch9 + 1, 1, "A-7"}, {kMarch9, 100, "A-9"}, true},
        {"later date, blank number", {kMarch9 + 1, 0, ""}, {kMarch9, 0, "A-9"}, true},
        {"undated against dated", {0, 0, "A-7"}, {kMarch9, 0, "A-9"}, false},
        {"undated against empty stamm", {0, 0, "A-7"}, {0, 0, ""}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(replacesLastNumber(c.order, c.last), c.replaces);
    }
}

TEST(LastNumbers, EachKindIsTakenOnItsOwn)
{
    RecordBuffer stamm(FileId::stamm);
    stamm.set(STA::ANGDAT, kMarch9);
    stamm.set(STA::ANG, "A-9");
    stamm.set(STA::RECDAT, kMarch2);
    stamm.set(STA::REC, "R-1");
    stamm.set(STA::LIEDAT, kMarch9);
    stamm.set(STA::LIE, "L-5");

    RecordBuffer order(FileId::auftrag);
    order.set(AUF::FANDAT, kMarch2); // earlier: the quote number stays
    order.set(AUF::FANNR, "A-3");
    order.set(AUF::FREDAT, kMarch9); // later: the invoice number moves on
    order.set(AUF::FRECZEIT, 4711);
    order.set(AUF::FRENR, "R-2");
    // No delivery date: an undated delivery note never replaces a dated one.
    order.set(AUF::FLIEFNR, "L-6");

    EXPECT_TRUE(takeLastNumbers(stamm, order));
    EXPECT_EQ(stamm.get(STA::ANG), "A-9");
    EXPECT_EQ(stamm.get(STA::ANGDAT), kMarch9);
    EXPECT_EQ(stamm.get(STA::REC), "R-2");
    EXPECT_EQ(stamm.get(STA::RECDAT), kMarch9);
    EXPECT_EQ(stamm.get(STA::RECZEIT), 4711);
    EXPECT_EQ(stamm.get(STA::LIE), "L-5");

    // Taking the same order again changes nothing more.
    EXPECT_FALSE(takeLastNumbers(stamm, order));
}

TEST(LastNumbers, StammRecordIsCreatedOnceThenUpdated)
{
    StoreFixture t;
    EXPECT_FALSE(readStamm(*t.store).has_value());

    RecordBuffer first(FileId::auftrag);
    first.set(AUF::FANDAT, kMarch2);
    first.set(AUF::FANNR, "A-1");
    EXPECT_EQ(saveLastNumbers(*t.store, first), 0);
    EXPECT_EQ(t.count(FileId::stamm), 1);

    // Two orders with the same quote date: the one saved last supplies the number.
    RecordBuffer second(FileId::auftrag);
    second.set(AUF::FANDAT, kMarch2);
    second.set(AUF::FANNR, "A-2");
    EXPECT_EQ(saveLastNumbers(*t.store, second), 0);
    RecordBuffer earlier(FileId::auftrag);
    earlier.set(AUF::FANDAT, kMarch2 - 1);
    earlier.set(AUF::FANNR, "A-0");
    EXPECT_EQ(saveLastNumbers(*t.store, earlier), 0);

    EXPECT_EQ(t.count(FileId::stamm), 1);
    const std::optional<RecordBuffer> stamm = readStamm(*t.store);
    ASSERT_TRUE(stamm.has_value());
    EXPECT_EQ(stamm->get(STA::ANG), "A-2");
    EXPECT_EQ(stamm->get(STA::ANGDAT), kMarch2);
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST(NextNumber, CountsUpTheLastDigitsAndKeepsTheRest)
{
    struct Case
    {
        const char *name;
        const char *last;
        const char *next;
    };
    const Case cases[] = {
        {"prefix and year kept", "RE-2026-0041", "RE-2026-0042"},
        {"width of the tail kept", "0009", "0010"},
        {"carry widens the number", "99", "100"},
        {"carry behind a letter", "A9", "A10"},
        {"carry through the whole tail", "RE-0999", "RE-1000"},
        {"letters after the digits stay", "41/A", "42/A"},
        {"only the last run counts", "2026-7", "2026-8"},
        {"no digits gets a one", "RE-", "RE-1"},
        {"blanks around are dropped", "  A-7  ", "A-8"},
        {"nothing yet starts at one", "", "1"},
        {"blank starts at one", "   ", "1"},
        {"twelve nines do not fit", "999999999999", ""},
        {"eleven nines just fit", "99999999999", "100000000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(nextDocumentNumber(c.last), c.next);
    }
}

// The proposal follows `stamm`'s last number of the kind and steps past the numbers other
// orders already carry, also ones that differ only in letter case; the order's own number
// does not count against it.
TEST(NextNumber, ProposalStepsPastNumbersOtherOrdersCarry)
{
    StoreFixture t;
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::Invoice, "F1"), "1");

    RecordBuffer last(FileId::auftrag);
    last.set(AUF::FREDAT, kMarch2);
    last.set(AUF::FRENR, "RE-2026-0041");
    last.set(AUF::FANDAT, kMarch2);
    last.set(AUF::FANNR, "AN-9");
    ASSERT_EQ(saveLastNumbers(*t.store, last), 0);
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::Invoice, "F1"), "RE-2026-0042");
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::Quote, "F1"), "AN-10");
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::DeliveryNote, "F1"), "1");

    orderfamily::customer(t, "K1", "Druckerei Abel");
    orderfamily::order(t, "F2", "K1", "A-2");
    orderfamily::invoiced(t, "F2", "re-2026-0042");
    orderfamily::order(t, "F3", "K1", "A-3");
    orderfamily::invoiced(t, "F3", "RE-2026-0043");
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::Invoice, "F1"), "RE-2026-0044");
    // For F3 its own number is free to take again; F2's is not.
    EXPECT_EQ(proposedDocumentNumber(*t.store, DocumentKind::Invoice, "F3"), "RE-2026-0043");
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST(NextNumber, TakenInvoiceNumberNamesTheOrderThatCarriesIt)
{
    StoreFixture t;
    orderfamily::customer(t, "K1", "Druckerei Abel");
    orderfamily::order(t, "F1", "K1", "A-100");
    orderfamily::order(t, "F2", "K1", "A-200");
    orderfamily::order(t, "F3", "K9", "A-300"); // its customer is gone
    orderfamily::invoiced(t, "F1", "R-1");
    orderfamily::invoiced(t, "F3", "R-3");

    struct Case
    {
        const char *name;
        const char *number;
        const char *own;
        const char *holder; // "" for none
    };
    const Case cases[] = {
        {"another order's number", "R-1", "F2", "F1"},
        {"letter case does not count", " r-1 ", "F2", "F1"},
        {"the order's own number", "R-1", "F1", ""},
        {"a new order's number", "R-1", "", "F1"},
        {"a free number", "R-2", "F2", ""},
        {"blank is never taken", "  ", "F2", ""},
        {"a prefix is another number", "R-", "F2", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<NumberHolder> holder
            = numberHolder(*t.store, DocumentKind::Invoice, c.number, c.own);
        if (*c.holder == '\0') {
            EXPECT_FALSE(holder.has_value());
            continue;
        }
        ASSERT_TRUE(holder.has_value());
        EXPECT_EQ(holder->orderId, c.holder);
    }

    const std::optional<NumberHolder> abel
        = numberHolder(*t.store, DocumentKind::Invoice, "R-1", "F2");
    ASSERT_TRUE(abel.has_value());
    const std::string text = invoiceNumberTakenText("R-1", *abel);
    EXPECT_NE(text.find("R-1"), std::string::npos) << text;
    EXPECT_NE(text.find("A-100 (Druckerei Abel)"), std::string::npos) << text;
    // Without its customer the order's own copy of the name is all there is.
    const std::optional<NumberHolder> orphan
        = numberHolder(*t.store, DocumentKind::Invoice, "R-3", "F2");
    ASSERT_TRUE(orphan.has_value());
    EXPECT_EQ(orphan->orderNumber, "A-300");
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST(Status, FromPrintedDatesTheLastSetWins)
{
    struct Case
    {
        const char *name;
        bool quote, delivery, invoice;
        const char *expected;
    };
    const Case cases[] = {
        {"none set keeps the choice", false, false, false, "Rechnung"},
        {"quote", true, false, false, "ANGEBOT"},
        {"quote and delivery note", true, true, false, "LIEFERSCHEIN"},
        {"quote and invoice", true, false, true, "RECHNUNG"},
        {"all three", true, true, true, "RECHNUNG"},
        {"delivery note only", false, true, false, "LIEFERSCHEIN"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordBuffer order(FileId::auftrag);
        order.set(AUF::FSTAT, "Rechnung");
        if (c.quote)
            order.set(AUF::FANGDRU, kMarch2);
        if (c.delivery)
            order.set(AUF::FLIEDRU, kMarch2);
        if (c.invoice)
            order.set(AUF::FRECDRU, kMarch2);
        statusFromPrintedDates(order);
        EXPECT_EQ(order.get(AUF::FSTAT), c.expected);
    }
}

TEST(Status, WordsCompareUpperCased)
{
    EXPECT_EQ(statusKind("rechnung"), DocumentKind::Invoice);
    EXPECT_EQ(statusKind("Lieferschein   "), DocumentKind::DeliveryNote);
    EXPECT_EQ(statusKind("ANGEBOT"), DocumentKind::Quote);
    EXPECT_EQ(statusKind("GUTSCHRIFT"), std::nullopt);
    EXPECT_EQ(statusKind(""), std::nullopt);
}

TEST(Status, ChoosingAKindFillsItsDateOnce)
{
    struct Case
    {
        DocumentKind kind;
        DateField date;
    };
    const Case cases[] = {
        {DocumentKind::Quote, AUF::FANDAT},
        {DocumentKind::DeliveryNote, AUF::FLIEFDAT},
        {DocumentKind::Invoice, AUF::FREDAT},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(statusWord(c.kind)));
        RecordBuffer order(FileId::auftrag);
        EXPECT_TRUE(fillDocumentDate(order, c.kind, kMarch2));
        EXPECT_EQ(order.get(c.date), kMarch2);
        // Chosen again on a later day, the date stays.
        EXPECT_FALSE(fillDocumentDate(order, c.kind, kMarch9));
        EXPECT_EQ(order.get(c.date), kMarch2);
        // The other kinds' dates are left alone.
        int filled = 0;
        for (DateField d : {AUF::FANDAT, AUF::FLIEFDAT, AUF::FREDAT})
            filled += order.get(d) != 0 ? 1 : 0;
        EXPECT_EQ(filled, 1);
    }
}

TEST(Printing, ReportByStatusAndButton)
{
    struct Case
    {
        const char *status;
        PrintButton button;
        const char *report;
    };
    const Case cases[] = {
        {"ANGEBOT", PrintButton::Standard, ""},
        {"ANGEBOT", PrintButton::Minimal, "DrucANGmin"},
        {"ANGEBOT", PrintButton::Detail, "DrucANGmin"},
        {"ANGEBOT", PrintButton::FullDetail, "DrucANGmax"},
        {"RECHNUNG", PrintButton::Standard, "DrucRECstan"},
        {"RECHNUNG", PrintButton::Minimal, "DrucRECmin"},
        {"rechnung", PrintButton::Detail, "DrucRECdet"},
        {"RECHNUNG", PrintButton::FullDetail, "DrucRECmax"},
        {"LIEFERSCHEIN", PrintButton::Standard, "DrucLIEstan"},
        {"Lieferschein", PrintButton::Minimal, "DrucLIEmin"},
        {"LIEFERSCHEIN", PrintButton::Detail, ""},
        {"LIEFERSCHEIN", PrintButton::FullDetail, ""},
        {"", PrintButton::Minimal, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.status) + " " + std::to_string(static_cast<int>(c.button)));
        EXPECT_EQ(documentReport(c.status, c.button), c.report);
    }
}

TEST(Printing, DetailedQuoteNeedsAQuoteNumber)
{
    EXPECT_TRUE(quoteNumberMissing("ANGEBOT", PrintButton::Detail, ""));
    EXPECT_TRUE(quoteNumberMissing("Angebot", PrintButton::Detail, "   "));
    EXPECT_FALSE(quoteNumberMissing("ANGEBOT", PrintButton::Detail, "A-1"));
    EXPECT_FALSE(quoteNumberMissing("ANGEBOT", PrintButton::Minimal, ""));
    EXPECT_FALSE(quoteNumberMissing("RECHNUNG", PrintButton::Detail, ""));
}

TEST(Printing, CopyCountGivesRuns)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 1}, {5, 1}, {9, 1}, {-2, 1}};
    for (const auto &[copies, runs] : cases) {
        SCOPED_TRACE(copies);
        EXPECT_EQ(reportRuns(copies), runs);
    }
}

} // namespace
