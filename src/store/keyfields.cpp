#include "store/keyfields.h"

#include "base/stddate.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

double numericValue(const RecordBuffer &buffer, int field)
{
    const FieldValue value = buffer.value(field);
    if (const auto *number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto *real = std::get_if<double>(&value))
        return *real;
    const std::string &text = std::get<std::string>(value);
    double result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        result = result * 10 + (c - '0');
    }
    return result;
}

void setNumber(RecordBuffer &buffer, int field, double value)
{
    switch (buffer.def().fields[field].type) {
    case FieldType::Long:
    case FieldType::Date:
        buffer.setValue(field, static_cast<std::int32_t>(value));
        break;
    case FieldType::Real:
    case FieldType::Decimal:
        buffer.setValue(field, value);
        break;
    case FieldType::String: {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%.0f", std::floor(value));
        buffer.setValue(field, std::string(digits));
        break;
    }
    }
}

void setLowest(RecordBuffer &buffer, int field)
{
    const FieldDef &def = buffer.def().fields[field];
    switch (def.type) {
    case FieldType::Long:
    case FieldType::Date:
        buffer.setValue(field, std::int32_t{0});
        break;
    case FieldType::Real:
    case FieldType::Decimal:
        buffer.setValue(field, 0.0);
        break;
    case FieldType::String:
        buffer.setValue(field, std::string());
        break;
    }
}

void setHighest(RecordBuffer &buffer, int field)
{
    const FieldDef &def = buffer.def().fields[field];
    switch (def.type) {
    case FieldType::Long:
        buffer.setValue(field, std::numeric_limits<std::int32_t>::max());
        break;
    case FieldType::Date:
        buffer.setValue(field, rt::dateFromYmd(9999, 12, 31));
        break;
    case FieldType::Real:
        buffer.setValue(field, std::numeric_limits<double>::max());
        break;
    case FieldType::Decimal:
        buffer.setValue(field, 999.99);
        break;
    case FieldType::String:
        // 0xFF is the highest Windows-1252 byte; no text the users type sorts after it.
        std::memset(buffer.data() + def.offset, 0xFF, def.size);
        break;
    }
}
