#include "orders/forms/paymentform.h"

#include "base/text.h"
#include "framework/appcontext.h"
#include "framework/formbuilder.h"
#include "framework/procwindow.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/storecontext.h"

using namespace Qt::Literals::StringLiterals;

PaymentForm::PaymentForm(AppContext &app, orders::InvoiceStanding standing)
    : ProcedureController(app, "Zahlungerfassen", u"Zahlung erfassen"_s)
    , m_standing(std::move(standing))
{
    setPrimary(FileId::zahlung, Ok, Cancel);
    const RecordBuffer &document = m_standing.document;
    m_invoice = QString::fromStdString(document.get(BEL::BNR)) + u"  vom "_s
                + QString::fromStdString(rt::formatDate(m_standing.terms.invoiceDate));
    m_customer = QString::fromStdString(document.get(BEL::BKNAME));
    m_gross = m_standing.terms.gross;
    m_open = orders::fromCents(m_standing.state.openCents);
}

double PaymentForm::proposedAmount(bool withSkonto) const
{
    const std::int64_t skonto = withSkonto ? orders::toCents(m_standing.terms.skonto) : 0;
    return orders::fromCents(std::max<std::int64_t>(m_standing.state.openCents - skonto, 0));
}

void PaymentForm::FillNewRecord()
{
    Records &r = records();
    r.set(ZAH::ZRENR, m_standing.document.get(BEL::BNR));
    r.set(ZAH::ZDAT, rt::today());
    r.set(ZAH::ZSKONTO, 0);
    r.set(ZAH::ZBETRAG, proposedAmount(false));
}

void PaymentForm::defineWindow(FormBuilder &form)
{
    form.display(Invoice, u"Rechnung Nr."_s, m_invoice, u"@s40"_s);
    form.display(Customer, u"Kunde"_s, m_customer, u"@s45"_s);
    form.display(Gross, u"Rechnungsbetrag (EUR)"_s, m_gross, u"@n-14.2"_s);
    form.display(StillOpen, u"noch offen (EUR)"_s, m_open, u"@n-14.2"_s);
    form.entry(Date, u"Datum"_s, ZAH::ZDAT, u"@d6"_s);
    form.entry(Amount, u"Betrag (EUR)"_s, ZAH::ZBETRAG, u"@n-14.2"_s);
    const double skonto = m_standing.terms.skonto;
    form.check(
        WithSkonto,
        u"mit Skonto: "_s + QString::fromStdString(orders::germanAmount(orders::toCents(skonto)))
            + u" EUR bis "_s + QString::fromStdString(rt::formatDate(m_standing.terms.skontoDate)),
        ZAH::ZSKONTO);
    form.okCancel(Ok, Cancel);
}

void PaymentForm::setUpWindow()
{
    FIRSTFIELD = Amount;
    // The Skonto is offered only while it may still be taken.
    if (!orders::skontoAvailable(m_standing.terms, rt::today()))
        procWindow()->hide(WithSkonto);
    procWindow()->setTitle(u"Zahlung erfassen  ("_s + m_customer + u")"_s);
}

int PaymentForm::OnAccepted()
{
    const int level = ProcedureController::OnAccepted();
    // Ticking the Skonto proposes the amount that settles the invoice with it, unless the
    // user has typed an amount of their own.
    if (event().control == WithSkonto) {
        Records &r = records();
        const bool ticked = r.get(ZAH::ZSKONTO) != 0;
        if (orders::toCents(r.get(ZAH::ZBETRAG)) == orders::toCents(proposedAmount(!ticked))) {
            r.set(ZAH::ZBETRAG, proposedAmount(ticked));
            window().redisplay(Amount);
        }
    }
    return level;
}

int PaymentForm::OnCompleted()
{
    if (REQUEST == Request::Insert) {
        Records &r = records();
        const orders::Payment payment{
            r.get(ZAH::ZDAT), r.get(ZAH::ZBETRAG), r.get(ZAH::ZSKONTO) != 0};
        if (const std::string problem = orders::paymentProblem(m_standing.terms, payment);
            !problem.empty())
            return refuseEntry(problem, orders::toCents(payment.amount) <= 0 ? Amount : Date);
        // A Skonto ticked after its date would not count: say so rather than record it.
        if (payment.withSkonto && !orders::skontoAvailable(m_standing.terms, payment.date)) {
            return refuseEntry("Skonto kann nur bis zum "
                                   + rt::formatDate(m_standing.terms.skontoDate)
                                   + " abgezogen werden.",
                               Date);
        }
        r.set(ZAH::ZRENR, m_standing.document.get(BEL::BNR));
    }
    return ProcedureController::OnCompleted();
}

void runPaymentEntry(AppContext &app)
{
    const std::string number = app.store().fileManager(FileId::posten).BUFFER().get(OPO::OPRENR);
    app.LastResponse = Response::Cancelled;
    StoreContext &store = app.store();
    const std::optional<orders::InvoiceStanding> standing
        = orders::invoiceStanding(store, number, rt::today());
    MessagePresenter &presenter = store.errors().presenter();
    if (!standing) {
        presenter.show("HINWEIS",
                       "Zu dieser Zeile gibt es keine ausgestellte Rechnung, auf die eine "
                       "Zahlung gebucht werden könnte.",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    if (standing->state.status != orders::PaymentStatus::Open) {
        presenter.show("HINWEIS",
                       "Die Rechnung " + std::string(rt::trimmed(number))
                           + (standing->state.status == orders::PaymentStatus::Paid
                                  ? " ist bereits bezahlt."
                                  : " ist storniert: auf sie wird nichts mehr gezahlt."),
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    FileManager &payments = store.fileManager(FileId::zahlung);
    std::uint16_t saved = payments.SaveState();
    if (payments.Open() == Level::Benign) {
        // Whoever called, a payment is always a new record.
        app.PendingRequest = Request::Insert;
        PaymentForm form(app, *standing);
        app.LastResponse = form.Run();
        payments.Close();
    }
    payments.RestoreState(saved);
    orders::refreshOpenItem(store, number, rt::today());
}
