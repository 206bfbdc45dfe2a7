#include "germantext.h"

#include "base/decimal.h"

#include <QLocale>

namespace einvoice {
namespace {

const QLocale &german()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

} // namespace

QString germanAmount(Cents amount)
{
    return german().toString(toEuros(amount), 'f', 2);
}

QString germanNumber(double value, int maxDecimals)
{
    QString text = german().toString(rt::roundDecimal(value, maxDecimals), 'f', maxDecimals);
    const QString comma = german().decimalPoint();
    if (text.contains(comma)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(comma))
            text.chop(comma.size());
    }
    return text;
}

QString germanDate(rt::StdDate date)
{
    return QString::fromStdString(rt::formatDate(date));
}

} // namespace einvoice
