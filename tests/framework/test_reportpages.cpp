#include "framework/report/pagequeue.h"
#include "framework/report/pagespool.h"
#include "framework/report/reportwriter.h"
#include "support/pdftext.h"
#include "support/spoolholder.h"
#include "support/storefixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using report::Band;
using report::PageContent;
using report::PageQueue;
using report::PageSpool;
using report::ReportWriter;

namespace {

using namespace Qt::Literals::StringLiterals;

PageContent pageSaying(const QString &text)
{
    PageContent page;
    page.items.emplace_back(report::TextItem{20, 30, text, {}, report::Align::Left, 0});
    return page;
}

Band textBand(double height, const QString &text)
{
    Band band(height);
    band.text(10, height - 2, text);
    return band;
}

TEST(PageQueue, KeepsEveryPageInOneSpoolThatGoesWithTheQueue)
{
    ensureGuiApplication();
    TempFolder folder;
    const QString where = QString::fromStdString(folder.path().string());
    // Every file in the folder, and the spools among them (a spool's lock lies beside it).
    const auto files = [&] {
        return QDir(where).entryList(QDir::Files);
    };
    const auto spools = [&] {
        return QDir(where).entryList({u"*.tsp"_s}, QDir::Files);
    };
    {
        PageQueue queue(where);
        ASSERT_TRUE(queue.isValid());
        EXPECT_TRUE(files().isEmpty()) << "a spool before the first page";
        for (const char *word : {"Eins", "Zwei", "Drei"})
            ASSERT_TRUE(queue.append(pageSaying(QString::fromLatin1(word))));
        ASSERT_EQ(queue.count(), 3);
        EXPECT_EQ(spools(), QStringList{QFileInfo(queue.spoolFile()).fileName()});

        EXPECT_TRUE(queue.remove(2));
        EXPECT_EQ(queue.count(), 2);
        // The pages after it move up; what is left still reads back.
        PageContent third;
        ASSERT_TRUE(queue.load(2, third));
        ASSERT_EQ(third.items.size(), 1u);
        EXPECT_EQ(std::get<report::TextItem>(third.items[0]).text, QStringLiteral("Drei"));
        EXPECT_FALSE(queue.load(3, third));

        EXPECT_FALSE(queue.remove(3));
        EXPECT_FALSE(queue.remove(0));
        EXPECT_TRUE(queue.append(pageSaying(QStringLiteral("Vier"))));
        PageContent fourth;
        ASSERT_TRUE(queue.load(3, fourth));
        EXPECT_EQ(std::get<report::TextItem>(fourth.items[0]).text, QStringLiteral("Vier"));
        EXPECT_EQ(spools().size(), 1);

        queue.clear();
        EXPECT_EQ(queue.count(), 0);
        EXPECT_TRUE(files().isEmpty()) << "clear left the spool behind";
        EXPECT_TRUE(queue.append(pageSaying(QStringLiteral("Fünf"))));
        EXPECT_EQ(spools().size(), 1);
    }
    EXPECT_TRUE(files().isEmpty()) << "the queue left its spool behind";
}

TEST(PageQueue, FolderThatTakesNoSpoolKeepsNoPage)
{
    ensureGuiApplication();
    PageQueue queue(QStringLiteral("/nonexistent/tessaro"));
    EXPECT_FALSE(queue.append(pageSaying(QStringLiteral("Eins"))));
    EXPECT_FALSE(queue.isValid());
    EXPECT_EQ(queue.count(), 0);
    PageContent page;
    EXPECT_FALSE(queue.load(1, page));
}

TEST(PageSpool, OnlyTheSpoolsOfProgramsThatNoLongerRunAreRemoved)
{
    ensureGuiApplication();
    TempFolder folder;
    const QString where = QString::fromStdString(folder.path().string());
    const auto touch = [&](const QString &name) {
        QFile file(QDir(where).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        return file.fileName();
    };

    SpoolHolder running(where);
    SpoolHolder killed(where);
    ASSERT_FALSE(running.file().isEmpty());
    ASSERT_FALSE(killed.file().isEmpty());
    killed.kill();
    PageQueue ours(where);
    ASSERT_TRUE(ours.append(pageSaying(QStringLiteral("Eins"))));
    const qint64 self = QCoreApplication::applicationPid();

    struct Case
    {
        const char *what;
        QString file;
        bool kept;
    };
    const Case cases[] = {
        {"another program's, still running", running.file(), true},
        {"a program's killed during its report", killed.file(), false},
        {"this program's own, open", ours.spoolFile(), true},
        // A killed run whose process id this run got: nobody holds it.
        {"one with this program's id but unlocked",
         touch(QStringLiteral("tessaro-spool-%1-0badf00d.tsp").arg(self)),
         false},
        {"a file that is no spool", touch(QStringLiteral("tessaro-spool-notes.txt")), true},
        {"a name without a process id",
         touch(QStringLiteral("tessaro-spool-x-0badf00d.tsp")),
         true},
    };
    EXPECT_EQ(PageSpool::removeOrphans(where), 2);
    for (const Case &c : cases)
        EXPECT_EQ(QFile::exists(c.file), c.kept) << c.what;
    EXPECT_FALSE(QFile::exists(killed.file() + u".lock"_s)) << "the killed one's lock stays";

    // Its program ended, the last spool goes at the next start.
    running.kill();
    EXPECT_EQ(PageSpool::removeOrphans(where), 1);
    EXPECT_FALSE(QFile::exists(running.file()));
    PageContent page;
    EXPECT_TRUE(ours.load(1, page)) << "the open queue lost its pages";
}

TEST(PageContent, TextWiderThanItsRoomIsCutAndOneThatFitsIsNot)
{
    ensureGuiApplication();
    const report::Font font{QStringLiteral("Arial"), 8, false, false};
    const QString texts[] = {
        QStringLiteral("Bäckerei Sonnenschein GmbH & Co. KG"),
        QStringLiteral("AVAVAV Wolle Tee"), // kerning pairs: narrower than its letters
        QStringLiteral("1234567,89"),
    };
    // Rooms around each text's width: cut below it, whole from just above it on.
    const double factors[] = {0.9, 0.98, 1.02, 1.2};
    PageContent page;
    QStringList expected;
    double y = 20;
    for (const QString &text : texts) {
        for (double factor : factors) {
            const double room = report::textWidth(font, text) * factor;
            for (report::Align align : {report::Align::Left, report::Align::Right}) {
                const double x = align == report::Align::Left ? 20 : 20 + room;
                page.items.emplace_back(report::TextItem{x, y, text, font, align, room});
                y += 5;
                expected << (factor < 1 ? u"cut"_s : text);
            }
        }
    }
    PageQueue queue;
    ASSERT_TRUE(queue.append(page));
    const QStringList lines
        = pdftext::pageLines(pdftext::textOf(queue, QStringLiteral("cut"))).value(0).split(u'|');
    ASSERT_EQ(lines.size(), expected.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (expected[i] == u"cut"_s)
            EXPECT_TRUE(lines[i].endsWith(QChar(0x2026))) << lines[i].toStdString();
        else
            EXPECT_EQ(lines[i], expected[i]);
    }
}

TEST(PageQueue, PageFileReadsBackWhatWasWritten)
{
    ensureGuiApplication();
    PageContent page;
    page.size = QSizeF(297, 210);
    page.items.emplace_back(report::TextItem{12.5,
                                             40.25,
                                             QStringLiteral("Größe 1.234,50 €"),
                                             {QStringLiteral("Arial"), 9.5, true, true},
                                             report::Align::Right,
                                             30});
    page.items.emplace_back(report::LineItem{10, 20, 190, 20.5, 0.3});
    PageQueue queue;
    ASSERT_TRUE(queue.append(page));
    PageContent back;
    ASSERT_TRUE(queue.load(1, back));
    EXPECT_EQ(back.size, page.size);
    EXPECT_EQ(back.items, page.items);

    QFile damaged(queue.spoolFile());
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.write("not a page");
    damaged.close();
    EXPECT_FALSE(queue.load(1, back));
    EXPECT_TRUE(queue.image(1, 60).isNull());
}

TEST(PageQueue, ImageIsThePageAtTheRequestedResolution)
{
    ensureGuiApplication();
    PageContent page;
    // A 2 mm thick bar from 50 to 100 mm across, 100 mm down.
    page.items.emplace_back(report::LineItem{50, 100, 100, 100, 2});
    PageQueue queue;
    ASSERT_TRUE(queue.append(page));

    for (double dpi : {60.0, 96.0, 150.0}) {
        SCOPED_TRACE(dpi);
        const QImage image = queue.image(1, dpi);
        const double px = dpi / 25.4;
        EXPECT_EQ(image.width(), qRound(210 * px));
        EXPECT_EQ(image.height(), qRound(297 * px));
        EXPECT_EQ(qGray(image.pixel(qRound(75 * px), qRound(100 * px))), 0);
        EXPECT_EQ(qGray(image.pixel(qRound(40 * px), qRound(100 * px))), 255);
        EXPECT_EQ(qGray(image.pixel(qRound(75 * px), qRound(110 * px))), 255);
    }
    EXPECT_TRUE(queue.image(2, 60).isNull());
}

TEST(PageQueue, PrintsTheChosenPagesInTheirOrder)
{
    ensureGuiApplication();
    PageQueue queue;
    for (const char *word : {"Eins", "Zwei", "Drei"})
        ASSERT_TRUE(queue.append(pageSaying(QString::fromLatin1(word))));

    const QStringList all = pdftext::pageLines(pdftext::textOf(queue));
    EXPECT_EQ(
        all, (QStringList{QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")}));
    const QStringList chosen
        = pdftext::pageLines(pdftext::textOf(queue, QStringLiteral("chosen"), {3, 1}));
    EXPECT_EQ(chosen, (QStringList{QStringLiteral("Drei"), QStringLiteral("Eins")}));
}

// A page 60 mm high: 5 mm margins, a 10 mm header and footer leave 30 mm for bands.
ReportWriter smallPages(PageQueue &queue)
{
    ReportWriter writer(queue, report::PageFrame{{100, 60}, 5, 5});
    writer.setPageHeader(
        [](int page) { return textBand(10, QStringLiteral("Kopf %1").arg(page)); });
    writer.setPageFooter(
        [](int page) { return textBand(10, QStringLiteral("Fuss %1").arg(page)); });
    return writer;
}

TEST(ReportWriter, BandsThatDoNotFitStartANewPageBetweenHeaderAndFooter)
{
    ensureGuiApplication();
    struct Case
    {
        const char *name;
        std::vector<double> heights; // of the bands "B1", "B2", …
        std::vector<double> keepWithNext;
        std::vector<const char *> pages;
    };
    const Case cases[] = {
        {"three to a page",
         {10, 10, 10, 10, 10, 10, 10},
         {},
         {"Kopf 1|B1|B2|B3|Fuss 1", "Kopf 2|B4|B5|B6|Fuss 2", "Kopf 3|B7|Fuss 3"}},
        {"exact fit stays", {15, 15, 1}, {}, {"Kopf 1|B1|B2|Fuss 1", "Kopf 2|B3|Fuss 2"}},
        {"kept with the next band",
         {10, 10, 10},
         {0, 15, 0},
         {"Kopf 1|B1|Fuss 1", "Kopf 2|B2|B3|Fuss 2"}},
        {"taller than a page prints alone",
         {10, 35, 10},
         {},
         {"Kopf 1|B1|Fuss 1", "Kopf 2|B2|Fuss 2", "Kopf 3|B3|Fuss 3"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PageQueue queue;
        ReportWriter writer = smallPages(queue);
        EXPECT_DOUBLE_EQ(writer.pageRoom(), 30);
        for (std::size_t i = 0; i < c.heights.size(); ++i) {
            const double keep = i < c.keepWithNext.size() ? c.keepWithNext[i] : 0;
            writer.print(textBand(c.heights[i], QStringLiteral("B%1").arg(i + 1)), keep);
        }
        writer.finish();
        EXPECT_TRUE(writer.ok());
        EXPECT_EQ(writer.pageNumber(), int(c.pages.size()));
        EXPECT_EQ(queue.count(), int(c.pages.size()));
        QStringList expected;
        for (const char *page : c.pages)
            expected.append(QString::fromLatin1(page));
        EXPECT_EQ(pdftext::pageLines(pdftext::textOf(queue)), expected);
    }
}

TEST(ReportWriter, ReportWithoutBandsHasNoPage)
{
    ensureGuiApplication();
    PageQueue queue;
    ReportWriter writer = smallPages(queue);
    writer.finish();
    EXPECT_EQ(writer.pageNumber(), 0);
    EXPECT_EQ(queue.count(), 0);
}

} // namespace
