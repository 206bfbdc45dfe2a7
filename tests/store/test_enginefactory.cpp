// Where the data lives, as the settings file says: the folder itself, or a database server
// named by a connection string that never keeps a password.

#include "store/enginefactory.h"
#include "store/inifile.h"
#include "store/inimanager.h"
#include "support/pythonini.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Settings
{
    const char *name;
    std::optional<std::string> engine;
    std::optional<std::string> connection;
    DataLocation::Kind kind;
    std::string server; // as the engine gets it: in the client library's order of options
    bool problem;
};

TEST(EngineFactory, TheSettingsFileNamesTheEngineAndItsServer)
{
    const Settings cases[] = {
        {"no settings", std::nullopt, std::nullopt, DataLocation::Kind::Folder, "", false},
        {"the embedded engine", "SQLite", std::nullopt, DataLocation::Kind::Folder, "", false},
        {"a server",
         "PostgreSQL",
         "host=db.druckerei.local port=5433 dbname=tessaro user=anna",
         DataLocation::Kind::Server,
         "user='anna' dbname='tessaro' host='db.druckerei.local' port='5433' sslmode='prefer'",
         false},
        {"any case of the engine's name",
         "postgresql",
         "host=db dbname=tessaro",
         DataLocation::Kind::Server,
         "dbname='tessaro' host='db' sslmode='prefer'",
         false},
        {"its own SSL mode",
         "PostgreSQL",
         "host=db dbname=tessaro sslmode=require",
         DataLocation::Kind::Server,
         "dbname='tessaro' host='db' sslmode='require'",
         false},
        {"a password written in is never used",
         "PostgreSQL",
         "host=db dbname=tessaro password=geheim",
         DataLocation::Kind::Server,
         "dbname='tessaro' host='db' sslmode='prefer'",
         false},
        {"values with quotes and blanks",
         "PostgreSQL",
         "host=db dbname='Druck Daten' application_name='O\\'Neil'",
         DataLocation::Kind::Server,
         "dbname='Druck Daten' host='db' application_name='O\\'Neil' sslmode='prefer'",
         false},
        {"a connection string that cannot be read",
         "PostgreSQL",
         "host=db bogus=1",
         DataLocation::Kind::Folder,
         "",
         true},
    };
    for (const Settings &c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto path = folder.path() / std::string(IniManager::DefaultFileName);
        IniFile ini = IniFile::load(path);
        if (c.engine)
            ini.set("Datenbank", "Engine", *c.engine);
        if (c.connection)
            ini.set("Datenbank", "Verbindung", *c.connection);
        ASSERT_TRUE(ini.save(path));
        const DataLocation location = dataLocationOf(folder.path());
        EXPECT_EQ(location.kind, c.kind);
        EXPECT_EQ(location.folder, folder.path());
        EXPECT_EQ(location.server, c.server);
        EXPECT_EQ(location.problem.empty(), !c.problem) << location.problem;
        EXPECT_EQ(location.password, "");
        EXPECT_EQ(location.server.find("geheim"), std::string::npos);
    }
}

TEST(EngineFactory, AServerThatIsNotThereAnswersWithACodeAndNamesNoPassword)
{
    TempFolder folder; // no server listens on a socket in an empty folder
    DataLocation location;
    location.kind = DataLocation::Kind::Server;
    location.server = "host=" + folder.path().string() + " port=5999 dbname=tessaro user=anna";
    location.password = "geheim";
    const auto engine = makeEngine(location);
    Records records;
    const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
    EXPECT_EQ(kunde->open(), Result::EngineError);
    EXPECT_FALSE(kunde->isOpen());
    EXPECT_FALSE(engine->exists(FileId::kunde));
    EXPECT_EQ(engine->status().code, Result::EngineError);
    EXPECT_NE(engine->status().engineMessage, "");
    EXPECT_EQ(engine->status().engineMessage.find("geheim"), std::string::npos);
}

// The section stays readable for Python's configparser, the tool a shop's scripts use.
TEST(EngineFactory, PythonReadsTheSectionAsWritten)
{
    TempFolder folder;
    const auto path = folder.path() / std::string(IniManager::DefaultFileName);
    IniFile ini = IniFile::load(path);
    ini.set("Datenbank", "Engine", "PostgreSQL");
    ini.set("Datenbank", "Verbindung", "host=db port=5432 dbname=tessaro user=anna sslmode=prefer");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(parsedByPython(path, "for k, v in p.items('Datenbank'):\n    print(f'{k}|{v}')\n"),
              "Engine|PostgreSQL\n"
              "Verbindung|host=db port=5432 dbname=tessaro user=anna sslmode=prefer\n");
}

} // namespace
