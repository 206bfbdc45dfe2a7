#include "previewzoom.h"

#include <cstdlib>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The number at the start of the text, sign included; none without a digit.
std::optional<long long> leadingNumber(std::string_view text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || text[at] < '0' || text[at] > '9')
        return std::nullopt;
    long long n = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (n < 1'000'000'000)
            n = n * 10 + (text[at] - '0');
        ++at;
    }
    return negative ? -n : n;
}

} // namespace

const std::array<ZoomEntry, 7> &zoomEntries()
{
    static constexpr std::array<ZoomEntry, 7> entries = {{
        {"Seite (ges.)", "Zoom: Seite (ges.)", ZoomWholePage},
        {"Seite (breit)", "Zoom: Seite (breit)", ZoomPageWidth},
        {"50% Zoom", "Zoom: 50%", 50},
        {"75% Zoom", "Zoom: 75%", 75},
        {"100% Zoom", "Zoom: 100%", 100},
        {"200% Zoom", "Zoom: 200%", 200},
        {"300% Zoom", "Zoom: 300%", 300},
    }};
    return entries;
}

PreviewZoom::PreviewZoom(int initialZoom)
{
    if (initialZoom == 0)
        initialZoom = ZoomWholePage;
    m_zoomIndex = 0;
    m_userPercentile = initialZoom;
    for (std::size_t i = 0; i < zoomEntries().size(); ++i) {
        if (zoomEntries()[i].percentile == initialZoom) {
            m_zoomIndex = static_cast<int>(i) + 1;
            m_userPercentile = 0;
            break;
        }
    }
}

int PreviewZoom::zoom() const
{
    if (m_zoomIndex == 0)
        return m_userPercentile;
    return zoomEntries()[static_cast<std::size_t>(m_zoomIndex) - 1].percentile;
}

bool PreviewZoom::selectEntry(int index)
{
    if (index < 1 || index > static_cast<int>(zoomEntries().size()) || index == m_zoomIndex)
        return false;
    m_zoomIndex = index;
    return true;
}

bool PreviewZoom::typed(std::string_view text)
{
    text = trimmed(text);
    for (std::size_t i = 0; i < zoomEntries().size(); ++i) {
        if (zoomEntries()[i].menuText == text)
            return selectEntry(static_cast<int>(i) + 1);
    }
    const std::optional<long long> number = leadingNumber(text);
    if (!number)
        return false;
    const long long percent = std::llabs(*number);
    if (percent < 1 || percent > MaxUserZoom)
        return false;
    const int before = zoom();
    const bool wasUser = m_zoomIndex == 0;
    m_zoomIndex = 0;
    m_userPercentile = static_cast<int>(percent);
    return !wasUser || before != m_userPercentile;
}

std::string PreviewZoom::listText() const
{
    if (m_zoomIndex == 0)
        return std::to_string(m_userPercentile) + "% Zoom";
    return std::string(zoomEntries()[static_cast<std::size_t>(m_zoomIndex) - 1].menuText);
}

std::string PreviewZoom::listItems()
{
    std::string items;
    for (const ZoomEntry &entry : zoomEntries()) {
        if (!items.empty())
            items += '|';
        items += entry.menuText;
    }
    return items;
}
