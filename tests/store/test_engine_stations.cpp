// Other stations at the same files: records changed meanwhile (watch), held records, options.

#include "enginetest.h"

#include <sys/wait.h>
#include <unistd.h>

namespace {

using StationsTest = EngineTest;

void addCustomer(RecordFile &kunde, int number, const char *name)
{
    kunde.clear();
    kunde.buffer().set(KUN::KAID, number);
    kunde.buffer().set(KUN::KNAME, name);
    ASSERT_EQ(kunde.add(), 0);
}

// Another process renames customer 1 and ends with the result of its put.
int renameInAnotherProcess(EnginePlace &place, const char *name)
{
    const pid_t child = fork();
    if (child == 0) {
        const auto engine = place.engine();
        Records records;
        const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
        records[FileId::kunde].set(KUN::KAID, 1);
        if (kunde->open() || kunde->get(KUN::Keykaid.index))
            _exit(100);
        records[FileId::kunde].set(KUN::KNAME, name);
        _exit(kunde->put());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The names of the customers as another station reads them.
std::vector<std::string> storedNames(EnginePlace &place)
{
    const auto station = place.engine();
    Records records;
    const auto kunde = station->recordFile(FileId::kunde, records[FileId::kunde]);
    std::vector<std::string> names;
    if (kunde->open() != Result::Ok || kunde->setStoredOrder() != Result::Ok)
        return names;
    while (kunde->next() == Result::Ok)
        names.push_back(records.get(KUN::KNAME));
    return names;
}

TEST_P(StationsTest, APutAfterWatchFailsWhenAnotherProcessChangedTheRecord)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");

    ASSERT_EQ(kunde.watch(), 0);
    kunde.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    const std::string position = kunde.position();
    ASSERT_EQ(renameInAnotherProcess(place(), "Von drüben"), 0);

    kunde.buffer().set(KUN::KNAME, "Von hier");
    const RecordBuffer mine = kunde.buffer();
    EXPECT_EQ(kunde.put(), Result::RecordChanged);
    EXPECT_TRUE(kunde.buffer() == mine);
    EXPECT_EQ(storedNames(place()), std::vector<std::string>{"Von drüben"});

    // Watched and read again, the record shows the other station's change and can be put.
    ASSERT_EQ(kunde.watch(), 0);
    ASSERT_EQ(kunde.reget(position), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Von drüben");
    kunde.buffer().set(KUN::KNAME, "Von hier");
    EXPECT_EQ(kunde.put(), 0);
    EXPECT_EQ(kunde.put(), 0); // its own change does not count against it
}

TEST_P(StationsTest, WithoutWatchTheLastPutWins)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");
    kunde.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    ASSERT_EQ(renameInAnotherProcess(place(), "Von drüben"), 0);
    kunde.buffer().set(KUN::KNAME, "Von hier");
    EXPECT_EQ(kunde.put(), 0);
    EXPECT_EQ(storedNames(place()), std::vector<std::string>{"Von hier"});
}

TEST_P(StationsTest, HoldActsAsWatchAlsoForRecordsReadInAPass)
{
    RecordFile &kunde = file(FileId::kunde);
    addCustomer(kunde, 1, "Alt");
    addCustomer(kunde, 2, "Zweiter");
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykaid.index), 0);
    ASSERT_EQ(kunde.previous(), 0); // record 2, with record 1 read ahead
    ASSERT_EQ(renameInAnotherProcess(place(), "Von drüben"), 0);
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

TEST_P(WatchSinceTest, TheStationsOwnPutsDoNotCount)
{
    writeOwn("Kiel");
    writeOwn("Lübeck");
    EXPECT_EQ(saveForm(), 0);
}

TEST_P(WatchSinceTest, AnotherStationsPutCountsAlsoAfterOwnPuts)
{
    ASSERT_EQ(renameInAnotherProcess(place(), "Von drüben"), 0);
    writeOwn("Kiel");
    EXPECT_EQ(saveForm(), Result::RecordChanged);
    EXPECT_EQ(storedNames(place()), (std::vector<std::string>{"Von drüben", "Zweiter"}));
}

TEST_P(WatchSinceTest, AnOwnPutThatWasRolledBackIsNotTheStationsOwn)
{
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.beginTransaction(1), 0);
    writeOwn("Kiel");
    ASSERT_EQ(engine.rollback(), 0);
    // The other station's write takes the record to the version the undone put had made.
    ASSERT_EQ(renameInAnotherProcess(place(), "Von drüben"), 0);
    EXPECT_EQ(saveForm(), Result::RecordChanged);
}

INSTANTIATE_ENGINE_CONTRACT(WatchSinceTest);

TEST_P(StationsTest, UnknownOptionsAreAccepted)
{
    RecordFile &kunde = file(FileId::kunde);
    EXPECT_EQ(kunde.send("FULLBUILD=on"), 0);
    EXPECT_EQ(kunde.send(""), 0);
    EXPECT_EQ(kunde.send("Recover=abc"), 0);
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(StationsTest);
