#pragma once

#include "base/stddate.h"
#include "store/recordbuffer.h"

#include <optional>
#include <span>
#include <string>

class StoreContext;

// A customer's turnover as the documents that went out give it: the invoices and quotes of
// the customer's orders whose printed-on date is set. The customer record keeps, per kind,
// the date of the latest document (KUN:RECH, KUN:ANGEBOT) and the sum of the documents'
// amounts net of VAT after the customer discount (KUN:REUMSATZ, KUN:ANUMSATZ), as turnover
// is counted in the books.
namespace orders {

struct Turnover
{
    rt::StdDate lastInvoice = 0;
    int invoices = 0;
    double invoiced = 0;
    rt::StdDate lastQuote = 0;
    int quotes = 0;
    double quoted = 0;
};

// The turnover of these orders (all of one customer).
Turnover turnoverOf(std::span<const RecordBuffer> orders);
// Puts the turnover into the customer's four fields; whether any of them changed.
bool setTurnover(RecordBuffer &customer, const Turnover &turnover);

// The turnover of the customer's orders as the file holds them; nothing when they cannot be
// read.
std::optional<Turnover> customerTurnover(StoreContext &store, const std::string &customerId);
// Brings the customer's turnover fields in line with the customer's orders as the file holds
// them, and writes the customer when they changed. A form that shows the customer puts the
// same figures into its record before it saves (its record was read before). 0, or the level
// of a reported failure; a customer not in the file has nothing to write.
int refreshTurnover(StoreContext &store, const std::string &customerId);

} // namespace orders
