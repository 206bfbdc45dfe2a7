#include "formprocedure.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

using namespace Qt::Literals::StringLiterals;

// The test form "Papier" opened on a procedure thread, its events logged.
class PapierForm : public testing::Test
{
protected:
    void SetUp() override
    {
        startForm(gui, u"Papier"_s, log);
        window = gui.window(u"Papier"_s);
        ASSERT_NE(window, nullptr);
    }

    GuiHarness gui;
    QStringList log;
    ProcWindow *window = nullptr;
};

TEST_F(PapierForm, OpensWithOpenWindowAndSizedAndReportsLaterResizes)
{
    EXPECT_EQ(significant(log), (QStringList{u"OpenWindow"_s, u"Sized"_s}));

    window->subWindow()->resize(window->subWindow()->size() + QSize(40, 30));
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(significant(log), (QStringList{u"OpenWindow"_s, u"Sized"_s, u"Sized"_s}));
}

TEST(ProcWindow, TheCloseBoxAsksTheProcedureInsteadOfClosing)
{
    GuiHarness gui;
    QStringList log;
    int closeRequests = 0;
    startForm(gui, u"Papier"_s, log, [&](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::CloseWindow && ++closeRequests == 2)
            window.close(); // the procedure gives in the second time
        return true;
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    gui.closeBox(window);
    EXPECT_EQ(significant(log).last(), u"CloseWindow"_s);
    EXPECT_EQ(gui.window(u"Papier"_s), window);
    EXPECT_TRUE(window->subWindow()->isVisible());
    EXPECT_TRUE(gui.threads().count() == 1);

    gui.closeBox(window);
    EXPECT_EQ(gui.window(u"Papier"_s), nullptr);
    EXPECT_EQ(gui.threads().count(), 0);
}

TEST_F(PapierForm, ASubWindowDestroyedFromOutsideEndsItsProcedure)
{
    // As when the host area goes with the window in it. The sub-window keeps sending events
    // to the window's filter while it is torn down; the sanitizer build checks that nothing
    // takes it for a sub-window then.
    window->control(10)->setFocus();
    ASSERT_TRUE(gui.settle());

    delete window->subWindow();
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(gui.window(u"Papier"_s), nullptr);
    EXPECT_EQ(gui.threads().count(), 0);
}

struct SignalRow
{
    const char *name;
    std::function<void(GuiHarness &, ProcWindow *)> act;
    QStringList events;
};

TEST(ProcWindow, WhatTheUserDoesArrivesAsEvents)
{
    GuiHarness gui;
    QStringList log;
    startForm(gui, u"Papier"_s, log, {}, [](ProcWindow &, TestForm &form) {
        form.list->appendRow({u"Offset 80 g"_s});
        form.list->appendRow({u"Bilderdruck 135 g"_s});
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    const SignalRow rows[] = {
        {"button click", [](GuiHarness &g, ProcWindow *w) { g.press(w, 20); }, {u"Accepted 20"_s}},
        {"entry and Enter",
         [](GuiHarness &g, ProcWindow *w) { g.type(w, 10, u"Offset"_s); },
         {u"Accepted 10 key 13"_s}},
        {"check box", [](GuiHarness &g, ProcWindow *w) { g.press(w, 15); }, {u"Accepted 15"_s}},
        {"tab",
         [](GuiHarness &g, ProcWindow *w) { g.switchTab(w, 30, 2); },
         {u"NewSelection 30"_s}},
        {"drop list",
         [](GuiHarness &g, ProcWindow *w) { g.chooseEntry(w, 40, 2); },
         {u"NewSelection 40"_s, u"Accepted 40"_s}},
        {"radio option",
         [](GuiHarness &g, ProcWindow *w) { g.chooseOption(w, 50, 2); },
         {u"Accepted 50"_s}},
        {"list row",
         [](GuiHarness &g, ProcWindow *w) { g.pickRow(w, 60, 2); },
         {u"NewSelection 60 key 1"_s}},
        {"list scrolling",
         [](GuiHarness &g, ProcWindow *w) {
             g.key(w, 60, Qt::Key_Down);
             g.key(w, 60, Qt::Key_PageUp);
             g.key(w, 60, Qt::Key_End, Qt::ControlModifier);
         },
         {u"ScrollDown 60"_s, u"PageUp 60"_s, u"ScrollBottom 60"_s}},
        {"nothing for an entry left unchanged",
         [](GuiHarness &g, ProcWindow *w) {
             g.focus(w, 11);
             g.focus(w, 12);
         },
         {}},
    };
    for (const SignalRow &row : rows) {
        SCOPED_TRACE(row.name);
        const qsizetype before = log.size();
        row.act(gui, window);
        EXPECT_EQ(since(log, before), row.events);
    }
    EXPECT_EQ(window->choice(60), 2);
    EXPECT_EQ(window->choice(30), 2);
}

TEST_F(PapierForm, FocusEnteringAControlSelectsIt)
{
    gui.focus(window, 11);
    EXPECT_EQ(log.last(), u"Selected 11"_s);
    EXPECT_EQ(window->focusControl(), 11);
    gui.focus(window, 60); // the list's focus goes to its view inside
    EXPECT_EQ(log.last(), u"Selected 60"_s);
    EXPECT_EQ(window->focusControl(), 60);
}

TEST(ProcWindow, APostedEventComesAfterTheCurrentOneAndThoseWaiting)
{
    GuiHarness gui;
    QStringList log;
    startForm(gui, u"Papier"_s, log, [&log](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::OpenWindow)
            window.post(EventKind::Timer); // Sized is already waiting
        if (event.kind == EventKind::Accepted && event.control == 20) {
            window.post(EventKind::Accepted, 11);
            window.post(EventKind::Completed);
            log << u"handled 20"_s;
        }
        window.defaultAction(event);
        return true;
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(significant(log), (QStringList{u"OpenWindow"_s, u"Sized"_s, u"Timer"_s}));

    const qsizetype before = log.size();
    gui.press(window, 20);
    EXPECT_EQ(since(log, before),
              (QStringList{u"Accepted 20"_s, u"handled 20"_s, u"Accepted 11"_s, u"Completed"_s}));
}

// A form whose button 20 validates all controls, with entry 12 disabled.
void startValidatingForm(GuiHarness &gui,
                         QStringList &log,
                         FormHandler more = {},
                         FormSetUp setUp = {})
{
    startForm(
        gui,
        u"Papier"_s,
        log,
        [more](ProcWindow &window, const WindowEvent &event) {
            if (event.kind == EventKind::Accepted && event.control == 20)
                window.validateAll();
            if (more)
                more(window, event);
            window.defaultAction(event);
            return true;
        },
        [setUp](ProcWindow &window, TestForm &form) {
            window.disable(12);
            if (setUp)
                setUp(window, form);
        });
}

TEST(ProcWindow, ValidatingAcceptsEachEnabledInputInTabOrderThenCompletes)
{
    GuiHarness gui;
    QStringList log;
    startValidatingForm(gui, log);
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    const qsizetype before = log.size();
    gui.press(window, 20);
    EXPECT_EQ(since(log, before),
              (QStringList{u"Accepted 20"_s,
                           u"Accepted 10"_s,
                           u"Accepted 11"_s,
                           u"Accepted 15"_s,
                           u"Accepted 33"_s,
                           u"Accepted 40"_s,
                           u"Accepted 50"_s,
                           u"Completed"_s}));
    EXPECT_FALSE(window->isValidating());
}

TEST(ProcWindow, ValidatingStopsWhenAHandlerSelectsAControl)
{
    GuiHarness gui;
    QStringList log;
    startValidatingForm(gui, log, [](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::Accepted && event.control == 11 && window.isValidating())
            window.select(10); // "Preis" is not right: back to the first field
        return true;
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    const qsizetype before = log.size();
    gui.press(window, 20);
    EXPECT_EQ(since(log, before),
              (QStringList{u"Accepted 20"_s, u"Accepted 10"_s, u"Accepted 11"_s}));
    EXPECT_FALSE(window->isValidating());
    EXPECT_EQ(window->focusControl(), 10);
}

TEST(ProcWindow, ValidatingStopsAtInputThePictureRefuses)
{
    GuiHarness gui;
    QStringList log;
    double price = 12.5;
    startValidatingForm(gui, log, {}, [&price](ProcWindow &window, TestForm &form) {
        window.bind(11, price, u"@n7.2"_s);
        form.e11->setText(u"zwölf"_s);
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    const qsizetype before = log.size();
    gui.press(window, 20);
    EXPECT_EQ(since(log, before),
              (QStringList{u"Accepted 20"_s, u"Accepted 10"_s, u"Rejected 11"_s}));
    EXPECT_EQ(price, 12.5);
    EXPECT_FALSE(window->isValidating());
}

TEST(ProcWindow, TypedInputThePictureRefusesIsRejected)
{
    GuiHarness gui;
    QStringList log;
    double price = 12.5;
    startForm(gui, u"Papier"_s, log, {}, [&price](ProcWindow &window, TestForm &) {
        window.bind(11, price, u"@n7.2"_s);
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);

    qsizetype before = log.size();
    gui.type(window, 11, u"1O,5"_s);
    EXPECT_EQ(since(log, before), QStringList{u"Rejected 11 key 13"_s});
    EXPECT_EQ(price, 12.5);

    before = log.size();
    gui.type(window, 11, u"10,5"_s);
    EXPECT_EQ(since(log, before), QStringList{u"Accepted 11 key 13"_s});
    EXPECT_EQ(price, 10.5);
}

TEST(ProcWindow, ChangesTheProcedureMakesGiveNoEvents)
{
    GuiHarness gui;
    QStringList log;
    startForm(gui, u"Papier"_s, log, [](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::OpenWindow) {
            window.setChoice(30, 2);
            window.setChoice(40, 3);
            window.setChoice(50, 2);
            window.setChoice(60, 0);
            window.hide(31);
            window.redisplay();
        }
        window.defaultAction(event);
        return true;
    });
    ProcWindow *window = gui.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(significant(log), (QStringList{u"OpenWindow"_s, u"Sized"_s}));
    EXPECT_EQ(window->choice(30), 2);
    EXPECT_EQ(window->choice(40), 3);
    EXPECT_EQ(window->choice(50), 2);
}

TEST(ProcWindow, TimerEventsComeUntilStopped)
{
    GuiHarness gui;
    QStringList log;
    int timers = 0;
    startForm(gui, u"Uhr"_s, log, [&timers](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::OpenWindow)
            window.startTimer(0);
        if (event.kind == EventKind::Timer && ++timers == 3) {
            window.stopTimer();
            window.close();
        }
        return true;
    });
    EXPECT_EQ(timers, 3);
    EXPECT_EQ(gui.threads().count(), 0);
    EXPECT_EQ(log.count(u"Timer"_s), 3);
}

TEST(ProcWindow, ActivatingAnotherWindowMovesTheFocusEvents)
{
    GuiHarness gui;
    QStringList logA;
    QStringList logB;
    startForm(gui, u"Papier"_s, logA);
    startForm(gui, u"Maschinen"_s, logB);
    ProcWindow *a = gui.window(u"Papier"_s);
    ProcWindow *b = gui.window(u"Maschinen"_s);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(gui.area()->activeSubWindow(), b->subWindow());

    const qsizetype beforeA = logA.size();
    const qsizetype beforeB = logB.size();
    gui.area()->setActiveSubWindow(a->subWindow());
    ASSERT_TRUE(gui.settle());
    EXPECT_TRUE(logA.mid(beforeA).contains(u"GainFocus"_s));
    EXPECT_FALSE(logA.mid(beforeA).contains(u"LoseFocus"_s));
    EXPECT_EQ(logB.mid(beforeB), QStringList{u"LoseFocus"_s});
}

TEST_F(PapierForm, OnlyItsOwnProcedureTakesAWindowsEvents)
{
    WindowEvent event;
    EXPECT_THROW(window->nextEvent(event), std::logic_error);
}

TEST_F(PapierForm, AWindowIsGrabbedToAPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"papier.png"_s);
    ASSERT_TRUE(gui.grab(window, path));
    const QImage image(path);
    EXPECT_EQ(image.size(), window->subWindow()->size());
}

} // namespace
