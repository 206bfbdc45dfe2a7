#include "store/postgres/keyfold.h"

#include <cstdint>

namespace keyfold {
namespace {

// Base letters of U+00C0 … U+00FF; nullptr keeps the character (× and ÷).
constexpr const char *kLatin1Base[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "y",
};

char32_t decode(std::string_view s, std::size_t &i)
{
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = lead;
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
        return lead;
    }
    for (int k = 0; k < extra && i < s.size(); ++k) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) != 0x80)
            break;
        cp = (cp << 6) | (c & 0x3F);
        ++i;
    }
    return cp;
}

const char *baseOf(char32_t cp)
{
    if (cp >= 0xC0 && cp <= 0xFF)
        return kLatin1Base[cp - 0xC0];
    switch (cp) {
    case 0x0160:
    case 0x0161:
        return "s";
    case 0x017D:
    case 0x017E:
        return "z";
    case 0x0152:
    case 0x0153:
        return "oe";
    case 0x0178:
        return "y";
    default:
        return nullptr;
    }
}

char32_t lower(char32_t cp)
{
    if (cp >= 'A' && cp <= 'Z')
        return cp + 0x20;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 0x20;
    switch (cp) {
    case 0x0160:
    case 0x017D:
    case 0x0152:
        return cp + 1;
    case 0x0178:
        return 0xFF;
    default:
        return cp;
    }
}

// UTF-8 keeps the order of code points, so the folded bytes compare as the letters do.
void append(std::string &out, char32_t cp)
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

} // namespace

std::string fold(std::string_view utf8)
{
    while (!utf8.empty() && utf8.back() == ' ')
        utf8.remove_suffix(1);
    std::string primary;
    std::string secondary;
    primary.reserve(utf8.size() + 1);
    secondary.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t cp = decode(utf8, i);
        const char32_t low = lower(cp);
        append(secondary, low);
        if (const char *base = baseOf(cp))
            primary += base;
        else
            append(primary, low);
    }
    // Below every letter, so that a text whose base letters begin another's comes first.
    primary += '\x01';
    return primary + secondary;
}

} // namespace keyfold
