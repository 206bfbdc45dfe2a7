#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;
class QLockFile;

namespace report {

// The one scratch file a report's pages are kept in, written one after another. Its name
// carries the process id, and the process holds a lock file beside it for as long as it is
// open, so that a later start can tell a spool whose program was killed from one still in use.
class PageSpool
{
public:
    // Makes a new spool file in `folder`; isOpen() says whether that worked.
    explicit PageSpool(const QString &folder);
    // Closes the file and removes it.
    ~PageSpool();
    PageSpool(const PageSpool &) = delete;
    PageSpool &operator=(const PageSpool &) = delete;

    bool isOpen() const;
    QString fileName() const;

    // Writes the bytes behind the last ones; their offset, or -1 when they could not be
    // written (nothing of them then counts).
    qint64 append(const QByteArray &bytes);
    // The bytes at `offset`; fewer than `size` when the file is shorter.
    QByteArray read(qint64 offset, qint64 size) const;

    // Where spools go unless a caller names a folder.
    static QString defaultFolder();
    // Removes the spools in `folder` that no running program holds: those whose lock is free
    // and whose process is gone. Returns how many were removed.
    static int removeOrphans(const QString &folder = defaultFolder());

private:
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QLockFile> m_lock;
    qint64 m_end = 0;
};

} // namespace report
