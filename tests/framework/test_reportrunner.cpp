// The progress window of a report over records from a vector: no records, cancel between
// batches, the batch size rule, and the preview at the end.

#include "previewfixture.h"

#include "framework/procwindow.h"
#include "framework/recordsource.h"
#include "framework/reportrunner.h"

#include <QLabel>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

using namespace Qt::Literals::StringLiterals;

// Prints one page per record into the preview queue; the clock is the test's: each record
// takes `costPerRecord` hundredths.
class PageReport : public ReportRunner
{
public:
    PageReport(AppContext &app, VectorSource &source, std::int64_t costPerRecord)
        : ReportRunner(app, "Berichtseiten", source)
        , m_source(source)
        , m_cost(costPerRecord)
    {
        usePreview();
        setClock([this] { return m_now; });
    }
    std::vector<int> printed;
    std::vector<int> batchSizes;
    std::vector<bool> shown; // whether the progress window was visible at each record

protected:
    int TakeRecord() override
    {
        if (printed.empty() || batchSizes.back() != RECORDSPERCYCLE)
            batchSizes.push_back(RECORDSPERCYCLE);
        printed.push_back(m_source.current());
        shown.push_back(procWindow()->subWindow()->isVisible());
        m_now += m_cost;
        PREVIEWQUEUE->append(numberedPage(m_source.current()));
        return Level::Benign;
    }

private:
    VectorSource &m_source;
    std::int64_t m_cost;
    std::int64_t m_now = 0;
};

TEST(ReportRunner, EmptyWalkSaysNoRecordsAndCloses)
{
    PreviewFixture f;
    VectorSource none(0);
    int response = 0;
    bool printedAny = true;
    f.gui.start(u"Bericht"_s, [&] {
        PageReport report(*f.app, none, 1);
        response = report.Run();
        printedAny = !report.printed.empty();
    });
    const auto message = f.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"No Records"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return response != 0; }, 5000));
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_FALSE(printedAny);
    EXPECT_EQ(f.gui.window(u"Progress..."_s), nullptr);
    EXPECT_EQ(f.gui.window(u"Druck Vorschau"_s), nullptr);
}

TEST(ReportRunner, WalkEndsInThePreviewWithEveryRecordPrintedOnce)
{
    PreviewFixture f;
    VectorSource records(5);
    std::vector<int> printed;
    int response = 0;
    f.gui.start(u"Bericht"_s, [&] {
        PageReport report(*f.app, records, 1);
        response = report.Run();
        printed = report.printed;
    });
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return f.gui.window(u"Druck Vorschau"_s) != nullptr; }, 5000));
    f.gui.settle();
    ProcWindow *preview = f.gui.window(u"Druck Vorschau"_s);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(f.gui.text(preview, PagePreview::CurrentPage).trimmed(), u"1"_s);
    f.gui.press(preview, PagePreview::ExitButton);
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(printed, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(ReportRunner, BatchGrowsWhileQuickAndShrinksWhenSlow)
{
    struct Case
    {
        const char *name;
        std::int64_t cost; // hundredths per record
        std::vector<int> sizes;
    };
    const Case cases[] = {
        // 1 record: 1 < 80, doubled; under half a slice another batch of 2, then 4, 8 ...
        {"quick records", 10, {1, 2, 4, 8}},
        // A record of 160 hundredths: never doubled, and a slow event halves only above 1.
        {"slow records", 160, {1}},
        // Doubled after one record of 76, then two take 152: above 1.5 slices, halved.
        {"records near the slice", 76, {1, 2, 1, 2}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewFixture f;
        VectorSource records(15);
        std::vector<int> sizes;
        f.gui.start(u"Bericht"_s, [&] {
            PageReport report(*f.app, records, c.cost);
            report.Run();
            sizes = report.batchSizes;
        });
        // The preview opens with the first page; leaving it before the last one has come
        // would cancel the walk and cut the batches short.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                f.gui.settle();
                const ProcWindow *preview = f.gui.window(u"Druck Vorschau"_s);
                return preview && preview->isHidden(PagePreview::ReportStatus);
            },
            10000));
        f.gui.press(f.gui.window(u"Druck Vorschau"_s), PagePreview::ExitButton);
        f.gui.threads().endAll();
        EXPECT_EQ(
            std::vector<int>(sizes.begin(), sizes.begin() + std::min(sizes.size(), c.sizes.size())),
            c.sizes);
    }
}

TEST(ReportRunner, CancelStopsTheWalk)
{
    PreviewFixture f;
    VectorSource records(100000);
    std::size_t printed = 0;
    int response = 0;
    bool ended = false;
    f.gui.start(u"Bericht"_s, [&] {
        PageReport report(*f.app, records, 200);
        response = report.Run();
        printed = report.printed.size();
        ended = true;
    });
    ProcWindow *progress = f.gui.window(u"Progress..."_s);
    ASSERT_NE(progress, nullptr);
    f.gui.press(progress, ReportRunner::CancelButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 5000));
    EXPECT_TRUE(ended);
    EXPECT_EQ(response, Response::Cancelled);
    EXPECT_LT(printed, 100000u);
    EXPECT_EQ(f.gui.window(u"Druck Vorschau"_s), nullptr);
}

TEST(ReportRunner, DeferredWindowStaysHiddenForItsSecondsThenShows)
{
    PreviewFixture f;
    VectorSource records(12);
    std::vector<bool> shown;
    std::uint16_t deferLeft = 1;
    f.gui.start(u"Bericht"_s, [&] {
        // 40 hundredths a record: the window appears in the first event after one second.
        PageReport report(*f.app, records, 40);
        report.DEFERWINDOW = 1;
        report.Run();
        shown = report.shown;
        deferLeft = report.DEFERWINDOW;
    });
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return f.gui.window(u"Druck Vorschau"_s) != nullptr; }, 5000));
    f.gui.settle();
    f.gui.press(f.gui.window(u"Druck Vorschau"_s), PagePreview::ExitButton);
    f.gui.threads().endAll();
    ASSERT_EQ(shown.size(), 12u);
    EXPECT_FALSE(shown.front());
    EXPECT_TRUE(shown.back());
    // Once shown it stays shown: no record after the first visible one is hidden again.
    const auto firstShown = std::find(shown.begin(), shown.end(), true);
    EXPECT_TRUE(std::all_of(firstShown, shown.end(), [](bool visible) { return visible; }));
    // The records of the first second were printed while it was hidden.
    EXPECT_GE(firstShown - shown.begin(), 3);
    EXPECT_EQ(deferLeft, 0);
}

} // namespace
