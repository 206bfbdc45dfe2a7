// The print preview offscreen: paging controls, zoom, the display and page-list windows,
// printing the chosen pages, saving a PDF, and the window's place in morva.INI.

#include "previewfixture.h"

#include "framework/procwindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

#include <cmath>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString Title = u"Druck Vorschau"_s;

// A report procedure that has produced its pages and shows them in the preview.
struct PreviewRun
{
    PreviewFixture f;
    report::PageQueue queue;
    PagePreview *preview = nullptr;
    bool returned = false;
    bool print = false;

    explicit PreviewRun(int pages, int zoom = 0, bool userZoom = true)
    {
        fillQueue(queue, pages);
        f.gui.start(u"Bericht"_s, [this, zoom, userZoom] {
            PagePreview shown(*f.app, queue);
            shown.ALLOWUSERZOOM = userZoom ? 1 : 0;
            preview = &shown;
            print = shown.Display(zoom);
            preview = nullptr;
            returned = true;
        });
    }

    ProcWindow *window() const { return f.gui.window(Title); }
    void post(int control)
    {
        window()->post(EventKind::Accepted, control);
        EXPECT_TRUE(f.gui.settle());
    }
    QList<int> shownPages() const
    {
        QList<int> pages;
        for (QLabel *image : preview->pageImages())
            pages << image->objectName().mid(5).toInt();
        return pages;
    }
};

TEST(PagePreview, PagingControlsNeedAtLeastTwoPages)
{
    struct Case
    {
        const char *name;
        int pages;
        bool paging;
    };
    for (const Case &c : {Case{"one page", 1, false}, Case{"three pages", 3, true}}) {
        SCOPED_TRACE(c.name);
        PreviewRun run(c.pages);
        ProcWindow *window = run.window();
        ASSERT_NE(window, nullptr);
        for (int control :
             {PagePreview::CurrentPage, PagePreview::PagesAcross, PagePreview::PagesDown})
            EXPECT_EQ(window->isDisabled(control), !c.paging) << control;
        const QString tip = window->control(PagePreview::CurrentPage)->toolTip();
        EXPECT_EQ(tip, c.paging ? u"ausgewählte Seite(n)-Nr. von 1 bis 3"_s : QString());
        EXPECT_EQ(run.shownPages(), QList<int>{1});
        run.f.gui.press(window, PagePreview::ExitButton);
        EXPECT_TRUE(run.returned);
        EXPECT_FALSE(run.print);
    }
}

TEST(PagePreview, ReportWithoutPagesShowsNoWindow)
{
    PreviewRun run(0);
    EXPECT_TRUE(run.returned);
    EXPECT_FALSE(run.print);
    EXPECT_EQ(run.window(), nullptr);
}

TEST(PagePreview, TypedZoomBecomesTheUserZoom)
{
    PreviewRun run(2);
    ProcWindow *window = run.window();
    ASSERT_NE(window, nullptr);
    auto *list = qobject_cast<QComboBox *>(window->control(PagePreview::ZoomList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), u"Seite (ges.)"_s);
    EXPECT_EQ(list->count(), 7);

    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), u"150"_s);
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(run.f.gui.settle());

    EXPECT_EQ(run.preview->ZOOMINDEX, 0);
    EXPECT_EQ(run.preview->USERPERCENTILE, 150);
    EXPECT_EQ(run.preview->zoom(), 150);
    EXPECT_EQ(list->currentText(), u"150% Zoom"_s);
    // An A4 page 210 mm wide at one and a half times the screen's resolution.
    const double dpi = window->content()->logicalDpiX() * 1.5;
    const QPixmap shown = run.preview->pageImages().first()->pixmap();
    EXPECT_NEAR(shown.width(), 210 / 25.4 * dpi, 2);

    // A zoom entry chosen from the menu replaces the typed zoom.
    run.post(PagePreview::FirstZoomItem + 4);
    EXPECT_EQ(run.preview->ZOOMINDEX, 5);
    EXPECT_EQ(list->currentText(), u"100% Zoom"_s);
    EXPECT_NEAR(run.preview->pageImages().first()->pixmap().width(), 210 / 25.4 * dpi / 1.5, 2);
}

TEST(PagePreview, PagingMovesTheGridWithoutShowingEmptyPlaces)
{
    PreviewRun run(5);
    ProcWindow *window = run.window();
    ASSERT_NE(window, nullptr);
    run.f.gui.type(window, PagePreview::PagesAcross, u"2"_s);
    EXPECT_EQ(run.shownPages(), (QList<int>{1, 2}));
    run.f.gui.type(window, PagePreview::CurrentPage, u"5"_s);
    EXPECT_EQ(run.shownPages(), (QList<int>{4, 5}));
    EXPECT_EQ(run.f.gui.text(window, PagePreview::CurrentPage).trimmed(), u"5"_s);
    run.post(PagePreview::PreviousPage);
    EXPECT_EQ(run.preview->CURRENTPAGE, 4);
    EXPECT_EQ(run.shownPages(), (QList<int>{4, 5}));

    // The go-to-page window: Abbruch leaves the page, OK goes there.
    run.post(PagePreview::GoToPage);
    QDialog *ask = openDialog(u"Gehe zu einer Berichts-Seite"_s);
    ASSERT_NE(ask, nullptr);
    ask->findChild<QSpinBox *>(u"Seite"_s)->setValue(1);
    click(run.f.gui, ask, u"Abbruch"_s);
    EXPECT_EQ(run.preview->CURRENTPAGE, 4);
    run.post(PagePreview::GoToPage);
    ask = openDialog(u"Gehe zu einer Berichts-Seite"_s);
    ASSERT_NE(ask, nullptr);
    ask->findChild<QSpinBox *>(u"Seite"_s)->setValue(1);
    click(run.f.gui, ask, u"OK"_s);
    EXPECT_EQ(run.shownPages(), (QList<int>{1, 2}));
}

TEST(PagePreview, DisplayWindowRefusesAGridLargerThanTheReport)
{
    PreviewRun run(3);
    run.post(PagePreview::ChangeDisplay);
    QDialog *display = openDialog(u"Change the Report Display"_s);
    ASSERT_NE(display, nullptr);
    display->findChild<QSpinBox *>(u"Across"_s)->setValue(2);
    display->findChild<QSpinBox *>(u"Down"_s)->setValue(2);
    click(run.f.gui, display, u"OK"_s);
    EXPECT_EQ(openDialog(u"Change the Report Display"_s), display);
    EXPECT_EQ(run.shownPages(), QList<int>{1});

    display->findChild<QSpinBox *>(u"Down"_s)->setValue(1);
    click(run.f.gui, display, u"OK"_s);
    EXPECT_EQ(openDialog(u"Change the Report Display"_s), nullptr);
    EXPECT_EQ(run.shownPages(), (QList<int>{1, 2}));
    EXPECT_EQ(run.preview->PAGESACROSS, 2);
    EXPECT_EQ(run.preview->PAGESDOWN, 1);
}

TEST(PagePreview, PrintingKeepsOnlyTheChosenPagesAndDeletesTheOthers)
{
    PreviewRun run(3);
    report::PageContent third;
    ASSERT_TRUE(run.queue.load(3, third));

    const QString pagesTitle = u"Seitenauswahl für Druck"_s;
    run.post(PagePreview::PagesToPrintItem);
    QDialog *ask = openDialog(pagesTitle);
    ASSERT_NE(ask, nullptr);
    auto *entry = ask->findChild<QLineEdit *>(u"Seiten für Druck"_s);
    EXPECT_EQ(entry->text(), u"1-3"_s);
    // Abbrechen gives back what the window opened with.
    entry->setText(u"2"_s);
    click(run.f.gui, ask, u"Abbrechen"_s);
    EXPECT_EQ(run.preview->PAGESTOPRINT, "1-3");

    run.post(PagePreview::PagesToPrintItem);
    ask = openDialog(pagesTitle);
    ASSERT_NE(ask, nullptr);
    entry = ask->findChild<QLineEdit *>(u"Seiten für Druck"_s);
    entry->setText(u"7-9"_s); // no page of this report: refused
    click(run.f.gui, ask, u"Ok"_s);
    ASSERT_EQ(openDialog(pagesTitle), ask);
    click(run.f.gui, ask, u"Zurücksetzen"_s);
    EXPECT_EQ(entry->text(), u"1-3"_s);
    entry->setText(u"1-2"_s);
    click(run.f.gui, ask, u"Ok"_s);
    EXPECT_EQ(openDialog(pagesTitle), nullptr);
    EXPECT_EQ(run.preview->PAGESTOPRINT, "1-2");

    run.f.gui.press(run.window(), PagePreview::PrintButton);
    ASSERT_TRUE(run.returned);
    EXPECT_TRUE(run.print);
    EXPECT_EQ(run.queue.count(), 2);
    EXPECT_FALSE(run.queue.load(3, third));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString((run.f.folder.path() / "druck.pdf").string());
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(run.queue.print(printer));
    EXPECT_EQ(pdfPages(pdf), (QStringList{u"Seite 1"_s, u"Seite 2"_s}));
}

TEST(PagePreview, SavePdfWritesEveryPageAndLeavesThePreviewOpen)
{
    PreviewRun run(3);
    const QString pdf = QString::fromStdString((run.f.folder.path() / "Angebot").string());
    run.f.gui.press(run.window(), PagePreview::SavePdf);
    ASSERT_TRUE(run.f.gui.answerFileDialog(pdf));
    EXPECT_EQ(pdfPages(pdf + u".pdf"_s), (QStringList{u"Seite 1"_s, u"Seite 2"_s, u"Seite 3"_s}));
    EXPECT_NE(run.window(), nullptr);
    EXPECT_EQ(run.queue.count(), 3);
    if (const QString look = qEnvironmentVariable("TESSARO_PREVIEW_PNG"); !look.isEmpty())
        run.f.gui.grab(run.window(), look);
    run.post(PagePreview::ExitItem);
    EXPECT_TRUE(run.returned);
    EXPECT_FALSE(run.print);
}

TEST(PagePreview, WindowPlaceIsKeptInTheSettingsFile)
{
    PreviewFixture f;
    report::PageQueue queue;
    fillQueue(queue, 2);
    auto show = [&] {
        f.gui.start(u"Bericht"_s, [&] {
            PagePreview preview(*f.app, queue);
            preview.Display();
        });
        return f.gui.window(Title);
    };
    ProcWindow *first = show();
    ASSERT_NE(first, nullptr);
    first->subWindow()->setGeometry(30, 40, 640, 480);
    f.gui.press(first, PagePreview::ExitButton);
    ASSERT_EQ(f.gui.window(Title), nullptr);
    IniManager &ini = f.store->ini();
    EXPECT_EQ(ini.Fetch(PagePreview::WindowSection, "Maximize"), "No");
    EXPECT_EQ(ini.Fetch(PagePreview::WindowSection, "XPos"), "30");
    EXPECT_EQ(ini.Fetch(PagePreview::WindowSection, "Width"), "640");

    ProcWindow *again = show();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->subWindow()->geometry(), QRect(30, 40, 640, 480));
    again->subWindow()->showMaximized();
    f.gui.press(again, PagePreview::ExitButton);
    EXPECT_EQ(ini.Fetch(PagePreview::WindowSection, "Maximize"), "Yes");
    ProcWindow *third = show();
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(third->subWindow()->isMaximized());
    f.gui.press(third, PagePreview::ExitButton);
}

// A place kept from a larger screen lies past the area's edge: the preview comes back into
// sight, as far as it fits.
TEST(PagePreview, APlacePastTheAreasEdgeIsBroughtIntoSight)
{
    PreviewFixture f;
    report::PageQueue queue;
    fillQueue(queue, 1);
    IniManager &ini = f.store->ini();
    const QSize area = f.gui.area()->viewport()->size();
    ini.Update(PagePreview::WindowSection, "Maximize", "No");
    ini.Update(PagePreview::WindowSection, "XPos", std::to_string(area.width() - 100));
    ini.Update(PagePreview::WindowSection, "YPos", std::to_string(area.height() - 50));
    ini.Update(PagePreview::WindowSection, "Width", "640");
    ini.Update(PagePreview::WindowSection, "Height", "480");
    f.gui.start(u"Bericht"_s, [&] {
        PagePreview preview(*f.app, queue);
        preview.Display();
    });
    ProcWindow *shown = f.gui.window(Title);
    ASSERT_NE(shown, nullptr);
    const QRect place = shown->subWindow()->geometry();
    EXPECT_TRUE(f.gui.area()->viewport()->rect().contains(place))
        << place.x() << "," << place.y() << " " << place.width() << "x" << place.height() << " in "
        << area.width() << "x" << area.height();
    f.gui.press(shown, PagePreview::ExitButton);
}

} // namespace
