#pragma once

#include "framework/procedurecontroller.h"
#include "orders/core/openitems.h"

// "Zahlung erfassen": one payment on an issued invoice. The amount proposed is what the
// invoice still owes (less the Skonto where it is ticked), and the Skonto may be ticked only
// while its date has not passed. Called from the open-items list and from the order form.
class PaymentForm : public ProcedureController
{
public:
    enum Control : int {
        Invoice = 1,
        Customer = 2,
        Gross = 3,
        StillOpen = 4,
        Date = 5,
        Amount = 6,
        WithSkonto = 7,
        Ok = 20,
        Cancel = 21,
    };

    PaymentForm(AppContext &app, orders::InvoiceStanding standing);

    void FillNewRecord() override;
    int OnAccepted() override;
    int OnCompleted() override;

protected:
    void defineWindow(FormBuilder &form) override;
    void setUpWindow() override;

private:
    // The amount that settles the invoice on the payment's date, with or without Skonto.
    double proposedAmount(bool withSkonto) const;

    orders::InvoiceStanding m_standing;
    QString m_invoice;
    QString m_customer;
    double m_gross = 0;
    double m_open = 0;
};

// "Zahlungerfassen": the payment form on the invoice of the open item in the thread's
// `posten` buffer (the open-items list and the order form put it there); afterwards the
// open item follows the payment.
void runPaymentEntry(AppContext &app);
