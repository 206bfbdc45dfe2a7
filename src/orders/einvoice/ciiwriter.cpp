#include "ciiwriter.h"

#include "germantext.h"

#include <QXmlStreamWriter>

#include <cmath>

namespace einvoice {
namespace {

const QString kRsm = QStringLiteral("urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
const QString kRam = QStringLiteral(
    "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
const QString kQdt = QStringLiteral("urn:un:unece:uncefact:data:standard:QualifiedDataType:100");
const QString kUdt = QStringLiteral("urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");

// "1025.40", "-0.05": a decimal point, no grouping, always two places.
QString amountText(Cents amount)
{
    const Cents magnitude = amount < 0 ? -amount : amount;
    return (amount < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100)
           + QLatin1Char('.') + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

// "19", "2.5", "5000": at most `places` decimals, no trailing zeros.
QString decimalText(double value, int places)
{
    QString text = QString::number(value, 'f', places);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString dateText(rt::StdDate date)
{
    const rt::Ymd d = rt::ymdFromDate(date);
    return QStringLiteral("%1%2%3")
        .arg(d.year, 4, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.day, 2, 10, QLatin1Char('0'));
}

// Text as the XML may carry it: trimmed, and without control characters, which XML 1.0
// cannot hold; line breaks stay.
QString clean(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\n'))
            out += c;
    }
    return out.trimmed();
}

class Cii
{
public:
    Cii(const Invoice &invoice, Profile profile, QByteArray *out)
        : m_invoice(invoice)
        , m_profile(profile)
        , m_xml(out)
    {
        m_xml.setAutoFormatting(true);
        m_xml.setAutoFormattingIndent(2);
    }

    void write()
    {
        m_xml.writeStartDocument();
        m_xml.writeNamespace(kRsm, QStringLiteral("rsm"));
        m_xml.writeNamespace(kQdt, QStringLiteral("qdt"));
        m_xml.writeNamespace(kRam, QStringLiteral("ram"));
        m_xml.writeNamespace(kUdt, QStringLiteral("udt"));
        m_xml.writeStartElement(kRsm, QStringLiteral("CrossIndustryInvoice"));
        context();
        document();
        m_xml.writeStartElement(kRsm, QStringLiteral("SupplyChainTradeTransaction"));
        for (std::size_t i = 0; i < m_invoice.lines.size(); ++i)
            line(int(i) + 1, m_invoice.lines[i]);
        agreement();
        delivery();
        settlement();
        m_xml.writeEndElement();
        m_xml.writeEndElement();
        m_xml.writeEndDocument();
    }

private:
    void start(const char *name) { m_xml.writeStartElement(kRam, QString::fromLatin1(name)); }
    void end() { m_xml.writeEndElement(); }

    // An element with text; none at all for an empty text, which the receiving side refuses.
    void text(const char *name, const QString &value)
    {
        const QString v = clean(value);
        if (!v.isEmpty())
            m_xml.writeTextElement(kRam, QString::fromLatin1(name), v);
    }
    void text(const char *name, const QString &value, const char *attribute, const QString &is)
    {
        const QString v = clean(value);
        if (v.isEmpty())
            return;
        start(name);
        m_xml.writeAttribute(QString::fromLatin1(attribute), is);
        m_xml.writeCharacters(v);
        end();
    }
    void date(const char *name, rt::StdDate value)
    {
        start(name);
        m_xml.writeStartElement(kUdt, QStringLiteral("DateTimeString"));
        m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
        m_xml.writeCharacters(dateText(value));
        m_xml.writeEndElement();
        end();
    }
    void indicator(const char *name, bool value)
    {
        start(name);
        m_xml.writeTextElement(kUdt,
                               QStringLiteral("Indicator"),
                               value ? QStringLiteral("true") : QStringLiteral("false"));
        end();
    }
    void vatCategory(const VatGroup &group)
    {
        text("TypeCode", QStringLiteral("VAT"));
        text("CategoryCode", group.category);
        text("RateApplicablePercent", decimalText(group.percent, 2));
    }

    void context()
    {
        m_xml.writeStartElement(kRsm, QStringLiteral("ExchangedDocumentContext"));
        if (m_profile == Profile::XRechnung) {
            start("BusinessProcessSpecifiedDocumentContextParameter");
            text("ID", QStringLiteral("urn:fdc:peppol.eu:2017:poacc:billing:01:1.0"));
            end();
        }
        start("GuidelineSpecifiedDocumentContextParameter");
        text("ID", guidelineId(m_profile));
        end();
        m_xml.writeEndElement();
    }

    void document()
    {
        m_xml.writeStartElement(kRsm, QStringLiteral("ExchangedDocument"));
        text("ID", m_invoice.number);
        text("TypeCode", QString::number(int(m_invoice.type)));
        date("IssueDateTime", m_invoice.issueDate);
        QStringList notes;
        if (!m_invoice.subject.isEmpty())
            notes.append(QStringLiteral("gem. Auftrag: ") + m_invoice.subject);
        notes += m_invoice.notes;
        for (const QString &note : notes) {
            if (clean(note).isEmpty())
                continue;
            start("IncludedNote");
            text("Content", note);
            end();
        }
        m_xml.writeEndElement();
    }

    void line(int number, const InvoiceLine &l)
    {
        start("IncludedSupplyChainTradeLineItem");
        start("AssociatedDocumentLineDocument");
        text("LineID", QString::number(number));
        end();

        start("SpecifiedTradeProduct");
        text("Name", l.name);
        text("Description", l.description);
        for (const ItemAttribute &a : l.attributes) {
            if (clean(a.name).isEmpty() || clean(a.value).isEmpty())
                continue;
            start("ApplicableProductCharacteristic");
            text("Description", a.name);
            text("Value", a.value);
            end();
        }
        end();

        // The price is for the whole quantity, so quantity × price / base quantity gives the
        // line amount exactly.
        start("SpecifiedLineTradeAgreement");
        start("NetPriceProductTradePrice");
        text("ChargeAmount", amountText(l.amount));
        text("BasisQuantity", decimalText(l.quantity, 4), "unitCode", l.unitCode);
        end();
        end();

        start("SpecifiedLineTradeDelivery");
        text("BilledQuantity", decimalText(l.quantity, 4), "unitCode", l.unitCode);
        end();

        start("SpecifiedLineTradeSettlement");
        start("ApplicableTradeTax");
        vatCategory(m_invoice.vat.front());
        end();
        start("SpecifiedTradeSettlementLineMonetarySummation");
        text("LineTotalAmount", amountText(l.amount));
        end();
        end();
        end();
    }

    void contact(const QString &name, const QString &phone, const QString &email)
    {
        if (clean(name).isEmpty() && clean(phone).isEmpty() && clean(email).isEmpty())
            return;
        start("DefinedTradeContact");
        text("PersonName", name);
        if (!clean(phone).isEmpty()) {
            start("TelephoneUniversalCommunication");
            text("CompleteNumber", phone);
            end();
        }
        if (!clean(email).isEmpty()) {
            start("EmailURIUniversalCommunication");
            text("URIID", email);
            end();
        }
        end();
    }

    void address(const PostalAddress &a)
    {
        start("PostalTradeAddress");
        text("PostcodeCode", a.postcode);
        text("LineOne", a.street);
        text("CityName", a.town);
        text("CountryID", a.country);
        end();
    }

    void electronicAddress(const QString &email)
    {
        if (clean(email).isEmpty())
            return;
        start("URIUniversalCommunication");
        text("URIID", email, "schemeID", QStringLiteral("EM"));
        end();
    }

    void taxRegistration(const QString &id, const QString &scheme)
    {
        if (clean(id).isEmpty())
            return;
        start("SpecifiedTaxRegistration");
        QString compact = clean(id);
        if (scheme == QLatin1String("VA"))
            compact.remove(QLatin1Char(' '));
        text("ID", compact, "schemeID", scheme);
        end();
    }

    void seller()
    {
        const Seller &s = m_invoice.seller;
        start("SellerTradeParty");
        text("Name", s.name);
        QStringList legal;
        if (!clean(s.managingDirector).isEmpty())
            legal.append(QStringLiteral("Geschäftsführer: ") + clean(s.managingDirector));
        if (!clean(s.registerCourt).isEmpty() || !clean(s.registerNumber).isEmpty()) {
            const QString entry = QStringLiteral("Registergericht: ") + clean(s.registerCourt)
                                  + QLatin1Char(' ') + clean(s.registerNumber);
            legal.append(entry.trimmed());
        }
        text("Description", legal.join(QStringLiteral(", ")));
        if (!clean(s.registerNumber).isEmpty()) {
            start("SpecifiedLegalOrganization");
            text("ID", s.registerNumber);
            end();
        }
        contact(s.contactName, s.phone, s.email);
        address(s.address);
        electronicAddress(s.electronicAddress);
        taxRegistration(s.vatId, QStringLiteral("VA"));
        taxRegistration(s.taxNumber, QStringLiteral("FC"));
        end();
    }

    void buyer()
    {
        const Buyer &b = m_invoice.buyer;
        start("BuyerTradeParty");
        text("ID", b.id);
        text("Name", b.name);
        contact(b.contact, {}, {});
        address(b.address);
        electronicAddress(b.einvoice.email);
        taxRegistration(b.einvoice.vatId, QStringLiteral("VA"));
        end();
    }

    void agreement()
    {
        start("ApplicableHeaderTradeAgreement");
        text("BuyerReference", m_invoice.buyer.einvoice.buyerReference);
        seller();
        buyer();
        if (!clean(m_invoice.orderNumber).isEmpty()) {
            start("SellerOrderReferencedDocument");
            text("IssuerAssignedID", m_invoice.orderNumber);
            end();
        }
        end();
    }

    void delivery()
    {
        start("ApplicableHeaderTradeDelivery");
        if (m_invoice.deliveryDate > 0) {
            start("ActualDeliverySupplyChainEvent");
            date("OccurrenceDateTime", m_invoice.deliveryDate);
            end();
        }
        end();
    }

    void paymentMeans()
    {
        const Seller &s = m_invoice.seller;
        start("SpecifiedTradeSettlementPaymentMeans");
        text("TypeCode", QStringLiteral("58"));
        text("Information", QStringLiteral("SEPA-Überweisung"));
        QString iban = s.iban.toUpper();
        iban.remove(QLatin1Char(' '));
        if (!iban.isEmpty()) {
            start("PayeePartyCreditorFinancialAccount");
            text("IBANID", iban);
            end();
        }
        if (!clean(s.bic).isEmpty()) {
            start("PayeeSpecifiedCreditorFinancialInstitution");
            text("BICID", clean(s.bic).remove(QLatin1Char(' ')));
            end();
        }
        end();
    }

    // The customer discount off the lines, or a surcharge where the percent is negative.
    void discount()
    {
        if (m_invoice.discount == 0)
            return;
        const bool charge = m_invoice.discount < 0;
        start("SpecifiedTradeAllowanceCharge");
        indicator("ChargeIndicator", charge);
        text("CalculationPercent", decimalText(std::fabs(m_invoice.discountPercent), 4));
        text("BasisAmount", amountText(m_invoice.lineTotal));
        text("ActualAmount", amountText(charge ? -m_invoice.discount : m_invoice.discount));
        if (!charge)
            text("ReasonCode", QStringLiteral("95"));
        text("Reason", charge ? QStringLiteral("Zuschlag") : QStringLiteral("Kundenrabatt"));
        start("CategoryTradeTax");
        vatCategory(m_invoice.vat.front());
        end();
        end();
    }

    void settlement()
    {
        start("ApplicableHeaderTradeSettlement");
        text("PaymentReference", m_invoice.number);
        text("InvoiceCurrencyCode", m_invoice.currency);
        paymentMeans();
        for (const VatGroup &group : m_invoice.vat) {
            start("ApplicableTradeTax");
            text("CalculatedAmount", amountText(group.tax));
            text("TypeCode", QStringLiteral("VAT"));
            text("BasisAmount", amountText(group.basis));
            text("CategoryCode", group.category);
            text("RateApplicablePercent", decimalText(group.percent, 2));
            end();
        }
        discount();
        start("SpecifiedTradePaymentTerms");
        // Line breaks as written, so that the coded Skonto line stands on a line of its own.
        const QString terms = paymentTermsText(m_invoice);
        if (!terms.trimmed().isEmpty()) {
            start("Description");
            m_xml.writeCharacters(terms);
            end();
        }
        if (m_invoice.dueDate > 0)
            date("DueDateDateTime", m_invoice.dueDate);
        end();

        start("SpecifiedTradeSettlementHeaderMonetarySummation");
        text("LineTotalAmount", amountText(m_invoice.lineTotal));
        if (m_invoice.discount < 0)
            text("ChargeTotalAmount", amountText(-m_invoice.discount));
        if (m_invoice.discount > 0)
            text("AllowanceTotalAmount", amountText(m_invoice.discount));
        text("TaxBasisTotalAmount", amountText(m_invoice.taxBasis));
        text("TaxTotalAmount", amountText(m_invoice.vatTotal), "currencyID", m_invoice.currency);
        text("GrandTotalAmount", amountText(m_invoice.grandTotal));
        text("DuePayableAmount", amountText(m_invoice.duePayable));
        end();
        if (!m_invoice.precedingInvoice.isEmpty()) {
            start("InvoiceReferencedDocument");
            text("IssuerAssignedID", m_invoice.precedingInvoice);
            if (m_invoice.precedingDate > 0) {
                start("FormattedIssueDateTime");
                m_xml.writeStartElement(kQdt, QStringLiteral("DateTimeString"));
                m_xml.writeAttribute(QStringLiteral("format"), QStringLiteral("102"));
                m_xml.writeCharacters(dateText(m_invoice.precedingDate));
                m_xml.writeEndElement();
                end();
            }
            end();
        }
        end();
    }

    const Invoice &m_invoice;
    Profile m_profile;
    QXmlStreamWriter m_xml;
};

} // namespace

QByteArray writeCii(const Invoice &invoice, Profile profile)
{
    QByteArray out;
    Cii(invoice, profile, &out).write();
    return out;
}

QString guidelineId(Profile profile)
{
    return profile == Profile::XRechnung ? QStringLiteral(
               "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0")
                                         : QStringLiteral("urn:cen.eu:en16931:2017");
}

QString paymentTermsText(const Invoice &invoice)
{
    QStringList lines;
    if (invoice.dueDate > 0) {
        lines.append(QStringLiteral("Rechnungsendbetrag zahlbar bis zum: ")
                     + germanDate(invoice.dueDate));
    }
    if (!invoice.skonto)
        return lines.join(QLatin1Char('\n'));
    const Skonto &s = *invoice.skonto;
    lines.append(QStringLiteral("Bei Zahlung bis zum ") + germanDate(s.date)
                 + QStringLiteral(" können ") + germanNumber(s.percent)
                 + QStringLiteral(" % Skonto abgezogen werden. Skontobetrag: ")
                 + germanAmount(s.payable) + QStringLiteral(" EUR"));
    QString coded = QStringLiteral("#SKONTO#TAGE=%1#PROZENT=%2#")
                        .arg(s.days)
                        .arg(QString::number(s.percent, 'f', 2));
    if (s.base != invoice.duePayable)
        coded += QStringLiteral("BASISBETRAG=") + amountText(s.base) + QLatin1Char('#');
    lines.append(coded);
    // The coded line ends with a line break of its own.
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace einvoice
