// A server that is not there, refuses the login or lacks the database, and one that goes
// away in the middle of work and comes back.

#include "servertest.h"

#include "store/databasesettings.h"
#include "store/transaction.h"

#include <functional>

namespace {

DataLocation serverAt(const std::string &conninfo, const std::string &password = {})
{
    DataLocation location;
    location.kind = DataLocation::Kind::Server;
    location.server = conninfo;
    location.password = password;
    return location;
}

TEST(ServerFaults, TheEngineTellsWhyTheServerCannotBeReached)
{
    TestServer &server = TestServer::instance();
    const std::string host = "host=" + server.folder().string() + " port=5432";
    const std::string guarded = host + " dbname=tessaro user=" + TestServer::kGuardedUser;
    TempFolder empty;
    const struct
    {
        const char *name;
        DataLocation location;
        Engine::Reach reach;
    } cases[] = {
        {"all well", serverAt(server.conninfo()), Engine::Reach::Ok},
        {"no such database",
         serverAt(host + " user=tessaro dbname=gibtsnicht"),
         Engine::Reach::UnknownDatabase},
        {"no server",
         serverAt("host=" + empty.path().string() + " dbname=x"),
         Engine::Reach::NoServer},
        {"a password wanted", serverAt(guarded), Engine::Reach::NeedsPassword},
        {"a wrong password", serverAt(guarded, "falsch"), Engine::Reach::WrongPassword},
        {"the right password", serverAt(guarded, TestServer::kGuardedPassword), Engine::Reach::Ok},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto engine = makeEngine(c.location);
        EXPECT_EQ(engine->reach(), c.reach) << engine->status().engineMessage;
        if (c.reach != Engine::Reach::Ok) {
            EXPECT_EQ(engine->status().code, Result::EngineError);
            EXPECT_EQ(engine->status().engineMessage.find("falsch"), std::string::npos);
        }
    }
    // The embedded engine's folder is always there.
    EXPECT_EQ(makeEngine(DataLocation{empty.path()})->reach(), Engine::Reach::Ok);
}

// The server restarts while a station works: what it was doing in a transaction is gone
// with it, the station hears of the failure with a code, and its steps after that work
// again without a new start.
TEST(ServerFaults, AfterTheServerCameBackTheStationWorksOn)
{
    ServerPlace place;
    const auto engine = place.engine();
    Records records;
    const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
    ASSERT_EQ(kunde->create(), 0);
    ASSERT_EQ(kunde->open(), 0);
    records.set(KUN::KAID, 1);
    ASSERT_EQ(kunde->add(), 0);

    ASSERT_EQ(engine->addToTransaction(*kunde), 0);
    ASSERT_EQ(engine->beginTransaction(2), 0);
    records.set(KUN::KAID, 2);
    ASSERT_EQ(kunde->add(), 0);
    ASSERT_TRUE(TestServer::instance().restart());

    records.set(KUN::KAID, 3);
    EXPECT_EQ(kunde->add(), Result::EngineError);
    EXPECT_FALSE(engine->inTransaction()); // ended with the failure, as rolled back
    EXPECT_NE(engine->status().engineMessage, "");

    // The station's own connection hears of the restart with its next step, which fails
    // with a code; the step after it connects anew.
    if (kunde->records() != 1) {
        EXPECT_EQ(engine->status().code, Result::EngineError);
    }
    EXPECT_EQ(kunde->records(), 1);
    records.set(KUN::KAID, 4);
    EXPECT_EQ(kunde->add(), 0);
    EXPECT_EQ(kunde->setKeyStart(KUN::Keykaid.index), 0);
    std::vector<int> numbers;
    while (kunde->next() == 0)
        numbers.push_back(records.get(KUN::KAID));
    EXPECT_EQ(numbers, (std::vector<int>{1, 4}));
}

// After a restart of the server, with no transaction open, the station's very first step
// works, whichever step it is: the broken connection is noticed before the statement goes.
TEST(ServerFaults, TheFirstStepAfterTheServerCameBackWorks)
{
    const struct
    {
        const char *name;
        std::function<int(RecordFile &, Records &)> step;
    } steps[] = {
        {"count",
         [](RecordFile &f, Records &) {
             return f.records() == 2 ? 0 : -1;
         }},
        {"get",
         [](RecordFile &f, Records &r) {
             r.set(KUN::KAID, 2);
             return f.get(KUN::Keykaid.index);
         }},
        {"pass",
         [](RecordFile &f, Records &) {
             const int rc = f.setKeyStart(KUN::Keykaid.index);
             return rc != 0 ? rc : f.next();
         }},
        {"add",
         [](RecordFile &f, Records &r) {
             r.set(KUN::KAID, 3);
             return f.add();
         }},
        {"hold",
         [](RecordFile &f, Records &r) {
             r.set(KUN::KAID, 1);
             const int rc = f.hold();
             return rc != 0 ? rc : f.get(KUN::Keykaid.index);
         }},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        ServerPlace place;
        const auto engine = place.engine();
        Records records;
        const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
        ASSERT_EQ(kunde->create(), 0);
        ASSERT_EQ(kunde->open(), 0);
        for (int id = 1; id <= 2; ++id) {
            records.set(KUN::KAID, id);
            ASSERT_EQ(kunde->add(), 0);
        }
        ASSERT_TRUE(TestServer::instance().restart());
        EXPECT_EQ(s.step(*kunde, records), 0) << engine->status().engineMessage;
    }
}

// "Verbindung testen" tells in German which of the usual causes it is, never with the
// password that was tried.
TEST(ServerFaults, TheConnectionCheckSaysWhyInGerman)
{
    TestServer &server = TestServer::instance();
    TempFolder empty;
    auto at = [&](std::string host, std::string database, std::string user) {
        DatabaseSettings s;
        s.kind = DatabaseSettings::Kind::Server;
        s.host = std::move(host);
        s.port = "5432";
        s.database = std::move(database);
        s.user = std::move(user);
        return s;
    };
    const std::string host = server.folder().string();
    const struct
    {
        const char *name;
        DatabaseSettings settings;
        std::string password;
        Engine::Reach reach;
        std::string begins;
    } cases[] = {
        {"all well",
         at(host, "tessaro", "tessaro"),
         "",
         Engine::Reach::Ok,
         "Verbindung hergestellt"},
        {"no such database",
         at(host, "gibtsnicht", "tessaro"),
         "",
         Engine::Reach::UnknownDatabase,
         "Die Datenbank gibt es auf dem Server nicht"},
        {"no server",
         at(empty.path().string(), "tessaro", "tessaro"),
         "",
         Engine::Reach::NoServer,
         "Der Datenbankserver antwortet nicht"},
        {"a password wanted",
         at(host, "tessaro", TestServer::kGuardedUser),
         "",
         Engine::Reach::NeedsPassword,
         "Der Datenbankserver verlangt ein Kennwort"},
        {"a wrong password",
         at(host, "tessaro", TestServer::kGuardedUser),
         "tessaro-falsch",
         Engine::Reach::WrongPassword,
         "Der Datenbankserver hat die Anmeldung abgelehnt"},
        {"the right password",
         at(host, "tessaro", TestServer::kGuardedUser),
         TestServer::kGuardedPassword,
         Engine::Reach::Ok,
         "Verbindung hergestellt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ConnectionCheck check = checkConnection(c.settings, c.password);
        EXPECT_EQ(check.reach, c.reach) << check.text;
        EXPECT_EQ(check.text.rfind(c.begins, 0), 0u) << check.text;
        if (!c.password.empty()) {
            EXPECT_EQ(check.text.find(c.password), std::string::npos) << check.text;
        }
    }
}

} // namespace
