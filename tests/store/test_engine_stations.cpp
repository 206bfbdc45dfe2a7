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

TEST_P(StationsTest, UnknownOptionsAreAccepted)
{
    RecordFile &kunde = file(FileId::kunde);
    EXPECT_EQ(kunde.send("FULLBUILD=on"), 0);
    EXPECT_EQ(kunde.send(""), 0);
    EXPECT_EQ(kunde.send("Recover=abc"), 0);
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(StationsTest);
