#pragma once

#include "reportwriter.h"

#include <functional>
#include <vector>

namespace report {

class PageQueue;

struct ListColumn
{
    QString heading;
    // The column's text for the record being printed.
    std::function<QString()> text;
    // Millimetres the column takes; at least its heading's width.
    double width = 0;
    Align align = Align::Left;
};

// The layout every list report shares: its title and the column headings at the top of
// each page, one detail per record, "Page <n>" at the foot, all in Arial. Columns that do
// not fit beside one another continue in a further row of the same detail, under a heading
// row of their own, so that a file with many fields still prints one record as one block.
class ListReport
{
public:
    ListReport(PageQueue &queue, const QString &title, std::vector<ListColumn> columns);
    ListReport(const ListReport &) = delete;
    ListReport &operator=(const ListReport &) = delete;

    // Prints one detail from the columns' texts as they read now.
    void printDetail();
    void finish() { m_writer.finish(); }
    int pageCount() const { return m_writer.pageNumber(); }
    bool ok() const { return m_writer.ok(); }

private:
    struct Cell
    {
        std::size_t column;
        int row;
        double x;
        double width;
    };

    Band header(int page) const;
    Band footer(int page) const;

    QString m_title;
    std::vector<ListColumn> m_columns;
    std::vector<Cell> m_cells;
    int m_rows = 1;
    ReportWriter m_writer;
};

} // namespace report
