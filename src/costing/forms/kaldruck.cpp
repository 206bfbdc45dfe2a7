#include "costing/forms/kaldruck.h"

#include "base/text.h"
#include "costing/core/calculationsteps.h"
#include "costing/core/lineprices.h"
#include "costing/core/machinecalculation.h"
#include "costing/core/sheetlayout.h"
#include "costing/forms/kaldrucklayoutview.h"
#include "framework/core/stepmanager.h"
#include "framework/formbuilder.h"
#include "framework/procwindow.h"
#include "orders/core/orderthreadvalues.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

#include <QFormLayout>
#include <QTabWidget>

#include <algorithm>

namespace C = KaldruckControl;

namespace {

// Controls of the calculation page and their twins on the simple page: both show one field,
// and whichever the user edited, the other must show it too before anything takes it back.
constexpr std::pair<int, int> kTwins[] = {
    {C::Description, C::SimpleDescription},
    {C::TotalRun, C::SimpleTotalRun},
    {C::Sorts, C::SimpleSorts},
    {C::RunPerSort, C::SimpleRunPerSort},
    {C::Colours, C::SimpleColours},
    {C::PrintPrice, C::SimplePrice},
};

// The inputs that only the machine calculation uses, and those of the simple page.
constexpr int kCalculationInputs[] = {
    C::Description,   C::TotalRun,        C::Sorts,        C::RunPerSort,        C::Colours,
    C::WithBlack,     C::BackSide,        C::LayoutLength, C::LayoutWidth,       C::CopiesPerSheet,
    C::Prints,        C::PrintsBothSides, C::PrintPrice,   C::ColourChangePrice, C::PrintTime,
    C::RowFirst,      C::RowFirst + 1,    C::RowFirst + 2, C::RowFirst + 3,      C::RowFirst + 4,
    C::RowFirst + 5,  C::RowFirst + 6,    C::RowFirst + 7, C::RowFirst + 8,      C::RowFirst + 9,
    C::RowFirst + 10, C::RowFirst + 11,
};
constexpr int kSimpleInputs[] = {
    C::SimpleDescription,
    C::SimpleTotalRun,
    C::SimpleSorts,
    C::SimpleRunPerSort,
    C::SimpleColours,
    C::SimplePrice,
    C::SimpleSheets,
};
constexpr int kPaperInputs[] = {
    C::PaperName,
    C::PaperUnitPrice,
    C::PaperUnit,
    C::PaperPiecesPerUnit,
    C::PaperFormat,
    C::PaperPieces,
    C::PaperUnits,
};

int focusControl(costing::CalcFocus focus)
{
    switch (focus) {
    case costing::CalcFocus::MachineList:
        return C::Machines;
    case costing::CalcFocus::LayoutLength:
        return C::LayoutLength;
    case costing::CalcFocus::LayoutWidth:
        return C::LayoutWidth;
    case costing::CalcFocus::Sorts:
        return C::Sorts;
    case costing::CalcFocus::Colours:
        return C::Colours;
    case costing::CalcFocus::Run:
        return C::RunPerSort;
    case costing::CalcFocus::None:
        break;
    }
    return 0;
}

} // namespace

Updatekaldruck::Updatekaldruck(AppContext &app)
    : ProcedureController(app, "Updatekaldruck", QStringLiteral("Kalkulation des Druckvolumens"))
{
    setPrimary(FileId::kaldruck, C::Ok, C::Cancel);
    useFile(FileId::maschin);
    useFile(FileId::papier);
    useFile(FileId::asatz);
    useFile(FileId::auftrag);
}

Updatekaldruck::~Updatekaldruck() = default;

RecordBuffer &Updatekaldruck::calculation() const
{
    return records()[FileId::kaldruck];
}

double &Updatekaldruck::typesettingSum() const
{
    return app().threadSlot<orders::OrderThreadValues>().WorkCalcTypesetting;
}

int Updatekaldruck::mode() const
{
    return calculation().get(KAD::EINFACH);
}

void Updatekaldruck::registerParts()
{
    // A calculation is entered once; the next one is started from its order.
    INSERTACTION = 2;
}

void Updatekaldruck::FillNewRecord()
{
    RecordBuffer &c = calculation();
    c.set(KAD::KAUFID, records().get(AUF::FID));
    m_newId = app().ids().next("K", KAD::KAAID.size);
    c.set(KAD::KAAID, m_newId);
    for (RealField field :
         {KAD::KAAL, KAD::KASO, KAD::KAFARBE, KAD::KAVH, KAD::KAFASCHW, KAD::KAALGES})
        c.set(field, 1.0);
    c.set(KAD::EINFACH, std::int32_t{0});
}

void Updatekaldruck::setUpWindow()
{
    ProcWindow &window = *procWindow();
    window.setTitle(ORIGINALREQUEST == Request::Insert ? QStringLiteral("NEUE KALKULATION ")
                                                       : QStringLiteral("ÄNDERN der Kalkulation"));

    RelationKeeper &machines = store().relations(FileId::maschin);
    m_machineView = std::make_unique<View>(machines);
    m_machines.Init(*this,
                    C::Machines,
                    *m_machineView,
                    machines,
                    store().fileManager(FileId::maschin),
                    records());
    m_machines.AddSortOrder(MAS::Keymbez);
    m_machines.AddField(MAS::MBEZ);
    m_machines.AddField(MAS::MFORM);
    m_machines.AddField(MAS::MFARB, QStringLiteral("@n_3"));
    // A calculation opened again shows its own machine highlighted, not the first one.
    const std::string machine = calculation().get(KAD::KAMBEZ);
    if (ORIGINALREQUEST != Request::Insert && !rt::isBlank(machine)) {
        records().set(MAS::MBEZ, machine);
        m_machines.STARTATCURRENT = 1;
    }
    AddBrowse(m_machines);

    RelationKeeper &lines = store().relations(FileId::asatz);
    m_typesettingView = std::make_unique<View>(lines);
    m_typesetting.Init(*this,
                       C::TypesettingList,
                       *m_typesettingView,
                       lines,
                       store().fileManager(FileId::asatz),
                       records());
    m_typesetting.AddSortOrder(ASA::Keykadid);
    m_typesetting.AddRangeLimit(FieldRef(ASA::ASKADID), KAD::KAAID);
    m_typesetting.AddField(ASA::ASBEZ);
    m_typesetting.AddField(ASA::ASPR);
    m_typesetting.AddField(ASA::ASEINH);
    m_typesetting.AddField(ASA::ASANZ, QStringLiteral("@n7"));
    m_typesetting.AddField(ASA::ASFAK, QStringLiteral("@n_7.2"));
    m_typesetting.AddField(ASA::ASGPR);
    m_typesetting.INSERTCONTROL = C::TypesettingNew;
    m_typesetting.CHANGECONTROL = C::TypesettingChange;
    m_typesetting.DELETECONTROL = C::TypesettingDelete;
    m_typesetting.ASKPROCEDURE = 1;
    AddBrowse(m_typesetting);

    m_papers = std::make_unique<FileDrop>(
        window, C::PaperPick, store().fileManager(FileId::papier), PAP::Keypbez);
    m_papers->setDisplay(PAP::PBEZ, QStringLiteral("Sorte / Bezeichnung"));
    m_papers->addColumn(PAP::PPR, QStringLiteral("Preis"));
    m_papers->addColumn(PAP::PVPE, QStringLiteral("VPE/ Stck"), QStringLiteral("@n11"));
    m_papers->addColumn(PAP::PEIN, QStringLiteral("VPE-Bez."));
    RecordBuffer &c = calculation();
    m_papers->addCopy(PAP::PBEZ, c, KAD::APBEZ);
    m_papers->addCopy(PAP::PPR, c, KAD::APPR);
    m_papers->addCopy(PAP::PVPE, c, KAD::APVPE);
    m_papers->addCopy(PAP::PEIN, c, KAD::AEINH);
    AddFileDrop(*m_papers);
}

int Updatekaldruck::OnWindowEvent()
{
    const int level = ProcedureController::OnWindowEvent();
    if (event().kind != EventKind::OpenWindow || !procWindow())
        return level;
    orders::OrderThreadValues &values = app().threadSlot<orders::OrderThreadValues>();
    m_contribution.open(values.OrderWorkingTotals, values.CurrentOrderId, records());
    values.WorkCalcTypesetting = costing::typesettingOnOpen(calculation());
    // Until a mode is chosen only the selector shows; the stored mode is chosen at once.
    ProcWindow &window = *procWindow();
    window.hide(C::Hint);
    window.select(C::Mode);
    applyMode(mode());
    showTotals();
    return level;
}

void Updatekaldruck::applyMode(int chosen)
{
    ProcWindow &window = *procWindow();
    const bool machine = chosen == 0;
    for (int page : {C::CalculationPage, C::DistributionPage}) {
        if (machine)
            window.unhide(page);
        else
            window.hide(page);
    }
    if (machine) {
        window.hide(C::SimplePage);
        window.unhide(C::Hint);
    } else {
        window.unhide(C::SimplePage);
        window.hide(C::Hint);
    }
    // Sorts, run per sort and colours with their labels belong to the simple mode only.
    for (int control : {C::SimpleSorts, C::SimpleRunPerSort, C::SimpleColours})
        m_simpleRows->setRowVisible(window.control(control), chosen == 1);
    // Only the page in use takes input: its twin on the hidden page would give back an
    // older value when the form takes the window's values.
    for (int control : kCalculationInputs) {
        if (machine)
            window.enable(control);
        else
            window.disable(control);
    }
    for (int control : kSimpleInputs) {
        if (machine)
            window.disable(control);
        else
            window.enable(control);
    }
    window.unhide(C::Pages);
}

void Updatekaldruck::takeWindow()
{
    ProcWindow &window = *procWindow();
    window.updateFromWindow(window.focusControl());
    auto take = [&window](int control) {
        if (!window.isDisabled(control))
            window.updateFromWindow(control);
    };
    for (int control : kCalculationInputs)
        take(control);
    for (int control : kSimpleInputs)
        take(control);
    for (int control : kPaperInputs)
        take(control);
    take(C::Mode);
    window.redisplay();
}

void Updatekaldruck::showTotals()
{
    m_displayTotal = costing::CalcDisplayTotal(calculation(), typesettingSum());
    if (m_picture)
        m_picture->setPicture(costing::pictureOfSheet(calculation()));
    if (procWindow())
        procWindow()->redisplay();
}

void Updatekaldruck::showTotal()
{
    m_displayTotal = costing::CalcDisplayTotal(calculation(), typesettingSum());
    if (procWindow())
        procWindow()->redisplay(C::DisplayTotal);
}

void Updatekaldruck::say(std::string_view title, std::string_view text, MessageIcon icon, bool beep)
{
    MessagePresenter &presenter = store().errors().presenter();
    if (beep)
        presenter.beep();
    presenter.show(
        std::string(title), std::string(text), icon, MessageButton::Ok, MessageButton::Ok);
}

int Updatekaldruck::OnEvent()
{
    const WindowEvent e = event();
    const int level = ProcedureController::OnEvent();
    // The list has fetched the picked machine by now; the calculation keeps copies of it.
    if (e.control == C::Machines && e.kind == EventKind::NewSelection && procWindow()
        && !rt::isBlank(records().get(MAS::MBEZ))) {
        costing::copyMachine(records()[FileId::maschin], calculation());
        showTotals();
    }
    return level;
}

int Updatekaldruck::OnSelected()
{
    if (event().control == C::Mode)
        applyMode(mode());
    return ProcedureController::OnSelected();
}

int Updatekaldruck::OnNewSelection()
{
    if (event().control == C::Pages && procWindow()) {
        takeWindow();
        costing::applyPageChange(calculation());
        showTotals();
    }
    return ProcedureController::OnNewSelection();
}

int Updatekaldruck::OnAccepted()
{
    switch (event().control) {
    case C::Mode:
        applyMode(mode());
        break;
    case C::Calculate:
        return machineCalculation();
    case C::Ok:
        if (const int level = acceptChecks(); level != Level::Benign)
            return level;
        break;
    default:
        break;
    }
    return ProcedureController::OnAccepted();
}

int Updatekaldruck::OnFieldEvent()
{
    const WindowEvent &e = event();
    ProcWindow &window = *procWindow();
    if (e.kind != EventKind::Accepted && e.kind != EventKind::NewSelection)
        return Level::Benign;
    if (e.control == C::Machines) {
        takeWindow();
        return Level::Benign;
    }
    if (e.kind != EventKind::Accepted)
        return Level::Benign;
    for (const auto &[first, second] : kTwins) {
        if (e.control == first)
            window.redisplay(second);
        else if (e.control == second)
            window.redisplay(first);
    }
    switch (e.control) {
    case C::PaperPieces:
        return paperPiecesEvent();
    case C::PaperPick:
    case C::PaperUnits:
        costing::PaperPrice(calculation());
        showTotals();
        break;
    case C::LayoutLength:
    case C::LayoutWidth:
        showTotals();
        break;
    default:
        // A price typed over (print, colour change, a simple calculation's) shows in the
        // total at once.
        showTotal();
        break;
    }
    return Level::Benign;
}

int Updatekaldruck::paperPiecesEvent()
{
    RecordBuffer &c = calculation();
    if (mode() == 0) {
        // A machine calculation is only accepted with a named paper in a named unit.
        if (rt::isBlank(c.get(KAD::AEINH))) {
            say("U u p p s  !",
                "Bitte eine VPE Einheit|z.B.  Blatt; Bogen usw. eingeben.",
                MessageIcon::Question,
                true);
            procWindow()->select(C::PaperUnit);
            return Level::Notify;
        }
        if (rt::isBlank(c.get(KAD::APBEZ))) {
            say("U u p p s  !",
                "Bitte eine Papierbezeichnung eingeben.",
                MessageIcon::Question,
                true);
            procWindow()->select(C::PaperName);
            return Level::Notify;
        }
    }
    costing::PaperPrice(c);
    showTotals();
    return Level::Benign;
}

int Updatekaldruck::machineCalculation()
{
    takeWindow();
    const costing::MachineCalculationOutcome outcome
        = costing::runMachineCalculation(calculation());
    if (!outcome.completed()) {
        const costing::CalcMessage message = costing::checkMessage(outcome.stoppedBy);
        say(message.title, message.text, MessageIcon::Information, message.beep);
        if (outcome.closesForm()) {
            // Leaves the loop without the window's own closing: a new calculation's
            // placeholder goes here, or it would stay in the file.
            RESPONSE = Response::Cancelled;
            if (ORIGINALREQUEST == Request::Insert)
                PRIMARY->CancelNumbering();
            return Level::Fatal;
        }
        showTotals();
        procWindow()->select(focusControl(outcome.focus));
        return Level::Notify;
    }
    for (costing::RunNotice notice : outcome.notices) {
        const costing::CalcMessage message = costing::noticeMessage(notice);
        say(message.title, message.text, MessageIcon::Information, false);
    }
    showTotals();
    return Level::Notify;
}

std::string Updatekaldruck::orderShortDescription()
{
    const std::string orderId = calculation().get(KAD::KAUFID);
    Records &r = records();
    if (r.get(AUF::FID) == orderId)
        return r.get(AUF::FKURZ);
    // Opened from the list of all calculations: the order is read without disturbing the
    // buffer the caller may hold.
    const RecordBuffer kept = r[FileId::auftrag];
    r.set(AUF::FID, orderId);
    std::string description;
    if (store().fileManager(FileId::auftrag).FetchQuiet(AUF::Keyfid) == Level::Benign)
        description = r.get(AUF::FKURZ);
    r[FileId::auftrag] = kept;
    return description;
}

int Updatekaldruck::acceptChecks()
{
    takeWindow();
    RecordBuffer &c = calculation();
    if (c.get(KAD::KAALGES) == 0) {
        say("U p p s",
            "ACHTUNG!!|Die Gesamtauflage/-menge ist NULL!||...Wert wird autom. auf 1 gesetzt !",
            MessageIcon::Question,
            true);
        c.set(KAD::KAALGES, 1.0);
    }
    if (c.get(KAD::KADRPR) == 0) {
        say("U p p s",
            "ACHTUNG!!|Der Druckpreis ist NULL!||..war das der Plan?",
            MessageIcon::Question,
            true);
        ProcWindow &window = *procWindow();
        window.unhide(C::SimplePage);
        window.enable(C::SimplePrice);
        window.redisplay();
        window.select(C::SimplePage);
        window.select(C::SimplePrice);
        return Level::Notify;
    }
    if (rt::isBlank(c.get(KAD::KABEZ))) {
        c.set(KAD::KABEZ, orderShortDescription());
        say("HINWEIS",
            "Kalkulationsobjekt - Beschreibung fehlt!||Es wird autom. die Auftragsbezeichnung "
            "als|Kalkulationsbeschreibung übernommen.",
            MessageIcon::None,
            false);
    }
    costing::completeOnAccept(c, typesettingSum());
    showTotals();
    return Level::Benign;
}

int Updatekaldruck::RunProcedure(int number, int request)
{
    if (number != 1)
        return ProcedureController::RunProcedure(number, request);
    const double lineTotal = records().get(ASA::ASGPR);
    const bool lineFormThere = app().procedures().find("Updateasatz") != nullptr;
    const int response = app().call("Updateasatz", request);
    // The list numbered a new line before the call; without a line form nothing removes it.
    if (!lineFormThere && request == Request::Insert)
        store().relations(FileId::asatz).CancelNumbering();
    if (request == Request::Delete && response == Response::Completed) {
        double &sum = typesettingSum();
        sum = std::max(0.0, sum - lineTotal);
    }
    if (procWindow())
        showTotals();
    return response;
}

void Updatekaldruck::deleteTypesettingLines(const std::string &calculationId)
{
    FileManager &file = store().fileManager(FileId::asatz);
    RelationKeeper &lines = store().relations(FileId::asatz);
    Records &r = records();
    std::uint16_t state = file.SaveState();
    std::vector<std::string> positions;
    r.set(ASA::ASKADID, calculationId);
    if (file.startPassFrom(ASA::Keykadid) == Level::Benign) {
        while (file.NextQuiet() == Level::Benign && r.get(ASA::ASKADID) == calculationId)
            positions.push_back(file.Position());
    }
    for (const std::string &position : positions) {
        if (file.Refetch(position) == Level::Benign)
            lines.Delete(false);
    }
    file.RestoreState(state);
}

int Updatekaldruck::Shutdown()
{
    // The calculation's share reaches the order once: after the record was written, or,
    // when it was not, the share taken out at opening goes back.
    orders::OrderThreadValues &values = app().threadSlot<orders::OrderThreadValues>();
    if (RESPONSE == Response::Completed) {
        m_contribution.accepted(values.OrderWorkingTotals, store(), app().VatFactor);
    } else {
        m_contribution.left(values.OrderWorkingTotals);
        // Lines entered for a calculation that is never stored would belong to nothing.
        if (!m_newId.empty() && !DEAD)
            deleteTypesettingLines(m_newId);
    }
    m_newId.clear();
    return ProcedureController::Shutdown();
}
