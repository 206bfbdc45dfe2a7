#include "shell/listreports/listreportprocedure.h"
#include "shell/listreports/listreporttable.h"

#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "framework/report/pagequeue.h"
#include "store/files.h"
#include "store/recordbuffer.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/pdftext.h"
#include "support/scriptedpresenter.h"
#include "support/storedrecords.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using namespace Qt::Literals::StringLiterals;

// The report procedures need widgets: a widget application for the whole program, made before
// the layout tests would make a plain one.
class WidgetApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_listreports";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QApplication(argc, argv);
    }
};
[[maybe_unused]] ::testing::Environment *const kApplication
    = ::testing::AddGlobalTestEnvironment(new WidgetApplication);

QString headings(const shell::ListReportDef &def)
{
    QStringList names;
    for (const shell::ListReportColumn &column : def.columns)
        names.append(QString::fromLatin1(column.heading));
    return names.join(QStringLiteral(", "));
}

TEST(ListReportTable, EveryReportPrintsTheDetailFieldsOfItsFile)
{
    // The detail fields of each file's reports as the report prints their headings.
    const std::pair<const char *, const char *> expected[] = {
        {"papier",
         "apap, ipap, pbez, ppr, pein, pmax, pmin, pgew, ppr, lief 1, ppr, lief 2, "
         "ppr, lief 3"},
        {"maschin", "maid, mid, mbez, mform, mmax, mmin, mfarb, dzmax, dzmin, mdrpr, mfarbw"},
        {"arbeit", "aaid, aid, abez, apr, anein, azeit"},
        {"kaldruck",
         "kaid, fid, abez, kaal, kaso, kafarbe, kay, kax, kast, kammax, kammin, "
         "kamfarb, kaomax, kaomin, kadr, kavh, kaad, mdrpr, mfarbw"},
        {"kunde",
         "kaid, kid, kname, kzhand, kstr, kplz, kort, krab, ktel, kfax, kfunk, kemail, "
         "khttp, kname, kzhand, kstr, kplz, kort, kname, ktel, kfunk, kfax, kemail, "
         "rech, asgpr, angebot, asgpr"},
        {"auftrag", "faid, fid, fnr, fdatum, fstat, kid, kname, fandat, fliefs"},
        {"anach", "anaid, anid, anidauf, abez, apr, anein, asanz, azeit, angpr"},
        {"atran", "ataid, atid, fid, atbez, atpr, sein, atfak, asanz, asgpr"},
        {"aufpap", "apaid, apid, fid, pbez, ppr, apfor, apanz, apendpr"},
        {"asatz", "asaid, asid, asaufid, asbez, asanz, asfak, aspr, sein, asgpr"},
        {"satz", "said, sid, asbez, seinh, sfak, spr"},
        {"transport", "taid, atbez, atpr, sein, atfak"},
        {"text", "txid, fstat, txbez, tx 1, tx 2, skpro, sktage, zaziel"},
    };
    ASSERT_EQ(shell::listReports().size(), 28u);
    QSet<QString> procedures;
    for (const shell::ListReportDef &def : shell::listReports()) {
        SCOPED_TRACE(def.procedure);
        const FileDef &file = fileDef(def.key.file);
        EXPECT_FALSE(procedures.contains(QString::fromLatin1(def.procedure)));
        procedures.insert(QString::fromLatin1(def.procedure));
        EXPECT_EQ(shell::findListReport(def.procedure), &def);
        EXPECT_TRUE(QString::fromLatin1(def.title).startsWith(
            QStringLiteral("Print the %1 File by ").arg(QString::fromLatin1(file.label))));
        bool found = false;
        for (const auto &[label, names] : expected) {
            if (std::string_view(label) == file.label) {
                EXPECT_EQ(headings(def), QString::fromLatin1(names));
                found = true;
            }
        }
        EXPECT_TRUE(found) << file.label;
        // A column never reads a field from beyond the file's layout.
        for (const shell::ListReportColumn &column : def.columns)
            EXPECT_LT(column.field, file.fieldCount) << column.heading;
    }
    EXPECT_EQ(shell::findListReport("PrintXYZ:Keyabc"), nullptr);
}

TEST(ListReport, LongListNumbersItsPagesAndPrintsEveryRecordOnce)
{
    ensureGuiApplication();
    const shell::ListReportDef *def = shell::findListReport("PrintARB:Keyabez");
    ASSERT_NE(def, nullptr);
    RecordBuffer arbeit(FileId::arbeit);
    report::PageQueue queue;
    report::ListReport list(
        queue, QString::fromLatin1(def->title), shell::listColumns(*def, arbeit));
    constexpr int kRecords = 300;
    for (int n = 1; n <= kRecords; ++n) {
        arbeit.set(ARB::AAID, n);
        arbeit.set(ARB::AID, "A" + std::to_string(8201300000 + n));
        arbeit.set(ARB::ABEZ, "Schneiden Stapel " + std::to_string(1000 + n));
        arbeit.set(ARB::APR, 12.5 + n);
        arbeit.set(ARB::AEINH, "Stück");
        arbeit.set(ARB::AZEIT, 15);
        list.printDetail();
    }
    list.finish();
    ASSERT_TRUE(list.ok());
    ASSERT_GT(list.pageCount(), 3);
    EXPECT_EQ(queue.count(), list.pageCount());

    const QString text = pdftext::textOf(queue, QStringLiteral("PrintARB_Keyabez"));
    const QStringList pages = pdftext::pageLines(text);
    ASSERT_EQ(pages.size(), list.pageCount());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages[i].startsWith(
            QStringLiteral("Print the arbeit File by ARB:Keyabez|aaid aid abez apr anein azeit|")));
        EXPECT_TRUE(pages[i].endsWith(QStringLiteral("|Page %1").arg(i + 1)));
    }
    for (int n = 1; n <= kRecords; ++n) {
        const QRegularExpression row(
            QStringLiteral("\\n *%1 +A%2 +Schneiden Stapel %3 +%4 +Stück +15\\n")
                .arg(n)
                .arg(8201300000 + n)
                .arg(1000 + n)
                .arg(QStringLiteral("%1,50").arg(12 + n)));
        EXPECT_EQ(text.count(row), 1) << n;
    }
}

TEST(ListReport, RecordWithManyFieldsContinuesInFurtherRows)
{
    ensureGuiApplication();
    const shell::ListReportDef *def = shell::findListReport("PrintKUN:Keykname");
    ASSERT_NE(def, nullptr);
    RecordBuffer kunde(FileId::kunde);
    report::PageQueue queue;
    report::ListReport list(
        queue, QString::fromLatin1(def->title), shell::listColumns(*def, kunde));
    const char *names[] = {"Bäckerei Sonnenschein GmbH", "Druckerei Müller & Söhne KG"};
    for (int n = 0; n < 2; ++n) {
        kunde.clear();
        kunde.set(KUN::KAID, n + 1);
        kunde.set(KUN::KID, "K820134501234" + std::to_string(n));
        kunde.set(KUN::KNAME, names[n]);
        kunde.set(KUN::KZHAND, "Frau Anna Becker");
        kunde.set(KUN::KSTR, "Lindenstraße 12");
        kunde.set(KUN::KPLZ, "79098");
        kunde.set(KUN::KORT, "Freiburg");
        kunde.set(KUN::KRAB, 2.5);
        kunde.set(KUN::KTEL, "0761 123456");
        kunde.set(KUN::KEMAIL, "info@example.de");
        kunde.set(KUN::LNAME, "Filiale Altstadt");
        kunde.set(KUN::KPERS1, "Herr Karl Schmidt");
        kunde.set(KUN::RECH, rt::dateFromYmd(2025, 7, 15));
        kunde.set(KUN::REUMSATZ, 12345.6);
        list.printDetail();
    }
    list.finish();
    pdftext::expectGolden(QStringLiteral(TESSARO_GOLDEN_DIR),
                          QStringLiteral("PrintKUN_Keykname"),
                          pdftext::textOf(queue, QStringLiteral("PrintKUN_Keykname")));
}

// A figure wider than its column prints smaller, whole and clear of the next column; cut
// short it would read as another number.
TEST(ListReport, HugeFiguresStayWholeAndClearOfTheirNeighbours)
{
    ensureGuiApplication();
    struct Case
    {
        const char *procedure;
        std::function<void(RecordBuffer &)> fill;
    };
    const Case cases[] = {
        {"PrintATR:Keytaid",
         [](RecordBuffer &r) {
             r.set(ATR::ATAID, 123456789);
             r.set(ATR::ATBEZ, "Spedition");
             r.set(ATR::ATPR, 99999999.99);
             r.set(ATR::ATFAK, 99.99);
             r.set(ATR::ATANZ, 9999999.0);
             r.set(ATR::ATGPR, 99999999.99);
         }},
        {"PrintKUN:Keykname",
         [](RecordBuffer &r) {
             r.set(KUN::KNAME, "Bäckerei Sonnenschein GmbH");
             r.set(KUN::KRAB, 99.99);
             r.set(KUN::REUMSATZ, 99999999.99);
             r.set(KUN::ANUMSATZ, 99999999.99);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        const shell::ListReportDef *def = shell::findListReport(c.procedure);
        ASSERT_NE(def, nullptr);
        RecordBuffer record(def->key.file);
        c.fill(record);
        report::PageQueue queue;
        report::ListReport list(
            queue, QString::fromLatin1(def->title), shell::listColumns(*def, record));
        list.printDetail();
        list.finish();
        const QList<pdftext::Word> words = pdftext::wordsOf(
            queue, QString::fromLatin1(c.procedure).replace(u':', u'_') + u"_huge"_s);
        EXPECT_EQ(pdftext::overlapping(words), QStringList());
        const auto whole = std::count_if(words.begin(), words.end(), [](const pdftext::Word &w) {
            return w.text == u"99.999.999,99"_s;
        });
        EXPECT_EQ(whole, 2);
        for (const pdftext::Word &w : words)
            EXPECT_FALSE(w.text.contains(QChar(0x2026))) << "cut short: " << w.text.toStdString();
    }
}

// The list report procedures as the menu starts them: by name, on a thread of their own, over
// the files of a working folder, ending in the preview.
struct ReportRun
{
    ReportRun()
        : store(std::make_unique<StoreContext>(folder.path(), startUp))
    {
        store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        shell::registerListReports(app->procedures());
    }
    ~ReportRun() { gui.threads().endAll(); }

    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        ASSERT_TRUE(addRecord(*store, file, fill));
    }

    void start(const char *procedure)
    {
        response = 0;
        gui.start(QString::fromLatin1(procedure),
                  [this, procedure] { response = app->call(procedure); });
    }

    ProcWindow *preview()
    {
        if (!QTest::qWaitFor(
                [&] { return gui.window(QStringLiteral("Druck Vorschau")) != nullptr; }, 10000))
            return nullptr;
        gui.settle();
        return gui.window(QStringLiteral("Druck Vorschau"));
    }

    // The pages as the preview saves them to a PDF, each page's lines joined by "|".
    QStringList savedPages(ProcWindow *window, const QString &name)
    {
        const QString pdf = QString::fromStdString((folder.path() / name.toStdString()).string());
        gui.press(window, PagePreview::SavePdf);
        if (!gui.answerFileDialog(pdf)) {
            ADD_FAILURE() << "no file dialog";
            return {};
        }
        return pdftext::pageLines(
            pdftext::normalised(pdftext::extract(pdf + QStringLiteral(".pdf"))));
    }

    TempFolder folder;
    ScriptedPresenter startUp;
    GuiHarness gui;
    std::unique_ptr<StoreContext> store;
    std::unique_ptr<AppContext> app;
    int response = 0;
};

TEST(ListReportProcedures, StartedByNamePrintTheirTitleAndRowsInKeyOrder)
{
    struct Case
    {
        const char *procedure;
        const char *firstLines; // title and headings
        QStringList rows;       // in the report's order
    };
    const Case cases[] = {
        {"PrintARB:Keyabez",
         "Print the arbeit File by ARB:Keyabez|aaid aid abez apr anein azeit",
         {u"Falzen"_s, u"Heften"_s, u"Schneiden"_s}},
        {"PrintTRA:Keytaid",
         "Print the transport File by TRA:Keytaid|taid atbez atpr sein atfak",
         {u"1 Kurier"_s, u"2 Post"_s, u"3 Spedition"_s}},
    };
    ReportRun run;
    for (const char *name : {"Schneiden", "Falzen", "Heften"}) {
        run.add(FileId::arbeit, [&](Records &r) {
            r.set(ARB::ABEZ, name);
            r.set(ARB::APR, 4.5);
        });
    }
    for (const char *name : {"Kurier", "Post", "Spedition"})
        run.add(FileId::transport, [&](Records &r) { r.set(TRA::TBEZ, name); });

    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        run.start(c.procedure);
        ProcWindow *preview = run.preview();
        ASSERT_NE(preview, nullptr);
        const QStringList pages
            = run.savedPages(preview, QString::fromLatin1(c.procedure).remove(u':'));
        ASSERT_EQ(pages.size(), 1);
        EXPECT_TRUE(pages[0].startsWith(QString::fromLatin1(c.firstLines) + u'|'))
            << pages[0].toStdString();
        EXPECT_TRUE(pages[0].endsWith(QStringLiteral("|Page 1")));
        EXPECT_TRUE(pdftext::inOrder(pages[0], c.rows));
        EXPECT_EQ(pages[0].count(u'|'), 2 + int(c.rows.size()));
        run.gui.press(preview, PagePreview::ExitButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
        EXPECT_EQ(run.response, Response::Completed);
    }
    EXPECT_EQ(run.app->ListWindowOpen, 0);
}

TEST(ListReportProcedures, EmptyFileSaysNoRecordsAndOpensNoPreview)
{
    ReportRun run;
    run.start("PrintSAT:Keysbez");
    const auto message = run.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, QStringLiteral("No Records"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.gui.window(QStringLiteral("Druck Vorschau")), nullptr);
    EXPECT_EQ(run.gui.window(QStringLiteral("Progress...")), nullptr);
}

TEST(ListReportProcedures, GuardedReportWaitsForTheOpenListAndReleasesTheGuardWhenItCloses)
{
    ReportRun run;
    run.add(FileId::auftrag, [](Records &r) { r.set(AUF::FNAME, "Bäckerei Sonnenschein"); });

    // Another guarded window is open: the report does not start.
    run.app->ListWindowOpen = 1;
    run.start("PrintAUF:Keyfname");
    auto message = run.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, QStringLiteral("U u u p p p s s"));
    EXPECT_EQ(message->text, QStringLiteral("Bitte verlassen Sie erst die geöffneten Menüs."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.gui.window(QStringLiteral("Druck Vorschau")), nullptr);
    EXPECT_EQ(run.app->ListWindowOpen, 1) << "the other window still holds the guard";

    // Once it is gone the report opens and holds the guard until its preview is left.
    run.app->ListWindowOpen = 0;
    run.start("PrintAUF:Keyfname");
    ProcWindow *preview = run.preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(run.app->ListWindowOpen, 1);
    const QStringList pages = run.savedPages(preview, QStringLiteral("auftraege"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].startsWith(QStringLiteral("Print the auftrag File by AUF:Keyfname|")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Bäckerei Sonnenschein")));
    run.gui.closeBox(preview);
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
    EXPECT_EQ(run.app->ListWindowOpen, 0);
}

TEST(ListReportProcedures, GuardedReportThatFindsNothingGivesTheGuardBack)
{
    ReportRun empty;
    empty.start("PrintAUF:Keyfname");
    const auto message = empty.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, QStringLiteral("No Records"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return empty.response != 0; }, 5000));
    EXPECT_EQ(empty.app->ListWindowOpen, 0);
}

TEST(ListReportProcedures, EveryListReportIsRegisteredByItsName)
{
    ReportRun run;
    for (const shell::ListReportDef &def : shell::listReports())
        EXPECT_TRUE(run.app->procedures().contains(def.procedure)) << def.procedure;
    EXPECT_FALSE(run.app->procedures().contains("PrintATR:Keytid"));
}

TEST(ListReportProcedures, PrintingFromThePreviewSendsTheChosenPagesThroughThePrintDialog)
{
    ReportRun run;
    for (int n = 1; n <= 90; ++n) {
        run.add(FileId::arbeit,
                [&](Records &r) { r.set(ARB::ABEZ, "Arbeit " + std::to_string(1000 + n)); });
    }
    const QString pdf = QString::fromStdString((run.folder.path() / "gedruckt.pdf").string());
    run.app->printer().setOutputFormat(QPrinter::PdfFormat);
    run.app->printer().setOutputFileName(pdf);
    run.start("PrintARB:Keyabez");
    ProcWindow *preview = run.preview();
    ASSERT_NE(preview, nullptr);
    // The report's menu item: the preview's own menu bar posts it to the window.
    preview->post(EventKind::Accepted, PagePreview::PagesToPrintItem);
    run.gui.settle();
    QDialog *ask = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<QDialog *>(w);
            d && d->isVisible() && d->windowTitle() == u"Seitenauswahl für Druck"_s)
            ask = d;
    }
    ASSERT_NE(ask, nullptr);
    ask->findChild<QLineEdit *>(u"Seiten für Druck"_s)->setText(u"2"_s);
    ask->findChild<QPushButton *>(u"Ok"_s)->click();
    run.gui.settle();

    run.gui.press(preview, PagePreview::PrintButton);
    QPrintDialog *dialog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<QPrintDialog *>(w); d && d->isVisible())
            dialog = d;
    }
    ASSERT_NE(dialog, nullptr) << "the platform's print dialog, opened without blocking";
    dialog->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 10000));
    EXPECT_EQ(run.response, Response::Completed);
    const QStringList pages = pdftext::pageLines(pdftext::normalised(pdftext::extract(pdf)));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].endsWith(u"|Page 2"_s)) << pages[0].toStdString();
}

} // namespace
