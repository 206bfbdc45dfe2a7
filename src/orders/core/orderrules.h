#pragma once

#include "orders/core/documentnumbers.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

class RecordBuffer;
class Records;

// The order form's rules that need no window: a new order's defaults, the copy of the
// customer's address, the text blocks, the captions by status and which report a print
// button prints how often.
namespace orders {

// A new order: its id, today as created-on and quote date, status "ANGEBOT", the customer's
// identity, address and discount from the `kunde` buffer, a payment period of 14 days.
void primeNewOrder(Records &records, const std::string &orderId, rt::StdDate today);
// The customer's current name and address into the order, on every opening of its form.
void refreshCustomerAddress(Records &records);

// The groups of `text` records an order copies from, by TEX:TKEN.
enum class TextBlock {
    QuoteText,    // "EL"
    PaymentTerms, // "ZA", with Skonto percent, Skonto days and payment days
    Information,  // "IN"
};
std::string_view textBlockCode(TextBlock block);
// What picking a block copies: field `from` of the `text` record into field `to` of the order.
struct TextCopy
{
    int from;
    int to;
};
std::span<const TextCopy> textBlockCopies(TextBlock block);
// Copies the picked `text` record's texts (and for payment terms its figures) into the order.
void applyTextBlock(RecordBuffer &order, const RecordBuffer &text, TextBlock block);

// What the order form shows for a status.
struct StatusLabels
{
    std::string printCaption; // of the print buttons: the kind's word
    std::string netLabel;
    std::string grossLabel;
    std::string closingLine; // under the totals
    bool dueDateShown = false;
    bool skontoShown = false;
};
// For "ANGEBOT", "LIEFERSCHEIN" and "RECHNUNG"; nothing for any other status, whose labels
// stay as they are. `opening` is the first labelling when the window opens; `dueDate` is
// the due date as shown.
std::optional<StatusLabels> statusLabels(std::string_view status,
                                         double skontoPercent,
                                         const std::string &dueDate,
                                         bool opening);

// The print buttons of the order forms.
enum class PrintButton {
    Standard,
    Minimal,
    Detail,
    FullDetail, // the detailed order form's only button
};
// The report the button prints for the status; empty for none.
std::string documentReport(std::string_view status, PrintButton button);
// Whether a detailed quote must be refused for want of a quote number.
bool quoteNumberMissing(std::string_view status, PrintButton button, std::string_view quoteNumber);
// How often the report runs for the copy count: twice for 2, once for anything else.
int reportRuns(int copyCount);

} // namespace orders
