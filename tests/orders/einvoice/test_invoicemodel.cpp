#include "einvoicefixture.h"

#include "orders/einvoice/invoicebuilder.h"

#include <gtest/gtest.h>

using einvoice::Cents;
using einvoice::Invoice;
using einvoice::LineKind;
using einvoicefixture::buyer;
using einvoicefixture::seller;

namespace {

Invoice invoiceOf(const orders::DocumentData &d)
{
    return einvoice::buildInvoice(d, seller(), buyer(false));
}

Cents stored(const orders::DocumentData &d, RealField field)
{
    return einvoice::toCents(d.order.get(field));
}

TEST(InvoiceModel, LinesAreThePositionsTheInvoiceShows)
{
    const orders::DocumentData d = fixture::document();
    const Invoice invoice = invoiceOf(d);

    ASSERT_EQ(invoice.lines.size(), 4u);
    const einvoice::InvoiceLine &flyer = invoice.lines[0];
    EXPECT_EQ(flyer.kind, LineKind::Calculation);
    EXPECT_EQ(flyer.name, QStringLiteral("Flyer DIN A5, 4/4-farbig"));
    EXPECT_EQ(flyer.amount, 50870);
    EXPECT_EQ(flyer.quantity, 5000);
    EXPECT_EQ(flyer.unitCode, QStringLiteral("H87"));
    EXPECT_EQ(flyer.printPrice, 41250);
    EXPECT_EQ(flyer.paperPrice, 9620);
    EXPECT_TRUE(flyer.typesetting.empty());
    const einvoice::InvoiceLine &poster = invoice.lines[1];
    EXPECT_EQ(poster.amount, 44670);
    EXPECT_EQ(poster.typesetting, (std::vector<Cents>{9000, 3750}));
    EXPECT_EQ(invoice.lines[2].kind, LineKind::Extras);
    EXPECT_EQ(invoice.lines[2].amount, 4500);
    EXPECT_EQ(invoice.lines[2].description, QStringLiteral("(Perforieren und Nummeriere...etc.)"));
    EXPECT_EQ(invoice.lines[3].kind, LineKind::Transport);
    EXPECT_EQ(invoice.lines[3].amount, 2500);

    EXPECT_EQ(invoice.lineTotal, stored(d, AUF::NETTO));
    EXPECT_EQ(invoice.discount, 5127);
    EXPECT_EQ(invoice.taxBasis, stored(d, AUF::RABPREIS));
    EXPECT_EQ(invoice.vatTotal, stored(d, AUF::MWST));
    EXPECT_EQ(invoice.grandTotal, stored(d, AUF::BRUTTO));
    EXPECT_FALSE(invoice.sumsBehindLines);
}

// The order's paper lines are in its paper sum but in no calculation: each is a line of its
// own, and the lines still add up to the order's net amount.
TEST(InvoiceModel, PaperLinesOfTheOrderAreLinesOfTheirOwn)
{
    orders::DocumentData d = fixture::document();
    d.paperLines.push_back(einvoicefixture::orderPaper("Umschlagkarton", 250, "Bogen", 18.75));
    RecordBuffer quarterReam = einvoicefixture::orderPaper("Transparentpapier", 0, "Ries", 5.00);
    quarterReam.set(APA::APANZ, 0.25);
    d.paperLines.push_back(quarterReam);
    fixture::storeTotals(d, {});
    const Invoice invoice = invoiceOf(d);

    std::vector<LineKind> kinds;
    for (const einvoice::InvoiceLine &line : invoice.lines)
        kinds.push_back(line.kind);
    EXPECT_EQ(kinds,
              (std::vector<LineKind>{LineKind::Calculation,
                                     LineKind::Calculation,
                                     LineKind::Paper,
                                     LineKind::Paper,
                                     LineKind::Extras,
                                     LineKind::Transport}));
    EXPECT_EQ(invoice.lines[2].name, QStringLiteral("Umschlagkarton"));
    EXPECT_EQ(invoice.lines[2].amount, 1875);
    EXPECT_EQ(invoice.lines[2].description, QStringLiteral("250 Stück"));
    EXPECT_EQ(invoice.lines[3].description, QStringLiteral("0,25 Ries"));
    EXPECT_EQ(invoice.lineTotal, stored(d, AUF::NETTO));
    EXPECT_EQ(invoice.orderSums.paper, stored(d, AUF::PAPPR));
    EXPECT_FALSE(invoice.sumsBehindLines);
}

TEST(InvoiceModel, OrderSumsBehindTheirLinesAreNoticed)
{
    for (RealField sum : {AUF::DRUCPR, AUF::PAPPR, AUF::SATZPR}) {
        SCOPED_TRACE(sum.index);
        orders::DocumentData d = fixture::document();
        d.order.set(sum, d.order.get(sum) + 0.01);
        EXPECT_TRUE(invoiceOf(d).sumsBehindLines);
    }
    orders::DocumentData d = fixture::document();
    d.order.set(AUF::DRUCPR, d.order.get(AUF::DRUCPR) + 0.004);
    EXPECT_FALSE(invoiceOf(d).sumsBehindLines) << "less than half a cent is the same sum";
}

// Whenever the lines add up to the stored net amount, the invoice's discount, VAT, gross and
// Skonto amounts are exactly those the order totals stored: one rule, two places.
TEST(InvoiceModel, AmountsAfterTheNetAgreeWithTheStoredOrderTotals)
{
    int compared = 0;
    std::vector<std::string> differing;
    for (double discount : {0.0, 2.0, 2.5, 3.0, 5.0, 7.5, 10.0, 33.33}) {
        for (double skonto : {2.0, 3.0}) {
            for (int cents = 0; cents <= 10000; ++cents) {
                orders::DocumentData d;
                d.order.set(AUF::FID, "F1");
                d.order.set(AUF::FREDAT, rt::dateFromYmd(2025, 7, 15));
                d.order.set(AUF::SKPROZ, skonto);
                fixture::OrderOptions o;
                o.discountPercent = discount;
                o.extras = 0;
                o.transport = cents / 100.0;
                fixture::storeTotals(d, o);
                const Invoice invoice = invoiceOf(d);
                ++compared;
                if (invoice.lineTotal != stored(d, AUF::NETTO)
                    || invoice.taxBasis != stored(d, AUF::RABPREIS)
                    || invoice.vatTotal != stored(d, AUF::MWST)
                    || invoice.grandTotal != stored(d, AUF::BRUTTO)
                    || invoice.skonto->payable != stored(d, AUF::SKONPREIS)) {
                    differing.push_back(std::to_string(cents) + " ct, " + std::to_string(discount)
                                        + " %, Skonto " + std::to_string(skonto));
                }
            }
        }
    }
    EXPECT_EQ(compared, 8 * 2 * 10001);
    EXPECT_TRUE(differing.empty()) << differing.size() << " differ, first " << differing.front();
}

// Lines are rounded to the cent before they are added (so the lines of the e-invoice add up
// to its total); the order totals round the unrounded sums once. Halves of a cent make the
// two differ, and the invoice follows its lines.
TEST(InvoiceModel, HalfCentsRoundEachLineBeforeTheSum)
{
    struct Case
    {
        const char *name;
        double paper1, paper2, extras, transport;
        Cents lineTotal, storedNet;
    };
    const Case cases[] = {
        {"two paper prices of half a cent", 10.005, 11.005, 45, 25, 86702, 86701},
        {"additional work and transport of half a cent", 96.20, 83.20, 12.345, 7.005, 97476, 97475},
        {"halves that cancel", 96.20, 83.20, 0.125, 0.124, 95565, 95565},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fixture::OrderOptions o;
        o.extras = c.extras;
        o.transport = c.transport;
        orders::DocumentData d = fixture::document(o);
        const double paper[] = {c.paper1, c.paper2};
        for (std::size_t i = 0; i < 2; ++i) {
            RecordBuffer &k = d.calculations[i].kaldruck;
            k.set(KAD::APENDPR, paper[i]);
            k.set(KAD::KGESAMTPR,
                  rt::roundDecimal(k.get(KAD::KADRPR) + paper[i] + k.get(KAD::ASGPR), 2));
        }
        fixture::storeTotals(d, o);
        const Invoice invoice = invoiceOf(d);
        Cents sum = 0;
        for (const einvoice::InvoiceLine &line : invoice.lines)
            sum += line.amount;
        EXPECT_EQ(invoice.lineTotal, sum);
        EXPECT_EQ(invoice.lineTotal, c.lineTotal);
        EXPECT_EQ(stored(d, AUF::NETTO), c.storedNet);
        EXPECT_EQ(invoice.taxBasis + invoice.discount, invoice.lineTotal);
    }
}

TEST(InvoiceModel, DatesAndSkonto)
{
    struct Case
    {
        const char *name;
        rt::StdDate invoiceDate, deliveryDate;
        double paymentDays, skontoPercent, skontoDays;
        rt::StdDate due, delivery, skontoDate;
    };
    const rt::StdDate july15 = rt::dateFromYmd(2025, 7, 15);
    const rt::StdDate july11 = rt::dateFromYmd(2025, 7, 11);
    const Case cases[] = {
        {"period and Skonto", july15, july11, 30, 2, 10, july15 + 30, july11, july15 + 10},
        {"period 0 is due on the invoice date", july15, july11, 0, 0, 0, july15, july11, 0},
        {"no delivery date: the invoice date",
         july15,
         0,
         14,
         3,
         7,
         july15 + 14,
         july15,
         july15 + 7},
        {"no invoice date: no dates", 0, 0, 30, 2, 10, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        orders::DocumentData d = fixture::document();
        d.order.set(AUF::FREDAT, c.invoiceDate);
        d.order.set(AUF::FLIEFDAT, c.deliveryDate);
        d.order.set(AUF::ZAZTAGE, c.paymentDays);
        d.order.set(AUF::SKPROZ, c.skontoPercent);
        d.order.set(AUF::SKONTAGE, c.skontoDays);
        fixture::storeTotals(d, {});
        const Invoice invoice = invoiceOf(d);
        EXPECT_EQ(invoice.dueDate, c.due);
        EXPECT_EQ(invoice.deliveryDate, c.delivery);
        ASSERT_EQ(invoice.skonto.has_value(), c.skontoPercent > 0);
        if (invoice.skonto) {
            EXPECT_EQ(invoice.skonto->date, c.skontoDate);
            EXPECT_EQ(invoice.skonto->days, int(c.skontoDays));
            EXPECT_EQ(invoice.skonto->base, invoice.grandTotal);
            EXPECT_EQ(invoice.skonto->payable, stored(d, AUF::SKONPREIS));
            EXPECT_EQ(invoice.skonto->amount + invoice.skonto->payable, invoice.grandTotal);
        }
    }
}

TEST(InvoiceModel, VatAtTheSellersRate)
{
    const orders::DocumentData d = fixture::document();
    einvoice::Seller reduced = seller();
    reduced.vatPercent = 7;
    const Invoice invoice = einvoice::buildInvoice(d, reduced);
    ASSERT_EQ(invoice.vat.size(), 1u);
    EXPECT_EQ(invoice.vat[0].percent, 7);
    EXPECT_EQ(invoice.vat[0].basis, 97413);
    EXPECT_EQ(invoice.vat[0].tax, 6819); // 974.13 × 7 % = 68.1891
    EXPECT_EQ(invoice.grandTotal, 97413 + 6819);

    EXPECT_EQ(einvoice::sellerWithVatFactor(1.19).vatPercent, 19);
    EXPECT_EQ(einvoice::sellerWithVatFactor(1.07).vatPercent, 7);
}

} // namespace
