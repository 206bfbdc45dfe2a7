#include "textformat.h"

#include "base/decimal.h"

#include <QLocale>

namespace report {
namespace {

const QLocale &german()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

// Rounding may leave -0.0, which would print as "-0,00".
double rounded(double value, int places)
{
    const double r = rt::roundDecimal(value, places);
    return r == 0 ? 0.0 : r;
}

} // namespace

QString amount(double value)
{
    return german().toString(rounded(value, 2), 'f', 2);
}

QString number(double value, int maxDecimals)
{
    QString text = german().toString(rounded(value, maxDecimals), 'f', maxDecimals);
    const QChar comma = german().decimalPoint().front();
    if (text.contains(comma)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(comma))
            text.chop(1);
    }
    return text;
}

QString date(rt::StdDate value)
{
    return QString::fromStdString(rt::formatDate(value));
}

} // namespace report
