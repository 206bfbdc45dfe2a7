#pragma once

#include "invoice.h"

#include <QString>

// Amounts, numbers and dates in the texts an invoice carries, as the printed pages write them.
namespace einvoice {

// "1.136,03"
QString germanAmount(Cents amount);
// "5.000", "1,5": at most `maxDecimals` places, no trailing zeros.
QString germanNumber(double value, int maxDecimals = 2);
// "25.07.2025"; empty for no date.
QString germanDate(rt::StdDate date);

} // namespace einvoice
