#include "costing/forms/kaldrucklayoutview.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

QString millimetres(double value)
{
    return QLocale(QLocale::German).toString(value, 'f', value == static_cast<int>(value) ? 0 : 1);
}

} // namespace

SheetLayoutView::SheetLayoutView(QWidget *parent)
    : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Druckbogen"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SheetLayoutView::setPicture(const costing::SheetPicture &picture)
{
    m_picture = picture;
    setToolTip(caption());
    update();
}

QString SheetLayoutView::caption() const
{
    const costing::SheetPicture &p = m_picture;
    if (!p.hasSheet())
        return QStringLiteral("Keine Druckmaschine ausgewählt");
    const QString sheet = QStringLiteral("Druckbogen %1 × %2 mm")
                              .arg(millimetres(p.sheetLength), millimetres(p.sheetWidth));
    if (!p.hasLayout())
        return sheet;
    if (!p.fits())
        return sheet + QStringLiteral(": Vorlage passt nicht");
    return sheet
           + QStringLiteral(": %1 × %2 = %3 Nutzen%4")
                 .arg(p.across)
                 .arg(p.along)
                 .arg(p.count())
                 .arg(p.turned ? QStringLiteral(", Vorlage gedreht") : QString());
}

QSize SheetLayoutView::sizeHint() const
{
    return {300, 160};
}

QSize SheetLayoutView::minimumSizeHint() const
{
    return {200, 120};
}

void SheetLayoutView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int captionHeight = metrics.height() + 6;
    const QRectF area = QRectF(rect()).adjusted(8, 8, -8, -8 - captionHeight);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        QRectF(0, height() - captionHeight, width(), captionHeight), Qt::AlignCenter, caption());

    const costing::SheetPicture &p = m_picture;
    if (!p.hasSheet() || area.width() <= 0 || area.height() <= 0)
        return;
    // A layout that does not fit may reach beyond the sheet; both must be seen.
    const bool showMisfit = p.hasLayout() && !p.fits();
    const double extentX = showMisfit ? std::max(p.sheetLength, p.layoutLength) : p.sheetLength;
    const double extentY = showMisfit ? std::max(p.sheetWidth, p.layoutWidth) : p.sheetWidth;
    const double scale = std::min(area.width() / extentX, area.height() / extentY);
    const QPointF origin(area.left() + (area.width() - extentX * scale) / 2,
                         area.top() + (area.height() - extentY * scale) / 2);
    auto toWidget = [&](double x, double y, double w, double h) {
        return QRectF(origin.x() + x * scale, origin.y() + y * scale, w * scale, h * scale);
    };

    painter.setPen(QPen(QColor(90, 90, 90), 1.5));
    painter.setBrush(QColor(255, 255, 250));
    painter.drawRect(toWidget(0, 0, p.sheetLength, p.sheetWidth));

    painter.setPen(QPen(QColor(30, 80, 160), 1));
    painter.setBrush(QColor(170, 200, 240));
    for (const costing::PlacedCopy &copy : p.copies)
        painter.drawRect(toWidget(copy.x, copy.y, copy.length, copy.width));
    if (!p.complete) {
        // Too many copies to draw one by one: the rest of the block is shaded alike.
        const costing::PlacedCopy &first = p.copies.front();
        painter.setPen(Qt::NoPen);
        painter.drawRect(
            toWidget(first.x, first.y, first.length * p.along, first.width * p.across));
    }
    if (showMisfit) {
        painter.setPen(QPen(QColor(200, 30, 30), 2, Qt::DashLine));
        painter.setBrush(QColor(220, 60, 60, 60));
        painter.drawRect(toWidget(0, 0, p.layoutLength, p.layoutWidth));
    }
}
