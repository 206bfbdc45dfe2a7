#include "orders/core/linecontributions.h"

#include "base/text.h"
#include "store/files/anach.h"
#include "store/files/atran.h"
#include "store/files/aufpap.h"
#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

namespace orders {
namespace {

FileId fileOf(LineKind kind)
{
    switch (kind) {
    case LineKind::PrintCalculation:
        return FileId::kaldruck;
    case LineKind::PaperLine:
        return FileId::aufpap;
    case LineKind::ExtrasLine:
        return FileId::anach;
    case LineKind::TransportLine:
        break;
    }
    return FileId::atran;
}

// One line's share of the running sums; `sign` is +1 to add, -1 to subtract.
void apply(OrderWorkingTotals &t, LineKind kind, const RecordBuffer &line, double sign)
{
    switch (kind) {
    case LineKind::PrintCalculation:
        t.WorkColourChange += sign * line.get(KAD::KAFAPR);
        t.WorkSheets += sign * line.get(KAD::NGES);
        t.WorkPrint += sign * line.get(KAD::KADRPR);
        t.WorkPrintMinutes += sign * line.get(KAD::KADRZEIT);
        t.WorkPaper += sign * line.get(KAD::APENDPR);
        t.WorkTypesetting += sign * line.get(KAD::ASGPR);
        break;
    case LineKind::PaperLine:
        t.WorkPaper += sign * line.get(APA::APENDPR);
        break;
    case LineKind::ExtrasLine:
        t.WorkExtras += sign * line.get(ANA::ANGPR);
        break;
    case LineKind::TransportLine:
        t.WorkTransport += sign * line.get(ATR::ATGPR);
        break;
    }
}

void floorAtZero(double &sum)
{
    if (sum < 0)
        sum = 0;
}

void floorSums(OrderWorkingTotals &t, LineKind kind)
{
    switch (kind) {
    case LineKind::PrintCalculation:
        floorAtZero(t.WorkColourChange);
        floorAtZero(t.WorkSheets);
        floorAtZero(t.WorkPrint);
        floorAtZero(t.WorkPaper);
        floorAtZero(t.WorkTypesetting);
        if (t.WorkPrintMinutes <= 0) {
            t.WorkPrintMinutes = 0;
            t.WorkHours = 0;
            t.WorkMinutes = 0;
        }
        break;
    case LineKind::PaperLine:
        floorAtZero(t.WorkPaper);
        break;
    case LineKind::ExtrasLine:
        floorAtZero(t.WorkExtras);
        break;
    case LineKind::TransportLine:
        floorAtZero(t.WorkTransport);
        break;
    }
}

std::string summaryText(std::string_view description)
{
    // Appended step by step: g++ 12 at -O3 warns wrongly (-Wrestrict) about "(" + text.
    std::string text = "(";
    text += rt::leftChars(description, 26);
    text += "...etc.)";
    return text;
}

} // namespace

void AddLine(OrderWorkingTotals &totals, LineKind kind, const Records &records)
{
    apply(totals, kind, records[fileOf(kind)], +1);
}

LineTakeOut SubtractLine(OrderWorkingTotals &totals, LineKind kind, const Records &records)
{
    LineTakeOut takeOut{kind, totals};
    apply(totals, kind, records[fileOf(kind)], -1);
    floorSums(totals, kind);
    return takeOut;
}

void PutBackLine(OrderWorkingTotals &t, const LineTakeOut &takeOut)
{
    const OrderWorkingTotals &b = takeOut.before;
    switch (takeOut.kind) {
    case LineKind::PrintCalculation:
        t.WorkColourChange = b.WorkColourChange;
        t.WorkSheets = b.WorkSheets;
        t.WorkPrint = b.WorkPrint;
        t.WorkPrintMinutes = b.WorkPrintMinutes;
        t.WorkHours = b.WorkHours;
        t.WorkMinutes = b.WorkMinutes;
        t.WorkPaper = b.WorkPaper;
        t.WorkTypesetting = b.WorkTypesetting;
        break;
    case LineKind::PaperLine:
        t.WorkPaper = b.WorkPaper;
        break;
    case LineKind::ExtrasLine:
        t.WorkExtras = b.WorkExtras;
        break;
    case LineKind::TransportLine:
        t.WorkTransport = b.WorkTransport;
        break;
    }
}

void SumOrderLines(OrderWorkingTotals &t, const OrderLineRecords &lines)
{
    t.WorkColourChange = 0;
    t.WorkSheets = 0;
    t.WorkPrint = 0;
    t.WorkPrintMinutes = 0;
    t.WorkPaper = 0;
    t.WorkTypesetting = 0;
    t.WorkExtras = 0;
    t.WorkTransport = 0;
    const struct
    {
        LineKind kind;
        std::span<const RecordBuffer> records;
    } groups[] = {
        {LineKind::PrintCalculation, lines.calculations},
        {LineKind::PaperLine, lines.paperLines},
        {LineKind::ExtrasLine, lines.extrasLines},
        {LineKind::TransportLine, lines.transportLines},
    };
    for (const auto &group : groups) {
        for (const RecordBuffer &line : group.records)
            apply(t, group.kind, line, +1);
    }
    SplitPrintTime(t);
}

void SetExtrasTextAfterSave(OrderWorkingTotals &totals, const Records &records)
{
    // The buffer's text comes without trailing blanks, so they are gone before the cut.
    totals.WorkExtrasText
        = totals.WorkExtras <= 0 ? std::string() : summaryText(records.get(ANA::ANBEZ));
}

void RebuildExtrasText(OrderWorkingTotals &totals, std::string_view selectedDescription)
{
    const std::string_view description = rt::trimmed(selectedDescription);
    totals.WorkExtrasText = description.empty() ? std::string() : summaryText(description);
}

} // namespace orders
