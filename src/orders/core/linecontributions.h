#pragma once

#include "orders/core/orderworkingtotals.h"

#include <span>
#include <string>
#include <string_view>

class RecordBuffer;
class Records;

// What each kind of priced line adds to the running sums of the open order.
namespace orders {

enum class LineKind {
    PrintCalculation, // kaldruck
    PaperLine,        // aufpap
    ExtrasLine,       // anach
    TransportLine,    // atran
};

// The line's values come from its file's buffer in `records`. Adding has no floor; a
// subtraction stops every running sum at 0, and a print time that reaches 0 or less clears
// hours and minutes with it. After a print calculation the caller runs SplitPrintTime and
// RecomputeOrderTotals.
void AddLine(OrderWorkingTotals &totals, LineKind kind, const Records &records);

// The running sums a subtraction touched, as they were before it. A line form that is left
// without OK puts these back: adding the line's values again would neither undo a floor at 0
// nor bring back a print-time split the floor cleared.
struct LineTakeOut
{
    LineKind kind = LineKind::PrintCalculation;
    OrderWorkingTotals before;
};
LineTakeOut SubtractLine(OrderWorkingTotals &totals, LineKind kind, const Records &records);
void PutBackLine(OrderWorkingTotals &totals, const LineTakeOut &takeOut);

// The stored lines of one order, one buffer per record.
struct OrderLineRecords
{
    std::span<const RecordBuffer> calculations;   // kaldruck
    std::span<const RecordBuffer> paperLines;     // aufpap
    std::span<const RecordBuffer> extrasLines;    // anach
    std::span<const RecordBuffer> transportLines; // atran
};

// Sets every running sum to the sum of the given lines' contributions and splits the print
// time, so that the totals agree with the lines even after an order form was cancelled with
// lines saved in the meantime. The derived amounts follow with RecomputeOrderTotals.
void SumOrderLines(OrderWorkingTotals &totals, const OrderLineRecords &lines);

// Summary text after an additional-work line was saved: "(" + the first 26 characters of the
// line's ANA:ANBEZ + "...etc.)", or empty when no additional work is left.
void SetExtrasTextAfterSave(OrderWorkingTotals &totals, const Records &records);
// Summary text rebuilt from the additional-work line selected in the order form's list;
// empty when its description is blank or no line is selected.
void RebuildExtrasText(OrderWorkingTotals &totals, std::string_view selectedDescription);

} // namespace orders
