#include "store/sqlite/rowcodec.h"

#include "base/stddate.h"
#include "base/text.h"
#include "store/foldedkey.h"
#include "store/recordposition.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace rowcodec {
namespace {

template<typename T>
T load(const char *p)
{
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

template<typename T>
void store(char *p, T value)
{
    std::memcpy(p, &value, sizeof value);
}

// The length of the plain ASCII start of a text, eight bytes at a time.
std::size_t asciiPrefix(const char *p, std::size_t n)
{
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < n && static_cast<unsigned char>(p[i]) < 0x80)
        ++i;
    return i;
}

bool isAscii(std::string_view s)
{
    return asciiPrefix(s.data(), s.size()) == s.size();
}

// Latin-1 letters (umlauts and the like) are decoded straight into the field; anything
// else (the euro sign, malformed bytes) goes the general way.
void readText(std::string_view utf8, char *field, std::size_t width)
{
    std::size_t out = asciiPrefix(utf8.data(), std::min(utf8.size(), width));
    std::memcpy(field, utf8.data(), out);
    for (std::size_t i = out; i < utf8.size() && out < width; ++out) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            field[out] = static_cast<char>(lead);
            ++i;
            continue;
        }
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
        if ((lead == 0xC2 && next >= 0xA0 && next <= 0xBF)
            || (lead == 0xC3 && (next & 0xC0) == 0x80)) {
            field[out] = static_cast<char>(((lead & 0x1F) << 6) | (next & 0x3F));
            i += 2;
            continue;
        }
        rt::assignFixed(field, width, rt::toCp1252(utf8));
        return;
    }
    std::memset(field + out, ' ', width - out);
}

// The packed form of a value that the column holds with two places; values out of range
// (only a foreign writer can store them) are cut to the largest that fit.
void readDecimal(double value, unsigned char *out)
{
    double scaled = std::round(value * 100.0);
    if (!std::isfinite(scaled))
        scaled = 0;
    scaled = std::clamp(scaled, -99999.0, 99999.0);
    auto hundredths = static_cast<long>(std::fabs(scaled));
    int digits[5];
    for (int i = 4; i >= 0; --i) {
        digits[i] = static_cast<int>(hundredths % 10);
        hundredths /= 10;
    }
    out[0] = static_cast<unsigned char>((digits[0] << 4) | digits[1]);
    out[1] = static_cast<unsigned char>((digits[2] << 4) | digits[3]);
    out[2] = static_cast<unsigned char>((digits[4] << 4) | (scaled < 0 ? 0xD : 0xC));
}

} // namespace

void readRecord(const sqlite::Statement &row, int firstColumn, const FileDef &def, char *record)
{
    for (int i = 0; i < def.fieldCount; ++i) {
        const FieldDef &f = def.fields[i];
        char *p = record + f.offset;
        const int column = firstColumn + i;
        switch (f.type) {
        case FieldType::Long:
            store<std::int32_t>(p, row.int32(column));
            break;
        case FieldType::Real:
            store<double>(p, row.real(column));
            break;
        case FieldType::Date:
            rt::dateToField(row.int32(column), reinterpret_cast<unsigned char *>(p));
            break;
        case FieldType::Decimal:
            readDecimal(row.real(column), reinterpret_cast<unsigned char *>(p));
            break;
        case FieldType::String:
            readText(row.text(column), p, f.size);
            break;
        }
    }
}

void bindRecord(sqlite::Statement &statement,
                int firstParam,
                const FileDef &def,
                const char *record,
                std::vector<std::string> &scratch)
{
    const std::vector<int> &folded = foldedkey::foldedFields(def);
    if (scratch.size() < def.fieldCount + folded.size())
        scratch.resize(def.fieldCount + folded.size());
    for (int i = 0; i < def.fieldCount; ++i) {
        const FieldDef &f = def.fields[i];
        const char *p = record + f.offset;
        const int index = firstParam + i;
        switch (f.type) {
        case FieldType::Long:
            statement.bind(index, load<std::int32_t>(p));
            break;
        case FieldType::Real:
            statement.bind(index, load<double>(p));
            break;
        case FieldType::Date:
            statement.bind(index, rt::dateFromField(reinterpret_cast<const unsigned char *>(p)));
            break;
        case FieldType::Decimal:
            statement.bind(index, unpackDecimal52(reinterpret_cast<const unsigned char *>(p)));
            break;
        case FieldType::String: {
            const std::string_view text = rt::clip(std::string_view(p, f.size));
            if (isAscii(text)) {
                statement.bindStatic(index, text);
            } else {
                scratch[i] = rt::fromCp1252(text);
                statement.bindStatic(index, scratch[i]);
            }
            break;
        }
        }
    }
    for (std::size_t j = 0; j < folded.size(); ++j) {
        const int field = folded[j];
        const FieldDef &f = def.fields[field];
        const std::string_view text = rt::clip(std::string_view(record + f.offset, f.size));
        std::string &out = scratch[def.fieldCount + j];
        out = foldedkey::fold(isAscii(text) ? text : std::string_view(scratch[field]));
        statement.bindStatic(firstParam + def.fieldCount + static_cast<int>(j), out);
    }
}

FieldValue fieldValue(const FileDef &def, int field, const char *record)
{
    const FieldDef &f = def.fields[field];
    const char *p = record + f.offset;
    switch (f.type) {
    case FieldType::Long:
        return load<std::int32_t>(p);
    case FieldType::Real:
        return load<double>(p);
    case FieldType::Date:
        return rt::dateFromField(reinterpret_cast<const unsigned char *>(p));
    case FieldType::Decimal:
        return unpackDecimal52(reinterpret_cast<const unsigned char *>(p));
    case FieldType::String:
        return rt::fromCp1252(rt::clip(std::string_view(p, f.size)));
    }
    return std::int32_t{0};
}

std::vector<FieldValue> keyValues(const FileDef &def, const KeySpec &order, const char *record)
{
    std::vector<FieldValue> values;
    values.reserve(order.parts.size());
    for (const KeyPart &part : order.parts)
        values.push_back(fieldValue(def, part.field, record));
    return values;
}

void bindValue(sqlite::Statement &statement, int index, const FieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        statement.bind(index, *i);
    else if (const auto *r = std::get_if<double>(&value))
        statement.bind(index, *r);
    else
        statement.bindCopy(index, std::get<std::string>(value));
}

void bindKeyValues(sqlite::Statement &statement,
                   int firstParam,
                   const FileDef &def,
                   const KeySpec &order,
                   const std::vector<FieldValue> &values)
{
    for (std::size_t i = 0; i < values.size() && i < order.parts.size(); ++i) {
        const int index = firstParam + static_cast<int>(i);
        const auto *text = std::get_if<std::string>(&values[i]);
        if (order.noCase && text && def.fields[order.parts[i].field].type == FieldType::String)
            statement.bindCopy(index, foldedkey::fold(*text));
        else
            bindValue(statement, index, values[i]);
    }
}

void bindExtremes(sqlite::Statement &statement,
                  int firstParam,
                  const FileDef &def,
                  const KeySpec &order,
                  bool forward)
{
    static const unsigned char highest[] = {0xFF};
    for (std::size_t i = 0; i < order.parts.size(); ++i) {
        const KeyPart &part = order.parts[i];
        const bool lowest = forward != part.descending;
        const int index = firstParam + static_cast<int>(i);
        if (def.fields[part.field].type == FieldType::String) {
            if (lowest)
                statement.bindStatic(index, std::string_view());
            else
                statement.bindBlob(index, highest, 1);
        } else {
            const double inf = std::numeric_limits<double>::infinity();
            statement.bind(index, lowest ? -inf : inf);
        }
    }
}

std::string encodePosition(std::int64_t rowid,
                           const std::string &tag,
                           const FileDef &def,
                           const KeySpec &order,
                           const char *record)
{
    return recordposition::encodeTagged(rowid, tag, [&](std::string &full) {
        for (const KeyPart &part : order.parts) {
            const FieldDef &field = def.fields[part.field];
            if (field.type != FieldType::String) {
                recordposition::appendValue(full, fieldValue(def, part.field, record));
                continue;
            }
            // A text field's Windows-1252 bytes as they stand: the same bytes its value
            // turns back into.
            recordposition::appendText(
                full, rt::clip(std::string_view(record + field.offset, field.size)));
        }
    });
}

} // namespace rowcodec
