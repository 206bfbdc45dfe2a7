// The order form's steps: priming a new order, opening it, the status and its dates, the
// pages, the line lists, printing and saving.

#include "orders/forms/orderform.h"

#include "base/text.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "orders/core/documentnumbers.h"
#include "orders/core/issueddocuments.h"
#include "orders/core/linecontributions.h"
#include "orders/core/orderstore.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/core/turnover.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/resultcodes.h"
#include "store/storecontext.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace {

QString germanNumber(double value)
{
    return QString::number(value, 'f', 2).replace(u'.', u',');
}

// Lends the `kunde` buffer a customer record for the length of a scope and gives the
// caller's record back afterwards.
class CustomerLoan
{
public:
    CustomerLoan(RecordBuffer &buffer, const RecordBuffer &customer)
        : m_buffer(buffer)
        , m_kept(buffer)
    {
        m_buffer = customer;
    }
    ~CustomerLoan() { m_buffer = m_kept; }
    CustomerLoan(const CustomerLoan &) = delete;
    CustomerLoan &operator=(const CustomerLoan &) = delete;

private:
    RecordBuffer &m_buffer;
    RecordBuffer m_kept;
};

// Why a print button of the order form prints nothing in this status.
QString noDocumentReason(const std::string &status)
{
    const std::optional<orders::DocumentKind> kind = orders::statusKind(status);
    if (kind == orders::DocumentKind::Quote)
        return u"Ein Angebot wird als „Minimal“ oder „Detail“ gedruckt; "
               "einen Standard-Ausdruck gibt es dafür nicht."_s;
    if (kind == orders::DocumentKind::DeliveryNote)
        return u"Ein Lieferschein wird als „Standard“ oder „Minimal“ gedruckt; "
               "einen Detail-Ausdruck gibt es dafür nicht."_s;
    return u"Für diesen Status gibt es keinen Ausdruck."_s;
}

} // namespace

OrderForm::OrderForm(AppContext &app, Kind kind)
    : ProcedureController(app,
                          kind == Kind::Main ? "Updateauftrag" : "Upddruauftrag",
                          kind == Kind::Main ? u"Auftrag"_s : u"Auftrag - DRUCK"_s)
    , m_kind(kind)
{
    setPrimary(FileId::auftrag, Ok, Cancel);
    useFile(FileId::kunde);
    useFile(FileId::stamm);
    if (isMain()) {
        useFile(FileId::kaldruck);
        useFile(FileId::anach);
        useFile(FileId::atran);
        useFile(FileId::text);
    } else {
        useFile(FileId::drucktem);
    }
}

OrderForm::~OrderForm() = default;

orders::OrderWorkingTotals &OrderForm::totals() const
{
    return app().threadSlot<orders::OrderThreadValues>().OrderWorkingTotals;
}

void OrderForm::FillNewRecord()
{
    const std::string id = app().ids().next("F", AUF::FID.size, [this](const std::string &id) {
        return orders::idTaken(store(), AUF::Keyfid, AUF::FID, id);
    });
    orders::primeNewOrder(records(), id, rt::today());
}

void OrderForm::setUpWindow()
{
    if (isMain()) {
        setUpLists();
        setUpTextDrops();
    } else {
        resetPrintList();
    }
    openOrder();
    const QString customer = QString::fromStdString(records().get(AUF::FNAME));
    if (ORIGINALREQUEST == Request::Insert)
        procWindow()->setTitle(u"NEUER AUFTRAG für"_s
                               + QCoreApplication::translate("Form", "  (New)"));
    else
        procWindow()->setTitle(u"ÄNDERN Auftrag von"_s + u"  ("_s + customer + u")"_s);
}

void OrderForm::resetPrintList()
{
    // The print list starts empty for every order printed in detail.
    FileManager &list = store().fileManager(FileId::drucktem);
    std::uint16_t saved = list.SaveState();
    while (list.startPass(DRU::Keydadid) == 0 && list.NextQuiet() == Level::Benign) {
        if (list.handle().erase() != Result::Ok) {
            list.noteError(11);
            list.ReportLastError();
            break;
        }
    }
    list.RestoreState(saved, false);
}

void OrderForm::openOrder()
{
    Records &r = records();
    m_orderId = r.get(AUF::FID);
    app().threadSlot<orders::OrderThreadValues>().CurrentOrderId = m_orderId;
    app().LastOpenedOrderId = m_orderId;
    showLastNumbers();

    orders::OrderWorkingTotals &t = totals();
    t = {};
    bool takenOver = false;
    {
        // The address and discount come from the order's own customer, whatever customer
        // the caller's buffer holds; an order whose customer is gone keeps its copy.
        const bool own = r.get(KUN::KID) == r.get(AUF::FKUID);
        std::optional<RecordBuffer> customer;
        if (!own)
            customer = orders::readCustomer(store(), r.get(AUF::FKUID));
        std::optional<CustomerLoan> loan;
        if (!own)
            loan.emplace(r[FileId::kunde], customer.value_or(RecordBuffer(FileId::kunde)));
        // An invoiced order keeps the address its invoice went to.
        if ((own || customer) && !orders::standingInvoice(store(), m_orderId))
            orders::refreshCustomerAddress(r);
        takenOver = orders::LoadOrderWorkingTotals(t, r);
    }
    // The stored sums are not trusted: a form left without OK, or a line changed elsewhere,
    // may have left them behind the lines.
    orders::sumStoredLines(store(), t, app().VatFactor);
    if (!isMain()) {
        t.WorkColourChange = 0;
        t.WorkPrintMinutes = t.WorkHours = t.WorkMinutes = 0;
        t.WorkExtrasText.clear();
    }
    m_vatPercent = app().VatFactor * 100 - 100;

    ProcWindow &window = *procWindow();
    if (takenOver) {
        m_discountNotice
            = u"Achtung !   Kunde besitzt Kundenrabatt von "_s + germanNumber(r.get(AUF::FRABATT))
              + u" %   "_s
              + u"Rabatt wird übernommen.        Rabatt kann hier geändert werden. -->"_s;
        window.unhide(DiscountNotice);
    } else {
        window.hide(DiscountNotice);
    }
    window.hide(RecalculateDiscount);
    applyStatusLabels(true);
    applyInvoiceLock();
    showTextGroups();
    showValues();
}

void OrderForm::showLastNumbers()
{
    const std::optional<RecordBuffer> stamm = orders::readStamm(store());
    QString *const shown[3][2] = {{&m_lastQuote, &m_lastQuoteDate},
                                  {&m_lastDelivery, &m_lastDeliveryDate},
                                  {&m_lastInvoice, &m_lastInvoiceDate}};
    for (std::size_t k = 0; k < orders::kDocumentKinds.size(); ++k) {
        orders::DocumentStamp last;
        if (stamm)
            last = orders::lastStamp(*stamm, orders::kDocumentKinds[k]);
        *shown[k][0] = QString::fromStdString(last.number);
        *shown[k][1] = QString::fromStdString(rt::formatDate(last.date));
    }
}

void OrderForm::showValues()
{
    m_extrasText = QString::fromStdString(totals().WorkExtrasText);
    procWindow()->redisplay();
}

void OrderForm::applyStatusLabels(bool opening)
{
    Records &r = records();
    const std::optional<orders::StatusLabels> labels = orders::statusLabels(
        r.get(AUF::FSTAT), r.get(AUF::SKPROZ), rt::formatDate(totals().DueDate), opening);
    if (!labels)
        return;
    ProcWindow &window = *procWindow();
    const auto setText = [&window](int control, const std::string &text) {
        if (auto *label = qobject_cast<QLabel *>(window.control(control)))
            label->setText(QString::fromStdString(text));
    };
    setText(NetLabel, labels->netLabel);
    setText(GrossLabel, labels->grossLabel);
    setText(ClosingLine, labels->closingLine);
    if (isMain()) {
        const QString word = QString::fromStdString(labels->printCaption);
        const struct
        {
            int control;
            QString name;
            orders::PrintButton kind;
        } buttons[] = {{PrintStandard, u"Standard"_s, orders::PrintButton::Standard},
                       {PrintMinimal, u"Minimal"_s, orders::PrintButton::Minimal},
                       {PrintDetail, u"Detail"_s, orders::PrintButton::Detail}};
        const std::string status = r.get(AUF::FSTAT);
        for (const auto &b : buttons) {
            auto *button = qobject_cast<QPushButton *>(window.control(b.control));
            if (!button)
                continue;
            button->setText(word + u"  "_s + b.name);
            // A button without a document for this status would do nothing: it says why.
            window.enableIf(b.control,
                            !orders::documentReport(status, b.kind).empty(),
                            noDocumentReason(status));
        }
    }
    if (labels->skontoShown)
        window.unhide(SkontoLine);
    else
        window.hide(SkontoLine);
    enableEInvoiceButtons();
}

void OrderForm::enableEInvoiceButtons()
{
    if (!isMain())
        return;
    ProcWindow &window = *procWindow();
    const bool invoice
        = orders::statusKind(records().get(AUF::FSTAT)) == orders::DocumentKind::Invoice;
    for (int control : {SaveXRechnung, SaveZugferd}) {
        window.enableIf(control,
                        invoice,
                        u"Eine E-Rechnung gibt es erst im Status RECHNUNG."_s,
                        u"Schreibt die E-Rechnung dieses Auftrags in eine Datei."_s);
    }
}

void OrderForm::saveEInvoice(const char *procedure)
{
    if (!procWindow()->updateFromWindow())
        return;
    // The e-invoice is made from the order's file: what the form shows must be there first.
    if (!writeOrder()) {
        showValues();
        return;
    }
    app().threadSlot<orders::OrderThreadValues>().CurrentOrderId = m_orderId;
    app().call(procedure);
    showValues();
}

void OrderForm::showTextGroups()
{
    if (!isMain())
        return;
    ProcWindow &window = *procWindow();
    const std::optional<orders::DocumentKind> kind = orders::statusKind(records().get(AUF::FSTAT));
    const auto show = [&window](int control, bool shown) {
        if (shown)
            window.unhide(control);
        else
            window.hide(control);
    };
    show(QuoteTextGroup, kind == orders::DocumentKind::Quote);
    show(PaymentGroup, kind == orders::DocumentKind::Invoice);
}

void OrderForm::chooseStatus()
{
    Records &r = records();
    if (const std::optional<orders::DocumentKind> kind = orders::statusKind(r.get(AUF::FSTAT))) {
        orders::fillDocumentDate(r[FileId::auftrag], *kind, rt::today());
        const StringField number = orders::documentNumberField(*kind);
        if (rt::isBlank(r.get(number)))
            r.set(number, orders::proposedDocumentNumber(store(), *kind, m_orderId));
        if (*kind == orders::DocumentKind::Invoice)
            orders::DueDates(totals(), r);
    }
    applyStatusLabels(false);
    showTextGroups();
    showValues();
}

void OrderForm::switchPages()
{
    orders::OrderWorkingTotals &t = totals();
    showTextGroups();
    orders::RecomputeOrderTotals(t, records(), app().VatFactor);
    orders::RebuildExtrasText(t, selectedExtrasText());
    applyStatusLabels(false);
    showValues();
}

std::string OrderForm::selectedExtrasText() const
{
    ListControl *list = procWindow()->list(Extras);
    if (!list || list->highlighted() == 0)
        return {};
    return list->row(list->highlighted()).value(0).toStdString();
}

int OrderForm::OnAccepted()
{
    if (window().isValidating())
        return ProcedureController::OnAccepted();
    orders::OrderWorkingTotals &t = totals();
    switch (event().control) {
    case Status:
        chooseStatus();
        break;
    case InvoiceDate:
    case PaymentDays:
    case SkontoDays:
    case SkontoPercent:
        // The due dates follow the invoice date and the payment terms as they are typed.
        orders::DueDates(t, records());
        applyStatusLabels(false);
        showValues();
        break;
    case DiscountPercent:
        procWindow()->unhide(RecalculateDiscount);
        break;
    case RecalculateDiscount:
        orders::RecomputeDiscount(t, records(), app().VatFactor);
        procWindow()->hide(RecalculateDiscount);
        showValues();
        return Level::Notify;
    case PrintStandard:
        printDocument(orders::PrintButton::Standard);
        return Level::Notify;
    case PrintMinimal:
        printDocument(orders::PrintButton::Minimal);
        return Level::Notify;
    case PrintDetail:
        printDocument(orders::PrintButton::Detail);
        return Level::Notify;
    case PrintFullDetail:
        printDocument(orders::PrintButton::FullDetail);
        return Level::Notify;
    case SaveXRechnung:
        saveEInvoice("XRechnungspeichern");
        return Level::Notify;
    case SaveZugferd:
        saveEInvoice("ZUGFeRDspeichern");
        return Level::Notify;
    case CancelInvoice:
        cancelInvoice();
        return Level::Notify;
    case EnterPayment:
        enterPayment();
        return Level::Notify;
    default:
        break;
    }
    return ProcedureController::OnAccepted();
}

int OrderForm::OnSelected()
{
    if (event().control == DiscountPercent)
        procWindow()->unhide(RecalculateDiscount);
    return ProcedureController::OnSelected();
}

int OrderForm::OnRejected()
{
    if (event().control == DiscountPercent)
        procWindow()->unhide(RecalculateDiscount);
    return ProcedureController::OnRejected();
}

int OrderForm::OnNewSelection()
{
    const int level = ProcedureController::OnNewSelection();
    if (event().control == Pages)
        switchPages();
    return level;
}

int OrderForm::RunProcedure(int number, int request)
{
    static const char *const kLineForms[] = {"Updatekaldruck", "Updateanach", "Updateatran"};
    if (number < 1 || number > 3)
        return Response::Cancelled;
    if (request != Request::None && refuseLockedChange())
        return Response::Cancelled;
    const int response = app().call(kLineForms[number - 1], request);
    lineFormReturned(number, request, response);
    return response;
}

void OrderForm::lineFormReturned(int list, int request, int response)
{
    if (response != Response::Completed)
        return;
    m_linesChanged = true;
    orders::OrderWorkingTotals &t = totals();
    if (list == 2) {
        if (request == Request::Delete)
            t.WorkExtrasText.clear(); // made again from a remaining line
        else
            orders::SetExtrasTextAfterSave(t, records());
    }
    orders::sumStoredLines(store(), t, app().VatFactor);
    showValues();
}

bool OrderForm::writeOrder()
{
    orders::StoreOrderTotals(totals(),
                             records(),
                             isMain() ? orders::StoreMode::Print : orders::StoreMode::DetailedSave,
                             app().VatFactor);
    return PRIMARY->ME->Update() == Level::Benign;
}

void OrderForm::printDocument(orders::PrintButton button)
{
    ProcWindow &window = *procWindow();
    if (!window.updateFromWindow())
        return;
    Records &r = records();
    const std::string status = r.get(AUF::FSTAT);
    if (orders::quoteNumberMissing(status, button, r.get(AUF::FANNR))) {
        MessagePresenter &presenter = store().errors().presenter();
        presenter.beep();
        presenter.show("HINWEIS",
                       "Vergeben Sie eine Angebotsnummer!",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        window.select(QuoteNumber);
        return;
    }
    const std::string report = orders::documentReport(status, button);
    if (report.empty())
        return;
    if (orders::statusKind(status) == orders::DocumentKind::Invoice && invoiceNumberTaken())
        return;
    // The report reads the order from its file: what the form shows must be there first.
    if (!writeOrder()) {
        showValues();
        return;
    }
    app().threadSlot<orders::OrderThreadValues>().CurrentOrderId = m_orderId;
    for (int run = 0; run < orders::reportRuns(m_copies); ++run)
        app().call(report);
    applyInvoiceLock();
    showValues();
}

void OrderForm::prepareSave()
{
    Records &r = records();
    orders::StoreOrderTotals(totals(),
                             r,
                             isMain() ? orders::StoreMode::Save : orders::StoreMode::DetailedSave,
                             app().VatFactor);
    orders::statusFromPrintedDates(r[FileId::auftrag]);
    if (rt::isBlank(r.get(AUF::FNR))) {
        MessagePresenter &presenter = store().errors().presenter();
        presenter.beep();
        presenter.show("U u p p s  !",
                       "Sie haben keine Auftragsnummer eingegeben.|Nummer wird autom. generiert.",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        r.set(AUF::FNR, app().ids().next("", AUF::FNR.size, [this](const std::string &number) {
            return orders::idTaken(store(), AUF::Keyfnr, AUF::FNR, number);
        }));
    }
    procWindow()->redisplay();
}

bool OrderForm::invoiceNumberTaken()
{
    if (!orders::refuseTakenInvoiceNumber(store(), records().get(AUF::FRENR), m_orderId))
        return false;
    procWindow()->select(InvoiceNumber);
    return true;
}

int OrderForm::OnCompleted()
{
    const bool saving = REQUEST == Request::Insert || REQUEST == Request::Change;
    // Two invoices with one number are not allowed: the order stays open to change it.
    if (saving && invoiceNumberTaken())
        return Level::Notify;
    if (saving)
        prepareSave();
    const std::string customerId = records().get(AUF::FKUID);
    const int level = ProcedureController::OnCompleted();
    if (saving && RESPONSE == Response::Completed) {
        // Only an order that is in the file may count as the last issued document.
        orders::saveLastNumbers(store(), records()[FileId::auftrag]);
        m_linesChanged = false;
    }
    // An order's amounts, or the order itself, may have gone: its documents count as they
    // stand now.
    if (RESPONSE == Response::Completed && (saving || REQUEST == Request::Delete))
        orders::refreshTurnover(store(), customerId);
    return level;
}

int OrderForm::Run()
{
    const int response = ProcedureController::Run();
    if (response != Response::Completed && m_linesChanged && ORIGINALREQUEST == Request::Change)
        orders::alignStoredTotals(store(), m_orderId, app().VatFactor);
    return response;
}
