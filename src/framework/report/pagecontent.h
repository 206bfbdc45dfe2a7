#pragma once

#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

class QIODevice;
class QPainter;

// What one report page holds, in millimetres from the page's top left corner. A page is kept
// as this list of drawing items rather than as pixels, so that the printer and the PDF get
// real text and the preview can draw it at any zoom.
namespace report {

struct Font
{
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;

    bool operator==(const Font &) const = default;
};

enum class Align : quint8 { Left, Right, Center };

// x is the left edge, the right edge or the centre, as `align` says; y is the baseline.
// A text wider than `maxWidth` (mm, 0 = unlimited) is cut with an ellipsis.
struct TextItem
{
    double x = 0;
    double y = 0;
    QString text;
    Font font;
    Align align = Align::Left;
    double maxWidth = 0;

    bool operator==(const TextItem &) const = default;
};

struct LineItem
{
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double width = 0.2;

    bool operator==(const LineItem &) const = default;
};

using PageItem = std::variant<TextItem, LineItem>;

struct PageContent
{
    QSizeF size{210, 297}; // A4 portrait
    std::vector<PageItem> items;
};

// The page file format; false when the file is not a page or is damaged.
bool writePage(QIODevice &device, const PageContent &page);
bool readPage(QIODevice &device, PageContent &page);

// Draws the page with the painter's origin at the page's top left corner, `dpi` device
// pixels to the inch.
void paintPage(QPainter &painter, const PageContent &page, double dpi);

// Width of a text in millimetres, for layouts that place one text after another.
double textWidth(const Font &font, const QString &text);

// Distance between two baselines for the font, in millimetres.
double lineHeight(const Font &font);

} // namespace report
