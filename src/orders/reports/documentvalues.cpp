#include "documentvalues.h"

#include "documentdata.h"

#include "orders/einvoice/invoice.h"

namespace orders {
namespace {

double amountOf(const einvoice::Invoice &invoice, einvoice::LineKind kind)
{
    einvoice::Cents sum = 0;
    for (const einvoice::InvoiceLine &line : invoice.lines) {
        if (line.kind == kind)
            sum += line.amount;
    }
    return einvoice::toEuros(sum);
}

} // namespace

DocumentValues
documentValues(const DocumentData &data, const einvoice::Invoice &invoice, DocumentKind kind)
{
    const RecordBuffer &order = data.order;
    DocumentValues v;

    if (invoice.discountPercent > 0) {
        v.discounted = einvoice::toEuros(invoice.taxBasis);
        v.discountCaption = kind == DocumentKind::Invoice
                                ? QStringLiteral("Gesamt inkl. Rabatt:")
                                : QStringLiteral("Angebotspreis inkl. Rabatt:");
        v.discountCurrency = QStringLiteral("EUR");
        v.discountSuffix = QStringLiteral("% Rabatt");
        if (kind == DocumentKind::Quote)
            v.discountLeadIn = QStringLiteral("bei Gewährung von");
    }

    v.dueDate = invoice.dueDate;
    v.vatPercent = invoice.vat.empty() ? invoice.seller.vatPercent : invoice.vat.front().percent;

    if (invoice.skonto) {
        v.skontoDate = invoice.skonto->date;
        v.skontoUntil = QStringLiteral("Bei Zahlung bis zum");
        v.skontoCan = QStringLiteral("können");
        v.skontoDeducted = QStringLiteral("% Skonto abgezogen werden.");
        v.skontoAmountCaption = QStringLiteral("Skontobetrag:");
        v.skontoCurrency = QStringLiteral("EUR");
        v.skontoAmount = einvoice::toEuros(invoice.skonto->payable);
    }

    v.extras = amountOf(invoice, einvoice::LineKind::Extras);
    v.transport = amountOf(invoice, einvoice::LineKind::Transport);
    if (v.extras > 0) {
        v.extrasLine
            = QStringLiteral("Zusatzarb. ") + QString::fromStdString(order.get(AUF::NACHTXT));
        v.extrasCurrency = QStringLiteral("EUR");
        v.extrasLeadIn = QStringLiteral("zzgl. einmalig");
    }

    if (v.transport > 0) {
        v.transportLeadIn = QStringLiteral("zzgl. einmalig");
        v.transportCurrency = QStringLiteral("EUR");
        v.transportCaption = QStringLiteral("Transportkosten:");
    }
    return v;
}

} // namespace orders
