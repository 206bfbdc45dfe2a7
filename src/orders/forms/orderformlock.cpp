// The order form while the order's invoice stands: issued documents are kept as they went
// out, so what made the invoice cannot be changed until it is cancelled.

#include "orderform.h"

#include "framework/appcontext.h"
#include "framework/procwindow.h"
#include "orders/core/issueddocuments.h"
#include "orders/core/orderthreadvalues.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/storecontext.h"

namespace {

// Everything the invoice was made of: the customer's address, the invoice's number and
// dates, the lines, the discount and the payment terms.
constexpr int kLockedControls[] = {
    OrderForm::CustomerName,
    OrderForm::CustomerStreet,
    OrderForm::CustomerPostcode,
    OrderForm::CustomerPlace,
    OrderForm::Status,
    OrderForm::DeliveryDate,
    OrderForm::InvoiceDate,
    OrderForm::InvoiceNumber,
    OrderForm::CalculationInsert,
    OrderForm::CalculationChange,
    OrderForm::CalculationDelete,
    OrderForm::ExtrasInsert,
    OrderForm::ExtrasChange,
    OrderForm::ExtrasDelete,
    OrderForm::TransportInsert,
    OrderForm::TransportChange,
    OrderForm::TransportDelete,
    OrderForm::DiscountPercent,
    OrderForm::RecalculateDiscount,
    OrderForm::PaymentPick,
    OrderForm::InvoiceText1,
    OrderForm::InvoiceText2,
    OrderForm::SkontoPercent,
    OrderForm::SkontoDays,
    OrderForm::PaymentDays,
};

} // namespace

void OrderForm::applyInvoiceLock()
{
    const std::optional<RecordBuffer> invoice = orders::standingInvoice(store(), m_orderId);
    m_lockNote = invoice ? QString::fromStdString(orders::lockedNote(*invoice)) : QString();
    // The lists enable their buttons by their rows whenever they show them again.
    for (BrowseManager *lines : {&m_calculations, &m_extras, &m_transports})
        lines->LOCKEDBECAUSE = m_lockNote;
    ProcWindow &window = *procWindow();
    for (const int control : kLockedControls) {
        if (!window.control(control))
            continue;
        if (invoice)
            window.disable(control);
        else
            window.enable(control);
    }
    if (!isMain())
        return;
    if (invoice) {
        window.unhide(LockNote);
        window.enable(CancelInvoice);
        window.enable(EnterPayment);
    } else {
        window.hide(LockNote);
        window.disable(CancelInvoice);
        window.disable(EnterPayment);
    }
}

bool OrderForm::refuseLockedChange()
{
    applyInvoiceLock();
    if (!invoiceLocked())
        return false;
    MessagePresenter &presenter = store().errors().presenter();
    presenter.beep();
    presenter.show("HINWEIS",
                   m_lockNote.toStdString() + ".",
                   MessageIcon::Information,
                   MessageButton::Ok,
                   MessageButton::Ok);
    return true;
}

void OrderForm::enterPayment()
{
    const auto invoice = orders::standingInvoice(store(), m_orderId);
    if (!invoice)
        return;
    // The payment form takes its invoice from the open item in the thread's buffer, as the
    // open-items list hands it over.
    RecordBuffer &item = store().fileManager(FileId::posten).BUFFER();
    item.clear();
    item.set(OPO::OPRENR, invoice->get(BEL::BNR));
    app().call("Zahlungerfassen");
}

void OrderForm::cancelInvoice()
{
    app().threadSlot<orders::OrderThreadValues>().CurrentOrderId = m_orderId;
    app().call("Stornieren");
    // The cancellation wrote the order: the form goes on from the record as written.
    applyInvoiceLock();
    applyStatusLabels(false);
    showTextGroups();
    showValues();
}
