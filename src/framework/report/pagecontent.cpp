#include "pagecontent.h"

#include <QDataStream>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <map>

namespace report {
namespace {

constexpr quint32 kMagic = 0x54504731; // "TPG1"
constexpr quint16 kFormatVersion = 1;
constexpr double kMmPerInch = 25.4;

enum ItemKind : quint8 { TextKind = 1, LineKind = 2 };

// Point sizes are resolved against the device's own resolution; scaling them by the ratio
// draws the page at `dpi` whatever the device reports (a preview image at 60 dpi, a printer
// at 1200). Hinting is off so that widths scale linearly and right edges stay put.
QFont deviceFont(const Font &spec, double dpi, const QPaintDevice *device)
{
    QFont font(spec.family);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    // Any letter spacing turns ligatures off: "Gesamtauflage" must reach the PDF's text as
    // f and l, not as one glyph that a reader of the text cannot find.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 32);
    const int deviceDpi = device ? device->logicalDpiY() : 0;
    font.setPointSizeF(deviceDpi > 0 ? spec.pointSize * dpi / deviceDpi : spec.pointSize);
    return font;
}

const QImage &probeDevice()
{
    static const QImage probe = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(1200 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return probe;
}

// The widths of single characters of one font on one kind of device, taken as they are first
// needed. Their sum tells that most texts of a list fit their room without laying the text
// out, which for a long list would otherwise be done for every text twice, to measure and to
// draw. Kerning can make a text a little wider or narrower than the sum: a text whose sum
// comes near its room is measured after all.
class CharWidths
{
public:
    CharWidths() { m_widths.fill(-1); }

    bool surelyFits(const QString &text, double room, const QFontMetricsF &metrics)
    {
        constexpr double kKerningAllowance = 1.05;
        double sum = 0;
        for (const QChar c : text) {
            if (c.unicode() >= m_widths.size())
                return false;
            double &width = m_widths[c.unicode()];
            if (width < 0)
                width = metrics.horizontalAdvance(QString(c));
            sum += width;
            if (sum * kKerningAllowance > room)
                return false;
        }
        return true;
    }

private:
    std::array<double, 256> m_widths;
};

// One table per font and device resolution; the printer and the preview each draw in few.
CharWidths &charWidths(const QFont &font, const QPaintDevice *device)
{
    constexpr std::size_t kTables = 64; // zooms the user typed make more
    static std::map<QString, CharWidths> tables;
    const QString key = font.key() + u'@' + QString::number(device ? device->logicalDpiY() : 0);
    if (tables.size() >= kTables && !tables.contains(key))
        tables.clear();
    return tables[key];
}

void writeText(QDataStream &out, const TextItem &t)
{
    out << quint8(TextKind) << t.x << t.y << t.text << t.font.family << t.font.pointSize
        << t.font.bold << t.font.italic << quint8(t.align) << t.maxWidth;
}

void writeLine(QDataStream &out, const LineItem &l)
{
    out << quint8(LineKind) << l.x1 << l.y1 << l.x2 << l.y2 << l.width;
}

} // namespace

bool writePage(QIODevice &device, const PageContent &page)
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << kFormatVersion << page.size << quint32(page.items.size());
    for (const PageItem &item : page.items) {
        if (const auto *text = std::get_if<TextItem>(&item))
            writeText(out, *text);
        else
            writeLine(out, std::get<LineItem>(item));
    }
    return out.status() == QDataStream::Ok;
}

bool readPage(QIODevice &device, PageContent &page)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    quint32 count = 0;
    in >> magic >> version;
    if (magic != kMagic || version != kFormatVersion)
        return false;
    in >> page.size >> count;
    page.items.clear();
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        quint8 kind = 0;
        in >> kind;
        if (kind == TextKind) {
            TextItem t;
            quint8 align = 0;
            in >> t.x >> t.y >> t.text >> t.font.family >> t.font.pointSize >> t.font.bold
                >> t.font.italic >> align >> t.maxWidth;
            if (align > quint8(Align::Center))
                return false;
            t.align = Align(align);
            page.items.emplace_back(std::move(t));
        } else if (kind == LineKind) {
            LineItem l;
            in >> l.x1 >> l.y1 >> l.x2 >> l.y2 >> l.width;
            page.items.emplace_back(l);
        } else {
            return false;
        }
    }
    return in.status() == QDataStream::Ok && page.items.size() == count;
}

void paintPage(QPainter &painter, const PageContent &page, double dpi)
{
    const double scale = dpi / kMmPerInch;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setBrush(Qt::NoBrush);
    Font currentSpec;
    QFont current = deviceFont(currentSpec, dpi, painter.device());
    painter.setFont(current);
    QFontMetricsF metrics(current, painter.device());
    CharWidths *widths = &charWidths(current, painter.device());
    bool textPen = false;
    for (const PageItem &item : page.items) {
        if (const auto *t = std::get_if<TextItem>(&item)) {
            if (!(t->font == currentSpec)) {
                currentSpec = t->font;
                current = deviceFont(currentSpec, dpi, painter.device());
                painter.setFont(current);
                metrics = QFontMetricsF(current, painter.device());
                widths = &charWidths(current, painter.device());
            }
            if (!textPen) {
                painter.setPen(Qt::black);
                textPen = true;
            }
            // Measured only where the place or the room depends on it: a long list prints
            // thousands of texts, and each measure shapes the text once more.
            QString text = t->text;
            const double room = t->maxWidth * scale;
            double width = 0;
            if (t->align != Align::Left
                || (t->maxWidth > 0 && !widths->surelyFits(text, room, metrics)))
                width = metrics.horizontalAdvance(text);
            if (t->maxWidth > 0 && width > room) {
                text = metrics.elidedText(text, Qt::ElideRight, room);
                width = metrics.horizontalAdvance(text);
            }
            double x = t->x * scale;
            if (t->align == Align::Right)
                x -= width;
            else if (t->align == Align::Center)
                x -= width / 2;
            painter.drawText(QPointF(x, t->y * scale), text);
        } else {
            const auto &l = std::get<LineItem>(item);
            QPen pen(Qt::black);
            pen.setWidthF(std::max(l.width * scale, 1.0));
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            textPen = false;
            painter.drawLine(QPointF(l.x1, l.y1) * scale, QPointF(l.x2, l.y2) * scale);
        }
    }
    painter.restore();
}

double textWidth(const Font &font, const QString &text)
{
    const QImage &probe = probeDevice();
    const QFontMetricsF metrics(deviceFont(font, 1200, &probe), &probe);
    return metrics.horizontalAdvance(text) * kMmPerInch / 1200;
}

double lineHeight(const Font &font)
{
    return font.pointSize * kMmPerInch / 72 * 1.25;
}

} // namespace report
