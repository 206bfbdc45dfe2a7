#include "costing/forms/kaldrucktotals.h"

#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/files/auftrag.h"
#include "store/files/kaldruck.h"
#include "store/storecontext.h"

#include <cassert>

using orders::LineKind;

void CalculationContribution::open(orders::OrderWorkingTotals &working,
                                   const std::string &currentOrderId,
                                   const Records &records)
{
    const RecordBuffer &calculation = records[FileId::kaldruck];
    m_opened = true;
    m_settled = false;
    m_stored = calculation;
    const std::string orderId = calculation.get(KAD::KAUFID);
    m_forOpenOrder = !currentOrderId.empty() && currentOrderId == orderId;
    if (m_forOpenOrder)
        m_takeOut = orders::SubtractLine(working, LineKind::PrintCalculation, records);
}

void CalculationContribution::accepted(orders::OrderWorkingTotals &working,
                                       StoreContext &store,
                                       double vatFactor)
{
    if (!m_opened || m_settled)
        return;
    m_settled = true;
    Records &records = store.records();
    if (m_forOpenOrder) {
        orders::AddLine(working, LineKind::PrintCalculation, records);
        orders::SplitPrintTime(working);
        orders::RecomputeOrderTotals(working, records, vatFactor);
        return;
    }
    const RecordBuffer &calculation = records[FileId::kaldruck];
    changeStoredOrderTotals(store, calculation.get(KAD::KAUFID), *m_stored, calculation, vatFactor);
}

void CalculationContribution::left(orders::OrderWorkingTotals &working)
{
    if (!m_opened || m_settled)
        return;
    m_settled = true;
    if (m_forOpenOrder)
        orders::PutBackLine(working, m_takeOut);
}

bool changeStoredOrderTotals(StoreContext &store,
                             const std::string &orderId,
                             const RecordBuffer &before,
                             const RecordBuffer &after,
                             double vatFactor)
{
    assert(before.file() == FileId::kaldruck && after.file() == FileId::kaldruck);
    if (orderId.empty())
        return false;
    Records &records = store.records();
    const RecordBuffer keptOrder = records[FileId::auftrag];
    const RecordBuffer keptCustomer = records[FileId::kunde];
    FileManager &file = store.fileManager(FileId::auftrag);
    bool written = false;
    if (file.Open() == Level::Benign) {
        records.set(AUF::FID, orderId);
        if (file.FetchQuiet(AUF::Keyfid) == Level::Benign) {
            // Only the order's own discount counts here: the customer buffer may hold anyone.
            records[FileId::kunde].clear();
            orders::OrderWorkingTotals totals;
            orders::LoadOrderWorkingTotals(totals, records);
            Records line;
            line[FileId::kaldruck] = before;
            orders::SubtractLine(totals, LineKind::PrintCalculation, line);
            line[FileId::kaldruck] = after;
            orders::AddLine(totals, LineKind::PrintCalculation, line);
            orders::SplitPrintTime(totals);
            orders::RecomputeOrderTotals(totals, records, vatFactor);
            orders::StoreOrderTotals(totals, records, orders::StoreMode::Save, vatFactor);
            written = file.Update() == Level::Benign;
        }
        file.Close();
    }
    records[FileId::auftrag] = keptOrder;
    records[FileId::kunde] = keptCustomer;
    return written;
}
