#include "invoice.h"

#include "base/decimal.h"

#include <cmath>

namespace einvoice {

Cents toCents(double euros)
{
    if (!std::isfinite(euros))
        return 0;
    // The rounded value is the double nearest to a whole number of cents; scaling it keeps
    // it within a hair of that number, which llround then hits.
    return std::llround(rt::roundDecimal(euros, 2) * 100);
}

double toEuros(Cents cents)
{
    return rt::roundDecimal(double(cents) / 100, 2);
}

QString attachmentName(Profile profile)
{
    return profile == Profile::XRechnung ? QStringLiteral("xrechnung.xml")
                                         : QStringLiteral("factur-x.xml");
}

} // namespace einvoice
