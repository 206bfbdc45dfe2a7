// Lists against raw SQLite: the customer list by KUN:Keykname on a `kunde` file of 1,000 and
// one of 1,000,000 records — opening it, paging down 100 times, a jump by locator (one letter,
// and three letters typed at once: "locate-prefix"), the thumb dragged to 30 % and to 100 %. Each
// step is timed inside the list's own procedure (the list manager's handling of the event: reading
// the view, filling its rows, showing them in the control, copying the highlighted record into the
// buffer) and paired with the raw keyset query that reads the same page into a struct, on the same
// file, right after it.
//
// Printed besides Google Benchmark's table (which times the list):
//   ratio <step> <ours ÷ raw>        medians of the CPU time per step; paging down is
//                                    printed as "pagedown" (pages that read rows),
//                                    "pagedown-end" (past the end of the file, where the raw
//                                    query reads none) and "pagedown-all"
//   cpu <step> raw <ms> ours <ms>    those medians
//   median <step> <ms>               the list's elapsed time per step
//   memory <file> <MiB>              peak resident memory of a separate process that opens
//                                    the list on that file and runs every step once
//
// Options of its own (before Google Benchmark's): --data=<folder> keeps the generated files
// there and reuses them on the next run; --rounds=<n> times each step n times (default 60;
// paging down is one round of 100 pages).

#include "benchsupport.h"
#include "kundedata.h"

#include "framework/appcontext.h"
#include "framework/browse/browsemanager.h"
#include "framework/core/steplocator.h"
#include "framework/core/textstep.h"
#include "framework/dialogs.h"
#include "framework/formbuilder.h"
#include "framework/keycodes.h"
#include "framework/listcontrol.h"
#include "framework/procedurecontroller.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "store/enginefactory.h"
#include "store/files.h"
#include "store/foldedkey.h"
#include "store/sqlite/sqliteengine.h"
#include "store/storecontext.h"

#include <QApplication>
#include <QFormLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kListControl = 31;
constexpr int kPageDowns = 100;
constexpr const char *kLetters = "MSKBWFHRGLPDZAT";
// Three-letter prefixes as typed on a German keyboard, in Latin-1 ("m\xfcl": "mül").
constexpr const char *kPrefixes[] = {"sch", "m\xfcl", "wei", "kru", "hof", "zim", "bec", "neu"};

// Everything runs on the one OS thread (procedures are fibers on it), so the thread's CPU
// time is the work done, whatever else the machine runs meanwhile.
using bench::fail;
using bench::median;
using bench::Sample;
using bench::Stopwatch;

// What the list measured of the event it handled last.
struct Measured
{
    Sample event;
    Sample load; // the reset that loaded the list first
    bool loaded = false;
};
Measured measured;

// --- the list ---------------------------------------------------------------------------------

class TimedBrowse : public BrowseManager
{
public:
    int TakeEvent() override
    {
        const Stopwatch watch;
        const int level = BrowseManager::TakeEvent();
        if (level == Level::Notify)
            measured.event = watch.elapsed();
        return level;
    }
};

// The customer list as the list procedures write it, on one tab: by name, with its locator
// and the computed text step on the thumb.
class BenchList : public ProcedureController
{
public:
    explicit BenchList(AppContext &app)
        : ProcedureController(app, "Browsekunde", QStringLiteral("Kunden"))
    {
        useFile(FileId::kunde);
    }

    void Reset(std::uint8_t force) override
    {
        const bool before = m_browse.LOADED != 0;
        const Stopwatch watch;
        ProcedureController::Reset(force);
        if (!before && m_browse.LOADED) {
            measured.load = watch.elapsed();
            measured.loaded = true;
        }
    }

    std::string thumbValue(int position) const
    {
        const BrowseOrder *order = m_browse.currentBrowseOrder();
        if (!order || !order->THUMB)
            return {};
        const auto value = order->THUMB->value(position);
        return value ? std::get<std::string>(*value) : std::string();
    }
    int rows() const { return m_browse.LASTITEMS; }
    void setLocatorClock(std::function<std::int64_t()> clock)
    {
        m_browse.setLocatorClock(std::move(clock));
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        ProcWindow &window = form.window();
        auto *list = new ListControl(window.content());
        list->setColumns({QStringLiteral("Name"), QStringLiteral("Nummer"), QStringLiteral("Ort")});
        list->setVerticalScrollBar(true);
        list->setMinimumHeight(420);
        form.rows()->addRow(list);
        window.addControl(kListControl, list, QStringLiteral("Kunden"));
    }

    void setUpWindow() override
    {
        RelationKeeper &customers = store().relations(FileId::kunde);
        m_view = std::make_unique<View>(customers);
        m_browse.Init(
            *this, kListControl, *m_view, customers, store().fileManager(FileId::kunde), records());
        m_browse.AddSortOrder(KUN::Keykname,
                              FieldRef(KUN::KNAME),
                              std::make_unique<TextStep>(TextStep::LookupMode::Computed,
                                                         StepManager::Alphabetic
                                                             | StepManager::Punctuation
                                                             | StepManager::Digits));
        m_browse.AddField(KUN::KNAME);
        m_browse.AddField(KUN::KID);
        m_browse.AddField(KUN::KORT);
        AddBrowse(m_browse);
    }

private:
    std::unique_ptr<View> m_view;
    TimedBrowse m_browse;
};

// --- the files ----------------------------------------------------------------------------------

void exec(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sqlite3_errmsg(db));
}

// Whether the folder holds exactly the `count` customers this benchmark makes: the number of
// records, and the first and the last of them as generated.
bool holdsCustomers(const fs::path &folder, int count)
{
    const auto engine = makeEngine(DataLocation{folder});
    if (!engine->exists(FileId::kunde))
        return false;
    {
        Records records;
        const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
        if (kunde->open() != Result::Ok || kunde->records() != count)
            return false;
    }
    const fs::path path = SqliteEngine::pathOf(folder, FileId::kunde);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_stmt *read = nullptr;
    const std::string sql
        = "SELECT rowid, \"_version\", " + kundeColumns() + " FROM KUNDE WHERE KAID = ?1";
    bool same = sqlite3_prepare_v2(db, sql.c_str(), -1, &read, nullptr) == SQLITE_OK;
    for (const int n : {1, count}) {
        if (!same)
            break;
        sqlite3_bind_int(read, 1, n);
        KundeRow row;
        same = sqlite3_step(read) == SQLITE_ROW;
        if (same)
            readRow(read, row);
        const KundeRow expected = makeKunde(n);
        same = same && row.kname == expected.kname && row.kid == expected.kid
               && row.kpemail == expected.kpemail;
        sqlite3_reset(read);
    }
    sqlite3_finalize(read);
    sqlite3_close_v2(db);
    return same;
}

// The file made empty by the engine, so that its layout and keys are the program's own, then
// filled by plain inserts in one transaction.
void buildKunde(const fs::path &folder, int count)
{
    if (holdsCustomers(folder, count))
        return;
    fs::create_directories(folder);
    std::fprintf(stderr, "Building %d customers in %s...\n", count, folder.c_str());
    {
        const auto engine = makeEngine(DataLocation{folder});
        Records records;
        if (engine->recordFile(FileId::kunde, records[FileId::kunde])->create() != Result::Ok)
            fail("cannot create KUNDE");
    }
    const fs::path path = SqliteEngine::pathOf(folder, FileId::kunde);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        fail("cannot open KUNDE");
    exec(db, "PRAGMA synchronous=OFF");
    exec(db, "BEGIN");
    sqlite3_stmt *insert = nullptr;
    const std::string sql = kundeInsert();
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) != SQLITE_OK)
        fail(sqlite3_errmsg(db));
    for (int n = 1; n <= count; ++n) {
        const KundeRow row = makeKunde(n); // bound without a copy: it must outlive the step
        bindRow(insert, row);
        bindFolded(insert, 29, row);
        if (sqlite3_step(insert) != SQLITE_DONE)
            fail(sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    sqlite3_close_v2(db);
    if (!holdsCustomers(folder, count))
        fail("the customers written do not read back as generated");
}

// --- a session: the program's context on one folder, with the list open -----------------

class Session
{
public:
    // One scheduler of procedure threads serves both files, as it serves the whole program.
    Session(const fs::path &folder, ProcedureThreads &threads)
        : m_store(folder, m_messages)
        , m_threads(threads)
    {
        m_store.errors().setPresenter(m_messages);
        m_frame.setCentralWidget(m_area);
        m_frame.resize(1024, 768);
        m_frame.show();
        m_app = std::make_unique<AppContext>(m_store, m_threads, m_area);
        m_app->procedures().add("Browsekunde", [this](AppContext &context) {
            BenchList list(context);
            m_list = &list;
            context.LastResponse = list.Run();
            m_list = nullptr;
        });
        settle();
    }
    ~Session()
    {
        close();
        settle();
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Runs the Qt loop until every procedure waits for something outside.
    void settle()
    {
        int quiet = 0;
        for (int round = 0; round < 100000 && quiet < 3; ++round) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            quiet = m_threads.idle() ? quiet + 1 : 0;
        }
    }

    // Opens the list; the time its first load took.
    Sample open()
    {
        measured = {};
        m_threads.start(QStringLiteral("Browsekunde"), [this] { m_app->call("Browsekunde"); });
        settle();
        if (!m_list || !measured.loaded)
            fail("the list did not load");
        return measured.load;
    }

    // Paints the frame with the list again, as every step of the list ends: the raw query
    // is timed after it, so that it meets the processor's caches as the list's step does
    // and not warm from the query before.
    void repaint() { m_frame.repaint(); }

    void close()
    {
        if (ProcWindow *w = window(); w && w->subWindow())
            w->subWindow()->close();
        settle();
    }

    ProcWindow *window() const { return m_list ? m_list->procWindow() : nullptr; }
    BenchList *list() const { return m_list; }

    // Posts an event of the list control; the time the list took for it.
    Sample post(const WindowEvent &event)
    {
        measured.event = {};
        window()->post(event);
        settle();
        return measured.event;
    }
    Sample scroll(EventKind kind) { return post(WindowEvent{kind, kListControl}); }
    Sample drag(int thumb)
    {
        return post(WindowEvent{EventKind::ScrollDrag, kListControl, 0, {}, thumb});
    }
    Sample type(char letter)
    {
        const QChar c = QChar::fromLatin1(letter);
        return post(
            WindowEvent{EventKind::AlertKey, kListControl, KeyCode::fromCharacter(c), QString(c)});
    }

private:
    GuiMessagePresenter m_messages;
    StoreContext m_store;
    ProcedureThreads &m_threads;
    QMainWindow m_frame;
    QMdiArea *m_area = new QMdiArea;
    std::unique_ptr<AppContext> m_app;
    BenchList *m_list = nullptr;
};

// --- raw SQLite: the keyset queries that read the same pages -------------------------------

class Raw
{
public:
    explicit Raw(const fs::path &folder)
    {
        const std::string path = SqliteEngine::pathOf(folder, FileId::kunde).string();
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            fail("raw open");
        const std::string select = "SELECT rowid, \"_version\", " + kundeColumns() + " FROM KUNDE ";
        const std::string key = "\"_fold_KNAME\"";
        m_first = prepare(select + "ORDER BY " + key + " ASC, rowid ASC LIMIT ?1");
        m_last = prepare(select + "ORDER BY " + key + " DESC, rowid DESC LIMIT ?1");
        m_after = prepare(select + "WHERE " + key + " >= ?1 AND (" + key
                          + " > ?1 OR rowid > ?2) ORDER BY " + key + " ASC, rowid ASC LIMIT ?3");
        m_from = prepare(select + "WHERE " + key + " >= ?1 ORDER BY " + key
                         + " ASC, rowid ASC LIMIT ?2");
    }
    ~Raw()
    {
        for (sqlite3_stmt *s : {m_first, m_last, m_after, m_from})
            sqlite3_finalize(s);
        sqlite3_close_v2(m_db);
    }
    Raw(const Raw &) = delete;
    Raw &operator=(const Raw &) = delete;

    Sample firstPage(int rows)
    {
        const Stopwatch watch;
        sqlite3_bind_int(m_first, 1, rows);
        read(m_first);
        return watch.elapsed();
    }
    Sample lastPage(int rows)
    {
        const Stopwatch watch;
        sqlite3_bind_int(m_last, 1, rows);
        read(m_last);
        return watch.elapsed();
    }
    // The page after the last row read.
    Sample nextPage(int rows)
    {
        const Stopwatch watch;
        const std::string name
            = m_page.empty() ? std::string() : foldedkey::fold(m_page.back().kname);
        const std::int64_t rowid = m_page.empty() ? 0 : m_page.back().rowid;
        sqlite3_bind_text(m_after, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(m_after, 2, rowid);
        sqlite3_bind_int(m_after, 3, rows);
        read(m_after, false);
        return watch.elapsed();
    }
    Sample pageFrom(const std::string &value, int rows)
    {
        const Stopwatch watch;
        const std::string folded = foldedkey::fold(value);
        sqlite3_bind_text(
            m_from, 1, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(m_from, 2, rows);
        read(m_from);
        return watch.elapsed();
    }
    std::size_t lastRead() const { return m_read; }

private:
    sqlite3_stmt *prepare(const std::string &sql)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr)
            != SQLITE_OK)
            fail(sqlite3_errmsg(m_db));
        return stmt;
    }
    // A page that comes up empty keeps the last one, so paging on past the end stays there.
    void read(sqlite3_stmt *stmt, bool replace = true)
    {
        std::vector<KundeRow> page;
        KundeRow row;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            readRow(stmt, row);
            page.push_back(row);
        }
        sqlite3_reset(stmt);
        m_read = page.size();
        if (replace || !page.empty())
            m_page = std::move(page);
        benchmark::DoNotOptimize(m_page.data());
    }

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_first = nullptr;
    sqlite3_stmt *m_last = nullptr;
    sqlite3_stmt *m_after = nullptr;
    sqlite3_stmt *m_from = nullptr;
    std::vector<KundeRow> m_page;
    std::size_t m_read = 0;
};

// --- the steps --------------------------------------------------------------------------------

struct File
{
    std::string label; // "1k", "1m"
    fs::path folder;
    std::unique_ptr<Session> session;
    std::unique_ptr<Raw> raw;
};

// Every sample of each step and side, for the medians.
std::map<std::string, std::vector<Sample>> samples;

const char *const kSteps[] = {"open", "pagedown", "locate", "locate-prefix", "thumb30", "thumb100"};
// Paging down apart: pages read, pages past the end of the file, and all of them.
const char *const kPrintedSteps[] = {"open",
                                     "pagedown",
                                     "pagedown-end",
                                     "pagedown-all",
                                     "locate",
                                     "locate-prefix",
                                     "thumb30",
                                     "thumb100"};

// One round of a step: the list's step, then the raw query that reads the same page. The
// two alternate sample by sample, so that both meet the same machine: a neighbour's load or
// a change of clock speed shifts both sides alike and leaves their ratio standing. The raw
// query is timed after the list has been painted again, as every step of the list is.
class Pairing
{
public:
    Pairing(File &file, const std::string &step)
        : m_session(*file.session)
        , m_raw(*file.raw)
        , m_label(file.label)
        , m_step(step)
    {}

    // With `apartAtEnd`, a round whose raw query read no row (a page down past the end of
    // the file) is counted as a step of its own: mixed in, its few microseconds would put the
    // median on the edge between two kinds of step.
    template<typename Ours, typename Raw>
    Sample pair(Ours ours, Raw raw, bool apartAtEnd = false)
    {
        const Sample list = ours(m_session);
        m_session.repaint();
        const Sample query = raw(m_raw);
        std::string step = m_step;
        if (apartAtEnd)
            add(step + "-all", list, query);
        if (apartAtEnd && m_raw.lastRead() == 0)
            step += "-end";
        add(step, list, query);
        return list;
    }

private:
    void add(const std::string &step, const Sample &list, const Sample &query)
    {
        const std::string name = step + '-' + m_label;
        samples[name + "/tessaro"].push_back(list);
        samples[name + "/raw"].push_back(query);
    }

    Session &m_session;
    Raw &m_raw;
    std::string m_label;
    std::string m_step;
};

void runStep(benchmark::State &state, File &file, const std::string &step)
{
    Session &s = *file.session;
    const int rows = s.list()->rows();
    Pairing pairing(file, step);
    if (step == "open") {
        for (auto _ : state) {
            s.close();
            const Sample list = pairing.pair([](Session &s) { return s.open(); },
                                             [rows](Raw &raw) { return raw.firstPage(rows); });
            state.SetIterationTime(list.cpu);
        }
    } else if (step == "pagedown") {
        // From the first page on, 100 pages down each round.
        for (auto _ : state) {
            s.scroll(EventKind::ScrollTop);
            file.raw->firstPage(rows);
            Sample total;
            for (int page = 0; page < kPageDowns; ++page) {
                const Sample one
                    = pairing.pair([](Session &s) { return s.scroll(EventKind::PageDown); },
                                   [rows](Raw &raw) { return raw.nextPage(rows); },
                                   true);
                total.cpu += one.cpu;
                total.wall += one.wall;
            }
            state.SetIterationTime(total.cpu);
        }
    } else if (step == "locate") {
        // One letter after a pause each round: the step locator's jump, not a prefix.
        std::int64_t now = 0;
        s.list()->setLocatorClock([&now] { return now; });
        std::size_t next = 0;
        for (auto _ : state) {
            now += 10000;
            const std::string letter(1, kLetters[next++ % std::strlen(kLetters)]);
            const Sample list
                = pairing.pair([&letter](Session &s) { return s.type(letter.front()); },
                               [&letter, rows](Raw &raw) { return raw.pageFrom(letter, rows); });
            state.SetIterationTime(list.cpu);
        }
        s.list()->setLocatorClock({});
    } else if (step == "locate-prefix") {
        // Three letters typed at once after a pause: the first two untimed, the third the
        // jump to the first name with the three-letter prefix, paired with the keyset query
        // from that prefix as the key compares it. The list's clock is the benchmark's, so
        // that the keys come "at once" and a round starts after a pause however slow it is.
        std::int64_t now = 0;
        s.list()->setLocatorClock([&now] { return now; });
        std::size_t next = 0;
        for (auto _ : state) {
            const std::string prefix = kPrefixes[next++ % std::size(kPrefixes)];
            now += 10000;
            s.type(prefix[0]);
            now += 100;
            s.type(prefix[1]);
            now += 100;
            const std::string value
                = locatorKeyValue(QString::fromLatin1(prefix).toStdString(), true);
            const Sample list
                = pairing.pair([&prefix](Session &s) { return s.type(prefix[2]); },
                               [&value, rows](Raw &raw) { return raw.pageFrom(value, rows); });
            state.SetIterationTime(list.cpu);
        }
        s.list()->setLocatorClock({});
    } else {
        const int thumb = step == "thumb30" ? 30 : 100;
        const std::string value = s.list()->thumbValue(thumb);
        for (auto _ : state) {
            s.scroll(EventKind::ScrollTop); // a drag to where the list already is moves it
            const Sample list = pairing.pair([thumb](Session &s) { return s.drag(thumb); },
                                             [thumb, &value, rows](Raw &raw) {
                                                 return thumb == 100 ? raw.lastPage(rows)
                                                                     : raw.pageFrom(value, rows);
                                             });
            state.SetIterationTime(list.cpu);
        }
    }
}

// --- peak memory in a process of its own -----------------------------------------------------

// Opens the list on `folder`, runs every step once and prints the peak resident set in KiB.
int peakChild(const fs::path &folder)
{
    {
        ProcedureThreads threads;
        Session s(folder, threads);
        s.open();
        for (int page = 0; page < kPageDowns; ++page)
            s.scroll(EventKind::PageDown);
        s.type('M');
        s.drag(30);
        s.drag(100);
        s.close();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}

double peakMiB(const char *self, const fs::path &folder)
{
    const std::string command = '"' + std::string(self) + "\" --peak=\"" + folder.string() + '"';
    std::FILE *child = popen(command.c_str(), "r");
    if (!child)
        fail("cannot start " + command);
    long kib = -1;
    if (std::fscanf(child, "%ld", &kib) != 1)
        kib = -1;
    if (pclose(child) != 0 || kib < 0)
        fail("the memory run on " + folder.string() + " failed");
    return static_cast<double>(kib) / 1024.0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bench::Options options(argc, argv, {"peak", "data", "rounds"});
    if (options.has("peak")) {
        QApplication qt(argc, argv);
        return peakChild(options.text("peak"));
    }
    const int rounds = options.number("rounds", 60, 1);
    if (!bench::initialize(
            options.rest(),
            {"--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"}))
        return 1;

    std::optional<bench::TemporaryFolder> temporary;
    fs::path data = options.text("data");
    if (data.empty())
        data = temporary.emplace("tessaro-browse").path();
    std::vector<File> files;
    files.push_back({"1k", data / "1000", nullptr, nullptr});
    files.push_back({"1m", data / "1000000", nullptr, nullptr});
    buildKunde(files[0].folder, 1000);
    buildKunde(files[1].folder, 1000000);

    // Memory first, each file in a fresh process, before this one has touched either.
    std::map<std::string, double> peaks;
    for (const File &file : files)
        peaks[file.label] = peakMiB(argv[0], file.folder);

    int qtArgc = 1;
    QApplication qt(qtArgc, argv);
    ProcedureThreads threads;
    for (File &file : files) {
        file.session = std::make_unique<Session>(file.folder, threads);
        file.session->open();
        file.raw = std::make_unique<Raw>(file.folder);
    }
    for (File &file : files) {
        for (const char *step : kSteps) {
            const std::string name = std::string(step) + '-' + file.label;
            auto *b = benchmark::RegisterBenchmark(
                name.c_str(),
                [&file, step](benchmark::State &state) { runStep(state, file, step); });
            b->UseManualTime()->Unit(benchmark::kMillisecond);
            b->Iterations(std::string(step) == "pagedown" ? 1 : rounds);
        }
    }
    benchmark::RunSpecifiedBenchmarks();

    for (const File &file : files) {
        for (const char *step : kPrintedSteps) {
            const std::string name = std::string(step) + '-' + file.label;
            const auto ours = samples.find(name + "/tessaro");
            const auto raw = samples.find(name + "/raw");
            if (ours == samples.end() || raw == samples.end())
                continue;
            std::vector<double> oursCpu, oursWall, rawCpu;
            for (const Sample &s : ours->second) {
                oursCpu.push_back(s.cpu);
                oursWall.push_back(s.wall);
            }
            for (const Sample &s : raw->second)
                rawCpu.push_back(s.cpu);
            const double r = median(rawCpu);
            bench::printRatio(name, median(oursCpu), r);
            std::printf(
                "cpu %s raw %.3f ours %.3f\n", name.c_str(), r * 1000, median(oursCpu) * 1000);
            std::printf("median %s %.3f\n", name.c_str(), median(oursWall) * 1000);
        }
    }
    for (const File &file : files)
        std::printf("memory %s %.1f\n", file.label.c_str(), peaks[file.label]);
    std::printf("memory growth %.1f\n", peaks["1m"] - peaks["1k"]);

    for (File &file : files) {
        file.raw.reset();
        file.session.reset();
    }
    threads.endAll();
    benchmark::Shutdown();
    return 0;
}
