#include "store/postgres/pgcodec.h"

#include "base/text.h"
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

void appendEncoded(std::string &out, std::string_view bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '-'
            || b == '_' || b == '.') {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 0xF];
        }
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool decodeBytes(std::string_view text, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int hi = hexDigit(text[i + 1]);
        const int lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
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

std::string encodePosition(const Position &position)
{
    std::string text = std::to_string(position.id);
    if (position.tag.empty())
        return text;
    std::string full = text + ';';
    appendEncoded(full, position.tag);
    for (const FieldValue &value : position.values) {
        full += ';';
        if (const auto *i = std::get_if<std::int32_t>(&value)) {
            full += 'i' + std::to_string(*i);
        } else if (const auto *r = std::get_if<double>(&value)) {
            full += 'r' + doubleText(*r);
        } else {
            // Windows-1252, as the record holds it: one byte a letter keeps positions short.
            full += 's';
            appendEncoded(full, rt::toCp1252(std::get<std::string>(value)));
        }
    }
    return full.size() <= kMaxPosition ? full : text;
}

bool decodePosition(std::string_view text, Position &out)
{
    out = Position{};
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(';', start);
        pieces.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    const auto parsed
        = std::from_chars(pieces[0].data(), pieces[0].data() + pieces[0].size(), out.id);
    if (parsed.ec != std::errc() || parsed.ptr != pieces[0].data() + pieces[0].size()
        || out.id <= 0)
        return false;
    if (pieces.size() == 1)
        return true;
    std::string bytes;
    if (!decodeBytes(pieces[1], bytes))
        return false;
    out.tag = bytes;
    for (std::size_t i = 2; i < pieces.size(); ++i) {
        const std::string_view piece = pieces[i];
        if (piece.empty())
            return false;
        const std::string_view body = piece.substr(1);
        if (piece[0] == 'i') {
            std::int32_t v = 0;
            const auto r = std::from_chars(body.data(), body.data() + body.size(), v);
            if (r.ec != std::errc() || r.ptr != body.data() + body.size())
                return false;
            out.values.emplace_back(v);
        } else if (piece[0] == 'r') {
            const std::string copy(body);
            char *end = nullptr;
            const double v = std::strtod(copy.c_str(), &end);
            if (copy.empty() || *end != '\0')
                return false;
            out.values.emplace_back(v);
        } else if (piece[0] == 's') {
            if (!decodeBytes(body, bytes))
                return false;
            out.values.emplace_back(rt::fromCp1252(bytes));
        } else {
            return false;
        }
    }
    return true;
}

} // namespace pgcodec
