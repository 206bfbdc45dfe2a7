#pragma once

#include "framework/procedurecontroller.h"

#include <QElapsedTimer>

#include <algorithm>

#include <cstdint>
#include <functional>
#include <memory>

class PagePreview;
class RecordSource;

namespace report {
class PageQueue;
}

// The progress window of a report ("Progress..."): a timer drives the walk over the records
// in batches, the procedure prints one record at a time, and the cancel button works between
// batches. The batch grows and shrinks so that one timer event takes about half to one
// TIMESLICE. The preview opens as soon as the first page is ready, on a thread of its own,
// and takes up the pages as they come; at the end the pages are printed if it says so.
// Cancelling stops the walk and leaves the pages the preview shows; closing the preview
// while pages still come stops the walk as well.
class ReportRunner : public ProcedureController
{
public:
    enum Control { ProgressBar = 2, ProgressText = 3, CancelButton = 4 };

    ReportRunner(AppContext &app, std::string name, RecordSource &source);
    ~ReportRunner() override;

    // Pages go to a queue and are shown in the preview before they are printed.
    void usePreview();

    std::uint8_t DEFEROPENREPORT = 0;
    // Seconds the progress window stays hidden; a short report then never shows it.
    std::uint16_t DEFERWINDOW = 0;
    std::uint8_t KEEPVISIBLE = 0;
    std::uint8_t OPENFAILED = 0;
    std::shared_ptr<PagePreview> PREVIEW;
    std::shared_ptr<report::PageQueue> PREVIEWQUEUE;
    std::int32_t RECORDSPERCYCLE = 1;
    std::int32_t RECORDSPROCESSED = 0;
    std::uint8_t SKIPPREVIEW = 0;
    std::int32_t STARTTIME = 0;
    std::uint16_t TIMESLICE = 100;
    std::uint8_t WAITCURSOR = 0;
    std::int16_t ZOOM = 0;

    void FirstOpen() override;
    int OnWindowEvent() override;

    // Hundredths of a second; the steady clock unless a test gives its own.
    void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }
    // Hundredths of a second between two timer events of the walk.
    void setTimerPeriod(int hundredths) { m_timerPeriod = std::max(hundredths, 0); }
    // Hundredths of a second the walk works before the preview opens with the pages it has:
    // a report done sooner opens the preview once, with all its pages. Measured on the
    // steady clock, as work of the walk, not as time between its events.
    void setPreviewDelay(int hundredths) { m_previewDelay = std::max(hundredths, 0); }

protected:
    void defineWindow(FormBuilder &form) override;
    // The procedure's part: start the report, print the current record (Level::Fatal ends
    // the report, Level::Notify ends the event), end the last page.
    virtual void OpenReport() {}
    virtual int TakeRecord() = 0;
    virtual void EndReport() {}
    // Sends the pages to the printer; the default asks the printer set-up first.
    virtual void PrintPages();
    // The finished report went out: its pages were printed, or saved as a PDF from the
    // preview. Called once when the report closes, on the report's own thread, so that the
    // procedure can record it in its files; a report stopped early, a preview left without
    // printing, a dialog cancelled or a print that failed does not call it.
    virtual void OnPrinted() {}

    // Before the preview opens: what the report adds to it (its own button, its own PDF).
    virtual void PreparePreview(PagePreview &) {}

private:
    struct PreviewLink;

    void openReport();
    int onTimer();
    bool firstPageWaits(std::int64_t eventNs) const;
    void feedPreview();
    void startPreview();
    bool awaitPreview();
    bool readNext();
    void showProgress();
    void closeReport();
    void showDeferredWindow();

    RecordSource &m_source;
    std::function<std::int64_t()> m_clock;
    QElapsedTimer m_elapsed;
    std::shared_ptr<PreviewLink> m_link;
    std::int64_t m_workNs = 0;
    int m_timerPeriod = 1;
    int m_previewDelay = 5;
    int m_shownPercent = -1;
    bool m_reportOpen = false;
    bool m_closing = false;
    bool m_busy = false;
    bool m_printed = false;
};
