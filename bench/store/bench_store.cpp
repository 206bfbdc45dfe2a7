// The record store against raw SQLite on a `kunde` file of 100,000 records: a full pass in
// key order over KUN:Keykname, 10,000 gets by KUN:Keykaid and 10,000 inserts in one
// transaction. Raw SQLite does the same work in the same run on the same file, reading the
// same columns into a struct; each step prints "ratio <step> <ours ÷ raw>".

#include "kundedata.h"
#include "store/enginefactory.h"
#include "store/files.h"
#include "store/sqlite/sqliteengine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kGets = 10000;
constexpr int kInserts = 10000;

struct Bench
{
    std::filesystem::path folder;
    std::unique_ptr<Engine> engine;
    Records records;
    std::unique_ptr<RecordFile> kunde;
    sqlite3 *raw = nullptr;
    std::vector<int> getIds;
    std::vector<KundeRow> newRows;
    std::vector<std::vector<char>> newRecords;
};
Bench *bench = nullptr;

void fail(const std::string &what)
{
    std::fprintf(stderr,
                 "bench_store: %s (%s)\n",
                 what.c_str(),
                 bench->engine ? bench->engine->status().engineMessage.c_str() : "");
    std::exit(1);
}

sqlite3_stmt *prepare(const std::string &sql)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v3(bench->raw, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr)
        != SQLITE_OK)
        fail(sqlite3_errmsg(bench->raw));
    return stmt;
}

void exec(const char *sql)
{
    if (sqlite3_exec(bench->raw, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sqlite3_errmsg(bench->raw));
}

void setUp()
{
    char pattern[] = "/tmp/tessaro-bench-XXXXXX";
    if (!mkdtemp(pattern))
        fail("no temporary folder");
    bench->folder = pattern;
    bench->engine = makeEngine(DataLocation{bench->folder});
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
        bench->newRows.push_back(makeKunde(n));
        toBuffer(bench->newRows.back(), buffer);
        bench->newRecords.emplace_back(buffer.data(), buffer.data() + buffer.size());
    }

    // Raw SQLite as any program would use it, ordering by the key's folded column so that it
    // can use the same index.
    const auto path = SqliteEngine::pathOf(bench->folder, FileId::kunde).string();
    if (sqlite3_open_v2(
            path.c_str(), &bench->raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
        fail("raw open");
    sqlite3_busy_timeout(bench->raw, 2000);
}

void tearDown()
{
    sqlite3_close_v2(bench->raw);
    bench->kunde.reset();
    bench->engine.reset();
    std::filesystem::remove_all(bench->folder);
}

const std::string &selectList()
{
    static const std::string list = "rowid, \"_version\", " + kundeColumns();
    return list;
}

void passRaw(benchmark::State &state)
{
    sqlite3_stmt *stmt
        = prepare("SELECT " + selectList() + " FROM KUNDE ORDER BY \"_fold_KNAME\", rowid");
    KundeRow row;
    for (auto _ : state) {
        int count = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            readRow(stmt, row);
            ++count;
        }
        sqlite3_reset(stmt);
        if (count != kRecords)
            state.SkipWithError("short pass");
        benchmark::DoNotOptimize(row);
    }
    sqlite3_finalize(stmt);
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
    sqlite3_stmt *stmt = prepare("SELECT " + selectList() + " FROM KUNDE WHERE KAID = ?1");
    KundeRow row;
    for (auto _ : state) {
        for (const int id : bench->getIds) {
            sqlite3_bind_int(stmt, 1, id);
            if (sqlite3_step(stmt) != SQLITE_ROW)
                state.SkipWithError("not found");
            readRow(stmt, row);
            sqlite3_reset(stmt);
        }
        benchmark::DoNotOptimize(row);
    }
    sqlite3_finalize(stmt);
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
    exec(("DELETE FROM KUNDE WHERE rowid > " + std::to_string(kRecords)).c_str());
    state.ResumeTiming();
}

void insertRaw(benchmark::State &state)
{
    sqlite3_stmt *stmt = prepare(kundeInsert());
    for (auto _ : state) {
        exec("BEGIN IMMEDIATE");
        for (const KundeRow &row : bench->newRows) {
            bindRow(stmt, row);
            bindFolded(stmt, 29, row);
            if (sqlite3_step(stmt) != SQLITE_DONE)
                state.SkipWithError(sqlite3_errmsg(bench->raw));
            sqlite3_reset(stmt);
        }
        exec("COMMIT");
        removeInserted(state);
    }
    sqlite3_finalize(stmt);
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

// Google Benchmark's table, and per step the CPU time of an iteration for the ratios: the
// least of the repetitions where there are several. CPU time, because on a machine that
// others share the elapsed time mostly measures whose turn it was (both sides do the same
// file I/O); the least, because what others do only ever adds to it.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration)
                times.emplace(run.run_name.function_name, run.GetAdjustedCPUTime());
            else if (run.aggregate_name == "min")
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char **argv)
{
    // Repeated and interleaved, so that a change in the machine's load meets both sides;
    // arguments given on the command line come later and win.
    std::vector<char *> args{argv[0]};
    std::string defaults[] = {"--benchmark_repetitions=7",
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
            std::printf("ratio %s %.3f\n", step, o->second / r->second);
    }
    tearDown();
    benchmark::Shutdown();
    return 0;
}
