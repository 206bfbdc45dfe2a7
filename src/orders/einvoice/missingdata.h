#pragma once

#include "invoice.h"

#include <QStringList>

namespace einvoice {

// Everything an e-invoice of this profile needs and the invoice lacks, one German sentence
// per item, each saying where it is entered. Empty when the invoice can be written. Nothing
// is ever filled in by guessing: an e-invoice that misses one of these is not written.
QStringList missingEInvoiceData(const Invoice &invoice, Profile profile);

// An IBAN whose check digits are right (ISO 13616, mod 97); blanks are ignored.
bool ibanValid(const QString &iban);

} // namespace einvoice
