// Large values beside a record: a stored document's bytes, written and read whole, within
// transactions like the record's own writes, unique keys that ignore case.

#include "enginetest.h"

#include <random>

namespace {

using LargeTest = EngineTest;

// Bytes of every value, a few hundred KB of them: what a PDF with an embedded XML weighs.
std::string documentBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

void addDocument(RecordFile &f, std::int32_t id, const std::string &number)
{
    f.clear();
    f.buffer().set(BEL::BID, id);
    f.buffer().set(BEL::BBEZUG, "B" + std::to_string(id));
    f.buffer().set(BEL::BNR, number);
    f.buffer().set(BEL::BART, BEL::kInvoice);
}

TEST_P(LargeTest, BytesOfEverySizeComeBackUnchanged)
{
    RecordFile &beleg = file(FileId::beleg);
    const struct
    {
        const char *name;
        std::string bytes;
    } cases[] = {
        {"empty", {}},
        {"zero bytes inside", std::string("%PDF\0\0\x01\xff end", 14)},
        {"backslashes and quotes", "\\x00 \\\\ '\" \\"},
        {"600 KB", documentBytes(600 * 1024, 7)},
    };
    std::int32_t id = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ++id;
        addDocument(beleg, id, "RE-" + std::to_string(id));
        ASSERT_EQ(beleg.add(), 0) << engine.status().engineMessage;
        ASSERT_EQ(beleg.putLarge(BEL::kPdf, c.bytes), 0) << engine.status().engineMessage;

        // Read back through a fetch by key, as a later session finds it.
        beleg.clear();
        beleg.buffer().set(BEL::BNR, "RE-" + std::to_string(id));
        ASSERT_EQ(beleg.get(BEL::Keybnr.index), 0);
        EXPECT_EQ(beleg.buffer().get(BEL::BBEZUG), "B" + std::to_string(id));
        std::string read = "stale";
        ASSERT_EQ(beleg.getLarge(BEL::kPdf, read), 0) << engine.status().engineMessage;
        EXPECT_EQ(read.size(), c.bytes.size());
        EXPECT_TRUE(read == c.bytes);
        // The other value of the record was never written: empty.
        ASSERT_EQ(beleg.getLarge(BEL::kXml, read), 0);
        EXPECT_EQ(read, "");
    }
}

TEST_P(LargeTest, EachRecordKeepsItsOwnValuesAndAPassReadsNone)
{
    RecordFile &beleg = file(FileId::beleg);
    for (std::int32_t id = 1; id <= 3; ++id) {
        addDocument(beleg, id, "RE-" + std::to_string(id));
        ASSERT_EQ(beleg.add(), 0);
        ASSERT_EQ(beleg.putLarge(BEL::kPdf, "pdf " + std::to_string(id)), 0);
        ASSERT_EQ(beleg.putLarge(BEL::kXml, "xml " + std::to_string(id)), 0);
    }
    ASSERT_EQ(beleg.setKeyStart(BEL::Keybnr.index), 0);
    std::vector<std::string> seen;
    while (beleg.next() == 0) {
        std::string pdf;
        std::string xml;
        ASSERT_EQ(beleg.getLarge(BEL::kPdf, pdf), 0);
        ASSERT_EQ(beleg.getLarge(BEL::kXml, xml), 0);
        seen.push_back(pdf + '|' + xml);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"pdf 1|xml 1", "pdf 2|xml 2", "pdf 3|xml 3"}));
}

TEST_P(LargeTest, RefusesWithoutCurrentRecordOrSlot)
{
    RecordFile &beleg = file(FileId::beleg);
    std::string bytes;
    EXPECT_EQ(beleg.putLarge(BEL::kPdf, "x"), Result::NoRecord);
    EXPECT_EQ(beleg.getLarge(BEL::kPdf, bytes), Result::NoRecord);
    addDocument(beleg, 1, "RE-1");
    ASSERT_EQ(beleg.add(), 0);
    EXPECT_EQ(beleg.putLarge(2, "x"), Result::EngineError);
    EXPECT_EQ(beleg.getLarge(-1, bytes), Result::EngineError);
    // A file without large values has no slot at all.
    RecordFile &kunde = file(FileId::kunde);
    kunde.clear();
    kunde.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(kunde.add(), 0);
    EXPECT_EQ(kunde.putLarge(0, "x"), Result::EngineError);
}

TEST_P(LargeTest, ARolledBackTransactionLeavesNoRecordAndNoBytes)
{
    RecordFile &beleg = file(FileId::beleg);
    RecordFile &auftrag = file(FileId::auftrag);
    addDocument(beleg, 1, "RE-1");
    ASSERT_EQ(beleg.add(), 0);
    ASSERT_EQ(beleg.putLarge(BEL::kPdf, "first"), 0);

    for (const bool commit : {false, true}) {
        SCOPED_TRACE(commit ? "committed" : "rolled back");
        ASSERT_EQ(engine.addToTransaction(beleg), 0);
        ASSERT_EQ(engine.addToTransaction(auftrag), 0);
        ASSERT_EQ(engine.beginTransaction(2), 0);
        addDocument(beleg, 2, "RE-2");
        ASSERT_EQ(beleg.add(), 0);
        ASSERT_EQ(beleg.putLarge(BEL::kPdf, "second"), 0);
        beleg.clear();
        beleg.buffer().set(BEL::BNR, "RE-1");
        ASSERT_EQ(beleg.get(BEL::Keybnr.index), 0);
        ASSERT_EQ(beleg.putLarge(BEL::kPdf, "first, overwritten"), 0);
        ASSERT_EQ(commit ? engine.commit() : engine.rollback(), 0);

        std::string bytes;
        beleg.clear();
        beleg.buffer().set(BEL::BNR, "RE-1");
        ASSERT_EQ(beleg.get(BEL::Keybnr.index), 0);
        ASSERT_EQ(beleg.getLarge(BEL::kPdf, bytes), 0);
        EXPECT_EQ(bytes, commit ? "first, overwritten" : "first");
        beleg.clear();
        beleg.buffer().set(BEL::BNR, "RE-2");
        EXPECT_EQ(beleg.get(BEL::Keybnr.index), commit ? 0 : Result::NoRecord);
        if (commit) {
            ASSERT_EQ(beleg.getLarge(BEL::kPdf, bytes), 0);
            EXPECT_EQ(bytes, "second");
        }
    }
}

TEST_P(LargeTest, ADocumentNumberIsUniqueWhateverItsLetterCase)
{
    RecordFile &beleg = file(FileId::beleg);
    addDocument(beleg, 1, "RE-2026-0041");
    ASSERT_EQ(beleg.add(), 0);
    addDocument(beleg, 2, "re-2026-0041");
    EXPECT_EQ(beleg.add(), Result::DuplicateKey);
    addDocument(beleg, 3, "RE-2026-0042");
    EXPECT_EQ(beleg.add(), 0);
}

TEST_P(LargeTest, ValuesSurviveAKeyRebuild)
{
    {
        RecordFile &beleg = file(FileId::beleg);
        addDocument(beleg, 1, "RE-1");
        ASSERT_EQ(beleg.add(), 0);
        ASSERT_EQ(beleg.putLarge(BEL::kPdf, documentBytes(4096, 3)), 0);
    }
    closeAll();
    auto beleg = engine.recordFile(FileId::beleg, records[FileId::beleg]);
    ASSERT_EQ(beleg->rebuildKeys(), 0) << engine.status().engineMessage;
    ASSERT_EQ(beleg->open(), 0);
    beleg->clear();
    beleg->buffer().set(BEL::BNR, "re-1");
    ASSERT_EQ(beleg->get(BEL::Keybnr.index), 0);
    std::string bytes;
    ASSERT_EQ(beleg->getLarge(BEL::kPdf, bytes), 0);
    EXPECT_TRUE(bytes == documentBytes(4096, 3));
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(LargeTest);
