#include "store/postgres/pgcodec.h"

#include "store/foldedkey.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace pgcodec {
namespace {

std::string doubleText(double value)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

double parseDouble(std::string_view text)
{
    const std::string copy(text);
    return std::strtod(copy.c_str(), nullptr);
}

std::int32_t parseInt(std::string_view text)
{
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

Oid typeOf(FieldType type)
{
    switch (type) {
    case FieldType::Long:
    case FieldType::Date:
        return pg::Type::Int4;
    case FieldType::Real:
    case FieldType::Decimal:
        return pg::Type::Float8;
    case FieldType::String:
        return pg::Type::Text;
    }
    return pg::Type::Text;
}

Oid typeOf(const FieldValue &value)
{
    if (std::holds_alternative<std::int32_t>(value))
        return pg::Type::Int4;
    if (std::holds_alternative<double>(value))
        return pg::Type::Float8;
    return pg::Type::Text;
}

std::string textOf(const FieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return std::to_string(*i);
    if (const auto *r = std::get_if<double>(&value))
        return doubleText(*r);
    return std::get<std::string>(value);
}

void addRecord(pg::Params &params, const FileDef &def, const RecordBuffer &record)
{
    for (int i = 0; i < def.fieldCount; ++i) {
        const FieldValue value = record.value(i);
        params.add(textOf(value), typeOf(def.fields[i].type));
    }
    for (int i = 0; i < def.fieldCount; ++i) {
        if (def.fields[i].type == FieldType::String)
            params.add(foldedkey::fold(std::get<std::string>(record.value(i))), pg::Type::Text);
    }
}

void addComponent(pg::Params &params,
                  const FileDef &def,
                  const KeyPart &part,
                  bool noCase,
                  const FieldValue &value)
{
    const FieldType type = def.fields[part.field].type;
    if (type == FieldType::String) {
        const std::string *text = std::get_if<std::string>(&value);
        const std::string plain = text ? *text : textOf(value);
        params.add(noCase ? foldedkey::fold(plain) : plain, pg::Type::Text);
        return;
    }
    params.add(textOf(value), typeOf(type));
}

void readRecord(const pg::Result &row, int index, int first, RecordBuffer &record)
{
    const FileDef &def = record.def();
    for (int i = 0; i < def.fieldCount; ++i) {
        const std::string_view text = row.text(index, first + i);
        switch (def.fields[i].type) {
        case FieldType::Long:
        case FieldType::Date:
            record.setValue(i, parseInt(text));
            break;
        case FieldType::Real:
        case FieldType::Decimal:
            record.setValue(i, parseDouble(text));
            break;
        case FieldType::String:
            record.setValue(i, std::string(text));
            break;
        }
    }
}

std::vector<FieldValue> keyValues(const KeySpec &order, const RecordBuffer &record)
{
    std::vector<FieldValue> values;
    values.reserve(order.parts.size());
    for (const KeyPart &part : order.parts)
        values.push_back(record.value(part.field));
    return values;
}

bool decodePosition(std::string_view text, recordposition::Position &out)
{
    return recordposition::decode(text, out) && out.id > 0;
}

} // namespace pgcodec
