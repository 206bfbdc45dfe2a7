// Sequential passes: keyset reads in blocks, positions and resets.

#include "store/cursorparts.h"
#include "store/postgres/pgrecordfile.h"
#include "store/rowsread.h"

#include <cstring>
#include <limits>

using namespace pgengine;

int PgRecordFile::startPass(const KeySpec &order, const FilterTree &filter, bool fromBuffer)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        for (const KeyPart &part : order.parts) {
            if (part.field >= def().fieldCount)
                return finish(status, pg::Failure{"42703", "no such field"});
        }
        auto pass = std::make_unique<Pass>();
        Pass *old = m_pass.get();
        if (pass->begin(def(), order, filter, old, pgsql::renderFilter)) {
            pass->uniqueKey = old->uniqueKey;
            pass->sql = std::move(old->sql);
        } else {
            const int key = cursorparts::keyOf(def(), order);
            pass->uniqueKey = key >= 0 && def().keys[key].unique;
        }
        if (fromBuffer) {
            pass->anchor = Pass::Anchor::Values;
            pass->values = pgcodec::keyValues(pass->order, buffer());
            pass->forwardAfter = 0;
            pass->backwardBefore = std::numeric_limits<std::int64_t>::max();
        }
        m_pass = std::move(pass);
        return finish(status, Result::Ok);
    });
}

// Reads the next block in a direction from the pass's anchor. Leaves the status only when
// it fails (and then returns its code).
int PgRecordFile::readBlock(int direction)
{
    Pass &p = *m_pass;
    const FileDef &d = def();
    const bool forward = direction > 0;

    pg::Params params;
    for (const FieldValue &value : p.filter.values)
        params.add(pgcodec::textOf(value), pgcodec::typeOf(value));
    auto addValues = [&](const std::vector<FieldValue> &values) {
        for (std::size_t i = 0; i < p.order.parts.size(); ++i)
            pgcodec::addComponent(params, d, p.order.parts[i], p.order.noCase, values[i]);
    };
    pgsql::Bound bound = pgsql::Bound::None;
    std::int64_t idBound = 0;
    if (p.order.parts.empty()) {
        // Insertion order: the id alone.
        if (p.anchor == Pass::Anchor::Values) {
            bound = pgsql::Bound::After;
            idBound = forward ? p.forwardAfter : p.backwardBefore;
        } else if (p.anchor == Pass::Anchor::Current && m_current != 0) {
            bound = pgsql::Bound::After;
            idBound = m_current;
        }
    } else if (p.anchor == Pass::Anchor::Values && p.values.size() == p.order.parts.size()) {
        addValues(p.values);
        bound = pgsql::Bound::From;
        idBound = forward ? p.forwardAfter : p.backwardBefore;
    } else if (p.anchor == Pass::Anchor::Current && m_hasFetched) {
        addValues(pgcodec::keyValues(p.order, m_fetched));
        bound = pgsql::Bound::After;
        idBound = m_current;
    }
    // Records with equal components in insertion order: the id bounds them unless a unique
    // key has no two of them.
    const bool idBounds = bound != pgsql::Bound::None && (!p.uniqueKey || p.order.parts.empty());
    if (idBounds)
        params.add(std::to_string(idBound), pg::Type::Int8);
    const std::size_t want = blockRows();
    params.add(std::to_string(want), pg::Type::Int8);

    std::string &text = p.sql[forward ? 1 : 0][static_cast<std::size_t>(bound)];
    if (text.empty()) {
        // Insertion order is an order without components whose bound is the id alone.
        text = pgsql::passSql(
            d, p.order, p.uniqueKey && !p.order.parts.empty(), p.filter, forward, bound);
    }
    pg::Connection &c = connection();
    const pg::Result rows = c.run(text, params);
    if (!rows.ok())
        return failed(c, rows);

    const std::size_t size = d.recordSize;
    const auto count = static_cast<std::size_t>(rows.rows());
    rowsread::count(count);
    p.makeRoom(count, size);
    p.dropBlock();
    for (std::size_t row = 0; row < count; ++row) {
        const int r = static_cast<int>(row);
        pgcodec::readRecord(rows, r, pgsql::kFirstFieldColumn, m_scratch);
        std::memcpy(p.rows.data() + row * size, m_scratch.data(), size);
        p.ids[row] = rows.int64(r, 0);
        p.versions[row] = rows.int64(r, 1);
    }
    p.count = count;
    p.hitEnd = count < want;
    p.direction = direction;
    p.generation = generation();
    return Result::Ok;
}

void PgRecordFile::takeBlockRow(std::size_t row)
{
    Pass &p = *m_pass;
    const std::size_t size = buffer().size();
    std::memcpy(buffer().data(), p.rows.data() + row * size, size);
    m_fetched = buffer();
    m_hasFetched = true;
    m_current = p.ids[row];
    m_currentVersion = p.versions[row];
    p.anchor = Pass::Anchor::Current;
    m_watched = false;
}

int PgRecordFile::step(int direction)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (!m_pass)
            return finish(status, Result::NoRecord);
        Pass &p = *m_pass;
        const Pass::Next next = p.next(direction, generation());
        if (next == Pass::Next::End)
            return finish(status, Result::NoRecord);
        if (next == Pass::Next::Block) {
            if (const int rc = readBlock(direction); rc != Result::Ok)
                return rc;
            if (p.count == 0)
                return finish(status, Result::NoRecord);
        }
        const std::size_t row = p.nextRow++;
        if (!m_watchNext && !m_holdNext) {
            takeBlockRow(row);
            return finish(status, Result::Ok);
        }
        // A watched or held record is read afresh: the block may be older than its last
        // change.
        const std::size_t size = buffer().size();
        std::memcpy(m_scratch.data(), p.rows.data() + row * size, size);
        std::int64_t version = p.versions[row];
        if (const int rc = readById(p.ids[row], m_scratch, version);
            rc != Result::Ok && rc != Result::NoRecord) {
            m_watchNext = m_holdNext = false;
            return rc;
        }
        p.anchor = Pass::Anchor::Current;
        if (const int rc = arrive(m_scratch, p.ids[row], version); rc != Result::Ok)
            return rc;
        return finish(status, Result::Ok);
    });
}

std::string PgRecordFile::position() const
{
    if (!m_open || m_current == 0)
        return {};
    recordposition::Position pos{m_current, {}, {}};
    // Key values from the record as it was read, so that a pass goes on from where it stood.
    if (m_hasFetched) {
        if (m_pass && !m_pass->tag.empty()) {
            pos.tag = m_pass->tag;
            pos.values = pgcodec::keyValues(m_pass->order, m_fetched);
        } else if (!m_pass && m_fetchKey >= 0) {
            pos.tag = 'k' + std::to_string(m_fetchKey);
            pos.values = pgcodec::keyValues(KeySpec::ofKey(id(), m_fetchKey), m_fetched);
        }
    }
    return recordposition::encode(pos);
}

int PgRecordFile::reset(const std::string &position)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
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
        if (!pgcodec::decodePosition(position, pos))
            return finish(status, Result::NoRecord);
        if (p.anchorAt(pos))
            return finish(status, Result::Ok);
        std::int64_t version = 0;
        const int rc = readById(pos.id, m_scratch, version);
        if (rc == Result::Ok)
            p.values = pgcodec::keyValues(p.order, m_scratch);
        else if (rc == Result::NoRecord)
            p.anchor = Pass::Anchor::Start; // gone, and nothing tells where it stood
        else
            return rc;
        return finish(status, Result::Ok);
    });
}
