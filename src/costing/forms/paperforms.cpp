#include "costing/forms/paperforms.h"

#include "costing/core/lineprices.h"
#include "costing/forms/catalogueformsupport.h"
#include "framework/filedrop.h"
#include "framework/formbuilder.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;
using costingforms::addHeading;
using costingforms::addNote;
using costingforms::isBlank;

namespace {

constexpr LineRole kPaperLine{
    FileId::aufpap, APA::APID, "P", APA::APAUFID, APA::APENDPR, orders::LineKind::PaperLine};

void addQuantityNotes(FormBuilder &form)
{
    addNote(form, u"* det. Eingabe , wenn VPE abweicht von: Stück bzw. Blatt"_s);
    addNote(form, u"HINWEIS !"_s);
    addNote(
        form,
        u"Die Eingabe von  bis zu 4 Nachkomma-Stellen ermöglicht eine genaue Mengenermittlung,"_s);
    addNote(
        form,
        u"wenn die VPE z.B. in  xxx Ries angegeben wurde, wird durch die Eingabe: 0,25 dem Kunden"_s);
    addNote(form, u"nur 1/4 Ries in Rechnung gestellt."_s);
}

} // namespace

// --- paper line -----------------------------------------------------------------------------

UpdateaufpapP::UpdateaufpapP(AppContext &app)
    : LineForm(app,
               "UpdateaufpapP",
               caption(app, u"NEUE PAPIER-AUSWAHL"_s, u"ÄNDERN PAPIER-AUSWAHL"_s),
               kPaperLine)
{}

UpdateaufpapP::~UpdateaufpapP() = default;

void UpdateaufpapP::FillNewRecord()
{
    LineForm::FillNewRecord();
    line().set(APA::APKALID, records().get(KAD::KAAID));
    line().set(APA::APANZ, 1.0);
}

void UpdateaufpapP::defineWindow(FormBuilder &form)
{
    form.display(kOrder, u"für Auftragsnummer: "_s, APA::APAUFID);
    form.display(kId, u"intrene Nummer:"_s, APA::APID);
    form.entry(kName, u"   Welches Papier ?"_s, APA::APBEZ, u"@s35"_s);
    form.dropList(kPick, u"Schnell - Auswahl"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, APA::APPR, u"@n10.2"_s);
    form.entry(kUnitName, u"Einheit"_s, APA::AEINH, u"@s15"_s);
    form.entry(kPerUnit, u"VPE je"_s, APA::APVPE, u"@n_10"_s);
    form.entry(kFormat, u"Format"_s, APA::APFOR, u"@s10"_s);
    form.entry(kUnits, u"Detail f. Bogen / Ries"_s, APA::APANZ, u"@n_12.4"_s);
    form.entry(kPieces, u"Wieviel?"_s, APA::APSTCK, u"@n_10"_s);
    addQuantityNotes(form);
    form.display(kTotal, u"Gesamtpreis in EUR"_s, APA::APENDPR, u"@n12.2"_s);
    form.okCancel(kOk, kCancel);
}

void UpdateaufpapP::setUpWindow()
{
    m_pick = std::make_unique<FileDrop>(
        *procWindow(), kPick, store().fileManager(FileId::papier), PAP::Keypbez);
    m_pick->setDisplay(PAP::PBEZ, u"Papier - Bezeichng."_s);
    m_pick->addColumn(PAP::PMAX, u"Max."_s, u"@n9.1"_s);
    m_pick->addColumn(PAP::PMIN, u"Min."_s, u"@n9.1"_s);
    m_pick->addColumn(PAP::PPR, u"Preis/ EUR"_s);
    m_pick->addColumn(PAP::PGEW, u"Gewicht"_s);
    RecordBuffer &r = line();
    m_pick->addCopy(PAP::PBEZ, r, APA::APBEZ);
    m_pick->addCopy(PAP::PPR, r, APA::APPR);
    m_pick->addCopy(PAP::PVPE, r, APA::APVPE);
    m_pick->addCopy(PAP::PEIN, r, APA::AEINH);
    m_pick->addCopy(PAP::PFORM, r, APA::APFOR);
    AddFileDrop(*m_pick);
}

void UpdateaufpapP::recompute()
{
    costing::PaperPrice(line());
    window().redisplay();
}

int UpdateaufpapP::OnAccepted()
{
    if (event().control != kOk)
        return LineForm::OnAccepted();
    window().updateFromWindow();
    if (isBlank(line().get(APA::AEINH))) {
        costingforms::showCheckMessage(store().errors().presenter(),
                                       "U u p p s  !",
                                       "Bitte eine VPE Einheit|z.B.  Blatt; Bogen usw. eingeben.",
                                       MessageIcon::Question,
                                       true);
        window().select(kUnitName);
        return Level::Notify;
    }
    return acceptLine();
}

int UpdateaufpapP::OnFieldEvent()
{
    const WindowEvent &e = event();
    if (e.kind == EventKind::Accepted
        && (e.control == kPick || e.control == kPrice || e.control == kUnits
            || e.control == kPieces))
        recompute();
    return LineForm::OnFieldEvent();
}

// --- paper catalogue ------------------------------------------------------------------------

namespace {

struct SupplierFields
{
    RealField purchasePrice;
    StringField name;
    StringField phone;
    StringField fax;
    const char16_t *priceLabel;
};

constexpr SupplierFields kSupplierFields[] = {
    {PAP::PEPR1, PAP::LIEF1, PAP::LIEFTEL, PAP::LIEF1FAX, u"EK 1  Preis/ EUR"},
    {PAP::PEPR2, PAP::LIEF2, PAP::LIEF2TEL, PAP::LIEF2FAX, u"EK 2  Peis/ EUR"},
    {PAP::PEPR3, PAP::LIEF3, PAP::LIEF3TEL, PAP::LIEF3FAX, u"EK 3  Preis/ EUR"},
};

} // namespace

UpdatepapierR::UpdatepapierR(AppContext &app)
    : ProcedureController(app,
                          "UpdatepapierR",
                          LineForm::caption(app, u"Neue Papier - Sorte"_s, u"Ändern der Angaben"_s))
{
    setPrimary(FileId::papier, kOk, kCancel);
}

UpdatepapierR::~UpdatepapierR() = default;

void UpdatepapierR::FillNewRecord()
{
    records().set(PAP::IPAP, costingforms::newInternalId(app(), "R"));
}

void UpdatepapierR::defineWindow(FormBuilder &whole)
{
    // The paper on the left, its three suppliers on the right: one column would not fit a
    // laptop screen.
    std::vector<FormBuilder> columns = whole.columns(2);
    FormBuilder &form = columns[0];
    form.display(kNumber, u"interne Nummer"_s, PAP::APAP);
    form.display(kId, u"interne ID"_s, PAP::IPAP);
    form.entry(kName, u"PAPIER  Art/ Bezeichnung"_s, PAP::PBEZ, u"@s35"_s);
    form.entry(kPrice, u"VK  Preis/ EUR"_s, PAP::PPR, u"@n10.2"_s);
    form.entry(kUnitName, u"in Einheit"_s, PAP::PEIN, u"@s15"_s)
        ->setToolTip(u"Preisbezeichnung (Stck, Ries, Palette)"_s);
    addNote(form, u"( z.B. Blatt;  Ries; Bogen usw.)"_s);
    form.entry(kPerUnit, u"je VPE"_s, PAP::PVPE, u"@n_10"_s)
        ->setToolTip(u"Verpackungseinheit (2500; 1, 1000 etc.)"_s);
    form.entry(kLength, u"Maße in mm (pro Druckeinheit)   maximal"_s, PAP::PMAX, u"@n_7"_s);
    form.entry(kWidth, u"minimal"_s, PAP::PMIN, u"@n_7"_s);
    addNote(form, u"* diese Angaben sind nicht zwingend notwendig"_s);
    form.entry(kWeight, u"Gewicht"_s, PAP::PGEW, u"@s15"_s);
    FormBuilder &suppliers = columns[1];
    for (int n = 1; n <= 3; ++n) {
        const SupplierFields &s = kSupplierFields[n - 1];
        addHeading(suppliers, u"Lieferant  "_s + QString::number(n));
        suppliers.entry(
            supplierControl(n, 0), QString::fromUtf16(s.priceLabel), s.purchasePrice, u"@n10.2"_s);
        suppliers.entry(
            supplierControl(n, 1), u"Lieferant  "_s + QString::number(n), s.name, u"@s40"_s);
        suppliers.dropList(supplierControl(n, 2), u"Schnell - Auswahl  Lieferanten"_s);
        suppliers.entry(supplierControl(n, 3), u"Telefon"_s, s.phone, u"@s20"_s);
        suppliers.entry(supplierControl(n, 4), u"FAX"_s, s.fax, u"@s20"_s);
    }
    whole.okCancel(kOk, kCancel);
}

void UpdatepapierR::setUpWindow()
{
    RecordBuffer &paper = records()[FileId::papier];
    for (int n = 1; n <= 3; ++n) {
        const SupplierFields &s = kSupplierFields[n - 1];
        auto &drop = m_suppliers[static_cast<std::size_t>(n - 1)];
        drop = std::make_unique<FileDrop>(*procWindow(),
                                          supplierControl(n, 2),
                                          store().fileManager(FileId::lieferant),
                                          LIE::Keyliname);
        drop->setDisplay(LIE::LINAME, u"Lieferant"_s);
        drop->addColumn(LIE::LIPLZ, u"PLZ"_s);
        drop->addColumn(LIE::LIORT, u"Ort"_s);
        drop->addCopy(LIE::LINAME, paper, s.name);
        drop->addCopy(LIE::LITEL, paper, s.phone);
        drop->addCopy(LIE::LIFAX, paper, s.fax);
        AddFileDrop(*drop);
    }
}

int UpdatepapierR::OnFieldEvent()
{
    // The pick redisplays the whole form: what was typed elsewhere is taken first.
    const WindowEvent &e = event();
    if (e.kind == EventKind::NewSelection) {
        for (int n = 1; n <= 3; ++n) {
            if (e.control == supplierControl(n, 2))
                window().updateFromWindow();
        }
    }
    return ProcedureController::OnFieldEvent();
}

int UpdatepapierR::OnAccepted()
{
    if (event().control != kOk)
        return ProcedureController::OnAccepted();
    window().updateFromWindow();
    const RecordBuffer &paper = records()[FileId::papier];
    struct Check
    {
        bool failed;
        const char *text;
        int focus;
        bool beep;
    };
    const Check checks[] = {
        {isBlank(paper.get(PAP::PBEZ)), "Bitte die Papierbezeichnung eingeben.", kName, true},
        {paper.get(PAP::PVPE) <= 0,
         "Bitte die Verpackungseinheit|in Stück eingeben.",
         kPerUnit,
         true},
        {isBlank(paper.get(PAP::PEIN)), "Bitte die Einheit eingeben.", kUnitName, true},
        {paper.get(PAP::PPR) == 0, "Bitte den Preis eingeben.", kPrice, false},
    };
    for (const Check &check : checks) {
        if (check.failed) {
            costingforms::showCheckMessage(store().errors().presenter(),
                                           costingforms::kCatalogueTitle,
                                           check.text,
                                           MessageIcon::Warning,
                                           check.beep);
            window().select(check.focus);
            return Level::Notify;
        }
    }
    return ProcedureController::OnAccepted();
}
