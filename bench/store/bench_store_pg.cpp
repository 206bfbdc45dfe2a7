// The record store on a PostgreSQL server against raw libpq statements on the same server and
// table: the steps bench_store measures on the embedded engine. The server is named by
// TESSARO_BENCH_SERVER (a connection string; the table KUNDE of its data set is replaced);
// TESSARO_BENCH_RECORDS sets the number of customers (100,000 by default). Without a server
// the program says so and ends. Prints "ratio pg-<step> <ours ÷ raw>" per step.
//
// The ratios compare the elapsed time of an iteration, the least of the repetitions: the
// server does its work in a process of its own, which the CPU time of this one does not see.

#include "kundedata.h"
#include "storesteps.h"

#include "store/files.h"
#include "store/postgres/pgcodec.h"
#include "store/postgres/pgsql.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class RawPostgres : public RawStore
{
public:
    RawPostgres(const std::string &server, int records, int inserts)
        : m_records(records)
    {
        RecordBuffer buffer(FileId::kunde);
        for (int n = records + 1; n <= records + inserts; ++n) {
            toBuffer(makeKunde(n), buffer);
            pg::Params params;
            pgcodec::addRecord(params, fileDef(FileId::kunde), buffer);
            m_newParams.push_back(std::move(params));
        }
        m_db = PQconnectdb(server.c_str());
        if (PQstatus(m_db) != CONNECTION_OK)
            storeFail(PQerrorMessage(m_db));
        const Oid int4 = pgcodec::typeOf(FieldType::Long);
        prepare("pass",
                "SELECT " + selectList() + " FROM \"KUNDE\" ORDER BY \"_fold_KNAME\", id",
                0,
                nullptr);
        prepare("get", "SELECT " + selectList() + " FROM \"KUNDE\" WHERE \"KAID\" = $1", 1, &int4);
        const pg::Params &first = m_newParams.front();
        prepare("insert",
                pgsql::fileStatements(fileDef(FileId::kunde)).insert,
                static_cast<int>(first.size()),
                first.types().data());
    }
    ~RawPostgres() override { PQfinish(m_db); }

    int pass() override
    {
        PGresult *result = runPrepared("pass", {});
        const int rows = PQntuples(result);
        for (int r = 0; r < rows; ++r)
            readRow(result, r);
        PQclear(result);
        benchmark::DoNotOptimize(m_sink);
        return rows;
    }

    int get(const std::vector<int> &ids) override
    {
        int found = 0;
        for (const int id : ids) {
            const std::string text = std::to_string(id);
            PGresult *result = runPrepared("get", {text.c_str()});
            if (PQntuples(result) == 1) {
                readRow(result, 0);
                ++found;
            }
            PQclear(result);
        }
        benchmark::DoNotOptimize(m_sink);
        return found;
    }

    std::string insert() override
    {
        std::string error;
        exec("BEGIN");
        for (const pg::Params &params : m_newParams) {
            PGresult *result = runPrepared("insert", params.pointers());
            if (PQresultStatus(result) != PGRES_TUPLES_OK && error.empty())
                error = PQresultErrorMessage(result);
            PQclear(result);
        }
        exec("COMMIT");
        return error;
    }

    void removeInserted() override
    {
        exec("DELETE FROM \"KUNDE\" WHERE \"KAID\" > " + std::to_string(m_records));
    }

private:
    static std::string selectList()
    {
        std::string list = "id, _version";
        const FileDef &def = fileDef(FileId::kunde);
        for (int i = 0; i < def.fieldCount; ++i)
            list += ", " + pgsql::quote(def.fields[i].name);
        return list;
    }

    void exec(const std::string &sql)
    {
        PGresult *result = PQexec(m_db, sql.c_str());
        const ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            storeFail(PQresultErrorMessage(result));
        PQclear(result);
    }

    void prepare(const char *name, const std::string &sql, int params, const Oid *types)
    {
        PGresult *result = PQprepare(m_db, name, sql.c_str(), params, types);
        if (PQresultStatus(result) != PGRES_COMMAND_OK)
            storeFail(PQresultErrorMessage(result));
        PQclear(result);
    }

    PGresult *runPrepared(const char *name, const std::vector<const char *> &values)
    {
        return PQexecPrepared(
            m_db, name, static_cast<int>(values.size()), values.data(), nullptr, nullptr, 0);
    }

    // What a raw program does with a row: every column's text, numbers converted.
    void readRow(const PGresult *result, int row)
    {
        const int columns = PQnfields(result);
        for (int c = 0; c < columns; ++c) {
            const char *value = PQgetvalue(result, row, c);
            m_sink += PQftype(result, c) == pgcodec::typeOf(FieldType::String)
                          ? static_cast<std::int64_t>(std::strlen(value))
                          : static_cast<std::int64_t>(std::strtod(value, nullptr));
        }
    }

    int m_records;
    PGconn *m_db = nullptr;
    // The inserts' parameters as a raw program would hold them: texts, ready to send.
    std::vector<pg::Params> m_newParams;
    std::int64_t m_sink = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const char *server = std::getenv("TESSARO_BENCH_SERVER");
    if (!server || !*server) {
        std::fprintf(stderr, "bench_store_pg: no server named (TESSARO_BENCH_SERVER); skipped\n");
        return 0;
    }
    StoreRun run;
    run.location.kind = DataLocation::Kind::Server;
    run.location.server = server;
    run.repetitions = 5;
    run.realTime = true;
    run.ratioPrefix = "pg-";
    run.raw = [server](int records, int inserts) {
        return std::make_unique<RawPostgres>(server, records, inserts);
    };
    return runStoreSteps({argv, argv + argc}, run);
}
