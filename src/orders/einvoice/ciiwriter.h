#pragma once

#include "invoice.h"

#include <QByteArray>
#include <QString>

namespace einvoice {

// The invoice as a UN/CEFACT Cross Industry Invoice (D16B), UTF-8: for the EN 16931 profile,
// or for XRechnung 3.0 with the business process, buyer reference, seller contact and
// electronic addresses it asks for. Skonto goes into the payment terms twice: as the sentence
// the printed invoice shows and as the coded line "#SKONTO#TAGE=…#PROZENT=…#" that receiving
// systems read. Writes whatever the invoice holds; missingEInvoiceData says beforehand
// whether that is enough.
QByteArray writeCii(const Invoice &invoice, Profile profile);

// The guideline the XML names (its specification identifier).
QString guidelineId(Profile profile);

// The payment terms as written: due date, Skonto sentence and coded Skonto line.
QString paymentTermsText(const Invoice &invoice);

} // namespace einvoice
