#include "reportwriter.h"

#include "pagequeue.h"

#include <algorithm>

namespace report {
namespace {

// Heights are sums of decimals; a band that fits exactly must not be pushed over.
constexpr double kTolerance = 1e-6;

} // namespace

ReportWriter::ReportWriter(PageQueue &queue, PageFrame frame)
    : m_queue(queue)
    , m_frame(frame)
{}

void ReportWriter::print(const Band &band, double keepWithNext)
{
    if (!m_open)
        openPage();
    const double needed = band.height() + std::max(keepWithNext, 0.0);
    // On a page whose body is still empty the band prints anyway: a fresh page would not
    // hold it either.
    if (m_cursor + needed > m_limit + kTolerance && m_cursor > m_bodyTop + kTolerance) {
        closePage();
        openPage();
    }
    place(band, m_cursor);
    m_cursor += band.height();
}

void ReportWriter::newPage()
{
    if (m_open)
        closePage();
}

void ReportWriter::finish()
{
    if (m_open)
        closePage();
}

double ReportWriter::remaining() const
{
    return m_open ? m_limit - m_cursor : pageRoom();
}

double ReportWriter::pageRoom() const
{
    const double header = m_header ? m_header(m_page + 1).height() : 0;
    const double footer = m_footer ? m_footer(m_page + 1).height() : 0;
    return m_frame.pageSize.height() - m_frame.top - m_frame.bottom - header - footer;
}

void ReportWriter::openPage()
{
    ++m_page;
    m_content = PageContent{m_frame.pageSize, {}};
    m_open = true;
    m_cursor = m_frame.top;
    if (m_header) {
        const Band header = m_header(m_page);
        place(header, m_cursor);
        m_cursor += header.height();
    }
    m_bodyTop = m_cursor;
    m_limit = m_frame.pageSize.height() - m_frame.bottom;
    if (m_footer) {
        const Band footer = m_footer(m_page);
        m_limit -= footer.height();
        place(footer, m_limit);
    }
}

void ReportWriter::closePage()
{
    if (!m_queue.append(m_content))
        m_ok = false;
    m_content = PageContent{};
    m_open = false;
}

void ReportWriter::place(const Band &band, double top)
{
    for (PageItem item : band.items()) {
        if (auto *t = std::get_if<TextItem>(&item)) {
            t->y += top;
        } else {
            auto &l = std::get<LineItem>(item);
            l.y1 += top;
            l.y2 += top;
        }
        m_content.items.push_back(std::move(item));
    }
}

} // namespace report
