// The engine and its transactions across files.
//
// A transaction attaches its files to one connection (the first file as "main") and uses
// SQLite's rollback journal: a commit that touches several files then writes a
// super-journal, so that after a crash every file comes back either with all the
// transaction's writes or with none. Until commit or rollback, all reads and writes of those
// files, through any handle, go through that connection: the transaction sees its own
// writes, and nothing else can write them in between.

#include "store/engine.h"

#include "store/engineimpl.h"

#include <algorithm>

namespace {

std::string aliasOf(const StoredFile &file)
{
    return std::string("t_") + file.def().storedName;
}

} // namespace

Engine::Engine(std::filesystem::path folder)
    : m_folder(std::move(folder))
    , m_impl(std::make_unique<Impl>())
{}

Engine::~Engine()
{
    if (m_impl->inTransaction)
        rollback();
}

std::filesystem::path Engine::pathOf(FileId file) const
{
    return m_folder / (std::string(fileDef(file).storedName) + ".sqlite");
}

bool Engine::inTransaction() const
{
    return m_impl->inTransaction;
}

int Engine::addToTransaction(RecordFile &file)
{
    return guarded(m_status, [&] {
        if (!file.m_file || file.m_readOnly)
            return finish(m_status, Result::NoTransaction);
        if (m_impl->inTransaction)
            return finish(m_status,
                          sqlite::Failure{SQLITE_MISUSE, "a transaction is open already"});
        auto &files = m_impl->transactionFiles;
        if (std::find(files.begin(), files.end(), file.m_file) != files.end())
            return finish(m_status, Result::Ok);
        // One file is the connection's own, the others are attached.
        const int attachable = sqlite3_limit(file.m_file->db().handle(), SQLITE_LIMIT_ATTACHED, -1);
        if (static_cast<int>(files.size()) >= attachable + 1)
            return finish(m_status, Result::NoTransaction);
        files.push_back(file.m_file);
        return finish(m_status, Result::Ok);
    });
}

int Engine::beginTransaction(int waitSeconds)
{
    return guarded(m_status, [&] {
        Impl &impl = *m_impl;
        if (impl.inTransaction)
            return finish(m_status,
                          sqlite::Failure{SQLITE_MISUSE, "a transaction is open already"});
        impl.transaction = ++impl.transactionsBegun;
        if (impl.transactionFiles.empty()) {
            impl.inTransaction = true;
            return finish(m_status, Result::Ok);
        }
        auto db = std::make_unique<sqlite::Database>();
        auto fail = [&](const sqlite::Failure &failure) {
            impl.transactionFiles.clear();
            impl.transaction = 0;
            return finish(m_status, failure);
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
        return finish(m_status, Result::Ok);
    });
}

namespace {

// Deduced, so that this helper may handle the engine's private state without naming it.
template<typename Impl>
void endTransaction(Impl &impl, bool rolledBack)
{
    if (rolledBack)
        impl.rolledBack.push_back(impl.transaction);
    impl.transaction = 0;
    for (const auto &file : impl.transactionFiles) {
        file->route(nullptr, {});
        file->changed();
    }
    impl.transactionFiles.clear();
    impl.transactionDb.reset();
    impl.inTransaction = false;
}

} // namespace

int Engine::commit()
{
    return guarded(m_status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(m_status, sqlite::Failure{SQLITE_MISUSE, "no transaction is open"});
        if (!impl.transactionDb) {
            endTransaction(impl, false);
            return finish(m_status, Result::Ok);
        }
        sqlite::Database &db = *impl.transactionDb;
        if (db.exec("COMMIT") != SQLITE_OK) {
            const sqlite::Failure failure = db.lastFailure();
            if (!sqlite3_get_autocommit(db.handle()))
                db.exec("ROLLBACK");
            endTransaction(impl, true);
            return finish(m_status, failure);
        }
        endTransaction(impl, false);
        return finish(m_status, Result::Ok);
    });
}

int Engine::rollback()
{
    return guarded(m_status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(m_status, sqlite::Failure{SQLITE_MISUSE, "no transaction is open"});
        int rc = SQLITE_OK;
        sqlite::Failure failure;
        if (impl.transactionDb && !sqlite3_get_autocommit(impl.transactionDb->handle())) {
            rc = impl.transactionDb->exec("ROLLBACK");
            failure = impl.transactionDb->lastFailure();
        }
        endTransaction(impl, true);
        return rc == SQLITE_OK ? finish(m_status, Result::Ok) : finish(m_status, failure);
    });
}
