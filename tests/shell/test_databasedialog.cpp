// "Datenbank …": where the data lives, set up in the program and tried against a real server;
// the password the server wants, asked at start and kept in memory; and a server that cannot
// be reached offering the settings at start.

#include "framefixture.h"

#include "shell/databasedialog.h"
#include "store/inifile.h"
#include "store/inimanager.h"
#include "support/pgserver.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace Qt::Literals::StringLiterals;

namespace {

template<typename Dialog>
Dialog *openDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<Dialog *>(w); d && d->isVisible())
            return d;
    }
    return nullptr;
}

QDialog *openDialogTitled(const QString &title)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *d = qobject_cast<QDialog *>(w); d && d->isVisible() && d->windowTitle() == title)
            return d;
    }
    return nullptr;
}

void press(QDialog *dialog, QDialogButtonBox::StandardButton which)
{
    dialog->findChild<QDialogButtonBox *>()->button(which)->click();
}

std::string settingsText(const std::filesystem::path &folder)
{
    std::ifstream in(folder / std::string(IniManager::DefaultFileName));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void nameServer(const std::filesystem::path &folder, const std::string &connection)
{
    const std::filesystem::path ini = folder / std::string(IniManager::DefaultFileName);
    IniFile settings = IniFile::load(ini);
    settings.set("Datenbank", "Engine", "PostgreSQL");
    settings.set("Datenbank", "Verbindung", connection);
    ASSERT_TRUE(settings.save(ini));
}

std::string serverHost()
{
    return "host=" + TestServer::instance().folder().string() + " port=5432";
}

TEST(DatabaseDialog, TriesTheServerAsTypedAndTellsWhy)
{
    ensureApplication();
    TestServer &server = TestServer::instance();
    DatabaseDialog dialog(DatabaseSettings{});
    // The folder first: nothing of a server to fill in.
    EXPECT_EQ(dialog.engineBox()->currentIndex(), 0);
    EXPECT_FALSE(dialog.hostEdit()->isEnabled());
    EXPECT_FALSE(dialog.testButton()->isEnabled());
    EXPECT_EQ(dialog.sslBox()->currentData().toString(), u"prefer"_s);

    dialog.engineBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.hostEdit()->isEnabled());
    EXPECT_TRUE(dialog.testButton()->isEnabled());
    dialog.hostEdit()->setText(QString::fromStdString(server.folder().string()));
    dialog.portEdit()->setText(u"5432"_s);
    const struct
    {
        const char *name;
        QString database;
        QString user;
        QString password;
        QString begins;
    } cases[] = {
        {"all well", u"tessaro"_s, u"tessaro"_s, {}, u"Verbindung hergestellt"_s},
        {"unknown database",
         u"gibtsnicht"_s,
         u"tessaro"_s,
         {},
         u"Die Datenbank gibt es auf dem Server nicht"_s},
        {"password wanted",
         u"tessaro"_s,
         QString::fromLatin1(TestServer::kGuardedUser),
         {},
         u"Der Datenbankserver verlangt ein Kennwort"_s},
        {"wrong password",
         u"tessaro"_s,
         QString::fromLatin1(TestServer::kGuardedUser),
         u"falsch-geraten"_s,
         u"Der Datenbankserver hat die Anmeldung abgelehnt"_s},
        {"right password",
         u"tessaro"_s,
         QString::fromLatin1(TestServer::kGuardedUser),
         QString::fromLatin1(TestServer::kGuardedPassword),
         u"Verbindung hergestellt"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialog.databaseEdit()->setText(c.database);
        dialog.userEdit()->setText(c.user);
        dialog.passwordEdit()->setText(c.password);
        dialog.testButton()->click();
        const QString result = dialog.resultLabel()->text();
        EXPECT_TRUE(result.startsWith(c.begins)) << result.toStdString();
        if (!c.password.isEmpty()) {
            EXPECT_FALSE(result.contains(c.password)) << result.toStdString();
        }
    }
    const DatabaseSettings typed = dialog.settings();
    EXPECT_EQ(typed.kind, DatabaseSettings::Kind::Server);
    EXPECT_EQ(typed.host, server.folder().string());
    EXPECT_EQ(typed.port, "5432");
    EXPECT_EQ(typed.user, TestServer::kGuardedUser);
    EXPECT_EQ(typed.sslmode, "prefer");
}

// Chosen from the menu, the dialog shows the settings file's values, fits the small screen,
// and saves what the user confirms, without the password typed for the try.
TEST(DatabaseDialog, FromTheMenuSavesTheSettingsForTheNextStart)
{
    FrameFixture f;
    f.start();
    ASSERT_TRUE(f.choose(u"Datenbank …"_s));
    DatabaseDialog *dialog = openDialog<DatabaseDialog>();
    ASSERT_NE(dialog, nullptr);
    dialog->engineBox()->setCurrentIndex(1);
    dialog->hostEdit()->setText(u"druckserver"_s);
    dialog->portEdit()->setText(u"5433"_s);
    dialog->databaseEdit()->setText(u"druckerei"_s);
    dialog->userEdit()->setText(u"buero"_s);
    dialog->sslBox()->setCurrentIndex(dialog->sslBox()->findData(u"require"_s));
    dialog->passwordEdit()->setText(u"nur-zum-testen"_s);
    f.settle();
    const QSize size = dialog->frameGeometry().size();
    EXPECT_LE(size.width(), 1366);
    EXPECT_LE(size.height(), 768 - 40);
    const QByteArray grabs = qgetenv("TESSARO_GRAB_DIR");
    if (!grabs.isEmpty()) {
        EXPECT_TRUE(dialog->grab().save(QString::fromLocal8Bit(grabs) + u"/datenbank.png"_s));
    }
    press(dialog, QDialogButtonBox::Ok);
    f.settle();
    const auto told = f.answer(QMessageBox::Ok);
    ASSERT_TRUE(told);
    EXPECT_TRUE(told->text.contains(u"nächsten Start"_s)) << told->text.toStdString();
    const std::string text = settingsText(f.folder.path());
    EXPECT_NE(text.find("[Datenbank]\nEngine=PostgreSQL\nVerbindung=host=druckserver port=5433 "
                        "dbname=druckerei user=buero sslmode=require\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("nur-zum-testen"), std::string::npos);
    // Opened again, it shows what was saved.
    ASSERT_TRUE(f.choose(u"Datenbank …"_s));
    dialog = openDialog<DatabaseDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->hostEdit()->text(), u"druckserver"_s);
    EXPECT_EQ(dialog->sslBox()->currentData().toString(), u"require"_s);
    EXPECT_EQ(dialog->passwordEdit()->text(), QString());
    press(dialog, QDialogButtonBox::Cancel);
    f.settle();
}

// A server that wants a password: asked once at start; the right one lets the program work.
TEST(DatabaseStart, AskedForThePasswordTheProgramWorksOnTheServer)
{
    const std::string connection
        = serverHost() + " dbname=tessaro user=" + TestServer::kGuardedUser;
    FrameFixture f([&](const std::filesystem::path &folder) { nameServer(folder, connection); });
    f.start();
    QDialog *asked = openDialogTitled(u"Kennwort für die Datenbank"_s);
    ASSERT_NE(asked, nullptr);
    auto *password = asked->findChild<QLineEdit *>();
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    password->setText(QString::fromLatin1(TestServer::kGuardedPassword));
    press(asked, QDialogButtonBox::Ok);
    f.settle();
    EXPECT_EQ(openDialog<QMessageBox>(), nullptr) << "no message: the server let the user in";
    EXPECT_EQ(f.app().store().engine().reach(), Engine::Reach::Ok);
    // Kept in memory only.
    EXPECT_EQ(settingsText(f.folder.path()).find(TestServer::kGuardedPassword), std::string::npos);
}

// The usual causes at start: said in German, then the settings offered; "Ja" opens them.
TEST(DatabaseStart, AServerThatCannotBeReachedOffersTheSettings)
{
    TempFolder nowhere;
    const struct
    {
        const char *name;
        std::string connection;
        QString says;
    } cases[] = {
        {"unknown database",
         serverHost() + " dbname=gibtsnicht user=tessaro",
         u"Die Datenbank gibt es auf dem Server nicht"_s},
        {"no server",
         "host=" + nowhere.path().string() + " dbname=tessaro",
         u"Der Datenbankserver antwortet nicht"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool yes : {true, false}) {
            FrameFixture f(
                [&](const std::filesystem::path &folder) { nameServer(folder, c.connection); });
            f.start();
            const auto told = f.answer(yes ? QMessageBox::Yes : QMessageBox::No);
            ASSERT_TRUE(told);
            EXPECT_TRUE(told->text.startsWith(c.says)) << told->text.toStdString();
            EXPECT_TRUE(told->text.contains(u"Einstellungen der Datenbank jetzt ändern?"_s));
            DatabaseDialog *dialog = openDialog<DatabaseDialog>();
            EXPECT_EQ(dialog != nullptr, yes);
            if (dialog) {
                EXPECT_EQ(dialog->engineBox()->currentIndex(), 1);
                press(dialog, QDialogButtonBox::Cancel);
                f.settle();
            }
        }
    }
}

} // namespace
