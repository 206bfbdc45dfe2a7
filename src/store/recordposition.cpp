#include "store/recordposition.h"

#include "base/text.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace recordposition {
namespace {

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

template<typename T>
bool parseNumber(std::string_view text, T &value)
{
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

void appendTag(std::string &text, std::string_view tag)
{
    appendEncoded(text, tag);
}

void appendText(std::string &text, std::string_view cp1252)
{
    text += ";s";
    appendEncoded(text, cp1252);
}

void appendValue(std::string &text, const FieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value)) {
        text += ";i" + std::to_string(*i);
    } else if (const auto *r = std::get_if<double>(&value)) {
        char buf[40];
        std::snprintf(buf, sizeof buf, ";r%.17g", *r);
        text += buf;
    } else {
        appendText(text, rt::toCp1252(std::get<std::string>(value)));
    }
}

std::string encode(const Position &position)
{
    return encodeTagged(position.id, position.tag, [&](std::string &full) {
        for (const FieldValue &value : position.values)
            appendValue(full, value);
    });
}

bool decode(std::string_view text, Position &out)
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
    if (!parseNumber(pieces[0], out.id) || out.id == 0)
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
            if (!parseNumber(body, v))
                return false;
            out.values.emplace_back(v);
        } else if (piece[0] == 'r') {
            char *end = nullptr;
            const std::string copy(body);
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

} // namespace recordposition
