#include "previewtiming.h"

#include "benchsupport.h"

#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "framework/reportrunner.h"
#include "shell/listreports/listreportprocedure.h"
#include "store/storecontext.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QProcessEnvironment>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

ProcWindow *windowTitled(const QString &title)
{
    for (ProcWindow *window : ProcWindow::openWindows()) {
        if (window->title() == title)
            return window;
    }
    return nullptr;
}

// Runs the Qt loop until `done` holds; false after a minute without it.
bool runUntil(const std::function<bool()> &done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 60000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// Notes when the preview's image of page 1 is first painted: the moment the user sees it.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &clock)
        : m_clock(clock)
    {}
    double seconds = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (seconds < 0 && event->type() == QEvent::Paint
            && watched->objectName() == QStringLiteral("page 1")) {
            const auto *image = qobject_cast<QLabel *>(watched);
            if (image && !image->pixmap().isNull())
                seconds = double(m_clock.nsecsElapsed()) / 1e9;
        }
        return false;
    }

private:
    const QElapsedTimer &m_clock;
};

int pageCount(ProcWindow *preview)
{
    // "ausgewählte Seite(n)-Nr. von 1 bis <n>"
    const QString tip = preview->control(PagePreview::CurrentPage)->toolTip();
    const qsizetype at = tip.lastIndexOf(u' ');
    return at < 0 ? 1 : tip.mid(at + 1).toInt();
}

bool saveFromDialog(const QString &pdfFile)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *dialog = qobject_cast<QFileDialog *>(w);
        if (!dialog || !dialog->isVisible())
            continue;
        const QFileInfo file(pdfFile);
        dialog->setDirectory(file.absolutePath());
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(file.fileName());
        else
            dialog->selectFile(file.fileName());
        static_cast<QDialog *>(dialog)->accept();
        return true;
    }
    return false;
}

} // namespace

double processCpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

PreviewTiming timePreview(const std::filesystem::path &folder, const QString &pdfFile)
{
    PreviewTiming timing;
    bench::QuietPresenter presenter;
    StoreContext store(folder, presenter);
    QMainWindow frame;
    auto *area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(1366, 768);
    frame.show();
    ProcedureThreads threads;
    AppContext app(store, threads, area);
    shell::registerListReports(app.procedures());
    QFile::remove(pdfFile);

    bool ended = false;
    QElapsedTimer clock;
    FirstPaint firstPaint(clock);
    qApp->installEventFilter(&firstPaint);
    clock.start();
    const double cpuStarted = processCpuSeconds();
    threads.start(QStringLiteral("Bericht"), [&] {
        app.call("PrintKUN:Keykname");
        ended = true;
    });
    auto seconds = [&] {
        return double(clock.nsecsElapsed()) / 1e9;
    };

    if (runUntil([&] { return firstPaint.seconds >= 0; }))
        timing.firstPage = firstPaint.seconds;
    // TESSARO_PREVIEW_PNG: the frame as the user sees it while the pages are still coming.
    if (const QString look = qEnvironmentVariable("TESSARO_PREVIEW_PNG"); !look.isEmpty())
        frame.grab().save(look);
    // The last page has arrived when the progress window has gone and the preview no longer
    // says how far the report is.
    if (runUntil([] {
            const ProcWindow *progress = windowTitled(QStringLiteral("Progress..."));
            const ProcWindow *preview = windowTitled(QStringLiteral("Druck Vorschau"));
            return (!progress || !progress->subWindow()->isVisible()) && preview
                   && preview->isHidden(PagePreview::ReportStatus);
        }))
        timing.lastPage = seconds();
    ProcWindow *preview = windowTitled(QStringLiteral("Druck Vorschau"));
    if (!preview)
        return timing;
    timing.pages = pageCount(preview);

    preview->post(EventKind::Accepted, PagePreview::SavePdf);
    if (runUntil([&] { return saveFromDialog(pdfFile); })
        && runUntil([&] { return QFileInfo::exists(pdfFile) && threads.idle(); })) {
        timing.pdfSaved = seconds();
        timing.pdfSavedCpu = processCpuSeconds() - cpuStarted;
    }

    if (ProcWindow *open = windowTitled(QStringLiteral("Druck Vorschau")))
        open->post(EventKind::Accepted, PagePreview::ExitButton);
    runUntil([&] { return ended; });
    threads.endAll();
    qApp->removeEventFilter(&firstPaint);
    return timing;
}
