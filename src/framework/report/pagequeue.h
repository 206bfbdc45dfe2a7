#pragma once

#include "pagecontent.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

class QImage;
class QPagedPaintDevice;
class QPrinter;

namespace report {

// The finished pages of one report, each kept as a file in a temporary folder of its own, so
// that a report of a thousand pages costs no more memory than one of a single page. The
// preview draws pages from here; printing sends the pages still in the queue to a printer.
// The folder and its files go when the queue goes.
class PageQueue
{
public:
    PageQueue();
    ~PageQueue();
    PageQueue(const PageQueue &) = delete;
    PageQueue &operator=(const PageQueue &) = delete;

    // False when the temporary folder could not be made; nothing can then be kept.
    bool isValid() const { return m_folder.isValid(); }

    int count() const { return int(m_files.size()); }
    // Pages are numbered from 1 in their present order.
    QString fileName(int page) const;

    bool append(const PageContent &page);
    // False when the page is not there or its file cannot be read.
    bool load(int page, PageContent &content) const;
    // Takes the page out of the queue and deletes its file; the pages after it move up.
    // False when there is no such page or its file could not be deleted.
    bool remove(int page);
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
    QTemporaryDir m_folder;
    QStringList m_files;
    int m_serial = 0;
};

} // namespace report
