#include "documentvalues.h"

#include "documentdata.h"

#include "base/decimal.h"

namespace orders {

DocumentValues documentValues(const DocumentData &data, DocumentKind kind, double vatFactor)
{
    const RecordBuffer &order = data.order;
    DocumentValues v;

    if (order.get(AUF::FRABATT) > 0) {
        v.discounted = order.get(AUF::RABPREIS);
        v.discountCaption = kind == DocumentKind::Invoice
                                ? QStringLiteral("Gesamt inkl. Rabatt:")
                                : QStringLiteral("Angebotspreis inkl. Rabatt:");
        v.discountCurrency = QStringLiteral("EUR");
        v.discountSuffix = QStringLiteral("% Rabatt");
        if (kind == DocumentKind::Quote)
            v.discountLeadIn = QStringLiteral("bei Gewährung von");
    }

    // Without an invoice date there is nothing to count the days from; "day 30" would
    // print as a date in 1801.
    const rt::StdDate invoiceDate = order.get(AUF::FREDAT);
    if (invoiceDate > 0)
        v.dueDate = invoiceDate + static_cast<rt::StdDate>(order.get(AUF::ZAZTAGE));
    v.vatPercent = rt::roundDecimal(vatFactor * 100 - 100, 2);

    if (order.get(AUF::SKPROZ) > 0) {
        if (invoiceDate > 0)
            v.skontoDate = invoiceDate + static_cast<rt::StdDate>(order.get(AUF::SKONTAGE));
        v.skontoUntil = QStringLiteral("Bei Zahlung bis zum");
        v.skontoCan = QStringLiteral("können");
        v.skontoDeducted = QStringLiteral("% Skonto abgezogen werden.");
        v.skontoAmountCaption = QStringLiteral("Skontobetrag:");
        v.skontoCurrency = QStringLiteral("EUR");
        v.skontoAmount = order.get(AUF::SKONPREIS);
    }

    if (order.get(AUF::NACHPR) > 0) {
        v.extrasLine
            = QStringLiteral("Zusatzarb. ") + QString::fromStdString(order.get(AUF::NACHTXT));
        v.extrasCurrency = QStringLiteral("EUR");
        v.extrasLeadIn = QStringLiteral("zzgl. einmalig");
    }

    if (order.get(AUF::TRANPR) > 0) {
        v.transportLeadIn = QStringLiteral("zzgl. einmalig");
        v.transportCurrency = QStringLiteral("EUR");
        v.transportCaption = QStringLiteral("Transportkosten:");
    }
    return v;
}

} // namespace orders
