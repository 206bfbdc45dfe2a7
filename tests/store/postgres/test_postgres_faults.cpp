// A server that is not there, refuses the login or lacks the database, and one that goes
// away in the middle of work and comes back.

#include "servertest.h"

#include "store/transaction.h"

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

} // namespace
