#pragma once

#include "base/stddate.h"

#include <cstdint>
#include <span>
#include <string>

// What an issued invoice still owes. An invoice is paid when its payments, plus the Skonto,
// reach its gross amount; the Skonto counts only when a payment made with it came on or
// before the invoice's Skonto date. Everything is counted in whole cents, so that three
// payments of 33,33 EUR and one of 0,01 EUR settle 100,00 EUR exactly.
namespace orders {

struct InvoiceTerms
{
    double gross = 0;
    // What the customer may deduct for paying early (gross − gross after Skonto); 0: none.
    double skonto = 0;
    rt::StdDate invoiceDate = 0;
    rt::StdDate dueDate = 0;
    rt::StdDate skontoDate = 0; // 0: the invoice grants no Skonto
    bool cancelled = false;
};

struct Payment
{
    rt::StdDate date = 0;
    double amount = 0;
    bool withSkonto = false;
};

enum class PaymentStatus : std::uint8_t { Open, Paid, Cancelled };

struct PaymentState
{
    PaymentStatus status = PaymentStatus::Open;
    std::int64_t paidCents = 0;
    std::int64_t skontoCents = 0; // the Skonto granted
    std::int64_t openCents = 0;   // still owed; 0 when paid or cancelled
    // Paid more than owed (an overpayment stays recorded and is shown, never lost).
    std::int64_t overpaidCents = 0;
    bool overdue = false; // open after its due date
};

std::int64_t toCents(double amount);
double fromCents(std::int64_t cents);
// "1.234,56", "-0,05": an amount as German texts write it.
std::string germanAmount(std::int64_t cents);

// The Skonto of a gross amount at `percent`, as the order's totals round it.
double skontoOf(double gross, double percent);

PaymentState
paymentState(const InvoiceTerms &terms, std::span<const Payment> payments, rt::StdDate today);

// Whether the Skonto may still be taken on `date`.
bool skontoAvailable(const InvoiceTerms &terms, rt::StdDate date);

// Why a payment cannot be entered, in German; empty when it can.
std::string paymentProblem(const InvoiceTerms &terms, const Payment &payment);

} // namespace orders
