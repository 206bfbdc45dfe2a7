// Sequential passes: set, next, previous, position, reset, reget at the edges.

#include "enginetest.h"

#include "store/rowsread.h"
#include "store/viewfilter.h"

#include <functional>

namespace {

using Names = std::vector<std::string>;

class PassesTest : public EngineTest
{
protected:
    // papier records "P000", "P001", … in their numbers' order, added shuffled.
    RecordFile &paper(int count)
    {
        RecordFile &papier = file(FileId::papier);
        for (int i = 0; i < count; ++i) {
            const int n = (i * 37) % count; // 37 is prime to every count used here
            papier.clear();
            papier.buffer().set(PAP::APAP, n);
            papier.buffer().set(PAP::PBEZ, name(n));
            papier.buffer().set(PAP::PPR, n * 0.5);
            EXPECT_EQ(papier.add(), 0);
        }
        return papier;
    }
    static std::string name(int n)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "P%03d", n);
        return buf;
    }
    std::string current() { return records[FileId::papier].get(PAP::PBEZ); }
    // Starts a pass by name and reads up to "P<n>".
    void passTo(RecordFile &papier, int n)
    {
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        for (int i = 0; i <= n; ++i)
            ASSERT_EQ(papier.next(), 0);
        ASSERT_EQ(current(), name(n));
    }
};

TEST_P(PassesTest, AtTheStartNextReadsTheFirstAndPreviousTheLast)
{
    RecordFile &papier = paper(5);
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P004");
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P000");
}

TEST_P(PassesTest, PastEitherEndGives33AndLeavesTheBuffer)
{
    RecordFile &papier = paper(3);
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    EXPECT_EQ(forward(papier, PAP::PBEZ), (Names{"P000", "P001", "P002"}));
    EXPECT_EQ(current(), "P002");
    EXPECT_EQ(papier.next(), Result::NoRecord);
    EXPECT_EQ(engine.status().code, Result::NoRecord);
    EXPECT_EQ(current(), "P002");
    // Turning round goes back from the current record.
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P001");
    EXPECT_EQ(backward(papier, PAP::PBEZ), (Names{"P000"}));
    EXPECT_EQ(papier.previous(), Result::NoRecord);
    EXPECT_EQ(current(), "P000");

    RecordFile &satz = file(FileId::satz);
    ASSERT_EQ(satz.setKeyStart(SAT::Keysbez.index), 0);
    EXPECT_EQ(satz.next(), Result::NoRecord);
    EXPECT_EQ(satz.previous(), Result::NoRecord);
    EXPECT_EQ(satz.position(), "");
}

TEST_P(PassesTest, NextAndPreviousWithoutAPassGive33)
{
    RecordFile &papier = paper(2);
    EXPECT_EQ(papier.next(), Result::NoRecord);
    EXPECT_EQ(papier.previous(), Result::NoRecord);
}

TEST_P(PassesTest, SetKeyFromStartsAtTheBuffersValuesInBothDirections)
{
    RecordFile &papier = paper(6);
    for (int copy = 0; copy < 2; ++copy) { // two more "P003" after the first
        papier.clear();
        papier.buffer().set(PAP::APAP, 100 + copy);
        papier.buffer().set(PAP::PBEZ, "P003");
        ASSERT_EQ(papier.add(), 0);
    }
    struct Case
    {
        const char *from;
        bool forwards;
        int expectedNumber;
    };
    const Case cases[] = {
        {"P003", true, 3},    // the first of equal entries
        {"P003", false, 101}, // the last of equal entries
        {"P0035", true, 4},   // between entries: the next one up
        {"P0035", false, 101},
        {"A", false, -1}, // nothing before the first
        {"Z", true, -1},  // nothing after the last
        {"", true, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.from) + (c.forwards ? " next" : " previous"));
        papier.clear();
        papier.buffer().set(PAP::PBEZ, c.from);
        ASSERT_EQ(papier.setKeyFrom(PAP::Keypbez.index), 0);
        const int code = c.forwards ? papier.next() : papier.previous();
        if (c.expectedNumber < 0) {
            EXPECT_EQ(code, Result::NoRecord);
            continue;
        }
        ASSERT_EQ(code, 0);
        EXPECT_EQ(records[FileId::papier].get(PAP::APAP), c.expectedNumber);
    }
}

TEST_P(PassesTest, LongPassesCrossReadAheadBlocksInBothDirections)
{
    RecordFile &papier = paper(150);
    Names all;
    for (int i = 0; i < 150; ++i)
        all.push_back(name(i));
    const Names reversed(all.rbegin(), all.rend());
    for (const char *scan : {"QUICKSCAN=off", "QUICKSCAN=on"}) {
        SCOPED_TRACE(scan);
        ASSERT_EQ(papier.send(scan), 0);
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        EXPECT_EQ(forward(papier, PAP::PBEZ), all);
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        EXPECT_EQ(backward(papier, PAP::PBEZ), reversed);
        // Stored order is insertion order.
        ASSERT_EQ(papier.setStoredOrder(), 0);
        ASSERT_EQ(papier.next(), 0);
        EXPECT_EQ(current(), "P000");
        ASSERT_EQ(papier.next(), 0);
        EXPECT_EQ(current(), "P037");
    }
}

TEST_P(PassesTest, ReadAheadOfAnySizeReadsEveryRecordOnceInEitherDirection)
{
    RecordFile &papier = paper(23);
    Names all;
    for (int i = 0; i < 23; ++i)
        all.push_back(name(i));
    const Names reversed(all.rbegin(), all.rend());
    // Blocks smaller than, dividing, not dividing, equal to and larger than the file.
    for (const std::size_t rows : {1u, 2u, 5u, 23u, 40u, 0u}) {
        SCOPED_TRACE(rows);
        papier.setReadAhead(rows);
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        EXPECT_EQ(forward(papier, PAP::PBEZ), all);
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        EXPECT_EQ(backward(papier, PAP::PBEZ), reversed);
        // Turning back in the middle goes on from the record read last.
        ASSERT_NO_FATAL_FAILURE(passTo(papier, 6));
        ASSERT_EQ(papier.previous(), 0);
        EXPECT_EQ(current(), "P005");
        ASSERT_EQ(papier.next(), 0);
        EXPECT_EQ(current(), "P006");
        ASSERT_EQ(papier.next(), 0);
        EXPECT_EQ(current(), "P007");
    }
}

TEST_P(PassesTest, ResetReturnsToThePositionFirstInEitherDirection)
{
    RecordFile &papier = paper(80);
    ASSERT_NO_FATAL_FAILURE(passTo(papier, 40));
    const std::string position = papier.position();
    ASSERT_FALSE(position.empty());
    EXPECT_LE(position.size(), 512u);

    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(papier.next(), 0);
    ASSERT_EQ(papier.reset(position), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P040");
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P041");

    ASSERT_EQ(papier.reset(position), 0);
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P040");
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P039");

    // reget fetches it without touching the pass's direction.
    ASSERT_EQ(papier.reget(position), 0);
    EXPECT_EQ(current(), "P040");
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P041");
}

TEST_P(PassesTest, APositionOfADeletedRecordLeadsToItsNeighbours)
{
    RecordFile &papier = paper(10);
    papier.clear();
    papier.buffer().set(PAP::PBEZ, "P005");
    ASSERT_EQ(papier.get(PAP::Keypbez.index), 0);
    const std::string position = papier.position();
    ASSERT_EQ(papier.erase(), 0);
    EXPECT_EQ(papier.reget(position), Result::NoRecord);
    EXPECT_EQ(papier.put(), Result::NoRecord);

    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.reset(position), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P006");
    ASSERT_EQ(papier.reset(position), 0);
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P004");
}

// A list pages on from the row it shows: another station renaming that record meanwhile
// moves neither the page nor the pass. A position taken in another order does not know where
// the record stood in this one and asks the record.
// A list copies its highlighted row from the page it has just read. The block answers only
// while nothing was written through the file and no watch asks for the record as it is now;
// a record outside the block is read.
TEST_P(PassesTest, RecallTakesTheRecordFromTheBlockJustReadOrReadsItAgain)
{
    RecordFile &papier = paper(10);
    auto price = [&] {
        return records[FileId::papier].get(PAP::PPR);
    };
    // Another station raises P002's price after this one has read its block.
    auto raiseElsewhere = [&] {
        const auto stationEngine = place().engine();
        Engine &station = *stationEngine;
        RecordBuffer buffer(FileId::papier);
        const auto otherCursor = station.recordFile(FileId::papier, buffer);
        RecordFile &other = *otherCursor;
        ASSERT_EQ(other.open(), Result::Ok);
        buffer.set(PAP::PBEZ, "P002");
        ASSERT_EQ(other.get(PAP::Keypbez.index), Result::Ok);
        buffer.set(PAP::PPR, buffer.get(PAP::PPR) + 10.0);
        ASSERT_EQ(other.put(), Result::Ok);
    };
    struct Case
    {
        const char *name;
        std::function<void(RecordFile &)> between; // after the block is read
        double expected; // P002's price the recall gives (each case raises it by 10)
    };
    const Case cases[] = {
        {"block", [](RecordFile &) {}, 1.0},
        {"written since",
         [&](RecordFile &f) {
             f.clear();
             f.buffer().set(PAP::APAP, 99);
             f.buffer().set(PAP::PBEZ, "Q");
             ASSERT_EQ(f.add(), 0);
         },
         21.0},
        {"watched", [](RecordFile &f) { ASSERT_EQ(f.watch(), 0); }, 31.0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        papier.setReadAhead(5);
        ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
        std::string position;
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(papier.next(), 0);
            if (i == 2)
                position = papier.position();
        }
        raiseElsewhere();
        c.between(papier);
        ASSERT_EQ(papier.recall(position), 0);
        EXPECT_EQ(current(), "P002");
        EXPECT_DOUBLE_EQ(price(), c.expected);
        ASSERT_EQ(papier.next(), 0); // the pass goes on after the recalled record
        EXPECT_EQ(current(), "P003");
    }

    // Outside the block (read five at a time: P000 to P004), the record is read.
    ASSERT_NO_FATAL_FAILURE(passTo(papier, 7));
    const std::string late = papier.position(); // read in the second block
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.next(), 0);
    ASSERT_EQ(papier.recall(late), 0);
    EXPECT_EQ(current(), "P007");
    EXPECT_EQ(papier.recall("12;k0;sX"), Result::NoRecord); // a record that never was
}

TEST_P(PassesTest, APositionOfARenamedRecordResumesWhereTheRecordStood)
{
    RecordFile &papier = paper(10);
    ASSERT_NO_FATAL_FAILURE(passTo(papier, 4));
    const std::string position = papier.position();
    papier.buffer().set(PAP::PBEZ, "P999");
    ASSERT_EQ(papier.put(), 0);

    ASSERT_EQ(papier.reset(position), 0);
    EXPECT_EQ(forward(papier, PAP::PBEZ).front(), "P005");
    ASSERT_EQ(papier.reset(position), 0);
    EXPECT_EQ(backward(papier, PAP::PBEZ).front(), "P003");

    // The same record's position in stored order carries no key values.
    ASSERT_EQ(papier.reget(position), 0);
    ASSERT_EQ(papier.setStoredOrder(), 0);
    const std::string stored = papier.position();
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.reset(stored), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P999");
}

TEST_P(PassesTest, DeletingTheCurrentRecordDuringAPassGoesOnWithTheNext)
{
    RecordFile &papier = paper(70);
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    Names kept;
    while (papier.next() == 0) {
        if (records[FileId::papier].get(PAP::APAP) % 3 == 0)
            ASSERT_EQ(papier.erase(), 0);
        else
            kept.push_back(current());
    }
    EXPECT_EQ(kept.size(), 46u);
    EXPECT_EQ(papier.records(), 46);
    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    EXPECT_EQ(forward(papier, PAP::PBEZ), kept);
}

// A cascade walks one parent's children and deletes each as it reads it: the walk reads
// each child once and no record of the parents before or after.
TEST_P(PassesTest, APassOverOneParentsChildrenThatDeletesThemReadsEachOnce)
{
    RecordFile &lines = file(FileId::kaldruck);
    const auto addLine = [&](const std::string &order, int n) {
        lines.clear();
        lines.buffer().set(KAD::KAUFID, order);
        lines.buffer().set(KAD::KAAID, order + '-' + std::to_string(n));
        ASSERT_EQ(lines.add(), 0);
    };
    // Shuffled over the orders, so that the children do not lie together in insertion order.
    for (int n = 0; n < 150; ++n) {
        for (const char *order : {"F1", "F2", "F3"}) {
            if (order[1] != '2' && n >= 40)
                continue;
            addLine(order, n);
        }
    }
    const FilterParseResult parsed
        = parseFilter("KAD:KAUFID = 'F2'", fileFieldResolver(fileDef(FileId::kaldruck)));
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    lines.clear();
    lines.buffer().set(KAD::KAUFID, "F2");
    ASSERT_EQ(
        lines.setOrderFrom(KeySpec::ofKey(FileId::kaldruck, KAD::Keyaufid.index), parsed.filter),
        0);
    const std::uint64_t before = rowsread::total();
    int deleted = 0;
    while (lines.next() == 0) {
        ASSERT_EQ(records[FileId::kaldruck].get(KAD::KAUFID), "F2");
        ASSERT_EQ(lines.erase(), 0);
        ++deleted;
    }
    EXPECT_EQ(deleted, 150);
    EXPECT_EQ(rowsread::total() - before, 150u);
    EXPECT_EQ(lines.records(), 80);
    ASSERT_EQ(lines.setKeyStart(KAD::Keyaufid.index), 0);
    const Names left = forward(lines, KAD::KAUFID);
    EXPECT_EQ(left.front(), "F1");
    EXPECT_EQ(left.back(), "F3");
}

TEST_P(PassesTest, AnUpdateMovesThePassWithTheRecordsNewKey)
{
    RecordFile &papier = paper(10);
    papier.clear();
    papier.buffer().set(PAP::PBEZ, "P002");
    ASSERT_EQ(papier.setKeyFrom(PAP::Keypbez.index), 0);
    ASSERT_EQ(papier.next(), 0);
    papier.buffer().set(PAP::PBEZ, "P0075");
    ASSERT_EQ(papier.put(), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P008");
}

TEST_P(PassesTest, HandlesOfOneFileKeepTheirOwnPassesAndSeeEachOthersWrites)
{
    RecordFile &mine = paper(100);
    Records otherThread;
    const auto otherCursor = engine.recordFile(FileId::papier, otherThread[FileId::papier]);
    RecordFile &other = *otherCursor;
    ASSERT_EQ(other.open(), 0);
    ASSERT_EQ(mine.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(other.setKeyStart(PAP::Keypbez.index), 0);
    ASSERT_EQ(other.previous(), 0);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(mine.next(), 0);
    ASSERT_EQ(other.previous(), 0);
    EXPECT_EQ(current(), "P002");
    EXPECT_EQ(otherThread.get(PAP::PBEZ), "P098");

    // A record added by the other handle just ahead of mine shows up in my pass although
    // my pass had read ahead beyond it.
    other.clear();
    other.buffer().set(PAP::APAP, 500);
    other.buffer().set(PAP::PBEZ, "P0025");
    ASSERT_EQ(other.add(), 0);
    ASSERT_EQ(mine.next(), 0);
    EXPECT_EQ(current(), "P0025");
    // And one it deleted is gone from it.
    other.clear();
    otherThread.set(PAP::PBEZ, "P003");
    ASSERT_EQ(other.get(PAP::Keypbez.index), 0);
    ASSERT_EQ(other.erase(), 0);
    ASSERT_EQ(mine.next(), 0);
    EXPECT_EQ(current(), "P004");
}

TEST_P(PassesTest, OrderedPassesWithAFilterBindTheirValues)
{
    RecordFile &papier = paper(20);
    KeySpec byPriceDown;
    byPriceDown.parts = {KeyPart{PAP::PPR.index, true}};
    const FilterParseResult parsed = parseFilter("PAP:PPR >= 3.0 AND PAP:PBEZ <> 'P008'",
                                                 fileFieldResolver(fileDef(FileId::papier)));
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    const FilterTree &filter = parsed.filter;
    ASSERT_EQ(papier.setOrderStart(byPriceDown, filter), 0);
    EXPECT_EQ(forward(papier, PAP::PBEZ),
              (Names{"P019",
                     "P018",
                     "P017",
                     "P016",
                     "P015",
                     "P014",
                     "P013",
                     "P012",
                     "P011",
                     "P010",
                     "P009",
                     "P007",
                     "P006"}));
    ASSERT_EQ(papier.setOrderStart(byPriceDown, filter), 0);
    EXPECT_EQ(backward(papier, PAP::PBEZ).front(), "P006");

    papier.clear();
    papier.buffer().set(PAP::PPR, 4.2);
    ASSERT_EQ(papier.setOrderFrom(byPriceDown, filter), 0);
    ASSERT_EQ(papier.next(), 0);
    EXPECT_EQ(current(), "P007");
    const std::string position = papier.position();
    ASSERT_EQ(papier.next(), 0);
    ASSERT_EQ(papier.reset(position), 0);
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P007");
    ASSERT_EQ(papier.previous(), 0);
    EXPECT_EQ(current(), "P009");
}

// Filters of views as users write them select the same records on every engine, with the
// comparisons that ignore case ignoring it as the keys do, and a text that looks like a
// statement staying a value.
TEST_P(PassesTest, FilteredPassesSelectTheRightRecords)
{
    RecordFile &kunde = file(FileId::kunde);
    const struct
    {
        int number;
        const char *name;
        const char *place;
        double discount;
        int invoiced;
    } customers[] = {
        {1, "Müller", "Köln", 2.5, 80000},
        {2, "MÜLLER", "Bonn", 0, 0},
        {3, "O'Brien", "Köln", 10, 81600},
        {4, "x'; DROP TABLE KUNDE; --", "Aachen", 0, 0},
        {5, "meier", "köln", 5, 80500},
    };
    for (const auto &c : customers) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, c.number);
        kunde.buffer().set(KUN::KNAME, c.name);
        kunde.buffer().set(KUN::KORT, c.place);
        ASSERT_TRUE(kunde.buffer().set(KUN::KRAB, c.discount));
        kunde.buffer().set(KUN::RECH, c.invoiced);
        ASSERT_EQ(kunde.add(), 0);
    }
    const struct
    {
        const char *text;
        Names numbers;
    } rows[] = {
        {"UPPER(KUN:KNAME) = UPPER('müller')", {"1", "2"}},
        {"KUN:KNAME = 'Müller'", {"1"}},
        {"KUN:KNAME = UPPER('müller')", {"2"}},
        {"UPPER(KUN:KORT) = UPPER('KÖLN') AND KUN:KRAB >= 5", {"3", "5"}},
        {"KUN:KNAME = 'O''Brien   '", {"3"}},
        {"KUN:KNAME = 'x''; DROP TABLE KUNDE; --'", {"4"}},
        {"KUN:RECH >= '01.01.2024' OR NOT (KUN:KAID <> 2)", {"2", "3"}},
        {"KUN:RECH >= 80000 AND KUN:RECH <= 80500", {"1", "5"}},
        {"(KUN:KRAB > 0 AND (KUN:KORT = 'Köln' OR KUN:KORT = 'Bonn'))", {"1", "3"}},
        {"UPPER('m') <= UPPER(KUN:KNAME) AND KUN:KAID < 5", {"1", "2", "3", "4"}},
        {"KUN:KAID > 0", {"1", "2", "3", "4", "5"}},
    };
    const KeySpec byNumber = KeySpec::ofKey(FileId::kunde, KUN::Keykaid.index);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        const FilterParseResult parsed
            = parseFilter(row.text, fileFieldResolver(fileDef(FileId::kunde)));
        ASSERT_TRUE(parsed.ok()) << parsed.error;
        ASSERT_EQ(kunde.setOrderStart(byNumber, parsed.filter), 0);
        EXPECT_EQ(forward(kunde, KUN::KAID), row.numbers);
        ASSERT_EQ(kunde.setOrderStart(byNumber, parsed.filter), 0);
        const Names backwards = backward(kunde, KUN::KAID);
        EXPECT_EQ(Names(backwards.rbegin(), backwards.rend()), row.numbers);
    }
}

TEST_P(PassesTest, PositionsStayShortPlainAndWithoutBlanks)
{
    RecordFile &text = file(FileId::text);
    text.clear();
    text.buffer().set(TEX::IDTEXT, 1);
    text.buffer().set(TEX::TKEN, "€ ");
    std::string euros;
    for (int i = 0; i < 70; ++i)
        euros += "€";
    text.buffer().set(TEX::TX1, euros);
    ASSERT_EQ(text.add(), 0);
    ASSERT_EQ(text.setKeyStart(TEX::Keytken.index), 0);
    ASSERT_EQ(text.next(), 0);
    const std::string position = text.position();
    EXPECT_LE(position.size(), 512u);
    for (const char c : position)
        EXPECT_TRUE(c > ' ' && static_cast<unsigned char>(c) < 0x7F) << position;
    ASSERT_EQ(text.next(), Result::NoRecord);
    ASSERT_EQ(text.reset(position), 0);
    ASSERT_EQ(text.next(), 0);
    EXPECT_EQ(text.buffer().get(TEX::IDTEXT), 1);
}

TEST_P(PassesTest, AClosedHandleAnswersWithACodeNotACrash)
{
    const auto papierCursor = engine.recordFile(FileId::papier, records[FileId::papier]);
    RecordFile &papier = *papierCursor;
    EXPECT_EQ(papier.next(), Result::EngineError);
    EXPECT_EQ(papier.add(), Result::EngineError);
    EXPECT_EQ(papier.get(PAP::Keypbez.index), Result::EngineError);
    EXPECT_EQ(papier.reset("12"), Result::EngineError);
    EXPECT_EQ(papier.position(), "");
    EXPECT_FALSE(engine.status().engineMessage.empty());
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(PassesTest);
