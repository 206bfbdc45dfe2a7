#pragma once

#include "orders/reports/documentdata.h"

#include <optional>
#include <string>
#include <string_view>

class StoreContext;

namespace orders {

// Reads what a quote or invoice prints from the record files: the order whose `AUF:FID` is
// `orderId`, its customer (`KUN:KID` = `AUF:FKUID`), its print calculations in `KAD:Keyaufid`
// order and each one's typesetting lines in `ASA:Keykadid` order, and the order's paper lines
// in `APA:Kaufid` order.
//
// Reads on the current procedure thread, whose form may be in the middle of these files: its
// records, positions and passes are given back as they were. An order without a customer in
// the file comes with a cleared customer. nullopt when the order is not in the file (it was
// never saved) or a read failed; a failure has been reported by the record store.
std::optional<DocumentData> loadDocumentData(StoreContext &store, std::string_view orderId);

// The `AUF:FID` of the order with this order number (`AUF:FNR`); nullopt when there is none.
std::optional<std::string> orderIdOfNumber(StoreContext &store, std::string_view number);

} // namespace orders
