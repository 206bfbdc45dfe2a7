#include "store/recordcursor.h"

#include <utility>

namespace {

constexpr std::size_t kBlockRows = 64;
constexpr std::size_t kQuickScanRows = 256;

} // namespace

int RecordCursor::setStoredOrder()
{
    return startPass(KeySpec{}, FilterTree{}, false);
}

int RecordCursor::setKeyStart(int key)
{
    if (key < 0 || key >= def().keyCount)
        return noSuchKey();
    return startPass(KeySpec::ofKey(id(), key), FilterTree{}, false);
}

int RecordCursor::setKeyFrom(int key)
{
    if (key < 0 || key >= def().keyCount)
        return noSuchKey();
    return startPass(KeySpec::ofKey(id(), key), FilterTree{}, true);
}

int RecordCursor::setOrderStart(const KeySpec &order, const FilterTree &filter)
{
    return startPass(order, filter, false);
}

int RecordCursor::setOrderFrom(const KeySpec &order, const FilterTree &filter)
{
    return startPass(order, filter, true);
}

int RecordCursor::next()
{
    return step(+1);
}

int RecordCursor::previous()
{
    return step(-1);
}

int RecordCursor::watch()
{
    m_watchNext = true;
    m_watchSince = -1;
    return done(Result::Ok);
}

int RecordCursor::watchSince(std::int64_t version)
{
    m_watchNext = true;
    m_watchSince = version;
    return done(Result::Ok);
}

int RecordCursor::done(int code)
{
    engine().status() = StorageStatus{code, {}, {}};
    return code;
}

void RecordCursor::forgetCurrent()
{
    m_current = 0;
    m_fetchKey = -1;
    m_watchNext = m_watched = false;
    m_watchSince = -1;
    forgetOwnPuts();
}

void RecordCursor::takeWatch()
{
    m_watched = std::exchange(m_watchNext, false);
    const std::int64_t since = std::exchange(m_watchSince, -1);
    if (m_watched && since >= 0)
        m_currentVersion = carriedVersion(m_current, since);
}

std::size_t RecordCursor::blockRows() const
{
    return m_readAhead > 0 ? m_readAhead : (m_quickScan ? kQuickScanRows : kBlockRows);
}
