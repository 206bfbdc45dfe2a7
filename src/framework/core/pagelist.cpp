#include "pagelist.h"

#include <algorithm>
#include <climits>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t utf8Length(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Reads a page number; one too large for an int counts as beyond every page.
std::optional<int> readNumber(std::string_view item, std::size_t &at)
{
    while (at < item.size() && isBlank(item[at]))
        ++at;
    if (at >= item.size() || !isDigit(item[at]))
        return std::nullopt;
    long long n = 0;
    while (at < item.size() && isDigit(item[at])) {
        n = std::min<long long>(n * 10 + (item[at] - '0'), INT_MAX);
        ++at;
    }
    while (at < item.size() && isBlank(item[at]))
        ++at;
    return static_cast<int>(n);
}

std::string quoted(std::string_view item)
{
    return "\u201E" + std::string(item) + "\u201C";
}

} // namespace

PageListParse PageList::parse(std::string_view text, int pageCount)
{
    PageListParse result;
    if (utf8Length(text) > MaxChars) {
        result.reason = "Die Seitenauswahl ist länger als 255 Zeichen.";
        return result;
    }
    for (const char c : text) {
        if (!isDigit(c) && !isBlank(c) && c != '-' && c != ',') {
            result.reason = "Die Seitenauswahl darf nur Seitenzahlen, \u201E-\u201C und "
                            "\u201E,\u201C enthalten, z.B. 1-3,5.";
            return result;
        }
    }

    std::vector<std::pair<int, int>> ranges;
    bool anyItem = false;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find(',', begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view item = text.substr(begin, end - begin);
        begin = end + 1;
        if (std::all_of(item.begin(), item.end(), isBlank))
            continue; // "1-3,,5" and a trailing comma are harmless
        anyItem = true;

        std::size_t at = 0;
        const std::optional<int> first = readNumber(item, at);
        std::optional<int> last = first;
        if (at < item.size() && item[at] == '-') {
            ++at;
            last = readNumber(item, at);
            if (!first && !last) {
                result.reason = "Unvollständige Seitenangabe " + quoted(item) + ".";
                return result;
            }
            if (!last)
                last = INT_MAX;
        }
        if (at != item.size() || !last) {
            result.reason = "Unverständliche Seitenangabe " + quoted(item) + ".";
            return result;
        }
        const int from = first.value_or(1);
        if (from > *last) {
            result.reason
                = "Im Seitenbereich " + quoted(item) + " liegt die erste Seite hinter der letzten.";
            return result;
        }
        const int lo = std::max(from, 1);
        const int hi = std::min(*last, pageCount);
        if (lo <= hi)
            ranges.emplace_back(lo, hi);
    }
    if (!anyItem) {
        result.reason = "Bitte die Seiten für den Druck angeben, z.B. 1-3,5.";
        return result;
    }
    if (ranges.empty()) {
        result.reason = "Keine der angegebenen Seiten liegt zwischen 1 und "
                        + std::to_string(std::max(pageCount, 0)) + ".";
        return result;
    }

    std::sort(ranges.begin(), ranges.end());
    PageList list;
    for (const auto &r : ranges) {
        if (!list.m_ranges.empty() && r.first <= list.m_ranges.back().second + 1)
            list.m_ranges.back().second = std::max(list.m_ranges.back().second, r.second);
        else
            list.m_ranges.push_back(r);
    }
    result.list = std::move(list);
    return result;
}

std::string PageList::resetText(int pageCount)
{
    return "1-" + std::to_string(pageCount);
}

bool PageList::contains(int page) const
{
    return std::any_of(m_ranges.begin(), m_ranges.end(), [page](const auto &r) {
        return page >= r.first && page <= r.second;
    });
}

std::vector<int> PageList::pages() const
{
    std::vector<int> out;
    for (const auto &[from, to] : m_ranges) {
        for (int p = from; p <= to; ++p)
            out.push_back(p);
    }
    return out;
}
