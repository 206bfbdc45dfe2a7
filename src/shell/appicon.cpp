#include "shell/appicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap iconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QLinearGradient fill(frame.topLeft(), frame.bottomRight());
    fill.setColorAt(0, QColor(0x2f, 0x5d, 0x8a));
    fill.setColorAt(1, QColor(0x1c, 0x3a, 0x5a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(frame, size * 0.18, size * 0.18);
    // A printed sheet with its corner turned, and the T of the name on it.
    const QRectF sheet(size * 0.26, size * 0.18, size * 0.48, size * 0.64);
    QPainterPath paper;
    paper.moveTo(sheet.topLeft());
    paper.lineTo(sheet.right() - size * 0.14, sheet.top());
    paper.lineTo(sheet.right(), sheet.top() + size * 0.14);
    paper.lineTo(sheet.bottomRight());
    paper.lineTo(sheet.bottomLeft());
    paper.closeSubpath();
    painter.setBrush(QColor(0xf4, 0xf1, 0xe8));
    painter.drawPath(paper);
    painter.setBrush(QColor(0xe0, 0x8a, 0x2c));
    painter.drawRect(
        QRectF(sheet.left() + size * 0.08, sheet.top() + size * 0.14, size * 0.32, size * 0.08));
    painter.drawRect(QRectF(
        sheet.center().x() - size * 0.04, sheet.top() + size * 0.14, size * 0.08, size * 0.40));
    return pixmap;
}

} // namespace

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(iconPixmap(size));
    return icon;
}

QIcon printerIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        painter.setPen(QPen(QColor(0x3a, 0x3f, 0x46), u));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4.5 * u, 1.5 * u, 7 * u, 5 * u)); // paper going in
        painter.setBrush(QColor(0x7d, 0x8a, 0x99));
        painter.drawRoundedRect(QRectF(1.5 * u, 5.5 * u, 13 * u, 6 * u), u, u);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(4.5 * u, 9.5 * u, 7 * u, 5 * u)); // the printed sheet
        painter.setPen(QPen(QColor(0x2f, 0x5d, 0x8a), u));
        painter.drawLine(QPointF(6 * u, 11.5 * u), QPointF(10 * u, 11.5 * u));
        painter.drawLine(QPointF(6 * u, 13 * u), QPointF(9 * u, 13 * u));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QBrush frameBackground(const QRect &area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0, QColor(0xe6, 0xec, 0xf2));
    gradient.setColorAt(1, QColor(0xc9, 0xd4, 0xe0));
    return QBrush(gradient);
}
