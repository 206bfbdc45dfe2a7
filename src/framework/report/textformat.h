#pragma once

#include "base/stddate.h"
#include "pagecontent.h"

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

// `font`, smaller where `text` would be wider than `maxWidth` millimetres, so that a large
// figure stays whole inside its column instead of running into the next; never below
// `smallest` points (a text still too wide is then for the column's own limit to cut).
Font fitted(const Font &font, const QString &text, double maxWidth, double smallest = 5);

} // namespace report
