#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The preview's zoom: one of the fixed entries, or a percentage the user typed into the zoom
// list (`ZOOMINDEX` 0, `USERPERCENTILE`).
struct ZoomEntry
{
    std::string_view menuText;
    std::string_view statusText;
    int percentile; // `PERCENTILE`
};

inline constexpr int ZoomWholePage = -2;
inline constexpr int ZoomPageWidth = -1;

const std::array<ZoomEntry, 7> &zoomEntries();

class PreviewZoom
{
public:
    // A typed zoom beyond this would make page images of hundreds of megabytes.
    static constexpr int MaxUserZoom = 500;

    // The zoom the preview starts with (`INITZOOM`); 0 means the whole page.
    explicit PreviewZoom(int initialZoom = 0);

    int zoomIndex() const { return m_zoomIndex; }
    int userPercentile() const { return m_userPercentile; }
    // The zoom to draw with: an entry's `PERCENTILE` or the typed one.
    int zoom() const;

    // The zoom menu item or list entry n (1-based); true when the zoom changed.
    bool selectEntry(int index);
    // The text the user left in the zoom list: an entry's menu text selects that entry,
    // otherwise its leading number, without sign, becomes the user zoom. A text without a
    // usable number changes nothing. True when the zoom changed.
    bool typed(std::string_view text);

    // What the zoom list shows (`ZOOMLIST`): the entry's menu text or "150% Zoom".
    std::string listText() const;
    // The zoom list's items: the menu texts separated by "|".
    static std::string listItems();

private:
    int m_zoomIndex = 1;
    int m_userPercentile = 0;
};
