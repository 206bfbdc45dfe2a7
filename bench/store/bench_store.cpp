// The record store against raw SQLite on a `kunde` file of 100,000 records: a full pass in
// key order over KUN:Keykname, 10,000 gets by KUN:Keykaid and 10,000 inserts in one
// transaction. Raw SQLite does the same work in the same run on the same file, reading the
// same columns into a struct; each step prints "ratio <step> <ours ÷ raw>".
// TESSARO_BENCH_RECORDS sets another number of customers (a tenth of it, at most 10,000,
// are got and inserted).
//
// The ratios compare the CPU time of an iteration, the least of the repetitions: on a machine
// that others share the elapsed time mostly measures whose turn it was (both sides do the same
// file I/O).

#include "benchsupport.h"
#include "kundedata.h"
#include "storesteps.h"

#include "store/sqlite/sqliteengine.h"

#include <filesystem>
#include <string>

namespace {

class RawSqlite : public RawStore
{
public:
    RawSqlite(const std::filesystem::path &folder, int records, int inserts)
        : m_records(records)
    {
        for (int n = records + 1; n <= records + inserts; ++n)
            m_newRows.push_back(makeKunde(n));
        // Raw SQLite as any program would use it, ordering by the key's folded column so that
        // it can use the same index.
        const auto path = SqliteEngine::pathOf(folder, FileId::kunde).string();
        if (sqlite3_open_v2(
                path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
            != SQLITE_OK)
            storeFail("raw open");
        sqlite3_busy_timeout(m_db, 2000);
        const std::string select = "SELECT rowid, \"_version\", " + kundeColumns() + " FROM KUNDE ";
        m_pass = prepare(select + "ORDER BY \"_fold_KNAME\", rowid");
        m_get = prepare(select + "WHERE KAID = ?1");
        m_insert = prepare(kundeInsert());
    }
    ~RawSqlite() override
    {
        for (sqlite3_stmt *stmt : {m_pass, m_get, m_insert})
            sqlite3_finalize(stmt);
        sqlite3_close_v2(m_db);
    }

    int pass() override
    {
        int count = 0;
        while (sqlite3_step(m_pass) == SQLITE_ROW) {
            readRow(m_pass, m_row);
            ++count;
        }
        sqlite3_reset(m_pass);
        benchmark::DoNotOptimize(m_row);
        return count;
    }

    int get(const std::vector<int> &ids) override
    {
        int found = 0;
        for (const int id : ids) {
            sqlite3_bind_int(m_get, 1, id);
            if (sqlite3_step(m_get) == SQLITE_ROW)
                ++found;
            readRow(m_get, m_row);
            sqlite3_reset(m_get);
        }
        benchmark::DoNotOptimize(m_row);
        return found;
    }

    std::string insert() override
    {
        std::string error;
        exec("BEGIN IMMEDIATE");
        for (const KundeRow &row : m_newRows) {
            bindRow(m_insert, row);
            bindFolded(m_insert, 29, row);
            if (sqlite3_step(m_insert) != SQLITE_DONE && error.empty())
                error = sqlite3_errmsg(m_db);
            sqlite3_reset(m_insert);
        }
        exec("COMMIT");
        return error;
    }

    void removeInserted() override
    {
        exec(("DELETE FROM KUNDE WHERE rowid > " + std::to_string(m_records)).c_str());
    }

private:
    sqlite3_stmt *prepare(const std::string &sql)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr)
            != SQLITE_OK)
            storeFail(sqlite3_errmsg(m_db));
        return stmt;
    }
    void exec(const char *sql)
    {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            storeFail(sqlite3_errmsg(m_db));
    }

    int m_records;
    std::vector<KundeRow> m_newRows;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_pass = nullptr;
    sqlite3_stmt *m_get = nullptr;
    sqlite3_stmt *m_insert = nullptr;
    KundeRow m_row;
};

} // namespace

int main(int argc, char **argv)
{
    const bench::TemporaryFolder folder("tessaro-bench");
    StoreRun run;
    run.location = DataLocation{folder.path()};
    run.repetitions = 7;
    run.raw = [&folder](int records, int inserts) {
        return std::make_unique<RawSqlite>(folder.path(), records, inserts);
    };
    return runStoreSteps({argv, argv + argc}, run);
}
