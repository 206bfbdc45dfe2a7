#include "formprocedure.h"

#include <gtest/gtest.h>

#include <QMainWindow>

namespace {

using namespace Qt::Literals::StringLiterals;

// A procedure that opens its window and at once asks a question; it keeps the answer.
void startAsking(GuiHarness &gui, const QString &title, int &answer)
{
    gui.start(title, [&gui, title, &answer] {
        ProcWindow window(gui.area(), title);
        window.open();
        answer = gui.messages().show("Frage " + title.toStdString(),
                                     "Sollen die Änderungen|gespeichert werden?",
                                     MessageIcon::Question,
                                     MessageButton::Yes | MessageButton::No,
                                     MessageButton::No);
        window.close();
    });
}

TEST(ConcurrentWindows, TwoOpenMessageBoxesAreAnsweredInEitherOrder)
{
    for (const bool firstA : {true, false}) {
        SCOPED_TRACE(firstA ? "A first" : "B first");
        GuiHarness gui;
        int answerA = 0;
        int answerB = 0;
        startAsking(gui, u"Fenster A"_s, answerA);
        startAsking(gui, u"Fenster B"_s, answerB);
        ASSERT_EQ(gui.openMessages().size(), 2);
        ProcWindow *a = gui.window(u"Fenster A"_s);
        ProcWindow *b = gui.window(u"Fenster B"_s);
        ASSERT_TRUE(a && b);
        EXPECT_FALSE(a->subWindow()->isEnabled()) << "a window waits behind its message";
        EXPECT_FALSE(b->subWindow()->isEnabled());

        const QString first = firstA ? u"Frage Fenster A"_s : u"Frage Fenster B"_s;
        const std::optional<GuiHarness::Message> m = gui.answer(MessageButton::Yes, first);
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(m->title, first);
        EXPECT_EQ(m->text, u"Sollen die Änderungen\ngespeichert werden?"_s);
        EXPECT_EQ(firstA ? answerA : answerB, MessageButton::Yes);
        EXPECT_EQ(firstA ? answerB : answerA, 0) << "the other procedure still waits";
        EXPECT_EQ(gui.openMessages().size(), 1);
        EXPECT_EQ(gui.window(firstA ? u"Fenster A"_s : u"Fenster B"_s), nullptr);
        ProcWindow *waiting = firstA ? b : a;
        EXPECT_EQ(gui.window(waiting->title()), waiting);
        EXPECT_FALSE(waiting->subWindow()->isEnabled());

        ASSERT_TRUE(gui.answer(MessageButton::No).has_value());
        EXPECT_EQ(firstA ? answerB : answerA, MessageButton::No);
        EXPECT_EQ(firstA ? answerA : answerB, MessageButton::Yes);
        EXPECT_EQ(gui.threads().count(), 0);
        EXPECT_TRUE(gui.openMessages().isEmpty());
    }
}

TEST(ConcurrentWindows, OtherWindowsStayUsableWhileAMessageIsOpen)
{
    GuiHarness gui;
    int answer = 0;
    startAsking(gui, u"Fenster A"_s, answer);
    QStringList log;
    startForm(gui, u"Papier"_s, log);
    ProcWindow *other = gui.window(u"Papier"_s);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->subWindow()->isEnabled());

    const qsizetype before = log.size();
    gui.press(other, 20);
    gui.type(other, 10, u"Offset"_s);
    EXPECT_EQ(since(log, before), (QStringList{u"Accepted 20"_s, u"Accepted 10 key 13"_s}));
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(gui.openMessages().size(), 1);
}

// A list whose button 20 opens a form on the list's own thread; the form closes on its
// button 20.
void startListWithForm(GuiHarness &gui, QStringList &listLog, QStringList &formLog)
{
    gui.start(u"Browsepapier"_s, [&gui, &listLog, &formLog] {
        ProcWindow list(gui.area(), u"Liste"_s);
        TestForm listForm(list);
        list.open();
        runEvents(list, listLog, [&](const WindowEvent &event) {
            if (event.kind == EventKind::Accepted && event.control == 20) {
                ProcWindow form(gui.area(), u"Formular"_s);
                TestForm formForm(form);
                form.open();
                runEvents(form, formLog, [&form](const WindowEvent &e) {
                    if (e.kind == EventKind::Accepted && e.control == 20)
                        form.close();
                    return true;
                });
                listLog << u"form ended"_s;
            }
            list.defaultAction(event);
            return true;
        });
    });
}

TEST(ConcurrentWindows, ACalledFormDisablesItsCallerUntilItCloses)
{
    GuiHarness gui;
    QStringList listLog;
    QStringList formLog;
    startListWithForm(gui, listLog, formLog);
    ProcWindow *list = gui.window(u"Liste"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->subWindow()->isEnabled());

    gui.press(list, 20);
    ProcWindow *form = gui.window(u"Formular"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->thread(), list->thread());
    EXPECT_FALSE(list->subWindow()->isEnabled());
    EXPECT_TRUE(form->subWindow()->isEnabled());
    EXPECT_EQ(ProcWindow::activeWindowOf(list->thread()), form);
    EXPECT_EQ(significant(formLog), (QStringList{u"OpenWindow"_s, u"Sized"_s}));

    gui.press(form, 20);
    EXPECT_EQ(gui.window(u"Formular"_s), nullptr);
    EXPECT_TRUE(list->subWindow()->isEnabled());
    EXPECT_EQ(ProcWindow::activeWindowOf(list->thread()), list);
    EXPECT_EQ(significant(listLog).last(), u"form ended"_s);

    gui.press(list, 20); // the list goes on taking events, and can call its form again
    EXPECT_NE(gui.window(u"Formular"_s), nullptr);
}

TEST(ConcurrentWindows, EventsOfTheCallerWaitInItsQueueWhileTheFormRuns)
{
    GuiHarness gui;
    QStringList listLog;
    QStringList formLog;
    startListWithForm(gui, listLog, formLog);
    ProcWindow *list = gui.window(u"Liste"_s);
    ASSERT_NE(list, nullptr);
    gui.press(list, 20);
    ProcWindow *form = gui.window(u"Formular"_s);
    ASSERT_NE(form, nullptr);

    const qsizetype before = listLog.size();
    gui.closeBox(list);
    list->post(EventKind::Accepted, 11);
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(listLog.size(), before) << "the caller takes nothing while its form runs";
    EXPECT_EQ(gui.window(u"Liste"_s), list);

    gui.press(form, 20);
    EXPECT_EQ(since(listLog, before), (QStringList{u"form ended"_s, u"CloseWindow"_s}));
    EXPECT_EQ(gui.window(u"Liste"_s), nullptr);
    EXPECT_EQ(gui.threads().count(), 0);
}

TEST(ConcurrentWindows, ClosingDownEndsEveryProcedureThenTellsTheFrame)
{
    GuiHarness gui;
    QStringList logA;
    QStringList logB;
    startForm(gui, u"Papier"_s, logA);
    startForm(gui, u"Maschinen"_s, logB);
    int told = 0;
    closeDownProcedures(gui.frame(), [&told] { ++told; });
    EXPECT_EQ(told, 0) << "nothing is told before the procedures have run";
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(significant(logA).last(), u"CloseDown"_s);
    EXPECT_EQ(significant(logB).last(), u"CloseDown"_s);
    EXPECT_EQ(gui.threads().count(), 0);
    EXPECT_EQ(told, 1);
}

TEST(ConcurrentWindows, ClosingDownWithoutProceduresTellsTheFrameAtOnce)
{
    GuiHarness gui;
    int told = 0;
    closeDownProcedures(gui.frame(), [&told] { ++told; });
    EXPECT_EQ(told, 1);
}

TEST(ConcurrentWindows, AProcedureThatKeepsItsWindowCancelsTheCloseDown)
{
    GuiHarness gui;
    QStringList keepingLog;
    QStringList closingLog;
    startForm(gui, u"Papier"_s, keepingLog, [](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::Accepted && event.control == 20)
            window.close(); // closes only by its button
        return true;
    });
    startForm(gui, u"Maschinen"_s, closingLog);
    int told = 0;
    closeDownProcedures(gui.frame(), [&told] { ++told; });
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(significant(keepingLog).last(), u"CloseDown"_s);
    EXPECT_EQ(gui.window(u"Maschinen"_s), nullptr);
    ProcWindow *kept = gui.window(u"Papier"_s);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(told, 0);

    gui.press(kept, 20); // closed later, by the user: the frame is not closed by that
    EXPECT_EQ(gui.threads().count(), 0);
    EXPECT_EQ(told, 0);
}

TEST(ConcurrentWindows, AQuestionOnCloseDownIsNoRefusal)
{
    GuiHarness gui;
    QStringList log;
    int answer = 0;
    startForm(gui, u"Papier"_s, log, [&](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::CloseDown) {
            answer = gui.messages().show(
                "Save Record",
                "Sollen die Änderungen für diesen Satz gespeichert werden?",
                MessageIcon::Question,
                MessageButton::Yes | MessageButton::No | MessageButton::Cancel,
                MessageButton::Cancel);
            if (answer != MessageButton::Cancel)
                window.close();
        }
        return true;
    });
    int told = 0;
    closeDownProcedures(gui.frame(), [&told] { ++told; });
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(gui.openMessages().size(), 1);
    EXPECT_EQ(told, 0);

    const auto message = gui.answer(MessageButton::No);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"Save Record"_s);
    EXPECT_EQ(gui.threads().count(), 0);
    EXPECT_EQ(told, 1);
}

} // namespace
