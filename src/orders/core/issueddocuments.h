#pragma once

#include "base/stddate.h"
#include "store/recordbuffer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class StoreContext;

// Documents kept as they were issued (`beleg`): an invoice is issued when it first goes out,
// with its PDF and the order's printed-on date in one transaction; it is changed only by
// cancelling it, which issues a cancellation document with its own number and opens the
// order again. While an invoice stands its order and the order's customer cannot be deleted
// (the relation keeper refuses) and the order's forms show its amounts without letting them
// be edited.
namespace orders {

// The bytes that went out: the PDF as printed or saved, and the XRechnung XML when one was
// made with it.
struct IssuedBytes
{
    std::string pdf;
    std::string xml;
};

// The document record of the order's invoice, issued at `date`/`time`, with the order's
// amounts, its due and Skonto dates and the customer's invoice form; BSHA is the hash of
// `bytes.pdf`. The order is the record as it stands in the `auftrag` buffer.
RecordBuffer invoiceDocument(const RecordBuffer &order,
                             rt::StdDate date,
                             rt::StdTime time,
                             std::int32_t form,
                             const IssuedBytes &bytes);
// The cancellation of `invoice` under `number`: its amounts negated, BBEZUG naming it.
RecordBuffer cancellationDocument(const RecordBuffer &invoice,
                                  const std::string &number,
                                  rt::StdDate date,
                                  rt::StdTime time,
                                  const IssuedBytes &bytes);

// The order's invoice that stands (issued, not cancelled); nothing when there is none or
// the file cannot be read.
std::optional<RecordBuffer> standingInvoice(StoreContext &store, const std::string &orderId);
// The document with this number, whatever its letter case; nothing when there is none.
std::optional<RecordBuffer> issuedDocument(StoreContext &store, const std::string &number);
// The stored bytes of the document with this number; nothing when there is none.
std::optional<IssuedBytes> issuedBytes(StoreContext &store, const std::string &number);
// Every issued document, newest first.
std::optional<std::vector<RecordBuffer>> issuedDocuments(StoreContext &store);

// How an issue ended. Refused: the number is taken already (another station issued it a
// moment before). Failed: the order or the document could not be written. Nothing was
// written then; `message` says why in German where the store did not say it already.
enum class IssueOutcome { Issued, Refused, Failed };
struct IssueResult
{
    IssueOutcome outcome = IssueOutcome::Failed;
    std::string message;
};

// Issues the order's invoice: the document record with its bytes, and the invoice's
// printed-on date and time on the order (with the status it gives), in one transaction; the
// order is written through its relation keeper, watched for another station's change. An
// order in the thread's `auftrag` buffer is written from there. `document` is made by
// invoiceDocument. Failures of the order's write are reported by the store as usual.
IssueResult issueInvoice(StoreContext &store,
                         const std::string &orderId,
                         const RecordBuffer &document,
                         const IssuedBytes &bytes);

// Cancels the order's standing invoice: the cancellation (made by cancellationDocument) is
// issued, the invoice marked as cancelled by it, and the order opened again for a new
// invoice (its invoice number, dates and printed-on time cleared, the status back to the
// last other document printed) — all in one transaction.
IssueResult cancelInvoice(StoreContext &store,
                          const std::string &orderId,
                          const RecordBuffer &cancellation,
                          const IssuedBytes &bytes);

// The number proposed for the next cancellation: the one after the last cancellation issued,
// counted on past numbers issued already; "ST-<year>-0001" when there was none.
std::string proposedCancellationNumber(StoreContext &store, rt::StdDate today);

// The note on an order whose invoice stands: why its amounts cannot be changed.
std::string lockedNote(const RecordBuffer &invoice);
// The refusal of a number that an issued document carries already.
std::string numberIssuedText(const std::string &number);

} // namespace orders
