#pragma once

#include "store/recordbuffer.h"

#include <QString>

#include <optional>

// A display picture in the compact form the forms are written with:
//
//   @n10.2   number: width 10, 2 decimals, thousands grouped    1234.5 → "1.234,50"
//   @n-10.2  the same, negative values allowed                   -3.5 → "-3,50"
//   @n_10.2  no thousands grouping                             1234.5 → "1234,50"
//   @n04     zero-filled whole number                              42 → "0042"
//   @n10.2b  blank when zero
//   @s35     text of at most 35 characters
//   @d6      date dd.mm.yyyy (a standard date; 0 shows blank)
//
// Numbers show the German way: decimal comma, "." between thousands. The width counts every
// character shown (sign, separators, comma). Grouping is dropped where it alone would not
// fit; a value that does not fit at all, or a negative value in a picture without '-', shows
// as '#' over the whole width, never as a wrong number.
//
// Input takes a comma or a dot as decimal separator. When both occur, the last one separates
// the decimals and the others group thousands; several dots alone group thousands; a single
// dot is the decimal point, except in a whole-number picture where "1.234" means 1234.
// Input is rounded (in decimal) to the picture's decimals; a value that would not fit, a '-'
// in a picture without one, and anything that is not a number are refused.
class Picture
{
public:
    enum class Kind { Text, Number, Date, Time };

    // Text without a limit.
    Picture() = default;
    // Throws std::invalid_argument for a picture it does not know.
    explicit Picture(const QString &picture);
    static std::optional<Picture> tryParse(const QString &picture);

    // The picture a field is shown with when its form names none.
    static Picture forField(const FieldDef &field);

    Kind kind() const { return m_kind; }
    int width() const { return m_width; }
    int decimals() const { return m_decimals; }
    bool allowsNegative() const { return m_signed; }
    QString text() const { return m_text; }

    QString format(const FieldValue &value) const;
    // The value typed, or nothing when the input is refused. Numbers come back as double,
    // dates as a standard date (int), texts as UTF-8.
    std::optional<FieldValue> parse(const QString &input) const;

private:
    QString formatNumber(double value) const;
    std::optional<FieldValue> parseNumber(const QString &input) const;

    Kind m_kind = Kind::Text;
    int m_width = 0; // 0: no limit (texts only)
    int m_decimals = 0;
    bool m_signed = false;
    bool m_grouping = true;
    bool m_zeroFill = false;
    bool m_blankZero = false;
    QString m_text;
};

// Values as the controls compare them: numbers by value whatever their type, texts without
// trailing blanks, a text against a number by the number it spells.
bool sameValue(const FieldValue &a, const FieldValue &b);
double numberOf(const FieldValue &value);
