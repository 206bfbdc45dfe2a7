#include "formprocedure.h"

#include "framework/keycodes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTreeWidget>
#include <QWheelEvent>

namespace {

using namespace Qt::Literals::StringLiterals;

QStringList texts(const ListControl &list)
{
    QStringList rows;
    for (int r = 1; r <= list.rowCount(); ++r)
        rows << list.row(r).join(u'|');
    return rows;
}

TEST(ListControl, RowsAreAddedReplacedAndDeletedCountingFromOne)
{
    GuiHarness gui;
    ListControl list;
    list.setColumns({u"Bezeichnung"_s, u"Preis"_s});
    list.appendRow({u"Offset 80 g"_s, u"1,20"_s});
    list.appendRow({u"Bilderdruck"_s, u"2,10"_s});
    list.insertRow(1, {u"Chromokarton"_s, u"4,80"_s});
    EXPECT_EQ(texts(list),
              (QStringList{u"Chromokarton|4,80"_s, u"Offset 80 g|1,20"_s, u"Bilderdruck|2,10"_s}));

    list.setRow(2, {u"Offset 90 g"_s});
    list.removeRow(3);
    list.insertRow(99, {u"Recycling"_s, u"0,90"_s}); // beyond the end: appended
    EXPECT_EQ(texts(list),
              (QStringList{u"Chromokarton|4,80"_s, u"Offset 90 g|"_s, u"Recycling|0,90"_s}));

    list.setHighlighted(3);
    EXPECT_EQ(list.highlighted(), 3);
    list.setHighlighted(0);
    EXPECT_EQ(list.highlighted(), 0);
    list.clearRows();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(list.row(1).isEmpty());
}

TEST(ListControl, ARowRewrittenSignalsItsChangedCellsOnceAndUnchangedNotAtAll)
{
    GuiHarness gui;
    ListControl list;
    list.setColumns({u"Bezeichnung"_s, u"Grammatur"_s, u"Preis"_s});
    list.appendRow({u"Offset"_s, u"80 g"_s, u"1,20"_s});
    list.appendRow({u"Bilderdruck"_s, u"115 g"_s, u"2,10"_s});
    QList<std::pair<QModelIndex, QModelIndex>> changes;
    QObject::connect(list.view()->model(),
                     &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &from, const QModelIndex &to) {
                         changes.append({from, to});
                     });

    list.setRow(2, {u"Bilderdruck"_s, u"115 g"_s, u"2,10"_s});
    EXPECT_TRUE(changes.isEmpty());

    list.setRow(2, {u"Bilderdruck"_s, u"135 g"_s, u"2,40"_s});
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first.row(), 1);
    EXPECT_EQ(changes[0].first.column(), 1);
    EXPECT_EQ(changes[0].second.row(), 1);
    EXPECT_EQ(changes[0].second.column(), 2);
    EXPECT_EQ(texts(list), (QStringList{u"Offset|80 g|1,20"_s, u"Bilderdruck|135 g|2,40"_s}));

    // Columns the texts leave out are emptied.
    changes.clear();
    list.setRow(1, {u"Offset"_s});
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0].first.column(), 1);
    EXPECT_EQ(changes[0].second.column(), 2);
    EXPECT_EQ(texts(list), (QStringList{u"Offset||"_s, u"Bilderdruck|135 g|2,40"_s}));
}

TEST(ListControl, SetRowsLeavesExactlyTheRowsGivenWhateverItHeldBefore)
{
    GuiHarness gui;
    ListControl list;
    list.setColumns({u"Name"_s, u"Ort"_s});
    const QList<QStringList> three{{u"Bauer"_s, u"Köln"_s}, {u"Koch"_s}, {u"Wolf"_s, u"Bonn"_s}};
    const struct
    {
        const char *name;
        QList<QStringList> rows;
        QStringList shown;
    } cases[] = {
        {"into an empty list", three, {u"Bauer|Köln"_s, u"Koch|"_s, u"Wolf|Bonn"_s}},
        {"rewritten in place and grown",
         {{u"Bauer"_s, u"Köln"_s}, {u"Klein"_s, u"Essen"_s}, {u"Wolf"_s, u"Bonn"_s}, {u"Zinn"_s}},
         {u"Bauer|Köln"_s, u"Klein|Essen"_s, u"Wolf|Bonn"_s, u"Zinn|"_s}},
        {"shrunk", {{u"Abel"_s}}, {u"Abel|"_s}},
        {"emptied", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        list.setRows(c.rows);
        EXPECT_EQ(texts(list), c.shown);
    }
}

// Figures line up at the right whichever way their rows came, and so do their headings.
TEST(ListControl, NumberColumnsAreRightAlignedHeadingsAndRows)
{
    GuiHarness gui;
    ListControl list;
    list.setColumns({u"Bezeichnung"_s, u"Anzahl"_s, u"Preis"_s});
    list.setNumberColumns({1, 2});
    list.setRows({{u"Falzen"_s, u"2.500"_s, u"1.234,50"_s}});
    list.appendRow({u"Heften"_s, u"10"_s, u"3,00"_s});
    list.insertRow(1, {u"Schneiden"_s, u"1"_s, u"12,00"_s});
    const QTreeWidget &view = *list.view();
    const auto alignment = [](int flags) {
        return flags & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment(view.headerItem()->textAlignment(0)) & Qt::AlignRight, 0);
    for (int c : {1, 2})
        EXPECT_EQ(alignment(view.headerItem()->textAlignment(c)), Qt::AlignRight) << c;
    for (int r = 0; r < view.topLevelItemCount(); ++r) {
        const QTreeWidgetItem &item = *view.topLevelItem(r);
        EXPECT_EQ(alignment(item.textAlignment(0)) & Qt::AlignRight, 0) << r;
        for (int c : {1, 2})
            EXPECT_EQ(alignment(item.textAlignment(c)), Qt::AlignRight) << r << "," << c;
    }
}

TEST(ListControl, VisibleRowsAreTheRowsThatFit)
{
    GuiHarness gui;
    for (const int height : {120, 300}) {
        SCOPED_TRACE(height);
        ListControl list;
        list.resize(200, height);
        list.show();
        ASSERT_TRUE(gui.settle());
        const int fit = list.visibleRows();
        ASSERT_GE(fit, 2);
        for (int r = 0; r <= fit; ++r)
            list.appendRow({QString::number(r + 1)});
        QTreeWidget *view = list.view();
        const int viewportHeight = view->viewport()->height();
        EXPECT_LE(view->visualItemRect(view->topLevelItem(fit - 1)).bottom(), viewportHeight);
        EXPECT_GT(view->visualItemRect(view->topLevelItem(fit)).bottom(), viewportHeight)
            << "one row more would not fit";
    }
}

// A procedure window with list 60 holding five rows, the third highlighted.
ProcWindow *startList(GuiHarness &gui, QStringList &log, QList<int> alertKeys = {})
{
    startForm(gui, u"Liste"_s, log, {}, [alertKeys](ProcWindow &window, TestForm &form) {
        for (int r = 1; r <= 5; ++r)
            form.list->appendRow({QStringLiteral("Zeile %1").arg(r)});
        form.list->setHighlighted(3);
        window.setAlertKeys(60, alertKeys);
    });
    return gui.window(u"Liste"_s);
}

TEST(ListControl, ScrollingIsLeftToTheListManager)
{
    GuiHarness gui;
    QStringList log;
    ProcWindow *window = startList(gui, log);
    ASSERT_NE(window, nullptr);
    ListControl *list = window->list(60);

    struct Row
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char *event;
    };
    const Row rows[] = {
        {Qt::Key_Up, Qt::NoModifier, "ScrollUp 60"},
        {Qt::Key_Down, Qt::NoModifier, "ScrollDown 60"},
        {Qt::Key_PageUp, Qt::NoModifier, "PageUp 60"},
        {Qt::Key_PageDown, Qt::NoModifier, "PageDown 60"},
        {Qt::Key_Home, Qt::NoModifier, "ScrollTop 60"},
        {Qt::Key_End, Qt::NoModifier, "ScrollBottom 60"},
        {Qt::Key_PageUp, Qt::ControlModifier, "ScrollTop 60"},
        {Qt::Key_PageDown, Qt::ControlModifier, "ScrollBottom 60"},
        {Qt::Key_B, Qt::NoModifier, nullptr}, // no keyboard search moving the highlight
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.event ? row.event : "letter");
        const qsizetype before = log.size();
        gui.key(window, 60, row.key, row.modifiers);
        EXPECT_EQ(since(log, before),
                  row.event ? QStringList{QString::fromLatin1(row.event)} : QStringList{});
        EXPECT_EQ(list->highlighted(), 3) << "the highlight stays where the manager put it";
    }

    const qsizetype before = log.size();
    QWheelEvent wheel(QPointF(5, 5),
                      list->view()->viewport()->mapToGlobal(QPointF(5, 5)),
                      QPoint(),
                      QPoint(0, -240),
                      Qt::NoButton,
                      Qt::NoModifier,
                      Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(list->view()->viewport(), &wheel);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(since(log, before), (QStringList{u"ScrollDown 60"_s, u"ScrollDown 60"_s}));
}

TEST(ListControl, TheThumbReportsStepsAndWhereItWasDropped)
{
    GuiHarness gui;
    QStringList log;
    ProcWindow *window = startList(gui, log);
    ASSERT_NE(window, nullptr);
    ListControl *list = window->list(60);
    EXPECT_FALSE(list->hasVerticalScrollBar());
    list->setVerticalScrollBar(true);
    list->setThumbShown(true);
    EXPECT_TRUE(list->thumb()->isVisible());
    list->setThumbPosition(30);
    ASSERT_TRUE(gui.settle());

    qsizetype before = log.size();
    list->thumb()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    list->thumb()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    list->thumb()->triggerAction(QAbstractSlider::SliderToMinimum);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(since(log, before),
              (QStringList{u"PageDown 60"_s, u"ScrollUp 60"_s, u"ScrollTop 60"_s}));
    EXPECT_EQ(list->thumb()->value(), 30) << "only the manager moves the thumb";

    before = log.size();
    list->thumb()->setSliderDown(true);
    list->thumb()->setSliderPosition(40);
    list->thumb()->setSliderDown(false);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(since(log, before), QStringList{u"ScrollDrag 60 thumb 40"_s});

    list->setThumbShown(false);
    EXPECT_FALSE(list->thumb()->isVisible());
}

TEST(ListControl, ClicksSelectRowsAndArmedMouseCodesComeFirst)
{
    struct Row
    {
        const char *name;
        QList<int> alertKeys;
        std::function<void(GuiHarness &, ProcWindow *)> act;
        QStringList events;
        int highlighted;
    };
    const Row rows[] = {
        {"left click",
         {},
         [](GuiHarness &g, ProcWindow *w) { g.pickRow(w, 60, 2); },
         {u"NewSelection 60 key 1"_s},
         2},
        {"right click",
         {},
         [](GuiHarness &g, ProcWindow *w) { g.pickRow(w, 60, 4, true); },
         {u"NewSelection 60 key 130"_s},
         4},
        {"right click armed",
         {KeyCode::MouseRightUp},
         [](GuiHarness &g, ProcWindow *w) { g.pickRow(w, 60, 4, true); },
         {u"AlertKey 60 key 130"_s, u"NewSelection 60 key 130"_s},
         4},
        {"double click",
         {},
         [](GuiHarness &g, ProcWindow *w) { g.doubleClickRow(w, 60, 5); },
         {u"NewSelection 60 key 1"_s, u"Accepted 60 key 5"_s},
         5},
        {"double click armed",
         {KeyCode::MouseLeft2},
         [](GuiHarness &g, ProcWindow *w) { g.doubleClickRow(w, 60, 5); },
         {u"NewSelection 60 key 1"_s, u"AlertKey 60 key 5"_s},
         5},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        GuiHarness gui;
        QStringList log;
        ProcWindow *window = startList(gui, log, row.alertKeys);
        ASSERT_NE(window, nullptr);
        const qsizetype before = log.size();
        row.act(gui, window);
        EXPECT_EQ(since(log, before), row.events);
        EXPECT_EQ(window->list(60)->highlighted(), row.highlighted);
        EXPECT_EQ(window->list(60)->mouseRow(), row.highlighted);
    }
}

} // namespace
