#include "costing/forms/servicelines.h"

#include "costing/core/lineprices.h"
#include "costing/forms/catalogueformsupport.h"
#include "framework/filedrop.h"
#include "framework/formbuilder.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;
using costingforms::addHeading;
using costingforms::addNote;

namespace {

constexpr LineRole kTypesetting{
    FileId::asatz, ASA::ASID, "S", ASA::ASAUFID, ASA::ASGPR, std::nullopt};
constexpr LineRole kExtras{
    FileId::anach, ANA::ANID, "N", ANA::ANIDAUF, ANA::ANGPR, orders::LineKind::ExtrasLine};
constexpr LineRole kTransport{
    FileId::atran, ATR::ATID, "T", ATR::ATAUFID, ATR::ATGPR, orders::LineKind::TransportLine};

QString typesettingCaption(AppContext &app)
{
    const QString kind = QString::fromStdString(app.store().records().get(KAD::KABEZ));
    return LineForm::caption(app,
                             u"NEU   Satz- / Verarbeitungs- Kosten für "_s
                                 + QCoreApplication::translate("Form", "  (New)"),
                             u"ÄNDERN Satz-/ Verarbeitgs-Kosten f. "_s + u"  ("_s + kind + u")"_s);
}

bool isAccepted(const WindowEvent &event, std::initializer_list<int> controls)
{
    if (event.kind != EventKind::Accepted)
        return false;
    for (int control : controls) {
        if (event.control == control)
            return true;
    }
    return false;
}

} // namespace

// --- typesetting and processing ------------------------------------------------------------

Updateasatz::Updateasatz(AppContext &app)
    : LineForm(app, "Updateasatz", typesettingCaption(app), kTypesetting)
{}

Updateasatz::~Updateasatz() = default;

void Updateasatz::FillNewRecord()
{
    LineForm::FillNewRecord();
    RecordBuffer &r = line();
    r.set(ASA::ASKADID, records().get(KAD::KAAID));
    r.set(ASA::ASANZ, 1.0);
    r.set(ASA::ASFAK, 1.0);
}

void Updateasatz::defineWindow(FormBuilder &form)
{
    addHeading(form, u"SATZ - / VERARBEITUNGS -   Angaben"_s);
    form.entry(kDescription, u"Tätigkeit?"_s, ASA::ASBEZ, u"@s35"_s);
    form.dropList(kPick, u"Schnell- Auswahl"_s);
    form.entry(kQuantity, u"Wie oft?"_s, ASA::ASANZ, u"@n_7"_s);
    form.entry(kFactor, u"Faktor"_s, ASA::ASFAK, u"@n_7.2"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, ASA::ASPR, u"@n10.2"_s);
    form.entry(kUnit, u"  je"_s, ASA::ASEINH, u"@s12"_s);
    form.display(kTotal, u"Gesamtpreis/ EUR"_s, ASA::ASGPR, u"@n12.2"_s);
    form.okCancel(kOk, kCancel);
}

void Updateasatz::setUpWindow()
{
    m_pick = std::make_unique<FileDrop>(
        *procWindow(), kPick, store().fileManager(FileId::satz), SAT::Keysbez);
    m_pick->setDisplay(SAT::SBEZ, u"Satz- Tätigkeit"_s);
    m_pick->addColumn(SAT::SFAK, u"Faktor"_s, u"@n_7.2"_s);
    m_pick->addColumn(SAT::SPR, u"Preis/ EUR"_s);
    RecordBuffer &r = line();
    m_pick->addCopy(SAT::SBEZ, r, ASA::ASBEZ);
    m_pick->addCopy(SAT::SFAK, r, ASA::ASFAK);
    m_pick->addCopy(SAT::SPR, r, ASA::ASPR);
    m_pick->addCopy(SAT::SEINH, r, ASA::ASEINH);
    AddFileDrop(*m_pick);
}

void Updateasatz::recompute()
{
    costing::LineTotal(line());
    window().redisplay();
}

int Updateasatz::OnAccepted()
{
    if (event().control == kOk)
        return acceptLine();
    return LineForm::OnAccepted();
}

int Updateasatz::OnFieldEvent()
{
    // A pick is copied before its Accepted arrives.
    if (isAccepted(event(), {kPick, kQuantity, kFactor, kPrice}))
        recompute();
    return LineForm::OnFieldEvent();
}

// --- additional work ------------------------------------------------------------------------

Updateanach::Updateanach(AppContext &app)
    : LineForm(app,
               "Updateanach",
               caption(app, u"NEU Zusatzarbeiten"_s, u"ÄNDERN Zusatzarbeiten"_s),
               kExtras)
{}

Updateanach::~Updateanach() = default;

void Updateanach::FillNewRecord()
{
    LineForm::FillNewRecord();
    line().set(ANA::ANANZ, 1.0);
    line().set(ANA::ANFAK, 1.0);
}

void Updateanach::defineWindow(FormBuilder &form)
{
    form.display(kOrder, u"für Auftragsnummer:"_s, ANA::ANIDAUF);
    addHeading(form, u"Zusatzarbeiten- ANGABEN"_s);
    form.entry(kDescription, u"Tätigkeit"_s, ANA::ANBEZ, u"@s35"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, ANA::ANPR, u"@n10.2"_s);
    form.entry(kUnit, u"je Einheit"_s, ANA::ANEIN, u"@s12"_s);
    form.dropList(kPick, u"Schnell - Auswahl"_s);
    form.entry(kQuantity, u"Wie oft?"_s, ANA::ANANZ, u"@n_7"_s);
    form.entry(kFactor, u"Faktor"_s, ANA::ANFAK, u"@n_7.2"_s);
    addNote(form, u"Schwierigkeitsgrad   -   Faktor = 1  -->  NORMAL"_s);
    form.display(kTotal, u"Gesamtpreis/ EUR"_s, ANA::ANGPR, u"@n12.2"_s);
    form.button(kUpdatePrice, u"Preis aktualisieren"_s);
    form.okCancel(kOk, kCancel);
}

void Updateanach::setUpWindow()
{
    m_pick = std::make_unique<FileDrop>(
        *procWindow(), kPick, store().fileManager(FileId::arbeit), ARB::Keyabez);
    m_pick->setDisplay(ARB::ABEZ, u"Tätigkeit"_s);
    m_pick->addColumn(ARB::APR, u"Preis/ EUR"_s);
    m_pick->addColumn(ARB::AEINH, u"je Einheit"_s);
    RecordBuffer &r = line();
    m_pick->addCopy(ARB::ABEZ, r, ANA::ANBEZ);
    m_pick->addCopy(ARB::APR, r, ANA::ANPR);
    m_pick->addCopy(ARB::AEINH, r, ANA::ANEIN);
    m_pick->addCopy(ARB::AFAKT, r, ANA::ANFAK);
    AddFileDrop(*m_pick);
}

void Updateanach::recompute()
{
    costing::LineTotal(line());
    window().redisplay();
}

int Updateanach::OnAccepted()
{
    if (event().control == kOk)
        return acceptLine();
    return LineForm::OnAccepted();
}

int Updateanach::OnFieldEvent()
{
    // Typed values count only once the price is asked for.
    if (isAccepted(event(), {kUpdatePrice}))
        window().updateFromWindow();
    if (isAccepted(event(), {kPick, kUpdatePrice}))
        recompute();
    return LineForm::OnFieldEvent();
}

// --- transport ------------------------------------------------------------------------------

Updateatran::Updateatran(AppContext &app)
    : LineForm(app,
               "Updateatran",
               caption(app,
                       QCoreApplication::translate("Form", "Adding a atran Record"),
                       QCoreApplication::translate("Form", "Changing a atran Record")),
               kTransport)
{}

Updateatran::~Updateatran() = default;

void Updateatran::FillNewRecord()
{
    LineForm::FillNewRecord();
    line().set(ATR::ATANZ, 1.0);
    line().set(ATR::ATFAK, 1.0);
}

void Updateatran::defineWindow(FormBuilder &form)
{
    form.display(kId, u"interne Nummer:"_s, ATR::ATID);
    form.display(kOrder, u"für Auftragsnummer:"_s, ATR::ATAUFID);
    addHeading(form, u"TRANSPORT - Angaben"_s);
    form.entry(kDescription, u"Wie ?"_s, ATR::ATBEZ, u"@s35"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, ATR::ATPR, u"@n10.2"_s);
    form.entry(kUnit, u"je Einheit"_s, ATR::ATEINH, u"@s12"_s);
    form.dropList(kPick, u"Schnell - Auswahl"_s);
    form.entry(kQuantity, u"Wie oft?"_s, ATR::ATANZ, u"@n_7"_s);
    form.entry(kFactor, u"Zuschlag"_s, ATR::ATFAK, u"@n_7.2"_s);
    addNote(form, u"für Überbreite /-gewicht etc."_s);
    addNote(form, u"kein Zuschlag = 1,00"_s);
    form.display(kTotal, u"Gesamtpreis/ EUR"_s, ATR::ATGPR, u"@n12.2"_s);
    form.button(kUpdatePrice, u"Preis aktualisieren"_s);
    form.okCancel(kOk, kCancel);
}

void Updateatran::setUpWindow()
{
    m_pick = std::make_unique<FileDrop>(
        *procWindow(), kPick, store().fileManager(FileId::transport), TRA::Keybez);
    m_pick->setDisplay(TRA::TBEZ, u"Transp.- Art"_s);
    m_pick->addColumn(TRA::TPR, u"Preis/ EUR"_s);
    m_pick->addColumn(TRA::TEINH, u"je Einheit"_s);
    RecordBuffer &r = line();
    m_pick->addCopy(TRA::TBEZ, r, ATR::ATBEZ);
    m_pick->addCopy(TRA::TPR, r, ATR::ATPR);
    m_pick->addCopy(TRA::TEINH, r, ATR::ATEINH);
    m_pick->addCopy(TRA::TFAK, r, ATR::ATFAK);
    AddFileDrop(*m_pick);
}

void Updateatran::recompute()
{
    costing::LineTotal(line());
    window().redisplay();
}

int Updateatran::OnAccepted()
{
    if (event().control == kOk)
        return acceptLine();
    return LineForm::OnAccepted();
}

int Updateatran::OnFieldEvent()
{
    if (isAccepted(event(), {kUpdatePrice}))
        window().updateFromWindow();
    if (isAccepted(event(), {kPrice, kPick, kFactor, kQuantity, kUpdatePrice}))
        recompute();
    return LineForm::OnFieldEvent();
}
