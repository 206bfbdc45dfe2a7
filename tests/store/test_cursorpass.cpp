// A cursor's pass and its read-ahead block, on their own: what a step does with the block,
// a deleted record taken out of it, a pass started again keeping what it built, and a reset
// to a position.

#include "store/cursorpass.h"
#include "store/files/kunde.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kSize = 4;

// A block of records "r1".."rN" with ids 10, 20, … and versions 1, 2, ….
CursorPass blockOf(std::size_t rows)
{
    CursorPass p;
    p.makeRoom(rows, kSize);
    for (std::size_t i = 0; i < rows; ++i) {
        const std::string record = 'r' + std::to_string(i + 1) + "  ";
        std::copy_n(record.data(), kSize, p.rows.data() + i * kSize);
        p.ids[i] = static_cast<std::int64_t>(10 * (i + 1));
        p.versions[i] = static_cast<std::int64_t>(i + 1);
    }
    p.count = rows;
    p.direction = 1;
    p.generation = 7;
    return p;
}

std::string recordAt(const CursorPass &p, std::size_t row)
{
    return std::string(p.rows.data() + row * kSize, 2);
}

int renders = 0;
SqlFilter countingRender(const FileDef &, const FilterTree &)
{
    ++renders;
    return SqlFilter{"rendered", {}};
}

TEST(CursorPass, AStepTakesTheBlocksRowOnlyWhileTheBlockHolds)
{
    using Next = CursorPass::Next;
    struct Case
    {
        const char *name;
        std::size_t nextRow;
        bool hitEnd;
        int direction;
        std::uint64_t generation;
        Next expected;
    };
    const Case cases[] = {
        {"rows left", 1, false, 1, 7, Next::Row},
        {"rows left, end reached", 2, true, 1, 7, Next::Row},
        {"used up", 3, false, 1, 7, Next::Block},
        {"used up at the end", 3, true, 1, 7, Next::End},
        {"other direction", 1, true, -1, 7, Next::Block},
        {"file changed", 1, false, 1, 8, Next::Block},
        {"file changed at the end", 3, true, 1, 8, Next::Block},
    };
    for (const Case &c : cases) {
        CursorPass p = blockOf(3);
        p.nextRow = c.nextRow;
        p.hitEnd = c.hitEnd;
        EXPECT_EQ(p.next(c.direction, c.generation), c.expected) << c.name;
    }
    CursorPass none;
    EXPECT_EQ(none.next(1, 0), Next::Block);
    EXPECT_EQ(none.next(-1, 0), Next::Block);
}

TEST(CursorPass, ADeletedRecordLeavesTheBlockWithItsIdAndVersion)
{
    struct Case
    {
        const char *name;
        std::int64_t id;
        std::size_t nextRowBefore;
        std::vector<std::string> records;
        std::vector<std::int64_t> ids;
        std::vector<std::int64_t> versions;
        std::size_t nextRowAfter;
    };
    const Case cases[] = {
        {"the one just taken", 20, 2, {"r1", "r3", "r4"}, {10, 30, 40}, {1, 3, 4}, 1},
        {"one still to come", 30, 1, {"r1", "r2", "r4"}, {10, 20, 40}, {1, 2, 4}, 1},
        {"the first", 10, 0, {"r2", "r3", "r4"}, {20, 30, 40}, {2, 3, 4}, 0},
        {"the last", 40, 4, {"r1", "r2", "r3"}, {10, 20, 30}, {1, 2, 3}, 3},
        {"not in the block", 25, 2, {"r1", "r2", "r3", "r4"}, {10, 20, 30, 40}, {1, 2, 3, 4}, 2},
    };
    for (const Case &c : cases) {
        CursorPass p = blockOf(4);
        p.nextRow = c.nextRowBefore;
        p.dropRow(c.id, kSize);
        ASSERT_EQ(p.count, c.records.size()) << c.name;
        for (std::size_t row = 0; row < p.count; ++row) {
            EXPECT_EQ(recordAt(p, row), c.records[row]) << c.name;
            EXPECT_EQ(p.ids[row], c.ids[row]) << c.name;
            EXPECT_EQ(p.versions[row], c.versions[row]) << c.name;
        }
        EXPECT_EQ(p.nextRow, c.nextRowAfter) << c.name;
        EXPECT_EQ(p.rowOf(c.id), p.count) << c.name;
    }
}

TEST(CursorPass, OnlyTheRowsReadCountAsTheBlocks)
{
    CursorPass p = blockOf(4);
    EXPECT_EQ(p.rowOf(40), 3u);
    p.count = 2; // a shorter block read into the same room
    EXPECT_EQ(p.rowOf(40), p.count) << "rows 2 and 3 are left over from the block before";
    EXPECT_EQ(p.rowOf(20), 1u);
    p.dropBlock();
    EXPECT_EQ(p.rowOf(10), 0u);
    EXPECT_EQ(p.count, 0u);
    EXPECT_EQ(p.next(1, 7), CursorPass::Next::Block);
    p.makeRoom(2, kSize);
    EXPECT_EQ(p.ids.size(), 4u) << "room is only ever added";
}

TEST(CursorPass, APassStartedAgainInItsOrderAndFilterKeepsWhatItBuilt)
{
    const FileDef &def = fileDef(KUN::kFile);
    const KeySpec byName = KeySpec::ofKey(KUN::kFile, KUN::Keykname.index);
    const KeySpec byNumber = KeySpec::ofKey(KUN::kFile, KUN::Keyid.index);

    renders = 0;
    CursorPass first;
    EXPECT_FALSE(first.begin(def, byName, FilterTree{}, nullptr, countingRender));
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(first.tag, "k2");
    EXPECT_EQ(first.filter.expression, "rendered");
    first.makeRoom(5, kSize);

    CursorPass again;
    EXPECT_TRUE(again.begin(def, byName, FilterTree{}, &first, countingRender));
    EXPECT_EQ(renders, 1) << "the filter is not rendered again";
    EXPECT_EQ(again.tag, "k2");
    EXPECT_EQ(again.filter.expression, "rendered");
    EXPECT_EQ(again.ids.size(), 5u);
    EXPECT_EQ(again.count, 0u) << "the block itself is not taken over";

    CursorPass other;
    EXPECT_FALSE(other.begin(def, byNumber, FilterTree{}, &again, countingRender));
    EXPECT_EQ(renders, 2);
    EXPECT_EQ(other.tag, "k0");
    EXPECT_TRUE(other.ids.empty());
}

TEST(CursorPass, AResetTakesThePositionsValuesOnlyForItsOwnOrder)
{
    const KeySpec byName = KeySpec::ofKey(KUN::kFile, KUN::Keykname.index);
    struct Case
    {
        const char *name;
        KeySpec order;
        std::string tag;
        std::vector<FieldValue> values;
        bool done;
    };
    const std::vector<FieldValue> name{std::string("MEIER")};
    const Case cases[] = {
        {"its order", byName, "k2", name, true},
        {"another order", byName, "k0", name, false},
        {"no values kept", byName, "k2", {}, false},
        {"insertion order", KeySpec{}, "", {}, true},
    };
    for (const Case &c : cases) {
        CursorPass p;
        p.order = c.order;
        p.tag = "k2";
        p.values = {std::string("OLD")};
        recordposition::Position pos{42, c.tag, c.values};
        EXPECT_EQ(p.anchorAt(pos), c.done) << c.name;
        EXPECT_EQ(p.anchor, CursorPass::Anchor::Values) << c.name;
        EXPECT_EQ(p.forwardAfter, 41) << c.name;
        EXPECT_EQ(p.backwardBefore, 43) << c.name;
        EXPECT_EQ(p.values, c.done && !c.order.parts.empty() ? name : std::vector<FieldValue>{})
            << c.name;
    }
}

} // namespace
