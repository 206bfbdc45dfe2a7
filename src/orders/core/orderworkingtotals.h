#pragma once

#include "base/stddate.h"

#include <string>

class Records;

// The totals of the order whose form is open, held as running sums while it is open: loaded
// from the order record, adjusted by every line form, turned into the derived amounts by one
// rule and written back into the order when it is saved or a document is printed.
namespace orders {

struct OrderWorkingTotals
{
    double WorkPrint = 0;           // AUF:DRUCPR
    double WorkColourChange = 0;    // AUF:FARBWEPR, never part of the net amount
    double WorkSheets = 0;          // AUF:NGES
    double WorkPrintMinutes = 0;    // AUF:DRZEIT
    double WorkHours = 0;           // AUF:DRZEITH
    double WorkMinutes = 0;         // AUF:DRZEITM
    double WorkPaper = 0;           // AUF:PAPPR
    double WorkTypesetting = 0;     // AUF:SATZPR
    double WorkExtras = 0;          // AUF:NACHPR
    std::string WorkExtrasText;     // AUF:NACHTXT
    double WorkTransport = 0;       // AUF:TRANPR
    double WorkNet = 0;             // AUF:NETTO
    double WorkDiscounted = 0;      // AUF:RABPREIS
    double WorkVat = 0;             // AUF:MWST
    double WorkGross = 0;           // AUF:BRUTTO
    double WorkCashDiscounted = 0;  // AUF:SKONPREIS
    double WorkDiscountPercent = 0; // AUF:FRABATT

    // Derived for the form, never stored. 0 = no date.
    rt::StdDate DueDate = 0;
    rt::StdDate SkontoDate = 0;
    bool SkontoShown = false;

    bool operator==(const OrderWorkingTotals &) const = default;
};

// Fills the totals from the order in the `auftrag` buffer. An order without a discount of its
// own takes over the customer's (`kunde` buffer) into AUF:FRABATT; the result says whether it
// did, so that the form can tell the user.
bool LoadOrderWorkingTotals(OrderWorkingTotals &totals, Records &records);

// Net amount from the running sums, then discount, gross, VAT and Skonto.
void RecomputeOrderTotals(OrderWorkingTotals &totals, const Records &records, double vatFactor);
// The same from the current net amount on, after the discount percent was edited.
void RecomputeDiscount(OrderWorkingTotals &totals, const Records &records, double vatFactor);

// Whole hours and remaining minutes of the print time; nothing at all for 0 or less.
void SplitPrintTime(OrderWorkingTotals &totals);

// Payment due date and Skonto date from the invoice date of the order in the buffer.
void DueDates(OrderWorkingTotals &totals, const Records &records);

enum class StoreMode {
    Save,  // order form OK: the Skonto amount is recomputed from the stored gross amount
    Print, // before a document is printed: the Skonto amount is the working one
    // OK of the detailed order form: as Save, without the colour-change total, the summary
    // text and the print time, which that form does not keep
    DetailedSave,
};

// Writes the totals into the `auftrag` buffer and computes the stored derived amounts.
void StoreOrderTotals(OrderWorkingTotals &totals,
                      Records &records,
                      StoreMode mode,
                      double vatFactor);

} // namespace orders
