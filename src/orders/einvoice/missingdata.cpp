#include "missingdata.h"

#include <QRegularExpression>

namespace einvoice {
namespace {

const QString kCompany = QStringLiteral("Stammdaten → Firmendaten");
const QString kCustomer = QStringLiteral("Kundenformular");
const QString kCustomerEInvoice = QStringLiteral("Kundenformular, Seite „E-Rechnung“");
const QString kInvoiceRow = QStringLiteral("Auftragsformular, Zeile „Rechnung“");
const QString kOrder = QStringLiteral("Auftragsformular");

class Findings
{
public:
    void missing(const QString &what, const QString &where)
    {
        m_list.append(what + QStringLiteral(" (einzutragen unter ") + where + QStringLiteral(")."));
    }
    void need(bool present, const QString &what, const QString &where)
    {
        if (!present)
            missing(what, where);
    }
    QStringList list() const { return m_list; }

private:
    QStringList m_list;
};

bool filled(const QString &text)
{
    return !text.trimmed().isEmpty();
}

bool countryCode(const QString &code)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}$"));
    return form.match(code.trimmed()).hasMatch();
}

// A VAT id starts with the country's two letters.
bool vatIdForm(const QString &id)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}[0-9A-Z+*.]{2,13}$"));
    QString compact = id;
    compact.remove(QLatin1Char(' '));
    return form.match(compact).hasMatch();
}

// As the receiving side checks them: something before and after one "@", a dotted domain.
bool emailForm(const QString &address)
{
    static const QRegularExpression form(QStringLiteral("^[^@\\s]+@([^@.\\s]+\\.)+[^@.\\s]+$"));
    return form.match(address.trimmed()).hasMatch();
}

// A telephone number has at least three digits.
bool phoneForm(const QString &number)
{
    return number.count(QRegularExpression(QStringLiteral("[0-9]"))) >= 3;
}

void checkAddress(Findings &f, const PostalAddress &a, const QString &whose, const QString &where)
{
    f.need(
        filled(a.street), QStringLiteral("Die Straße ") + whose + QStringLiteral(" fehlt"), where);
    f.need(filled(a.postcode),
           QStringLiteral("Die Postleitzahl ") + whose + QStringLiteral(" fehlt"),
           where);
    f.need(filled(a.town), QStringLiteral("Der Ort ") + whose + QStringLiteral(" fehlt"), where);
}

void checkCountry(Findings &f, const QString &country, const QString &whose, const QString &where)
{
    if (!filled(country))
        f.missing(QStringLiteral("Das Land ") + whose + QStringLiteral(" fehlt"), where);
    else if (!countryCode(country))
        f.missing(QStringLiteral("Das Land ") + whose + QStringLiteral(" „") + country
                      + QStringLiteral("“ ist kein Ländercode aus zwei Großbuchstaben wie DE"),
                  where);
}

void checkSeller(Findings &f, const Seller &s, Profile profile)
{
    const QString whose = QStringLiteral("der Firma");
    f.need(filled(s.name), QStringLiteral("Der Name der Firma fehlt"), kCompany);
    checkAddress(f, s.address, whose, kCompany);
    checkCountry(f, s.address.country, whose, kCompany);
    if (!filled(s.vatId) && !filled(s.taxNumber)) {
        f.missing(QStringLiteral("Die USt-IdNr. und die Steuernummer der Firma fehlen beide; "
                                 "eine von ihnen muss angegeben sein"),
                  kCompany);
    } else if (filled(s.vatId) && !vatIdForm(s.vatId)) {
        f.missing(QStringLiteral("Die USt-IdNr. der Firma „") + s.vatId
                      + QStringLiteral("“ beginnt nicht mit dem Ländercode (DE und 9 Ziffern)"),
                  kCompany);
    }
    if (!filled(s.iban)) {
        f.missing(QStringLiteral("Die IBAN der Firma für die Zahlung per Überweisung fehlt"),
                  kCompany);
    } else if (!ibanValid(s.iban)) {
        f.missing(QStringLiteral("Die IBAN der Firma „") + s.iban
                      + QStringLiteral("“ ist ungültig (Prüfziffern stimmen nicht)"),
                  kCompany);
    }
    f.need(s.vatPercent > 0, QStringLiteral("Der Umsatzsteuersatz der Firma fehlt"), kCompany);

    if (profile != Profile::XRechnung)
        return;
    f.need(filled(s.contactName),
           QStringLiteral("Der Ansprechpartner der Firma für die XRechnung fehlt"),
           kCompany);
    if (!phoneForm(s.phone))
        f.missing(QStringLiteral("Die Telefonnummer der Firma für die XRechnung fehlt"), kCompany);
    if (!emailForm(s.email))
        f.missing(QStringLiteral("Die E-Mail-Adresse der Firma für die XRechnung fehlt"), kCompany);
    if (!emailForm(s.electronicAddress)) {
        f.missing(QStringLiteral("Die elektronische Adresse der Firma für E-Rechnungen "
                                 "(eine E-Mail-Adresse) fehlt"),
                  kCompany);
    }
}

void checkBuyer(Findings &f, const Buyer &b, Profile profile)
{
    const QString whose = QStringLiteral("des Kunden");
    f.need(filled(b.name), QStringLiteral("Der Name des Kunden fehlt"), kCustomer);
    checkAddress(f, b.address, whose, kCustomer);
    checkCountry(f, b.address.country, whose, kCustomerEInvoice);
    if (filled(b.einvoice.vatId) && !vatIdForm(b.einvoice.vatId)) {
        f.missing(QStringLiteral("Die USt-IdNr. des Kunden „") + b.einvoice.vatId
                      + QStringLiteral("“ beginnt nicht mit dem Ländercode"),
                  kCustomerEInvoice);
    }
    if (profile != Profile::XRechnung)
        return;
    f.need(filled(b.einvoice.buyerReference),
           QStringLiteral("Die Leitweg-ID (Käuferreferenz) des Kunden fehlt"),
           kCustomerEInvoice);
    if (!emailForm(b.einvoice.email)) {
        f.missing(QStringLiteral("Die E-Mail-Adresse des Kunden für Rechnungen fehlt"),
                  kCustomerEInvoice);
    }
}

void checkOrder(Findings &f, const Invoice &invoice)
{
    f.need(filled(invoice.number), QStringLiteral("Die Rechnungsnummer fehlt"), kInvoiceRow);
    f.need(invoice.issueDate > 0, QStringLiteral("Das Rechnungsdatum fehlt"), kInvoiceRow);
    if (invoice.lines.empty())
        f.missing(QStringLiteral("Der Auftrag hat keine Position mit Preis"), kOrder);
    for (std::size_t i = 0; i < invoice.lines.size(); ++i) {
        if (!filled(invoice.lines[i].name)) {
            f.missing(QStringLiteral("Position %1 hat keine Bezeichnung").arg(i + 1),
                      QStringLiteral("Kalkulation im Auftragsformular"));
        }
    }
    if (invoice.sumsBehindLines) {
        f.missing(QStringLiteral("Die Summen des Auftrags sind nicht auf dem Stand seiner "
                                 "Positionen; der Auftrag muss einmal mit OK gespeichert werden"),
                  kOrder);
    }
}

} // namespace

QStringList missingEInvoiceData(const Invoice &invoice, Profile profile)
{
    Findings f;
    checkSeller(f, invoice.seller, profile);
    checkBuyer(f, invoice.buyer, profile);
    checkOrder(f, invoice);
    return f.list();
}

bool ibanValid(const QString &iban)
{
    QString compact = iban.toUpper();
    compact.remove(QLatin1Char(' '));
    static const QRegularExpression form(QStringLiteral("^[A-Z]{2}[0-9]{2}[0-9A-Z]{11,30}$"));
    if (!form.match(compact).hasMatch())
        return false;
    const QString rearranged = compact.mid(4) + compact.left(4);
    int remainder = 0;
    for (const QChar c : rearranged) {
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        remainder = value >= 10 ? (remainder * 100 + value) % 97 : (remainder * 10 + value) % 97;
    }
    return remainder == 1;
}

} // namespace einvoice
