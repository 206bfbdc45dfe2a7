// Where windows open and what they keep: lists fit their columns to what they show and keep
// size, place and column widths in the settings file (readable by any reader of such files);
// the printer set-up keeps its size; message boxes and the help stand centred on the main
// window and on the screen; the cascade leaves no form smaller than it can be shown in; a
// form keeps its size and place after the preview of one of its documents.

#include "framefixture.h"

#include "framework/dialogs.h"
#include "framework/listcontrol.h"
#include "framework/pagepreview.h"
#include "shell/lists/listprocedure.h"
#include "shell/sampledata/sampledata.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/inimanager.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

namespace {

using namespace Qt::Literals::StringLiterals;

class WindowPlaces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sampledata::fillSampleData(f.program->store()), sampledata::FillResult::Filled);
        f.start();
    }

    ProcWindow *openList(const char *procedure)
    {
        const qsizetype before = ProcWindow::openWindows().size();
        f.app().start(procedure);
        f.settle();
        const QList<ProcWindow *> windows = ProcWindow::openWindows();
        return windows.size() > before ? windows.last() : nullptr;
    }

    void closeList(ProcWindow *list)
    {
        auto *close = qobject_cast<QPushButton *>(list->control(ListProcedure::kClose));
        ASSERT_NE(close, nullptr);
        close->click();
        f.settle();
    }

    QString iniPath() const { return QDir(f.folder.path()).filePath(u"morva.INI"_s); }

    // The entries of a section as a reader of sectioned settings files sees them.
    QString readWithConfigParser(const QString &section, const QString &entry) const
    {
        QProcess python;
        python.start(u"python3"_s,
                     {u"-c"_s,
                      u"import configparser,sys\n"
                      "c=configparser.ConfigParser(interpolation=None)\n"
                      "c.optionxform=str\n"
                      "c.read(sys.argv[1],encoding='utf-8')\n"
                      "print(c[sys.argv[2]][sys.argv[3]])"_s,
                      iniPath(),
                      section,
                      entry});
        python.waitForFinished(30000);
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    }

    FrameFixture f;
};

TEST_F(WindowPlaces, AListFitsItsColumnsAndKeepsThemItsSizeAndPlace)
{
    ProcWindow *list = openList("Browsepapier");
    ASSERT_NE(list, nullptr);
    ListControl *rows = list->list(ListProcedure::kList);
    ASSERT_GT(rows->rowCount(), 0);
    const QFontMetrics metrics(rows->view()->font());
    int widest = 0;
    for (int r = 1; r <= rows->rowCount(); ++r)
        widest = std::max(widest, metrics.horizontalAdvance(rows->row(r).value(0)));
    EXPECT_GE(rows->columnWidths().value(0), widest) << "the names are cut";

    list->subWindow()->setGeometry(12, 34, 900, 420);
    QList<int> widths = rows->columnWidths();
    widths[1] = 77;
    rows->setColumnWidths(widths);
    closeList(list);
    ASSERT_TRUE(QFile::exists(iniPath()));
    EXPECT_EQ(readWithConfigParser(u"Browsepapier"_s, u"Width"_s), u"900"_s);
    EXPECT_EQ(readWithConfigParser(u"Browsepapier"_s, u"XPos"_s), u"12"_s);
    EXPECT_TRUE(readWithConfigParser(u"Browsepapier"_s, u"Columns"_s).contains(u",77,"_s));

    list = openList("Browsepapier");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->subWindow()->geometry(), QRect(12, 34, 900, 420));
    EXPECT_EQ(list->list(ListProcedure::kList)->columnWidths().value(1), 77);
    closeList(list);
}

TEST_F(WindowPlaces, TheSearchFieldShowsWhatTheLocatorLooksFor)
{
    ProcWindow *list = openList("Browsepapier");
    ASSERT_NE(list, nullptr);
    auto *search = qobject_cast<QLineEdit *>(list->control(ListProcedure::kSearch));
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->isVisible());
    EXPECT_TRUE(search->text().isEmpty());
    ListControl *rows = list->list(ListProcedure::kList);
    QTest::keyClick(rows->view(), Qt::Key_K);
    f.settle();
    EXPECT_EQ(search->text().toUpper(), u"K"_s);
    EXPECT_TRUE(rows->row(rows->highlighted()).value(0).startsWith(u"K"_s, Qt::CaseInsensitive));
    closeList(list);
}

TEST_F(WindowPlaces, ThePrinterSetUpKeepsItsSize)
{
    IniManager &ini = f.program->store().ini();
    bool answered = false;
    const auto ask = [&] {
        f.app().threads().start(u"Druckereinstellungen"_s, [&] {
            QPrinter printer;
            askPrinterSetup(printer, ini);
            answered = true;
        });
        f.settle();
    };
    const auto dialog = [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *d = qobject_cast<QPrintDialog *>(w); d && d->isVisible())
                return d;
        }
        return static_cast<QPrintDialog *>(nullptr);
    };
    ask();
    QPrintDialog *first = dialog();
    ASSERT_NE(first, nullptr);
    first->resize(first->size() + QSize(60, 40));
    const QSize chosen = first->size();
    first->reject();
    f.settle();
    ASSERT_TRUE(answered);
    EXPECT_EQ(ini.Fetch(PrinterSetupSection, "Width"), std::to_string(chosen.width()));

    answered = false;
    ask();
    QPrintDialog *second = dialog();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->size(), chosen);
    second->reject();
    f.settle();
    EXPECT_TRUE(answered);
}

TEST_F(WindowPlaces, MessageBoxesStandCentredOnTheMainWindowAndOnTheScreen)
{
    const QRect screen = f.frame().screen()->availableGeometry();
    for (const QPoint framePlace : {QPoint(screen.left() + 10, screen.top() + 10),
                                    QPoint(screen.right() - 150, screen.bottom() - 100)}) {
        f.frame().setGeometry(QRect(framePlace, QSize(600, 450)));
        f.settle();
        // A second guarded list is refused with a message.
        ProcWindow *first = openList("Browsepapier");
        ASSERT_NE(first, nullptr);
        f.app().start("Browsemaschin");
        f.settle();
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                box = b;
        }
        ASSERT_NE(box, nullptr);
        const QRect placed = box->frameGeometry();
        EXPECT_TRUE(screen.contains(placed)) << "off the screen";
        if (screen.contains(f.frame().frameGeometry())) {
            const QPoint off = placed.center() - f.frame().frameGeometry().center();
            EXPECT_LE(off.manhattanLength(), 4) << "not centred on the main window";
        }
        f.answer(QMessageBox::Ok);
        closeList(first);
    }
}

TEST_F(WindowPlaces, TheHelpStandsInTheMiddleOfTheWindowArea)
{
    f.frame().resize(1366, 700);
    f.settle();
    f.frame().showHelp(MainFrame::HelpPage::Contents);
    f.settle();
    QMdiSubWindow *help = f.frame().area()->activeSubWindow();
    ASSERT_NE(help, nullptr);
    const QPoint off = help->geometry().center() - f.frame().area()->viewport()->rect().center();
    EXPECT_LE(off.manhattanLength(), 4);
}

TEST_F(WindowPlaces, TheCascadeLeavesNoWindowSmallerThanItsForm)
{
    f.frame().resize(1366, 700);
    f.settle();
    ASSERT_NE(openList("Browsekaldruck"), nullptr);
    ASSERT_NE(openList("Browseanach"), nullptr);
    ASSERT_NE(openList("Browsepapier"), nullptr);
    f.frame().cascadeWindows();
    f.settle();
    for (QMdiSubWindow *sub : f.frame().area()->subWindowList()) {
        const QSize least = sub->minimumSizeHint();
        EXPECT_GE(sub->width(), least.width()) << sub->windowTitle().toStdString();
        EXPECT_GE(sub->height(), least.height()) << sub->windowTitle().toStdString();
    }
}

TEST_F(WindowPlaces, AFormKeepsItsSizeAndPlaceAfterAMaximisedPreview)
{
    f.frame().resize(1366, 700);
    f.settle();
    f.program->store().ini().Update("_PreviewWindow_", "Maximize", "Yes");
    f.app().threads().start(u"Browseauftrag"_s, [this] {
        StoreContext &s = f.program->store();
        s.relations(FileId::kunde).Open();
        s.relations(FileId::auftrag).Open();
        FileManager &orders = s.fileManager(FileId::auftrag);
        orders.startPass(AUF::Keyfid);
        orders.NextQuiet();
        s.records().set(AUF::FSTAT, std::string("ANGEBOT"));
        s.records().set(AUF::FANNR, std::string("A-4711"));
        f.app().call("Updateauftrag", Request::Change);
        s.relations(FileId::auftrag).Close();
        s.relations(FileId::kunde).Close();
    });
    f.settle();
    ProcWindow *form = ProcWindow::openWindows().last();
    ASSERT_NE(form, nullptr);
    form->subWindow()->setGeometry(20, 10, form->subWindow()->width(), form->subWindow()->height());
    f.settle();
    const QRect before = form->subWindow()->geometry();

    // One copy: one report, one preview.
    auto *copies = qobject_cast<QLineEdit *>(form->control(115));
    ASSERT_NE(copies, nullptr);
    copies->setFocus();
    copies->selectAll();
    QTest::keyClicks(copies, u"1"_s);
    QTest::keyClick(copies, Qt::Key_Return);
    f.settle();
    auto *print = qobject_cast<QPushButton *>(form->control(117));
    ASSERT_NE(print, nullptr);
    print->click();
    // The report hands the preview its pages while the loop runs; the preview is done once it
    // no longer says that more pages follow.
    ProcWindow *preview = nullptr;
    const bool complete = QTest::qWaitFor(
        [&] {
            f.settle();
            preview = f.window(u"Druck Vorschau"_s);
            return preview && preview->isHidden(PagePreview::ReportStatus);
        },
        30000);
    ASSERT_NE(preview, nullptr) << "no preview";
    EXPECT_TRUE(complete) << "the report did not finish";
    EXPECT_TRUE(preview->subWindow()->isMaximized());
    preview->post(EventKind::CloseWindow);
    f.settle();
    f.answer(QMessageBox::No);
    ASSERT_TRUE(ProcWindow::openWindows().contains(form));
    EXPECT_FALSE(form->subWindow()->isMaximized());
    EXPECT_EQ(form->subWindow()->geometry(), before);
}

} // namespace
