#include "framework/picture.h"

#include "base/decimal.h"
#include "base/stddate.h"
#include "base/text.h"

#include <QStringList>

#include <cmath>
#include <cstdio>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

bool readNumber(const QString &s, int &pos, int &out)
{
    const int start = pos;
    while (pos < s.size() && s.at(pos).isDigit())
        ++pos;
    if (pos == start)
        return false;
    out = s.mid(start, pos - start).toInt();
    return true;
}

bool allDigits(const QString &s)
{
    for (QChar c : s) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u'.';
        out += digits.at(i);
    }
    return out;
}

} // namespace

std::optional<Picture> Picture::tryParse(const QString &picture)
{
    Picture p;
    p.m_text = picture;
    const QString s = picture.trimmed();
    if (s.size() < 2 || s.at(0) != u'@')
        return std::nullopt;
    const QChar type = s.at(1).toLower();
    int pos = 2;
    if (type == u'n') {
        p.m_kind = Kind::Number;
        while (pos < s.size() && (s.at(pos) == u'-' || s.at(pos) == u'_')) {
            if (s.at(pos) == u'-')
                p.m_signed = true;
            else
                p.m_grouping = false;
            ++pos;
        }
        if (pos + 1 < s.size() && s.at(pos) == u'0' && s.at(pos + 1).isDigit()) {
            p.m_zeroFill = true;
            p.m_grouping = false;
            ++pos;
        }
        if (!readNumber(s, pos, p.m_width) || p.m_width <= 0)
            return std::nullopt;
        if (pos < s.size() && s.at(pos) == u'.') {
            ++pos;
            if (!readNumber(s, pos, p.m_decimals) || p.m_decimals > 9)
                return std::nullopt;
        }
        if (pos < s.size() && s.at(pos).toLower() == u'b') {
            p.m_blankZero = true;
            ++pos;
        }
    } else if (type == u's') {
        p.m_kind = Kind::Text;
        if (!readNumber(s, pos, p.m_width) || p.m_width <= 0)
            return std::nullopt;
    } else if (type == u'd') {
        // Every date picture shows dd.mm.yyyy; the number only names the variant.
        p.m_kind = Kind::Date;
        int variant = 0;
        readNumber(s, pos, variant);
        p.m_width = 10;
        if (pos < s.size() && s.at(pos).toLower() == u'b')
            ++pos;
    } else if (type == u't') {
        // A standard time as the clock shows it, "14:05"; no time shows nothing.
        p.m_kind = Kind::Time;
        int variant = 0;
        readNumber(s, pos, variant);
        p.m_width = 5;
    } else {
        return std::nullopt;
    }
    if (pos != s.size())
        return std::nullopt;
    return p;
}

Picture::Picture(const QString &picture)
{
    const std::optional<Picture> p = tryParse(picture);
    if (!p)
        throw std::invalid_argument("unknown display picture: " + picture.toStdString());
    *this = *p;
}

Picture Picture::forField(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::String:
        return Picture(u"@s"_s + QString::number(field.size));
    case FieldType::Long:
        return Picture(u"@n-_11"_s);
    case FieldType::Real:
        return Picture(u"@n-15.2"_s);
    case FieldType::Decimal:
        return Picture(u"@n-7.2"_s);
    case FieldType::Date:
        return Picture(u"@d6"_s);
    }
    return {};
}

QString Picture::format(const FieldValue &value) const
{
    switch (m_kind) {
    case Kind::Number:
        return formatNumber(numberOf(value));
    case Kind::Date: {
        const auto date = static_cast<rt::StdDate>(std::llround(numberOf(value)));
        return QString::fromStdString(rt::formatDate(date));
    }
    case Kind::Time: {
        const auto time = std::llround(numberOf(value));
        if (time <= 0)
            return {};
        const long long minutes = (time - 1) / 6000;
        return QString::asprintf("%02lld:%02lld", minutes / 60 % 24, minutes % 60);
    }
    case Kind::Text:
        break;
    }
    QString text;
    if (const auto *s = std::get_if<std::string>(&value))
        text = QString::fromStdString(*s);
    else
        text = QString::number(numberOf(value), 'g', 15);
    return m_width > 0 ? text.left(m_width) : text;
}

QString Picture::formatNumber(double value) const
{
    const QString overflow(m_width, u'#');
    if (!std::isfinite(value))
        return overflow;
    double v = rt::roundDecimal(value, m_decimals);
    if (v == 0.0)
        v = 0.0; // no "-0,00"
    if (m_blankZero && v == 0.0)
        return {};
    const bool negative = v < 0.0;
    if (negative && !m_signed)
        return overflow;
    if (std::fabs(v) >= 1e18)
        return overflow;

    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", m_decimals, std::fabs(v));
    const QString plain = QString::fromLatin1(buf);
    const qsizetype point = plain.indexOf(u'.');
    const QString whole = point < 0 ? plain : plain.left(point);
    const QString fraction = point < 0 ? QString() : plain.mid(point + 1);

    const auto compose = [&](const QString &integer) {
        QString out = negative ? u"-"_s : QString();
        out += integer;
        if (m_decimals > 0)
            out += u',' + fraction;
        return out;
    };
    QString out;
    if (m_zeroFill) {
        const qsizetype fixed = compose(QString()).size();
        out = compose(
            whole.rightJustified(std::max<qsizetype>(m_width - fixed, whole.size()), u'0'));
    } else if (m_grouping) {
        out = compose(groupThousands(whole));
        if (out.size() > m_width)
            out = compose(whole);
    } else {
        out = compose(whole);
    }
    return out.size() > m_width ? overflow : out;
}

std::optional<FieldValue> Picture::parse(const QString &input) const
{
    switch (m_kind) {
    case Kind::Number:
        return parseNumber(input);
    case Kind::Date: {
        const QString trimmed = input.trimmed();
        if (trimmed.isEmpty())
            return FieldValue{std::int32_t{0}};
        const rt::StdDate date = rt::parseDate(trimmed.toStdString());
        if (date == 0)
            return std::nullopt;
        return FieldValue{std::int32_t{date}};
    }
    case Kind::Time: {
        const QStringList parts = input.trimmed().split(u':');
        if (parts.size() == 1 && parts.front().isEmpty())
            return FieldValue{std::int32_t{0}};
        bool hourOk = false;
        bool minuteOk = parts.size() == 2;
        const int hour = parts.front().toInt(&hourOk);
        const int minute = minuteOk ? parts.back().toInt(&minuteOk) : 0;
        if (!hourOk || !minuteOk || hour < 0 || hour > 23 || minute < 0 || minute > 59)
            return std::nullopt;
        return FieldValue{std::int32_t{rt::timeFromHms(hour, minute, 0)}};
    }
    case Kind::Text:
        break;
    }
    return FieldValue{(m_width > 0 ? input.left(m_width) : input).toStdString()};
}

std::optional<FieldValue> Picture::parseNumber(const QString &input) const
{
    QString s = input.trimmed();
    if (s.isEmpty())
        return FieldValue{0.0};
    bool negative = false;
    if (s.startsWith(u'-') || s.endsWith(u'-')) {
        negative = true;
        s = (s.startsWith(u'-') ? s.mid(1) : s.chopped(1)).trimmed();
    } else if (s.startsWith(u'+')) {
        s = s.mid(1).trimmed();
    }

    const qsizetype commas = s.count(u',');
    const qsizetype dots = s.count(u'.');
    QString whole = s;
    QString fraction;
    const auto splitAt = [&](qsizetype at) {
        whole = s.left(at);
        fraction = s.mid(at + 1);
    };
    if (commas > 0 && dots > 0) {
        const qsizetype at = std::max(s.lastIndexOf(u','), s.lastIndexOf(u'.'));
        if (s.count(s.at(at)) > 1)
            return std::nullopt;
        splitAt(at);
        whole.remove(s.at(at) == u',' ? u'.' : u',');
    } else if (commas > 1) {
        return std::nullopt;
    } else if (commas == 1) {
        splitAt(s.indexOf(u','));
        whole.remove(u'.');
    } else if (dots > 1) {
        whole.remove(u'.');
    } else if (dots == 1) {
        const qsizetype at = s.indexOf(u'.');
        const bool groupsThousands = m_decimals == 0 && s.size() - at - 1 == 3 && at > 0;
        if (groupsThousands)
            whole.remove(u'.');
        else
            splitAt(at);
    }
    if (!allDigits(whole) || !allDigits(fraction) || (whole.isEmpty() && fraction.isEmpty()))
        return std::nullopt;

    bool ok = false;
    const QString plain
        = (whole.isEmpty() ? u"0"_s : whole) + u'.' + (fraction.isEmpty() ? u"0"_s : fraction);
    double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    value = rt::roundDecimal(value, m_decimals);
    if (negative && value != 0.0) {
        if (!m_signed)
            return std::nullopt;
        value = -value;
    }
    if (formatNumber(value).contains(u'#'))
        return std::nullopt;
    return FieldValue{value};
}

double numberOf(const FieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto *d = std::get_if<double>(&value))
        return *d;
    return QString::fromStdString(std::get<std::string>(value)).trimmed().toDouble();
}

bool sameValue(const FieldValue &a, const FieldValue &b)
{
    const auto *ta = std::get_if<std::string>(&a);
    const auto *tb = std::get_if<std::string>(&b);
    if (ta && tb)
        return rt::equalClipped(*ta, *tb);
    if (ta || tb) {
        bool ok = false;
        const double n = QString::fromStdString(ta ? *ta : *tb).trimmed().toDouble(&ok);
        return ok && n == numberOf(ta ? b : a);
    }
    return numberOf(a) == numberOf(b);
}
