#include "orders/core/turnover.h"

#include "base/decimal.h"
#include "store/files.h"
#include "store/recordbuffer.h"

#include <algorithm>

namespace orders {

Turnover turnoverOf(std::span<const RecordBuffer> orders)
{
    Turnover t;
    for (const RecordBuffer &order : orders) {
        const double amount = order.get(AUF::RABPREIS);
        // A document's date is the one it carries; its printed-on date where it has none.
        if (const rt::StdDate printed = order.get(AUF::FRECDRU); printed != 0) {
            const rt::StdDate dated = order.get(AUF::FREDAT);
            t.lastInvoice = std::max(t.lastInvoice, dated != 0 ? dated : printed);
            ++t.invoices;
            t.invoiced += amount;
        }
        if (const rt::StdDate printed = order.get(AUF::FANGDRU); printed != 0) {
            const rt::StdDate dated = order.get(AUF::FANDAT);
            t.lastQuote = std::max(t.lastQuote, dated != 0 ? dated : printed);
            ++t.quotes;
            t.quoted += amount;
        }
    }
    t.invoiced = rt::roundDecimal(t.invoiced, 2);
    t.quoted = rt::roundDecimal(t.quoted, 2);
    return t;
}

bool setTurnover(RecordBuffer &customer, const Turnover &turnover)
{
    const RecordBuffer before = customer;
    customer.set(KUN::RECH, turnover.lastInvoice);
    customer.set(KUN::REUMSATZ, turnover.invoiced);
    customer.set(KUN::ANGEBOT, turnover.lastQuote);
    customer.set(KUN::ANUMSATZ, turnover.quoted);
    return !(customer == before);
}

} // namespace orders
