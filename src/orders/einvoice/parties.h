#pragma once

#include "invoice.h"

class RecordBuffer;

namespace orders {
struct DocumentData;
}

// The invoice's parties as the record files keep them: the shop's own data (`firma`) and the
// customer's e-invoice data (`kundeer`). A file without the record reads as its defaults.
namespace einvoice {

// The seller of the `firma` record; its VAT rate is the record's, 19 % when it has none.
Seller sellerFrom(const RecordBuffer &company);
// The customer's e-invoice data of the `kundeer` record; a blank country is DE.
BuyerEInvoiceData buyerDataFrom(const RecordBuffer &customerEInvoice);

// What a new record holds before anything is entered.
void setCompanyDefaults(RecordBuffer &company);
void setCustomerEInvoiceDefaults(RecordBuffer &customerEInvoice);

// The invoice of the order with the shop's and the customer's data as the files hold them,
// at the VAT rate of `vatFactor` (1.19), the one the order's totals were computed with.
Invoice invoiceOf(const orders::DocumentData &data, double vatFactor);

// The factor of the shop's VAT rate (19 % → 1.19), by which the order totals are computed.
double vatFactorOf(const RecordBuffer &company);

// The invoice form the customer wants.
InvoiceForm preferredForm(const RecordBuffer &customerEInvoice);

} // namespace einvoice
