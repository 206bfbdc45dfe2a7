#include "costing/forms/catalogueforms.h"

#include "costing/core/machinecatalogue.h"
#include "costing/forms/catalogueformsupport.h"
#include "framework/formbuilder.h"
#include "framework/radiogroup.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QCoreApplication>
#include <QFormLayout>

using namespace Qt::Literals::StringLiterals;
using costingforms::addHeading;
using costingforms::addNote;
using costingforms::isBlank;

CatalogueForm::CatalogueForm(AppContext &app,
                             std::string name,
                             FileId file,
                             const QString &insertCaption,
                             const QString &changeCaption)
    : ProcedureController(
        app, std::move(name), app.PendingRequest == Request::Insert ? insertCaption : changeCaption)
{
    setPrimary(file, kOk, kCancel);
}

int CatalogueForm::refuse(const char *text, int focus)
{
    notice(text);
    window().select(focus);
    return Level::Notify;
}

void CatalogueForm::notice(const char *text)
{
    costingforms::showCheckMessage(store().errors().presenter(),
                                   costingforms::kCatalogueTitle,
                                   text,
                                   MessageIcon::Warning,
                                   true);
}

// --- machines -------------------------------------------------------------------------------

Updatemaschin::Updatemaschin(AppContext &app)
    : CatalogueForm(
        app, "Updatemaschin", FileId::maschin, u"NEUE Druckmaschine"_s, u"ÄNDERN der Angaben"_s)
{}

void Updatemaschin::FillNewRecord()
{
    records().set(MAS::MID, costingforms::newInternalId(app(), "M"));
    records().set(MAS::MFARB, 1.0);
}

void Updatemaschin::defineWindow(FormBuilder &form)
{
    addHeading(form, u"ÜBERSICHT - ANGABEN zur Druckmaschine"_s);
    form.display(kId, u"interne Nummer: "_s, MAS::MID);
    form.entry(kName, u"Bezeichnung"_s, MAS::MBEZ, u"@s22"_s);
    auto *formats = new RadioGroup(u"Format"_s, form.window().content());
    formats->setHorizontal();
    for (const costing::SheetFormat &format : costing::sheetFormats()) {
        const QString name
            = QString::fromLatin1(format.name.data(), static_cast<qsizetype>(format.name.size()));
        formats->addOption(name, std::string(format.name));
    }
    form.rows()->addRow(formats);
    form.window().addControl(kFormat, formats, u"Format"_s);
    form.window().bind(kFormat, records()[FileId::maschin], MAS::MFORM);
    form.entry(kLength, u"(ohne Anschnitt)  Drucklänge max."_s, MAS::MMAX, u"@n_7"_s);
    form.entry(kWidth, u"(ohne Anschnitt)   Druckbreite max."_s, MAS::MMIN, u"@n_7"_s);
    form.entry(kColours, u"Anzahl der Farben"_s, MAS::MFARB, u"@n_3"_s);
    form.entry(kFastest, u"Anzahl der Drucke pro Stunde (max.)"_s, MAS::DZMAX, u"@n_9"_s);
    form.entry(kSlowest, u"Anzahl der Drucke pro Stunde (min.)"_s, MAS::DZMIN, u"@n_9"_s);
    form.display(kAverage, u"Anzahl Drucke/ h  rechn. Mittel"_s, MAS::DZMITTEL, u"@n_9.1"_s);
    form.display(kFactorMax, u"Faktor (max.)"_s, MAS::DZMAXFA, u"@n_7.3"_s);
    form.display(kFactorMean, u"Faktor (mittel)"_s, MAS::DZMITFAK, u"@n_7.3"_s);
    form.display(kFactorMin, u"Faktor (min.)"_s, MAS::DZMINFA, u"@n_7.3"_s);
    form.entry(kSetUp, u"Zeit: Druckplatteneinrichtg./min."_s, MAS::DZEINRIC, u"@n_7.2"_s);
    form.entry(kPricePerPrint, u"Preis/ EUR pro Druck"_s, MAS::MDRPR, u"@n_10.4"_s);
    form.entry(kColourChangePrice, u"Preis/ EUR pro Farbwechsel"_s, MAS::MFARBW, u"@n10.2"_s);
    form.entry(
        kColourChangeMinutes, u"Zeit für Farbwechsel in Minuten"_s, MAS::DZFARB, u"@n_7.2"_s);
    form.okCancel(kOk, kCancel);
}

int Updatemaschin::OnFieldEvent()
{
    const WindowEvent &e = event();
    RecordBuffer &machine = records()[FileId::maschin];
    if (e.kind == EventKind::Accepted) {
        // Going through the fields on OK must not undo sizes typed over the format's own.
        if (e.control == kFormat && !window().isValidating()) {
            costing::applySheetFormat(machine, machine.get(MAS::MFORM));
            window().redisplay();
        } else if (e.control == kFastest || e.control == kSlowest) {
            costing::deriveMachineSpeeds(machine);
            window().redisplay();
        }
    }
    return CatalogueForm::OnFieldEvent();
}

int Updatemaschin::OnAccepted()
{
    if (event().control == kOk) {
        window().updateFromWindow();
        costing::acceptMachine(records()[FileId::maschin]);
        window().redisplay();
    }
    return CatalogueForm::OnAccepted();
}

// --- additional work ------------------------------------------------------------------------

UpdatearbeitA::UpdatearbeitA(AppContext &app)
    : CatalogueForm(app, "UpdatearbeitA", FileId::arbeit, u"NEU"_s, u"ÄNDERN"_s)
{}

void UpdatearbeitA::FillNewRecord()
{
    records().set(ARB::AID, costingforms::newInternalId(app(), "A"));
}

void UpdatearbeitA::defineWindow(FormBuilder &form)
{
    addHeading(form, u"ANGABEN - STAMMDATEN"_s);
    form.display(kId, u"interne Nummer:"_s, ARB::AID);
    form.entry(kDescription, u"Tätigkeits-  Beschreibung (z.B. Schneiden)"_s, ARB::ABEZ, u"@s35"_s);
    addNote(form, u"ACHTUNG!   doppelte Tätigkeits- Beschreibungen sind nicht erlaubt !"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, ARB::APR, u"@n10.2"_s);
    form.entry(kUnit, u"je Einheit"_s, ARB::AEINH, u"@s12"_s);
    form.entry(kMinutes, u"benötigte Zeit in Minuten"_s, ARB::AZEIT, u"@n_7.2"_s);
    form.entry(kFactor, u"Faktor"_s, ARB::AFAKT, u"@n_7.2"_s);
    addNote(form, u"Schwierigkeitsgrad   -   Normal --> Faktor = 1"_s);
    form.okCancel(kOk, kCancel);
}

int UpdatearbeitA::OnAccepted()
{
    if (event().control != kOk)
        return CatalogueForm::OnAccepted();
    window().updateFromWindow();
    RecordBuffer &work = records()[FileId::arbeit];
    if (isBlank(work.get(ARB::ABEZ)))
        return refuse("Bitte die Tätigkeitsbeschreibung eingeben.", kDescription);
    if (isBlank(work.get(ARB::AEINH)))
        return refuse("Bitte die Einheit, die der Tätigkeit|zu Grunde liegt (z.B.  je 1000 "
                      "Stck..)|  eingeben.",
                      kUnit);
    if (work.get(ARB::AZEIT) == 0)
        return refuse("Bitte die benötigte Zeit in Minuten eingeben.", kMinutes);
    if (work.get(ARB::AFAKT) == 0) {
        notice("Faktor kann NICHT 0 sein.| wird autom. auf 1 gesetzt.");
        work.set(ARB::AFAKT, 1.0);
        window().redisplay();
    }
    return CatalogueForm::OnAccepted();
}

// --- typesetting and processing ------------------------------------------------------------

Updatesatz::Updatesatz(AppContext &app)
    : CatalogueForm(app, "Updatesatz", FileId::satz, u"NEU"_s, u"ÄNDERN"_s)
{}

void Updatesatz::FillNewRecord()
{
    records().set(SAT::SID, costingforms::newInternalId(app(), "Z"));
    records().set(SAT::SFAK, 1.0);
}

void Updatesatz::defineWindow(FormBuilder &form)
{
    addHeading(form, u"ANGABEN"_s);
    form.display(kId, u"interne Nummer:"_s, SAT::SID);
    form.entry(kDescription, u"Satz- / Druckvorstufe  Tätigkeit:"_s, SAT::SBEZ, u"@s35"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, SAT::SPR, u"@n10.2"_s);
    form.entry(kUnit, u"je Einheit"_s, SAT::SEINH, u"@s12"_s);
    form.entry(kFactor, u"Schwierigkeitsgrad   Faktor"_s, SAT::SFAK, u"@n_7.2"_s);
    addNote(form, u"Normal  -->  Faktor = 1"_s);
    form.okCancel(kOk, kCancel);
}

int Updatesatz::OnAccepted()
{
    if (event().control != kOk)
        return CatalogueForm::OnAccepted();
    window().updateFromWindow();
    RecordBuffer &activity = records()[FileId::satz];
    if (isBlank(activity.get(SAT::SBEZ)))
        return refuse("Bitte die Tätigkeitsbeschreibung eingeben.", kDescription);
    if (isBlank(activity.get(SAT::SEINH)))
        return refuse("Bitte die Einheit eingeben.", kUnit);
    if (activity.get(SAT::SFAK) == 0) {
        notice("Faktor = 0  NICHT möglich.|| ( autom. auf 1 gesetzt)");
        activity.set(SAT::SFAK, 1.0);
        window().redisplay();
    }
    return CatalogueForm::OnAccepted();
}

// --- transport kinds ------------------------------------------------------------------------

Updatetransport::Updatetransport(AppContext &app)
    : CatalogueForm(app, "Updatetransport", FileId::transport, u"NEU"_s, u"ÄNDERN"_s)
{}

void Updatetransport::FillNewRecord()
{
    records().set(TRA::TFAK, 1.0);
}

void Updatetransport::defineWindow(FormBuilder &form)
{
    addHeading(form, u" ANGABEN "_s);
    form.entry(kDescription, u"Transportkosten - Bezeichnung"_s, TRA::TBEZ, u"@s35"_s);
    addNote(form, u"ACHTUNG!  doppelte Transportkosten - Bezeichnungen sind nicht erlaubt !"_s);
    form.entry(kPrice, u"Preis/ EUR"_s, TRA::TPR, u"@n10.2"_s);
    form.entry(kUnit, u"je Einheit"_s, TRA::TEINH, u"@s12"_s);
    form.entry(kFactor, u"Zuschlags-  Faktor"_s, TRA::TFAK, u"@n_7.2"_s);
    addNote(form, u"kein Zuschlag  Faktor = 1"_s);
    addNote(form, u"(Zuschlag für  z.B. Übermaß; Mehrgewicht  etc.)"_s);
    form.okCancel(kOk, kCancel);
}

int Updatetransport::OnAccepted()
{
    if (event().control != kOk)
        return CatalogueForm::OnAccepted();
    window().updateFromWindow();
    RecordBuffer &kind = records()[FileId::transport];
    if (isBlank(kind.get(TRA::TBEZ)))
        return refuse("Bitte die Transportart eingeben.", kDescription);
    if (isBlank(kind.get(TRA::TEINH)))
        return refuse("Transportart gilt für ?|  Bitte  je Einheit   eingeben.", kUnit);
    if (kind.get(TRA::TFAK) == 0) {
        notice("Faktor = 0  NICHT möglich.|| ( autom. auf 1 gesetzt)");
        kind.set(TRA::TFAK, 1.0);
        window().redisplay();
    }
    return CatalogueForm::OnAccepted();
}

// --- suppliers ------------------------------------------------------------------------------

updatlief::updatlief(AppContext &app)
    : CatalogueForm(app,
                    "updatlief",
                    FileId::lieferant,
                    QCoreApplication::translate("Form", "Adding a lieferant Record"),
                    QCoreApplication::translate("Form", "Changing a lieferant Record"))
{}

void updatlief::FillNewRecord()
{
    records().set(LIE::LIIAD, costingforms::newInternalId(app(), "L"));
}

void updatlief::defineWindow(FormBuilder &form)
{
    addHeading(form, u"LIEFERANTEN - ANGABEN"_s);
    form.display(kId, u"interne Nummer"_s, LIE::LIIAD);
    form.entry(kName, u"Lieferant ( Kirma/ Name)"_s, LIE::LINAME, u"@s45"_s);
    form.entry(2, u"Ansprechpartner / z.Hd."_s, LIE::LIZHD);
    form.entry(3, u"Strasse"_s, LIE::LISTR);
    form.entry(4, u"PLZ"_s, LIE::LIPLZ);
    form.entry(5, u"Ort"_s, LIE::LIORT);
    form.entry(6, u"Telefon"_s, LIE::LITEL);
    form.entry(7, u"FAX"_s, LIE::LIFAX);
    form.entry(8, u"Funk"_s, LIE::LIFUNK);
    form.entry(9, u"Email"_s, LIE::LIEMAIL);
    form.entry(10, u"(Internet)"_s, LIE::LIHTTP);
    form.okCancel(kOk, kCancel);
}

int updatlief::OnAccepted()
{
    if (event().control != kOk)
        return CatalogueForm::OnAccepted();
    window().updateFromWindow();
    if (isBlank(records().get(LIE::LINAME)))
        return refuse("Bitte die Lieferant ( Firma/ Name) eingeben.", kName);
    return CatalogueForm::OnAccepted();
}
