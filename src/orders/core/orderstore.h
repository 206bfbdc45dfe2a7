#pragma once

#include "orders/core/orderworkingtotals.h"
#include "store/recordbuffer.h"

#include <optional>
#include <string>
#include <vector>

class StoreContext;

// What the order forms read and write besides the order itself: the order's stored lines,
// from which its totals are summed afresh, and the one `stamm` record with the last document
// numbers. Every function leaves the files' buffers and passes of the calling thread as it
// found them, so a form may call them in the middle of editing.
namespace orders {

struct StoredOrderLines
{
    std::vector<RecordBuffer> calculations;   // kaldruck
    std::vector<RecordBuffer> paperLines;     // aufpap
    std::vector<RecordBuffer> extrasLines;    // anach
    std::vector<RecordBuffer> transportLines; // atran
};

// The lines of the order with this id; nothing when a file could not be read.
std::optional<StoredOrderLines> loadStoredLines(StoreContext &store, const std::string &orderId);

// Sets the running sums to the sums of the order's stored lines and derives the amounts;
// false (totals untouched) when the lines could not be read. The order is the one in the
// thread's `auftrag` buffer.
bool sumStoredLines(StoreContext &store, OrderWorkingTotals &totals, double vatFactor);

// Brings the stored totals of an order in line with its stored lines, leaving every other
// field as stored: after an order form was left without OK while lines had been saved or
// deleted. The level of the write (0 when written or when there is no such order).
int alignStoredTotals(StoreContext &store, const std::string &orderId, double vatFactor);

// Whether a record of `key`'s file already holds `value` in `field`, the key's only component.
bool idTaken(StoreContext &store, KeyRef key, StringField field, const std::string &value);

// A customer's orders as counted in the order file: all of them, and those that carry an
// invoice number. Nothing when the file could not be read.
struct CustomerOrders
{
    int orders = 0;
    int invoiced = 0;
};
std::optional<CustomerOrders> countCustomerOrders(StoreContext &store,
                                                  const std::string &customerId);

// The customer with this identity; nothing when there is none.
std::optional<RecordBuffer> readCustomer(StoreContext &store, const std::string &customerId);

// The first `stamm` record; nothing when the file has none or cannot be read.
std::optional<RecordBuffer> readStamm(StoreContext &store);
// Records the order's documents as the last numbers where they are not earlier, creating
// the single `stamm` record when the file has none. 0, or the level of a reported failure.
int saveLastNumbers(StoreContext &store, const RecordBuffer &order);

// The one `firma` record with the shop's own data; nothing when the file has none or cannot
// be read.
std::optional<RecordBuffer> readCompany(StoreContext &store);
// The customer's e-invoice data (`KER:KEKID` = `customerId`); nothing when there is none.
std::optional<RecordBuffer> readCustomerEInvoice(StoreContext &store,
                                                 const std::string &customerId);
// Writes the customer's e-invoice data into the record of its `KER:KEKID`, making it when the
// customer has none yet. 0, or the level of a reported failure.
int saveCustomerEInvoice(StoreContext &store, const RecordBuffer &data);

} // namespace orders
