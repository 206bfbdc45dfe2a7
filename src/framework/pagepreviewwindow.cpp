// The preview window: its menus, the row of controls above the pages, and the page images
// drawn at the zoom in a grid of pages across and down.

#include "framework/pagepreview.h"

#include "framework/dialogs.h"
#include "framework/formbuilder.h"
#include "framework/report/pagequeue.h"

#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room between the page images and around them, in pixels.
constexpr int Gap = 8;

QLabel *prompt(ProcWindow &window, int control, const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, window.content());
    label->setBuddy(buddy);
    window.addControl(control, label);
    return label;
}

} // namespace

QAction *PagePreview::menuItem(QMenu *menu, int control, const QString &text)
{
    QAction *action = menu->addAction(text);
    m_actions[control] = action;
    ProcWindow *window = procWindow();
    QObject::connect(action, &QAction::triggered, window, [window, control] {
        window->post(EventKind::Accepted, control);
    });
    return action;
}

void PagePreview::buildMenus(QWidget *content, QBoxLayout *column)
{
    auto *bar = new QMenuBar(content);
    QMenu *report = bar->addMenu(u"&Druck des Berichtes"_s);
    menuItem(report, PagesToPrintItem, u"&Seiten zum Druck..."_s);
    menuItem(report, PrintItem, u"D&ruck"_s);
    menuItem(report, SavePdf, u"PDF speichern"_s);
    report->addSeparator();
    menuItem(report, ExitItem, u"E&nde"_s);

    QMenu *view = bar->addMenu(u"Vor&schau"_s);
    m_actions[ViewMenu] = view->menuAction();
    menuItem(view, NextPage, u"&Nächste Seite(n)"_s);
    menuItem(view, PreviousPage, u"&Vorherige Seite(n)"_s);
    menuItem(view, GoToPage, u"&Gehe zu einer Seite"_s);
    menuItem(view, ChangeDisplay, u"Änd&ern der Anzeige"_s);

    m_zoomMenu = bar->addMenu(u"&Zoom"_s);
    m_actions[ZoomMenu] = m_zoomMenu->menuAction();
    auto *marks = new QActionGroup(m_zoomMenu);
    const auto &entries = zoomEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        QAction *item = menuItem(
            m_zoomMenu,
            FirstZoomItem + int(i),
            QString::fromUtf8(entries[i].menuText.data(), qsizetype(entries[i].menuText.size())));
        item->setStatusTip(QString::fromUtf8(entries[i].statusText.data(),
                                             qsizetype(entries[i].statusText.size())));
        item->setCheckable(true);
        marks->addAction(item);
    }
    column->setMenuBar(bar);
}

void PagePreview::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    QWidget *content = window.content();
    auto *column = qobject_cast<QBoxLayout *>(content->layout());
    buildMenus(content, column);

    auto *row = new QHBoxLayout;
    auto addButton = [&](int control, const QString &text) {
        auto *button = new QPushButton(text, content);
        button->setAutoDefault(false);
        row->addWidget(button);
        window.addControl(control, button);
    };
    addButton(PrintButton, u"D&ruck"_s);
    addButton(SavePdf, u"PDF speichern"_s);
    if (!reportButtonText.isEmpty())
        addButton(ReportButton, reportButtonText);
    addButton(ExitButton, u"E&nde"_s);
    addButton(ZoomButton, u"&Zoom"_s);

    auto addNumber = [&](int promptControl, const QString &text, int control, std::int32_t &value) {
        auto *edit = new QLineEdit(content);
        edit->setMaximumWidth(60);
        row->addWidget(prompt(window, promptControl, text, edit));
        row->addWidget(edit);
        window.addControl(control, edit, QString(text).remove(u'&'));
        window.bind(control, value, u"@n5"_s);
    };
    addNumber(PagePrompt, u"&Seite:"_s, CurrentPage, CURRENTPAGE);
    auto *count = new QLabel(content);
    // Room for the count of a long report, so that the row does not move as pages come.
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance(u"von 000000"_s));
    row->addWidget(count);
    window.addControl(PageCount, count, u"Seitenzahl"_s);
    addNumber(AcrossPrompt, u"&Neben.:"_s, PagesAcross, PAGESACROSS);
    addNumber(DownPrompt, u"&Unter.:"_s, PagesDown, PAGESDOWN);

    m_zoomList = new QComboBox(content);
    m_zoomList->setEditable(true);
    m_zoomList->setInsertPolicy(QComboBox::NoInsert);
    m_zoomList->setMinimumContentsLength(14);
    row->addWidget(prompt(window, ZoomPrompt, u"Z&oom:"_s, m_zoomList));
    row->addWidget(m_zoomList);
    window.addControl(ZoomList, m_zoomList, u"Zoom:"_s);
    // A typed zoom is taken with Enter; picking an entry is accepted by the list itself.
    QObject::connect(m_zoomList->lineEdit(), &QLineEdit::returnPressed, &window, [&window] {
        window.post(EventKind::Accepted, ZoomList);
    });
    row->addStretch(1);
    column->insertLayout(0, row);

    m_scroll = new QScrollArea(content);
    m_scroll->setObjectName(u"pages"_s);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pages = new QWidget;
    m_pageLayout = new QGridLayout(m_pages);
    m_pageLayout->setSpacing(Gap);
    m_pageLayout->setContentsMargins(Gap, Gap, Gap, Gap);
    m_scroll->setWidget(m_pages);
    column->insertWidget(1, m_scroll, 100);

    // How far a report still adding pages is, and what waits for its last page.
    auto *status = new QLabel(content);
    column->insertWidget(2, status);
    window.addControl(ReportStatus, status, u"Berichtsstand"_s);
}

double PagePreview::dpiFor(QSize area) const
{
    report::PageContent first;
    IMAGEQUEUE.load(1, first);
    const double widthInches = first.size.width() / 25.4;
    const double heightInches = first.size.height() / 25.4;
    const int across = m_grid.pagesAcross();
    const int down = m_grid.pagesDown();
    const double cellWidth = double(area.width() - Gap * (across + 1)) / across;
    const double cellHeight = double(area.height() - Gap * (down + 1)) / down;
    const int zoom = m_zoom.zoom();
    double dpi = 0;
    if (zoom == ZoomWholePage)
        dpi = std::min(cellWidth / widthInches, cellHeight / heightInches);
    else if (zoom == ZoomPageWidth)
        dpi = cellWidth / widthInches;
    else
        dpi = m_scroll->logicalDpiX() * zoom / 100.0;
    return std::max(dpi, 4.0);
}

void PagePreview::drawPages()
{
    if (!m_pages)
        return;
    const BusyCursor busy;
    for (QLabel *image : std::as_const(m_images))
        delete image;
    m_images.clear();
    QSize area = m_scroll->viewport()->size();
    // Fitting zooms leave room for the scroll bar that a taller grid brings.
    area.rwidth() -= m_scroll->verticalScrollBar()->sizeHint().width();
    const double dpi = dpiFor(area);
    int page = m_grid.firstPage();
    for (int r = 0; r < m_grid.pagesDown(); ++r) {
        for (int c = 0; c < m_grid.pagesAcross() && page <= m_grid.pageCount(); ++c, ++page) {
            auto *image = new QLabel(m_pages);
            image->setObjectName(u"page %1"_s.arg(page));
            image->setPixmap(QPixmap::fromImage(IMAGEQUEUE.image(page, dpi)));
            image->setAlignment(Qt::AlignCenter);
            image->setLineWidth(3);
            m_pageLayout->addWidget(image, r, c, Qt::AlignCenter);
            // At once rather than when the loop gets to it (see FirstOpen).
            image->show();
            m_images.append(image);
        }
    }
    markCurrentPage();
}

void PagePreview::markCurrentPage()
{
    const int current = m_grid.currentPage() - m_grid.firstPage();
    for (int i = 0; i < m_images.size(); ++i)
        m_images[i]->setFrameStyle(i == current && m_images.size() > 1 ? QFrame::Box | QFrame::Plain
                                                                       : QFrame::NoFrame);
    if (current >= 0 && current < m_images.size())
        m_scroll->ensureWidgetVisible(m_images[current]);
}

void PagePreview::showZoom()
{
    const int index = m_zoom.zoomIndex();
    ZOOMINDEX = std::uint8_t(index);
    USERPERCENTILE = std::int16_t(m_zoom.userPercentile());
    ZOOMLIST = m_zoom.listText();
    for (int i = 0; i < int(zoomEntries().size()); ++i)
        m_actions[FirstZoomItem + i]->setChecked(i + 1 == index);
    if (m_zoomList)
        m_zoomList->setEditText(QString::fromStdString(ZOOMLIST));
}
