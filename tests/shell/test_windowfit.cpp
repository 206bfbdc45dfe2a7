// Every form on the most common laptop screen: the main frame at 1366 × 700 (768 less the task
// bar and the frame's title) leaves its window area smaller still, and OK and Cancel must be in
// sight there without scrolling, the order form's in every status.

#include "framefixture.h"

#include "framework/listcontrol.h"
#include "shell/sampledata/sampledata.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

#include <string>

namespace {

using namespace Qt::Literals::StringLiterals;

struct FormCase
{
    const char *procedure;
    FileId file;
    // An order form opened on a sample order shown in this status (and cash discount, which
    // adds a line); empty: the form opened for a new record.
    const char *status = "";
    double skonto = 0;
};

const FormCase kForms[] = {
    {"UpdateaufpapP", FileId::aufpap},
    {"UpdatepapierR", FileId::papier},
    {"Updateasatz", FileId::asatz},
    {"Updateanach", FileId::anach},
    {"Updateatran", FileId::atran},
    {"Updatemaschin", FileId::maschin},
    {"UpdatearbeitA", FileId::arbeit},
    {"Updatesatz", FileId::satz},
    {"Updatetransport", FileId::transport},
    {"updatlief", FileId::lieferant},
    {"Updatekaldruck", FileId::kaldruck},
    {"Updatekunde", FileId::kunde},
    {"Upddrukunde", FileId::kunde},
    {"Firmendaten", FileId::firma},
    {"Updatetext", FileId::text},
    {"Updateauftrag", FileId::auftrag},
    {"Updateauftrag", FileId::auftrag, "ANGEBOT"},
    {"Updateauftrag", FileId::auftrag, "LIEFERSCHEIN"},
    {"Updateauftrag", FileId::auftrag, "RECHNUNG"},
    {"Updateauftrag", FileId::auftrag, "RECHNUNG", 3},
    {"Upddruauftrag", FileId::auftrag, "ANGEBOT"},
    {"Upddruauftrag", FileId::auftrag, "RECHNUNG", 2},
};

std::string caseName(const FormCase &c)
{
    std::string name = c.procedure;
    if (*c.status)
        name += std::string(" ") + c.status;
    if (c.skonto > 0)
        name += " mit Skonto";
    return name;
}

// The form's button with one of these captions.
QPushButton *button(const QMdiSubWindow *sub, std::initializer_list<QString> captions)
{
    for (QPushButton *b : sub->findChildren<QPushButton *>()) {
        for (const QString &caption : captions) {
            if (b->text() == caption)
                return b;
        }
    }
    return nullptr;
}

// The lists inside a form show their texts whole, the last column (which takes what is left)
// aside.
void expectColumnsFit(const QMdiSubWindow *sub, const std::string &what)
{
    for (ListControl *list : sub->findChildren<ListControl *>()) {
        const QFontMetrics metrics(list->font());
        const QList<int> widths = list->columnWidths();
        for (int r = 1; r <= list->rowCount(); ++r) {
            const QStringList texts = list->row(r);
            for (int c = 0; c + 1 < list->columnCount() && c < texts.size(); ++c)
                EXPECT_GE(widths.value(c), metrics.horizontalAdvance(texts.at(c)))
                    << what << ": \"" << texts.at(c).toStdString() << "\" is cut";
        }
    }
}

// Check boxes and labels show their texts whole; a label that wraps may be narrower.
void expectTextsWhole(const QMdiSubWindow *sub, const std::string &what)
{
    for (const QCheckBox *box : sub->findChildren<QCheckBox *>()) {
        if (box->isVisible() && !box->text().isEmpty()) {
            EXPECT_GE(box->width(), box->sizeHint().width())
                << what << ": \"" << box->text().toStdString() << "\" is cut";
        }
    }
    for (const QLabel *label : sub->findChildren<QLabel *>()) {
        if (label->isVisible() && !label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width())
                << what << ": \"" << label->text().toStdString() << "\" is cut";
        }
    }
}

// Whole, in the area's visible part, and not cut by a scrolling part of its form.
void expectInSight(const QMdiArea &area, const QPushButton *b, const std::string &what)
{
    ASSERT_NE(b, nullptr) << what;
    EXPECT_TRUE(b->isVisible()) << what;
    const QRect inArea(b->mapTo(area.viewport(), QPoint(0, 0)), b->size());
    EXPECT_TRUE(area.viewport()->rect().contains(inArea))
        << what << " at " << inArea.x() << "," << inArea.y() << " " << inArea.width() << "x"
        << inArea.height() << ", area " << area.viewport()->width() << "x"
        << area.viewport()->height();
    EXPECT_EQ(b->visibleRegion().boundingRect(), b->rect()) << what << " is partly hidden";
}

class WindowFit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sampledata::fillSampleData(f.program->store()), sampledata::FillResult::Filled);
        f.start();
        f.frame().resize(1366, 700);
        f.settle();
    }

    // Opens the form as its list would and leaves it open.
    ProcWindow *open(const FormCase &c)
    {
        f.app().threads().start(u"fit"_s, [this, c] {
            StoreContext &s = f.program->store();
            s.relations(FileId::kunde).Open();
            s.relations(c.file).Open();
            s.fileManager(FileId::kunde).startPass(KUN::Keyid);
            s.fileManager(FileId::kunde).NextQuiet();
            int request = Request::Insert;
            if (*c.status) {
                FileManager &orders = s.fileManager(FileId::auftrag);
                orders.startPass(AUF::Keyfid);
                orders.NextQuiet();
                s.records().set(AUF::FSTAT, std::string(c.status));
                s.records().set(AUF::SKPROZ, c.skonto);
                request = Request::Change;
            } else {
                s.fileManager(c.file).PrepareNewRecord();
            }
            f.app().call(c.procedure, request);
            s.relations(c.file).Close();
            s.relations(FileId::kunde).Close();
        });
        f.settle();
        const QList<ProcWindow *> windows = ProcWindow::openWindows();
        return windows.isEmpty() ? nullptr : windows.last();
    }

    // With TESSARO_SHOTS naming a folder, the frame as the user sees it is kept there.
    void shoot(const std::string &name)
    {
        const QString folder = qEnvironmentVariable("TESSARO_SHOTS");
        if (folder.isEmpty())
            return;
        QString file = QString::fromStdString(name);
        file.replace(u' ', u'_');
        f.frame().grab().save(folder + u'/' + file + u".png"_s);
    }

    void closeAll()
    {
        for (int round = 0; round < 5 && !ProcWindow::openWindows().isEmpty(); ++round) {
            ProcWindow::openWindows().last()->post(EventKind::CloseDown);
            f.settle();
            f.answer(QMessageBox::No);
        }
    }

    FrameFixture f;
};

TEST_F(WindowFit, OkAndCancelAreInSightOnALaptopScreen)
{
    const QMdiArea &area = *f.frame().area();
    ASSERT_LE(area.viewport()->height(), 640);
    for (const FormCase &c : kForms) {
        const std::string name = caseName(c);
        ProcWindow *w = open(c);
        ASSERT_NE(w, nullptr) << name;
        const QMdiSubWindow *sub = w->subWindow();
        shoot(name);
        expectInSight(area, button(sub, {u"OK"_s}), name + ": OK");
        expectInSight(area, button(sub, {u"Abbrechen"_s, u"Abbruch"_s}), name + ": Abbrechen");
        expectColumnsFit(sub, name);
        expectTextsWhole(sub, name);
        closeAll();
        ASSERT_TRUE(ProcWindow::openWindows().isEmpty()) << name;
    }
}

// The order form is laid out in width: it shows whole, without a scroll bar, in every status.
TEST_F(WindowFit, TheOrderFormNeedsNoScrolling)
{
    const QMdiArea &area = *f.frame().area();
    for (const FormCase &c : kForms) {
        if (*c.status == 0)
            continue;
        const std::string name = caseName(c);
        ProcWindow *w = open(c);
        ASSERT_NE(w, nullptr) << name;
        const QMdiSubWindow *sub = w->subWindow();
        EXPECT_LE(sub->height(), area.viewport()->height()) << name;
        EXPECT_LE(sub->width(), area.viewport()->width()) << name;
        const QSize wanted = sub->widget()->sizeHint();
        EXPECT_GE(sub->widget()->height(), wanted.height()) << name << " needs scrolling";
        closeAll();
    }
}

// The lists fit the same area with their buttons in sight.
TEST_F(WindowFit, ListsShowTheirButtonsOnALaptopScreen)
{
    const QMdiArea &area = *f.frame().area();
    for (const char *procedure : {"Browsepapier", "Browseauftrag", "Browsekunde"}) {
        f.app().start(procedure);
        f.settle();
        ASSERT_FALSE(ProcWindow::openWindows().isEmpty()) << procedure;
        const QMdiSubWindow *sub = ProcWindow::openWindows().last()->subWindow();
        shoot(procedure);
        // No column begins past the list's right edge, and the last shows its texts whole.
        for (const ListControl *list : sub->findChildren<ListControl *>()) {
            const QTreeWidget &view = *list->view();
            const int last = list->columnCount() - 1;
            const int lastStart = view.header()->sectionPosition(last);
            EXPECT_LE(lastStart + view.header()->sectionSizeHint(last), view.viewport()->width())
                << procedure << ": the heading of the last column is cut";
            const QFontMetrics metrics(view.font());
            for (int r = 1; r <= list->rowCount(); ++r) {
                const QString text = list->row(r).value(last);
                EXPECT_LE(lastStart + metrics.horizontalAdvance(text), view.viewport()->width())
                    << procedure << ": \"" << text.toStdString() << "\" is cut";
            }
        }
        for (QPushButton *b : sub->findChildren<QPushButton *>()) {
            if (b->isVisibleTo(sub))
                expectInSight(area, b, std::string(procedure) + ": " + b->text().toStdString());
        }
        closeAll();
    }
}

} // namespace
