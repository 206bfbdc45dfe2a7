#include "orders/core/orderworkingtotals.h"

#include "base/decimal.h"
#include "store/files/auftrag.h"
#include "store/files/kunde.h"
#include "store/recordbuffer.h"

#include <cstdint>

namespace orders {
namespace {

double cents(double amount)
{
    return rt::roundDecimal(amount, 2);
}

// Day counts are typed as whole numbers but held as REAL. An order without an invoice date
// has no due dates: a day count alone is no date.
rt::StdDate addDays(rt::StdDate base, double days)
{
    if (base == 0)
        return 0;
    return base + static_cast<std::int32_t>(rt::roundDecimal(days, 0));
}

// Steps shared by RecomputeOrderTotals and RecomputeDiscount: everything after the net amount.
void recomputeFromNet(OrderWorkingTotals &t, const Records &records, double vatFactor)
{
    t.WorkDiscounted = cents(t.WorkNet - t.WorkNet * t.WorkDiscountPercent / 100);
    t.WorkGross = cents(t.WorkDiscounted * vatFactor);
    t.WorkVat = t.WorkGross - t.WorkDiscounted;
    const double skonto = records.get(AUF::SKPROZ);
    t.SkontoShown = skonto > 0;
    t.SkontoDate = 0;
    if (t.SkontoShown) {
        t.SkontoDate = addDays(records.get(AUF::FREDAT), records.get(AUF::SKONTAGE));
        t.WorkCashDiscounted = cents(t.WorkGross - t.WorkGross * skonto / 100);
    }
}

} // namespace

bool LoadOrderWorkingTotals(OrderWorkingTotals &t, Records &records)
{
    const double customerDiscount = records.get(KUN::KRAB);
    const bool takenOver = records.get(AUF::FRABATT) == 0 && customerDiscount > 0;
    if (takenOver)
        records.set(AUF::FRABATT, customerDiscount);

    t.WorkSheets = records.get(AUF::NGES);
    t.WorkPrint = records.get(AUF::DRUCPR);
    t.WorkPaper = records.get(AUF::PAPPR);
    t.WorkExtras = records.get(AUF::NACHPR);
    t.WorkTypesetting = records.get(AUF::SATZPR);
    t.WorkTransport = records.get(AUF::TRANPR);
    t.WorkNet = records.get(AUF::NETTO);
    t.WorkGross = records.get(AUF::BRUTTO);
    t.WorkDiscounted = records.get(AUF::RABPREIS);
    t.WorkCashDiscounted = records.get(AUF::SKONPREIS);
    t.WorkPrintMinutes = records.get(AUF::DRZEIT);
    t.WorkHours = records.get(AUF::DRZEITH);
    t.WorkMinutes = records.get(AUF::DRZEITM);
    t.WorkVat = records.get(AUF::MWST);
    t.WorkDiscountPercent = records.get(AUF::FRABATT);
    t.WorkColourChange = records.get(AUF::FARBWEPR);

    t.WorkExtrasText = t.WorkExtras > 0 ? records.get(AUF::NACHTXT) : std::string();

    DueDates(t, records);
    const double skonto = records.get(AUF::SKPROZ);
    t.SkontoShown = skonto > 0;
    if (t.SkontoShown)
        t.WorkCashDiscounted = cents(t.WorkGross - t.WorkGross * skonto / 100);
    return takenOver;
}

void RecomputeOrderTotals(OrderWorkingTotals &t, const Records &records, double vatFactor)
{
    t.WorkNet
        = cents(t.WorkPrint + t.WorkPaper + t.WorkExtras + t.WorkTypesetting + t.WorkTransport);
    recomputeFromNet(t, records, vatFactor);
}

void RecomputeDiscount(OrderWorkingTotals &t, const Records &records, double vatFactor)
{
    recomputeFromNet(t, records, vatFactor);
}

void SplitPrintTime(OrderWorkingTotals &t)
{
    if (t.WorkPrintMinutes <= 0) {
        t.WorkPrintMinutes = 0;
        t.WorkHours = 0;
        t.WorkMinutes = 0;
        return;
    }
    // Rounded, not cut: 90 minutes first give 2 hours and -30 minutes, then 1 and 30.
    t.WorkHours = rt::roundDecimal(t.WorkPrintMinutes / 60, 0);
    t.WorkMinutes = t.WorkPrintMinutes - 60 * t.WorkHours;
    if (t.WorkMinutes < 0) {
        t.WorkHours -= 1;
        t.WorkMinutes += 60;
    }
}

void DueDates(OrderWorkingTotals &t, const Records &records)
{
    const rt::StdDate invoiceDate = records.get(AUF::FREDAT);
    const double paymentDays = records.get(AUF::ZAZTAGE);
    t.DueDate = addDays(invoiceDate, paymentDays == 0 ? 14 : paymentDays);
    t.SkontoDate
        = records.get(AUF::SKPROZ) > 0 ? addDays(invoiceDate, records.get(AUF::SKONTAGE)) : 0;
}

void StoreOrderTotals(OrderWorkingTotals &t, Records &records, StoreMode mode, double vatFactor)
{
    const bool detailed = mode == StoreMode::DetailedSave;
    if (!detailed)
        records.set(AUF::FARBWEPR, t.WorkColourChange);
    records.set(AUF::NGES, t.WorkSheets);
    records.set(AUF::PAPPR, t.WorkPaper);
    records.set(AUF::NACHPR, t.WorkExtras);
    records.set(AUF::SATZPR, t.WorkTypesetting);
    records.set(AUF::TRANPR, t.WorkTransport);
    records.set(AUF::DRUCPR, t.WorkPrint);
    records.set(AUF::RABPREIS, t.WorkDiscounted);
    records.set(AUF::SKONPREIS, t.WorkCashDiscounted);
    records.set(AUF::FRABATT, t.WorkDiscountPercent);

    if (!detailed) {
        records.set(AUF::NACHTXT, records.get(AUF::NACHPR) > 0 ? t.WorkExtrasText : std::string());
    }

    const double net
        = cents(records.get(AUF::DRUCPR) + records.get(AUF::TRANPR) + records.get(AUF::NACHPR)
                + records.get(AUF::SATZPR) + records.get(AUF::PAPPR));
    records.set(AUF::NETTO, net);
    const double discounted = cents(net - net / 100 * records.get(AUF::FRABATT));
    records.set(AUF::RABPREIS, discounted);
    if (mode == StoreMode::Print)
        t.WorkDiscounted = discounted;
    const double gross = cents(discounted * vatFactor);
    records.set(AUF::BRUTTO, gross);
    records.set(AUF::MWST, gross - discounted);

    // A printed document shows the Skonto amount of the form, which the stored order then
    // carries as it was shown.
    if (mode != StoreMode::Print)
        records.set(AUF::SKONPREIS, cents(gross - gross / 100 * records.get(AUF::SKPROZ)));

    if (!detailed) {
        SplitPrintTime(t);
        records.set(AUF::DRZEIT, t.WorkPrintMinutes);
        records.set(AUF::DRZEITH, t.WorkHours);
        records.set(AUF::DRZEITM, t.WorkMinutes);
    }
}

} // namespace orders
