// Other stations at the same files: changed records (watch) and busy files (recover time).

#include "enginetest.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

using StationsTest = EngineTest;
using Clock = std::chrono::steady_clock;

void addCustomer(RecordFile &kunde, int number, const char *name)
{
    kunde.clear();
    kunde.buffer().set(KUN::KAID, number);
    kunde.buffer().set(KUN::KNAME, name);
    ASSERT_EQ(kunde.add(), 0);
}

// Another process renames customer 1 and ends with the result of its put.
int renameInAnotherProcess(const std::filesystem::path &folder, const char *name)
{
    const pid_t child = fork();
    if (child == 0) {
        Engine engine(folder);
        Records records;
        RecordFile kunde(engine, FileId::kunde, records[FileId::kunde]);
        records[FileId::kunde].set(KUN::KAID, 1);
        if (kunde.open() || kunde.get(KUN::Keykaid.index))
            _exit(100);
        records[FileId::kunde].set(KUN::KNAME, name);
        _exit(kunde.put());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(StationsTest, APutAfterWatchFailsWhenAnotherProcessChangedTheRecord)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");

    ASSERT_EQ(kunde.watch(), 0);
    kunde.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    const std::string position = kunde.position();
    ASSERT_EQ(renameInAnotherProcess(folder.path(), "Von drüben"), 0);

    kunde.buffer().set(KUN::KNAME, "Von hier");
    const RecordBuffer mine = kunde.buffer();
    EXPECT_EQ(kunde.put(), Result::RecordChanged);
    EXPECT_TRUE(kunde.buffer() == mine);
    EXPECT_EQ(RawFile(engine.pathOf(FileId::kunde)).column("SELECT KNAME FROM KUNDE"),
              std::vector<std::string>{"Von drüben"});

    // Watched and read again, the record shows the other station's change and can be put.
    ASSERT_EQ(kunde.watch(), 0);
    ASSERT_EQ(kunde.reget(position), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Von drüben");
    kunde.buffer().set(KUN::KNAME, "Von hier");
    EXPECT_EQ(kunde.put(), 0);
    EXPECT_EQ(kunde.put(), 0); // its own change does not count against it
}

TEST_F(StationsTest, WithoutWatchTheLastPutWins)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");
    kunde.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    ASSERT_EQ(renameInAnotherProcess(folder.path(), "Von drüben"), 0);
    kunde.buffer().set(KUN::KNAME, "Von hier");
    EXPECT_EQ(kunde.put(), 0);
    EXPECT_EQ(RawFile(engine.pathOf(FileId::kunde)).column("SELECT KNAME FROM KUNDE"),
              std::vector<std::string>{"Von hier"});
}

TEST_F(StationsTest, HoldActsAsWatchAlsoForRecordsReadInAPass)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");
    addCustomer(kunde, 2, "Zweiter");
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykaid.index), 0);
    ASSERT_EQ(kunde.previous(), 0); // record 2, with record 1 read ahead
    ASSERT_EQ(renameInAnotherProcess(folder.path(), "Von drüben"), 0);
    ASSERT_EQ(kunde.hold(), 0);
    ASSERT_EQ(kunde.previous(), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KAID), 1);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Von drüben");
    EXPECT_EQ(kunde.put(), 0);
}

// A form's record, watched as read, that a nested step of the same station moves away from
// and writes: taken up again with watchSince, only another station's write counts.
class WatchSinceTest : public StationsTest
{
protected:
    WatchSinceTest()
    {
        addCustomer(kunde, 1, "Alt");
        addCustomer(kunde, 2, "Zweiter");
        EXPECT_EQ(kunde.watch(), 0);
        EXPECT_EQ(fetch(1), 0);
        position = kunde.position();
        read = kunde.version();
        EXPECT_EQ(fetch(2), 0); // the nested step reads elsewhere
    }

    int fetch(int number)
    {
        kunde.buffer().set(KUN::KAID, number);
        return kunde.get(KUN::Keykaid.index);
    }
    // The nested step writes the form's record after reading it afresh.
    void writeOwn(const char *place)
    {
        ASSERT_EQ(fetch(1), 0);
        kunde.buffer().set(KUN::KORT, place);
        ASSERT_EQ(kunde.put(), 0);
        ASSERT_EQ(fetch(2), 0);
    }
    // Back at the form's record, which the form then saves.
    int saveForm()
    {
        EXPECT_EQ(kunde.watchSince(read), 0);
        EXPECT_EQ(kunde.reget(position), 0);
        kunde.buffer().set(KUN::KNAME, "Von hier");
        return kunde.put();
    }

    RecordFile &kunde = file(FileId::kunde);
    std::string position;
    std::int64_t read = 0;
};

TEST_F(WatchSinceTest, TheStationsOwnPutsDoNotCount)
{
    writeOwn("Kiel");
    writeOwn("Lübeck");
    EXPECT_EQ(saveForm(), 0);
}

TEST_F(WatchSinceTest, AnotherStationsPutCountsAlsoAfterOwnPuts)
{
    ASSERT_EQ(renameInAnotherProcess(folder.path(), "Von drüben"), 0);
    writeOwn("Kiel");
    EXPECT_EQ(saveForm(), Result::RecordChanged);
    EXPECT_EQ(
        RawFile(engine.pathOf(FileId::kunde)).column("SELECT KNAME FROM KUNDE WHERE KAID = 1"),
        std::vector<std::string>{"Von drüben"});
}

TEST_F(WatchSinceTest, AnOwnPutThatWasRolledBackIsNotTheStationsOwn)
{
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.beginTransaction(1), 0);
    writeOwn("Kiel");
    ASSERT_EQ(engine.rollback(), 0);
    // The other station's write takes the record to the version the undone put had made.
    ASSERT_EQ(renameInAnotherProcess(folder.path(), "Von drüben"), 0);
    EXPECT_EQ(saveForm(), Result::RecordChanged);
}

TEST_F(StationsTest, ABusyFileIsWaitedForUpToTheRecoverTime)
{
    RecordFile &kunde = file(FileId::kunde);
    RawFile other(engine.pathOf(FileId::kunde));
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);

    ASSERT_EQ(kunde.send("Recover=1"), 0);
    const auto start = Clock::now();
    kunde.clear();
    EXPECT_EQ(kunde.add(), Result::EngineError);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_EQ(engine.status().engineMessage, "database is locked");
    EXPECT_EQ(std::stoi(engine.status().engineCode) & 0xFF, SQLITE_BUSY);

    ASSERT_EQ(kunde.send("Recover=0"), 0);
    EXPECT_EQ(kunde.records(), 0);
    EXPECT_EQ(engine.status().code, Result::EngineError);

    // Released while it waits, the file is used as soon as it is free.
    ASSERT_EQ(kunde.send("Recover=10"), 0);
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    EXPECT_EQ(kunde.add(), 0);
    release.join();
    EXPECT_EQ(kunde.records(), 1);
}

TEST_F(StationsTest, ATransactionWaitsForItsFilesThenGivesUp)
{
    RecordFile &kunde = file(FileId::kunde);
    RecordFile &auftrag = file(FileId::auftrag);
    RawFile other(engine.pathOf(FileId::auftrag));
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    const auto start = Clock::now();
    EXPECT_EQ(engine.beginTransaction(1), Result::EngineError);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(engine.status().engineMessage, "database is locked");
    EXPECT_FALSE(engine.inTransaction());
    ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);

    // Nothing is left over: the next transaction starts afresh.
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.beginTransaction(1), 0);
    addCustomer(kunde, 1, "Neu");
    ASSERT_EQ(engine.commit(), 0);
    EXPECT_EQ(kunde.records(), 1);
}

TEST_F(StationsTest, UnknownOptionsAreAccepted)
{
    RecordFile &kunde = file(FileId::kunde);
    EXPECT_EQ(kunde.send("FULLBUILD=on"), 0);
    EXPECT_EQ(kunde.send(""), 0);
    EXPECT_EQ(kunde.send("Recover=abc"), 0);
}

} // namespace
