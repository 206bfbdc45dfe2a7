#include "costing/forms/lineform.h"

#include "costing/forms/catalogueformsupport.h"
#include "costing/forms/orderlinetotals.h"
#include "framework/procwindow.h"
#include "orders/core/orderthreadvalues.h"
#include "store/errormanager.h"
#include "store/files.h"

LineForm::LineForm(AppContext &app, std::string name, QString caption, const LineRole &role)
    : ProcedureController(app, std::move(name), std::move(caption))
    , m_role(role)
    , m_opened(role.file)
{
    setPrimary(role.file, kOk, kCancel);
}

QString LineForm::caption(const AppContext &app, const QString &insert, const QString &change)
{
    return app.PendingRequest == Request::Insert ? insert : change;
}

void LineForm::registerParts()
{
    DELETEACTION = 4;
}

void LineForm::FillNewRecord()
{
    RecordBuffer &r = line();
    r.set(m_role.id, costingforms::newInternalId(app(), m_role.letter));
    r.set(m_role.order, records().get(AUF::FID));
}

bool LineForm::feedsWorkingTotals() const
{
    // A typesetting line feeds the sum of its calculation when that calculation's form,
    // which holds it in the buffer, runs on this thread.
    if (!m_role.kind) {
        const std::string calculation = records().get(KAD::KAAID);
        return !calculation.empty() && calculation == line().get(ASA::ASKADID);
    }
    const std::string &current = app().threadSlot<orders::OrderThreadValues>().CurrentOrderId;
    return !current.empty() && current == m_orderId;
}

double &LineForm::typesettingSum() const
{
    return app().threadSlot<orders::OrderThreadValues>().WorkCalcTypesetting;
}

int LineForm::PrepareRequest()
{
    m_orderId = line().get(m_role.order);
    m_working = feedsWorkingTotals();
    if (REQUEST != Request::Delete)
        return ProcedureController::PrepareRequest();
    const RecordBuffer deleted = line();
    const int level = ProcedureController::PrepareRequest();
    // Deleting from the order or calculation form's own lists is that form's to count.
    if (RESPONSE == Response::Completed && !m_working)
        storeElsewhere(deleted, RecordBuffer(m_role.file));
    return level;
}

int LineForm::Init()
{
    const int level = ProcedureController::Init();
    if (level == Level::Benign && (REQUEST == Request::Insert || REQUEST == Request::Change)) {
        // A new line is primed by now: its order link is set.
        m_orderId = line().get(m_role.order);
        m_working = feedsWorkingTotals();
        takeOut();
    }
    return level;
}

void LineForm::takeOut()
{
    m_opened = line();
    m_takenOut = true;
    if (!m_working)
        return;
    if (!m_role.kind) {
        double &sum = typesettingSum();
        m_typesettingBefore = sum;
        sum -= line().get(m_role.total);
        if (sum < 0)
            sum = 0;
        m_typesettingAfterOpen = sum;
        return;
    }
    orders::OrderWorkingTotals &totals
        = app().threadSlot<orders::OrderThreadValues>().OrderWorkingTotals;
    m_before = orders::SubtractLine(totals, *m_role.kind, records());
    m_afterOpen = {*m_role.kind, totals};
}

void LineForm::countLine()
{
    if (!m_takenOut || !m_working)
        return;
    // Counted from the sums as they were after opening, so a second OK does not count twice.
    if (!m_role.kind) {
        typesettingSum() = m_typesettingAfterOpen + line().get(m_role.total);
        return;
    }
    orders::OrderWorkingTotals &totals
        = app().threadSlot<orders::OrderThreadValues>().OrderWorkingTotals;
    orders::PutBackLine(totals, m_afterOpen);
    orders::AddLine(totals, *m_role.kind, records());
    if (*m_role.kind == orders::LineKind::ExtrasLine)
        orders::SetExtrasTextAfterSave(totals, records());
}

void LineForm::putBack()
{
    if (!m_takenOut || !m_working)
        return;
    if (!m_role.kind) {
        typesettingSum() = m_typesettingBefore;
        return;
    }
    orders::OrderWorkingTotals &totals
        = app().threadSlot<orders::OrderThreadValues>().OrderWorkingTotals;
    orders::PutBackLine(totals, m_before);
    if (*m_role.kind == orders::LineKind::ExtrasLine)
        totals.WorkExtrasText = m_before.before.WorkExtrasText;
}

int LineForm::OnCompleted()
{
    const int level = ProcedureController::OnCompleted();
    if (RESPONSE == Response::Completed && !m_working && m_takenOut && !m_ownOrderDone)
        storeInOwnOrder(line());
    return level;
}

void LineForm::storeInOwnOrder(const RecordBuffer &after)
{
    m_ownOrderDone = true;
    if (after.get(m_role.total) != m_opened.get(m_role.total))
        storeElsewhere(m_opened, after);
}

void LineForm::storeElsewhere(const RecordBuffer &before, const RecordBuffer &after)
{
    if (m_role.kind) {
        costingforms::applyLineToStoredOrder(
            store(), m_orderId, *m_role.kind, before, after, app().VatFactor);
        return;
    }
    const std::string calculation = before.get(ASA::ASKADID);
    costingforms::applyTypesettingToStoredCalculation(store(),
                                                      calculation.empty() ? after.get(ASA::ASKADID)
                                                                          : calculation,
                                                      before.get(ASA::ASGPR),
                                                      after.get(ASA::ASGPR),
                                                      app().VatFactor);
}

int LineForm::Run()
{
    const int response = ProcedureController::Run();
    if (response != Response::Completed)
        putBack();
    return response;
}

int LineForm::acceptLine()
{
    window().updateFromWindow();
    recompute();
    countLine();
    return ProcedureController::OnAccepted();
}
