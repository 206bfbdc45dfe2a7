#pragma once

#include "base/stddate.h"

#include <QString>

// Numbers and dates as the printed pages show them, in German notation.
namespace report {

// "1.234,50": rounded to cents in decimal arithmetic, thousands grouped.
QString amount(double value);
// A quantity or factor: "10.000", "1,5", "2,25"; at most `maxDecimals` places and no
// trailing zeros.
QString number(double value, int maxDecimals = 2);
// "07.12.2026"; empty for no date.
QString date(rt::StdDate value);

} // namespace report
