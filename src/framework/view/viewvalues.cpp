#include "framework/view/viewvalues.h"

#include "base/text.h"

#include <charconv>
#include <cstdlib>

namespace viewvalues {

namespace {

std::string numberText(const FieldValue &value)
{
    if (const auto *whole = std::get_if<std::int32_t>(&value))
        return std::to_string(*whole);
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, std::get<double>(value));
    return std::string(digits, result.ptr);
}

} // namespace

std::string filterValue(const FieldValue &value, bool upper)
{
    const auto *text = std::get_if<std::string>(&value);
    if (!text)
        return numberText(value);
    std::string quoted = "'";
    for (char c : *text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    quoted += '\'';
    return upper ? "UPPER(" + quoted + ")" : quoted;
}

void store(RecordBuffer &buffer, int field, const FieldValue &value)
{
    if (buffer.setValue(field, value))
        return;
    // A number out of the field's range leaves the field as it was.
    if (buffer.def().fields[field].type == FieldType::String) {
        buffer.setValue(field, numberText(value));
    } else if (const auto *text = std::get_if<std::string>(&value)) {
        const std::string number(rt::trimmed(*text));
        buffer.setValue(field, std::strtod(number.c_str(), nullptr));
    }
}

} // namespace viewvalues
