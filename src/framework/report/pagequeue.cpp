#include "pagequeue.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace report {
namespace {

constexpr double kMmPerInch = 25.4;

QPageLayout layoutFor(const PageContent &page)
{
    return QPageLayout(QPageSize(page.size, QPageSize::Millimeter),
                       page.size.width() > page.size.height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait,
                       QMarginsF(),
                       QPageLayout::Millimeter);
}

} // namespace

PageQueue::PageQueue()
    : m_folder(QDir::tempPath() + QStringLiteral("/tessaro-pages-XXXXXX"))
{}

PageQueue::~PageQueue() = default;

QString PageQueue::fileName(int page) const
{
    if (page < 1 || page > count())
        return {};
    return m_files.at(page - 1);
}

bool PageQueue::append(const PageContent &page)
{
    if (!isValid())
        return false;
    // A serial number rather than the page number: a removed page's name is never reused.
    const QString name
        = m_folder.filePath(QStringLiteral("page-%1.tpg").arg(++m_serial, 6, 10, QLatin1Char('0')));
    // A plain file, not a saved one: the pages are scratch that lives as long as the queue,
    // and waiting for each of a thousand pages to reach the disk would only slow the report.
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = writePage(file, page) && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        file.remove();
        return false;
    }
    m_files.append(name);
    return true;
}

bool PageQueue::load(int page, PageContent &content) const
{
    QFile file(fileName(page));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    return readPage(file, content);
}

bool PageQueue::remove(int page)
{
    if (page < 1 || page > count())
        return false;
    const bool deleted = QFile::remove(m_files.at(page - 1));
    m_files.removeAt(page - 1);
    return deleted;
}

void PageQueue::clear()
{
    for (const QString &name : std::as_const(m_files))
        QFile::remove(name);
    m_files.clear();
}

QImage PageQueue::image(int page, double dpi) const
{
    PageContent content;
    if (dpi <= 0 || !load(page, content))
        return {};
    const double scale = dpi / kMmPerInch;
    QImage image(qRound(content.size.width() * scale),
                 qRound(content.size.height() * scale),
                 QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, content, dpi);
    return image;
}

bool PageQueue::print(QPagedPaintDevice &device, const QList<int> &pages) const
{
    QList<int> chosen = pages;
    if (chosen.isEmpty()) {
        for (int page = 1; page <= count(); ++page)
            chosen.append(page);
    }
    if (chosen.isEmpty())
        return true;
    PageContent content;
    if (!load(chosen.first(), content))
        return false;
    device.setPageLayout(layoutFor(content));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool ok = true;
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        if (i > 0) {
            if (!load(chosen.at(i), content)) {
                ok = false;
                break;
            }
            device.setPageLayout(layoutFor(content));
            if (!device.newPage()) {
                ok = false;
                break;
            }
        }
        paintPage(painter, content, device.logicalDpiY());
    }
    return painter.end() && ok;
}

bool PageQueue::print(QPrinter &printer, const QList<int> &pages) const
{
    // The page's own coordinates start at the sheet's corner, not at the printable area.
    printer.setFullPage(true);
    return print(static_cast<QPagedPaintDevice &>(printer), pages);
}

} // namespace report
