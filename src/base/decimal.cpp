#include "decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace rt {
namespace {

// A finite double as sign, 15 significant digits and a decimal exponent:
// value = sign * 0.d1d2...d15 * 10^exponent.
struct Decimal15
{
    bool negative = false;
    std::string digits; // exactly 15 digits, first non-zero unless the value is zero
    int exponent = 0;
};

Decimal15 toDecimal15(double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string text(buf, res.ptr);
    Decimal15 d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t ePos = text.find('e');
    for (std::size_t k = i; k < ePos; ++k) {
        if (text[k] != '.')
            d.digits += text[k];
    }
    d.exponent = std::atoi(text.c_str() + ePos + 1) + 1;
    return d;
}

double fromText(const std::string &text)
{
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    return out;
}

// The double nearest to the value's 15-significant-digit decimal form.
double asDecimal15(double value)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    const Decimal15 d = toDecimal15(value);
    return fromText((d.negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.exponent));
}

} // namespace

double roundDecimal(double value, int places)
{
    if (!std::isfinite(value) || value == 0)
        return value;
    Decimal15 d = toDecimal15(value);
    // Number of digits that stay: those before the decimal point plus `places`.
    const int keep = d.exponent + places;
    if (keep >= 15)
        return asDecimal15(value);
    if (keep < 0)
        return 0.0;
    std::string kept = d.digits.substr(0, static_cast<std::size_t>(keep));
    const bool roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
    int exponent = d.exponent;
    if (roundUp) {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') {
            kept[static_cast<std::size_t>(k)] = '0';
            --k;
        }
        if (k < 0) {
            kept.insert(kept.begin(), '1');
            ++exponent;
        } else {
            ++kept[static_cast<std::size_t>(k)];
        }
    }
    if (kept.empty())
        return 0.0;
    const double result = fromText("0." + kept + "e" + std::to_string(exponent));
    return d.negative ? -result : result;
}

double quotientFloor(double numerator, double denominator)
{
    if (denominator == 0)
        return 0;
    return std::floor(asDecimal15(numerator / denominator));
}

double ceilDecimal(double value)
{
    return std::ceil(asDecimal15(value));
}

} // namespace rt
