#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct PageListParse;

// The pages chosen for printing (`PAGESTOPRINT`), read from the text of the page list window:
// items separated by commas, each a single page ("5"), a range ("1-3"), a range to the last
// page ("2-") or from the first ("-4"); blanks anywhere between. Ranges are clipped to the
// pages the report has. A list that leaves no page to print is refused like a malformed one:
// printing nothing is never what the user meant.
class PageList
{
public:
    static constexpr std::size_t MaxChars = 255;

    static PageListParse parse(std::string_view text, int pageCount);
    // The text "&Zurücksetzen" puts into the entry: every page.
    static std::string resetText(int pageCount);

    bool contains(int page) const;
    std::vector<int> pages() const;

private:
    std::vector<std::pair<int, int>> m_ranges; // ascending, disjoint, not adjacent
};

struct PageListParse
{
    std::optional<PageList> list;
    std::string reason; // why the text was refused, for the user
};
