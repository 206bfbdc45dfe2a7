#include "framework/core/pagegrid.h"
#include "framework/core/pagelist.h"
#include "framework/core/previewzoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(PageList, Parsing)
{
    struct Case
    {
        std::string text;
        int pageCount;
        bool accepted;
        std::vector<int> pages;
    };
    const Case cases[] = {
        {"1-3,5", 7, true, {1, 2, 3, 5}},
        {"1-", 4, true, {1, 2, 3, 4}},
        {"2-", 4, true, {2, 3, 4}},
        {"-3", 7, true, {1, 2, 3}},
        {"6", 7, true, {6}},
        {" 1 - 2 , 6 ", 7, true, {1, 2, 6}},
        {"5-9", 7, true, {5, 6, 7}},
        {"0-2", 7, true, {1, 2}},
        {"3,1-2", 7, true, {1, 2, 3}},
        {"1-3,2-4", 7, true, {1, 2, 3, 4}},
        {"1,,3,", 7, true, {1, 3}},
        {"7,9", 7, true, {7}},
        {"99999999999999-", 7, false, {}},
        {"9", 7, false, {}},
        {"0", 7, false, {}},
        {"", 7, false, {}},
        {"  ", 7, false, {}},
        {"abc", 7, false, {}},
        {"1;3", 7, false, {}},
        {"1 2", 7, false, {}},
        {"3-1", 7, false, {}},
        {"-", 7, false, {}},
        {"1-2-3", 7, false, {}},
        {"1-3", 0, false, {}},
        {"1," + std::string(253, ' '), 7, true, {1}},
        {"1," + std::string(254, ' '), 7, false, {}},
    };
    for (const Case &c : cases) {
        const PageListParse parsed = PageList::parse(c.text, c.pageCount);
        EXPECT_EQ(parsed.list.has_value(), c.accepted) << '"' << c.text << '"';
        if (parsed.list) {
            EXPECT_EQ(parsed.list->pages(), c.pages) << '"' << c.text << '"';
            EXPECT_TRUE(parsed.reason.empty());
        } else {
            EXPECT_FALSE(parsed.reason.empty()) << '"' << c.text << '"';
        }
    }
}

TEST(PageList, ContainsAndReset)
{
    const auto parsed = PageList::parse("2-3, 6", 7);
    ASSERT_TRUE(parsed.list);
    const std::vector<int> chosen = {2, 3, 6};
    for (int page = 0; page <= 8; ++page) {
        const bool expected = std::find(chosen.begin(), chosen.end(), page) != chosen.end();
        EXPECT_EQ(parsed.list->contains(page), expected) << page;
    }

    EXPECT_EQ(PageList::resetText(12), "1-12");
    const auto all = PageList::parse(PageList::resetText(12), 12);
    ASSERT_TRUE(all.list);
    EXPECT_EQ(all.list->pages().size(), 12u);
}

TEST(PageGrid, CurrentPage)
{
    struct Case
    {
        const char *name;
        int pageCount, across, down, page;
        PageGrid::Update update;
        int current, first;
    };
    using U = PageGrid::Update;
    const Case cases[] = {
        {"page in the grid is selected", 10, 2, 2, 3, U::SelectImage, 3, 1},
        {"page after the grid starts it", 10, 2, 2, 6, U::Redraw, 6, 6},
        {"near the end the grid starts earlier", 10, 2, 2, 9, U::Redraw, 9, 7},
        {"last page", 10, 2, 2, 10, U::Redraw, 10, 7},
        {"beyond the last page", 10, 2, 2, 15, U::Redraw, 10, 7},
        {"grid larger than the report stops at 1", 3, 2, 2, 3, U::SelectImage, 3, 1},
        {"single grid", 10, 1, 1, 10, U::Redraw, 10, 10},
        {"below the first page", 10, 1, 1, 0, U::SelectImage, 1, 1},
    };
    for (const Case &c : cases) {
        PageGrid grid(c.pageCount, 1, c.across, c.down);
        EXPECT_EQ(grid.setCurrentPage(c.page), c.update) << c.name;
        EXPECT_EQ(grid.currentPage(), c.current) << c.name;
        EXPECT_EQ(grid.firstPage(), c.first) << c.name;
    }
}

TEST(PageGrid, NextAndPrevious)
{
    PageGrid grid(3);
    EXPECT_EQ(grid.nextPage(), PageGrid::Update::Redraw);
    EXPECT_EQ(grid.currentPage(), 2);
    grid.nextPage();
    grid.nextPage();
    EXPECT_EQ(grid.currentPage(), 3);
    EXPECT_EQ(grid.previousPage(), PageGrid::Update::Redraw);
    EXPECT_EQ(grid.firstPage(), 2);
    grid.previousPage();
    grid.previousPage();
    EXPECT_EQ(grid.currentPage(), 1);
}

TEST(PageGrid, AcrossAndDownShrinkToTheReport)
{
    struct Case
    {
        const char *name;
        int pageCount, firstPage, across, down;
        bool changeAcross;
        int value;
        PageGrid::Update update;
        int across2, down2;
    };
    using U = PageGrid::Update;
    const Case cases[] = {
        {"3 pages, 2 x 2 is decreased", 3, 1, 2, 1, false, 2, U::Corrected, 2, 1},
        {"fits: redraw", 4, 1, 2, 1, false, 2, U::Redraw, 2, 2},
        {"3 across fits 3 pages", 3, 1, 1, 1, true, 3, U::Redraw, 3, 1},
        {"stops once one is below 2", 3, 1, 1, 2, true, 3, U::Corrected, 1, 2},
        {"both at least 2: goes on", 5, 1, 1, 2, true, 4, U::Corrected, 2, 2},
        {"a single row stops after one step", 3, 1, 1, 1, true, 5, U::Corrected, 4, 1},
        {"counted from the first page", 10, 9, 1, 1, false, 3, U::Corrected, 1, 2},
        {"never below 1", 3, 3, 1, 1, true, 1, U::Redraw, 1, 1},
    };
    for (const Case &c : cases) {
        PageGrid grid(c.pageCount, c.firstPage, c.across, c.down);
        const auto update
            = c.changeAcross ? grid.setPagesAcross(c.value) : grid.setPagesDown(c.value);
        EXPECT_EQ(update, c.update) << c.name;
        EXPECT_EQ(grid.pagesAcross(), c.across2) << c.name;
        EXPECT_EQ(grid.pagesDown(), c.down2) << c.name;
    }
}

TEST(PageGrid, ChangeDisplay)
{
    EXPECT_FALSE(PageGrid::displayAcceptable(2, 2, 3));
    EXPECT_TRUE(PageGrid::displayAcceptable(3, 1, 3));
    EXPECT_FALSE(PageGrid::displayAcceptable(0, 1, 3));

    PageGrid grid(3, 1, 1, 1);
    grid.setCurrentPage(3);
    EXPECT_EQ(grid.changeDisplay(2, 2), PageGrid::Update::Refused);
    EXPECT_EQ(grid.pagesAcross(), 1);
    EXPECT_EQ(grid.pagesDown(), 1);
    EXPECT_EQ(grid.currentPage(), 3);

    EXPECT_EQ(grid.changeDisplay(1, 3), PageGrid::Update::Redraw);
    EXPECT_EQ(grid.pagesDown(), 3);
    EXPECT_EQ(grid.currentPage(), 1);
    EXPECT_EQ(grid.firstPage(), 1);
    EXPECT_EQ(grid.lastShown(), 3);
}

TEST(PreviewZoom, EntriesAndStart)
{
    ASSERT_EQ(zoomEntries().size(), 7u);
    EXPECT_EQ(zoomEntries()[0].statusText, "Zoom: Seite (ges.)");
    EXPECT_EQ(zoomEntries()[1].percentile, ZoomPageWidth);
    EXPECT_EQ(zoomEntries()[6].menuText, "300% Zoom");
    EXPECT_EQ(zoomEntries()[6].statusText, "Zoom: 300%");
    EXPECT_EQ(PreviewZoom::listItems(),
              "Seite (ges.)|Seite (breit)|50% Zoom|75% Zoom|100% Zoom|200% Zoom|300% Zoom");

    struct Case
    {
        int initial, index, zoom;
        const char *list;
    };
    const Case cases[] = {
        {0, 1, ZoomWholePage, "Seite (ges.)"},
        {-1, 2, ZoomPageWidth, "Seite (breit)"},
        {100, 5, 100, "100% Zoom"},
        {150, 0, 150, "150% Zoom"},
    };
    for (const Case &c : cases) {
        const PreviewZoom zoom(c.initial);
        EXPECT_EQ(zoom.zoomIndex(), c.index) << c.initial;
        EXPECT_EQ(zoom.zoom(), c.zoom) << c.initial;
        EXPECT_EQ(zoom.listText(), c.list) << c.initial;
    }
}

TEST(PreviewZoom, TypedZoom)
{
    struct Case
    {
        const char *text;
        bool changed;
        int index, zoom;
        const char *list;
    };
    const Case cases[] = {
        {"150", true, 0, 150, "150% Zoom"},
        {" 150 ", true, 0, 150, "150% Zoom"},
        {"150% Zoom", true, 0, 150, "150% Zoom"},
        {"-120", true, 0, 120, "120% Zoom"},
        {"75% Zoom", true, 4, 75, "75% Zoom"},
        {"Seite (breit)", true, 2, ZoomPageWidth, "Seite (breit)"},
        {"Seite (ges.)", false, 1, ZoomWholePage, "Seite (ges.)"},
        {"abc", false, 1, ZoomWholePage, "Seite (ges.)"},
        {"0", false, 1, ZoomWholePage, "Seite (ges.)"},
        {"5000", false, 1, ZoomWholePage, "Seite (ges.)"},
    };
    for (const Case &c : cases) {
        PreviewZoom zoom;
        EXPECT_EQ(zoom.typed(c.text), c.changed) << c.text;
        EXPECT_EQ(zoom.zoomIndex(), c.index) << c.text;
        EXPECT_EQ(zoom.zoom(), c.zoom) << c.text;
        EXPECT_EQ(zoom.listText(), c.list) << c.text;
    }

    PreviewZoom zoom;
    zoom.typed("150");
    EXPECT_FALSE(zoom.typed("150"));
    EXPECT_TRUE(zoom.selectEntry(3));
    EXPECT_EQ(zoom.zoom(), 50);
    EXPECT_FALSE(zoom.selectEntry(3));
    EXPECT_FALSE(zoom.selectEntry(8));
}

} // namespace
