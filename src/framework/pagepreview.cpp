#include "framework/pagepreview.h"

#include "framework/core/pagelist.h"
#include "framework/dialogs.h"
#include "framework/iniwindows.h"
#include "framework/previewdialogs.h"
#include "framework/procwindow.h"
#include "framework/report/pagequeue.h"
#include "store/storecontext.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

PagePreview::PagePreview(AppContext &app, report::PageQueue &queue)
    : ProcedureController(app, "PagePreview", u"Druck Vorschau"_s)
    , IMAGEQUEUE(queue)
    , m_grid(1)
{
    setToolbarUsed(false);
    setCancelControl(ExitButton);
}

PagePreview::~PagePreview() = default;

bool PagePreview::Display(int zoom, int firstPage, int across, int down)
{
    PRINTOK = 0;
    m_pagesLeftOut = false;
    if (IMAGEQUEUE.count() == 0)
        return false;
    INITZOOM = std::int16_t(zoom != 0 ? zoom : ZoomWholePage);
    m_grid = PageGrid(IMAGEQUEUE.count(), firstPage, across, down);
    m_zoom = PreviewZoom(INITZOOM);
    CURRENTPAGE = m_grid.currentPage();
    FIRSTPAGE = m_grid.firstPage();
    PAGESACROSS = m_grid.pagesAcross();
    PAGESDOWN = m_grid.pagesDown();
    Run();
    if (!PRINTOK)
        return false;
    keepChosenPages();
    return true;
}

void PagePreview::setUpWindow()
{
    ProcWindow &window = *procWindow();
    // Room for a page before the settings file says otherwise; fitted to its content the
    // window would leave the pages a strip.
    QSize room(900, 700);
    if (const QMdiArea *area = window.subWindow()->mdiArea())
        room = room.boundedTo(area->viewport()->size());
    window.subWindow()->resize(room.expandedTo(window.subWindow()->minimumSizeHint()));
    IniSubWindow place(*window.subWindow());
    store().ini().FetchWindow(WindowSection, place);
    if (MAXIMIZE)
        window.subWindow()->showMaximized();
}

void PagePreview::FirstOpen()
{
    ProcWindow &window = *procWindow();
    showPageCount();
    m_zoomList->addItems(QString::fromStdString(PreviewZoom::listItems()).split(u'|'));
    window.control(ZoomList)->setVisible(ALLOWUSERZOOM != 0);
    window.control(ZoomPrompt)->setVisible(ALLOWUSERZOOM != 0);
    m_zoomList->lineEdit()->setReadOnly(ALLOWUSERZOOM == 0);
    FIRSTFIELD = 0;
    ProcedureController::FirstOpen();
    showZoom();
    drawPages();
    // Shown now, not when the loop next gets to it: a report still adding pages takes the
    // loop for its next batch first.
    if (m_arriving) {
        window.subWindow()->layout()->activate();
        window.content()->layout()->activate();
        m_pages->layout()->activate();
        window.subWindow()->repaint();
    }
    m_opened = true;
}

void PagePreview::showPageCount()
{
    ProcWindow &window = *procWindow();
    const int pages = m_grid.pageCount();
    const bool paging = pages >= 2;
    for (int control : {CurrentPage, PagesAcross, PagesDown}) {
        if (paging)
            window.enable(control);
        else
            window.disable(control);
    }
    for (int control : {ViewMenu, NextPage, PreviousPage, GoToPage, ChangeDisplay})
        enableControl(control, paging);
    if (paging)
        window.control(CurrentPage)
            ->setToolTip(u"ausgewählte Seite(n)-Nr. von 1 bis "_s + QString::number(pages));

    static_cast<QLabel *>(window.control(PageCount))->setText(u"von "_s + QString::number(pages));
    QString status;
    if (m_arriving)
        status = u"Weitere Seiten folgen – "_s + QString::number(m_percent) + u"% Fertig"_s;
    if (m_waiting == Waiting::Print)
        status += u" – Druck nach der letzten Seite"_s;
    else if (m_waiting == Waiting::SavePdf)
        status += u" – PDF nach der letzten Seite"_s;
    static_cast<QLabel *>(window.control(ReportStatus))->setText(status);
    if (status.isEmpty())
        window.hide(ReportStatus);
    else
        window.unhide(ReportStatus);
    // One thing waits at a time; the user sees it in the count.
    const bool free = m_waiting == Waiting::Nothing;
    for (int control : {PrintButton, SavePdf}) {
        if (free)
            window.enable(control);
        else
            window.disable(control);
    }
    for (int control : {PrintItem, PagesToPrintItem})
        enableControl(control, free);
}

void PagePreview::morePages(int percent)
{
    m_percent = std::clamp(percent, 0, 100);
    notice();
}

void PagePreview::pagesEnded(bool complete)
{
    m_arriving = false;
    if (!complete)
        m_waiting = Waiting::Nothing;
    notice();
}

void PagePreview::notice()
{
    // The report runs on a thread of its own: the preview looks at the queue on its own
    // thread, when it takes the event.
    ProcWindow *window = procWindow();
    if (m_noticePosted || !window || !window->isOpen())
        return;
    m_noticePosted = true;
    window->post(EventKind::Timer);
}

int PagePreview::OnWindowEvent()
{
    if (event().kind != EventKind::Timer)
        return ProcedureController::OnWindowEvent();
    m_noticePosted = false;
    takeUpPages();
    return Level::Notify;
}

void PagePreview::takeUpPages()
{
    const bool shownChanged = m_grid.setPageCount(IMAGEQUEUE.count());
    CURRENTPAGE = m_grid.currentPage();
    FIRSTPAGE = m_grid.firstPage();
    const Waiting waiting = m_arriving ? Waiting::Nothing : m_waiting;
    if (!m_arriving)
        m_waiting = Waiting::Nothing;
    showPageCount();
    if (shownChanged)
        drawPages();
    if (waiting == Waiting::Print)
        print();
    else if (waiting == Waiting::SavePdf)
        savePdf();
}

void PagePreview::Reset(std::uint8_t force)
{
    ProcedureController::Reset(force);
    // A new size of the window changes what "whole page" and "page width" mean.
    if ((INITED & InitedOpen) && m_zoom.zoom() < 0)
        drawPages();
}

void PagePreview::enableControl(int control, bool enabled)
{
    if (auto it = m_actions.find(control); it != m_actions.end())
        it->second->setEnabled(enabled);
}

void PagePreview::showGrid(PageGrid::Update update)
{
    CURRENTPAGE = m_grid.currentPage();
    FIRSTPAGE = m_grid.firstPage();
    PAGESACROSS = m_grid.pagesAcross();
    PAGESDOWN = m_grid.pagesDown();
    procWindow()->redisplay();
    if (update == PageGrid::Update::Redraw)
        drawPages();
    else if (update == PageGrid::Update::SelectImage)
        markCurrentPage();
}

void PagePreview::zoomTyped()
{
    if (m_zoom.typed(m_zoomList->currentText().toStdString()))
        drawPages();
    showZoom();
}

int PagePreview::OnAccepted()
{
    const int control = event().control;
    if (control >= FirstZoomItem && control < FirstZoomItem + int(zoomEntries().size())) {
        if (m_zoom.selectEntry(control - FirstZoomItem + 1))
            drawPages();
        showZoom();
        return Level::Notify;
    }
    switch (control) {
    case ZoomButton:
        showZoom();
        m_zoomMenu->popup(QCursor::pos());
        return Level::Notify;
    case ZoomList:
        zoomTyped();
        return Level::Notify;
    case CurrentPage:
        showGrid(m_grid.setCurrentPage(CURRENTPAGE));
        return Level::Notify;
    case NextPage:
        showGrid(m_grid.nextPage());
        return Level::Notify;
    case PreviousPage:
        showGrid(m_grid.previousPage());
        return Level::Notify;
    case PagesAcross:
        showGrid(m_grid.setPagesAcross(PAGESACROSS));
        return Level::Notify;
    case PagesDown:
        showGrid(m_grid.setPagesDown(PAGESDOWN));
        return Level::Notify;
    case GoToPage:
        if (const std::optional<int> page = askGoToPage(m_grid.currentPage(), m_grid.pageCount()))
            showGrid(m_grid.setCurrentPage(*page));
        return Level::Notify;
    case ChangeDisplay:
        changeDisplay();
        return Level::Notify;
    case PagesToPrintItem:
        askPages();
        return Level::Notify;
    case ReportButton:
        if (reportButtonAction)
            reportButtonAction();
        return Level::Notify;
    case SavePdf:
        if (m_arriving) {
            m_waiting = Waiting::SavePdf;
            showPageCount();
        } else {
            savePdf();
        }
        return Level::Notify;
    case PrintItem:
    case PrintButton:
        if (m_arriving) {
            m_waiting = Waiting::Print;
            showPageCount();
        } else {
            print();
        }
        return Level::Notify;
    case ExitItem:
        PRINTOK = 0;
        CloseWithResponse(Response::Cancelled);
        return Level::Notify;
    default:
        return ProcedureController::OnAccepted();
    }
}

void PagePreview::print()
{
    std::string pages = PAGESTOPRINT;
    if (CONFIRMPAGES && !askPagesToPrint(pages, m_grid.pageCount(), store().ini()))
        return;
    PAGESTOPRINT = pages;
    PRINTOK = 1;
    CloseWithResponse(Response::Completed);
}

void PagePreview::changeDisplay()
{
    int across = m_grid.pagesAcross();
    int down = m_grid.pagesDown();
    if (!askReportDisplay(across, down, m_grid.pageCount()))
        return;
    showGrid(m_grid.changeDisplay(across, down));
    drawPages();
}

void PagePreview::askPages()
{
    if (PAGESTOPRINT.empty())
        PAGESTOPRINT = PageList::resetText(m_grid.pageCount());
    askPagesToPrint(PAGESTOPRINT, m_grid.pageCount(), store().ini());
    drawPages();
}

void PagePreview::savePdf()
{
    QString file = askSaveFileName(u"PDF speichern"_s, QDir::currentPath(), u"PDF (*.pdf)"_s);
    if (file.isEmpty())
        return;
    if (!file.endsWith(u".pdf"_s, Qt::CaseInsensitive))
        file += u".pdf"_s;
    if (pdfSaver && pdfSaver(file)) {
        m_pdfSaved = true;
        return;
    }
    report::PageContent first;
    IMAGEQUEUE.load(1, first);
    QPdfWriter pdf(file);
    pdf.setPageSize(QPageSize(first.size, QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF());
    pdf.setTitle(u"Druck Vorschau"_s);
    if (IMAGEQUEUE.print(pdf))
        m_pdfSaved = true;
    else
        procWindow()->beep();
}

void PagePreview::keepChosenPages()
{
    if (PAGESTOPRINT.empty())
        return;
    const PageListParse parsed = PageList::parse(PAGESTOPRINT, IMAGEQUEUE.count());
    if (!parsed.list)
        return;
    // From the back, so that the numbers of the pages still to look at stay as they are.
    for (int page = IMAGEQUEUE.count(); page >= 1; --page) {
        if (!parsed.list->contains(page)) {
            IMAGEQUEUE.remove(page);
            m_pagesLeftOut = true;
        }
    }
}

int PagePreview::OnCloseRequest()
{
    // Kept while the window still stands: closing takes the window away.
    if (ProcWindow *window = procWindow(); window && window->subWindow()) {
        const IniSubWindow place(*window->subWindow());
        store().ini().UpdateWindow(WindowSection, place);
    }
    return ProcedureController::OnCloseRequest();
}
