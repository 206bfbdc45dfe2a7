#include "orders/core/payments.h"

#include "base/decimal.h"

#include <cmath>
#include <cstddef>

namespace orders {

std::int64_t toCents(double amount)
{
    return static_cast<std::int64_t>(std::llround(rt::roundDecimal(amount, 2) * 100));
}

double fromCents(std::int64_t cents)
{
    return static_cast<double>(cents) / 100;
}

std::string germanAmount(std::int64_t cents)
{
    const bool negative = cents < 0;
    const std::uint64_t magnitude
        = negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    std::string whole = std::to_string(magnitude / 100);
    for (auto at = static_cast<std::ptrdiff_t>(whole.size()) - 3; at > 0; at -= 3)
        whole.insert(static_cast<std::size_t>(at), 1, '.');
    const std::uint64_t fraction = magnitude % 100;
    return (negative ? "-" : "") + whole + ',' + char('0' + fraction / 10)
           + char('0' + fraction % 10);
}

double skontoOf(double gross, double percent)
{
    if (percent <= 0)
        return 0;
    const double afterSkonto = rt::roundDecimal(gross - gross / 100 * percent, 2);
    return rt::roundDecimal(gross - afterSkonto, 2);
}

bool skontoAvailable(const InvoiceTerms &terms, rt::StdDate date)
{
    return !terms.cancelled && terms.skontoDate != 0 && toCents(terms.skonto) > 0
           && date <= terms.skontoDate;
}

PaymentState
paymentState(const InvoiceTerms &terms, std::span<const Payment> payments, rt::StdDate today)
{
    PaymentState state;
    bool skontoTaken = false;
    for (const Payment &payment : payments) {
        state.paidCents += toCents(payment.amount);
        skontoTaken = skontoTaken || (payment.withSkonto && skontoAvailable(terms, payment.date));
    }
    if (terms.cancelled) {
        state.status = PaymentStatus::Cancelled;
        return state;
    }
    if (skontoTaken)
        state.skontoCents = toCents(terms.skonto);
    const std::int64_t owed = toCents(terms.gross) - state.skontoCents - state.paidCents;
    if (owed > 0) {
        state.openCents = owed;
        state.overdue = terms.dueDate != 0 && today > terms.dueDate;
    } else {
        state.status = PaymentStatus::Paid;
        state.overpaidCents = -owed;
    }
    return state;
}

std::string paymentProblem(const InvoiceTerms &terms, const Payment &payment)
{
    if (toCents(payment.amount) <= 0)
        return "Der Betrag muss größer als 0,00 EUR sein.";
    if (payment.date == 0)
        return "Bitte das Datum der Zahlung eingeben.";
    if (payment.date < terms.invoiceDate) {
        return "Die Zahlung kann nicht vor dem Rechnungsdatum " + rt::formatDate(terms.invoiceDate)
               + " eingegangen sein.";
    }
    return {};
}

} // namespace orders
