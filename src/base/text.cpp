#include "text.h"

#include <array>
#include <cstdint>

namespace rt {
namespace {

// Code points of the bytes 0x80..0x9F; the five bytes that Windows-1252 leaves undefined
// map to the C1 control of the same value, as the platform does.
constexpr std::array<char32_t, 32> kHigh
    = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
       0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
       0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePoint(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHigh[byte - 0x80];
    return byte;
}

char encode(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at text[i]; advances i. Returns U+FFFD for malformed bytes.
char32_t decodeUtf8(std::string_view text, std::size_t &i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    return cp;
}

unsigned char upperByte(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A:
        return 0x8A; // š
    case 0x9C:
        return 0x8C; // œ
    case 0x9E:
        return 0x8E; // ž
    case 0xFF:
        return 0x9F; // ÿ
    default:
        return c;
    }
}

} // namespace

std::string toCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size())
        out += encode(decodeUtf8(utf8, i));
    return out;
}

bool cp1252Holds(char32_t character)
{
    return encode(character) != '?' || character == U'?';
}

std::string fromCp1252(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (const char c : cp1252)
        appendUtf8(out, codePoint(static_cast<unsigned char>(c)));
    return out;
}

void assignFixed(char *field, std::size_t width, std::string_view cp1252)
{
    const std::size_t n = cp1252.size() < width ? cp1252.size() : width;
    for (std::size_t i = 0; i < n; ++i)
        field[i] = cp1252[i];
    for (std::size_t i = n; i < width; ++i)
        field[i] = ' ';
}

std::string_view clip(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\0'))
        --end;
    return text.substr(0, end);
}

std::string_view trimmed(std::string_view text)
{
    text = clip(text);
    std::size_t begin = 0;
    while (begin < text.size() && text[begin] == ' ')
        ++begin;
    return text.substr(begin);
}

bool isBlank(std::string_view text)
{
    return trimmed(text).empty();
}

bool equalClipped(std::string_view a, std::string_view b)
{
    return clip(a) == clip(b);
}

std::string upperCp1252(std::string_view cp1252)
{
    std::string out(cp1252);
    for (char &c : out)
        c = static_cast<char>(upperByte(static_cast<unsigned char>(c)));
    return out;
}

std::string upperUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        const char32_t cp = decodeUtf8(utf8, i);
        const char byte = encode(cp);
        if (byte == '?' && cp != U'?') {
            out.append(utf8.substr(start, i - start));
            continue;
        }
        appendUtf8(out, codePoint(upperByte(static_cast<unsigned char>(byte))));
    }
    return out;
}

std::string leftChars(std::string_view utf8, std::size_t chars)
{
    std::size_t i = 0;
    std::size_t count = 0;
    while (i < utf8.size() && count < chars) {
        decodeUtf8(utf8, i);
        ++count;
    }
    return std::string(utf8.substr(0, i));
}

} // namespace rt
