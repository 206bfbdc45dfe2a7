#include "store/foldedkey.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace foldedkey {
namespace {

// Base letters of U+00C0 … U+00FF; nullptr keeps the character (× and ÷).
constexpr const char *kLatin1Base[64] = {
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", "y",
};

constexpr char kSecondary = '\x01';
constexpr char kControl = '\x02';

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
        return lead; // a stray byte compares as itself
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

// Yields the characters of a text one by one, either as base letters (primary) or in
// lower case with their accents (secondary).
class Units
{
public:
    Units(std::string_view text, bool primary)
        : m_text(text)
        , m_primary(primary)
    {}

    bool next(char32_t &unit)
    {
        if (m_pending && *m_pending) {
            unit = static_cast<unsigned char>(*m_pending++);
            return true;
        }
        if (m_pos >= m_text.size())
            return false;
        const auto byte = static_cast<unsigned char>(m_text[m_pos]);
        if (byte < 0x80) {
            ++m_pos;
            unit = (byte >= 'A' && byte <= 'Z') ? byte + 0x20 : byte;
            return true;
        }
        const char32_t cp = decode(m_text, m_pos);
        if (!m_primary) {
            unit = lower(cp);
            return true;
        }
        const char *base = baseOf(cp);
        if (!base) {
            unit = lower(cp);
            return true;
        }
        unit = static_cast<unsigned char>(base[0]);
        m_pending = base + 1;
        return true;
    }

private:
    std::string_view m_text;
    bool m_primary;
    std::size_t m_pos = 0;
    const char *m_pending = nullptr;
};

int compareUnits(std::string_view a, std::string_view b, bool primary)
{
    Units ua(a, primary);
    Units ub(b, primary);
    for (;;) {
        char32_t ca = 0;
        char32_t cb = 0;
        const bool hasA = ua.next(ca);
        const bool hasB = ub.next(cb);
        if (!hasA || !hasB)
            return hasA ? 1 : (hasB ? -1 : 0);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
}

std::string_view withoutTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// UTF-8 keeps the order of code points byte by byte; characters below a blank move above
// the two marker bytes.
void appendUnit(std::string &out, char32_t unit)
{
    if (unit < 0x20) {
        out += kControl;
        out += static_cast<char>(unit + 0x20);
    } else if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit < 0x800) {
        out += static_cast<char>(0xC0 | (unit >> 6));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else if (unit < 0x10000) {
        out += static_cast<char>(0xE0 | (unit >> 12));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | ((unit >> 18) & 0x07));
        out += static_cast<char>(0x80 | ((unit >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

void appendUnits(std::string &out, std::string_view text, bool primary)
{
    Units units(text, primary);
    char32_t unit = 0;
    while (units.next(unit))
        appendUnit(out, unit);
}

} // namespace

int compare(std::string_view a, std::string_view b)
{
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    // Equal characters compare equal on both levels, and plain ASCII compares the same on
    // both: a common start (neighbours in a key share long ones) is passed over byte by byte,
    // and only the rest is compared letter by letter.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < common && a[i] == b[i])
        ++i;
    while (i > 0 && i < common && (static_cast<unsigned char>(a[i]) & 0xC0) == 0x80)
        --i; // back to the start of a character split by the difference
    for (; i < common; ++i) {
        auto ca = static_cast<unsigned char>(a[i]);
        auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            break;
        ca = (ca >= 'A' && ca <= 'Z') ? ca + 0x20 : ca;
        cb = (cb >= 'A' && cb <= 'Z') ? cb + 0x20 : cb;
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    a.remove_prefix(i);
    b.remove_prefix(i);
    const int primary = compareUnits(a, b, true);
    if (primary != 0)
        return primary;
    return compareUnits(a, b, false);
}

// Why the secondary part may be left out when it equals the primary one: such a text holds
// only characters that are their own base letter, so against any other text with the same
// base letters it differs first where that one has an accented letter (code point 0xC0 and
// up) and it has the plain base letter (ASCII). It sorts first on both counts: as the
// accents' order says, and as the shorter of two byte strings with the same start.
std::string fold(std::string_view utf8)
{
    const std::string_view text = withoutTrailingBlanks(utf8);
    std::string out;
    out.reserve(text.size());
    bool plain = true;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte < 0x20) {
            plain = false;
            break;
        }
        out += (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 0x20) : c;
    }
    if (plain)
        return out;

    out.clear();
    appendUnits(out, text, true);
    std::string secondary;
    secondary.reserve(out.size());
    appendUnits(secondary, text, false);
    if (secondary != out) {
        out += kSecondary;
        out += secondary;
    }
    return out;
}

std::string columnName(std::string_view field)
{
    return "_fold_" + std::string(field);
}

bool isFolded(const FileDef &def, int field)
{
    if (field < 0 || field >= def.fieldCount || def.fields[field].type != FieldType::String)
        return false;
    for (int k = 0; k < def.keyCount; ++k) {
        const KeyDef &key = def.keys[k];
        if (!key.noCase)
            continue;
        for (int p = 0; p < key.partCount; ++p) {
            if (key.parts[p].field == field)
                return true;
        }
    }
    return false;
}

const std::vector<int> &foldedFields(const FileDef &def)
{
    static const std::array<std::vector<int>, kFileCount> fields = [] {
        std::array<std::vector<int>, kFileCount> all;
        for (std::size_t f = 0; f < kFileCount; ++f) {
            const FileDef &file = fileDef(static_cast<FileId>(f));
            for (int i = 0; i < file.fieldCount; ++i) {
                if (isFolded(file, i))
                    all[f].push_back(i);
            }
        }
        return all;
    }();
    return fields[static_cast<std::size_t>(def.id)];
}

} // namespace foldedkey
