#include "store/engine.h"

#include "store/engineimpl.h"
#include "store/rowcodec.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
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
    return ::access(path.c_str(), W_OK) != 0;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x))
                      == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmedOption(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

} // namespace

KeySpec KeySpec::ofKey(FileId file, int key)
{
    const KeyDef &k = fileDef(file).keys[key];
    KeySpec spec;
    spec.parts.assign(k.parts.begin(), k.parts.begin() + k.partCount);
    spec.noCase = k.noCase;
    return spec;
}

RecordFile::RecordFile(Engine &engine, FileId file, RecordBuffer &buffer)
    : m_engine(engine)
    , m_id(file)
    , m_buffer(buffer)
{}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::isOpen() const
{
    return m_file != nullptr;
}

bool RecordFile::isReadOnly() const
{
    return m_readOnly;
}

int RecordFile::open(std::uint8_t mode)
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        if (m_file)
            return finish(status, Result::AlreadyOpen);
        const bool wantWrite = (mode & 0x0F) != OpenMode::ReadOnly;
        const std::filesystem::path path = m_engine.pathOf(m_id);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return finish(status, Result::FileNotFound);

        const auto index = static_cast<std::size_t>(m_id);
        std::weak_ptr<StoredFile> &slot = m_engine.m_impl->files[index];
        std::shared_ptr<StoredFile> file = slot.lock();
        if (!file) {
            file = std::exchange(m_engine.m_impl->idle[index], nullptr);
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
            file = std::make_shared<StoredFile>(m_id, path);
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
        m_current = 0;
        m_fetchKey = -1;
        m_watchNext = m_watched = false;
        m_watchSince = -1;
        m_ownPuts.clear();
        m_pass.reset();
        return finish(status, Result::Ok);
    });
}

int RecordFile::create()
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        m_engine.m_impl->idle[static_cast<std::size_t>(m_id)].reset();
        if (m_file || !m_engine.m_impl->files[static_cast<std::size_t>(m_id)].expired())
            return finish(status, Result::AlreadyOpen);
        sqlite::Failure failure;
        if (createFile(m_engine.pathOf(m_id), def(), failure) != SQLITE_OK)
            return finish(status, failure);
        return finish(status, Result::Ok);
    });
}

int RecordFile::rebuildKeys()
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        // The rebuilt file replaces the old one, which nobody may have open meanwhile.
        if (m_file || !m_engine.m_impl->files[static_cast<std::size_t>(m_id)].expired())
            return finish(status, Result::AlreadyOpen);
        const std::filesystem::path path = m_engine.pathOf(m_id);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return finish(status, Result::FileNotFound);
        sqlite::Failure failure;
        if (rebuildFile(path, def(), failure) != SQLITE_OK)
            return finish(status, failure);
        return finish(status, Result::Ok);
    });
}

int RecordFile::send(std::string_view option)
{
    const std::size_t eq = option.find('=');
    const std::string_view name = trimmedOption(option.substr(0, eq));
    const std::string_view value
        = eq == std::string_view::npos ? std::string_view() : trimmedOption(option.substr(eq + 1));
    if (equalNoCase(name, "Recover")) {
        int seconds = 0;
        const auto parsed = std::from_chars(value.data(), value.data() + value.size(), seconds);
        if (parsed.ec == std::errc() && seconds >= 0) {
            m_recoverMs = seconds * 1000;
            if (m_file)
                m_file->setBusyTimeout(m_recoverMs);
        }
    } else if (equalNoCase(name, "QUICKSCAN")) {
        m_quickScan = equalNoCase(value, "on") || value == "1";
    }
    return finish(m_engine.m_status, Result::Ok);
}

int RecordFile::close()
{
    m_pass.reset();
    if (m_file && m_file.use_count() == 1 && !m_file->routed()) {
        // Nobody has the file open any more; the next open looks at it again before use.
        const auto index = static_cast<std::size_t>(m_id);
        m_engine.m_impl->files[index].reset();
        m_engine.m_impl->idle[index] = std::move(m_file);
    }
    m_file.reset();
    m_current = 0;
    m_fetchKey = -1;
    m_watchNext = m_watched = false;
    m_watchSince = -1;
    m_ownPuts.clear();
    m_readOnly = false;
    return finish(m_engine.m_status, Result::Ok);
}

int RecordFile::add()
{
    StorageStatus &status = m_engine.m_status;
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
        rowcodec::bindRecord(*insert, 1, def(), m_buffer.data(), m_file->scratch());
        const int rc = insert->step();
        if (rc != SQLITE_DONE)
            return finish(status, db.failure(rc));
        m_file->changed();
        m_current = db.lastInsertRowid();
        m_currentVersion = 0;
        m_watched = false;
        m_fetched.assign(m_buffer.data(), m_buffer.data() + m_buffer.size());
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int RecordFile::put()
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (m_readOnly)
            return finish(status, Result::AccessDenied);
        if (m_current == 0)
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        const int n = def().fieldCount;
        sqlite::Statement *update
            = db.cached(m_watched ? m_file->sql().updateWatched : m_file->sql().update);
        if (!update)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*update);
        rowcodec::bindRecord(*update, 1, def(), m_buffer.data(), m_file->scratch());
        update->bind(n + 1, m_current);
        if (m_watched)
            update->bind(n + 2, m_currentVersion);
        const int rc = update->step();
        if (rc == SQLITE_DONE) {
            // No row written: with watch, someone else changed or deleted it since it was
            // read; without, it is gone.
            return finish(status, m_watched ? Result::RecordChanged : Result::NoRecord);
        }
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        m_currentVersion = update->int64(0);
        notePut(m_currentVersion - 1);
        m_file->changed();
        m_fetched.assign(m_buffer.data(), m_buffer.data() + m_buffer.size());
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

int RecordFile::erase()
{
    StorageStatus &status = m_engine.m_status;
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
        m_file->changed();
        m_watched = false;
        // m_current and m_fetched stay: a pass goes on from where the record stood.
        if (m_pass)
            m_pass->anchor = Pass::Anchor::Current;
        return finish(status, Result::Ok);
    });
}

// Takes the row the statement stands on as the current record.
static void takeRow(RecordFile &file,
                    const sqlite::Statement &row,
                    std::int64_t &current,
                    std::int64_t &version,
                    std::vector<char> &fetched)
{
    rowcodec::readRecord(row, enginesql::kFirstFieldColumn, file.def(), file.buffer().data());
    current = row.int64(0);
    version = row.int64(1);
    fetched.assign(file.buffer().data(), file.buffer().data() + file.buffer().size());
}

int RecordFile::get(int key)
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        if (key < 0 || key >= def().keyCount)
            return finish(status, sqlite::Failure{SQLITE_RANGE, "no such key"});
        sqlite::Database &db = m_file->db();
        sqlite::Statement *get = db.cached(m_file->sql().get[static_cast<std::size_t>(key)]);
        if (!get)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*get);
        const auto values = rowcodec::keyValues(def(), KeySpec::ofKey(m_id, key), m_buffer.data());
        for (std::size_t i = 0; i < values.size(); ++i)
            rowcodec::bindValue(*get, static_cast<int>(i) + 1, values[i]);
        const int rc = get->step();
        if (rc == SQLITE_DONE)
            return finish(status, Result::NoRecord);
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        takeRow(*this, *get, m_current, m_currentVersion, m_fetched);
        m_fetchKey = key;
        takeWatch();
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        return finish(status, Result::Ok);
    });
}

int RecordFile::reget(const std::string &position)
{
    StorageStatus &status = m_engine.m_status;
    return guarded(status, [&] {
        if (!m_file)
            return notOpen(status);
        rowcodec::Position pos;
        if (!rowcodec::decodePosition(position, pos))
            return finish(status, Result::NoRecord);
        sqlite::Database &db = m_file->db();
        sqlite::Statement *byRowid = db.cached(m_file->sql().byRowid);
        if (!byRowid)
            return finish(status, db.lastFailure());
        sqlite::ResetGuard reset(*byRowid);
        byRowid->bind(1, pos.rowid);
        const int rc = byRowid->step();
        if (rc == SQLITE_DONE)
            return finish(status, Result::NoRecord);
        if (rc != SQLITE_ROW)
            return finish(status, db.failure(rc));
        takeRow(*this, *byRowid, m_current, m_currentVersion, m_fetched);
        takeWatch();
        if (m_pass) {
            m_pass->anchor = Pass::Anchor::Current;
            m_pass->dropBlock();
        }
        return finish(status, Result::Ok);
    });
}

int RecordFile::recall(const std::string &position)
{
    rowcodec::Position pos;
    // A hold or watch asks for the record as it is now.
    if (!m_file || !m_pass || m_watchNext || !rowcodec::decodePosition(position, pos))
        return reget(position);
    Pass &p = *m_pass;
    if (p.generation != m_file->generation())
        return reget(position);
    for (std::size_t row = 0; row < p.count; ++row) {
        if (p.rowids[row] != pos.rowid)
            continue;
        takeBlockRow(row);
        p.dropBlock(); // as after reget: reading goes on from this record
        return finish(m_engine.m_status, Result::Ok);
    }
    return reget(position);
}

// This engine frames no record locks: a hold is a watch, so a held record is never
// refused to another reader (no code 43), and a put over someone else's change gives 89.
int RecordFile::hold()
{
    return watch();
}

int RecordFile::watch()
{
    m_watchNext = true;
    m_watchSince = -1;
    return finish(m_engine.m_status, Result::Ok);
}

int RecordFile::watchSince(std::int64_t version)
{
    m_watchNext = true;
    m_watchSince = version;
    return finish(m_engine.m_status, Result::Ok);
}

void RecordFile::takeWatch()
{
    m_watched = std::exchange(m_watchNext, false);
    const std::int64_t since = std::exchange(m_watchSince, -1);
    if (!m_watched || since < 0)
        return;
    // The record's own history as this handle knows it: each of its puts took the record
    // one version further. A write by anybody else breaks the chain, and the put fails.
    const std::vector<std::uint64_t> &rolledBack = m_engine.m_impl->rolledBack;
    std::int64_t version = since;
    for (bool carried = true; carried;) {
        carried = false;
        for (const OwnPut &own : m_ownPuts) {
            const bool undone = std::find(rolledBack.begin(), rolledBack.end(), own.transaction)
                                != rolledBack.end();
            if (own.rowid == m_current && own.from == version && !undone) {
                version = own.to;
                carried = true;
            }
        }
    }
    m_currentVersion = version;
}

void RecordFile::notePut(std::int64_t from)
{
    // A watch is carried over a few nested steps at most; an older put that has dropped out
    // only makes a later put fail, never pass.
    constexpr std::size_t kKept = 64;
    if (m_ownPuts.size() == kKept)
        m_ownPuts.erase(m_ownPuts.begin());
    m_ownPuts.push_back({m_current, from, m_currentVersion, m_engine.m_impl->transaction});
}

bool RecordFile::duplicate(int key)
{
    StorageStatus &status = m_engine.m_status;
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
        const auto values = rowcodec::keyValues(def(), KeySpec::ofKey(m_id, key), m_buffer.data());
        for (std::size_t i = 0; i < values.size(); ++i)
            rowcodec::bindValue(*dup, static_cast<int>(i) + 1, values[i]);
        dup->bind(static_cast<int>(values.size()) + 1, m_current);
        const int rc = dup->step();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            finish(status, db.failure(rc));
        return rc == SQLITE_ROW;
    });
}

std::int64_t RecordFile::records()
{
    StorageStatus &status = m_engine.m_status;
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
int RecordFile::flush()
{
    return m_file ? finish(m_engine.m_status, Result::Ok) : notOpen(m_engine.m_status);
}
