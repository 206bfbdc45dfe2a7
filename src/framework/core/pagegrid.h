#pragma once

// The preview's page grid: `PAGESACROSS` × `PAGESDOWN` page images from `FIRSTPAGE` on, with
// `CURRENTPAGE` the page the user asked for. The grid keeps showing as many pages as it can:
// near the end of the report it starts earlier rather than show empty places.
class PageGrid
{
public:
    enum class Update {
        SelectImage, // the page is already shown: select its image
        Redraw,      // lay the grid out again
        Corrected,   // the value was lowered to fit the report; show it, do not redraw yet
        Refused,     // nothing changed
    };

    explicit PageGrid(int pageCount, int firstPage = 1, int across = 1, int down = 1);

    int pageCount() const { return m_pageCount; }
    int currentPage() const { return m_currentPage; }
    int firstPage() const { return m_firstPage; }
    int pagesAcross() const { return m_pagesAcross; }
    int pagesDown() const { return m_pagesDown; }
    int lastShown() const;
    bool shows(int page) const;

    // Pages came or went (a report still adding pages): true when the pages shown change.
    bool setPageCount(int pageCount);

    // A page outside 1 … page count is taken as the nearest that exists.
    Update setCurrentPage(int page);
    Update nextPage() { return setCurrentPage(m_currentPage + 1); }
    Update previousPage() { return setCurrentPage(m_currentPage - 1); }

    Update setPagesAcross(int across);
    Update setPagesDown(int down);

    // The display window's OK: refused while the grid holds more places than the report has
    // pages. Starts again on page 1.
    static bool displayAcceptable(int across, int down, int pageCount);
    Update changeDisplay(int across, int down);

private:
    long long places() const;
    bool pastLastPage() const;
    Update shrinkToFit(int &changed);

    int m_pageCount;
    int m_currentPage;
    int m_firstPage;
    int m_pagesAcross;
    int m_pagesDown;
};
