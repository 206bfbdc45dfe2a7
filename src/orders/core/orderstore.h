#pragma once

#include "orders/core/documentnumbers.h"
#include "orders/core/orderworkingtotals.h"
#include "store/recordbuffer.h"
#include "store/relationkeeper.h"

#include <cstdint>
#include <functional>
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

// Records that the order's document of `kind` went out at `date` and `time`: its printed-on
// date and time are set and the order is written through its relation keeper, watched for
// another station's change. An order in the thread's `auftrag` buffer (its form printed it)
// is written from there, so that the form shows the date and goes on from the written
// record; any other order is read afresh and the buffer left as it was. 0, or the level of
// a reported failure; an order no longer in the file records nothing.
int recordPrinted(StoreContext &store,
                  const std::string &orderId,
                  DocumentKind kind,
                  rt::StdDate date,
                  rt::StdTime time);

// Writes the order with `change` made to it, as recordPrinted does, and the writes
// `companion` (when given) in the same transaction. `found` tells whether the order was
// there to be written. 0, or the level of the failure (the companion write reports none).
int writeOrder(StoreContext &store,
               const std::string &orderId,
               const std::function<void(RecordBuffer &order)> &change,
               const CompanionWrite *companion = nullptr,
               bool *found = nullptr);

// Another order that carries a document number: the one a refusal names.
struct NumberHolder
{
    std::string orderId;
    std::string orderNumber; // AUF:FNR
    std::string customer;    // the customer's name, the order's copy when the customer is gone
};
// The first order other than `ownOrderId` whose number of `kind` is `number`, read from the
// order file as it stands, so that another station's orders count too. Letter case and the
// blanks around a number do not tell two numbers apart. Nothing for a blank number, when no
// other order has it, or when the file cannot be read.
std::optional<NumberHolder> numberHolder(StoreContext &store,
                                         DocumentKind kind,
                                         const std::string &number,
                                         const std::string &ownOrderId);
// The refusal of an invoice number that `holder` already carries, naming that order.
std::string invoiceNumberTakenText(const std::string &number, const NumberHolder &holder);
// Refuses, with a beep and that text, an invoice `number` that an order other than
// `ownOrderId` carries: two invoices with one number are not allowed. Whether it refused.
bool refuseTakenInvoiceNumber(StoreContext &store,
                              const std::string &number,
                              const std::string &ownOrderId);

// The number proposed for the kind's next document: the one after `stamm`'s last number,
// counted on past numbers that other orders already carry. Empty when none fits the field.
std::string
proposedDocumentNumber(StoreContext &store, DocumentKind kind, const std::string &ownOrderId);

// The one `firma` record with the shop's own data; nothing when the file has none or cannot
// be read.
std::optional<RecordBuffer> readCompany(StoreContext &store);
// The customer's e-invoice data (`KER:KEKID` = `customerId`); nothing when there is none.
std::optional<RecordBuffer> readCustomerEInvoice(StoreContext &store,
                                                 const std::string &customerId);
// Writes the customer's e-invoice data by itself, outside any other write. 0, or the level of
// a reported failure.
int saveCustomerEInvoice(StoreContext &store, const RecordBuffer &data);
// The customer's e-invoice data as a form reads it to change it: on the current thread's
// `kundeer` file, watched. `version` is the record's version then, for the write.
struct WatchedEInvoice
{
    RecordBuffer record;
    std::int64_t version = 0;
};
std::optional<WatchedEInvoice> readCustomerEInvoiceWatched(StoreContext &store,
                                                           const std::string &customerId);
// The write of the customer's e-invoice data into the record of its `KER:KEKID` (made when the
// customer has none yet), for the customer's own transaction. A record read with
// readCustomerEInvoiceWatched (`read`) is written only while nobody else has written it
// since: else it fails with message 6 and the buffer shows the other station's data.
CompanionWrite customerEInvoiceWrite(StoreContext &store,
                                     const RecordBuffer &data,
                                     std::optional<std::int64_t> readVersion);

} // namespace orders
