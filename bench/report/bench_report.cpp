// A list report of the `kunde` file by KUN:Keykname over 100,000 records: the walk of the
// report process, the list layout onto pages kept as files, and the pages printed to a PDF.
// Beside it, in the same run, the same lines drawn straight from an SQLite pass with a bare
// QPainter on a QPdfWriter: "ratio report <ours ÷ bare>" (CPU time). "first-page <seconds>"
// is the time from the start of the walk until the first page is ready for the preview.
// "memory report-1000 <MiB>" and "memory report-100000 <MiB>" are the peak resident memory
// of a process that runs the whole report over 1,000 and over 100,000 records.
//
// The same report as the menu starts it, over 18,000 customers (3,000 pages), offscreen with
// its progress window and preview: "first-page-preview <seconds>" until the preview shows
// page 1 ("ratio first-page-preview" against the 0.3 s a user may wait), "last-page-preview"
// until the last page has arrived, and "ratio report-preview <ours ÷ bare>": until "PDF
// speichern" has written every page, against the bare pass drawing the same pages into a PDF
// (wall clock, the best of three each; "ratio report-preview-cpu" the same in processor
// time, which other programs on the machine do not stretch). --preview-customers=N changes
// the count; --preview-only runs this part alone.

#include "benchsupport.h"
#include "kundedata.h"
#include "previewtiming.h"

#include "framework/core/textstep.h"
#include "framework/report/listreport.h"
#include "framework/report/pagequeue.h"
#include "framework/report/processmanager.h"
#include "framework/view/view.h"
#include "shell/listreports/listreporttable.h"
#include "store/enginefactory.h"
#include "store/files.h"
#include "store/sqlite/sqliteengine.h"
#include "store/storecontext.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kSmall = 1000;
constexpr int kPreviewRecords = 18000;
constexpr double kFirstPageLimit = 0.3; // seconds

using bench::fail;

void fillKunde(const std::filesystem::path &folder, int records)
{
    const auto engine = makeEngine(DataLocation{folder});
    Records buffers;
    const auto kunde = engine->recordFile(FileId::kunde, buffers[FileId::kunde]);
    if (kunde->create() || kunde->open())
        fail("cannot create KUNDE");
    if (const std::string error = addKunden(*engine, *kunde, records); !error.empty())
        fail(error);
}

struct ReportRun
{
    int records = 0;
    int pages = 0;
    double firstPage = -1; // seconds from the start of the walk
};

// The report as its procedure runs it, without the progress window: the process walks the
// view, each record prints its detail, the pages go to the queue and from there to the PDF.
ReportRun runReport(const std::filesystem::path &folder, const QString &pdfFile)
{
    bench::QuietPresenter presenter;
    StoreContext store(folder, presenter);
    const shell::ListReportDef *def = shell::findListReport("PrintKUN:Keykname");
    RelationKeeper &primary = store.relations(FileId::kunde);
    if (primary.Open() != Level::Benign)
        fail("cannot open KUNDE");
    View view(primary);
    TextStep step(TextStep::LookupMode::Computed, StepManager::Alphabetic | StepManager::Digits);
    ProcessManager process;
    process.Init(view, primary, &step, FieldRef(KUN::KNAME));
    process.AddOrdering(def->key);
    primary.SetQuickScan(true);

    ReportRun run;
    const auto started = std::chrono::steady_clock::now();
    report::PageQueue queue;
    {
        report::ListReport list(queue,
                                QString::fromUtf8(def->title),
                                shell::listColumns(*def, store.records()[FileId::kunde]));
        for (bool more = process.first(); more; more = process.next()) {
            list.printDetail();
            ++run.records;
            if (run.firstPage < 0 && queue.count() > 0)
                run.firstPage
                    = std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                          .count();
        }
        list.finish();
        if (!list.ok())
            fail("a page could not be kept");
    }
    run.pages = queue.count();
    QPdfWriter pdf(pdfFile);
    if (!queue.print(pdf))
        fail("printing to PDF failed");
    process.Close();
    return run;
}

// The bare side: an SQLite pass in the same order, each record's fields drawn as texts in the
// same font at the same places (columns as wide as the list's, continued in further rows), a
// title, the headings and a page number on each page.
int runBare(const std::filesystem::path &folder, const QString &pdfFile, int &pages)
{
    sqlite3 *db = nullptr;
    const std::string path = SqliteEngine::pathOf(folder, FileId::kunde).string();
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        fail("raw open");
    sqlite3_stmt *stmt = nullptr;
    const std::string sql = "SELECT rowid, \"_version\", " + kundeColumns()
                            + " FROM KUNDE ORDER BY \"_fold_KNAME\", rowid";
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        fail(sqlite3_errmsg(db));

    // The columns: each as wide as its field or heading, a new row where the line is full.
    const shell::ListReportDef *def = shell::findListReport("PrintKUN:Keykname");
    const RecordBuffer unused(FileId::kunde);
    const std::vector<report::ListColumn> columns = shell::listColumns(*def, unused);
    const report::Font detail{QStringLiteral("Arial"), 8, false, false};
    const report::Font heading{QStringLiteral("Arial"), 8, true, false};
    struct Cell
    {
        double x;
        int row;
    };
    std::vector<Cell> cells;
    double x = 15;
    int rows = 1;
    for (const report::ListColumn &column : columns) {
        const double width = std::min(
            std::max(column.width, report::textWidth(heading, column.heading)) + 2, 180.0);
        if (x > 15 && x + width > 197) {
            ++rows;
            x = 15;
        }
        cells.push_back({x, rows - 1});
        x += width;
    }
    const double pitch = report::lineHeight(detail);
    const double recordHeight = rows * pitch + 1.5;

    QPdfWriter pdf(pdfFile);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins({});
    QPainter painter(&pdf);
    const double dpm = pdf.logicalDpiY() / 25.4; // device pixels per millimetre
    auto font = [&](const report::Font &f) {
        QFont q(f.family);
        q.setPointSizeF(f.pointSize);
        q.setBold(f.bold);
        return q;
    };
    const QFont detailFont = font(detail);
    const QFont headingFont = font(heading);
    const QFont titleFont = font(report::Font{QStringLiteral("Arial"), 12, true, false});
    int page = 1;
    double y = 0;
    auto header = [&] {
        painter.setFont(titleFont);
        painter.drawText(QPointF(15 * dpm, 15 * dpm), QString::fromUtf8(def->title));
        painter.setFont(headingFont);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            painter.drawText(QPointF(cells[i].x * dpm, (19 + (cells[i].row + 0.8) * pitch) * dpm),
                             columns[i].heading);
        }
        painter.drawLine(QPointF(15, 19.5 + rows * pitch) * dpm,
                         QPointF(195, 19.5 + rows * pitch) * dpm);
        painter.setFont(detailFont);
        y = 21 + rows * pitch;
    };
    auto footer = [&] {
        painter.drawLine(QPointF(15, 281) * dpm, QPointF(195, 281) * dpm);
        painter.drawText(QPointF(105 * dpm, 285 * dpm), QStringLiteral("Page %1").arg(page));
    };
    header();
    KundeRow row;
    int records = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        readRow(stmt, row);
        const QString texts[] = {
            QString::number(row.kaid),
            QString::fromStdString(row.kid),
            QString::fromStdString(row.kname),
            QString::fromStdString(row.kzhand),
            QString::fromStdString(row.kstr),
            QString::fromStdString(row.kplz),
            QString::fromStdString(row.kort),
            QString::number(row.krab, 'f', 2),
            QString::fromStdString(row.ktel),
            QString::fromStdString(row.kfax),
            QString::fromStdString(row.kfunk),
            QString::fromStdString(row.kemail),
            QString::fromStdString(row.khttp),
            QString::fromStdString(row.lname),
            QString::fromStdString(row.lzhand),
            QString::fromStdString(row.lstr),
            QString::fromStdString(row.lplz),
            QString::fromStdString(row.lort),
            QString::fromStdString(row.kpers1),
            QString::fromStdString(row.kptel),
            QString::fromStdString(row.kpfunk),
            QString::fromStdString(row.kpfax),
            QString::fromStdString(row.kpemail),
            QString::number(row.rech),
            QString::number(row.reumsatz, 'f', 2),
            QString::number(row.angebot),
            QString::number(row.anumsatz, 'f', 2),
        };
        if (y + recordHeight > 279) {
            footer();
            pdf.newPage();
            ++page;
            header();
        }
        for (std::size_t i = 0; i < cells.size() && i < std::size(texts); ++i) {
            painter.drawText(QPointF(cells[i].x * dpm, (y + (cells[i].row + 0.8) * pitch) * dpm),
                             texts[i]);
        }
        painter.drawLine(QPointF(15, y + recordHeight - 0.6) * dpm,
                         QPointF(195, y + recordHeight - 0.6) * dpm);
        y += recordHeight;
        ++records;
    }
    footer();
    pages = page;
    painter.end();
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return records;
}

struct Data
{
    bench::TemporaryFolder large{"tessaro-report"};
    bench::TemporaryFolder small{"tessaro-report"};
    bench::TemporaryFolder output{"tessaro-report"};
    bench::TemporaryFolder preview{"tessaro-report"};
    ReportRun last;
};
Data *data = nullptr;

void reportOurs(benchmark::State &state)
{
    for (auto _ : state) {
        data->last = runReport(data->large.path(),
                               QString::fromStdString((data->output.path() / "ours.pdf").string()));
        if (data->last.records != kRecords)
            state.SkipWithError("short report");
    }
    state.counters["pages"] = data->last.pages;
    state.counters["first_page_s"] = data->last.firstPage;
}

void reportBare(benchmark::State &state)
{
    int pages = 0;
    for (auto _ : state) {
        if (runBare(data->large.path(),
                    QString::fromStdString((data->output.path() / "bare.pdf").string()),
                    pages)
            != kRecords)
            state.SkipWithError("short pass");
    }
    state.counters["pages"] = pages;
}

// Peak resident memory, in MiB, of a fresh process running the report over `folder`.
double memoryOf(const char *self, const std::filesystem::path &folder)
{
    const std::string command = std::string(self) + " --memory-run " + folder.string();
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    double mib = -1;
    if (std::fscanf(pipe, "%lf", &mib) != 1)
        mib = -1;
    ::pclose(pipe);
    return mib;
}

int memoryRun(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const std::filesystem::path folder = argv[2];
    {
        const bench::TemporaryFolder output("tessaro-report");
        runReport(folder, QString::fromStdString((output.path() / "memory.pdf").string()));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}

double secondsOf(const std::function<void()> &run)
{
    const auto started = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

// The report procedure with its preview, the best of three runs for each moment, against the
// best of three bare passes over the same file.
void previewFigures(const std::filesystem::path &folder, const std::filesystem::path &output)
{
    const QString pdf = QString::fromStdString((output / "preview.pdf").string());
    PreviewTiming best;
    double bare = -1;
    double bareCpu = -1;
    int barePages = 0;
    for (int run = 0; run < 3; ++run) {
        const PreviewTiming timing = timePreview(folder, pdf);
        if (timing.firstPage < 0 || timing.lastPage < 0 || timing.pdfSaved < 0)
            fail("the report procedure did not reach its preview's PDF");
        auto keep = [](double &kept, double now) {
            kept = kept < 0 ? now : std::min(kept, now);
        };
        keep(best.firstPage, timing.firstPage);
        keep(best.lastPage, timing.lastPage);
        keep(best.pdfSaved, timing.pdfSaved);
        keep(best.pdfSavedCpu, timing.pdfSavedCpu);
        best.pages = timing.pages;
        const double cpuBefore = processCpuSeconds();
        keep(bare, secondsOf([&] {
                 runBare(folder,
                         QString::fromStdString((output / "bare-preview.pdf").string()),
                         barePages);
             }));
        keep(bareCpu, processCpuSeconds() - cpuBefore);
    }
    std::printf("preview-pages %d (bare %d)\n", best.pages, barePages);
    std::printf("first-page-preview %.3f\n", best.firstPage);
    std::printf("ratio first-page-preview %.3f\n", best.firstPage / kFirstPageLimit);
    std::printf("last-page-preview %.3f\n", best.lastPage);
    std::printf("pdf-saved-preview %.3f\n", best.pdfSaved);
    std::printf("bare-preview %.3f\n", bare);
    std::printf("ratio report-preview %.3f\n", best.pdfSaved / bare);
    std::printf("ratio report-preview-cpu %.3f\n", best.pdfSavedCpu / bareCpu);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]) == "--memory-run")
        return memoryRun(argc, argv);

    QApplication app(argc, argv);
    const bench::Options options(argc, argv, {"preview-customers", "preview-only"});
    const int previewRecords = options.number("preview-customers", kPreviewRecords, 1);
    if (!bench::initialize(options.rest(),
                           {"--benchmark_repetitions=3",
                            "--benchmark_enable_random_interleaving=true",
                            "--benchmark_report_aggregates_only=false"}))
        return 1;

    Data state;
    data = &state;
    if (options.has("preview-only")) {
        std::fprintf(stderr, "Building %d customers...\n", previewRecords);
        fillKunde(state.preview.path(), previewRecords);
        previewFigures(state.preview.path(), state.output.path());
        return 0;
    }
    std::fprintf(stderr, "Building %d, %d and %d customers...\n", kRecords, kSmall, previewRecords);
    fillKunde(state.large.path(), kRecords);
    fillKunde(state.small.path(), kSmall);
    fillKunde(state.preview.path(), previewRecords);

    using Function = void (*)(benchmark::State &);
    const std::pair<const char *, Function> runs[]
        = {{"report/bare", reportBare}, {"report/tessaro", reportOurs}};
    for (const auto &[name, function] : runs)
        benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kSecond)->Iterations(1);
    bench::LeastReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    reporter.printRatio("report", "report/tessaro", "report/bare", bench::LeastReporter::kCpu);
    if (state.last.firstPage >= 0)
        std::printf("first-page %.3f\n", state.last.firstPage);
    previewFigures(state.preview.path(), state.output.path());
    std::printf("memory report-%d %.1f\n", kSmall, memoryOf(argv[0], state.small.path()));
    std::printf("memory report-%d %.1f\n", kRecords, memoryOf(argv[0], state.large.path()));
    benchmark::Shutdown();
    return 0;
}
