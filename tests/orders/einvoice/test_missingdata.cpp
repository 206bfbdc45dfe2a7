#include "einvoicefixture.h"

#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/missingdata.h"

#include <gtest/gtest.h>

using einvoice::Invoice;
using einvoice::Profile;

namespace {

Invoice complete()
{
    return einvoice::buildInvoice(
        fixture::document(), einvoicefixture::seller(), einvoicefixture::buyer(true));
}

// One gap, one message naming it and where it is entered; XRechnung asks for more.
TEST(MissingEInvoiceData, EachGapIsNamedWithWhereToEnterIt)
{
    struct Case
    {
        const char *name;
        std::function<void(Invoice &)> breakIt;
        bool xrechnungOnly;
        const char *says;
        const char *where;
    };
    const Case cases[] = {
        {"nothing missing", [](Invoice &) {}, false, nullptr, nullptr},
        {"a tax number alone will do",
         [](Invoice &i) { i.seller.vatId.clear(); },
         false,
         nullptr,
         nullptr},
        {"no VAT id and no tax number",
         [](Invoice &i) {
             i.seller.vatId.clear();
             i.seller.taxNumber = QStringLiteral("  ");
         },
         false,
         "Die USt-IdNr. und die Steuernummer der Firma fehlen beide",
         "Stammdaten → Firmendaten"},
        {"IBAN with a wrong check digit",
         [](Invoice &i) { i.seller.iban = QStringLiteral("DE89 3704 0044 0532 0130 01"); },
         false,
         "ist ungültig (Prüfziffern stimmen nicht)",
         "Stammdaten → Firmendaten"},
        {"no Leitweg-ID",
         [](Invoice &i) { i.buyer.einvoice.buyerReference.clear(); },
         true,
         "Die Leitweg-ID (Käuferreferenz) des Kunden fehlt",
         "Kundenformular, Seite „E-Rechnung“"},
        {"a phone number of two digits",
         [](Invoice &i) { i.seller.phone = QStringLiteral("12"); },
         true,
         "Die Telefonnummer der Firma für die XRechnung fehlt",
         "Stammdaten → Firmendaten"},
        {"customer country written out",
         [](Invoice &i) { i.buyer.address.country = QStringLiteral("Deutschland"); },
         false,
         "„Deutschland“ ist kein Ländercode",
         "Kundenformular, Seite „E-Rechnung“"},
        {"no invoice date",
         [](Invoice &i) { i.issueDate = 0; },
         false,
         "Das Rechnungsdatum fehlt",
         "Auftragsformular, Zeile „Rechnung“"},
        {"sums behind the lines",
         [](Invoice &i) { i.sumsBehindLines = true; },
         false,
         "der Auftrag muss einmal mit OK gespeichert werden",
         "Auftragsformular"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (Profile profile : {Profile::En16931, Profile::XRechnung}) {
            Invoice invoice = complete();
            c.breakIt(invoice);
            const QStringList missing = einvoice::missingEInvoiceData(invoice, profile);
            if (!c.says || (c.xrechnungOnly && profile == Profile::En16931)) {
                EXPECT_EQ(missing, QStringList());
                continue;
            }
            ASSERT_EQ(missing.size(), 1) << missing.join(QLatin1Char('\n')).toStdString();
            EXPECT_TRUE(missing[0].contains(QString::fromUtf8(c.says))) << missing[0].toStdString();
            EXPECT_TRUE(missing[0].endsWith(QStringLiteral("(einzutragen unter ")
                                            + QString::fromUtf8(c.where) + QStringLiteral(").")))
                << missing[0].toStdString();
        }
    }
}

TEST(MissingEInvoiceData, EveryGapIsListedAtOnce)
{
    Invoice invoice = complete();
    invoice.seller = {};
    invoice.number.clear();
    // Name, street, postcode, town, both tax ids, IBAN, contact, phone, e-mail and electronic
    // address of the seller, and the invoice number; country and VAT rate have defaults.
    EXPECT_EQ(einvoice::missingEInvoiceData(invoice, Profile::XRechnung).size(), 11);
    EXPECT_EQ(einvoice::missingEInvoiceData(invoice, Profile::En16931).size(), 7);
}

TEST(MissingEInvoiceData, IbanCheckDigits)
{
    for (const char *valid :
         {"DE89370400440532013000", "de89 3704 0044 0532 0130 00", "GB82WEST12345698765432"})
        EXPECT_TRUE(einvoice::ibanValid(QString::fromLatin1(valid))) << valid;
    for (const char *invalid :
         {"DE88370400440532013000", "DE8937040044053201300", "", "DE89-3704-0044"})
        EXPECT_FALSE(einvoice::ibanValid(QString::fromLatin1(invalid))) << invalid;
}

} // namespace
