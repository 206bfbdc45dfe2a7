// A long report and its preview at the same time: the test sends the progress window's timer
// events itself, one page each, and looks at the preview between them.

#include "previewfixture.h"

#include "framework/procwindow.h"
#include "framework/reportrunner.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString PreviewTitle = u"Druck Vorschau"_s;
const QString ProgressTitle = u"Progress..."_s;

// One page per record. Its clock makes every record take two seconds, so that each timer
// event prints exactly one record; no timer runs by itself.
class StreamReport : public ReportRunner
{
public:
    StreamReport(AppContext &app, VectorSource &source)
        : ReportRunner(app, "Seitenstrom", source)
        , m_source(source)
    {
        usePreview();
        setClock([this] { return m_now; });
        setTimerPeriod(360000);
        setPreviewDelay(0);
    }
    int printed = 0;
    int printCalls = 0;
    int pagesPrinted = 0;

protected:
    int TakeRecord() override
    {
        m_now += 200;
        ++printed;
        PREVIEWQUEUE->append(numberedPage(m_source.current()));
        return Level::Benign;
    }
    void PrintPages() override
    {
        ++printCalls;
        pagesPrinted = PREVIEWQUEUE->count();
    }

private:
    VectorSource &m_source;
    std::int64_t m_now = 0;
};

struct StreamRun
{
    PreviewFixture f;
    VectorSource records;
    StreamReport *report = nullptr;
    QString spool;
    int response = 0;
    int printed = 0;
    int printCalls = 0;
    int pagesPrinted = 0;

    explicit StreamRun(int count)
        : records(count)
    {
        f.gui.start(u"Bericht"_s, [this] {
            StreamReport running(*f.app, records);
            report = &running;
            response = running.Run();
            printed = running.printed;
            printCalls = running.printCalls;
            pagesPrinted = running.pagesPrinted;
            report = nullptr;
        });
    }

    // One timer event of the progress window: one more page.
    void tick()
    {
        ProcWindow *progress = f.gui.window(ProgressTitle);
        ASSERT_NE(progress, nullptr);
        progress->post(EventKind::Timer);
        EXPECT_TRUE(f.gui.settle());
        if (report && report->PREVIEWQUEUE && !report->PREVIEWQUEUE->spoolFile().isEmpty())
            spool = report->PREVIEWQUEUE->spoolFile();
    }
    ProcWindow *preview() const { return f.gui.window(PreviewTitle); }
    // The page count beside the page number, and below the pages how far the report is.
    QString pageCount() const
    {
        const QString status = preview()->isHidden(PagePreview::ReportStatus)
                                   ? QString()
                                   : f.gui.text(preview(), PagePreview::ReportStatus);
        return QString(f.gui.text(preview(), PagePreview::PageCount) + u" | "_s + status).trimmed();
    }
    QList<int> shownPages() const
    {
        QList<int> pages;
        for (const QLabel *image : preview()->content()->findChildren<QLabel *>()) {
            if (image->objectName().startsWith(u"page "_s))
                pages << image->objectName().mid(5).toInt();
        }
        return pages;
    }
    // The spools of this test process in the temporary folder.
    static QStringList ownSpools()
    {
        return QDir(QDir::tempPath())
            .entryList({u"tessaro-spool-%1-*.tsp"_s.arg(QCoreApplication::applicationPid())},
                       QDir::Files);
    }
};

TEST(ReportStream, PreviewShowsTheFirstPageWhileTheReportGoesOn)
{
    StreamRun run(5);
    EXPECT_EQ(run.preview(), nullptr);
    run.tick();
    ProcWindow *preview = run.preview();
    ASSERT_NE(preview, nullptr) << "no preview with the first page";
    EXPECT_EQ(run.shownPages(), QList<int>{1});
    EXPECT_EQ(run.pageCount(), u"von 1 | Weitere Seiten folgen – 20% Fertig"_s);
    EXPECT_TRUE(preview->isDisabled(PagePreview::CurrentPage));
    EXPECT_EQ(run.response, 0);
    EXPECT_TRUE(run.f.gui.window(ProgressTitle)->subWindow()->isVisible());

    run.tick();
    EXPECT_EQ(run.pageCount(), u"von 2 | Weitere Seiten folgen – 40% Fertig"_s);
    EXPECT_FALSE(preview->isDisabled(PagePreview::CurrentPage));
    EXPECT_EQ(run.shownPages(), QList<int>{1});
    preview->post(EventKind::Accepted, PagePreview::NextPage);
    EXPECT_TRUE(run.f.gui.settle());
    EXPECT_EQ(run.shownPages(), QList<int>{2});
    EXPECT_EQ(run.f.gui.text(preview, PagePreview::CurrentPage).trimmed(), u"2"_s);
    // All pages so far in one file.
    EXPECT_EQ(run.ownSpools(), QStringList{QFileInfo(run.spool).fileName()});

    run.tick();
    EXPECT_EQ(run.pageCount(), u"von 3 | Weitere Seiten folgen – 60% Fertig"_s);

    run.tick();
    run.tick();
    EXPECT_EQ(run.pageCount(), u"von 5 |"_s);
    EXPECT_FALSE(run.f.gui.window(ProgressTitle)->subWindow()->isVisible());
    EXPECT_EQ(run.response, 0) << "the report ends with its preview";
    ASSERT_NE(run.preview(), nullptr);
    EXPECT_EQ(run.f.gui.text(preview, PagePreview::CurrentPage).trimmed(), u"2"_s);

    run.f.gui.press(preview, PagePreview::ExitButton);
    EXPECT_EQ(run.response, Response::Completed);
    EXPECT_EQ(run.printed, 5);
    EXPECT_EQ(run.printCalls, 0);
    EXPECT_EQ(run.preview(), nullptr);
    EXPECT_FALSE(run.spool.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(run.spool)) << "the pages outlived their preview";
    EXPECT_TRUE(run.ownSpools().isEmpty());
    EXPECT_TRUE(QDir(QDir::tempPath())
                    .entryList({u"tessaro-spool-%1-*"_s.arg(QCoreApplication::applicationPid())},
                               QDir::Files)
                    .isEmpty())
        << "a spool's lock was left behind";
}

TEST(ReportStream, PrintAndPdfPressedWhilePagesComeWaitForTheLastPage)
{
    {
        SCOPED_TRACE("print");
        StreamRun run(4);
        run.tick();
        run.tick();
        ProcWindow *preview = run.preview();
        ASSERT_NE(preview, nullptr);
        run.f.gui.press(preview, PagePreview::PrintButton);
        EXPECT_EQ(run.preview(), preview) << "printed before the last page";
        EXPECT_EQ(run.pageCount(),
                  u"von 2 | Weitere Seiten folgen – 50% Fertig – Druck nach der letzten Seite"_s);
        EXPECT_TRUE(preview->isDisabled(PagePreview::PrintButton));
        run.tick();
        EXPECT_EQ(run.response, 0);
        run.tick();
        EXPECT_EQ(run.preview(), nullptr);
        EXPECT_EQ(run.response, Response::Completed);
        EXPECT_EQ(run.printCalls, 1);
        EXPECT_EQ(run.pagesPrinted, 4);
    }
    {
        SCOPED_TRACE("PDF");
        StreamRun run(3);
        run.tick();
        ProcWindow *preview = run.preview();
        ASSERT_NE(preview, nullptr);
        run.f.gui.press(preview, PagePreview::SavePdf);
        EXPECT_EQ(run.pageCount(),
                  u"von 1 | Weitere Seiten folgen – 33% Fertig – PDF nach der letzten Seite"_s);
        const QString pdf = QString::fromStdString((run.f.folder.path() / "liste.pdf").string());
        EXPECT_FALSE(run.f.gui.answerFileDialog(pdf)) << "asked for the file too early";
        run.tick();
        run.tick();
        ASSERT_TRUE(run.f.gui.answerFileDialog(pdf));
        EXPECT_EQ(pdfPages(pdf), (QStringList{u"Seite 1"_s, u"Seite 2"_s, u"Seite 3"_s}));
        EXPECT_EQ(run.pageCount(), u"von 3 |"_s);
        run.f.gui.press(preview, PagePreview::ExitButton);
        EXPECT_EQ(run.response, Response::Completed);
        EXPECT_EQ(run.printCalls, 0);
    }
}

TEST(ReportStream, CancelStopsTheReportAndKeepsThePagesShown)
{
    StreamRun run(50);
    run.tick();
    run.tick();
    ProcWindow *preview = run.preview();
    ASSERT_NE(preview, nullptr);
    run.f.gui.press(preview, PagePreview::SavePdf);
    run.f.gui.press(run.f.gui.window(ProgressTitle), ReportRunner::CancelButton);

    ASSERT_EQ(run.preview(), preview) << "cancel took the pages away";
    EXPECT_EQ(run.pageCount(), u"von 2 |"_s) << "the PDF waiting for the end is dropped";
    EXPECT_FALSE(run.f.gui.answerFileDialog(u"nicht.pdf"_s));
    EXPECT_FALSE(preview->isDisabled(PagePreview::SavePdf));
    EXPECT_EQ(run.response, 0);

    // What the preview shows can still be saved, now at once.
    const QString pdf = QString::fromStdString((run.f.folder.path() / "teil.pdf").string());
    run.f.gui.press(preview, PagePreview::SavePdf);
    ASSERT_TRUE(run.f.gui.answerFileDialog(pdf));
    EXPECT_EQ(pdfPages(pdf), (QStringList{u"Seite 1"_s, u"Seite 2"_s}));

    run.f.gui.press(preview, PagePreview::ExitButton);
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.printed, 2);
    EXPECT_FALSE(QFileInfo::exists(run.spool));
}

TEST(ReportStream, LeavingThePreviewWhilePagesComeStopsTheReport)
{
    StreamRun run(50);
    run.tick();
    run.tick();
    ASSERT_NE(run.preview(), nullptr);
    run.f.gui.press(run.preview(), PagePreview::ExitButton);
    EXPECT_EQ(run.preview(), nullptr);
    run.tick();
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.printed, 2);
    EXPECT_EQ(run.printCalls, 0);
    EXPECT_EQ(run.f.gui.window(ProgressTitle), nullptr);
    EXPECT_FALSE(QFileInfo::exists(run.spool));
}

} // namespace
