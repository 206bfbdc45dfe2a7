#include "einvoicefixture.h"

#include "orders/einvoice/invoicebuilder.h"

#include <gtest/gtest.h>

using einvoice::Cents;
using einvoice::Invoice;
using einvoice::LineKind;

namespace {

Invoice invoiceOf(const orders::DocumentData &d)
{
    return einvoice::buildInvoice(d, einvoicefixture::seller(), einvoicefixture::buyer(false));
}

Cents stored(const orders::DocumentData &d, RealField field)
{
    return einvoice::toCents(d.order.get(field));
}

// The order's paper lines are in its paper sum but in no calculation: each is a line of its
// own, so the lines still add up to the order's net amount. A stored sum that is no longer
// that of the lines is noticed.
TEST(InvoiceModel, LinesAddUpToTheOrdersSums)
{
    orders::DocumentData d = fixture::document();
    d.paperLines.push_back(einvoicefixture::orderPaper("Umschlagkarton", 250, "Bogen", 18.75));
    fixture::storeTotals(d, {});
    const Invoice invoice = invoiceOf(d);

    std::vector<LineKind> kinds;
    for (const einvoice::InvoiceLine &line : invoice.lines)
        kinds.push_back(line.kind);
    EXPECT_EQ(kinds,
              (std::vector<LineKind>{LineKind::Calculation,
                                     LineKind::Calculation,
                                     LineKind::Paper,
                                     LineKind::Extras,
                                     LineKind::Transport}));
    EXPECT_EQ(invoice.lineTotal, stored(d, AUF::NETTO));
    EXPECT_FALSE(invoice.sumsBehindLines);

    for (RealField sum : {AUF::DRUCPR, AUF::PAPPR, AUF::SATZPR}) {
        orders::DocumentData behind = d;
        behind.order.set(sum, d.order.get(sum) + 0.01);
        EXPECT_TRUE(invoiceOf(behind).sumsBehindLines) << sum.index;
    }
}

// Whenever the lines add up to the stored net amount, discount, VAT, gross and Skonto
// amounts are exactly those the order totals stored: one rule in two places.
TEST(InvoiceModel, AmountsAfterTheNetAgreeWithTheStoredOrderTotals)
{
    std::vector<std::string> differing;
    for (double discount : {0.0, 2.0, 2.5, 3.0, 5.0, 7.5, 10.0, 33.33}) {
        for (double skonto : {2.0, 3.0}) {
            for (int cents = 0; cents <= 10000; ++cents) {
                orders::DocumentData d;
                d.order.set(AUF::FID, "F1");
                d.order.set(AUF::SKPROZ, skonto);
                fixture::OrderOptions o;
                o.discountPercent = discount;
                o.extras = 0;
                o.transport = cents / 100.0;
                fixture::storeTotals(d, o);
                const Invoice invoice = invoiceOf(d);
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
    EXPECT_TRUE(differing.empty()) << differing.size() << " differ, first " << differing.front();
}

// Lines are rounded to the cent before they are added (the lines of an e-invoice must add up
// to its total); the order totals round their unrounded sums once. Halves of a cent make the
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
        EXPECT_EQ(invoice.lineTotal, c.lineTotal);
        EXPECT_EQ(stored(d, AUF::NETTO), c.storedNet);
        EXPECT_EQ(invoice.taxBasis + invoice.discount, invoice.lineTotal);
    }
}

} // namespace
