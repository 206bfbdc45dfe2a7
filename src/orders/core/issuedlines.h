#pragma once

#include <string>

class RecordBuffer;
class StoreContext;

namespace orders {

// The lines of an order whose invoice stands (its calculations with their typesetting, paper,
// further work and transport) are kept as they were invoiced: a cancellation's credit note is
// made from them. Every insert, change and delete of such a line through the relation keepers
// is refused, from whichever form or list it comes.
void guardIssuedOrderLines(StoreContext &store);

// Why a line of an order whose invoice stands cannot be written; empty when it can.
std::string issuedLineRefusal(StoreContext &store, const std::string &orderId);

} // namespace orders
