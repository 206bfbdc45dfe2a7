#pragma once

#include "pagecontent.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QImage;
class QPagedPaintDevice;
class QPrinter;

namespace report {

class PageSpool;

// The finished pages of one report, kept one after another in a single scratch file (the
// spool), so that a report of thousands of pages costs no more memory than one of a single
// page and no more than one file. The preview draws pages from here while the report still
// adds to it; printing sends the pages still in the queue to a printer. The spool is made
// with the first page and removed by clear() and when the queue goes.
class PageQueue
{
public:
    // The spool goes into `folder`, the temporary folder when none is given.
    explicit PageQueue(const QString &folder = {});
    ~PageQueue();
    PageQueue(const PageQueue &) = delete;
    PageQueue &operator=(const PageQueue &) = delete;

    // False once the spool could not be made; no page can then be kept.
    bool isValid() const { return !m_failed; }

    int count() const { return int(m_pages.size()); }
    // The spool file; empty while the queue holds no spool.
    QString spoolFile() const;

    bool append(const PageContent &page);
    // Pages are numbered from 1 in their present order. False when the page is not there or
    // cannot be read back.
    bool load(int page, PageContent &content) const;
    // Takes the page out of the queue; the pages after it move up. False when there is no
    // such page.
    bool remove(int page);
    // Drops every page and removes the spool.
    void clear();

    // The page drawn on white at `dpi` pixels to the inch (a null image when it cannot be
    // read). 100 % zoom on screen is the screen's logical resolution.
    QImage image(int page, double dpi) const;

    // Sends the pages (all of them when `pages` is empty, else those listed, in that order)
    // to the device, one device page each, at the device's own resolution.
    bool print(QPagedPaintDevice &device, const QList<int> &pages = {}) const;
    // The same on a printer, which is also how a PDF file is made (QPrinter::PdfFormat).
    bool print(QPrinter &printer, const QList<int> &pages = {}) const;

private:
    struct Extent
    {
        qint64 offset;
        qint64 size;
    };

    QString m_folder;
    std::unique_ptr<PageSpool> m_spool;
    std::vector<Extent> m_pages;
    bool m_failed = false;
};

} // namespace report
