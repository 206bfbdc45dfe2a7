#include "invoicebuilder.h"

#include "germantext.h"

#include "orders/reports/documentdata.h"

#include "base/decimal.h"
#include "base/text.h"

#include <cmath>
#include <cstdint>

namespace einvoice {
namespace {

QString text(const RecordBuffer &record, StringField field)
{
    return QString::fromStdString(record.get(field)).trimmed();
}

// Without an invoice date there is nothing to count the days from: "day 30" would print as
// a date in 1801.
rt::StdDate addDays(rt::StdDate base, double days)
{
    if (base == 0)
        return 0;
    return base + static_cast<std::int32_t>(rt::roundDecimal(days, 0));
}

// A sum the order keeps unrounded agrees with its lines when it rounds to the same cents.
bool sameCents(double a, double b)
{
    return toCents(a) == toCents(b);
}

void addAttribute(InvoiceLine &line, const QString &name, const QString &value)
{
    if (!value.trimmed().isEmpty())
        line.attributes.push_back({name, value.trimmed()});
}

QString euro(Cents amount)
{
    return germanAmount(amount) + QStringLiteral(" EUR");
}

} // namespace

InvoiceLine calculationLine(const orders::CalculationData &calculation)
{
    const RecordBuffer &k = calculation.kaldruck;
    InvoiceLine line;
    line.kind = LineKind::Calculation;
    line.name = text(k, KAD::KABEZ);
    line.amount = toCents(k.get(KAD::KGESAMTPR));
    const double run = k.get(KAD::KAALGES);
    if (run > 0) {
        line.quantity = run;
        line.unitCode = QStringLiteral("H87");
    }
    line.printPrice = toCents(k.get(KAD::KADRPR));
    line.paperPrice = toCents(k.get(KAD::APENDPR));

    if (k.get(KAD::KAFARBE) > 0)
        addAttribute(line, QStringLiteral("Farben"), germanNumber(k.get(KAD::KAFARBE)));
    if (k.get(KAD::KASO) > 0)
        addAttribute(line, QStringLiteral("Sorten"), germanNumber(k.get(KAD::KASO)));
    if (k.get(KAD::KAAL) > 0)
        addAttribute(line, QStringLiteral("Stück je Sorte"), germanNumber(k.get(KAD::KAAL)));
    const QString paper = text(k, KAD::APBEZ);
    if (!paper.isEmpty()) {
        QString amount;
        if (k.get(KAD::APSTCK) > 0)
            amount = QStringLiteral(", ") + germanNumber(k.get(KAD::APSTCK)) + QLatin1Char(' ')
                     + text(k, KAD::AEINH);
        addAttribute(line, QStringLiteral("Papier"), paper + amount);
    }
    addAttribute(line, QStringLiteral("Druckpreis"), euro(line.printPrice));
    if (line.paperPrice != 0)
        addAttribute(line, QStringLiteral("Papierpreis"), euro(line.paperPrice));
    for (const RecordBuffer &a : calculation.typesetting) {
        const Cents price = toCents(a.get(ASA::ASGPR));
        line.typesetting.push_back(price);
        addAttribute(line,
                     QStringLiteral("Satz-/ Weiterverarbeitung"),
                     text(a, ASA::ASBEZ) + QStringLiteral(": ") + germanNumber(a.get(ASA::ASANZ))
                         + QStringLiteral(" × Faktor ") + germanNumber(a.get(ASA::ASFAK))
                         + QStringLiteral(" = ") + euro(price));
    }
    return line;
}

namespace {

InvoiceLine paperLine(const RecordBuffer &p)
{
    InvoiceLine line;
    line.kind = LineKind::Paper;
    line.name = text(p, APA::APBEZ);
    if (line.name.isEmpty())
        line.name = QStringLiteral("Papier");
    const double pieces = p.get(APA::APSTCK);
    const double units = p.get(APA::APANZ);
    const QString unit = text(p, APA::AEINH);
    if (pieces > 0)
        line.description = germanNumber(pieces) + QStringLiteral(" Stück");
    else if (units > 0)
        line.description = germanNumber(units, 4) + QLatin1Char(' ') + unit;
    line.amount = toCents(p.get(APA::APENDPR));
    line.paperPrice = line.amount;
    return line;
}

Buyer buyerOf(const RecordBuffer &customer, const BuyerEInvoiceData &data)
{
    Buyer b;
    b.id = text(customer, KUN::KID);
    b.name = text(customer, KUN::KNAME);
    b.contact = text(customer, KUN::KZHAND);
    b.address.street = text(customer, KUN::KSTR);
    b.address.postcode = text(customer, KUN::KPLZ);
    b.address.town = text(customer, KUN::KORT);
    b.address.country = data.country.trimmed();
    b.einvoice = data;
    return b;
}

void addLines(Invoice &invoice, const orders::DocumentData &data)
{
    const RecordBuffer &order = data.order;
    for (const orders::CalculationData &calculation : data.calculations)
        invoice.lines.push_back(calculationLine(calculation));
    for (const RecordBuffer &p : data.paperLines)
        invoice.lines.push_back(paperLine(p));

    const Cents extras = toCents(order.get(AUF::NACHPR));
    if (extras != 0) {
        InvoiceLine line;
        line.kind = LineKind::Extras;
        line.name = QStringLiteral("Zusatzarbeiten");
        line.description = text(order, AUF::NACHTXT);
        line.amount = extras;
        invoice.lines.push_back(line);
    }
    const Cents transport = toCents(order.get(AUF::TRANPR));
    if (transport != 0) {
        InvoiceLine line;
        line.kind = LineKind::Transport;
        line.name = QStringLiteral("Transportkosten");
        line.amount = transport;
        invoice.lines.push_back(line);
    }
}

void addOrderSums(Invoice &invoice, const orders::DocumentData &data)
{
    const RecordBuffer &order = data.order;
    OrderSums &s = invoice.orderSums;
    s.print = toCents(order.get(AUF::DRUCPR));
    s.colourChange = toCents(order.get(AUF::FARBWEPR));
    s.paper = toCents(order.get(AUF::PAPPR));
    s.typesetting = toCents(order.get(AUF::SATZPR));
    s.sheets = order.get(AUF::NGES);

    double print = 0;
    double paper = 0;
    double typesetting = 0;
    for (const orders::CalculationData &c : data.calculations) {
        print += c.kaldruck.get(KAD::KADRPR);
        paper += c.kaldruck.get(KAD::APENDPR);
        typesetting += c.kaldruck.get(KAD::ASGPR);
    }
    for (const RecordBuffer &p : data.paperLines)
        paper += p.get(APA::APENDPR);
    invoice.sumsBehindLines = !sameCents(print, order.get(AUF::DRUCPR))
                              || !sameCents(paper, order.get(AUF::PAPPR))
                              || !sameCents(typesetting, order.get(AUF::SATZPR));
}

// Discount, VAT and totals from the lines, in the order the order totals take them: the
// discounted amount rounded first, the discount being what it took off.
void addTotals(Invoice &invoice)
{
    Cents sum = 0;
    for (const InvoiceLine &line : invoice.lines)
        sum += line.amount;
    invoice.lineTotal = sum;

    const double net = toEuros(sum);
    const double percent = invoice.discountPercent;
    invoice.taxBasis = percent != 0 ? toCents(net - net / 100 * percent) : sum;
    invoice.discount = sum - invoice.taxBasis;

    VatGroup group;
    group.percent = invoice.seller.vatPercent;
    group.basis = invoice.taxBasis;
    group.tax = toCents(toEuros(group.basis) * group.percent / 100);
    invoice.vat = {group};
    invoice.vatTotal = group.tax;
    invoice.grandTotal = invoice.taxBasis + invoice.vatTotal;
    invoice.duePayable = invoice.grandTotal;
}

void addPayment(Invoice &invoice, const RecordBuffer &order)
{
    invoice.dueDate = addDays(invoice.issueDate, order.get(AUF::ZAZTAGE));
    const double percent = order.get(AUF::SKPROZ);
    if (percent <= 0)
        return;
    Skonto s;
    s.percent = percent;
    s.days = int(rt::roundDecimal(order.get(AUF::SKONTAGE), 0));
    s.date = addDays(invoice.issueDate, s.days);
    s.base = invoice.duePayable;
    const double base = toEuros(s.base);
    s.payable = toCents(base - base / 100 * percent);
    s.amount = s.base - s.payable;
    invoice.skonto = s;
}

} // namespace

Invoice
buildInvoice(const orders::DocumentData &data, const Seller &seller, const BuyerEInvoiceData &buyer)
{
    const RecordBuffer &order = data.order;
    Invoice invoice;
    invoice.number = text(order, AUF::FRENR);
    invoice.issueDate = order.get(AUF::FREDAT);
    invoice.deliveryDate = order.get(AUF::FLIEFDAT);
    if (invoice.deliveryDate == 0)
        invoice.deliveryDate = invoice.issueDate;
    invoice.orderNumber = text(order, AUF::FNR);
    invoice.subject = text(order, AUF::FKURZ);
    invoice.seller = seller;
    invoice.buyer = buyerOf(data.customer, buyer);

    addLines(invoice, data);
    addOrderSums(invoice, data);
    invoice.discountPercent = order.get(AUF::FRABATT);
    addTotals(invoice);
    addPayment(invoice, order);

    for (StringField field : {AUF::TEREC1, AUF::TEREC2, AUF::TEINFO1, AUF::TEINFO2}) {
        const QString note = text(order, field);
        if (!note.isEmpty())
            invoice.notes.append(note);
    }
    return invoice;
}
} // namespace einvoice
