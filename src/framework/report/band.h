#pragma once

#include "pagecontent.h"

namespace report {

// A strip of a page that prints as one piece: a page header or footer, a group header, a
// detail. x is measured from the page's left edge, y from the band's top; the writer places
// the band on the page. Positions and sizes are in millimetres.
class Band
{
public:
    explicit Band(double height = 0);

    // The declared height, or more when an item reaches below it.
    double height() const { return m_height; }
    void setHeight(double height);
    bool isEmpty() const { return m_items.empty(); }

    // A text with its baseline at y; see TextItem for x and maxWidth.
    void text(double x,
              double y,
              const QString &text,
              const Font &font = {},
              Align align = Align::Left,
              double maxWidth = 0);
    void line(double x1, double y1, double x2, double y2, double width = 0.2);

    const std::vector<PageItem> &items() const { return m_items; }

private:
    void reach(double bottom);

    double m_height = 0;
    std::vector<PageItem> m_items;
};

} // namespace report
