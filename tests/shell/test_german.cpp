// The program in German: Qt's own dialogs and buttons, the program's texts (lists, forms,
// messages, menus, reports) through its German translation, tabs named after keys, and the
// settings entry that shows the texts as written in the code instead.

#include "framefixture.h"

#include "framework/toolbarstrip.h"
#include "shell/lists/listdefinitions.h"
#include "shell/lists/listprocedure.h"
#include "shell/menutree.h"
#include "shell/uilanguage.h"
#include "support/qstringprint.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

using namespace Qt::Literals::StringLiterals;

const char *const kSourceTexts = "[Sprache]\nTexte=Original\n";

// The program started as its main() starts it: the language first, from the settings file
// of the data folder, then the program.
class LanguageFrame
{
public:
    explicit LanguageFrame(const char *settings = nullptr)
    {
        f.program.reset();
        if (settings)
            std::ofstream(f.folder.path() / "morva.INI") << settings;
        language = std::make_unique<UiLanguage>(f.folder.path());
        f.program = std::make_unique<Program>(f.folder.path());
        f.start();
    }

    ProcWindow *open(const QString &entry, const QString &title)
    {
        EXPECT_TRUE(f.choose(entry)) << entry.toStdString();
        return f.window(title);
    }

    void close(ProcWindow *list)
    {
        qobject_cast<QAbstractButton *>(list->control(ListProcedure::kClose))->click();
        f.settle();
    }

    FrameFixture f;
    std::unique_ptr<UiLanguage> language;
};

QString buttonText(ProcWindow *window, int control)
{
    auto *button = qobject_cast<QAbstractButton *>(window->control(control));
    return button ? button->text() : QString();
}

QStringList tabTexts(ProcWindow *window)
{
    QStringList texts;
    auto *sheet = qobject_cast<QTabWidget *>(window->control(ListProcedure::kSheet));
    for (int i = 0; sheet && i < sheet->count(); ++i)
        texts << sheet->tabText(i);
    return texts;
}

TEST(German, QtsOwnDialogsAndButtonsSpeakGerman)
{
    ensureApplication();
    TempFolder folder;
    {
        std::ofstream(folder.path() / "morva.INI") << kSourceTexts;
        const UiLanguage language(folder.path());
        EXPECT_TRUE(language.qtInGerman()) << "the program's own texts may be asked for as they "
                                              "stand; Qt's dialogs stay German";
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), u"&Ja"_s);
        EXPECT_EQ(box.button(QMessageBox::No)->text(), u"&Nein"_s);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), u"Abbrechen"_s);

        QFileDialog save(nullptr, u"PDF speichern"_s);
        save.setOption(QFileDialog::DontUseNativeDialog);
        save.setAcceptMode(QFileDialog::AcceptSave);
        auto *buttons = save.findChild<QDialogButtonBox *>();
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text(), u"S&peichern"_s);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), u"Abbrechen"_s);
        EXPECT_EQ(QLocale().toString(1234.5, 'f', 2), u"1.234,50"_s) << "numbers the German way";
    }
    QMessageBox after;
    after.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(after.button(QMessageBox::Yes)->text(), u"&Yes"_s)
        << "the translations hold for the life of the language only";
}

TEST(German, TheProgramSpeaksGermanByDefault)
{
    LanguageFrame g;
    EXPECT_TRUE(g.language->programInGerman());

    ProcWindow *list = g.open(u"Übersicht - Zusatzarbeiten"_s, u"Übersicht - Zusatzarbeiten"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(buttonText(list, 2), u"&Einfügen"_s);
    EXPECT_EQ(buttonText(list, 3), u"&Ändern"_s);
    EXPECT_EQ(buttonText(list, 4), u"&Löschen"_s);
    EXPECT_EQ(buttonText(list, ListProcedure::kClose), u"Schließen"_s);
    EXPECT_EQ(buttonText(list, ListProcedure::kPick), u"Auftrag wählen"_s);
    EXPECT_EQ(tabTexts(list),
              (QStringList{u"Zusatzarbeiten zum Auftrag"_s, u"sortiert n. lfd. Nummer"_s}));
    const ToolbarStrip &strip = *g.f.frame().toolbarStrip();
    EXPECT_EQ(strip.button(ToolbarButton::Insert)->toolTip(), u"Neuen Datensatz anlegen"_s);
    EXPECT_EQ(strip.button(ToolbarButton::Down)->toolTip(), u"Zum nächsten Datensatz"_s);

    // A line form called from the list, with the caption of a new record.
    qobject_cast<QAbstractButton *>(list->control(2))->click();
    g.f.settle();
    ProcWindow *form = ProcWindow::openWindows().last();
    EXPECT_EQ(form->title(), u"NEU Zusatzarbeiten"_s) << "German texts stay as they are";
    form->subWindow()->close();
    g.f.settle();
    g.close(list);

    ProcWindow *transports = g.open(u"Übersicht - Transporte"_s, u"Übersicht - Transporte"_s);
    ASSERT_NE(transports, nullptr);
    qobject_cast<QAbstractButton *>(transports->control(2))->click();
    g.f.settle();
    ProcWindow *transport = ProcWindow::openWindows().last();
    EXPECT_EQ(transport->title(), u"Neuer Datensatz: Transport"_s);
    transport->subWindow()->close();
    g.f.settle();
    g.close(transports);

    // A report over an empty file: the message of the message table, in German.
    ASSERT_TRUE(g.f.choose(u"Übersicht Transportkosten"_s));
    const auto none = g.f.answer(QMessageBox::Ok);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->title, u"Keine Datensätze"_s);
    EXPECT_EQ(none->text, u"Es sind keine Datensätze zum Verarbeiten vorhanden."_s);

    const QList<QAction *> bar = g.f.frame().menuBar()->actions();
    EXPECT_EQ(bar.at(bar.size() - 2)->text(), u"&Fenster"_s);
    EXPECT_EQ(bar.last()->text(), u"&Hilfe"_s);
}

TEST(German, TheSettingShowsTheTextsAsWrittenInTheCode)
{
    LanguageFrame g(kSourceTexts);
    EXPECT_FALSE(g.language->programInGerman());

    ProcWindow *list = g.open(u"Browse the anach file"_s, u"Browse the anach File"_s);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(buttonText(list, 2), u"&Insert"_s);
    EXPECT_EQ(buttonText(list, 3), u"&Change"_s);
    EXPECT_EQ(buttonText(list, 4), u"&Delete"_s);
    EXPECT_EQ(buttonText(list, ListProcedure::kClose), u"Close"_s);
    EXPECT_EQ(tabTexts(list), (QStringList{u"ANA:Keydidauf"_s, u"ANA:Keydaid"_s}));
    g.close(list);

    ASSERT_TRUE(g.f.choose(u"Print by TRA:Keytaid key"_s));
    const auto none = g.f.answer(QMessageBox::Ok);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->title, u"No Records"_s);

    // The entry sits in a file that standard tools read as well.
    const QString python = QStandardPaths::findExecutable(u"python3"_s);
    ASSERT_FALSE(python.isEmpty());
    QProcess read;
    read.start(python,
               {u"-c"_s,
                u"import configparser, sys\n"
                "c = configparser.ConfigParser()\n"
                "c.read(sys.argv[1])\n"
                "print(c['Sprache']['Texte'])"_s,
                QString::fromStdString((g.f.folder.path() / "morva.INI").string())});
    ASSERT_TRUE(read.waitForFinished(30000));
    EXPECT_EQ(read.exitCode(), 0) << read.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(read.readAllStandardOutput()).trimmed(), u"Original"_s);
}

// Every tab of every list that is named after a key ("KUN:Keyid") gets a name a user
// understands; the tabs the lists already name in German keep their names.
TEST(German, EveryTabNamedAfterAKeyHasAGermanName)
{
    ensureApplication();
    TempFolder folder;
    const UiLanguage language(folder.path());
    const QRegularExpression keyName(u"^[A-Z]{3}:K[a-z]+$"_s);
    int named = 0;
    for (const shell::ListDef &def : shell::listDefinitions()) {
        for (const shell::ListTab &tab : def.tabs) {
            const QString source = QString::fromStdString(tab.text);
            const QString shown = QCoreApplication::translate("ListWindow", tab.text.c_str());
            SCOPED_TRACE(def.procedure + ": " + tab.text);
            if (keyName.match(source).hasMatch()) {
                ++named;
                EXPECT_FALSE(shown.contains(u':') || shown.contains(u"Key"_s))
                    << shown.toStdString();
                EXPECT_NE(shown.trimmed(), QString());
            } else {
                EXPECT_EQ(shown, source);
            }
        }
    }
    EXPECT_GE(named, 30);

    // The customer list as the menu opens it.
    LanguageFrame g;
    ProcWindow *customers
        = g.open(u"Übersicht - KUNDEN -> Aufträge"_s, u"KUNDEN   -  ÜBERSICHT   "_s);
    ASSERT_NE(customers, nullptr);
    EXPECT_EQ(tabTexts(customers).mid(0, 2),
              (QStringList{u"sortiert n. Kundennummer"_s, u"sortiert n. lfd. Nummer"_s}));
}

// What a window shows: its title, every label, button, tab and column heading, tips.
QStringList shownTexts(QWidget *root)
{
    QStringList texts{root->windowTitle(), root->toolTip()};
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root))
            continue;
        texts << w->toolTip();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (auto *sheet = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < sheet->count(); ++i)
                texts << sheet->tabText(i);
        } else if (auto *header = qobject_cast<QHeaderView *>(w)) {
            for (int i = 0; header->model() && i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
        }
    }
    texts.removeAll(QString());
    return texts;
}

// The texts with words of the English texts the program used to show (none of them is
// German), one after another.
QString englishIn(const QStringList &texts)
{
    static const QRegularExpression english(
        u"\\b(the|a|of|by|Record|File|Insert|Change|Delete|Close|Cancel|Select|Browse|Print|"
        "Report|Page|Help|Window|Progress|Error|Key|Toolbar|Adding|Changing|Go|Locate|New)\\b"_s);
    QStringList found;
    for (const QString &text : texts) {
        if (english.match(text).hasMatch())
            found << text;
    }
    return found.join(u" | "_s);
}

void collectProcedures(const std::vector<MenuItem> &items, std::vector<const MenuItem *> &found)
{
    for (const MenuItem &item : items) {
        collectProcedures(item.children, found);
        if (item.command == MenuCommand::Procedure && shell::findList(item.procedure))
            found.push_back(&item);
    }
}

// The menu and every list it opens, with the form each list inserts with, show no English.
TEST(German, NoWindowOfTheMenuShowsEnglish)
{
    LanguageFrame g;
    g.f.frame().fillAllMenus();
    QStringList menuTexts;
    for (QAction *action : g.f.frame().findChildren<QAction *>())
        menuTexts << action->text() << action->statusTip() << action->toolTip();
    menuTexts.removeAll(QString());
    EXPECT_EQ(englishIn(menuTexts), QString());

    std::vector<const MenuItem *> entries;
    for (const Menu &menu : mainMenuTree())
        collectProcedures(menu.items, entries);
    ASSERT_GE(entries.size(), 14u);
    for (const MenuItem *entry : entries) {
        const QString text = QCoreApplication::translate("Menu", std::string(entry->text).c_str());
        SCOPED_TRACE(text.toStdString());
        const int before = static_cast<int>(ProcWindow::openWindows().size());
        ASSERT_TRUE(g.f.choose(text));
        ASSERT_EQ(ProcWindow::openWindows().size(), before + 1);
        ProcWindow *list = ProcWindow::openWindows().last();
        EXPECT_EQ(englishIn(shownTexts(list->subWindow())), QString());

        auto *insert = qobject_cast<QAbstractButton *>(list->control(2));
        if (insert && insert->isEnabled() && !shell::findList(entry->procedure)->update.empty()) {
            insert->click();
            g.f.settle();
            ProcWindow *form = ProcWindow::openWindows().last();
            if (form != list) {
                EXPECT_EQ(englishIn(shownTexts(form->subWindow())), QString())
                    << form->title().toStdString();
                form->subWindow()->close();
                g.f.settle();
                while (g.f.answer(QMessageBox::No))
                    ;
            }
        }
        g.close(list);
        ASSERT_EQ(ProcWindow::openWindows().size(), before);
    }
}

} // namespace
