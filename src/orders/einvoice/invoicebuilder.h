#pragma once

#include "invoice.h"

namespace orders {
struct CalculationData;
struct DocumentData;
} // namespace orders

namespace einvoice {

// The invoice of an order as its documents show it: one line per print calculation, one per
// paper line of the order, one for the additional work and one for the transport; the
// customer discount off their sum; VAT at the seller's rate on what is left; the due date
// (the payment period counted from the invoice date) and the Skonto.
//
// Every line is rounded to the cent before the lines are added up, so the net amount is the
// sum of what the lines show. It can differ by a cent from the order's stored net amount,
// which is rounded only after its unrounded sums were added.
Invoice buildInvoice(const orders::DocumentData &data,
                     const Seller &seller,
                     const BuyerEInvoiceData &buyer = {});

// The line of one print calculation: its position price, run, print and paper price and
// typesetting lines.
InvoiceLine calculationLine(const orders::CalculationData &calculation);

} // namespace einvoice
