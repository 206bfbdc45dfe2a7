#pragma once

#include "orders/core/orderworkingtotals.h"

#include <string>

namespace orders {

// The working values of the thread an order form runs on, kept in a per-thread slot of the
// application context. The print calculation and the line forms the order form calls, and the
// documents it prints, run on its thread and so work on the same totals and order.
struct OrderThreadValues
{
    orders::OrderWorkingTotals OrderWorkingTotals;
    // The typesetting total of the print calculation being edited, as its typesetting lines
    // change it.
    double WorkCalcTypesetting = 0;
    std::string CurrentOrderId;
};

} // namespace orders
