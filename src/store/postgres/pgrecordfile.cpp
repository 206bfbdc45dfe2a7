// The cursor's single-record operations: open, write, fetch, hold.

#include "store/postgres/pgrecordfile.h"
#include "store/cursorparts.h"
#include "store/rowsread.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

using namespace pgengine;

namespace {

pg::Params idParam(std::int64_t id)
{
    pg::Params params;
    params.add(std::to_string(id), pg::Type::Int8);
    return params;
}

} // namespace

PgRecordFile::PgRecordFile(PostgresEngine &engine, FileId file, RecordBuffer &buffer)
    : RecordCursor(engine, file, buffer)
    , m_owner(engine)
    , m_fetched(file)
    , m_scratch(file)
{}

PgRecordFile::~PgRecordFile()
{
    close();
}

int PgRecordFile::failed(const pg::Connection &connection, const pg::Result &result)
{
    const pg::Failure failure = failureOf(connection, result);
    if (&connection != &impl().main)
        m_owner.transactionFailed();
    return finish(status(), failure);
}

int PgRecordFile::open(std::uint8_t mode)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (m_open)
            return finish(status, Result::AlreadyOpen);
        const bool wantWrite = (mode & 0x0F) != OpenMode::ReadOnly;
        pg::Connection &main = impl().main;
        pg::Params params;
        params.add(pgsql::table(def()), pg::Type::Text);
        const pg::Result found = main.run(
            "SELECT c.oid, has_table_privilege(c.oid, 'INSERT, UPDATE, DELETE'), EXISTS(SELECT "
            "FROM pg_trigger t WHERE t.tgrelid = c.oid AND t.tgname = 'tessaro_changed') FROM "
            "pg_class c WHERE c.oid = to_regclass($1)",
            params);
        if (!found.ok())
            return finish(status, failureOf(main, found));
        if (found.rows() == 0)
            return finish(status, Result::FileNotFound);
        const bool mayWrite = found.text(0, 1) == "t";
        if (wantWrite && !mayWrite)
            return finish(status, Result::AccessDenied);

        // Every key's index must be there: a missing one is rebuilt (46), never passed over.
        pg::Params table;
        table.add(def().storedName, pg::Type::Text);
        const pg::Result indexes = main.run("SELECT indexname FROM pg_indexes WHERE schemaname "
                                            "= current_schema() AND tablename = $1",
                                            table);
        if (!indexes.ok())
            return finish(status, failureOf(main, indexes));
        std::set<std::string, std::less<>> present;
        for (int row = 0; row < indexes.rows(); ++row)
            present.emplace(indexes.text(row, 0));
        for (int k = 0; k < def().keyCount; ++k) {
            if (!present.contains(pgsql::indexName(def(), k)))
                return finish(status, Result::KeysInvalid);
        }
        // A table made before writes were told to other stations learns it now.
        if (found.text(0, 2) != "t" && mayWrite) {
            // A role that may write but not make functions works on without telling.
            main.exec(pgsql::tellChanges(def()));
        }
        m_oid = static_cast<std::uint32_t>(found.int64(0, 0));
        m_open = true;
        m_readOnly = !wantWrite;
        ++impl().openCursors[PostgresEngine::Impl::index(id())];
        forgetCurrent();
        m_holdNext = false;
        m_pass.reset();
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::create()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (m_open || impl().openCursors[PostgresEngine::Impl::index(id())] > 0)
            return finish(status, Result::AlreadyOpen);
        // One statement text runs as one transaction: the file is replaced whole or not at all.
        std::string script = "DROP TABLE IF EXISTS " + pgsql::table(def());
        for (const std::string &statement : pgsql::createFile(def()))
            script += "; " + statement;
        pg::Connection &main = impl().main;
        const pg::Result made = main.exec(script);
        if (!made.ok())
            return finish(status, failureOf(main, made));
        changed();
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::rebuildKeys()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (m_open || impl().openCursors[PostgresEngine::Impl::index(id())] > 0)
            return finish(status, Result::AlreadyOpen);
        if (!m_owner.exists(id()))
            return finish(status, Result::FileNotFound);
        std::string script;
        for (int k = 0; k < def().keyCount; ++k)
            script += "DROP INDEX IF EXISTS " + pgsql::quote(pgsql::indexName(def(), k)) + "; ";
        for (int k = 0; k < def().keyCount; ++k)
            script += pgsql::createIndex(def(), k) + "; ";
        pg::Connection &main = impl().main;
        const pg::Result rebuilt = main.exec(script);
        if (!rebuilt.ok())
            return finish(status, failureOf(main, rebuilt));
        changed();
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::send(std::string_view option)
{
    const cursorparts::Option sent = cursorparts::parseOption(option);
    // "Recover" is the server's business: a statement waits for rows others are writing as
    // the connection's lock timeout says.
    if (sent.is("QUICKSCAN"))
        m_quickScan = sent.on();
    return finish(status(), Result::Ok);
}

int PgRecordFile::close()
{
    releaseHold();
    m_pass.reset();
    if (m_open)
        --impl().openCursors[PostgresEngine::Impl::index(id())];
    m_open = false;
    forgetCurrent();
    m_hasFetched = false;
    m_holdNext = false;
    m_readOnly = false;
    return finish(status(), Result::Ok);
}

int PgRecordFile::add()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        pg::Params params;
        pgcodec::addRecord(params, def(), buffer());
        pg::Connection &c = connection();
        const pg::Result added = c.run(sql().insert, params);
        if (!added.ok())
            return failed(c, added);
        changed();
        m_current = added.int64(0, 0);
        m_currentVersion = 0;
        m_watched = false;
        m_fetched = buffer();
        m_hasFetched = true;
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::put()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        pg::Params params;
        pgcodec::addRecord(params, def(), buffer());
        params.add(std::to_string(m_current), pg::Type::Int8);
        if (m_watched)
            params.add(std::to_string(m_currentVersion), pg::Type::Int8);
        pg::Connection &c = connection();
        // With watch, the noted version is part of the condition: of two stations that save
        // the record at once, the second finds the version gone and writes nothing.
        const pg::Result updated = c.run(m_watched ? sql().updateWatched : sql().update, params);
        if (!updated.ok())
            return failed(c, updated);
        if (updated.rows() == 0)
            return finish(status, m_watched ? Result::RecordChanged : Result::NoRecord);
        const std::int64_t before = m_currentVersion;
        m_currentVersion = updated.int64(0, 0);
        noteOwnPut(m_current, before, m_currentVersion);
        changed();
        m_fetched = buffer();
        m_hasFetched = true;
        if (m_heldKey == lockKey(m_current))
            releaseHold();
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::erase()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        pg::Connection &c = connection();
        const pg::Result erased = c.run(sql().erase, idParam(m_current));
        if (!erased.ok())
            return failed(c, erased);
        if (erased.command() == "DELETE 0")
            return finish(status, Result::NoRecord);
        // The block holds on when the record deleted is the one the pass took last from it:
        // the rows after it are as they were, and a walk that deletes what it reads (a
        // cascade) goes on through them instead of reading them again for every record.
        const bool blockHeld = m_pass && m_pass->generation == generation() && m_pass->count > 0
                               && m_pass->nextRow > 0
                               && m_pass->ids[m_pass->nextRow - 1] == m_current;
        changed();
        m_watched = false;
        if (m_heldKey == lockKey(m_current))
            releaseHold();
        // m_current and m_fetched stay: a pass goes on from where the record stood.
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            if (blockHeld)
                m_pass->generation = generation();
        }
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::readById(std::int64_t id, RecordBuffer &into, std::int64_t &version)
{
    pg::Connection &c = connection();
    const pg::Result row = c.run(sql().byId, idParam(id));
    if (!row.ok())
        return failed(c, row);
    if (row.rows() == 0)
        return Result::NoRecord;
    rowsread::count(1);
    pgcodec::readRecord(row, 0, pgsql::kFirstFieldColumn, into);
    version = row.int64(0, 1);
    return Result::Ok;
}

pgsql::HoldKey PgRecordFile::lockKey(std::int64_t id) const
{
    return pgsql::holdKey(m_oid, this->id(), id);
}

pg::Params PgRecordFile::lockParams(const pgsql::HoldKey &key) const
{
    pg::Params params;
    if (key.pair) {
        params.add(std::to_string(key.first), pg::Type::Int4);
        params.add(std::to_string(key.second), pg::Type::Int4);
    } else {
        params.add(std::to_string(key.first), pg::Type::Int8);
    }
    return params;
}

int PgRecordFile::takeHold(std::int64_t id)
{
    pg::Connection &main = impl().main;
    const pgsql::HoldKey key = lockKey(id);
    if (!key.valid)
        return finish(status(), pg::Failure{"22003", "the record's number is beyond holding"});
    if (m_heldKey == key && m_heldSession == main.session())
        return Result::Ok;
    releaseHold();
    const pg::Result locked = main.run(pgsql::takeHoldSql(key), lockParams(key));
    if (!locked.ok())
        return finish(status(), failureOf(main, locked));
    if (locked.text(0, 0) != "t")
        return Result::RecordHeld;
    m_heldKey = key;
    m_heldSession = main.session();
    return Result::Ok;
}

void PgRecordFile::releaseHold()
{
    if (!m_heldKey.valid)
        return;
    pg::Connection &main = impl().main;
    // A lock of a session that has ended has gone with it.
    if (m_heldSession == main.session())
        main.run(pgsql::releaseHoldSql(m_heldKey), lockParams(m_heldKey));
    m_heldKey = {};
}

int PgRecordFile::arrive(const RecordBuffer &record, std::int64_t id, std::int64_t version)
{
    if (std::exchange(m_holdNext, false)) {
        if (const int rc = takeHold(id); rc != Result::Ok) {
            m_watchNext = false;
            m_watchSince = -1;
            // Not read: the pass moves past the record all the same.
            m_current = id;
            m_fetched = record;
            m_hasFetched = true;
            if (m_pass)
                m_pass->anchor = Pass::Anchor::Current;
            return rc == Result::RecordHeld ? finish(status(), Result::RecordHeld) : rc;
        }
    }
    std::memcpy(buffer().data(), record.data(), buffer().size());
    m_fetched = record;
    m_hasFetched = true;
    m_current = id;
    m_currentVersion = version;
    takeWatch();
    return Result::Ok;
}

int PgRecordFile::get(int key)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (key < 0 || key >= def().keyCount)
            return noSuchKey();
        const KeySpec spec = KeySpec::ofKey(id(), key);
        pg::Params params;
        for (const KeyPart &part : spec.parts)
            pgcodec::addComponent(params, def(), part, spec.noCase, buffer().value(part.field));
        pg::Connection &c = connection();
        const pg::Result row = c.run(sql().get[static_cast<std::size_t>(key)], params);
        if (!row.ok())
            return failed(c, row);
        if (row.rows() == 0)
            return finish(status, Result::NoRecord);
        rowsread::count(1);
        pgcodec::readRecord(row, 0, pgsql::kFirstFieldColumn, m_scratch);
        m_fetchKey = key;
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        if (const int rc = arrive(m_scratch, row.int64(0, 0), row.int64(0, 1)); rc != Result::Ok)
            return rc;
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::reget(const std::string &position)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        recordposition::Position pos;
        if (!pgcodec::decodePosition(position, pos))
            return finish(status, Result::NoRecord);
        std::int64_t version = 0;
        if (const int rc = readById(pos.id, m_scratch, version); rc != Result::Ok)
            return rc == Result::NoRecord ? finish(status, rc) : rc;
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        if (const int rc = arrive(m_scratch, pos.id, version); rc != Result::Ok)
            return rc;
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::recall(const std::string &position)
{
    recordposition::Position pos;
    // A hold or watch asks for the record as it is now.
    if (!m_open || !m_pass || m_watchNext || m_holdNext || !pgcodec::decodePosition(position, pos))
        return reget(position);
    Pass &p = *m_pass;
    if (p.generation != generation())
        return reget(position);
    const std::size_t row = p.rowOf(pos.id);
    if (row == p.count)
        return reget(position);
    takeBlockRow(row);
    p.dropBlock();
    return finish(status(), Result::Ok);
}

int PgRecordFile::hold()
{
    m_holdNext = true;
    return watch();
}

int PgRecordFile::noSuchKey()
{
    return finish(status(), pg::Failure{"42P10", "no such key"});
}

bool PgRecordFile::duplicate(int key)
{
    StorageStatus &status = this->status();
    return guarded(status, [&]() -> bool {
        if (!m_open) {
            notOpen(status);
            return false;
        }
        if (key < 0 || key >= def().keyCount || !def().keys[key].unique)
            return false;
        const KeySpec spec = KeySpec::ofKey(id(), key);
        pg::Params params;
        for (const KeyPart &part : spec.parts)
            pgcodec::addComponent(params, def(), part, spec.noCase, buffer().value(part.field));
        params.add(std::to_string(m_current), pg::Type::Int8);
        pg::Connection &c = connection();
        const pg::Result row = c.run(sql().duplicate[static_cast<std::size_t>(key)], params);
        if (!row.ok()) {
            failed(c, row);
            return false;
        }
        return row.rows() > 0;
    });
}

std::int64_t PgRecordFile::records()
{
    StorageStatus &status = this->status();
    return guarded(status, [&]() -> std::int64_t {
        if (!m_open) {
            notOpen(status);
            return 0;
        }
        pg::Connection &c = connection();
        const pg::Result count = c.run(sql().count, pg::Params());
        if (!count.ok()) {
            failed(c, count);
            return 0;
        }
        finish(status, Result::Ok);
        return count.int64(0, 0);
    });
}

// Every write is committed when it returns (or with its transaction): nothing waits.
int PgRecordFile::flush()
{
    return m_open ? finish(status(), Result::Ok) : notOpen(status());
}

namespace {

// Bytes in the server's hex input form of bytea, and back from its output form.
std::string hexBytea(std::string_view bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text = "\\x";
    text.reserve(2 + bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool fromHexBytea(std::string_view text, std::string &bytes)
{
    if (text.size() < 2 || text[0] != '\\' || text[1] != 'x' || text.size() % 2 != 0)
        return false;
    bytes.resize((text.size() - 2) / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = hexValue(text[2 + 2 * i]);
        const int low = hexValue(text[3 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<char>(high << 4 | low);
    }
    return true;
}

} // namespace

int PgRecordFile::putLarge(int slot, std::string_view bytes)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_open)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (slot < 0 || slot >= def().largeCount)
            return finish(status, pg::Failure{"42703", "no such large value"});
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        pg::Params params;
        params.add(hexBytea(bytes), pg::Type::Bytea);
        params.add(std::to_string(m_current), pg::Type::Int8);
        pg::Connection &c = connection();
        const pg::Result written = c.run(sql().putLarge[std::size_t(slot)], params);
        if (!written.ok())
            return failed(c, written);
        if (written.command() == "UPDATE 0")
            return finish(status, Result::NoRecord);
        changed();
        return finish(status, Result::Ok);
    });
}

int PgRecordFile::getLarge(int slot, std::string &bytes)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        bytes.clear();
        if (!m_open)
            return notOpen(status);
        if (slot < 0 || slot >= def().largeCount)
            return finish(status, pg::Failure{"42703", "no such large value"});
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        pg::Params params;
        params.add(std::to_string(m_current), pg::Type::Int8);
        pg::Connection &c = connection();
        const pg::Result read = c.run(sql().getLarge[std::size_t(slot)], params);
        if (!read.ok())
            return failed(c, read);
        if (read.rows() == 0)
            return finish(status, Result::NoRecord);
        if (!fromHexBytea(read.text(0, 0), bytes))
            return finish(status, pg::Failure{"22P03", "large value not in hex form"});
        return finish(status, Result::Ok);
    });
}
