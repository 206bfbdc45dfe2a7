// The engine: its files, cursors and transactions across files.
//
// A transaction attaches its files to one connection (the first file as "main") and uses
// SQLite's rollback journal: a commit that touches several files then writes a
// super-journal, so that after a crash every file comes back either with all the
// transaction's writes or with none. Until commit or rollback, all reads and writes of those
// files, through any handle, go through that connection: the transaction sees its own
// writes, and nothing else can write them in between.

#include "store/sqlite/sqliteengine.h"

#include "store/sqlite/recordfile.h"

#include <algorithm>
#include <system_error>

namespace {

std::string aliasOf(const StoredFile &file)
{
    return std::string("t_") + file.def().storedName;
}

} // namespace

SqliteEngine::SqliteEngine(std::filesystem::path folder)
    : m_folder(std::move(folder))
    , m_impl(std::make_unique<Impl>())
{}

SqliteEngine::~SqliteEngine()
{
    if (m_impl->inTransaction)
        rollback();
}

std::filesystem::path SqliteEngine::pathOf(const std::filesystem::path &folder, FileId file)
{
    return folder / (std::string(fileDef(file).storedName) + ".sqlite");
}

std::unique_ptr<RecordFile> SqliteEngine::recordFile(FileId file, RecordBuffer &buffer)
{
    return std::make_unique<SqliteRecordFile>(*this, file, buffer);
}

bool SqliteEngine::exists(FileId file) const
{
    std::error_code ignored;
    return std::filesystem::exists(pathOf(file), ignored);
}

int SqliteEngine::refuse(std::string_view reason)
{
    return finish(status(), sqlite::Failure{SQLITE_ERROR, std::string(reason)});
}

bool SqliteEngine::inTransaction() const
{
    return m_impl->inTransaction;
}

int SqliteEngine::addToTransaction(RecordFile &file)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        // Only this engine's own cursors can take part.
        auto *own = dynamic_cast<SqliteRecordFile *>(&file);
        if (!own || &own->owner() != this || !own->storedFile() || own->isReadOnly())
            return finish(status, Result::NoTransaction);
        const std::shared_ptr<StoredFile> &stored = own->storedFile();
        if (m_impl->inTransaction)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "a transaction is open already"});
        auto &files = m_impl->transactionFiles;
        if (std::find(files.begin(), files.end(), stored) != files.end())
            return finish(status, Result::Ok);
        // One file is the connection's own, the others are attached.
        const int attachable = sqlite3_limit(stored->db().handle(), SQLITE_LIMIT_ATTACHED, -1);
        if (static_cast<int>(files.size()) >= attachable + 1)
            return finish(status, Result::NoTransaction);
        files.push_back(stored);
        return finish(status, Result::Ok);
    });
}

int SqliteEngine::beginTransaction(int waitSeconds)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (impl.inTransaction)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "a transaction is open already"});
        transactionBegun();
        if (impl.transactionFiles.empty()) {
            impl.inTransaction = true;
            return finish(status, Result::Ok);
        }
        auto db = std::make_unique<sqlite::Database>();
        auto fail = [&](const sqlite::Failure &failure) {
            impl.transactionFiles.clear();
            transactionEnded(false);
            return finish(status, failure);
        };
        const StoredFile &first = *impl.transactionFiles.front();
        if (db->open(first.path().string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX)
            != SQLITE_OK)
            return fail(db->lastFailure());
        configureConnection(*db, false, std::max(waitSeconds, 0) * 1000);
        for (std::size_t i = 1; i < impl.transactionFiles.size(); ++i) {
            const StoredFile &file = *impl.transactionFiles[i];
            const int rc = runWithText(*db,
                                       "ATTACH DATABASE ?1 AS " + enginesql::quote(aliasOf(file)),
                                       file.path().string());
            if (rc != SQLITE_OK)
                return fail(db->failure(rc));
        }
        // IMMEDIATE takes the write lock of every attached file now, waiting up to the
        // given time, rather than failing halfway through the writes.
        if (const int rc = db->exec("BEGIN IMMEDIATE"); rc != SQLITE_OK)
            return fail(db->lastFailure());
        for (std::size_t i = 0; i < impl.transactionFiles.size(); ++i) {
            StoredFile &file = *impl.transactionFiles[i];
            file.route(db.get(), i == 0 ? std::string("main") : aliasOf(file));
        }
        impl.transactionDb = std::move(db);
        impl.inTransaction = true;
        return finish(status, Result::Ok);
    });
}

namespace {

void endTransaction(SqliteEngine::Impl &impl)
{
    for (const auto &file : impl.transactionFiles) {
        file->route(nullptr, {});
        file->changed();
    }
    impl.transactionFiles.clear();
    impl.transactionDb.reset();
    impl.inTransaction = false;
}

} // namespace

int SqliteEngine::commit()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "no transaction is open"});
        if (!impl.transactionDb) {
            endTransaction(impl);
            transactionEnded(false);
            return finish(status, Result::Ok);
        }
        sqlite::Database &db = *impl.transactionDb;
        if (db.exec("COMMIT") != SQLITE_OK) {
            const sqlite::Failure failure = db.lastFailure();
            if (!sqlite3_get_autocommit(db.handle()))
                db.exec("ROLLBACK");
            endTransaction(impl);
            transactionEnded(true);
            return finish(status, failure);
        }
        endTransaction(impl);
        transactionEnded(false);
        return finish(status, Result::Ok);
    });
}

int SqliteEngine::rollback()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(status, sqlite::Failure{SQLITE_MISUSE, "no transaction is open"});
        int rc = SQLITE_OK;
        sqlite::Failure failure;
        if (impl.transactionDb && !sqlite3_get_autocommit(impl.transactionDb->handle())) {
            rc = impl.transactionDb->exec("ROLLBACK");
            failure = impl.transactionDb->lastFailure();
        }
        endTransaction(impl);
        transactionEnded(true);
        return rc == SQLITE_OK ? finish(status, Result::Ok) : finish(status, failure);
    });
}
