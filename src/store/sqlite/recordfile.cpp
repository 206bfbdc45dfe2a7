// The cursor's single-record operations: open, write, fetch.

#include "store/sqlite/recordfile.h"

#include "store/cursorparts.h"
#include "store/recordposition.h"
#include "store/rowsread.h"

#include "store/sqlite/rowcodec.h"

#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <system_error>
#include <utility>

namespace {

// A file without write permission is read-only also for a user whom the system would let
// write anyway, so that the read-only attribute means the same for everyone.
bool isReadOnlyFile(const std::filesystem::path &path)
{
    std::error_code error;
    const auto perms = std::filesystem::status(path, error).permissions();
    if (error)
        return false;
    if ((perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none)
        return true;
    return !QFileInfo(path).isWritable();
}

} // namespace

SqliteRecordFile::SqliteRecordFile(SqliteEngine &engine, FileId file, RecordBuffer &buffer)
    : RecordCursor(engine, file, buffer)
    , m_owner(engine)
{}

SqliteRecordFile::~SqliteRecordFile()
{
    close();
}

bool SqliteRecordFile::isOpen() const
{
    return m_file != nullptr;
}

bool SqliteRecordFile::isReadOnly() const
{
    return m_readOnly;
}

int SqliteRecordFile::open(std::uint8_t mode)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (m_file)
            return finish(status, Result::AlreadyOpen);
        const bool wantWrite = (mode & 0x0F) != OpenMode::ReadOnly;
        const std::filesystem::path path = m_owner.pathOf(id());
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return finish(status, Result::FileNotFound);

        const auto index = static_cast<std::size_t>(id());
        std::weak_ptr<StoredFile> &slot = m_owner.impl().files[index];
        std::shared_ptr<StoredFile> file = slot.lock();
        if (!file) {
            file = std::exchange(m_owner.impl().idle[index], nullptr);
            if (file && file->stillOnDisk() && file->readOnly() == isReadOnlyFile(path)) {
                file->setBusyTimeout(kDefaultBusyMs); // the default, as for a file opened anew
                slot = file;
            } else {
                file.reset();
            }
        }
        if (!file) {
            const bool readOnlyFile = isReadOnlyFile(path);
            if (wantWrite && readOnlyFile)
                return finish(status, Result::AccessDenied);
            file = std::make_shared<StoredFile>(id(), path);
            sqlite::Failure failure;
            const int rc = file->open(
                readOnlyFile, m_recoverMs >= 0 ? m_recoverMs : kDefaultBusyMs, failure);
            if (rc == Result::KeysInvalid)
                return finish(status, Result::KeysInvalid);
            if (rc != SQLITE_OK)
                return finish(status, failure);
            slot = file;
        } else if (wantWrite && file->readOnly()) {
            return finish(status, Result::AccessDenied);
        }
        if (m_recoverMs >= 0)
            file->setBusyTimeout(m_recoverMs);
        m_file = std::move(file);
        m_readOnly = !wantWrite || m_file->readOnly();
        forgetCurrent();
        m_pass.reset();
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::create()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        m_owner.impl().idle[static_cast<std::size_t>(id())].reset();
        if (m_file || !m_owner.impl().files[static_cast<std::size_t>(id())].expired())
            return finish(status, Result::AlreadyOpen);
        sqlite::Failure failure;
        if (createFile(m_owner.pathOf(id()), def(), failure) != SQLITE_OK)
            return finish(status, failure);
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::rebuildKeys()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        // The rebuilt file replaces the old one, which nobody may have open meanwhile.
        if (m_file || !m_owner.impl().files[static_cast<std::size_t>(id())].expired())
            return finish(status, Result::AlreadyOpen);
        const std::filesystem::path path = m_owner.pathOf(id());
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return finish(status, Result::FileNotFound);
        sqlite::Failure failure;
        std::filesystem::path aside;
        const int rc = rebuildFile(path, def(), failure, aside);
        noteSetAside(aside.string());
        if (rc != SQLITE_OK)
            return finish(status, failure);
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::send(std::string_view option)
{
    const cursorparts::Option sent = cursorparts::parseOption(option);
    if (sent.is("Recover")) {
        int seconds = 0;
        const auto parsed
            = std::from_chars(sent.value.data(), sent.value.data() + sent.value.size(), seconds);
        if (parsed.ec == std::errc() && seconds >= 0) {
            m_recoverMs = seconds * 1000;
            if (m_file)
                m_file->setBusyTimeout(m_recoverMs);
        }
    } else if (sent.is("QUICKSCAN")) {
        m_quickScan = sent.on();
    }
    return finish(status(), Result::Ok);
}

int SqliteRecordFile::close()
{
    m_pass.reset();
    if (m_file && m_file.use_count() == 1 && !m_file->routed()) {
        // Nobody has the file open any more; the next open looks at it again before use.
        const auto index = static_cast<std::size_t>(id());
        m_owner.impl().files[index].reset();
        m_owner.impl().idle[index] = std::move(m_file);
    }
    m_file.reset();
    forgetCurrent();
    m_readOnly = false;
    return finish(status(), Result::Ok);
}

int SqliteRecordFile::add()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *insert = db.cached(m_file->sql().insert);
        if (!insert)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*insert);
        rowcodec::bindRecord(*insert, 1, def(), buffer().data(), m_file->scratch());
        const int rc = insert->step();
        if (rc != SQLITE_DONE)
            return finish(status, db.failure(rc));
        m_file->changed();
        m_current = db.lastInsertRowid();
        m_currentVersion = 0;
        m_watched = false;
        m_fetched.assign(buffer().data(), buffer().data() + buffer().size());
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::put()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        const int rowidParam = m_file->sql().rowidParam;
        sqlite::Statement *update
            = db.cached(m_watched ? m_file->sql().updateWatched : m_file->sql().update);
        if (!update)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*update);
        rowcodec::bindRecord(*update, 1, def(), buffer().data(), m_file->scratch());
        update->bind(rowidParam, m_current);
        if (m_watched)
            update->bind(rowidParam + 1, m_currentVersion);
        const int rc = update->step();
        if (rc == SQLITE_DONE) {
            // No row written: with watch, someone else changed or deleted it since it was
            // read; without, it is gone.
            return finish(status, m_watched ? Result::RecordChanged : Result::NoRecord);
        }
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        const std::int64_t before = m_currentVersion;
        m_currentVersion = update->int64(0);
        noteOwnPut(m_current, before, m_currentVersion);
        m_file->changed();
        m_fetched.assign(buffer().data(), buffer().data() + buffer().size());
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::erase()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *erase = db.cached(m_file->sql().erase);
        if (!erase)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*erase);
        erase->bind(1, m_current);
        const int rc = erase->step();
        if (rc != SQLITE_DONE)
            return finish(status, db.failure(rc));
        if (db.changes() == 0)
            return finish(status, Result::NoRecord);
        const bool blockHeld = m_pass && m_pass->generation == m_file->generation();
        m_file->changed();
        m_watched = false;
        // m_current and m_fetched stay: a pass goes on from where the record stood.
        if (m_pass) {
            Pass &p = *m_pass;
            p.anchor = Pass::Anchor::Current;
            // The rest of the block is as it was: a walk that deletes what it reads (a
            // cascade) goes on through it instead of reading it again for every record.
            if (blockHeld) {
                p.dropRow(m_current, buffer().size());
                p.generation = m_file->generation();
            }
        }
        return finish(status, Result::Ok);
    });
}

void SqliteRecordFile::takeRow(const sqlite::Statement &row)
{
    rowcodec::readRecord(row, enginesql::kFirstFieldColumn, def(), buffer().data());
    m_current = row.int64(0);
    m_currentVersion = row.int64(1);
    rowsread::count(1);
    m_fetched.assign(buffer().data(), buffer().data() + buffer().size());
}

int SqliteRecordFile::get(int key)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (key < 0 || key >= def().keyCount)
            return noSuchKey();
        sqlite::Database &db = m_file->db();
        sqlite::Statement *get = db.cached(m_file->sql().get[static_cast<std::size_t>(key)]);
        if (!get)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*get);
        const KeySpec spec = KeySpec::ofKey(id(), key);
        rowcodec::bindKeyValues(
            *get, 1, def(), spec, rowcodec::keyValues(def(), spec, buffer().data()));
        const int rc = get->step();
        if (rc == SQLITE_DONE)
            return finish(status, Result::NoRecord);
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        takeRow(*get);
        m_fetchKey = key;
        takeWatch();
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::reget(const std::string &position)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        recordposition::Position pos;
        if (!recordposition::decode(position, pos))
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *byRowid = db.cached(m_file->sql().byRowid);
        if (!byRowid)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*byRowid);
        byRowid->bind(1, pos.id);
        const int rc = byRowid->step();
        if (rc == SQLITE_DONE)
            return finish(status, Result::NoRecord);
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        takeRow(*byRowid);
        takeWatch();
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::recall(const std::string &position)
{
    recordposition::Position pos;
    // A hold or watch asks for the record as it is now.
    if (!m_file || !m_pass || m_watchNext || !recordposition::decode(position, pos))
        return reget(position);
    Pass &p = *m_pass;
    if (p.generation != m_file->generation())
        return reget(position);
    const std::size_t row = p.rowOf(pos.id);
    if (row == p.count)
        return reget(position);
    takeBlockRow(row);
    p.dropBlock(); // as after reget: reading goes on from this record
    return finish(status(), Result::Ok);
}

int SqliteRecordFile::hold()
{
    return watch();
}

int SqliteRecordFile::noSuchKey()
{
    return finish(status(), sqlite::Failure{SQLITE_RANGE, "no such key"});
}

bool SqliteRecordFile::duplicate(int key)
{
    StorageStatus &status = this->status();
    return guarded(status, [&]() -> bool {
        if (!m_file) {
            notOpen(status);
            return false;
        }
        if (key < 0 || key >= def().keyCount || !def().keys[key].unique)
            return false;
        sqlite::Database &db = m_file->db();
        sqlite::Statement *dup = db.cached(m_file->sql().duplicate[static_cast<std::size_t>(key)]);
        if (!dup) {
            finish(status, db.lastFailure());
            return false;
        }
        sqlite::ResetGuard reset(*dup);
        const KeySpec spec = KeySpec::ofKey(id(), key);
        rowcodec::bindKeyValues(
            *dup, 1, def(), spec, rowcodec::keyValues(def(), spec, buffer().data()));
        dup->bind(static_cast<int>(spec.parts.size()) + 1, m_current);
        const int rc = dup->step();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            finish(status, db.failure(rc));
        return rc == SQLITE_ROW;
    });
}

std::int64_t SqliteRecordFile::records()
{
    StorageStatus &status = this->status();
    return guarded(status, [&]() -> std::int64_t {
        if (!m_file) {
            notOpen(status);
            return 0;
        }
        sqlite::Database &db = m_file->db();
        sqlite::Statement *count = db.cached(m_file->sql().count);
        if (!count) {
            finish(status, db.lastFailure());
            return 0;
        }
        sqlite::ResetGuard reset(*count);
        const int rc = count->step();
        if (rc != SQLITE_ROW) {
            finish(status, db.failure(rc));
            return 0;
        }
        finish(status, Result::Ok);
        return count->int64(0);
    });
}

// Every write is committed when it returns (or with its transaction): nothing waits.
int SqliteRecordFile::flush()
{
    return m_file ? finish(status(), Result::Ok) : notOpen(status());
}

int SqliteRecordFile::putLarge(int slot, std::string_view bytes)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (slot < 0 || slot >= def().largeCount)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "no such large value"});
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *update = db.cached(m_file->sql().putLarge[std::size_t(slot)]);
        if (!update)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*update);
        // An empty value is bound as an empty BLOB, never as NULL.
        static const char none = 0;
        update->bindBlob(1, bytes.empty() ? &none : bytes.data(), static_cast<int>(bytes.size()));
        update->bind(2, m_current);
        const int rc = update->step();
        if (rc != SQLITE_DONE)
            return finish(status, db.failure(rc));
        if (db.changes() == 0)
            return finish(status, Result::NoRecord);
        m_file->changed();
        return finish(status, Result::Ok);
    });
}

int SqliteRecordFile::getLarge(int slot, std::string &bytes)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        bytes.clear();
        if (!m_file)
            return notOpen(status);
        if (slot < 0 || slot >= def().largeCount)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "no such large value"});
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *select = db.cached(m_file->sql().getLarge[std::size_t(slot)]);
        if (!select)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*select);
        select->bind(1, m_current);
        const int rc = select->step();
        if (rc == SQLITE_DONE)
            return finish(status, Result::NoRecord);
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        bytes.assign(select->blob(0));
        return finish(status, Result::Ok);
    });
}
