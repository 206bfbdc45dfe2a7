#include "pagegrid.h"

#include <algorithm>

PageGrid::PageGrid(int pageCount, int firstPage, int across, int down)
    : m_pageCount(std::max(pageCount, 0))
    , m_currentPage(std::clamp(firstPage, 1, std::max(m_pageCount, 1)))
    , m_firstPage(m_currentPage)
    , m_pagesAcross(std::max(across, 1))
    , m_pagesDown(std::max(down, 1))
{}

long long PageGrid::places() const
{
    return static_cast<long long>(m_pagesAcross) * m_pagesDown;
}

int PageGrid::lastShown() const
{
    return static_cast<int>(std::min<long long>(m_firstPage + places() - 1, m_pageCount));
}

bool PageGrid::pastLastPage() const
{
    return m_firstPage + places() - 1 > m_pageCount;
}

bool PageGrid::shows(int page) const
{
    return page >= m_firstPage && page <= m_firstPage + places() - 1;
}

bool PageGrid::setPageCount(int pageCount)
{
    const int shownBefore = lastShown();
    m_pageCount = std::max(pageCount, 0);
    m_currentPage = std::clamp(m_currentPage, 1, std::max(m_pageCount, 1));
    m_firstPage = std::min(m_firstPage, m_currentPage);
    return lastShown() != shownBefore;
}

PageGrid::Update PageGrid::setCurrentPage(int page)
{
    m_currentPage = std::clamp(page, 1, std::max(m_pageCount, 1));
    if (shows(m_currentPage))
        return Update::SelectImage;
    m_firstPage = m_currentPage;
    while (pastLastPage() && m_firstPage > 1)
        --m_firstPage;
    return Update::Redraw;
}

PageGrid::Update PageGrid::shrinkToFit(int &changed)
{
    bool decreased = false;
    while (pastLastPage() && changed > 1) {
        --changed;
        decreased = true;
        // Once the grid is a single row or column, the value stands as it is now.
        if (m_pagesAcross < 2 || m_pagesDown < 2)
            break;
    }
    return decreased ? Update::Corrected : Update::Redraw;
}

PageGrid::Update PageGrid::setPagesAcross(int across)
{
    m_pagesAcross = std::max(across, 1);
    return shrinkToFit(m_pagesAcross);
}

PageGrid::Update PageGrid::setPagesDown(int down)
{
    m_pagesDown = std::max(down, 1);
    return shrinkToFit(m_pagesDown);
}

bool PageGrid::displayAcceptable(int across, int down, int pageCount)
{
    return across >= 1 && down >= 1 && static_cast<long long>(across) * down <= pageCount;
}

PageGrid::Update PageGrid::changeDisplay(int across, int down)
{
    if (!displayAcceptable(across, down, m_pageCount))
        return Update::Refused;
    m_pagesAcross = across;
    m_pagesDown = down;
    m_currentPage = 1;
    m_firstPage = 1;
    return Update::Redraw;
}
