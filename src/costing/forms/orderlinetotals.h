#pragma once

#include "orders/core/linecontributions.h"

#include <string>

class RecordBuffer;
class StoreContext;

namespace costingforms {

// A line saved or deleted while its order's form is not open on this thread has no working
// totals to go into; its change goes into the order's stored totals instead. The order is
// read by its id, the line's old contribution (`before`) taken out and its new one (`after`,
// a cleared buffer for a deleted line) put in, the derived amounts recomputed as when the
// order is saved, and the order written. The thread's order buffer is left as it was.
//
// An order that is not on file (a line without an order) is left alone. The result is a
// level (Level::); a failed write has been reported by the record store.
int applyLineToStoredOrder(StoreContext &store,
                           const std::string &orderId,
                           orders::LineKind kind,
                           const RecordBuffer &before,
                           const RecordBuffer &after,
                           double vatFactor);

// A typesetting line saved or deleted while its calculation's form is not open on this
// thread: the calculation's stored typesetting total moves from `before` to `after`, its
// total price follows, and the calculation's change goes into its order's stored totals.
// A calculation that is not on file is left alone.
int applyTypesettingToStoredCalculation(StoreContext &store,
                                        const std::string &calculationId,
                                        double before,
                                        double after,
                                        double vatFactor);

} // namespace costingforms
