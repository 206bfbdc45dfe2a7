// Sequential passes: keyset reads in blocks, positions and resets.

#include "store/sqlite/recordfile.h"

#include "store/recordposition.h"
#include "store/rowsread.h"

#include "store/sqlite/rowcodec.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::int64_t kLowestRowid = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kHighestRowid = std::numeric_limits<std::int64_t>::max();

} // namespace

int SqliteRecordFile::startPass(const KeySpec &order, const FilterTree &filter, bool fromBuffer)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        for (const KeyPart &part : order.parts) {
            if (part.field >= def().fieldCount)
                return finish(status, sqlite::Failure{SQLITE_RANGE, "no such field"});
        }
        auto pass = std::make_unique<Pass>();
        Pass *old = m_pass.get();
        if (pass->begin(def(), order, filter, old, renderFilter)) {
            pass->builtForRoute = old->builtForRoute;
            pass->forwardSql = std::move(old->forwardSql);
            pass->backwardSql = std::move(old->backwardSql);
        }
        if (fromBuffer) {
            pass->anchor = Pass::Anchor::Values;
            pass->values = rowcodec::keyValues(def(), pass->order, buffer().data());
            pass->forwardAfter = kLowestRowid;
            pass->backwardBefore = kHighestRowid;
        }
        m_pass = std::move(pass);
        return finish(status, Result::Ok);
    });
}

// Reads the next block in a direction from the pass's anchor. Leaves the status only when
// it fails (and then returns its code).
int SqliteRecordFile::readBlock(int direction)
{
    StorageStatus &status = this->status();
    Pass &p = *m_pass;
    StoredFile &file = *m_file;
    const FileDef &d = def();
    if (p.builtForRoute != file.routeCount()) {
        const StoredFile::PassSql &sql = file.passSql(p.tag, p.order, p.filter);
        p.forwardSql = sql.forward;
        p.backwardSql = sql.backward;
        p.builtForRoute = file.routeCount();
    }
    const bool forward = direction > 0;
    sqlite::Database &db = file.db();
    sqlite::Statement *pass = db.cached(forward ? p.forwardSql : p.backwardSql);
    if (!pass)
        return finish(status, db.lastFailure());
    sqlite::ResetGuard reset(*pass);

    int index = 1;
    for (const FieldValue &value : p.filter.values)
        rowcodec::bindValue(*pass, index++, value);
    const int parts = static_cast<int>(p.order.parts.size());

    auto bindValues = [&](const std::vector<FieldValue> &values) {
        rowcodec::bindKeyValues(*pass, index, d, p.order, values);
    };
    std::int64_t rowidBound = forward ? kLowestRowid : kHighestRowid;
    if (p.anchor == Pass::Anchor::Values && p.values.size() == p.order.parts.size()) {
        bindValues(p.values);
        rowidBound = forward ? p.forwardAfter : p.backwardBefore;
    } else if (p.anchor == Pass::Anchor::Current && m_fetched.size() == buffer().size()) {
        bindValues(rowcodec::keyValues(d, p.order, m_fetched.data()));
        rowidBound = m_current;
    } else {
        rowcodec::bindExtremes(*pass, index, d, p.order, forward);
    }
    pass->bind(index + parts, rowidBound);
    const std::size_t want = blockRows();
    pass->bind(index + parts + 1, static_cast<std::int64_t>(want));

    const std::size_t size = d.recordSize;
    p.makeRoom(want, size);
    p.dropBlock();
    std::size_t count = 0;
    for (; count < want; ++count) {
        const int rc = pass->step();
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        rowcodec::readRecord(*pass, enginesql::kFirstFieldColumn, d, p.rows.data() + count * size);
        p.ids[count] = pass->int64(0);
        p.versions[count] = pass->int64(1);
    }
    rowsread::count(count);
    p.count = count;
    p.hitEnd = count < want;
    p.direction = direction;
    p.generation = file.generation();
    return Result::Ok;
}

void SqliteRecordFile::takeBlockRow(std::size_t row)
{
    Pass &p = *m_pass;
    const std::size_t size = buffer().size();
    std::memcpy(buffer().data(), p.rows.data() + row * size, size);
    m_fetched.assign(buffer().data(), buffer().data() + size);
    m_current = p.ids[row];
    m_currentVersion = p.versions[row];
    p.anchor = Pass::Anchor::Current;
    m_watched = false;
}

int SqliteRecordFile::step(int direction)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (!m_pass)
            return finish(status, Result::NoRecord);
        Pass &p = *m_pass;
        const Pass::Next next = p.next(direction, m_file->generation());
        if (next == Pass::Next::End)
            return finish(status, Result::NoRecord);
        if (next == Pass::Next::Block) {
            if (const int rc = readBlock(direction); rc != Result::Ok)
                return rc;
            if (p.count == 0)
                return finish(status, Result::NoRecord);
        }
        takeBlockRow(p.nextRow++);
        if (m_watchNext) {
            // A watched record is read afresh: the block may be older than its last change.
            sqlite::Database &db = m_file->db();
            sqlite::Statement *byRowid = db.cached(m_file->sql().byRowid);
            if (!byRowid)
                return finish(status, db.lastFailure());
            sqlite::ResetGuard reset(*byRowid);
            byRowid->bind(1, m_current);
            const int rc = byRowid->step();
            if (rc == SQLITE_ROW) {
                rowsread::count(1);
                rowcodec::readRecord(
                    *byRowid, enginesql::kFirstFieldColumn, def(), buffer().data());
                m_currentVersion = byRowid->int64(1);
                m_fetched.assign(buffer().data(), buffer().data() + buffer().size());
            } else if (rc != SQLITE_DONE) {
                m_watchNext = false;
                return finish(status, db.failure(rc));
            }
            takeWatch();
        }
        return finish(status, Result::Ok);
    });
}

std::string SqliteRecordFile::position() const
{
    if (!m_file || m_current == 0)
        return {};
    // Key values from the record as it was read, so that a pass goes on from where it stood.
    if (m_fetched.size() == buffer().size()) {
        if (m_pass && !m_pass->tag.empty())
            return rowcodec::encodePosition(
                m_current, m_pass->tag, def(), m_pass->order, m_fetched.data());
        if (!m_pass && m_fetchKey >= 0)
            return rowcodec::encodePosition(m_current,
                                            'k' + std::to_string(m_fetchKey),
                                            def(),
                                            KeySpec::ofKey(id(), m_fetchKey),
                                            m_fetched.data());
    }
    return recordposition::encode(recordposition::Position{m_current, {}, {}});
}

int SqliteRecordFile::reset(const std::string &position)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (!m_pass) {
            if (const int rc = setStoredOrder(); rc != Result::Ok)
                return rc;
        }
        Pass &p = *m_pass;
        p.dropBlock();
        recordposition::Position pos;
        if (position.empty()) {
            p.anchor = Pass::Anchor::Start;
            return finish(status, Result::Ok);
        }
        if (!recordposition::decode(position, pos))
            return finish(status, Result::NoRecord);
        if (p.anchorAt(pos))
            return finish(status, Result::Ok);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *byRowid = db.cached(m_file->sql().byRowid);
        if (!byRowid)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*byRowid);
        byRowid->bind(1, pos.id);
        const int rc = byRowid->step();
        if (rc == SQLITE_ROW) {
            rowsread::count(1);
            std::vector<char> record(buffer().size());
            rowcodec::readRecord(*byRowid, enginesql::kFirstFieldColumn, def(), record.data());
            p.values = rowcodec::keyValues(def(), p.order, record.data());
        } else if (rc != SQLITE_DONE) {
            return finish(status, db.failure(rc));
        } else {
            p.anchor = Pass::Anchor::Start; // gone, and nothing tells where it stood
        }
        return finish(status, Result::Ok);
    });
}
