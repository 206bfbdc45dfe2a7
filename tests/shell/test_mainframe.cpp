// The main frame in-process: start-up in an empty folder, the menu tree, dispatching to
// procedures, the frame's own commands, and closing down.

#include "framefixture.h"

#include "framework/keycodes.h"
#include "framework/toolbarstrip.h"
#include "shell/helpwindow.h"
#include "shell/menutree.h"
#include "store/files.h"
#include "store/inimanager.h"
#include "store/storecontext.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>

#include <filesystem>

namespace {

using namespace Qt::Literals::StringLiterals;

QString q(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::vector<std::string> filesIn(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// "[menu]/[submenu]/text|status" for every entry of a built menu, in order.
void listMenu(const QMenu *menu, const QString &path, QStringList &out)
{
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        out << path + u'/' + action->text() + u'|' + action->statusTip();
        if (const QMenu *sub = action->menu())
            listMenu(sub, path + u'/' + action->text(), out);
    }
}

void listTree(const std::vector<MenuItem> &items, const QString &path, QStringList &out)
{
    for (const MenuItem &item : items) {
        out << path + u'/' + q(item.text) + u'|' + q(item.status);
        if (item.submenu || !item.children.empty())
            listTree(item.children, path + u'/' + q(item.text), out);
    }
}

TEST(MainFrame, StartsInAnEmptyFolderWithoutCreatingAFile)
{
    FrameFixture f;
    f.start();
    EXPECT_TRUE(f.frame().isVisible());
    EXPECT_TRUE(f.frame().windowTitle().startsWith(u"TESSARO"_s));
    EXPECT_FALSE(f.frame().windowIcon().isNull());
    EXPECT_DOUBLE_EQ(f.app().VatFactor, 1.19) << "set when the frame opened";
    EXPECT_EQ(f.program->store().errors().currentProcedure(), "") << "Main runs on its own thread";
    EXPECT_TRUE(filesIn(f.folder.path()).empty());
}

TEST(MainFrame, ShowsTheWholeMenuTreeWithItsTexts)
{
    FrameFixture f;
    f.frame().fillAllMenus();
    QStringList built;
    QStringList expected;
    const QList<QAction *> bar = f.frame().menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(mainMenuTree().size()));
    for (qsizetype i = 0; i < bar.size(); ++i) {
        const Menu &menu = mainMenuTree()[static_cast<std::size_t>(i)];
        EXPECT_EQ(bar[i]->text(), q(menu.title));
        EXPECT_EQ(bar[i]->statusTip(), q(menu.status));
        listMenu(bar[i]->menu(), bar[i]->text(), built);
        listTree(menu.items, q(menu.title), expected);
    }
    EXPECT_EQ(built, expected);
    EXPECT_TRUE(built.contains(u"  AUSDRUCKE                 /Report Maschinenübersicht|"_s))
        << "the empty submenu is there";
    // The menu tree's entries, the database and copy dialogs, the list of issued documents
    // and the open items.
    EXPECT_EQ(f.frame().commands().size(), 58);
}

TEST(MainFrame, AHighlightedEntryShowsItsStatusText)
{
    FrameFixture f;
    f.start();
    QAction *entry = f.frame().commandAction(u"PAPIER -Angaben  "_s);
    ASSERT_NE(entry, nullptr);
    auto *menu = qobject_cast<QMenu *>(entry->parent());
    ASSERT_NE(menu, nullptr);
    f.frame().menuBar()->setActiveAction(menu->menuAction());
    f.settle();
    ASSERT_TRUE(menu->isVisible());
    menu->setActiveAction(entry);
    f.settle();
    EXPECT_EQ(f.frame().statusBar()->currentMessage(), u"Browse papier"_s);
    menu->setActiveAction(f.frame().commandAction(u"TRANSPORT-  Kosten"_s));
    f.settle();
    EXPECT_EQ(f.frame().statusBar()->currentMessage(), u"Browse transport"_s);
    menu->hide();
}

TEST(MainFrame, AnEntryStartsItsProcedureEachTimeAndReturnsAtOnce)
{
    FrameFixture f;
    f.app().procedures().add<TinyProcedure>("Browsepapier");
    f.start();
    ASSERT_TRUE(f.choose(u"PAPIER -Angaben  "_s));
    ASSERT_TRUE(f.choose(u"PAPIER -Angaben  "_s));
    ASSERT_EQ(f.windowCount(u"Papier"_s), 2);
    EXPECT_NE(f.window(u"Papier"_s, 0)->thread(), f.window(u"Papier"_s, 1)->thread());
    EXPECT_TRUE(f.window(u"Papier"_s, 1)->subWindow()->isEnabled())
        << "independent windows, neither waits for the other";
    EXPECT_TRUE(f.window(u"Papier"_s, 0)->subWindow()->isEnabled());
}

TEST(MainFrame, AnUndefinedProcedureIsReportedByName)
{
    struct Case
    {
        QString entry;
        QString procedure;
    };
    const Case cases[] = {
        {u"LIEFERANTEN -Daten "_s, u"Bowselief"_s},
        {u"Print by ATR:Keytid key"_s, u"PrintATRTestdruck"_s},
    };
    FrameFixture f;
    // Every entry of the menu has its procedure; these stand for a build that lacks one.
    for (const Case &c : cases)
        f.app().procedures().remove(c.procedure.toStdString());
    f.start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        ASSERT_TRUE(f.choose(c.entry));
        const auto message = f.answer(QMessageBox::Ok);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, u"Procedure not defined"_s);
        EXPECT_EQ(message->text, u"The Procedure "_s + c.procedure + u" has not been defined."_s);
    }
}

TEST(MainFrame, PrintByOrderIdStartsTheInvoiceOfTheOrderOpenedLast)
{
    FrameFixture f;
    f.start();
    // No order form has opened since start-up: the invoice says so instead of printing.
    ASSERT_TRUE(f.choose(u"Print by AUF:Keyfid key"_s));
    const auto message = f.answer(QMessageBox::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"HINWEIS"_s);
    EXPECT_TRUE(message->text.contains(u"kein Auftrag"_s));
    // With one that is not in the file the report finds nothing to print.
    f.app().LastOpenedOrderId = "F404";
    ASSERT_TRUE(f.choose(u"Print by AUF:Keyfid key"_s));
    const auto none = f.answer(QMessageBox::Ok);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->title, u"No Records"_s);
}

// The report entries of the menu, however deep they sit.
void collectReports(const std::vector<MenuItem> &items, std::vector<std::string> &names)
{
    for (const MenuItem &item : items) {
        collectReports(item.children, names);
        if (item.procedure.starts_with("Print") || item.procedure.starts_with("Druc"))
            names.emplace_back(item.procedure);
    }
}

TEST(MainFrame, EveryReportOfTheMenuIsAProcedureOfTheProgram)
{
    FrameFixture f;
    std::vector<std::string> names;
    for (const Menu &menu : mainMenuTree())
        collectReports(menu.items, names);
    // Every list report (the machine list sits in the paper submenu) and the invoice.
    EXPECT_EQ(names.size(), 29u);
    for (const std::string &name : names)
        EXPECT_TRUE(f.app().procedures().contains(name)) << name;
}

TEST(MainFrame, CutMovesTheSelectionOfTheFocusedFieldToTheClipboard)
{
    FrameFixture f;
    f.app().procedures().add<TinyProcedure>("Browsepapier");
    f.start();
    ASSERT_TRUE(f.choose(u"PAPIER -Angaben  "_s));
    ProcWindow *window = f.window(u"Papier"_s);
    ASSERT_NE(window, nullptr);
    auto *edit = qobject_cast<QLineEdit *>(window->control(1));
    edit->setText(u"Offsetdruck"_s);
    edit->setFocus();
    edit->setSelection(6, 5);
    QApplication::clipboard()->clear();
    ASSERT_TRUE(f.choose(u" Sicherung   "_s));
    EXPECT_EQ(QApplication::clipboard()->text(), u"druck"_s);
    EXPECT_EQ(edit->text(), u"Offset"_s);
}

TEST(MainFrame, WindowMenuTilesCascadesAndArranges)
{
    FrameFixture f;
    f.app().procedures().add<TinyProcedure>("Browsepapier");
    f.start();
    f.choose(u"PAPIER -Angaben  "_s);
    f.choose(u"PAPIER -Angaben  "_s);
    QMdiSubWindow *a = f.window(u"Papier"_s, 0)->subWindow();
    QMdiSubWindow *b = f.window(u"Papier"_s, 1)->subWindow();

    ASSERT_TRUE(f.choose(u"T&ile"_s));
    EXPECT_FALSE(a->geometry().intersects(b->geometry()));
    ASSERT_TRUE(f.choose(u"&Cascade"_s));
    EXPECT_TRUE(a->geometry().intersects(b->geometry()));
    EXPECT_NE(a->pos(), b->pos());

    a->showMinimized();
    b->showMinimized();
    f.settle();
    ASSERT_TRUE(f.choose(u"&Arrange Icons"_s));
    const int foot = f.frame().area()->viewport()->height();
    EXPECT_EQ(a->geometry().bottom() + 1, foot);
    EXPECT_EQ(b->geometry().bottom() + 1, foot);
    EXPECT_FALSE(a->geometry().intersects(b->geometry()));
}

TEST(MainFrame, HelpCommandsShowTheProgramsHelp)
{
    FrameFixture f;
    f.start();
    ASSERT_TRUE(f.choose(u"&Contents"_s));
    auto *help = qobject_cast<HelpWindow *>(f.frame().area()->activeSubWindow());
    ASSERT_NE(help, nullptr);
    const QString text = help->browser()->toPlainText();
    for (const QString &word : {u"Druckaufträge"_s,
                                u"STAMMDATEN"_s,
                                u"Einfg"_s,
                                u"Entf"_s,
                                u"Strg+Eingabe"_s,
                                u"Strg+'"_s}) {
        EXPECT_TRUE(text.contains(word)) << word.toStdString();
    }
    ASSERT_TRUE(f.choose(u"&Search for Help On..."_s));
    EXPECT_EQ(QApplication::focusWidget(), help->searchLine());
    EXPECT_TRUE(help->find(u"Zwischenablage"_s));
    EXPECT_FALSE(help->find(u"Quantenphysik"_s));
    ASSERT_TRUE(f.choose(u"&How to Use Help"_s));
    EXPECT_EQ(f.frame().area()->subWindowList().size(), 1) << "one help window";
}

TEST(MainFrame, PrinterSetupOpensThePlatformDialogWithoutBlockingTheFrame)
{
    FrameFixture f;
    f.app().procedures().add<TinyProcedure>("Browsepapier");
    f.start();
    ASSERT_TRUE(f.choose(u"Druckereinstellungen"_s));
    QPrintDialog *dialog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<QPrintDialog *>(w); d && d->isVisible())
            dialog = d;
    }
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(f.choose(u"PAPIER -Angaben  "_s));
    EXPECT_EQ(f.windowCount(u"Papier"_s), 1) << "the menu goes on while the dialog is open";
    dialog->reject();
    f.settle();
    EXPECT_EQ(ProcedureThreads::instance()->count(), 2) << "Main and the list";
}

// A form of the `arbeit` catalogue, and the list entry of the menu that inserts with it.
class ArbeitForm : public ProcedureController
{
public:
    explicit ArbeitForm(AppContext &app)
        : ProcedureController(app, "Updatearbeit", u"Weitere Arbeit"_s)
    {
        setPrimary(FileId::arbeit, 10, 11);
    }

protected:
    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, u"Bezeichnung"_s, ARB::ABEZ, u"@s35"_s);
        form.okCancel(10, 11);
    }
};

void insertArbeit(AppContext &app)
{
    StoreContext &store = app.store();
    store.errors().SetProcedure("Browsearbeit");
    store.relations(FileId::arbeit).Open();
    store.fileManager(FileId::arbeit).PrepareNewRecord();
    app.call("Updatearbeit", Request::Insert);
    store.relations(FileId::arbeit).Close();
    store.errors().ClearProcedure();
}

QList<int> enabledButtons(const ToolbarStrip &strip)
{
    QList<int> enabled;
    for (int b = ToolbarButton::First; b <= ToolbarButton::Last; ++b) {
        if (strip.button(b)->isEnabled())
            enabled << b;
    }
    return enabled;
}

// The frame's toolbar row shows what the active form allows, and a record move pressed there
// saves the form and is left for the list that called it.
TEST(MainFrame, TheToolbarRowActsOnTheActiveForm)
{
    FrameFixture f;
    int response = 0;
    std::int32_t move = 0;
    f.app().procedures().add<ArbeitForm>("Updatearbeit");
    f.app().procedures().add("Browsearbeit", [&](AppContext &app) {
        insertArbeit(app);
        response = app.LastResponse;
        move = app.PendingRecordMove;
    });
    f.start();
    const ToolbarStrip &strip = *f.frame().toolbarStrip();
    EXPECT_TRUE(enabledButtons(strip).isEmpty()) << "nothing to act on";

    ASSERT_TRUE(f.choose(u"weitere Arbeiten.-  je AUFTRAG   ."_s));
    ProcWindow *form = f.window(u"Weitere Arbeit"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(enabledButtons(strip), (QList<int>{2000, 2004, 2005, 2006, 2007, 2008, 2009, 2012}));
    EXPECT_EQ(strip.button(ToolbarButton::Down)->toolTip(), u"Go to the Next Record"_s);

    auto *edit = qobject_cast<QLineEdit *>(form->control(1));
    edit->setFocus();
    QTest::keyClicks(edit, u"Falzen"_s);
    strip.button(ToolbarButton::Down)->trigger();
    f.settle();
    EXPECT_EQ(f.window(u"Weitere Arbeit"_s), nullptr);
    EXPECT_EQ(response, Response::Completed);
    EXPECT_EQ(move, ToolbarButton::Down);

    FileManager &arbeit = f.program->store().fileManager(FileId::arbeit);
    arbeit.Open();
    arbeit.Use(2);
    EXPECT_EQ(arbeit.handle().records(), 1);
    arbeit.Close();
}

TEST(MainFrame, ClosingAsksOpenFormsAndEndsWithTheSettingsWritten)
{
    FrameFixture f;
    f.app().procedures().add<ArbeitForm>("Updatearbeit");
    f.app().procedures().add("Browsearbeit", insertArbeit);
    f.app().procedures().add<TinyProcedure>("Browsepapier");
    f.start();
    ASSERT_TRUE(f.choose(u"weitere Arbeiten.-  je AUFTRAG   ."_s));
    ASSERT_TRUE(f.choose(u"PAPIER -Angaben  "_s));
    ProcWindow *form = f.window(u"Weitere Arbeit"_s);
    ASSERT_NE(form, nullptr);
    // Typed, not yet confirmed with Enter.
    auto *edit = qobject_cast<QLineEdit *>(form->control(1));
    edit->setFocus();
    f.settle();
    QTest::keyClicks(edit, u"Schneiden"_s);

    f.frame().close();
    f.settle();
    auto asked = f.answer(QMessageBox::Cancel);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->title, u"Save Record"_s);
    EXPECT_TRUE(f.frame().isVisible()) << "the form stays, and so does the frame";
    EXPECT_NE(f.window(u"Weitere Arbeit"_s), nullptr);
    EXPECT_FALSE(f.program->hasEnded());

    ASSERT_TRUE(f.choose(u" Programm beenden !  "_s));
    asked = f.answer(QMessageBox::No);
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->title, u"Save Record"_s);
    EXPECT_TRUE(f.program->hasEnded());
    EXPECT_FALSE(f.frame().isVisible());
    EXPECT_TRUE(ProcWindow::openWindows().isEmpty());

    EXPECT_EQ(f.program->tearDown(), 0);
    IniManager ini;
    ini.Init((f.folder.path() / "morva.INI").string());
    EXPECT_EQ(ini.Fetch("__Dont_Touch_Me__", "Sectors", "missing"), "0");
    ini.Release();
    const std::vector<std::string> files = filesIn(f.folder.path());
    EXPECT_TRUE(std::find(files.begin(), files.end(), "morva.INI") != files.end());
}

} // namespace
