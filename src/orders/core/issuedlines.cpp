#include "orders/core/issuedlines.h"

#include "base/text.h"
#include "orders/core/issueddocuments.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

namespace orders {

std::string issuedLineRefusal(StoreContext &store, const std::string &orderId)
{
    const std::optional<RecordBuffer> invoice = standingInvoice(store, orderId);
    if (!invoice)
        return {};
    return "Die Positionen des Auftrags " + std::string(rt::trimmed(invoice->get(BEL::BAUFNR)))
           + " können nicht geändert werden: " + lockedNote(*invoice)
           + ".|Die Rechnung bleibt so erhalten, wie sie ausgestellt wurde.";
}

void guardIssuedOrderLines(StoreContext &store)
{
    const auto byOrder = [&store](StringField orderField) {
        return [&store, orderField](const RecordBuffer &line) {
            return issuedLineRefusal(store, line.get(orderField));
        };
    };
    store.relations(FileId::kaldruck).SetWriteGuard(byOrder(KAD::KAUFID));
    store.relations(FileId::anach).SetWriteGuard(byOrder(ANA::ANIDAUF));
    store.relations(FileId::atran).SetWriteGuard(byOrder(ATR::ATAUFID));
    store.relations(FileId::aufpap).SetWriteGuard(byOrder(APA::APAUFID));
    store.relations(FileId::asatz).SetWriteGuard(byOrder(ASA::ASAUFID));
}

} // namespace orders
