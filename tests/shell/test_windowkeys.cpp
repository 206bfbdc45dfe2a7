// The keys and clicks a user expects of forms and lists: Esc leaves a form (asking first when
// something was typed), Enter in a list opens the highlighted record, and a click on a row of
// a list whose window is not the active one highlights that row, for Delete to act on.

#include "framefixture.h"

#include "framework/listcontrol.h"
#include "shell/lists/listprocedure.h"
#include "shell/sampledata/sampledata.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <QTreeWidget>

namespace {

using namespace Qt::Literals::StringLiterals;

class WindowKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sampledata::fillSampleData(f.program->store()), sampledata::FillResult::Filled);
        f.start();
    }

    ProcWindow *openList(const char *procedure)
    {
        const int before = static_cast<int>(ProcWindow::openWindows().size());
        f.app().start(procedure);
        f.settle();
        const QList<ProcWindow *> windows = ProcWindow::openWindows();
        return windows.size() > before ? windows.last() : nullptr;
    }

    static ListControl *listOf(ProcWindow *w) { return w->list(ListProcedure::kList); }

    static QPoint rowCentre(ListControl *list, int row)
    {
        QTreeWidget *view = list->view();
        return view->visualItemRect(view->topLevelItem(row - 1)).center();
    }

    // The papers' names in the file, in key order.
    QStringList paperNames()
    {
        QStringList names;
        StoreContext &s = f.program->store();
        f.app().threads().start(u"read"_s, [&] {
            FileManager &papers = s.fileManager(FileId::papier);
            papers.Open();
            if (papers.startPass(PAP::Keypbez) == 0) {
                while (papers.NextQuiet() == 0)
                    names << QString::fromStdString(s.records().get(PAP::PBEZ));
            }
            papers.Close();
        });
        f.settle();
        return names;
    }

    FrameFixture f;
};

TEST_F(WindowKeys, EnterOpensTheHighlightedRecordAndEscLeavesTheFormAskingOnlyAfterAChange)
{
    ProcWindow *list = openList("Browsepapier");
    ASSERT_NE(list, nullptr);
    ListControl *rows = listOf(list);
    ASSERT_GE(rows->rowCount(), 3);
    QTest::keyClick(rows->view(), Qt::Key_Down);
    f.settle();
    QTest::keyClick(rows->view(), Qt::Key_Down);
    f.settle();
    const QString chosen = rows->row(rows->highlighted()).value(0);
    ASSERT_EQ(rows->highlighted(), 3);

    QTest::keyClick(rows->view(), Qt::Key_Return);
    f.settle();
    ProcWindow *form = ProcWindow::openWindows().last();
    ASSERT_NE(form, list) << "Enter opened no form";
    auto *name = qobject_cast<QLineEdit *>(form->control(1));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().trimmed(), chosen) << "the form shows another record";

    // Unchanged: Esc leaves at once.
    QTest::keyClick(name, Qt::Key_Escape);
    f.settle();
    EXPECT_FALSE(ProcWindow::openWindows().contains(form));
    EXPECT_FALSE(f.answer(QMessageBox::No).has_value()) << "a question without a change";

    // Changed: Esc asks, and No leaves without saving.
    QTest::keyClick(rows->view(), Qt::Key_Return);
    f.settle();
    form = ProcWindow::openWindows().last();
    name = qobject_cast<QLineEdit *>(form->control(1));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, u"Neue Sorte"_s);
    QTest::keyClick(name, Qt::Key_Escape);
    f.settle();
    ASSERT_TRUE(f.answer(QMessageBox::No).has_value()) << "Esc after a change did not ask";
    EXPECT_FALSE(ProcWindow::openWindows().contains(form));
    EXPECT_TRUE(paperNames().contains(chosen));
    EXPECT_FALSE(paperNames().contains(u"Neue Sorte"_s));
}

// What the order form works out on opening (the customer's address, the sums of the lines,
// the due dates) is what the sample orders hold: opened and left, they ask nothing.
TEST_F(WindowKeys, ASampleOrderOpenedAndLeftAsksNothing)
{
    ProcWindow *list = openList("Browseauftrag");
    ASSERT_NE(list, nullptr);
    ListControl *rows = listOf(list);
    ASSERT_GE(rows->rowCount(), 2);
    for (int row = 1; row <= rows->rowCount(); ++row) {
        SCOPED_TRACE(rows->row(row).value(0).toStdString());
        rows->setHighlighted(row);
        QTest::keyClick(rows->view(), Qt::Key_Return);
        f.settle();
        ProcWindow *form = ProcWindow::openWindows().last();
        ASSERT_NE(form, list) << "Enter opened no form";
        QTest::keyClick(form->subWindow()->widget(), Qt::Key_Escape);
        f.settle();
        EXPECT_FALSE(f.answer(QMessageBox::No).has_value()) << "a question without a change";
        EXPECT_FALSE(ProcWindow::openWindows().contains(form));
    }
}

TEST_F(WindowKeys, AClickOnARowOfAnInactiveListHighlightsItAndDeleteActsOnIt)
{
    ProcWindow *papers = openList("Browsepapier");
    ASSERT_NE(papers, nullptr);
    ProcWindow *other = openList("Browsekaldruck");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(f.frame().area()->activeSubWindow(), other->subWindow());

    ListControl *rows = listOf(papers);
    ASSERT_GE(rows->rowCount(), 4);
    const QStringList before = paperNames();
    const QString clicked = rows->row(4).value(0);
    QTest::mouseClick(rows->view()->viewport(), Qt::LeftButton, {}, rowCentre(rows, 4));
    f.settle();
    EXPECT_EQ(f.frame().area()->activeSubWindow(), papers->subWindow());
    EXPECT_EQ(rows->highlighted(), 4);

    QTest::keyClick(rows->view(), Qt::Key_Delete);
    f.settle();
    ASSERT_TRUE(f.answer(QMessageBox::Yes).has_value()) << "Delete asked nothing";
    const QStringList left = paperNames();
    EXPECT_FALSE(left.contains(clicked)) << clicked.toStdString() << " was not deleted";
    EXPECT_EQ(left.size(), before.size() - 1) << "another paper went with it";
}

} // namespace
