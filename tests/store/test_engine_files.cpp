// Opening, creating and repairing record files.

#include "enginetest.h"

#include "store/transaction.h"

namespace {

using FilesTest = EngineTest;

void addCustomers(RecordFile &kunde, int count)
{
    Engine &engine = kunde.engine();
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    Transaction transaction(engine, 2);
    ASSERT_EQ(transaction.began(), 0);
    for (int i = 1; i <= count; ++i) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, i);
        kunde.buffer().set(KUN::KNAME, "Kunde " + std::to_string(1000 - i));
        kunde.buffer().set(KUN::KORT, i % 2 ? "Köln" : "Bonn");
        ASSERT_EQ(kunde.add(), 0);
    }
    ASSERT_EQ(transaction.commit(), 0);
}

TEST_P(FilesTest, AMissingFileIsReportedAndNothingIsCreated)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const auto f = engine.recordFile(id, records[id]);
        EXPECT_EQ(f->open(), Result::FileNotFound) << fileDef(id).label;
        EXPECT_EQ(engine.status().code, Result::FileNotFound);
        EXPECT_FALSE(f->isOpen());
    }
    for (std::size_t i = 0; i < kFileCount; ++i)
        EXPECT_FALSE(engine.exists(static_cast<FileId>(i))) << fileDef(FileId(i)).label;
}

TEST_P(FilesTest, CreateMakesAnEmptyFileThatOpens)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const FileDef &def = fileDef(id);
        const auto f = engine.recordFile(id, records[id]);
        ASSERT_EQ(f->create(), 0) << def.label << ": " << engine.status().engineMessage;
        EXPECT_TRUE(engine.exists(id)) << def.label;
        ASSERT_EQ(f->open(), 0) << def.label;
        EXPECT_EQ(f->records(), 0);
        f->close();
    }
}

TEST_P(FilesTest, OpeningAnOpenHandleGives52AndKeepsItOpen)
{
    RecordFile &kunde = file(FileId::kunde);
    EXPECT_EQ(kunde.open(), Result::AlreadyOpen);
    EXPECT_TRUE(kunde.isOpen());
    EXPECT_EQ(kunde.records(), 0);
}

TEST_P(FilesTest, HandlesOfOneFileShareItsRecords)
{
    RecordFile &first = file(FileId::kunde);
    Records otherThread;
    const auto second = engine.recordFile(FileId::kunde, otherThread[FileId::kunde]);
    ASSERT_EQ(second->open(), 0);
    addCustomers(first, 3);
    EXPECT_EQ(second->records(), 3);
    // Each handle has its own buffer: the second one's stays clear.
    EXPECT_EQ(otherThread.get(KUN::KAID), 0);
    second->close();
    EXPECT_TRUE(first.isOpen());
    EXPECT_EQ(first.records(), 3);
}

TEST_P(FilesTest, RebuildKeysKeepsTheRecordsAndTheirOrder)
{
    RecordFile &papier = file(FileId::papier);
    for (int i = 1; i <= 4; ++i) {
        papier.clear();
        papier.buffer().set(PAP::APAP, i);
        papier.buffer().set(PAP::PBEZ, i == 2 ? "Affichenpapier" : "Bilderdruck");
        ASSERT_EQ(papier.add(), 0);
    }
    closeAll();
    const auto again = engine.recordFile(FileId::papier, records[FileId::papier]);
    ASSERT_EQ(again->rebuildKeys(), 0) << engine.status().engineMessage;
    ASSERT_EQ(again->open(), 0);
    EXPECT_EQ(again->records(), 4);
    ASSERT_EQ(again->setKeyStart(PAP::Keypbez.index), 0);
    EXPECT_EQ(forward(*again, PAP::APAP), (std::vector<std::string>{"2", "1", "3", "4"}));
}

TEST_P(FilesTest, RebuildKeysAndCreateWantTheFileClosed)
{
    RecordFile &kunde = file(FileId::kunde);
    const auto other = engine.recordFile(FileId::kunde, records[FileId::kunde]);
    EXPECT_EQ(other->rebuildKeys(), Result::AlreadyOpen);
    EXPECT_EQ(other->create(), Result::AlreadyOpen);
    EXPECT_TRUE(kunde.isOpen());
    const auto missing = engine.recordFile(FileId::satz, records[FileId::satz]);
    EXPECT_EQ(missing->rebuildKeys(), Result::FileNotFound);
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(FilesTest);
