#pragma once

// The engine's inner parts, shared by its source files; nothing outside the engine uses them.

#include "store/sqlite/database.h"
#include "store/sqlite/filtersql.h"
#include "store/sqlite/sqliteengine.h"
#include "store/sqlite/statements.h"

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

// One open record file: its connection, shared by every cursor of the file in this
// engine. While the file takes part in a transaction, its reads and writes go through the
// transaction's connection instead, where the file is attached under its own alias.
class StoredFile
{
public:
    StoredFile(FileId id, std::filesystem::path path);
    ~StoredFile();
    StoredFile(const StoredFile &) = delete;
    StoredFile &operator=(const StoredFile &) = delete;

    const FileDef &def() const { return fileDef(m_id); }
    FileId id() const { return m_id; }
    const std::filesystem::path &path() const { return m_path; }

    // Opens the own connection and checks that the table and every key's index are as the
    // layout wants them: 0, 46, or an SQLite failure in `failure`.
    int open(bool readOnly, int busyMs, sqlite::Failure &failure);
    bool readOnly() const { return m_readOnly; }
    void setBusyTimeout(int ms);
    // Whether the path still names the file this connection opened, as it was checked then:
    // not deleted, not replaced (a key rebuild renames a fresh file over it), and with the
    // same table and keys (nobody changed its schema meanwhile). SQLite itself tells whether
    // the file it has open still lies under its name.
    bool stillOnDisk();

    sqlite::Database &db() { return *m_db; }
    const std::string &schema() const { return m_schema; }
    const enginesql::FileStatements &sql() const { return m_sql; }
    // Switches reads and writes to another connection (a transaction's) or back (nullptr).
    void route(sqlite::Database *db, const std::string &schema);
    bool routed() const { return m_db != &m_own; }
    // Counts the routes, so that a pass notices that its statements belong elsewhere now.
    std::uint64_t routeCount() const { return m_routeCount; }

    // Every write through any handle, and every end of a transaction, counts one up: a
    // handle's read-ahead block from before is stale.
    std::uint64_t generation() const { return m_generation; }
    void changed() { ++m_generation; }

    std::vector<std::string> &scratch() { return m_scratch; }

    // The statement texts of passes in an order (named by its tag) with a filter, forward
    // and backward, for the connection the file is routed to now: a list opened again
    // finds them, as it finds their prepared statements.
    struct PassSql
    {
        std::string forward;
        std::string backward;
    };
    const PassSql &passSql(const std::string &tag, const KeySpec &order, const SqlFilter &filter);

private:
    FileId m_id;
    std::filesystem::path m_path;
    bool m_readOnly = false;
    sqlite::Database m_own;
    sqlite::Database *m_db = &m_own;
    std::string m_schema = "main";
    enginesql::FileStatements m_sql;
    std::uint64_t m_generation = 0;
    std::uint64_t m_routeCount = 0;
    std::vector<std::string> m_scratch;
    std::map<std::string, PassSql> m_passSql;
    std::int64_t m_schemaVersion = -1;
};

// Sets up any connection to record files: the fold function, the rollback journal, the busy
// wait.
int configureConnection(sqlite::Database &db, bool readOnly, int busyMs);
// 0 when the file's table and keys are as the layout wants them, 46 when not; else an
// SQLite code with the failure in `failure`.
int checkSchema(sqlite::Database &db, const FileDef &def, sqlite::Failure &failure);
// A file made before the keys that ignore case had folded columns (their indexes were built
// with a collation of this program, which other tools do not know) gets them, filled from
// its records, and its indexes on them, all in one transaction. 0 when the file needs no
// conversion or was converted, or when its table is not as expected (checkSchema tells);
// else an SQLite code with the failure in `failure`.
int convertToFoldedKeys(sqlite::Database &db, const FileDef &def, sqlite::Failure &failure);
// The names of the table's columns in a schema ("main", an attached file).
int columnsOf(sqlite::Database &db,
              const std::string &schema,
              const FileDef &def,
              std::set<std::string> &columns);

struct SqliteEngine::Impl
{
    std::array<std::weak_ptr<StoredFile>, kFileCount> files;
    // Files closed by their last handle keep their connection, and with it the statements
    // prepared on it, for the next open: a list window opened again does not prepare its
    // statements anew. Dropped before the file is created or rebuilt here.
    std::array<std::shared_ptr<StoredFile>, kFileCount> idle;
    std::vector<std::shared_ptr<StoredFile>> transactionFiles;
    std::unique_ptr<sqlite::Database> transactionDb;
    bool inTransaction = false;
};

inline constexpr int kDefaultBusyMs = 2000;

// Makes the file empty with its table and every key's index, replacing what was there.
int createFile(const std::filesystem::path &path, const FileDef &def, sqlite::Failure &failure);
// Rebuilds the file: its records (as far as its table holds them, in insertion order, fields
// missing from the table at their empty value) go into a new file with every key's index,
// which then takes the old one's place. Damaged index pages are never read. A file without
// the table that still holds something is not replaced but moved aside, unchanged, to
// `setAside` (beside it, named with the date and time); the new file is then empty.
int rebuildFile(const std::filesystem::path &path,
                const FileDef &def,
                sqlite::Failure &failure,
                std::filesystem::path &setAside);

// The result code of an SQLite failure: a unique key → 40, a read-only file → 5, an index
// that does not match its table → 46, everything else → 90.
int resultOf(const sqlite::Failure &failure);

// Leave a result in the engine's status and return it.
int finish(StorageStatus &status, int code);
int finish(StorageStatus &status, const sqlite::Failure &failure);
int notOpen(StorageStatus &status);

// Runs one operation of the engine so that no exception leaves it: a failure that throws
// (memory) becomes code 90.
template<typename Operation>
auto guarded(StorageStatus &status, Operation &&operation) -> decltype(operation())
{
    try {
        return operation();
    } catch (const std::exception &e) {
        finish(status, sqlite::Failure{SQLITE_NOMEM, e.what()});
    } catch (...) {
        finish(status, sqlite::Failure{SQLITE_ERROR, "unknown failure"});
    }
    using R = decltype(operation());
    if constexpr (std::is_same_v<R, bool>)
        return false;
    else
        return R(Result::EngineError);
}

// Runs a statement with one text parameter to its end (ATTACH and the like).
int runWithText(sqlite::Database &db, const std::string &sql, const std::string &text);
