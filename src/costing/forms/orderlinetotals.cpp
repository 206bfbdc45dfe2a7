#include "costing/forms/orderlinetotals.h"

#include "orders/core/orderworkingtotals.h"
#include "runtime/text.h"
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

} // namespace costingforms
