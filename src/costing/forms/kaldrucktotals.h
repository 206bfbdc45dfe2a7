#pragma once

#include "orders/core/linecontributions.h"
#include "store/recordbuffer.h"

#include <optional>
#include <string>

class StoreContext;

// What a print calculation adds to the totals of its order while its form is open. The
// running sums of the open order form change only when the calculation belongs to that
// order; a calculation of any other order (opened from the list of all calculations, with no
// order form or another one open) changes the stored totals of its own order instead, so
// that no unrelated order's sums move.
class CalculationContribution
{
public:
    // The form has opened on `calculation` as stored (all zero for a new one). For the open
    // order its stored contribution leaves the running sums.
    void open(orders::OrderWorkingTotals &working,
              const std::string &currentOrderId,
              const Records &records);

    // The record has been written. The new contribution enters the running sums and the
    // derived totals follow; for another order its stored totals are loaded, changed by the
    // difference and written. Runs once only: a second call does nothing, so an OK that
    // follows a failed write cannot count the calculation twice.
    void accepted(orders::OrderWorkingTotals &working, StoreContext &store, double vatFactor);

    // The form was left without a write: the running sums are as before it opened.
    void left(orders::OrderWorkingTotals &working);

    bool forOpenOrder() const { return m_forOpenOrder; }

private:
    bool m_opened = false;
    bool m_settled = false;
    bool m_forOpenOrder = false;
    orders::LineTakeOut m_takeOut;
    std::optional<RecordBuffer> m_stored;
};

// The stored totals of order `orderId` after one of its calculations changed from `before`
// to `after`: loaded, the old contribution out, the new one in, recomputed and written. The
// thread's order and customer buffers are left as they were. False when the order is not
// there or could not be written (already reported).
bool changeStoredOrderTotals(StoreContext &store,
                             const std::string &orderId,
                             const RecordBuffer &before,
                             const RecordBuffer &after,
                             double vatFactor);
