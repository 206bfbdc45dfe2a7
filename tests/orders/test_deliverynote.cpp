// The delivery note: the goods of the order going to the delivery address (or the invoice
// address when the customer has none), with the order's and the note's number and date, the
// positions with their quantities, room for the receiver's signature, and not one price.

#include "documentfixture.h"

#include "orders/reports/documentreports.h"
#include "support/pdftext.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using orders::DocumentReport;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Variant
{
    DocumentReport report;
    const char *name;
};
const Variant kVariants[] = {
    {DocumentReport::DrucLIEstan, "DrucLIEstan"},
    {DocumentReport::DrucLIEmin, "DrucLIEmin"},
};

orders::DocumentData deliveredOrder()
{
    orders::DocumentData d = fixture::document();
    d.order.set(AUF::FLIEFNR, "LS-2025-077");
    d.order.set(AUF::FSTAT, "LIEFERSCHEIN");
    return d;
}

QString render(DocumentReport which, const orders::DocumentData &data, const QString &name)
{
    ensureGuiApplication();
    report::PageQueue queue;
    EXPECT_TRUE(orders::printDocument(which, data, fixture::kVatFactor, queue));
    return pdftext::textOf(queue, name);
}

TEST(DeliveryNote, GoesToTheDeliveryAddressWithItsNumbersAndPositionsAndNoPrice)
{
    orders::DocumentData data = deliveredOrder();
    RecordBuffer &customer = data.customer;
    customer.set(KUN::LNAME, "Bäckerei Sonnenschein Filiale Nord");
    customer.set(KUN::LZHAND, "Herr Jonas Keller");
    customer.set(KUN::LSTR, "Hafenweg 3");
    customer.set(KUN::LPLZ, "79100");
    customer.set(KUN::LORT, "Freiburg-Nord");
    for (const Variant &v : kVariants) {
        SCOPED_TRACE(v.name);
        const QString text = render(v.report, data, QString::fromLatin1(v.name));
        EXPECT_TRUE(pdftext::inOrder(text,
                                     {u"Bäckerei Sonnenschein Filiale Nord"_s,
                                      u"Herr Jonas Keller"_s,
                                      u"Hafenweg 3"_s,
                                      u"79100 Freiburg-Nord"_s}));
        EXPECT_TRUE(pdftext::inOrder(text,
                                     {u"Kundennummer:"_s,
                                      u"K8201345012345"_s,
                                      u"Lieferschein-Nr.:"_s,
                                      u"LS-2025-077"_s,
                                      u"Lieferdatum:"_s,
                                      u"11.07.2025"_s,
                                      u"Auftrg.-Nr.:"_s,
                                      u"A-2025-147"_s,
                                      u"LIEFERSCHEIN"_s,
                                      u"gem. Auftrag: Flyer und Plakate Sommerfest"_s}));
        // The positions with their quantities, and what else went out with them.
        EXPECT_TRUE(pdftext::inOrder(text,
                                     {u"Flyer DIN A5, 4/4-farbig"_s,
                                      u"5.000"_s,
                                      u"Plakat DIN A2, 4/0-farbig"_s,
                                      u"500"_s,
                                      u"Zusatzarb. (Perforieren und Nummeriere...etc.)"_s,
                                      u"Besuchen Sie unsere Hausmesse am 20. September!"_s,
                                      u"Ware erhalten:"_s,
                                      u"Datum"_s,
                                      u"Unterschrift / Stempel des Empfängers"_s}))
            << text.toStdString();
        // The invoice's address stays off the note, and so does every amount.
        EXPECT_FALSE(text.contains(u"Lindenstraße 12"_s));
        EXPECT_FALSE(text.contains(u"EUR"_s));
        EXPECT_FALSE(text.contains(u"preis"_s, Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains(u"IBAN"_s));
        EXPECT_FALSE(text.contains(QRegularExpression(u"\\d,\\d\\d\\b"_s))) << text.toStdString();
    }
}

TEST(DeliveryNote, WithoutADeliveryAddressGoesToTheInvoiceAddress)
{
    const orders::DocumentData data = deliveredOrder();
    for (const Variant &v : kVariants) {
        SCOPED_TRACE(v.name);
        const QString text = render(v.report, data, QString::fromLatin1(v.name) + u"_plain"_s);
        EXPECT_TRUE(pdftext::inOrder(text,
                                     {u"Bäckerei Sonnenschein GmbH"_s,
                                      u"Frau Anna Becker"_s,
                                      u"Lindenstraße 12"_s,
                                      u"79098 Freiburg im Breisgau"_s,
                                      u"LIEFERSCHEIN"_s}));
    }
}

// The standard note shows each position's columns and paper, the short one its name and
// total quantity only.
TEST(DeliveryNote, StandardShowsThePositionColumnsAndShortOnlyTheQuantity)
{
    const orders::DocumentData data = deliveredOrder();
    const QString standard = render(DocumentReport::DrucLIEstan, data, u"standard"_s);
    EXPECT_TRUE(pdftext::inOrder(standard,
                                 {u"Position / Bez."_s,
                                  u"Gesamtauflage"_s,
                                  u"Flyer DIN A5, 4/4-farbig"_s,
                                  u"Bilderdruck matt 135 g/m²"_s}));
    const QString minimal = render(DocumentReport::DrucLIEmin, data, u"minimal"_s);
    EXPECT_TRUE(pdftext::inOrder(minimal,
                                 {u"Position / Bezeichnung"_s,
                                  u"Gesamtmenge"_s,
                                  u"Flyer DIN A5, 4/4-farbig"_s,
                                  u"5.000 Stück"_s}));
    EXPECT_FALSE(minimal.contains(u"Bilderdruck matt"_s));
}

} // namespace
