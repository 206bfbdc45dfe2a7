#include "textformat.h"

#include "base/decimal.h"

#include <QLocale>

#include <algorithm>
#include <utility>
#include <vector>

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

bool isFigure(QChar c)
{
    return c.isDigit() || c == u'.' || c == u',' || c == u'-' || c == u' ';
}

// The widest of the characters a number is written with, in millimetres: a number of n
// characters is at most n times as wide, which spares measuring the many that fit.
double widestFigure(const Font &font)
{
    static std::vector<std::pair<Font, double>> known;
    for (const auto &[f, width] : known) {
        if (f == font)
            return width;
    }
    double widest = 0;
    for (const QChar c : QStringLiteral("0123456789.,- "))
        widest = std::max(widest, textWidth(font, QString(c)));
    known.emplace_back(font, widest);
    return widest;
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

Font fitted(const Font &font, const QString &text, double maxWidth, double smallest)
{
    if (maxWidth <= 0)
        return font;
    if (std::all_of(text.begin(), text.end(), isFigure)
        && text.size() * widestFigure(font) <= maxWidth)
        return font;
    const double width = textWidth(font, text);
    if (width <= maxWidth)
        return font;
    // The printer's glyphs may come out a little wider than measured here.
    constexpr double kMargin = 0.97;
    Font smaller = font;
    smaller.pointSize = std::max(smallest, font.pointSize * maxWidth / width * kMargin);
    return smaller;
}

} // namespace report
