#include "pagespool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <sys/file.h>
#include <unistd.h>

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

bool processRuns(qint64 pid)
{
    if (pid <= 0 || pid != qint64(pid_t(pid)))
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// Removes the spool if nobody holds its lock.
bool removeIfFree(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A lock belongs to the open file, not to the process: a spool this very process still
    // writes is held against this second opening too.
    if (::flock(file.handle(), LOCK_EX | LOCK_NB) != 0)
        return false;
    return QFile::remove(path);
}

} // namespace

PageSpool::PageSpool(const QString &folder)
{
    const qint64 pid = QCoreApplication::applicationPid();
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        auto file = std::make_unique<QFile>(QDir(folder).filePath(spoolName(pid)));
        // NewOnly: never take over a file that is there already, whoever made it.
        if (!file->open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
            continue;
        if (::flock(file->handle(), LOCK_EX | LOCK_NB) != 0) {
            file->remove();
            continue;
        }
        m_file = std::move(file);
        return;
    }
}

PageSpool::~PageSpool()
{
    if (m_file) {
        // Removed while the lock is still held, then closed.
        QFile::remove(m_file->fileName());
        m_file->close();
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
    const qint64 self = QCoreApplication::applicationPid();
    int removed = 0;
    const QDir dir(folder);
    const QStringList names = dir.entryList({u"tessaro-spool-*.tsp"_s}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = spoolPattern().match(name);
        if (!match.hasMatch())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        // A spool is made and then locked: for that moment only its process, still running,
        // keeps it from being taken for an orphan. A program that got the pid of a killed
        // one knows that all its own spools are locked.
        if (pid != self && processRuns(pid))
            continue;
        if (removeIfFree(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

} // namespace report
