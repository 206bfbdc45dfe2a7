// The record store on a PostgreSQL server against raw libpq statements on the same server and
// table: a full pass in key order over KUN:Keykname, gets by KUN:Keykaid and inserts in one
// transaction, as bench_store measures them on the embedded engine. The server is named by
// TESSARO_BENCH_SERVER (a connection string; the table KUNDE of its data set is replaced);
// TESSARO_BENCH_RECORDS sets the number of customers (100,000 by default). Without a server
// the program says so and ends. Prints "ratio <step> <ours ÷ raw>" per step.

#include "kundedata.h"
#include "store/enginefactory.h"
#include "store/files.h"
#include "store/postgres/pgcodec.h"
#include "store/postgres/pgsql.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

int kRecords = 100000;
int kGets = 10000;
int kInserts = 10000;

struct Bench
{
    std::string server;
    std::unique_ptr<Engine> engine;
    Records records;
    std::unique_ptr<RecordFile> kunde;
    PGconn *raw = nullptr;
    std::vector<int> getIds;
    std::vector<std::vector<char>> newRecords;
    // The inserts' parameters as a raw program would hold them: texts, ready to send.
    std::vector<pg::Params> newParams;
};
Bench *bench = nullptr;

void fail(const std::string &what)
{
    std::fprintf(stderr,
                 "bench_store_pg: %s (%s)\n",
                 what.c_str(),
                 bench->engine ? bench->engine->status().engineMessage.c_str() : "");
    std::exit(1);
}

void exec(const std::string &sql)
{
    PGresult *result = PQexec(bench->raw, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(PQresultErrorMessage(result));
    PQclear(result);
}

void prepare(const char *name, const std::string &sql, int params, const Oid *types)
{
    PGresult *result = PQprepare(bench->raw, name, sql.c_str(), params, types);
    if (PQresultStatus(result) != PGRES_COMMAND_OK)
        fail(PQresultErrorMessage(result));
    PQclear(result);
}

std::string selectList()
{
    std::string list = "id, _version";
    const FileDef &def = fileDef(FileId::kunde);
    for (int i = 0; i < def.fieldCount; ++i)
        list += ", " + pgsql::quote(def.fields[i].name);
    return list;
}

// What a raw program does with a row: every column's text, numbers converted.
void readRow(const PGresult *result, int row, std::int64_t &sink)
{
    const int columns = PQnfields(result);
    for (int c = 0; c < columns; ++c) {
        const char *value = PQgetvalue(result, row, c);
        sink += PQftype(result, c) == pgcodec::typeOf(FieldType::String)
                    ? static_cast<std::int64_t>(std::strlen(value))
                    : static_cast<std::int64_t>(std::strtod(value, nullptr));
    }
}

void setUp()
{
    if (const char *records = std::getenv("TESSARO_BENCH_RECORDS"))
        kRecords = std::max(1000, std::atoi(records));
    kGets = std::min(10000, kRecords / 10);
    kInserts = kGets;
    DataLocation location;
    location.kind = DataLocation::Kind::Server;
    location.server = bench->server;
    bench->engine = makeEngine(location);
    bench->kunde = bench->engine->recordFile(FileId::kunde, bench->records[FileId::kunde]);
    RecordFile &kunde = *bench->kunde;
    if (kunde.create() || kunde.open())
        fail("cannot create KUNDE");
    std::fprintf(stderr, "Building %d customers...\n", kRecords);
    Engine &engine = *bench->engine;
    if (engine.addToTransaction(kunde) || engine.beginTransaction(2))
        fail("no transaction");
    for (int n = 1; n <= kRecords; ++n) {
        toBuffer(makeKunde(n), kunde.buffer());
        if (kunde.add())
            fail("add");
    }
    if (engine.commit())
        fail("commit");

    std::mt19937 random(42);
    for (int i = 0; i < kGets; ++i)
        bench->getIds.push_back(1 + static_cast<int>(random() % kRecords));
    RecordBuffer buffer(FileId::kunde);
    for (int n = kRecords + 1; n <= kRecords + kInserts; ++n) {
        toBuffer(makeKunde(n), buffer);
        bench->newRecords.emplace_back(buffer.data(), buffer.data() + buffer.size());
        pg::Params params;
        pgcodec::addRecord(params, fileDef(FileId::kunde), buffer);
        bench->newParams.push_back(std::move(params));
    }

    bench->raw = PQconnectdb(bench->server.c_str());
    if (PQstatus(bench->raw) != CONNECTION_OK)
        fail(PQerrorMessage(bench->raw));
    const Oid int4 = pgcodec::typeOf(FieldType::Long);
    prepare("pass",
            "SELECT " + selectList() + " FROM \"KUNDE\" ORDER BY \"_fold_KNAME\", id",
            0,
            nullptr);
    prepare("get", "SELECT " + selectList() + " FROM \"KUNDE\" WHERE \"KAID\" = $1", 1, &int4);
    const pg::Params &first = bench->newParams.front();
    prepare("insert",
            pgsql::fileStatements(fileDef(FileId::kunde)).insert,
            static_cast<int>(first.size()),
            first.types().data());
}

void tearDown()
{
    PQfinish(bench->raw);
    bench->kunde.reset();
    bench->engine.reset();
}

PGresult *runPrepared(const char *name, const std::vector<const char *> &values)
{
    return PQexecPrepared(
        bench->raw, name, static_cast<int>(values.size()), values.data(), nullptr, nullptr, 0);
}

void passRaw(benchmark::State &state)
{
    std::int64_t sink = 0;
    for (auto _ : state) {
        PGresult *result = runPrepared("pass", {});
        const int rows = PQntuples(result);
        for (int r = 0; r < rows; ++r)
            readRow(result, r, sink);
        PQclear(result);
        if (rows != kRecords)
            state.SkipWithError("short pass");
    }
    benchmark::DoNotOptimize(sink);
}

void passOurs(benchmark::State &state)
{
    RecordFile &kunde = *bench->kunde;
    for (auto _ : state) {
        int count = 0;
        kunde.setKeyStart(KUN::Keykname.index);
        while (kunde.next() == Result::Ok)
            ++count;
        if (count != kRecords)
            state.SkipWithError("short pass");
        benchmark::DoNotOptimize(kunde.buffer().data());
    }
}

void getRaw(benchmark::State &state)
{
    std::int64_t sink = 0;
    for (auto _ : state) {
        for (const int id : bench->getIds) {
            const std::string text = std::to_string(id);
            PGresult *result = runPrepared("get", {text.c_str()});
            if (PQntuples(result) != 1)
                state.SkipWithError("not found");
            else
                readRow(result, 0, sink);
            PQclear(result);
        }
    }
    benchmark::DoNotOptimize(sink);
}

void getOurs(benchmark::State &state)
{
    RecordFile &kunde = *bench->kunde;
    for (auto _ : state) {
        for (const int id : bench->getIds) {
            kunde.buffer().set(KUN::KAID, id);
            if (kunde.get(KUN::Keykaid.index) != Result::Ok)
                state.SkipWithError("not found");
        }
        benchmark::DoNotOptimize(kunde.buffer().data());
    }
}

void removeInserted(benchmark::State &state)
{
    state.PauseTiming();
    exec("DELETE FROM \"KUNDE\" WHERE \"KAID\" > " + std::to_string(kRecords));
    state.ResumeTiming();
}

void insertRaw(benchmark::State &state)
{
    for (auto _ : state) {
        exec("BEGIN");
        for (const pg::Params &params : bench->newParams) {
            PGresult *result = runPrepared("insert", params.pointers());
            if (PQresultStatus(result) != PGRES_TUPLES_OK)
                state.SkipWithError(PQresultErrorMessage(result));
            PQclear(result);
        }
        exec("COMMIT");
        removeInserted(state);
    }
}

void insertOurs(benchmark::State &state)
{
    RecordFile &kunde = *bench->kunde;
    Engine &engine = *bench->engine;
    for (auto _ : state) {
        if (engine.addToTransaction(kunde) || engine.beginTransaction(2))
            state.SkipWithError("no transaction");
        for (const auto &record : bench->newRecords) {
            std::memcpy(kunde.buffer().data(), record.data(), record.size());
            if (kunde.add() != Result::Ok)
                state.SkipWithError("add");
        }
        if (engine.commit())
            state.SkipWithError("commit");
        removeInserted(state);
    }
}

// Per step the elapsed time of an iteration, the least of the repetitions: the server does
// its work in a process of its own, which the CPU time of this one does not see.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration)
                times.emplace(run.run_name.function_name, run.GetAdjustedRealTime());
            else if (run.aggregate_name == "min")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    const char *server = std::getenv("TESSARO_BENCH_SERVER");
    if (!server || !*server) {
        std::fprintf(stderr, "bench_store_pg: no server named (TESSARO_BENCH_SERVER); skipped\n");
        return 0;
    }
    std::vector<char *> args{argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=5",
                              "--benchmark_enable_random_interleaving=true",
                              "--benchmark_report_aggregates_only=true"};
    for (std::string &option : defaults)
        args.push_back(option.data());
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    Bench state;
    state.server = server;
    bench = &state;
    setUp();

    const char *const steps[] = {"pass", "get", "insert"};
    using Function = void (*)(benchmark::State &);
    const Function raw[] = {passRaw, getRaw, insertRaw};
    const Function ours[] = {passOurs, getOurs, insertOurs};
    for (int i = 0; i < 3; ++i) {
        for (const auto &[side, function] : {std::pair{"/raw", raw[i]}, {"/tessaro", ours[i]}}) {
            benchmark::RegisterBenchmark((std::string(steps[i]) + side).c_str(), function)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->ComputeStatistics("min", [](const std::vector<double> &v) {
                    return *std::min_element(v.begin(), v.end());
                });
        }
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *step : steps) {
        const auto o = reporter.times.find(std::string(step) + "/tessaro");
        const auto r = reporter.times.find(std::string(step) + "/raw");
        if (o != reporter.times.end() && r != reporter.times.end() && r->second > 0)
            std::printf("ratio pg-%s %.3f\n", step, o->second / r->second);
    }
    tearDown();
    benchmark::Shutdown();
    return 0;
}
