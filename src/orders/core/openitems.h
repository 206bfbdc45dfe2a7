#pragma once

#include "base/stddate.h"
#include "orders/core/payments.h"
#include "store/recordbuffer.h"

#include <optional>
#include <string>
#include <vector>

class StoreContext;

// The open items: every issued invoice with what it still owes, as the payments entered on it
// (`zahlung`) give it, kept in `posten` for the open-items list together with the reminder
// level each invoice has reached. The documents and the payments are what counts; `posten` is
// brought in line with them whenever it is shown, so another station's payment shows the
// next time the list opens.
namespace orders {

// The terms of an issued invoice as its document (`beleg`) carries them.
InvoiceTerms termsOf(const RecordBuffer &document);

// The payments entered on the invoice with this number, oldest first.
std::optional<std::vector<Payment>> paymentsOn(StoreContext &store, const std::string &number);

// The invoice's document and where its payments leave it today.
struct InvoiceStanding
{
    RecordBuffer document{FileId::beleg};
    InvoiceTerms terms;
    PaymentState state;
};
std::optional<InvoiceStanding>
invoiceStanding(StoreContext &store, const std::string &number, rt::StdDate today);

// Brings the open item of every invoice issued (or only of `number`) in line with its
// document and payments, keeping the reminder level reached; false when a file could not be
// read or written (what was written stays right, the rest is done the next time).
bool refreshOpenItems(StoreContext &store, rt::StdDate today);
bool refreshOpenItem(StoreContext &store, const std::string &number, rt::StdDate today);

// Every open item that still owes something, in the order of the due date.
std::optional<std::vector<RecordBuffer>> openItems(StoreContext &store);
// The same, of one customer.
std::optional<std::vector<RecordBuffer>> openItemsOf(StoreContext &store,
                                                     const std::string &customerId);
// What all open items still owe, in cents.
std::int64_t openCents(const std::vector<RecordBuffer> &items);
// The line under the open-items list: the sum still open, how many invoices, how many of
// them overdue.
std::string openItemsFooter(StoreContext &store);

// Reminders, by level: 1 "Zahlungserinnerung", 2 "1. Mahnung", 3 "2. Mahnung".
inline constexpr int kLastReminderLevel = 3;
std::string reminderTitle(int level);
// The level a reminder about these items is proposed at: one past the highest reached, at
// most the last.
int proposedReminderLevel(const std::vector<RecordBuffer> &items);
// Records that the items' reminder at `level` went out on `date`; false when not all could
// be written.
bool recordReminder(StoreContext &store,
                    const std::vector<RecordBuffer> &items,
                    int level,
                    rt::StdDate date);

} // namespace orders
