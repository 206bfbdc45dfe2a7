#include "formprocedure.h"
#include "store/inimanager.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace Qt::Literals::StringLiterals;

QMessageBox *openBox()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    }
    return nullptr;
}

TEST(Dialogs, AMessageBoxShowsTitleIconButtonsAndDefault)
{
    GuiHarness gui;
    int answer = 0;
    gui.start(u"Updatepapier"_s, [&] {
        ProcWindow window(gui.area(), u"Papier"_s);
        window.open();
        answer = gui.messages().show("U u p p s",
                                     "Der Preis fehlt.|Bitte eintragen.",
                                     MessageIcon::Warning,
                                     MessageButton::Ok | MessageButton::Cancel,
                                     MessageButton::Cancel);
    });
    QMessageBox *box = openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), u"U u p p s"_s);
    EXPECT_EQ(box->text(), u"Der Preis fehlt.\nBitte eintragen."_s);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
    EXPECT_EQ(box->windowModality(), Qt::NonModal) << "a modal box would block every window";

    ASSERT_TRUE(gui.answer(MessageButton::Ok).has_value());
    EXPECT_EQ(answer, MessageButton::Ok);
}

TEST(Dialogs, ABoxClosedWithoutAButtonAnswersLikeItsEscape)
{
    GuiHarness gui;
    int answer = 0;
    gui.start(u"Updatepapier"_s, [&] {
        answer = gui.messages().show("Save Record",
                                     "Sollen die Änderungen für diesen Satz gespeichert werden?",
                                     MessageIcon::Question,
                                     MessageButton::Yes | MessageButton::No | MessageButton::Cancel,
                                     MessageButton::Yes);
    });
    QMessageBox *box = openBox();
    ASSERT_NE(box, nullptr);
    box->close();
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(answer, MessageButton::Cancel);
}

TEST(Dialogs, OutsideAProcedureNoBoxIsShownAndTheDefaultIsTheAnswer)
{
    GuiHarness gui;
    const int answer = gui.messages().show("ACHTUNG",
                                           "Datei nicht gefunden",
                                           MessageIcon::Error,
                                           MessageButton::Retry | MessageButton::Cancel,
                                           MessageButton::Cancel);
    EXPECT_EQ(answer, MessageButton::Cancel);
    EXPECT_TRUE(gui.openMessages().isEmpty());
}

TEST(Dialogs, TimerEventsDoNotPileUpWhileTheProcedureWaitsForAnAnswer)
{
    GuiHarness gui;
    QStringList log;
    int timersAfterAnswer = 0;
    bool answered = false;
    startForm(gui, u"Uhr"_s, log, [&](ProcWindow &window, const WindowEvent &event) {
        if (event.kind == EventKind::OpenWindow) {
            window.startTimer(0);
            gui.messages().show(
                "HINWEIS", "Warten", MessageIcon::Information, MessageButton::Ok, 0);
            answered = true;
        }
        if (event.kind == EventKind::Timer && answered) {
            ++timersAfterAnswer;
            window.stopTimer();
        }
        return true;
    });
    for (int round = 0; round < 5; ++round)
        ASSERT_TRUE(gui.settle()); // the timer keeps firing meanwhile
    ASSERT_TRUE(gui.answer(MessageButton::Ok).has_value());
    EXPECT_EQ(timersAfterAnswer, 1);
}

TEST(Dialogs, TheSaveFileNameIsAwaitedLikeAnAnswer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    GuiHarness gui;
    QString chosen = u"unset"_s;
    const auto ask = [&] {
        gui.start(u"DrucRECmax"_s, [&] {
            chosen = askSaveFileName(u"PDF speichern"_s, dir.path(), u"PDF (*.pdf)"_s);
        });
    };
    ask();
    EXPECT_EQ(chosen, u"unset"_s);
    const QString file = QDir(dir.path()).filePath(u"rechnung.pdf"_s);
    ASSERT_TRUE(gui.answerFileDialog(file));
    EXPECT_EQ(chosen, file);

    ask();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
            dialog->reject();
    }
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(chosen, QString());
}

TEST(Dialogs, ThePrinterSetUpIsAwaitedLikeAnAnswer)
{
    GuiHarness gui;
    QTemporaryDir folder;
    IniManager ini;
    ini.Init(QDir(folder.path()).filePath(u"morva.INI"_s).toStdString());
    int result = -1;
    gui.start(u"Main"_s, [&] {
        QPrinter printer;
        result = askPrinterSetup(printer, ini) ? 1 : 0;
    });
    QPrintDialog *dialog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<QPrintDialog *>(w); d && d->isVisible())
            dialog = d;
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(result, -1);
    dialog->reject();
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(result, 0);
}

TEST(Dialogs, APopupMenuGivesTheItemChosenOrNone)
{
    GuiHarness gui;
    int chosen = -1;
    const auto popup = [&] {
        gui.start(u"Browsepapier"_s, [&] {
            chosen = awaitPopupMenu({u"&Neu"_s, u"&Ändern"_s, u"&Löschen"_s}, QPoint(100, 100));
        });
    };
    popup();
    EXPECT_EQ(chosen, -1);
    ASSERT_TRUE(gui.choosePopupItem(u"&Ändern"_s));
    EXPECT_EQ(chosen, 2);

    popup();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->inherits("QMenu"))
            w->hide();
    }
    ASSERT_TRUE(gui.settle());
    EXPECT_EQ(chosen, 0);
}

TEST(Dialogs, TheBusyCursorNests)
{
    GuiHarness gui;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        const BusyCursor outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        setBusyCursor(true);
        setBusyCursor(false);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    setBusyCursor(false); // one too many does no harm
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DialogsDeathTest, EndingTheProgramRunsTheTearDownAndExitsWithZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            GuiHarness gui;
            gui.messages().setTearDown([] { std::fputs("tear-down ran\n", stderr); });
            gui.messages().endProgram("Datei AUFTRAG defekt");
        },
        ::testing::ExitedWithCode(0),
        "tear-down ran");
}

} // namespace
