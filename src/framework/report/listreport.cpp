#include "listreport.h"

#include "textformat.h"

#include <QCoreApplication>

#include <algorithm>

namespace report {
namespace {

constexpr double kLeft = 15;
constexpr double kRight = 195;
constexpr double kGap = 2; // between two columns
constexpr double kMultiRowGap = 1.5;

Font detailFont()
{
    return Font{QStringLiteral("Arial"), 8, false, false};
}

Font headingFont()
{
    return Font{QStringLiteral("Arial"), 8, true, false};
}

Font titleFont()
{
    return Font{QStringLiteral("Arial"), 12, true, false};
}

} // namespace

ListReport::ListReport(PageQueue &queue, const QString &title, std::vector<ListColumn> columns)
    : m_title(title)
    , m_columns(std::move(columns))
    , m_writer(queue, PageFrame{{210, 297}, 10, 8})
{
    double x = kLeft;
    int row = 0;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const double width = std::min(
            std::max(m_columns[i].width, textWidth(headingFont(), m_columns[i].heading)) + kGap,
            kRight - kLeft);
        if (x > kLeft && x + width > kRight + kGap) {
            ++row;
            x = kLeft;
        }
        m_cells.push_back(Cell{i, row, x, width});
        x += width;
    }
    m_rows = row + 1;
    m_writer.setPageHeader([this](int page) { return header(page); });
    m_writer.setPageFooter([this](int page) { return footer(page); });
}

void ListReport::printDetail()
{
    const double pitch = lineHeight(detailFont());
    Band band(m_rows * pitch + (m_rows > 1 ? kMultiRowGap : 0));
    for (const Cell &cell : m_cells) {
        const ListColumn &column = m_columns[cell.column];
        const QString text = column.text ? column.text() : QString();
        const double baseline = (cell.row + 0.8) * pitch;
        const double room = cell.width - kGap;
        // A figure too wide for its column prints smaller: cut short it would show a
        // different number.
        if (column.align == Align::Right)
            band.text(cell.x + room,
                      baseline,
                      text,
                      fitted(detailFont(), text, room),
                      Align::Right,
                      room);
        else
            band.text(cell.x, baseline, text, detailFont(), Align::Left, room);
    }
    // A record of several rows needs a visible end.
    if (m_rows > 1)
        band.line(kLeft, band.height() - 0.6, kRight, band.height() - 0.6, 0.1);
    m_writer.print(band);
}

Band ListReport::header(int) const
{
    const double pitch = lineHeight(headingFont());
    Band band;
    band.text(kLeft, 5, m_title, titleFont());
    const double top = 9;
    for (const Cell &cell : m_cells) {
        const ListColumn &column = m_columns[cell.column];
        const double baseline = top + (cell.row + 0.8) * pitch;
        if (column.align == Align::Right)
            band.text(
                cell.x + cell.width - kGap, baseline, column.heading, headingFont(), Align::Right);
        else
            band.text(cell.x, baseline, column.heading, headingFont());
    }
    const double rule = top + m_rows * pitch + 0.5;
    band.line(kLeft, rule, kRight, rule, 0.3);
    band.setHeight(rule + 1.5);
    return band;
}

Band ListReport::footer(int page) const
{
    Band band(8);
    band.line(kLeft, 2, kRight, 2, 0.2);
    band.text(105,
              6,
              QCoreApplication::translate("ListReport", "Page %1").arg(page),
              detailFont(),
              Align::Center);
    return band;
}

} // namespace report
