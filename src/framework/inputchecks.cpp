#include "framework/inputchecks.h"

#include "base/decimal.h"
#include "base/text.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace inputchecks {
namespace {

// Letters and marks without a decomposition into a Windows-1252 letter, and their nearest
// one. Characters that do not show (zero-width spaces, the byte order mark) go.
struct Nearest
{
    char32_t character;
    const char16_t *replacement;
};
constexpr Nearest kNearest[] = {
    {U'ł', u"l"},  {U'Ł', u"L"},  {U'đ', u"d"},  {U'Đ', u"D"},  {U'ħ', u"h"},  {U'Ħ', u"H"},
    {U'ı', u"i"},  {U'ŧ', u"t"},  {U'Ŧ', u"T"},  {U'ĸ', u"k"},  {U'ə', u"e"},  {U'Ə', u"E"},
    {U'ʼ', u"'"},  {U'‐', u"-"},  {U'‑', u"-"},  {U'‒', u"-"},  {U'−', u"-"},  {U'―', u"—"},
    {U'‛', u"'"},  {U'‟', u"\""}, {U'′', u"'"},  {U'″', u"\""}, {0x200B, u""}, {0x200C, u""},
    {0x200D, u""}, {0x2060, u""}, {0xFEFF, u""},
};

bool storable(const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        if (!rt::cp1252Holds(c))
            return false;
    }
    return true;
}

std::optional<QString> nearestStorable(char32_t c)
{
    for (const Nearest &n : kNearest) {
        if (n.character == c)
            return QString::fromUtf16(n.replacement);
    }
    // A letter with marks (ź, ő, č) without the marks that the code page lacks.
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString bare;
    for (const QChar part : decomposed) {
        if (!part.isMark())
            bare += part;
    }
    if (bare.isEmpty() || !storable(bare))
        return std::nullopt;
    return bare;
}

QString named(const QString &character)
{
    const char32_t c = character.toUcs4().value(0);
    return u"„"_s + character + u"“ (U+"_s
           + QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, u'0') + u')';
}

bool numberLike(QString s)
{
    s = s.trimmed();
    if (s.startsWith(u'-') || s.startsWith(u'+'))
        s = s.mid(1);
    else if (s.endsWith(u'-'))
        s.chop(1);
    bool digit = false;
    for (const QChar c : s) {
        if (c.isDigit())
            digit = true;
        else if (c != u'.' && c != u',')
            return false;
    }
    return digit;
}

// The number as typed, before the picture rounds it to its decimals; nothing when it is not
// a number or too large to show at all.
std::optional<double> typedValue(const Picture &picture, const QString &input)
{
    // A whole-number picture reads a single dot before three digits as grouping: 1.234.
    const QString s = input.trimmed();
    const qsizetype dot = s.indexOf(u'.');
    if (picture.decimals() == 0 && !s.contains(u',') && dot > 0 && s.count(u'.') == 1
        && s.size() - dot - 1 == 3) {
        const std::optional<FieldValue> whole = Picture(u"@n-_30"_s).parse(s);
        if (whole)
            return numberOf(*whole);
    }
    const std::optional<FieldValue> exact = Picture(u"@n-_30.9"_s).parse(s);
    if (!exact)
        return std::nullopt;
    return numberOf(*exact);
}

QString rangeSentence(const Picture &picture, const NumberRange &allowed)
{
    const QString kind = picture.decimals() == 0 ? u"eine ganze Zahl"_s : u"eine Zahl"_s;
    return u"Bitte "_s + kind + u" zwischen "_s + germanNumber(allowed.low, picture.decimals())
           + u" und "_s + germanNumber(allowed.high, picture.decimals()) + u" eingeben."_s;
}

} // namespace

StorableText checkStorable(const QString &text)
{
    StorableText result;
    QString nearest;
    bool replaceable = true;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (rt::cp1252Holds(c)) {
            nearest += character;
            continue;
        }
        if (!result.unstorable.contains(character))
            result.unstorable.append(character);
        const std::optional<QString> near = nearestStorable(c);
        replaceable = replaceable && near.has_value();
        if (near)
            nearest += *near;
    }
    if (!result.unstorable.isEmpty() && replaceable)
        result.replacement = nearest;
    return result;
}

std::optional<InputRefusal> checkText(const QString &text, int limit)
{
    const StorableText storable = checkStorable(text);
    if (!storable.unstorable.isEmpty()) {
        QStringList names;
        for (const QString &character : storable.unstorable)
            names.append(named(character));
        const bool one = names.size() == 1;
        QString reason = (one ? u"Das Zeichen "_s : u"Die Zeichen "_s) + names.join(u", "_s)
                         + (one ? u" kann"_s : u" können"_s) + u" hier nicht gespeichert werden."_s;
        if (!storable.replacement)
            reason += one ? u"|Bitte ersetzen oder entfernen Sie es."_s
                          : u"|Bitte ersetzen oder entfernen Sie sie."_s;
        return InputRefusal{{}, reason, storable.replacement, true};
    }
    // Every character left is one of the code page's, one unit of the text each.
    if (limit > 0 && text.size() > limit) {
        return InputRefusal{{},
                            u"Der Text ist zu lang: höchstens "_s + QString::number(limit)
                                + u" Zeichen, eingegeben sind "_s + QString::number(text.size())
                                + u'.',
                            std::nullopt,
                            true};
    }
    return std::nullopt;
}

NumberRange pictureRange(const Picture &picture)
{
    const int decimals = picture.decimals();
    const int digits = std::min(picture.width() - (decimals > 0 ? decimals + 1 : 0), 15);
    const double step = std::pow(10.0, -decimals);
    NumberRange range;
    range.high = digits > 0 ? rt::roundDecimal(std::pow(10.0, digits) - step, decimals) : 0;
    if (picture.allowsNegative() && digits > 1)
        range.low = -rt::roundDecimal(std::pow(10.0, digits - 1) - step, decimals);
    return range;
}

NumberRange intersect(const NumberRange &a, const std::optional<NumberRange> &b)
{
    if (!b)
        return a;
    return {std::max(a.low, b->low), std::min(a.high, b->high)};
}

std::optional<InputRefusal>
checkNumber(const Picture &picture, const QString &input, const NumberRange &allowed)
{
    const std::optional<double> typed = typedValue(picture, input);
    const QString range = rangeSentence(picture, allowed);
    if (!typed && !numberLike(input)) {
        return InputRefusal{
            {}, u"„"_s + input.trimmed() + u"“ ist keine Zahl.|"_s + range, std::nullopt, false};
    }
    // Rounding a count would change it without a word: 2,5 sorts are not 3.
    const bool fraction = typed && picture.decimals() == 0 && *typed != std::trunc(*typed);
    const std::optional<FieldValue> parsed = picture.parse(input);
    const double value = parsed ? numberOf(*parsed) : typed.value_or(0);
    if (!typed || fraction || !parsed || value < allowed.low || value > allowed.high)
        return InputRefusal{{}, range, std::nullopt, false};
    return std::nullopt;
}

QString germanNumber(double value, int decimals)
{
    const double rounded = rt::roundDecimal(value, decimals);
    QString digits = QString::number(std::fabs(rounded), 'f', decimals);
    QString fraction;
    if (const qsizetype point = digits.indexOf(u'.'); point >= 0) {
        fraction = digits.mid(point + 1);
        digits.truncate(point);
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
    }
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += u'.';
        grouped += digits.at(i);
    }
    QString out = grouped;
    if (rounded < 0)
        out.prepend(u'-');
    if (!fraction.isEmpty())
        out += u',' + fraction;
    return out;
}

} // namespace inputchecks
