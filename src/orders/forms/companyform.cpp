#include "orders/forms/companyform.h"

#include "orders/forms/entrychecking.h"

#include "framework/appcontext.h"
#include "framework/formbuilder.h"
#include "framework/procwindow.h"
#include "orders/core/lettersettings.h"
#include "orders/core/orderstore.h"
#include "orders/einvoice/entrychecks.h"
#include "orders/einvoice/parties.h"
#include "store/filemanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QHBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr EntryCheck kChecks[] = {
    {CompanyForm::Country, FIR::FILAND, einvoice::countryProblem},
    {CompanyForm::VatId, FIR::FIUSTID, einvoice::vatIdProblem},
    {CompanyForm::Iban, FIR::FIIBAN, einvoice::ibanProblem},
    {CompanyForm::Bic, FIR::FIBIC, einvoice::bicProblem},
    {CompanyForm::Mail, FIR::FIEMAIL, einvoice::emailProblem},
    {CompanyForm::ElectronicAddress, FIR::FIEADR, einvoice::emailProblem},
};

} // namespace

CompanyForm::CompanyForm(AppContext &app)
    : ProcedureController(app, "Updatefirma", u"FIRMENDATEN"_s)
{
    setPrimary(FileId::firma, Ok, Cancel);
}

void CompanyForm::FillNewRecord()
{
    einvoice::setCompanyDefaults(records()[FileId::firma]);
}

void CompanyForm::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    auto *top = new QWidget(window.content());
    auto *columns = new QHBoxLayout(top);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *left = new QWidget(top);
    auto *right = new QWidget(top);
    left->setMinimumWidth(380);
    right->setMinimumWidth(380);
    // Without stretch factors: equal ones would split the width in halves and cut the wider
    // column's texts; each column gets what its rows need, and more space is shared.
    columns->addWidget(left);
    columns->addWidget(right);
    form.addWidget(top);

    FormBuilder leftColumn = form.part(left);
    FormBuilder address = leftColumn.group(0, u"Anschrift"_s);
    address.entry(Name, u"Firma"_s, FIR::FINAME, u"@s60"_s);
    address.entry(Street, u"Straße"_s, FIR::FISTR, u"@s45"_s);
    address.entry(Postcode, u"PLZ"_s, FIR::FIPLZ, u"@s7"_s);
    address.entry(Town, u"Ort"_s, FIR::FIORT, u"@s45"_s);
    address.entry(Country, u"Land (ISO-Code)"_s, FIR::FILAND, u"@s2"_s);
    FormBuilder taxes = leftColumn.group(0, u"Steuer und Register"_s);
    taxes.entry(VatId, u"USt-IdNr."_s, FIR::FIUSTID, u"@s16"_s);
    taxes.entry(TaxNumber, u"Steuernummer"_s, FIR::FISTNR, u"@s20"_s);
    taxes.entry(VatRate, u"Umsatzsteuersatz (%)"_s, FIR::FIMWST, u"@n6.2"_s);
    window.setRange(VatRate, 0, 100);
    taxes.entry(RegisterCourt, u"Registergericht"_s, FIR::FIREGGER, u"@s45"_s);
    taxes.entry(RegisterNumber, u"Registernummer"_s, FIR::FIREGNR, u"@s20"_s);
    taxes.entry(ManagingDirector, u"Geschäftsführer"_s, FIR::FIGF, u"@s60"_s);

    FormBuilder rightColumn = form.part(right);
    FormBuilder bank = rightColumn.group(0, u"Bankverbindung"_s);
    bank.entry(Iban, u"IBAN"_s, FIR::FIIBAN, u"@s42"_s);
    bank.entry(Bic, u"BIC"_s, FIR::FIBIC, u"@s11"_s);
    bank.entry(Bank, u"Bank"_s, FIR::FIBANK, u"@s45"_s);
    FormBuilder contact = rightColumn.group(0, u"Kontakt"_s);
    contact.entry(Contact, u"Ansprechpartner"_s, FIR::FIANSP, u"@s45"_s);
    contact.entry(Phone, u"Telefon"_s, FIR::FITEL, u"@s20"_s);
    contact.entry(Mail, u"E-Mail"_s, FIR::FIEMAIL, u"@s70"_s);
    contact.entry(ElectronicAddress, u"E-Rechnungs-Adresse (E-Mail)"_s, FIR::FIEADR, u"@s70"_s);
    FormBuilder documents = rightColumn.group(0, u"Belege"_s);
    documents.check(
        Letterhead, u"Briefkopf und Fußzeile auf Angebote und Rechnungen drucken"_s, m_letterhead);
    form.okCancel(Ok, Cancel);
}

void CompanyForm::setUpWindow()
{
    m_letterhead = orders::letterheadPrinted(store().ini()) ? 1 : 0;
    procWindow()->redisplay(Letterhead);
}

int CompanyForm::OnAccepted()
{
    if (const int level = checkEntry(*this, kChecks, event().control); level != Level::Benign)
        return level;
    return ProcedureController::OnAccepted();
}

int CompanyForm::OnCompleted()
{
    const bool saving = REQUEST == Request::Insert || REQUEST == Request::Change;
    const int level = ProcedureController::OnCompleted();
    if (saving) {
        procWindow()->updateFromWindow(Letterhead);
        orders::setLetterheadPrinted(store().ini(), m_letterhead != 0);
    }
    return level;
}

void runCompanyForm(AppContext &app)
{
    // The one record is changed where there is one; otherwise it is made.
    const std::optional<RecordBuffer> company = orders::readCompany(app.store());
    FileManager &file = app.store().fileManager(FileId::firma);
    if (file.Open() != Level::Benign) {
        app.LastResponse = Response::Cancelled;
        return;
    }
    int request = Request::Insert;
    if (company) {
        file.BUFFER() = *company;
        if (file.FetchQuiet(FIR::Keyfiid) == Level::Benign)
            request = Request::Change;
    }
    app.LastResponse = app.call("Updatefirma", request);
    file.Close();
}
