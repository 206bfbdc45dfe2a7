#include "einvoicefixture.h"

#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/missingdata.h"

#include <gtest/gtest.h>

using einvoice::Invoice;
using einvoice::Profile;

namespace {

Invoice complete(bool leitweg)
{
    return einvoice::buildInvoice(
        fixture::document(), einvoicefixture::seller(), einvoicefixture::buyer(leitweg));
}

TEST(MissingEInvoiceData, CompleteInvoiceLacksNothing)
{
    EXPECT_EQ(einvoice::missingEInvoiceData(complete(false), Profile::En16931), QStringList());
    EXPECT_EQ(einvoice::missingEInvoiceData(complete(true), Profile::XRechnung), QStringList());
}

// Each gap with the one message it gives, under each profile (empty: none under that one).
TEST(MissingEInvoiceData, EachGapIsNamedWithWhereToEnterIt)
{
    struct Case
    {
        const char *name;
        std::function<void(Invoice &)> breakIt;
        const char *en16931;
        const char *xrechnung;
    };
    const char *noTaxIds = "Die USt-IdNr. und die Steuernummer der Firma fehlen beide; eine von "
                           "ihnen muss angegeben sein (einzutragen unter Stammdaten → "
                           "Firmendaten).";
    const char *noIban = "Die IBAN der Firma für die Zahlung per Überweisung fehlt (einzutragen "
                         "unter Stammdaten → Firmendaten).";
    const char *noReference = "Die Leitweg-ID (Käuferreferenz) des Kunden fehlt (einzutragen "
                              "unter Kundenformular, Seite „E-Rechnung“).";
    const Case cases[] = {
        {"no VAT id and no tax number",
         [](Invoice &i) {
             i.seller.vatId.clear();
             i.seller.taxNumber = QStringLiteral("   ");
         },
         noTaxIds,
         noTaxIds},
        {"a tax number alone will do", [](Invoice &i) { i.seller.vatId.clear(); }, "", ""},
        {"a VAT id alone will do", [](Invoice &i) { i.seller.taxNumber.clear(); }, "", ""},
        {"VAT id without its country",
         [](Invoice &i) { i.seller.vatId = QStringLiteral("123456789"); },
         "Die USt-IdNr. der Firma „123456789“ beginnt nicht mit dem Ländercode (DE und 9 "
         "Ziffern) (einzutragen unter Stammdaten → Firmendaten).",
         "Die USt-IdNr. der Firma „123456789“ beginnt nicht mit dem Ländercode (DE und 9 "
         "Ziffern) (einzutragen unter Stammdaten → Firmendaten)."},
        {"no IBAN", [](Invoice &i) { i.seller.iban.clear(); }, noIban, noIban},
        {"IBAN with a wrong check digit",
         [](Invoice &i) { i.seller.iban = QStringLiteral("DE89 3704 0044 0532 0130 01"); },
         "Die IBAN der Firma „DE89 3704 0044 0532 0130 01“ ist ungültig (Prüfziffern stimmen "
         "nicht) (einzutragen unter Stammdaten → Firmendaten).",
         "Die IBAN der Firma „DE89 3704 0044 0532 0130 01“ ist ungültig (Prüfziffern stimmen "
         "nicht) (einzutragen unter Stammdaten → Firmendaten)."},
        {"no company name",
         [](Invoice &i) { i.seller.name.clear(); },
         "Der Name der Firma fehlt (einzutragen unter Stammdaten → Firmendaten).",
         "Der Name der Firma fehlt (einzutragen unter Stammdaten → Firmendaten)."},
        {"no company town",
         [](Invoice &i) { i.seller.address.town.clear(); },
         "Der Ort der Firma fehlt (einzutragen unter Stammdaten → Firmendaten).",
         "Der Ort der Firma fehlt (einzutragen unter Stammdaten → Firmendaten)."},
        {"no VAT rate",
         [](Invoice &i) { i.seller.vatPercent = 0; },
         "Der Umsatzsteuersatz der Firma fehlt (einzutragen unter Stammdaten → Firmendaten).",
         "Der Umsatzsteuersatz der Firma fehlt (einzutragen unter Stammdaten → Firmendaten)."},
        {"no contact person",
         [](Invoice &i) { i.seller.contactName.clear(); },
         "",
         "Der Ansprechpartner der Firma für die XRechnung fehlt (einzutragen unter Stammdaten → "
         "Firmendaten)."},
        {"a phone number of two digits",
         [](Invoice &i) { i.seller.phone = QStringLiteral("12"); },
         "",
         "Die Telefonnummer der Firma für die XRechnung fehlt (einzutragen unter Stammdaten → "
         "Firmendaten)."},
        {"an electronic address that is no e-mail",
         [](Invoice &i) { i.seller.electronicAddress = QStringLiteral("lindner.de"); },
         "",
         "Die elektronische Adresse der Firma für E-Rechnungen (eine E-Mail-Adresse) fehlt "
         "(einzutragen unter Stammdaten → Firmendaten)."},
        {"no Leitweg-ID",
         [](Invoice &i) { i.buyer.einvoice.buyerReference.clear(); },
         "",
         noReference},
        {"no invoice e-mail of the customer",
         [](Invoice &i) { i.buyer.einvoice.email.clear(); },
         "",
         "Die E-Mail-Adresse des Kunden für Rechnungen fehlt (einzutragen unter Kundenformular, "
         "Seite „E-Rechnung“)."},
        {"customer country written out",
         [](Invoice &i) { i.buyer.address.country = QStringLiteral("Deutschland"); },
         "Das Land des Kunden „Deutschland“ ist kein Ländercode aus zwei Großbuchstaben wie DE "
         "(einzutragen unter Kundenformular, Seite „E-Rechnung“).",
         "Das Land des Kunden „Deutschland“ ist kein Ländercode aus zwei Großbuchstaben wie DE "
         "(einzutragen unter Kundenformular, Seite „E-Rechnung“)."},
        {"no customer postcode",
         [](Invoice &i) { i.buyer.address.postcode.clear(); },
         "Die Postleitzahl des Kunden fehlt (einzutragen unter Kundenformular).",
         "Die Postleitzahl des Kunden fehlt (einzutragen unter Kundenformular)."},
        {"no invoice number",
         [](Invoice &i) { i.number.clear(); },
         "Die Rechnungsnummer fehlt (einzutragen unter Auftragsformular, Zeile „Rechnung“).",
         "Die Rechnungsnummer fehlt (einzutragen unter Auftragsformular, Zeile „Rechnung“)."},
        {"no invoice date",
         [](Invoice &i) { i.issueDate = 0; },
         "Das Rechnungsdatum fehlt (einzutragen unter Auftragsformular, Zeile „Rechnung“).",
         "Das Rechnungsdatum fehlt (einzutragen unter Auftragsformular, Zeile „Rechnung“)."},
        {"a position without a name",
         [](Invoice &i) { i.lines[1].name = QStringLiteral(" "); },
         "Position 2 hat keine Bezeichnung (einzutragen unter Kalkulation im Auftragsformular).",
         "Position 2 hat keine Bezeichnung (einzutragen unter Kalkulation im Auftragsformular)."},
        {"sums behind the lines",
         [](Invoice &i) { i.sumsBehindLines = true; },
         "Die Summen des Auftrags sind nicht auf dem Stand seiner Positionen; der Auftrag muss "
         "einmal mit OK gespeichert werden (einzutragen unter Auftragsformular).",
         "Die Summen des Auftrags sind nicht auf dem Stand seiner Positionen; der Auftrag muss "
         "einmal mit OK gespeichert werden (einzutragen unter Auftragsformular)."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto &[profile, expected] :
             {std::pair{Profile::En16931, c.en16931}, std::pair{Profile::XRechnung, c.xrechnung}}) {
            Invoice invoice = complete(true);
            c.breakIt(invoice);
            const QStringList want
                = *expected ? QStringList{QString::fromUtf8(expected)} : QStringList();
            EXPECT_EQ(einvoice::missingEInvoiceData(invoice, profile), want)
                << (profile == Profile::XRechnung ? "XRechnung" : "EN 16931");
        }
    }
}

TEST(MissingEInvoiceData, EveryGapIsListedAtOnce)
{
    Invoice invoice = complete(false);
    invoice.seller = {};
    invoice.number.clear();
    const QStringList missing = einvoice::missingEInvoiceData(invoice, Profile::XRechnung);
    // Name, street, postcode, town, both tax ids, IBAN, contact, phone, e-mail, electronic
    // address; the buyer's reference and the invoice number. The seller's country and VAT
    // rate have their defaults.
    EXPECT_EQ(missing.size(), 12) << missing.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(missing.contains(QStringLiteral(
        "Die Rechnungsnummer fehlt (einzutragen unter Auftragsformular, Zeile „Rechnung“).")));
}

TEST(MissingEInvoiceData, IbanCheckDigits)
{
    struct Case
    {
        const char *iban;
        bool valid;
    };
    const Case cases[] = {
        {"DE89370400440532013000", true},
        {"DE89 3704 0044 0532 0130 00", true},
        {"de89 3704 0044 0532 0130 00", true},
        {"GB82WEST12345698765432", true},
        {"DE88370400440532013000", false},
        {"DE89370400440532013001", false},
        {"DE8937040044053201300", false},
        {"", false},
        {"DE89-3704-0044", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(einvoice::ibanValid(QString::fromLatin1(c.iban)), c.valid) << c.iban;
}

} // namespace
