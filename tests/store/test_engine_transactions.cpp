// Transactions across files: all or nothing, also when the process dies in between; and
// the guard that frames them.

#include "enginetest.h"
#include "killedwrites.h"

#include "store/transaction.h"

namespace {

using TransactionsTest = EngineTest;

void addOrder(RecordFile &auftrag, int number, const std::string &id)
{
    auftrag.clear();
    auftrag.buffer().set(AUF::FAID, number);
    auftrag.buffer().set(AUF::FID, id);
    auftrag.buffer().set(AUF::FNR, id);
    ASSERT_EQ(auftrag.add(), 0);
}

void addCalculation(RecordFile &kaldruck, const std::string &id, const std::string &order)
{
    kaldruck.clear();
    kaldruck.buffer().set(KAD::KAAID, id);
    kaldruck.buffer().set(KAD::KAUFID, order);
    ASSERT_EQ(kaldruck.add(), 0);
}

TEST_P(TransactionsTest, CommitWritesEveryFileRollbackNone)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &kaldruck = file(FileId::kaldruck);
    Records otherThread;
    const auto otherViewCursor = engine.recordFile(FileId::kaldruck, otherThread[FileId::kaldruck]);
    RecordFile &otherView = *otherViewCursor;
    ASSERT_EQ(otherView.open(), 0);

    for (const bool keep : {false, true}) {
        ASSERT_EQ(engine.addToTransaction(auftrag), 0);
        ASSERT_EQ(engine.addToTransaction(kaldruck), 0);
        ASSERT_EQ(engine.beginTransaction(2), 0) << engine.status().engineMessage;
        EXPECT_TRUE(engine.inTransaction());
        addOrder(auftrag, 1, "F1");
        addCalculation(kaldruck, "K1", "F1");
        // Inside the transaction every handle of its files sees its writes.
        EXPECT_EQ(otherView.records(), 1);
        ASSERT_EQ(keep ? engine.commit() : engine.rollback(), 0);
        EXPECT_FALSE(engine.inTransaction());
        EXPECT_EQ(auftrag.records(), keep ? 1 : 0);
        EXPECT_EQ(otherView.records(), keep ? 1 : 0);
    }
}

TEST_P(TransactionsTest, APassInsideTheTransactionSeesItsOwnDeletes)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &kaldruck = file(FileId::kaldruck);
    addOrder(auftrag, 1, "F1");
    for (const char *id : {"K1", "K2", "K3"})
        addCalculation(kaldruck, id, "F1");
    addCalculation(kaldruck, "K4", "F2");

    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    ASSERT_EQ(engine.addToTransaction(kaldruck), 0);
    ASSERT_EQ(engine.beginTransaction(2), 0);
    kaldruck.clear();
    kaldruck.buffer().set(KAD::KAUFID, "F1");
    ASSERT_EQ(kaldruck.setKeyFrom(KAD::Keyaufid.index), 0);
    int deleted = 0;
    while (kaldruck.next() == 0 && kaldruck.buffer().get(KAD::KAUFID) == "F1") {
        ASSERT_EQ(kaldruck.erase(), 0);
        ++deleted;
    }
    auftrag.buffer().set(AUF::FID, "F1");
    ASSERT_EQ(auftrag.get(AUF::Keyfid.index), 0);
    ASSERT_EQ(auftrag.erase(), 0);
    ASSERT_EQ(engine.commit(), 0);

    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(kaldruck.records(), 1);
    EXPECT_EQ(auftrag.records(), 0);
}

TEST_P(TransactionsTest, AFileOutsideTheTransactionIsWrittenAtOnce)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &papier = file(FileId::papier);
    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    ASSERT_EQ(engine.beginTransaction(2), 0);
    addOrder(auftrag, 1, "F1");
    papier.clear();
    papier.buffer().set(PAP::PBEZ, "Offset");
    ASSERT_EQ(papier.add(), 0);
    ASSERT_EQ(engine.rollback(), 0);
    EXPECT_EQ(auftrag.records(), 0);
    EXPECT_EQ(papier.records(), 1);
}

TEST_P(TransactionsTest, AFileThatIsNotOpenCannotTakePart)
{
    const auto closedCursor = engine.recordFile(FileId::anach, records[FileId::anach]);
    RecordFile &closed = *closedCursor;
    EXPECT_EQ(engine.addToTransaction(closed), Result::NoTransaction);
    RecordFile &kunde = file(FileId::kunde);
    const auto readOnlyCursor = engine.recordFile(FileId::kunde, records[FileId::kunde]);
    RecordFile &readOnly = *readOnlyCursor;
    ASSERT_EQ(readOnly.open(OpenMode::ReadOnly | OpenMode::DenyNone), 0);
    EXPECT_EQ(engine.addToTransaction(readOnly), Result::NoTransaction);
    EXPECT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.rollback(), Result::EngineError); // nothing begun yet
    ASSERT_EQ(engine.beginTransaction(2), 0);
    ASSERT_EQ(engine.rollback(), 0);
}

TEST_P(TransactionsTest, TheWholeOrderFamilyFitsIntoOneTransaction)
{
    const FileId family[] = {FileId::kunde,
                             FileId::auftrag,
                             FileId::drucktem,
                             FileId::kaldruck,
                             FileId::anach,
                             FileId::atran,
                             FileId::asatz};
    for (const bool keep : {false, true}) {
        for (const FileId id : family)
            ASSERT_EQ(engine.addToTransaction(file(id)), 0);
        ASSERT_EQ(engine.beginTransaction(2), 0) << engine.status().engineMessage;
        for (const FileId id : family) {
            file(id).clear();
            ASSERT_EQ(file(id).add(), 0) << fileDef(id).label;
        }
        ASSERT_EQ(keep ? engine.commit() : engine.rollback(), 0);
        for (const FileId id : family)
            EXPECT_EQ(file(id).records(), keep ? 1 : 0) << fileDef(id).label;
    }
}

// Killed in the middle of writing, the files hold all of the transaction or none of it.
TEST_P(TransactionsTest, AProcessKilledInsideATransactionLeavesAllOrNothing)
{
    struct Case
    {
        const char *name;
        Kill when;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"killed between the two writes", Kill::BetweenWrites, 0},
        {"killed after the commit", Kill::AfterCommit, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        closeAll();
        file(FileId::auftrag);
        file(FileId::kaldruck);
        closeAll(); // nothing of the files is open in this process while the child runs
        const auto [orders, calculations] = killedWriting(place(), c.when);
        EXPECT_EQ(orders, c.expected);
        EXPECT_EQ(calculations, c.expected);
    }
}

// The guard commits what it frames, and rolls it back however else it leaves its scope;
// a transaction already ended by the engine is not committed.
TEST_P(TransactionsTest, TheGuardCommitsOrRollsBackAsItLeaves)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &kaldruck = file(FileId::kaldruck);
    enum class End { Commit, LeaveScope, RollBack, EndedBeforeCommit };
    const struct
    {
        const char *name;
        End end;
        std::int64_t kept;
    } cases[] = {
        {"committed", End::Commit, 1},
        {"left uncommitted", End::LeaveScope, 0},
        {"rolled back early", End::RollBack, 0},
        {"ended by the engine before the commit", End::EndedBeforeCommit, 0},
    };
    int number = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::int64_t before = auftrag.records();
        ASSERT_EQ(engine.addToTransaction(auftrag), 0);
        ASSERT_EQ(engine.addToTransaction(kaldruck), 0);
        {
            Transaction transaction(engine, 2);
            ASSERT_EQ(transaction.began(), 0);
            EXPECT_TRUE(transaction.isOpen());
            ++number;
            addOrder(auftrag, number, "F" + std::to_string(number));
            addCalculation(kaldruck, "K" + std::to_string(number), "F" + std::to_string(number));
            switch (c.end) {
            case End::Commit:
                EXPECT_EQ(transaction.commit(), 0);
                break;
            case End::LeaveScope:
                break;
            case End::RollBack:
                transaction.rollback();
                break;
            case End::EndedBeforeCommit:
                ASSERT_EQ(engine.rollback(), 0);
                EXPECT_FALSE(transaction.isOpen());
                EXPECT_NE(transaction.commit(), 0);
                break;
            }
        }
        EXPECT_FALSE(engine.inTransaction());
        EXPECT_EQ(auftrag.records(), before + c.kept);
        EXPECT_EQ(kaldruck.records(), before + c.kept);
    }
    // A guard that could not begin commits nothing and leaves the engine as it was.
    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    ASSERT_EQ(engine.beginTransaction(2), 0);
    {
        Transaction second(engine, 2);
        EXPECT_NE(second.began(), 0);
        EXPECT_FALSE(second.isOpen());
        EXPECT_NE(second.commit(), 0);
    }
    EXPECT_TRUE(engine.inTransaction());
    ASSERT_EQ(engine.rollback(), 0);
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(TransactionsTest);
