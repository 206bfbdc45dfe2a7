#include "pagequeue.h"

#include "pagespool.h"

#include <QBuffer>
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

PageQueue::PageQueue(const QString &folder)
    : m_folder(folder.isEmpty() ? PageSpool::defaultFolder() : folder)
{}

PageQueue::~PageQueue() = default;

QString PageQueue::spoolFile() const
{
    return m_spool ? m_spool->fileName() : QString();
}

bool PageQueue::append(const PageContent &page)
{
    if (!m_spool) {
        m_spool = std::make_unique<PageSpool>(m_folder);
        if (!m_spool->isOpen()) {
            m_spool.reset();
            m_failed = true;
            return false;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writePage(buffer, page))
        return false;
    const qint64 offset = m_spool->append(bytes);
    if (offset < 0)
        return false;
    m_pages.push_back(Extent{offset, bytes.size()});
    return true;
}

bool PageQueue::load(int page, PageContent &content) const
{
    if (page < 1 || page > count())
        return false;
    const Extent &extent = m_pages[std::size_t(page - 1)];
    QByteArray bytes = m_spool->read(extent.offset, extent.size);
    if (bytes.size() != extent.size)
        return false;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPage(buffer, content);
}

bool PageQueue::remove(int page)
{
    if (page < 1 || page > count())
        return false;
    // Its bytes stay in the spool until the spool goes: a page is read by its place.
    m_pages.erase(m_pages.begin() + (page - 1));
    return true;
}

void PageQueue::clear()
{
    m_pages.clear();
    m_spool.reset();
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
