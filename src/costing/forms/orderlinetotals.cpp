#include "costing/forms/orderlinetotals.h"

#include "orders/core/orderworkingtotals.h"
#include "base/decimal.h"
#include "base/text.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/storecontext.h"

namespace costingforms {

int applyLineToStoredOrder(StoreContext &store,
                           const std::string &orderId,
                           orders::LineKind kind,
                           const RecordBuffer &before,
                           const RecordBuffer &after,
                           double vatFactor)
{
    if (rt::isBlank(orderId))
        return Level::Benign;
    FileManager &orderFile = store.fileManager(FileId::auftrag);
    if (orderFile.Open() != Level::Benign)
        return Level::Notify;
    std::uint16_t state = orderFile.SaveState();
    RecordBuffer &order = orderFile.BUFFER();
    order.set(AUF::FID, orderId);
    int level = Level::Benign;
    if (orderFile.FetchQuiet(AUF::Keyfid) == 0) {
        // The customer buffer stays cleared: taking over the customer's discount is the
        // order form's business, with its notice to the user.
        Records work;
        work[FileId::auftrag] = order;
        orders::OrderWorkingTotals totals;
        orders::LoadOrderWorkingTotals(totals, work);
        work[before.file()] = before;
        orders::SubtractLine(totals, kind, work);
        work[after.file()] = after;
        orders::AddLine(totals, kind, work);
        if (kind == orders::LineKind::ExtrasLine && !rt::isBlank(after.get(ANA::ANBEZ)))
            orders::SetExtrasTextAfterSave(totals, work);
        else if (totals.WorkExtras <= 0)
            totals.WorkExtrasText.clear();
        orders::StoreOrderTotals(totals, work, orders::StoreMode::Save, vatFactor);
        order = work[FileId::auftrag];
        level = orderFile.Update();
    }
    orderFile.RestoreState(state);
    orderFile.Close();
    return level;
}

int applyTypesettingToStoredCalculation(StoreContext &store,
                                        const std::string &calculationId,
                                        double before,
                                        double after,
                                        double vatFactor)
{
    if (rt::isBlank(calculationId))
        return Level::Benign;
    FileManager &calculations = store.fileManager(FileId::kaldruck);
    if (calculations.Open() != Level::Benign)
        return Level::Notify;
    std::uint16_t state = calculations.SaveState();
    RecordBuffer &calculation = calculations.BUFFER();
    calculation.set(KAD::KAAID, calculationId);
    RecordBuffer oldCalculation(FileId::kaldruck);
    RecordBuffer newCalculation(FileId::kaldruck);
    int level = Level::Benign;
    bool written = false;
    if (calculations.FetchQuiet(KAD::Keyadid) == 0) {
        oldCalculation = calculation;
        // Taken out with the floor at 0 the running sum has, then put in.
        double typesetting = calculation.get(KAD::ASGPR) - before;
        if (typesetting < 0)
            typesetting = 0;
        typesetting += after;
        calculation.set(KAD::ASGPR, typesetting);
        calculation.set(KAD::KGESAMTPR,
                        rt::roundDecimal(calculation.get(KAD::KADRPR)
                                             + calculation.get(KAD::APENDPR) + typesetting,
                                         2));
        newCalculation = calculation;
        level = calculations.Update();
        written = level == Level::Benign;
    }
    calculations.RestoreState(state);
    calculations.Close();
    if (!written)
        return level;
    return applyLineToStoredOrder(store,
                                  oldCalculation.get(KAD::KAUFID),
                                  orders::LineKind::PrintCalculation,
                                  oldCalculation,
                                  newCalculation,
                                  vatFactor);
}

} // namespace costingforms
