#include "store/cursorpass.h"

#include "store/cursorparts.h"

#include <algorithm>
#include <cstring>
#include <utility>

bool CursorPass::begin(const FileDef &def,
                       const KeySpec &passOrder,
                       const FilterTree &filterTree,
                       CursorPass *old,
                       SqlFilter (*render)(const FileDef &def, const FilterTree &tree))
{
    order = passOrder;
    if (!old || !cursorparts::sameOrder(old->order, passOrder) || !(old->tree == filterTree)) {
        tag = cursorparts::tagOf(def, passOrder);
        tree = filterTree;
        filter = render(def, filterTree);
        return false;
    }
    tag = std::move(old->tag);
    tree = std::move(old->tree);
    filter = std::move(old->filter);
    rows = std::move(old->rows);
    ids = std::move(old->ids);
    versions = std::move(old->versions);
    return true;
}

CursorPass::Next CursorPass::next(int stepDirection, std::uint64_t fileGeneration) const
{
    const bool blockHolds = direction == stepDirection && generation == fileGeneration;
    if (blockHolds && nextRow < count)
        return Next::Row;
    return blockHolds && hitEnd ? Next::End : Next::Block;
}

void CursorPass::makeRoom(std::size_t rowCount, std::size_t recordSize)
{
    if (ids.size() >= rowCount)
        return;
    rows.resize(rowCount * recordSize);
    ids.resize(rowCount);
    versions.resize(rowCount);
}

void CursorPass::dropRow(std::int64_t id, std::size_t recordSize)
{
    const std::size_t row = rowOf(id);
    if (row == count)
        return;
    const std::size_t after = count - row - 1;
    std::memmove(
        rows.data() + row * recordSize, rows.data() + (row + 1) * recordSize, after * recordSize);
    std::copy_n(ids.begin() + static_cast<std::ptrdiff_t>(row + 1),
                after,
                ids.begin() + static_cast<std::ptrdiff_t>(row));
    std::copy_n(versions.begin() + static_cast<std::ptrdiff_t>(row + 1),
                after,
                versions.begin() + static_cast<std::ptrdiff_t>(row));
    --count;
    if (row < nextRow)
        --nextRow;
}

std::size_t CursorPass::rowOf(std::int64_t id) const
{
    const auto end = ids.begin() + static_cast<std::ptrdiff_t>(count);
    return static_cast<std::size_t>(std::find(ids.begin(), end, id) - ids.begin());
}

bool CursorPass::anchorAt(recordposition::Position &position)
{
    anchor = Anchor::Values;
    values.clear();
    forwardAfter = position.id - 1;
    backwardBefore = position.id + 1;
    if (order.parts.empty())
        return true;
    // The key values the position kept, so that a pass goes on from where the record stood
    // when its position was taken (a list pages on from the row it shows, even if another
    // station has since given that record another key). A position of another order, or
    // one too long to keep them, asks the record for its values.
    if (position.tag != tag || position.values.size() != order.parts.size())
        return false;
    values = std::move(position.values);
    return true;
}
