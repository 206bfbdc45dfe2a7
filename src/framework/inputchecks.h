#pragma once

#include "framework/picture.h"

#include <QString>
#include <QStringList>

#include <optional>

// What an entry refuses before a value reaches its record, said in German words the user
// can act on. The binding asks these when it takes a control's input.

// Why an input was not taken.
struct InputRefusal
{
    QString field;  // the control's label; set by the window
    QString reason; // what is wrong and what is allowed
    // For characters a record cannot hold: the input with the nearest letters, when every
    // such character has one.
    std::optional<QString> replacement;
    // The input stays in the control for the user to correct (a text); a number or date that
    // does not fit is replaced by the value again.
    bool keepsInput = false;
};

// The smallest and largest number an entry takes.
struct NumberRange
{
    double low = 0;
    double high = 0;
};

namespace inputchecks {

// A text checked against what the record files can hold (Windows-1252).
struct StorableText
{
    QStringList unstorable; // each character that cannot be held, once, in order
    // The text with the nearest letters; none when one of them has none.
    std::optional<QString> replacement;
};
StorableText checkStorable(const QString &text);
// The refusal for a text with characters the records cannot hold, or for one longer than
// `limit` characters (0: no limit); nothing when the text may be taken.
std::optional<InputRefusal> checkText(const QString &text, int limit);

// The numbers a number picture can show.
NumberRange pictureRange(const Picture &picture);
// Both ranges at once; `b` may be absent.
NumberRange intersect(const NumberRange &a, const std::optional<NumberRange> &b);
// The refusal of a number entry: the input could not be read as a number of the picture,
// or lies outside `allowed`. Nothing when `input` gives a number within `allowed`.
std::optional<InputRefusal>
checkNumber(const Picture &picture, const QString &input, const NumberRange &allowed);

// "1.234,5": German digits, the decimals the value has up to `decimals`.
QString germanNumber(double value, int decimals);

} // namespace inputchecks
