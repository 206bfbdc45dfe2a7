#include "framework/reportrunner.h"

#include "framework/dialogs.h"
#include "framework/formbuilder.h"
#include "framework/pagepreview.h"
#include "framework/procedurethreads.h"
#include "framework/procwindow.h"
#include "framework/recordsource.h"
#include "framework/report/pagequeue.h"
#include "store/procthread.h"
#include "store/storecontext.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int NoRecords = 22;
constexpr std::int64_t NsPerHundredth = 10'000'000;
// Hundredths an event may take at most while the preview shows the pages coming in: the user
// pages through them meanwhile, and a whole time slice would keep the preview waiting.
constexpr std::int64_t PreviewSlice = 20;
} // namespace

// The preview runs on a thread of its own while the walk goes on; what both need outlives
// either of them.
struct ReportRunner::PreviewLink
{
    std::shared_ptr<PagePreview> preview;
    std::shared_ptr<report::PageQueue> queue;
    std::uint32_t runner = 0;
    bool closed = false;
    bool print = false;
};

ReportRunner::ReportRunner(AppContext &app, std::string name, RecordSource &source)
    : ProcedureController(
        app, std::move(name), QCoreApplication::translate("Report", "Progress..."))
    , m_source(source)
{
    setToolbarUsed(false);
    setCancelControl(CancelButton);
    m_elapsed.start();
    m_clock = [this] {
        return m_elapsed.elapsed() / 10;
    };
}

ReportRunner::~ReportRunner()
{
    // Unwound while its preview is open (the program ending): no more pages come.
    if (m_link && !m_link->closed)
        m_link->preview->pagesEnded(false);
}

void ReportRunner::usePreview()
{
    PREVIEWQUEUE = std::make_shared<report::PageQueue>();
}

void ReportRunner::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    auto *bar = new QProgressBar(window.content());
    bar->setRange(0, 100);
    bar->setValue(0);
    form.rows()->addRow(bar);
    window.addControl(ProgressBar, bar, QCoreApplication::translate("Report", "Progress"));
    auto *text = new QLabel(u"0% Fertig"_s, window.content());
    text->setAlignment(Qt::AlignCenter);
    form.rows()->addRow(text);
    window.addControl(ProgressText, text, u"Fertig"_s);
    form.button(CancelButton, QCoreApplication::translate("Report", "Cancel"));
}

void ReportRunner::FirstOpen()
{
    ProcedureController::FirstOpen();
    if (DEFERWINDOW) {
        if (WAITCURSOR) {
            setBusyCursor(true);
            m_busy = true;
        }
        STARTTIME = std::int32_t(m_clock());
        procWindow()->subWindow()->hide();
    }
    if (!DEFEROPENREPORT)
        openReport();
    // A tick leaves room for the user between batches; the batch fills the time slice.
    procWindow()->startTimer(m_timerPeriod);
}

void ReportRunner::openReport()
{
    RECORDSPROCESSED = 0;
    if (!m_source.first()) {
        OPENFAILED = 1;
        store().errors().Report(NoRecords);
        return;
    }
    OPENFAILED = 0;
    OpenReport();
    m_reportOpen = true;
}

int ReportRunner::OnWindowEvent()
{
    if (event().kind == EventKind::Timer)
        return onTimer();
    if (event().kind == EventKind::CloseWindow || event().kind == EventKind::CloseDown)
        closeReport();
    return ProcedureController::OnWindowEvent();
}

int ReportRunner::onTimer()
{
    if (DEFEROPENREPORT) {
        DEFEROPENREPORT = 0;
        openReport();
    }
    if (OPENFAILED || m_closing) {
        procWindow()->stopTimer();
        CloseWithResponse(Response::Cancelled);
        return Level::Notify;
    }
    // The user left the preview while pages still came: nobody waits for the rest.
    if (m_link && m_link->closed) {
        procWindow()->stopTimer();
        CloseWithResponse(Response::Cancelled);
        return Level::Notify;
    }
    // The preview's thread opens its window from the loop: the walk waits for it, so that the
    // first page is on the screen before the next batch.
    if (m_link && !PREVIEW->hasOpened())
        return Level::Notify;
    QElapsedTimer work;
    work.start();
    const std::int64_t slice
        = m_link ? std::min<std::int64_t>(TIMESLICE, PreviewSlice) : std::int64_t(TIMESLICE);
    const std::int64_t began = m_clock();
    if (DEFERWINDOW && began - STARTTIME > std::int64_t(DEFERWINDOW) * 100)
        showDeferredWindow();
    std::int64_t d = 0;
    bool firstPage = false;
    for (;;) {
        for (int batch = 0; batch < RECORDSPERCYCLE && !firstPage; ++batch) {
            const int level = TakeRecord();
            if (level == Level::Fatal) {
                procWindow()->stopTimer();
                CloseWithResponse(RECORDSPROCESSED > 0 ? Response::Completed : Response::Cancelled);
                return Level::Notify;
            }
            if (level == Level::Notify)
                return Level::Notify;
            ++RECORDSPROCESSED;
            if (!readNext()) {
                procWindow()->stopTimer();
                return Level::Notify;
            }
            // The first page goes to the user at once, not when the batch or the time slice
            // is full.
            firstPage = firstPageWaits(work.nsecsElapsed());
        }
        d = m_clock() - began;
        if (firstPage)
            break;
        if (d * 5 < slice * 4)
            RECORDSPERCYCLE *= 2;
        if (d * 2 >= slice)
            break;
    }
    if (d * 2 > slice * 3 && RECORDSPERCYCLE > 1)
        RECORDSPERCYCLE /= 2;
    m_workNs += work.nsecsElapsed();
    feedPreview();
    return Level::Notify;
}

bool ReportRunner::firstPageWaits(std::int64_t eventNs) const
{
    return PREVIEWQUEUE && !SKIPPREVIEW && !m_link && PREVIEWQUEUE->count() > 0
           && m_workNs + eventNs >= std::int64_t(m_previewDelay) * NsPerHundredth;
}

void ReportRunner::feedPreview()
{
    if (!m_link) {
        if (firstPageWaits(0))
            startPreview();
        return;
    }
    PREVIEW->morePages(std::clamp(m_source.percent(), 0, 100));
}

void ReportRunner::startPreview()
{
    // The user works in the preview from now on: no busy cursor over it.
    if (m_busy) {
        setBusyCursor(false);
        m_busy = false;
    }
    PREVIEW = std::make_shared<PagePreview>(app(), *PREVIEWQUEUE);
    PREVIEW->ALLOWUSERZOOM = 1;
    PreparePreview(*PREVIEW);
    if (!m_closing) {
        PREVIEW->expectMorePages();
        PREVIEW->morePages(std::clamp(m_source.percent(), 0, 100));
    }
    auto link = std::make_shared<PreviewLink>();
    link->preview = PREVIEW;
    link->queue = PREVIEWQUEUE;
    link->runner = ProcThread::current();
    m_link = link;
    const int zoom = ZOOM;
    app().threads().start(u"Druck Vorschau"_s, [link, zoom] {
        link->print = link->preview->Display(zoom, 1, 1, 1);
        link->closed = true;
        ProcedureThreads::instance()->wake(link->runner);
    });
}

bool ReportRunner::awaitPreview()
{
    const std::shared_ptr<PreviewLink> link = m_link;
    app().threads().waitUntil([&link] { return link->closed; });
    return link->print;
}

bool ReportRunner::readNext()
{
    const bool read = m_source.next();
    showProgress();
    if (read)
        return true;
    const bool completed = !m_source.failed() && RECORDSPROCESSED > 0;
    CloseWithResponse(completed ? Response::Completed : Response::Cancelled);
    return false;
}

void ReportRunner::showProgress()
{
    const int percent = std::clamp(m_source.percent(), 0, 100);
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    ProcWindow &window = *procWindow();
    static_cast<QProgressBar *>(window.control(ProgressBar))->setValue(percent);
    static_cast<QLabel *>(window.control(ProgressText))
        ->setText(QString::number(percent) + u"% Fertig"_s);
}

void ReportRunner::showDeferredWindow()
{
    DEFERWINDOW = 0;
    if (m_busy) {
        setBusyCursor(false);
        m_busy = false;
    }
    procWindow()->subWindow()->show();
}

void ReportRunner::closeReport()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_busy) {
        setBusyCursor(false);
        m_busy = false;
    }
    procWindow()->stopTimer();
    if (!KEEPVISIBLE)
        procWindow()->subWindow()->hide();
    const bool completed = m_reportOpen && RESPONSE == Response::Completed;
    if (completed)
        EndReport();
    if (!PREVIEWQUEUE) {
        if (completed)
            PrintPages();
    } else if (completed && SKIPPREVIEW) {
        PrintPages();
    } else if (completed || m_link) {
        // A report stopped by the user keeps the pages its preview shows.
        if (!m_link && PREVIEWQUEUE->count() > 0)
            startPreview();
        if (m_link) {
            PREVIEW->pagesEnded(completed);
            if (awaitPreview())
                PrintPages();
            m_printed = m_printed || PREVIEW->pdfSaved();
        }
    }
    // The pages go with the preview.
    if (PREVIEWQUEUE)
        PREVIEWQUEUE->clear();
    m_reportOpen = false;
    // Part of a document is not the document.
    if (completed && m_printed)
        OnPrinted();
}

void ReportRunner::PrintPages()
{
    if (!PREVIEWQUEUE || PREVIEWQUEUE->count() == 0)
        return;
    QPrinter &printer = app().printer();
    if (!askPrinterSetup(printer, store().ini()))
        return;
    // Printed whole into a PDF file, the report is the same file as its preview's
    // "PDF speichern" writes: an invoice that is also an e-invoice stays one.
    const bool toPdfFile
        = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    if (toPdfFile && PREVIEW && PREVIEW->pdfSaver && PREVIEW->printsAllPages()
        && PREVIEW->pdfSaver(printer.outputFileName())) {
        m_printed = true;
        return;
    }
    if (PREVIEWQUEUE->print(printer))
        m_printed = true;
}
