#include "band.h"

#include <algorithm>

namespace report {
namespace {

// Below the baseline a text needs room for its descenders.
constexpr double kDescentShare = 0.3;
constexpr double kMmPerPoint = 25.4 / 72;

} // namespace

Band::Band(double height)
    : m_height(std::max(height, 0.0))
{}

void Band::setHeight(double height)
{
    m_height = std::max(height, 0.0);
}

void Band::text(
    double x, double y, const QString &text, const Font &font, Align align, double maxWidth)
{
    if (text.isEmpty())
        return;
    m_items.emplace_back(TextItem{x, y, text, font, align, maxWidth});
    reach(y + font.pointSize * kMmPerPoint * kDescentShare);
}

void Band::line(double x1, double y1, double x2, double y2, double width)
{
    m_items.emplace_back(LineItem{x1, y1, x2, y2, width});
    reach(std::max(y1, y2) + width / 2);
}

void Band::reach(double bottom)
{
    m_height = std::max(m_height, bottom);
}

} // namespace report
