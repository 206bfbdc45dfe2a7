#pragma once

#include "base/stddate.h"
#include "orders/core/documentnumbers.h"

#include <QString>

namespace einvoice {
struct Invoice;
}

namespace orders {

struct DocumentData;

// The values a document works out for itself from the order and its invoice, which holds
// every amount. Every text is empty when its condition fails, and an empty text prints
// nothing.
struct DocumentValues
{
    // Discount: only when AUF:FRABATT > 0.
    double discounted = 0;
    QString discountCaption;
    QString discountCurrency;
    QString discountSuffix;
    QString discountLeadIn; // quotes only

    // AUF:FREDAT + AUF:ZAZTAGE; a payment period of 0 days makes it the invoice date.
    rt::StdDate dueDate = 0;
    double vatPercent = 0;

    // Skonto: only when AUF:SKPROZ > 0.
    rt::StdDate skontoDate = 0;
    QString skontoUntil;
    QString skontoCan;
    QString skontoDeducted;
    QString skontoAmountCaption;
    QString skontoCurrency;
    double skontoAmount = 0;

    // Additional work: only when the invoice has a line for it (AUF:NACHPR > 0).
    QString extrasLine;
    QString extrasCurrency;
    QString extrasLeadIn; // short quote
    double extras = 0;

    // Transport in the short quote: only when the invoice has a line for it.
    QString transportLeadIn;
    QString transportCurrency;
    QString transportCaption;
    double transport = 0; // also where no line shows it
};

DocumentValues
documentValues(const DocumentData &data, const einvoice::Invoice &invoice, DocumentKind kind);

} // namespace orders
