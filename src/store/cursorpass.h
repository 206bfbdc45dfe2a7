#pragma once

#include "store/engine.h"
#include "store/filtertree.h"
#include "store/recordposition.h"
#include "store/sqlfilter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A sequential pass of one cursor and its read-ahead block, as every engine's cursor keeps
// it; an engine adds the statement texts it builds for the pass.
struct CursorPass
{
    KeySpec order; // no parts: stored (insertion) order
    FilterTree tree;
    SqlFilter filter; // the tree as SQL
    std::string tag;  // names the order in positions: "k<key>" or a description of the order

    // Where the next block starts: at the start of the order, at values (set…From), at a
    // position (reset), or after the current record.
    enum class Anchor { Start, Values, Current } anchor = Anchor::Start;
    std::vector<FieldValue> values;
    std::int64_t forwardAfter = 0;   // with Values: rows after this id (exclusive)
    std::int64_t backwardBefore = 0; // with Values: rows before this id (exclusive)

    // The block: rows read ahead in one direction, handed out one by one while the file is
    // as it was when they were read (its generation).
    int direction = 0; // +1 forward, -1 backward, 0 none
    std::vector<char> rows;
    std::vector<std::int64_t> ids;
    std::vector<std::int64_t> versions;
    std::size_t count = 0;
    std::size_t nextRow = 0;
    bool hitEnd = false;
    std::uint64_t generation = 0;

    // Takes the order and filter. A pass started again in the order and with the filter the
    // old one had (a list moving to another page) takes over what that one built from them,
    // its tag, its filter's SQL and its block's room, and says so; the engine then takes its
    // statement texts over too.
    bool begin(const FileDef &def,
               const KeySpec &order,
               const FilterTree &filter,
               CursorPass *old,
               SqlFilter (*render)(const FileDef &def, const FilterTree &tree));

    enum class Next { Row, Block, End };
    // What a step in a direction does: takes the block's next row, reads a block, or finds
    // the end that the block reached.
    Next next(int stepDirection, std::uint64_t fileGeneration) const;
    // Room for a block of `rowCount` records.
    void makeRoom(std::size_t rowCount, std::size_t recordSize);
    void dropBlock() { direction = 0, count = 0, nextRow = 0, hitEnd = false; }
    // Takes a deleted record out of the block, if it is there.
    void dropRow(std::int64_t id, std::size_t recordSize);
    // The block's row of a record; count when the block does not hold it.
    std::size_t rowOf(std::int64_t id) const;

    // Anchors the next block at a record's position. True when that is all; false when the
    // position does not carry the order's key values and the engine must take them from
    // the record (or start over when it is gone).
    bool anchorAt(recordposition::Position &position);
};
