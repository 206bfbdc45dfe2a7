// Stations as processes of their own on one data set of the server: held records, a killed
// holder, two saves at the same moment, and a cascade killed halfway.

#include "servertest.h"

#include "store/inifile.h"
#include "support/orderfamily.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

using namespace orderfamily;

namespace {

void addCustomer(RecordFile &kunde, int number, const char *name)
{
    kunde.clear();
    kunde.buffer().set(KUN::KAID, number);
    kunde.buffer().set(KUN::KNAME, name);
    ASSERT_EQ(kunde.add(), 0);
}

int fetch(RecordFile &kunde, int number)
{
    kunde.buffer().set(KUN::KAID, number);
    return kunde.get(KUN::Keykaid.index);
}

// Another station: a process of its own with its own engine on the place, whose work on
// the customer file gives its exit code (100 when the file does not open).
pid_t startStation(EnginePlace &place, const std::function<int(RecordFile &)> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        const auto engine = place.engine();
        Records records;
        const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
        if (kunde->open() != Result::Ok)
            _exit(100);
        _exit(work(*kunde));
    }
    return child;
}

int endOf(pid_t child)
{
    int status = 0;
    if (waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int inStation(EnginePlace &place, const std::function<int(RecordFile &)> &work)
{
    return endOf(startStation(place, work));
}

class ServerStations : public ::testing::Test, public EngineFixture
{
protected:
    ServerStations()
        : EngineFixture(std::make_unique<ServerPlace>())
    {}
    const std::string &server() { return static_cast<ServerPlace &>(place()).server(); }
};

TEST_F(ServerStations, AHeldRecordIsRefusedToAnotherStationUntilWritten)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Erster");
    addCustomer(kunde, 2, "Zweiter");
    ASSERT_EQ(kunde.hold(), 0);
    ASSERT_EQ(fetch(kunde, 1), 0);

    const struct
    {
        const char *name;
        std::function<int(RecordFile &)> work;
        int expected;
    } whileHeld[] = {
        {"held by key", [](RecordFile &f) { return f.hold() ? 99 : fetch(f, 1); }, 43},
        {"read without hold", [](RecordFile &f) { return fetch(f, 1); }, 0},
        {"another record held", [](RecordFile &f) { return f.hold() ? 99 : fetch(f, 2); }, 0},
        // A pass that holds what it reads is refused the held record and goes on past it,
        // as the file manager does when told to skip held records.
        {"held in a pass",
         [](RecordFile &f) {
             if (f.setKeyStart(KUN::Keykaid.index) || f.hold() || f.next() != Result::RecordHeld)
                 return 1;
             return f.next() == 0 && f.buffer().get(KUN::KAID) == 2 ? 0 : 2;
         },
         0},
    };
    for (const auto &c : whileHeld)
        EXPECT_EQ(inStation(place(), c.work), c.expected) << c.name;

    kunde.buffer().set(KUN::KNAME, "Geändert");
    ASSERT_EQ(kunde.put(), 0); // writing gives the hold back
    EXPECT_EQ(inStation(place(), [](RecordFile &f) { return f.hold() ? 99 : fetch(f, 1); }), 0);
}

TEST_F(ServerStations, AKilledHolderFreesItsHolds)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Erster");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = startStation(place(), [&](RecordFile &f) {
        if (f.hold() || fetch(f, 1))
            return 1;
        (void)!write(ready[1], "x", 1);
        for (;;)
            pause();
    });
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    ASSERT_EQ(kunde.hold(), 0);
    EXPECT_EQ(fetch(kunde, 1), Result::RecordHeld);

    kill(holder, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(holder, &status, 0), holder);
    ASSERT_TRUE(WIFSIGNALED(status));
    // The server lets go of a dead station's session as soon as it notices the connection
    // gone; until then the record stays held.
    int code = Result::RecordHeld;
    for (int tries = 0; tries < 200 && code == Result::RecordHeld; ++tries) {
        if (tries > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_EQ(kunde.hold(), 0);
        code = fetch(kunde, 1);
    }
    EXPECT_EQ(code, 0);
}

TEST_F(ServerStations, TwoSavesOfOneCustomerAtOnceLeaveOneVersionAndOne89)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Erster");
    Client client(server());
    for (int round = 1; round <= 5; ++round) {
        SCOPED_TRACE(round);
        const std::string before = client.value("SELECT _version FROM \"KUNDE\"");
        int ready[2];
        int go[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(go), 0);
        std::vector<pid_t> stations;
        for (const char *name : {"Station Eins", "Station Zwei"}) {
            stations.push_back(startStation(place(), [&, name](RecordFile &f) {
                if (f.watch() || fetch(f, 1))
                    return 1;
                char byte = 0;
                (void)!write(ready[1], "x", 1);
                if (read(go[0], &byte, 1) != 1)
                    return 2;
                f.buffer().set(KUN::KNAME, name);
                return f.put();
            }));
        }
        close(ready[1]);
        close(go[0]);
        char bytes[2];
        ASSERT_EQ(read(ready[0], bytes, 1) + read(ready[0], bytes + 1, 1), 2);
        ASSERT_EQ(write(go[1], "xx", 2), 2); // both at once
        close(go[1]);
        close(ready[0]);
        std::vector<int> codes;
        for (const pid_t station : stations)
            codes.push_back(endOf(station));
        std::sort(codes.begin(), codes.end());
        EXPECT_EQ(codes, (std::vector<int>{0, Result::RecordChanged}));
        const auto row = client.rows("SELECT _version, \"KNAME\" FROM \"KUNDE\"");
        ASSERT_EQ(row.size(), 1u);
        EXPECT_EQ(std::stoll(row[0][0]), std::stoll(before) + 1);
        EXPECT_TRUE(row[0][1] == "Station Eins" || row[0][1] == "Station Zwei") << row[0][1];
    }
}

// Starts the program's other station on the folder without waiting for it.
pid_t spawnStation(const std::filesystem::path &folder, std::vector<std::string> words)
{
    words.insert(words.begin(), {TESSARO_STATION, folder.string()});
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The relation keeper deletes an order with its calculations in one transaction. A station
// killed while the cascade is half done leaves the order and all its calculations.
TEST(ServerCascade, ADeleteKilledHalfwayLeavesAllOrNothing)
{
    ServerPlace place;
    StoreFixture t(StoreFixture::OnServer{place.server()});
    customer(t, "K1", "Druckerei Nord");
    order(t, "F1", "K1", "A-100");
    for (const char *id : {"KA1", "KA2", "KA3"})
        calculation(t, id, "F1");
    Client client(place.server());
    auto counts = [&] {
        return client.value("SELECT count(*) FROM \"AUFTRAG\"") + "/"
               + client.value("SELECT count(*) FROM \"KALDRUCK\"");
    };
    ASSERT_EQ(counts(), "1/3");

    // A trap on the second calculation stops the cascade there, with one delete made.
    client.run("CREATE FUNCTION trap() RETURNS trigger LANGUAGE plpgsql AS "
               "$$ BEGIN PERFORM pg_sleep(60); RETURN OLD; END $$");
    client.run("CREATE TRIGGER trap BEFORE DELETE ON \"KALDRUCK\" FOR EACH ROW "
               "WHEN (OLD.\"KAAID\" = 'KA2') EXECUTE FUNCTION trap()");
    const pid_t station = spawnStation(t.folder.path(), {"delete-order", "F1"});
    ASSERT_GT(station, 0);
    const std::string waiting
        = "SELECT count(*) FROM pg_stat_activity WHERE wait_event = 'PgSleep' "
          "AND datname = current_database()";
    for (int tries = 0; tries < 600 && client.value(waiting) != "1"; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(client.value(waiting), "1") << "the cascade never reached the trap";
    kill(station, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(station, &status, 0), station);
    ASSERT_TRUE(WIFSIGNALED(status));
    for (int tries = 0; tries < 600 && client.value(waiting) != "0"; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(counts(), "1/3");

    // Without the trap the same cascade takes everything.
    client.run("DROP TRIGGER trap ON \"KALDRUCK\"");
    EXPECT_EQ(endOf(spawnStation(t.folder.path(), {"delete-order", "F1"})), 0);
    EXPECT_EQ(counts(), "0/0");
}

} // namespace
