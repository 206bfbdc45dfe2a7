#pragma once

#include "band.h"

#include <functional>

namespace report {

class PageQueue;

// Where the bands go on a page, in millimetres: the page header starts `top` below the
// page's top edge, the page footer ends `bottom` above its bottom edge, and the bands print
// in between.
struct PageFrame
{
    QSizeF pageSize{210, 297};
    double top = 10;
    double bottom = 10;
};

// Lays bands out on pages one after another and hands every finished page to the queue.
// Each page gets the page header at its top and the page footer at its bottom; a band that
// does not fit above the footer starts a new page. Only the page being filled is held in
// memory.
class ReportWriter
{
public:
    using PageBand = std::function<Band(int page)>;

    explicit ReportWriter(PageQueue &queue, PageFrame frame = {});

    // Built anew for each page, so that they can carry its number.
    void setPageHeader(PageBand header) { m_header = std::move(header); }
    void setPageFooter(PageBand footer) { m_footer = std::move(footer); }

    // Prints the band below the last one. `keepWithNext` asks for that much more room
    // below it, so that a group header does not end a page without its first row. A band
    // taller than a whole page prints at the top of a fresh page and runs into the footer.
    void print(const Band &band, double keepWithNext = 0);
    // Ends the current page; the next band starts a new one.
    void newPage();
    // Ends the last page. A report that printed no band has no page.
    void finish();

    // The number of the page being filled, or of the last page once finished; 0 before the
    // first band.
    int pageNumber() const { return m_page; }
    // Room left for bands on the current page (a whole page body before the first band).
    double remaining() const;
    // Room for bands on a page that holds nothing else, so that a layout can tell whether a
    // group fits on one page at all.
    double pageRoom() const;
    // False once a finished page could not be kept.
    bool ok() const { return m_ok; }

private:
    void openPage();
    void closePage();
    void place(const Band &band, double top);

    PageQueue &m_queue;
    PageFrame m_frame;
    PageBand m_header;
    PageBand m_footer;
    PageContent m_content;
    bool m_open = false;
    bool m_ok = true;
    int m_page = 0;
    double m_cursor = 0;
    double m_bodyTop = 0;
    double m_limit = 0;
};

} // namespace report
