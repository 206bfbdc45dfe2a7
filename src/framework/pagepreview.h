#pragma once

#include "framework/core/pagegrid.h"
#include "framework/core/previewzoom.h"
#include "framework/procedurecontroller.h"

#include <QList>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class QAction;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QMenu;
class QScrollArea;

namespace report {
class PageQueue;
}

// The print preview "Druck Vorschau": the pages of a report shown as images at a zoom, in a
// grid of pages across and down; the user pages through them, chooses the pages to print and
// decides whether they go to the printer. A PDF of all pages can be saved from here too, as
// quotes and invoices are sent by e-mail.
//
// A long report opens its preview with the first page and goes on adding pages: the preview
// shows the pages there are, says how many and how far the report is, and takes up each new
// page as it comes. Printing and saving a PDF wait for the last page (the preview says that
// they will follow); the page choice, the page grid and going to a page work on the pages
// there are. A report the user stops leaves the pages shown, and these can be printed then.
class PagePreview : public ProcedureController
{
public:
    // Control numbers of the window.
    enum Control {
        PagesToPrintItem = 2,
        PrintItem = 3,
        ExitItem = 4,
        ViewMenu = 5,
        NextPage = 6,
        PreviousPage = 7,
        GoToPage = 8,
        ChangeDisplay = 9,
        ZoomMenu = 10,
        PrintButton = 11,
        ExitButton = 12,
        ZoomButton = 13,
        PagePrompt = 14,
        CurrentPage = 15,
        AcrossPrompt = 16,
        PagesAcross = 17,
        DownPrompt = 18,
        PagesDown = 19,
        ZoomPrompt = 20,
        ZoomList = 21,
        SavePdf = 22,
        PageCount = 23,
        ReportStatus = 24,
        ReportButton = 25,
        FirstZoomItem = 201,
    };
    static constexpr const char *WindowSection = "_PreviewWindow_";

    PagePreview(AppContext &app, report::PageQueue &queue);
    ~PagePreview() override;

    // Shows the pages and returns whether the chosen ones are to be printed; the pages not
    // chosen have then been taken out of the queue. Without pages nothing is shown.
    bool Display(int zoom = 0, int firstPage = 1, int across = 1, int down = 1);

    std::uint8_t ALLOWUSERZOOM = 0;
    std::uint8_t CONFIRMPAGES = 0;
    std::int32_t CURRENTPAGE = 1;
    std::int32_t FIRSTPAGE = 1;
    report::PageQueue &IMAGEQUEUE;
    std::int16_t INITZOOM = 0;
    std::uint8_t MAXIMIZE = 0;
    std::int32_t PAGESACROSS = 1;
    std::int32_t PAGESDOWN = 1;
    std::string PAGESTOPRINT;
    std::uint8_t PRINTOK = 0;
    std::int16_t USERPERCENTILE = 0;
    std::uint8_t ZOOMINDEX = 1;
    std::string ZOOMLIST;

    // What the report adds, set before Display. "PDF speichern" (and a print of all pages
    // into a PDF file) hands the chosen file to `pdfSaver` first, which answers true when it
    // has written the file itself (a document that is also an e-invoice); otherwise the pages
    // are written as they are.
    std::function<bool(const QString &file)> pdfSaver;
    // A button of the report's own beside "PDF speichern"; none without a text.
    QString reportButtonText;
    std::function<void()> reportButtonAction;

    // The report goes on adding pages after the preview has opened; say so before Display.
    void expectMorePages() { m_arriving = true; }
    // From the report, on its own thread: pages came, and `percent` of the report is done.
    void morePages(int percent);
    // From the report: no more pages come, because the report is complete or was stopped
    // (a print or PDF waiting for the last page is then dropped).
    void pagesEnded(bool complete);
    bool pagesArriving() const { return m_arriving; }
    // The window has opened and shows its first pages.
    bool hasOpened() const { return m_opened; }
    // A PDF of the pages was written since the preview opened.
    bool pdfSaved() const { return m_pdfSaved; }
    // The pages to print are all the report's: none was left out by the page choice.
    bool printsAllPages() const { return !m_pagesLeftOut; }

    int OnAccepted() override;
    int OnWindowEvent() override;
    void FirstOpen() override;
    void Reset(std::uint8_t force = 0) override;
    int OnCloseRequest() override;

    // The page images shown now, in grid order; for the user and for tests.
    QList<QLabel *> pageImages() const { return m_images; }
    // The zoom the pages are drawn at (an entry's or the typed percentage).
    int zoom() const { return m_zoom.zoom(); }

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    enum class Waiting { Nothing, Print, SavePdf };

    void notice();
    void takeUpPages();
    void showPageCount();
    void print();
    void buildMenus(QWidget *content, QBoxLayout *column);
    QAction *menuItem(QMenu *menu, int control, const QString &text);
    void enableControl(int control, bool enabled);
    void showGrid(PageGrid::Update update);
    void drawPages();
    void markCurrentPage();
    void showZoom();
    void zoomTyped();
    void changeDisplay();
    void askPages();
    void savePdf();
    void keepChosenPages();
    double dpiFor(QSize area) const;

    PageGrid m_grid;
    PreviewZoom m_zoom;
    std::map<int, QAction *> m_actions;
    QPointer<QMenu> m_zoomMenu;
    QPointer<QComboBox> m_zoomList;
    QPointer<QScrollArea> m_scroll;
    QPointer<QWidget> m_pages;
    QGridLayout *m_pageLayout = nullptr;
    QList<QLabel *> m_images;
    Waiting m_waiting = Waiting::Nothing;
    bool m_arriving = false;
    bool m_noticePosted = false;
    bool m_opened = false;
    bool m_pdfSaved = false;
    bool m_pagesLeftOut = false;
    int m_percent = 0;
};
