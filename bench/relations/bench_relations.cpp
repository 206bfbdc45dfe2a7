// Deleting a customer with many orders: through the relation keeper, as the customer form
// deletes it (the customer, its orders, their calculations with their typesetting lines, the
// additional-work and transport lines, all in one transaction), against the same records
// deleted by six set-based SQL statements in one transaction on the same files. Before each
// round both sides get the files fresh from a copy of the generated data.
//
// The data: tessaro-sampledata's large shop, by default a tenth of it (2,000 customers,
// 10,000 orders with 60,000 calculations and lines) with the first customer holding 300
// orders; --customers=<n> --orders=<n> make another size (20000 and 100000 the full one).
// --data=<folder> keeps the generated files there and reuses them; --rounds=<n> (default 7).
//
// Printed besides Google Benchmark's table:
//   ratio delete-customer <ours ÷ raw>        medians of the elapsed time per delete
//   ratio delete-customer-cpu <ours ÷ raw>    medians of the processor time per delete
//   median delete-customer raw <ms> ours <ms> elapsed time, and the same for cpu
//   records delete-customer <n>               records one delete removes
//   rows-read delete-customer <per record>    records the engine read per record deleted

#include "benchsupport.h"

#include "shell/sampledata/largedata.h"
#include "shell/sampledata/sampledata.h"
#include "store/files.h"
#include "store/rowsread.h"
#include "store/sqlite/sqliteengine.h"
#include "store/storecontext.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using bench::fail;
using bench::FailingPresenter;
using bench::Sample;
using bench::Stopwatch;

// The generated shop, made once: the template each round copies.
std::string makeTemplate(const fs::path &folder, const sampledata::LargeSize &size)
{
    const fs::path note = folder / "big-customer.txt";
    if (std::ifstream in(note); in) {
        std::string id;
        int customers = 0;
        int orders = 0;
        if (in >> id >> customers >> orders && customers == size.customers && orders == size.orders)
            return id;
    }
    fs::remove_all(folder);
    fs::create_directories(folder);
    FailingPresenter presenter;
    StoreContext store(folder, presenter);
    if (sampledata::fillSampleData(store) != sampledata::FillResult::Filled)
        fail("the sample catalogue was not written");
    std::fprintf(stderr,
                 "Building %d customers and %d orders in %s...\n",
                 size.customers,
                 size.orders,
                 folder.c_str());
    const Stopwatch watch;
    const sampledata::LargeResult added = sampledata::addLargeData(store, size);
    if (!added.written)
        fail("the large data set was not written");
    std::printf("generate records %lld seconds %.1f\n", added.records, watch.elapsed().wall);
    std::ofstream(note) << added.bigCustomerId << ' ' << size.customers << ' ' << size.orders
                        << '\n';
    return added.bigCustomerId;
}

void copyFiles(const fs::path &from, const fs::path &to)
{
    fs::create_directories(to);
    for (const fs::directory_entry &entry : fs::directory_iterator(from)) {
        if (entry.is_regular_file())
            fs::copy_file(
                entry.path(), to / entry.path().filename(), fs::copy_options::overwrite_existing);
    }
}

// Ours: the customer form's delete, with the family open as the form has it.
struct OursResult
{
    Sample time;
    std::uint64_t rowsRead = 0;
};

OursResult deleteThroughRelations(const fs::path &folder, const std::string &customerId)
{
    FailingPresenter presenter;
    StoreContext store(folder, presenter);
    RelationKeeper &keeper = store.relations(FileId::kunde);
    FileManager &customers = store.fileManager(FileId::kunde);
    if (keeper.Open() != Level::Benign)
        fail("the customer's files did not open");
    Records &r = store.records();
    r[FileId::kunde].clear();
    r.set(KUN::KID, customerId);
    if (customers.FetchQuiet(KUN::Keyid) != Level::Benign)
        fail("no customer " + customerId);
    OursResult result;
    const std::uint64_t before = rowsread::total();
    const Stopwatch watch;
    const int level = keeper.Delete(false);
    result.time = watch.elapsed();
    result.rowsRead = rowsread::total() - before;
    if (level != Level::Benign)
        fail("the delete through the relations failed");
    keeper.Close();
    return result;
}

// Raw: the same records by set, in one transaction over the attached files.
struct RawResult
{
    Sample time;
    long long records = 0;
};

RawResult deleteBySql(const fs::path &folder, const std::string &customerId)
{
    sqlite3 *db = nullptr;
    const std::string main = SqliteEngine::pathOf(folder, FileId::kunde).string();
    if (sqlite3_open_v2(main.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("raw open");
    const auto exec = [&](const std::string &sql) {
        char *error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
            fail(sql + ": " + (error ? error : "?"));
    };
    const std::pair<const char *, FileId> attached[] = {{"auf", FileId::auftrag},
                                                        {"kal", FileId::kaldruck},
                                                        {"asa", FileId::asatz},
                                                        {"ana", FileId::anach},
                                                        {"atr", FileId::atran}};
    for (const auto &[alias, file] : attached)
        exec("ATTACH '" + SqliteEngine::pathOf(folder, file).string() + "' AS " + alias);
    const std::string orders = "(SELECT FID FROM auf.AUFTRAG WHERE FKUID = ?1)";
    const std::string statements[]
        = {"DELETE FROM asa.ASATZ WHERE ASKADID IN (SELECT KAAID FROM kal.KALDRUCK WHERE KAUFID IN "
               + orders + ")",
           "DELETE FROM kal.KALDRUCK WHERE KAUFID IN " + orders,
           "DELETE FROM ana.ANACH WHERE ANIDAUF IN " + orders,
           "DELETE FROM atr.ATRAN WHERE ATAUFID IN " + orders,
           "DELETE FROM auf.AUFTRAG WHERE FKUID = ?1",
           "DELETE FROM main.KUNDE WHERE KID = ?1"};
    std::vector<sqlite3_stmt *> prepared;
    for (const std::string &sql : statements) {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            fail(sql + ": " + sqlite3_errmsg(db));
        prepared.push_back(stmt);
    }
    RawResult result;
    const int changesBefore = sqlite3_total_changes(db);
    const Stopwatch watch;
    exec("BEGIN IMMEDIATE");
    for (sqlite3_stmt *stmt : prepared) {
        sqlite3_bind_text(stmt, 1, customerId.c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) != SQLITE_DONE)
            fail(std::string("raw delete: ") + sqlite3_errmsg(db));
        sqlite3_reset(stmt);
    }
    exec("COMMIT");
    result.time = watch.elapsed();
    result.records = sqlite3_total_changes(db) - changesBefore;
    for (sqlite3_stmt *stmt : prepared)
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return result;
}

struct Samples
{
    std::vector<double> oursWall, oursCpu, rawWall, rawCpu;
    std::uint64_t rowsRead = 0;
    long long records = 0;
};

} // namespace

int main(int argc, char **argv)
{
    const bench::Options options(argc, argv, {"data", "rounds", "customers", "orders"});
    sampledata::LargeSize size;
    size.customers = options.number("customers", 2000, 2);
    size.orders = options.number("orders", 10000, size.bigCustomerOrders);
    const int rounds = options.number("rounds", 7, 1);
    if (!bench::initialize(options.rest(), {}))
        return 1;

    std::optional<bench::TemporaryFolder> temporary;
    fs::path data = options.text("data");
    if (data.empty())
        data = temporary.emplace("tessaro-relations").path();
    const fs::path shop = data / "shop";
    const fs::path work = data / "work";
    const std::string customerId = makeTemplate(shop, size);

    Samples samples;
    benchmark::RegisterBenchmark("delete-customer",
                                 [&](benchmark::State &state) {
                                     for (auto _ : state) {
                                         copyFiles(shop, work);
                                         const OursResult ours
                                             = deleteThroughRelations(work, customerId);
                                         copyFiles(shop, work);
                                         const RawResult raw = deleteBySql(work, customerId);
                                         samples.oursWall.push_back(ours.time.wall);
                                         samples.oursCpu.push_back(ours.time.cpu);
                                         samples.rawWall.push_back(raw.time.wall);
                                         samples.rawCpu.push_back(raw.time.cpu);
                                         samples.rowsRead = ours.rowsRead;
                                         samples.records = raw.records;
                                         state.SetIterationTime(ours.time.wall);
                                     }
                                 })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(rounds);
    benchmark::RunSpecifiedBenchmarks();

    using bench::median;
    const double rawWall = median(samples.rawWall);
    const double rawCpu = median(samples.rawCpu);
    bench::printRatio("delete-customer", median(samples.oursWall), rawWall);
    bench::printRatio("delete-customer-cpu", median(samples.oursCpu), rawCpu);
    std::printf("median delete-customer raw %.1f ours %.1f\n",
                rawWall * 1000,
                median(samples.oursWall) * 1000);
    std::printf(
        "cpu delete-customer raw %.1f ours %.1f\n", rawCpu * 1000, median(samples.oursCpu) * 1000);
    std::printf("records delete-customer %lld\n", samples.records);
    if (samples.records > 0)
        std::printf("rows-read delete-customer %.2f\n",
                    static_cast<double>(samples.rowsRead) / static_cast<double>(samples.records));
    benchmark::Shutdown();
    fs::remove_all(work);
    return 0;
}
