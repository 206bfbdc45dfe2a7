// Per-thread record buffers, the usage list of nested procedures, snapshots and saved states.

#include "support/storefixture.h"

#include <gtest/gtest.h>

namespace {

void addCustomers(StoreFixture &t)
{
    for (const char *name : {"Anna Druck", "Berta Satz", "Clara Papier"}) {
        t.add(FileId::kunde, [&](Records &r) {
            r.set(KUN::KNAME, name);
            r.set(KUN::KID, std::string("K") + name[0]);
        });
    }
}

} // namespace

TEST(FileManagerThreads, EveryThreadHasItsOwnBuffersAndState)
{
    StoreFixture t;
    addCustomers(t);
    FileManager &customers = t.fm(FileId::kunde);
    customers.Open();
    customers.startPass(KUN::Keykname);
    ASSERT_EQ(customers.Next(), Level::Benign);
    ASSERT_EQ(t.records().get(KUN::KNAME), "Anna Druck");

    const std::uint32_t other = ProcThread::newThread();
    ProcThread::setCurrent(other);
    EXPECT_EQ(t.records().get(KUN::KNAME), "") << "a new thread starts with cleared buffers";
    // Opened on the start-up thread only: this thread must open the file itself.
    EXPECT_EQ(customers.threadState().OPENED, 0);
    customers.Open();
    t.records().set(KUN::KNAME, "Clara Papier");
    ASSERT_EQ(customers.FetchQuiet(KUN::Keykname), Level::Benign);
    customers.startPass(KUN::Keykname);
    ASSERT_EQ(customers.Previous(), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Clara Papier");

    ProcThread::setCurrent(1);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Anna Druck");
    ASSERT_EQ(customers.Next(), Level::Benign) << "the pass of this thread goes on";
    EXPECT_EQ(t.records().get(KUN::KNAME), "Berta Satz");

    // The thread ends without closing: its buffers, handle and state go with it.
    EXPECT_EQ(customers.INFO.size(), 2u);
    ProcThread::endThread(other);
    EXPECT_FALSE(t.store->threads().has(other));
    EXPECT_EQ(customers.INFO.size(), 1u);
    for (const FileUsage &u : t.store->files().usage())
        EXPECT_NE(u.THREAD, other);
    customers.Close();
}

TEST(FileManagerThreads, InnerProcedureGivesTheOuterOneItsRecordBack)
{
    // An inner procedure that only reads the file (level 2) must not disturb the caller's
    // record and pass; one that works on the file itself (level 3) hands its record back.
    struct Case
    {
        int innerLevel;
        const char *bufferAfter;
        const char *nextAfter;
    };
    const Case cases[] = {
        {2, "Anna Druck", "Berta Satz"},
        {3, "Clara Papier", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.innerLevel);
        StoreFixture t;
        addCustomers(t);
        ErrorManager &errors = t.store->errors();
        FileManager &customers = t.fm(FileId::kunde);

        errors.SetProcedure("Browsekunde");
        customers.Open();
        customers.Use(3);
        customers.startPass(KUN::Keykname);
        ASSERT_EQ(customers.Next(), Level::Benign);
        ASSERT_EQ(t.records().get(KUN::KNAME), "Anna Druck");

        errors.SetProcedure("Updatekunde");
        customers.Open();
        customers.Use(c.innerLevel);
        t.records().set(KUN::KNAME, "Clara Papier");
        ASSERT_EQ(customers.FetchQuiet(KUN::Keykname), Level::Benign);
        const std::vector<FileUsage> &usage = t.store->files().usage();
        ASSERT_EQ(usage.size(), 2u);
        EXPECT_EQ(usage[1].PROC, "Updatekunde");
        EXPECT_EQ(usage[1].SCOPELEVEL, 2);
        customers.Close();
        errors.ClearProcedure();

        EXPECT_EQ(usage.size(), 1u);
        EXPECT_EQ(t.records().get(KUN::KNAME), c.bufferAfter);
        if (c.nextAfter) {
            ASSERT_EQ(customers.Next(), Level::Benign);
            EXPECT_EQ(t.records().get(KUN::KNAME), c.nextAfter);
        }
        EXPECT_EQ(customers.SAVED.size(), 0u);
        EXPECT_EQ(customers.BUFFERS.size(), 0u);
        customers.Close();
        EXPECT_TRUE(usage.empty());
    }
}

TEST(FileManagerThreads, FurtherOpensBySameProcedureNest)
{
    StoreFixture t;
    addCustomers(t);
    t.store->errors().SetProcedure("Browsekunde");
    FileManager &customers = t.fm(FileId::kunde);
    customers.Open();
    customers.Open();
    const std::vector<FileUsage> &usage = t.store->files().usage();
    ASSERT_EQ(usage.size(), 1u);
    EXPECT_EQ(usage[0].NESTEDOPEN, 1);
    customers.Use(2);
    customers.Use(3);
    customers.Use(2);
    EXPECT_EQ(usage[0].USTAT, 3) << "the highest level stays";
    customers.Close();
    EXPECT_EQ(usage.size(), 1u);
    customers.Close();
    EXPECT_TRUE(usage.empty());
}

TEST(FileManagerSnapshots, TakeCompareRestore)
{
    StoreFixture t;
    FileManager &paper = t.fm(FileId::papier);
    t.records().set(PAP::PBEZ, "Recycling 90g");
    t.records().set(PAP::PPR, 12.75);
    const std::uint16_t first = paper.TakeSnapshot();
    const std::uint16_t second = paper.TakeSnapshot();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_TRUE(paper.MatchesSnapshot(first));

    // The last field is a text: its trailing blanks are dropped from the copy and come back.
    t.records().set(PAP::LIEF3FAX, "0711 1234");
    EXPECT_FALSE(paper.MatchesSnapshot(first));
    const RecordBuffer changed = t.records()[FileId::papier];
    paper.RestoreSnapshot(first);
    EXPECT_EQ(t.records().get(PAP::PBEZ), "Recycling 90g");
    EXPECT_EQ(t.records().get(PAP::LIEF3FAX), "");
    EXPECT_EQ(std::string(t.records()[FileId::papier].raw(PAP::LIEF3FAX)), std::string(20, ' '));
    EXPECT_FALSE(paper.MatchesSnapshot(first)) << "restoring removes the snapshot";

    EXPECT_EQ(paper.TakeSnapshot(), 3) << "ids go on from the last one";
    t.records()[FileId::papier] = changed;
    paper.RestoreSnapshot(second, false);
    EXPECT_EQ(t.records().get(PAP::LIEF3FAX), "0711 1234") << "discarding leaves the buffer";
    EXPECT_EQ(paper.BUFFERS.size(), 1u);
}

TEST(FileManagerSnapshots, SavedStateReturnsToRecordAndPass)
{
    StoreFixture t;
    addCustomers(t);
    FileManager &customers = t.fm(FileId::kunde);
    customers.Open();
    customers.startPass(KUN::Keykname);
    ASSERT_EQ(customers.Next(), Level::Benign);
    t.records().set(KUN::KSTR, "edited, not saved");
    std::uint16_t state = customers.SaveState();

    customers.startPass(KUN::Keykaid);
    customers.Previous();
    ASSERT_EQ(t.records().get(KUN::KNAME), "Clara Papier");

    customers.RestoreState(state);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Anna Druck");
    EXPECT_EQ(t.records().get(KUN::KSTR), "edited, not saved");
    ASSERT_EQ(customers.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Berta Satz") << "by name again, not by number";
    const std::string there = customers.Position();
    ASSERT_FALSE(there.empty());
    customers.Next();
    ASSERT_EQ(customers.Refetch(there), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Berta Satz");
    customers.Close();
}
