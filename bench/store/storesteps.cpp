#include "storesteps.h"

#include "benchsupport.h"
#include "kundedata.h"
#include "store/files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

struct Steps
{
    int records = 0;
    std::unique_ptr<Engine> engine;
    Records buffers;
    std::unique_ptr<RecordFile> kunde;
    std::vector<int> getIds;
    std::vector<std::vector<char>> newRecords;
    std::unique_ptr<RawStore> raw;
};
Steps *steps = nullptr;

void setUp(const StoreRun &run)
{
    steps->engine = makeEngine(run.location);
    steps->kunde = steps->engine->recordFile(FileId::kunde, steps->buffers[FileId::kunde]);
    RecordFile &kunde = *steps->kunde;
    if (kunde.create() || kunde.open())
        storeFail("cannot create KUNDE");
    std::fprintf(stderr, "Building %d customers...\n", steps->records);
    if (const std::string error = addKunden(*steps->engine, kunde, steps->records); !error.empty())
        storeFail(error);

    const int changes = std::min(10000, steps->records / 10);
    std::mt19937 random(42);
    for (int i = 0; i < changes; ++i)
        steps->getIds.push_back(1 + static_cast<int>(random() % steps->records));
    RecordBuffer buffer(FileId::kunde);
    for (int n = steps->records + 1; n <= steps->records + changes; ++n) {
        toBuffer(makeKunde(n), buffer);
        steps->newRecords.emplace_back(buffer.data(), buffer.data() + buffer.size());
    }
    steps->raw = run.raw(steps->records, changes);
}

void passRaw(benchmark::State &state)
{
    for (auto _ : state) {
        if (steps->raw->pass() != steps->records)
            state.SkipWithError("short pass");
    }
}

void passOurs(benchmark::State &state)
{
    RecordFile &kunde = *steps->kunde;
    for (auto _ : state) {
        int count = 0;
        kunde.setKeyStart(KUN::Keykname.index);
        while (kunde.next() == Result::Ok)
            ++count;
        if (count != steps->records)
            state.SkipWithError("short pass");
        benchmark::DoNotOptimize(kunde.buffer().data());
    }
}

void getRaw(benchmark::State &state)
{
    for (auto _ : state) {
        if (steps->raw->get(steps->getIds) != static_cast<int>(steps->getIds.size()))
            state.SkipWithError("not found");
    }
}

void getOurs(benchmark::State &state)
{
    RecordFile &kunde = *steps->kunde;
    for (auto _ : state) {
        for (const int id : steps->getIds) {
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
    steps->raw->removeInserted();
    state.ResumeTiming();
}

void insertRaw(benchmark::State &state)
{
    for (auto _ : state) {
        if (const std::string error = steps->raw->insert(); !error.empty())
            state.SkipWithError(error.c_str());
        removeInserted(state);
    }
}

void insertOurs(benchmark::State &state)
{
    RecordFile &kunde = *steps->kunde;
    Engine &engine = *steps->engine;
    for (auto _ : state) {
        if (engine.addToTransaction(kunde) || engine.beginTransaction(2))
            state.SkipWithError("no transaction");
        for (const auto &record : steps->newRecords) {
            std::memcpy(kunde.buffer().data(), record.data(), record.size());
            if (kunde.add() != Result::Ok)
                state.SkipWithError("add");
        }
        if (engine.commit())
            state.SkipWithError("commit");
        removeInserted(state);
    }
}

} // namespace

int storeRecords()
{
    const char *records = std::getenv("TESSARO_BENCH_RECORDS");
    return records ? std::max(1000, std::atoi(records)) : 100000;
}

void storeFail(const std::string &what)
{
    bench::fail(what + " (" + (steps && steps->engine ? steps->engine->status().engineMessage : "")
                + ")");
}

int runStoreSteps(std::vector<char *> args, const StoreRun &run)
{
    // Repeated and interleaved, so that a change in the machine's load meets both sides.
    const std::string repetitions = "--benchmark_repetitions=" + std::to_string(run.repetitions);
    if (!bench::initialize(std::move(args),
                           {repetitions.c_str(),
                            "--benchmark_enable_random_interleaving=true",
                            "--benchmark_report_aggregates_only=true"}))
        return 1;
    Steps state;
    state.records = storeRecords();
    steps = &state;
    setUp(run);

    const char *const names[] = {"pass", "get", "insert"};
    using Function = void (*)(benchmark::State &);
    const Function raw[] = {passRaw, getRaw, insertRaw};
    const Function ours[] = {passOurs, getOurs, insertOurs};
    for (int i = 0; i < 3; ++i) {
        for (const auto &[side, function] : {std::pair{"/raw", raw[i]}, {"/tessaro", ours[i]}}) {
            auto *b = benchmark::RegisterBenchmark((std::string(names[i]) + side).c_str(), function)
                          ->Unit(benchmark::kMillisecond)
                          ->ComputeStatistics("min", bench::least);
            if (run.realTime)
                b->UseRealTime();
        }
    }
    bench::LeastReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *name : names) {
        reporter.printRatio(run.ratioPrefix + name,
                            std::string(name) + "/tessaro",
                            std::string(name) + "/raw",
                            run.realTime ? bench::LeastReporter::kReal
                                         : bench::LeastReporter::kCpu);
    }
    state.raw.reset();
    state.kunde.reset();
    state.engine.reset();
    steps = nullptr;
    benchmark::Shutdown();
    return 0;
}
