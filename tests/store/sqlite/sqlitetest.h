#pragma once

// What the tests of the SQLite engine share: the engine on a temporary folder, where a test
// may reach into the database files, and a look at a file through SQLite directly.

#include "../enginetest.h"

#include "store/sqlite/sqliteengine.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Record files of the SQLite engine in a temporary folder.
class SqlitePlace : public FolderPlace
{
public:
    std::unique_ptr<Engine> engine() override { return std::make_unique<SqliteEngine>(folder()); }
};

class SqliteTest : public ::testing::Test, public EngineFixture
{
protected:
    SqliteTest()
        : EngineFixture(std::make_unique<SqlitePlace>())
    {}

    const std::filesystem::path &folder() { return static_cast<FolderPlace &>(place()).folder(); }
    std::filesystem::path pathOf(FileId id) { return SqliteEngine::pathOf(folder(), id); }
};

// A direct connection to a record file, as any SQLite client would open it.
class RawFile
{
public:
    explicit RawFile(const std::filesystem::path &path)
    {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;

    sqlite3 *handle() const { return m_db; }

    int exec(const std::string &sql)
    {
        return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    }

    // The first column of every row of a query, as text.
    std::vector<std::string> column(const std::string &sql)
    {
        std::vector<std::string> values;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(m_db) << " in " << sql;
            return values;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
            values.emplace_back(text ? text : "<null>");
        }
        sqlite3_finalize(stmt);
        return values;
    }

private:
    sqlite3 *m_db = nullptr;
};

// The query plan's steps of a statement on a connection.
inline std::vector<std::string> planOf(sqlite3 *db, const std::string &sql)
{
    std::vector<std::string> details;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &stmt, nullptr)
        != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
        return details;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW)
        details.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
    sqlite3_finalize(stmt);
    return details;
}
