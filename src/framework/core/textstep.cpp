#include "textstep.h"

#include "keyfold.h"
#include "base/text.h"

#include <algorithm>
#include <cstdint>

namespace {

// The punctuation a key may hold: the set is what counts, SORTCHARS keeps byte order.
constexpr std::string_view kPunctuation = "`!\"\xA3$%%^&*()'-=_+][#;~@:/.,?\\| ";
static_assert(kPunctuation.size() == 31);

constexpr int kComputedDigits = 4;

// Trailing blanks do not count: a shorter text compares as if padded with blanks.
int comparePadded(std::string_view a, std::string_view b)
{
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(i < a.size() ? a[i] : ' ');
        const auto cb = static_cast<unsigned char>(i < b.size() ? b[i] : ' ');
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return 0;
}

bool isLetter(unsigned char c, bool anyCase)
{
    if (c >= 'A' && c <= 'Z')
        return true;
    if (!anyCase)
        return false; // a folded key holds no other letter
    if (c >= 'a' && c <= 'z')
        return true;
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

} // namespace

TextStep::TextStep(LookupMode mode, unsigned controls)
    : StepManager(controls)
    , m_lookupMode(mode)
{
    switch (mode) {
    case LookupMode::Surnames:
        m_testLen = 3;
        m_ref.assign(surnameTable().begin(), surnameTable().end());
        break;
    case LookupMode::Alphabet:
        m_testLen = 2;
        m_ref = alphabetTable();
        break;
    case LookupMode::Computed:
        m_testLen = kComputedDigits;
        m_sortChars = buildSortChars(controls);
        buildComputedTable({}, {});
        break;
    }
}

const std::array<std::string_view, TextStep::TableSize> &TextStep::surnameTable()
{
    static constexpr std::array<std::string_view, TableSize> table = {
        "   ", "ALB", "AME", "ARN", "BAK", "BAT", "BEN", "BIA", "BOB", "BRA", "BRO", "BUA", "CAC",
        "CAR", "CEN", "CHR", "COE", "CON", "COR", "CRU", "DAS", "DEL", "DIA", "DON", "DUR", "ELD",
        "EVE", "FEL", "FIS", "FLO", "FRE", "FUT", "GAR", "GIB", "GOL", "GOS", "GRE", "GUT", "HAM",
        "HEM", "HOB", "HOT", "ING", "JAS", "JON", "KAG", "KEA", "KIR", "KOR", "KYO", "LAT", "LEO",
        "LIG", "LOU", "MAC", "MAQ", "MAR", "MAU", "MCK", "MER", "MIL", "MON", "MOR", "NAT", "NOL",
        "OKE", "PAG", "PAU", "PET", "PIN", "POR", "PUL", "RAU", "REY", "ROB", "ROS", "RUB", "SAL",
        "SCA", "SCH", "SCR", "SHA", "SIG", "SKI", "SNA", "SOU", "STE", "STI", "SUN", "TAY", "TIR",
        "TUC", "VAN", "WAC", "WAS", "WEI", "WIE", "WIM", "WOL", "YOR"};
    return table;
}

std::vector<std::string> TextStep::alphabetTable()
{
    std::vector<std::string> table{"  "};
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string_view seconds = " FNT";
        if (letter == 'A')
            seconds = "FNT";
        else if (letter == 'Q' || letter == 'Z')
            seconds = " N";
        for (const char second : seconds)
            table.push_back(std::string{letter, second});
    }
    return table;
}

std::string TextStep::buildSortChars(unsigned controls)
{
    if ((controls & (Alphabetic | Punctuation | Digits)) == 0)
        controls |= Alphabetic | Punctuation | Digits;
    const bool anyCase = (controls & CaseSensitive) != 0;
    std::string chars;
    for (int byte = 1; byte <= 255; ++byte) {
        const auto c = static_cast<unsigned char>(byte);
        const bool keep
            = ((controls & Punctuation) && kPunctuation.find(char(c)) != kPunctuation.npos)
              || ((controls & Digits) && c >= '0' && c <= '9')
              || ((controls & Alphabetic) && isLetter(c, anyCase));
        if (keep)
            chars += static_cast<char>(c);
    }
    return chars;
}

std::string TextStep::keyForm(const FieldValue &value) const
{
    const auto *text = std::get_if<std::string>(&value);
    if (!text)
        return {};
    const std::string cp = rt::toCp1252(rt::trimmed(*text));
    return (controls() & CaseSensitive) ? cp : keyfold::foldNoCase(cp);
}

void TextStep::setLimits(const FieldValue &first, const FieldValue &last)
{
    if (m_lookupMode == LookupMode::Computed)
        buildComputedTable(keyForm(first), keyForm(last));
}

void TextStep::buildComputedTable(std::string low, std::string high)
{
    // A descending key hands its highest value first.
    if (comparePadded(low, high) > 0)
        std::swap(low, high);
    std::size_t common = 0;
    while (common < low.size() && common < high.size() && common < RootSize
           && low[common] == high[common])
        ++common;
    m_root = low.substr(0, common);

    const std::int64_t base = static_cast<std::int64_t>(m_sortChars.size());
    // Digit of a character: its place among the sort characters; one that is not among them
    // takes the place of the nearest below it, so the order of the texts is kept.
    const auto digit = [this](unsigned char c) -> std::int64_t {
        const auto it = std::upper_bound(
            m_sortChars.begin(), m_sortChars.end(), c, [](unsigned char x, char s) {
                return x < static_cast<unsigned char>(s);
            });
        return it == m_sortChars.begin() ? 0 : (it - m_sortChars.begin()) - 1;
    };
    const auto number = [&](const std::string &text, char pad) {
        std::int64_t n = 0;
        for (int i = 0; i < kComputedDigits; ++i) {
            const std::size_t at = common + static_cast<std::size_t>(i);
            n = n * base + digit(static_cast<unsigned char>(at < text.size() ? text[at] : pad));
        }
        return n;
    };
    std::int64_t from = number(low, m_sortChars.front());
    std::int64_t to = number(high, m_sortChars.back());
    if (from > to)
        std::swap(from, to);

    m_ref.clear();
    m_ref.reserve(TableSize);
    for (std::size_t i = 0; i < TableSize; ++i) {
        std::int64_t n = from + (to - from) * static_cast<std::int64_t>(i) / 100;
        std::string entry(kComputedDigits, ' ');
        for (int k = kComputedDigits - 1; k >= 0; --k) {
            entry[static_cast<std::size_t>(k)] = m_sortChars[static_cast<std::size_t>(n % base)];
            n /= base;
        }
        m_ref.push_back(std::move(entry));
    }
}

int TextStep::position(const FieldValue &value) const
{
    if (!std::holds_alternative<std::string>(value))
        return 50;
    const std::string key = keyForm(value);
    std::string_view rest = key;
    int count = 0;
    const int head = comparePadded(rest.substr(0, std::min(rest.size(), m_root.size())), m_root);
    if (head < 0) {
        count = 0;
    } else if (head > 0) {
        count = static_cast<int>(TableSize);
    } else {
        rest = rest.substr(std::min(rest.size(), m_root.size()));
        rest = rest.substr(0, static_cast<std::size_t>(m_testLen) + 1);
        count = static_cast<int>(std::count_if(m_ref.begin(), m_ref.end(), [rest](const auto &e) {
            return comparePadded(e, rest) <= 0;
        }));
    }
    const int pos = descending() ? static_cast<int>(TableSize) - count : count;
    return pos == 0 ? 1 : pos;
}

std::optional<FieldValue> TextStep::value(int position) const
{
    int p = std::clamp(position, 0, static_cast<int>(TableSize));
    if (descending())
        p = static_cast<int>(TableSize) - p;
    if (p == 0)
        p = 1;
    const std::string text = m_root + m_ref[static_cast<std::size_t>(p - 1)];
    return FieldValue(rt::fromCp1252(rt::clip(text)));
}
