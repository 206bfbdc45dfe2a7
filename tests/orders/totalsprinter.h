#pragma once

#include "orders/core/orderworkingtotals.h"

#include <ostream>

namespace orders {

// Readable failures when two sets of working totals differ.
inline void PrintTo(const OrderWorkingTotals &t, std::ostream *os)
{
    *os << "{print " << t.WorkPrint << ", colourChange " << t.WorkColourChange << ", sheets "
        << t.WorkSheets << ", minutes " << t.WorkPrintMinutes << " (" << t.WorkHours << " h "
        << t.WorkMinutes << " min), paper " << t.WorkPaper << ", typesetting " << t.WorkTypesetting
        << ", extras " << t.WorkExtras << " \"" << t.WorkExtrasText << "\", transport "
        << t.WorkTransport << ", net " << t.WorkNet << ", discounted " << t.WorkDiscounted
        << ", vat " << t.WorkVat << ", gross " << t.WorkGross << ", cashDiscounted "
        << t.WorkCashDiscounted << ", discount% " << t.WorkDiscountPercent << ", due " << t.DueDate
        << ", skonto " << t.SkontoDate << (t.SkontoShown ? " shown" : " hidden") << "}";
}

} // namespace orders
