// Where the data lives, as the settings file keeps it: written and read back, other lines of
// the file kept, never a password, and readable by other tools that read such files.

#include "store/databasesettings.h"
#include "store/enginefactory.h"
#include "store/inifile.h"
#include "store/inimanager.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::filesystem::path iniOf(const TempFolder &folder)
{
    return folder.path() / std::string(IniManager::DefaultFileName);
}

std::string textOf(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

DatabaseSettings server(std::string host,
                        std::string port,
                        std::string database,
                        std::string user,
                        std::string sslmode = "prefer")
{
    DatabaseSettings s;
    s.kind = DatabaseSettings::Kind::Server;
    s.host = std::move(host);
    s.port = std::move(port);
    s.database = std::move(database);
    s.user = std::move(user);
    s.sslmode = std::move(sslmode);
    return s;
}

TEST(DatabaseSettings, WrittenAndReadBackAsTheEngineFactoryReadsThem)
{
    const struct
    {
        const char *name;
        DatabaseSettings settings;
        std::string connection; // as the settings file holds it
    } cases[] = {
        {"a server in the shop",
         server("druckserver", "5432", "druckerei", "buero"),
         "host=druckserver port=5432 dbname=druckerei user=buero sslmode=prefer"},
        {"defaults left out", server("", "", "tessaro", ""), "dbname=tessaro sslmode=prefer"},
        {"blanks and quotes",
         server("/var/run/post gres", "", "Müller's Daten", "o'neil", "require"),
         "host='/var/run/post gres' dbname='Müller\\'s Daten' user='o\\'neil' sslmode=require"},
        {"the folder again", DatabaseSettings{}, "sslmode=prefer"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ASSERT_TRUE(c.settings.write(folder.path()));
        const IniFile ini = IniFile::load(iniOf(folder));
        EXPECT_EQ(ini.value("Datenbank", "Verbindung"), c.connection);
        const DatabaseSettings back = DatabaseSettings::read(folder.path());
        EXPECT_EQ(back.kind, c.settings.kind);
        EXPECT_EQ(back.host, c.settings.host);
        EXPECT_EQ(back.port, c.settings.port);
        EXPECT_EQ(back.database, c.settings.database);
        EXPECT_EQ(back.user, c.settings.user);
        EXPECT_EQ(back.sslmode, c.settings.sslmode);
        // The program at its next start takes the place the settings name.
        const DataLocation location = dataLocationOf(folder.path());
        EXPECT_EQ(location.kind == DataLocation::Kind::Server,
                  c.settings.kind == DatabaseSettings::Kind::Server);
        EXPECT_EQ(location.problem, "");
    }
}

TEST(DatabaseSettings, OtherLinesStayAndNoPasswordIsEverWritten)
{
    TempFolder folder;
    {
        std::ofstream out(iniOf(folder));
        out << "; Einstellungen der Druckerei\n[Drucker]\nName=Laser 1\n"
               "[Datenbank]\nEngine=PostgreSQL\nVerbindung=host=alt password=geheim dbname=x\n"
               "[Sprache]\nTexte=Original\n";
    }
    DatabaseSettings settings = DatabaseSettings::read(folder.path());
    EXPECT_EQ(settings.host, "alt");
    EXPECT_EQ(settings.database, "x");
    settings.host = "neu";
    ASSERT_TRUE(settings.write(folder.path()));
    const std::string text = textOf(iniOf(folder));
    EXPECT_EQ(text.find("geheim"), std::string::npos) << text;
    EXPECT_EQ(text.find("password"), std::string::npos) << text;
    EXPECT_NE(text.find("; Einstellungen der Druckerei\n[Drucker]\nName=Laser 1\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[Sprache]\nTexte=Original"), std::string::npos) << text;
    EXPECT_NE(text.find("Verbindung=host=neu dbname=x sslmode=prefer"), std::string::npos) << text;
}

// Python's reader of such files takes the section as it is written.
TEST(DatabaseSettings, PythonsConfigparserReadsTheSection)
{
    TempFolder folder;
    ASSERT_TRUE(
        server("db.example", "6543", "druck", "o'neil", "verify-full").write(folder.path()));
    const std::string script = "import configparser,sys; c=configparser.ConfigParser(); "
                               "c.read(sys.argv[1], encoding='utf-8'); "
                               "print(c['Datenbank']['Engine']); "
                               "print(c['Datenbank']['Verbindung'])";
    const std::string command = "python3 -c \"" + script + "\" '" + iniOf(folder).string() + "'";
    FILE *pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    ASSERT_EQ(pclose(pipe), 0) << out;
    EXPECT_EQ(out,
              "PostgreSQL\nhost=db.example port=6543 dbname=druck user='o\\'neil' "
              "sslmode=verify-full\n");
}

TEST(DatabaseSettings, ASecretIsBlottedOutOfTexts)
{
    const struct
    {
        const char *text;
        const char *secret;
        const char *expected;
    } cases[] = {
        {"Anmeldung mit geheim abgelehnt", "geheim", "Anmeldung mit *** abgelehnt"},
        {"geheimgeheim", "geheim", "******"},
        {"nichts darin", "geheim", "nichts darin"},
        {"kein Kennwort", "", "kein Kennwort"},
        {"aaa", "aa", "***a"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withoutSecret(c.text, c.secret), c.expected) << c.text;
}

} // namespace
