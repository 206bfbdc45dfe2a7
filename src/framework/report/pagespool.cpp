#include "pagespool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace report {
namespace {

constexpr int kNameTries = 8;

QString spoolName(qint64 pid)
{
    return u"tessaro-spool-%1-%2.tsp"_s.arg(pid).arg(
        QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

const QRegularExpression &spoolPattern()
{
    static const QRegularExpression pattern(u"^tessaro-spool-(\\d+)-[0-9a-f]{8}\\.tsp$"_s);
    return pattern;
}

QString lockName(const QString &spool)
{
    return spool + u".lock"_s;
}

// A lock that is never taken for stale by its age: only a gone process frees it, however
// long the report it belongs to stays open.
std::unique_ptr<QLockFile> spoolLock(const QString &spool)
{
    auto lock = std::make_unique<QLockFile>(lockName(spool));
    lock->setStaleLockTime(0);
    return lock;
}

// Removes the spool if nobody holds its lock, or its holder is gone.
bool removeIfFree(const QString &path)
{
    const std::unique_ptr<QLockFile> lock = spoolLock(path);
    if (!lock->tryLock(0))
        return false;
    const bool removed = QFile::remove(path);
    lock->unlock();
    return removed;
}

} // namespace

PageSpool::PageSpool(const QString &folder)
{
    const qint64 pid = QCoreApplication::applicationPid();
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        auto file = std::make_unique<QFile>(QDir(folder).filePath(spoolName(pid)));
        // Locked before the file exists, so that no other start takes it for an orphan.
        std::unique_ptr<QLockFile> lock = spoolLock(file->fileName());
        if (!lock->tryLock(0))
            continue;
        // NewOnly: never take over a file that is there already, whoever made it.
        if (!file->open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
            continue;
        m_file = std::move(file);
        m_lock = std::move(lock);
        return;
    }
}

PageSpool::~PageSpool()
{
    if (m_file) {
        // Removed while the lock is still held, then closed and the lock given up.
        QFile::remove(m_file->fileName());
        m_file->close();
        m_lock->unlock();
    }
}

bool PageSpool::isOpen() const
{
    return m_file && m_file->isOpen();
}

QString PageSpool::fileName() const
{
    return m_file ? m_file->fileName() : QString();
}

qint64 PageSpool::append(const QByteArray &bytes)
{
    if (!isOpen() || !m_file->seek(m_end))
        return -1;
    if (m_file->write(bytes) != bytes.size()) {
        // What part of it reached the file is written over by the next page.
        return -1;
    }
    const qint64 offset = m_end;
    m_end += bytes.size();
    return offset;
}

QByteArray PageSpool::read(qint64 offset, qint64 size) const
{
    if (!isOpen() || offset < 0 || size < 0 || offset + size > m_end || !m_file->seek(offset))
        return {};
    return m_file->read(size);
}

QString PageSpool::defaultFolder()
{
    return QDir::tempPath();
}

int PageSpool::removeOrphans(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names = dir.entryList({u"tessaro-spool-*.tsp"_s}, QDir::Files);
    for (const QString &name : names) {
        if (spoolPattern().match(name).hasMatch() && removeIfFree(dir.filePath(name)))
            ++removed;
    }
    // The locks of spools whose program was killed before it made the file.
    const QStringList locks = dir.entryList({u"tessaro-spool-*.tsp.lock"_s}, QDir::Files);
    for (const QString &name : locks) {
        const QString spool = dir.filePath(name.chopped(5));
        if (!QFile::exists(spool)) {
            const std::unique_ptr<QLockFile> lock = spoolLock(spool);
            if (lock->tryLock(0))
                lock->unlock();
        }
    }
    return removed;
}

} // namespace report
