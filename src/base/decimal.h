#pragma once

// Decimal arithmetic of the runtime: amounts are held as doubles and rounded in decimal,
// so that 40.005 becomes 40.01 although the double just below it is what is stored.
namespace rt {

// Rounds to `places` decimal places (negative: to tens, hundreds, ...): the value is first
// taken as a decimal of 15 significant digits, then rounded half away from zero.
double roundDecimal(double value, int places);

// Whole-number part of a quotient of positive values; an exact quotient counts fully.
// Computed on the same 15-digit decimal, so that 0.3 / 0.1 gives 3, not 2.
double quotientFloor(double numerator, double denominator);

// Smallest whole number not below the value, on the same 15-digit decimal.
double ceilDecimal(double value);

} // namespace rt
