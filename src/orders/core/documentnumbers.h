#pragma once

#include "base/stddate.h"
#include "store/layout.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RecordBuffer;

// The three documents an order passes through, their dates and numbers in the order and the
// last issued number of each kind in `stamm`. The system proposes the number after the last
// one and the user may type another; `stamm` records which one carries the latest date.
namespace orders {

enum class DocumentKind {
    Quote,        // "ANGEBOT"
    DeliveryNote, // "LIEFERSCHEIN"
    Invoice,      // "RECHNUNG"
};
inline constexpr std::array<DocumentKind, 3> kDocumentKinds{
    DocumentKind::Quote, DocumentKind::DeliveryNote, DocumentKind::Invoice};

// The status word of a kind, as AUF:FSTAT holds it.
std::string_view statusWord(DocumentKind kind);
// The kind an order's status names; the status is compared upper-cased, so "Rechnung" is an
// invoice. Nothing for any other text.
std::optional<DocumentKind> statusKind(std::string_view status);

// A document's date, time and number, as the order or `stamm` holds them.
struct DocumentStamp
{
    rt::StdDate date = 0;
    rt::StdTime time = 0;
    std::string number;
};
DocumentStamp orderStamp(const RecordBuffer &order, DocumentKind kind);
DocumentStamp lastStamp(const RecordBuffer &stamm, DocumentKind kind);

// Whether an order's document replaces the last number: its (date, time) is not earlier
// than the recorded one. A later-dated order wins even with a blank number; an undated one
// never replaces a dated number.
bool replacesLastNumber(const DocumentStamp &order, const DocumentStamp &last);
// Records the order's documents in `stamm`, kind by kind; whether anything changed.
bool takeLastNumbers(RecordBuffer &stamm, const RecordBuffer &order);

// Sets the kind's printed-on date and time.
void setPrinted(RecordBuffer &order, DocumentKind kind, rt::StdDate date, rt::StdTime time);

// The status the printed-on dates give: the last set of quote, delivery note, invoice wins;
// with none set the status stays as the user chose it.
void statusFromPrintedDates(RecordBuffer &order);

// The number that follows `last`: its last run of digits counted up with its width kept
// ("RE-2026-0041" → "RE-2026-0042", "A9" → "A10", "99" → "100"), all else kept; a number
// without digits gets a "1" appended; no number at all starts at "1". Empty when the next
// number would not fit into the document number's `width` characters.
std::string nextDocumentNumber(std::string_view last, std::size_t width = 12);

// The order field that holds the kind's document number (AUF:FANNR, AUF:FLIEFNR, AUF:FRENR).
StringField documentNumberField(DocumentKind kind);

// Gives the kind's document date `today` when it has none; whether it did.
bool fillDocumentDate(RecordBuffer &order, DocumentKind kind, rt::StdDate today);

// What an invoice cannot do without and the order lacks, in the words of the form: its
// number, its date, the date of delivery it bills. Empty when nothing is missing.
std::vector<std::string> missingInvoiceData(const RecordBuffer &order);

// The order number made when the user left it blank: the day number and the time of day in
// decimal digits, cut to the field's 12 characters.
std::string generatedOrderNumber(rt::StdDate date, rt::StdTime time);

} // namespace orders
