#include "orders/forms/customerform.h"

#include "framework/formbuilder.h"
#include "framework/listcontrol.h"
#include "orders/core/customerrules.h"
#include "orders/core/orderstore.h"
#include "orders/core/turnover.h"
#include "orders/einvoice/entrychecks.h"
#include "orders/einvoice/parties.h"
#include "orders/forms/entrychecking.h"
#include "store/errormanager.h"
#include "store/filehandle.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr EntryCheck kChecks[] = {
    {CustomerForm::InvoiceVatId, KER::KEUSTID, einvoice::vatIdProblem},
    {CustomerForm::BuyerReference, KER::KELEITID, einvoice::buyerReferenceProblem},
    {CustomerForm::InvoiceMail, KER::KEMAIL, einvoice::emailProblem},
    {CustomerForm::InvoiceCountry, KER::KELAND, einvoice::countryProblem},
};

} // namespace

CustomerForm::CustomerForm(AppContext &app, Kind kind)
    : ProcedureController(
        app, kind == Kind::Main ? "Updatekunde" : "Upddrukunde", u"DATEN  KUNDE"_s)
    , m_kind(kind)
{
    setPrimary(FileId::kunde, Ok, Cancel);
    useFile(FileId::auftrag);
}

CustomerForm::~CustomerForm() = default;

void CustomerForm::FillNewRecord()
{
    records().set(KUN::KID, app().ids().next("K", KUN::KID.size, [this](const std::string &id) {
        return orders::idTaken(store(), KUN::Keyid, KUN::KID, id);
    }));
}

int CustomerForm::PrepareRequest()
{
    // The orders go with the customer: the question before says how many, and how many of
    // them were invoiced, as counted in the order file now.
    if (REQUEST == Request::Delete && DELETEACTION == 2) {
        Records &r = records();
        const std::optional<orders::CustomerOrders> counted
            = orders::countCustomerOrders(store(), r.get(KUN::KID));
        const std::string goes = counted ? orders::deletedWithCustomer(
                                     r.get(KUN::KNAME), counted->orders, counted->invoiced)
                                         : std::string();
        if (!goes.empty()) {
            if (store().errors().ReportText(MessageId::ConfirmDeleteWith, goes) != Level::Benign) {
                RESPONSE = Response::Cancelled;
                return Level::Fatal;
            }
            DELETEACTION = 4; // asked already
        }
    }
    return ProcedureController::PrepareRequest();
}

void CustomerForm::defineWindow(FormBuilder &form)
{
    ProcWindow &window = form.window();
    // Four columns side by side (address, ways to reach, delivery address, contact), so that
    // the form with its orders fits a laptop screen.
    std::vector<FormBuilder> columns = form.columns(4);
    FormBuilder &address = columns[0];
    // Names, streets and mail addresses are long: the columns are given room for them.
    address.parent()->setMinimumWidth(300);
    address.display(InternalNumber, u"interne Nummer"_s, KUN::KAID);
    address.display(Identity, u"Kunden-ID"_s, KUN::KID);
    address.entry(Name, u"Firma / Name"_s, KUN::KNAME, u"@s45"_s);
    address.entry(Attention, u"z. Hd."_s, KUN::KZHAND, u"@s45"_s);
    address.entry(Street, u"Strasse"_s, KUN::KSTR, u"@s45"_s);
    address.entry(Postcode, u"PLZ"_s, KUN::KPLZ, u"@s7"_s);
    address.entry(Place, u"Ort"_s, KUN::KORT, u"@s45"_s);
    address.entry(Discount, u"Kundenrabatt (%)"_s, KUN::KRAB, u"@n6.2"_s);
    window.setRange(Discount, 0, 100);
    FormBuilder &reach = columns[1];
    reach.parent()->setMinimumWidth(250);
    reach.entry(Phone, u"Telefon"_s, KUN::KTEL, u"@s20"_s);
    reach.entry(Fax, u"Fax"_s, KUN::KFAX, u"@s20"_s);
    reach.entry(Mobile, u"Funk"_s, KUN::KFUNK, u"@s20"_s);
    reach.entry(Mail, u"E-Mail"_s, KUN::KEMAIL, u"@s70"_s);
    reach.entry(Web, u"Internet"_s, KUN::KHTTP, u"@s60"_s);

    FormBuilder delivery = columns[2].group(0, u"Lieferanschrift"_s);
    delivery.entry(DeliveryName, u"Name "_s, KUN::LNAME, u"@s45"_s);
    delivery.entry(DeliveryAttention, u"z. Hd. "_s, KUN::LZHAND, u"@s45"_s);
    delivery.entry(DeliveryStreet, u"Strasse "_s, KUN::LSTR, u"@s45"_s);
    delivery.entry(DeliveryPostcode, u"PLZ "_s, KUN::LPLZ, u"@s7"_s);
    delivery.entry(DeliveryPlace, u"Ort "_s, KUN::LORT, u"@s45"_s);
    delivery.button(CopyAddress, u"    Kunden - Adresse  als Lieferanschrift übernehmen"_s);
    FormBuilder contact = columns[3].group(0, u"Ansprechpartner"_s);
    contact.entry(Contact, u"Name  "_s, KUN::KPERS1, u"@s45"_s);
    contact.entry(ContactPhone, u"Telefon "_s, KUN::KPTEL, u"@s20"_s);
    contact.entry(ContactMobile, u"Funk "_s, KUN::KPFUNK, u"@s20"_s);
    contact.entry(ContactFax, u"Fax "_s, KUN::KPFAX, u"@s20"_s);
    contact.entry(ContactMail, u"E-Mail "_s, KUN::KPEMAIL, u"@s70"_s);
    contact.entry(ContactBirthday, u"Geburtstag"_s, KUN::KPGEB, u"@d6"_s);

    // The e-invoice data below the delivery address, whose column is the shortest.
    defineEInvoice(columns[2]);

    FormBuilder below = form.part(new QWidget(window.content()));
    form.addWidget(below.parent());
    defineOrders(below);
    form.okCancel(Ok, Cancel);
}

void CustomerForm::defineOrders(FormBuilder &rows)
{
    ProcWindow &window = *procWindow();
    const bool main = m_kind == Kind::Main;
    const QString heading
        = main ? u" AUFTRÄGE  - Übersicht"_s : u"  Aufträge -  detail.-DRUCK - Übersicht"_s;
    rows.text(0, heading);
    auto *list = new ListControl(rows.parent());
    list->setColumns({u"Auftragsnr."_s,
                      u"Kurzbezeichng."_s,
                      u"Datum"_s,
                      u"akt. STATUS"_s,
                      u"Brutto"_s,
                      u"ANGEBOTS.-Dat."_s,
                      u"LIEFERS.-Dat."_s,
                      u"RECHNG.-Dat."_s});
    list->setNumberColumns({4});
    list->setFixedHeight(140);
    rows.addWidget(list);
    window.addControl(Orders, list, heading.trimmed());

    if (main) {
        rows.buttonRow({{OrderInsert, u"NEU Auftrag"_s},
                        {OrderChange, u"Auftrag ändern"_s},
                        {OrderDelete, u"Auftrag löschen"_s}});
    } else {
        rows.buttonRow({{OrderPrint, u" ausgewählten Auftrag            im Detail drucken"_s}});
    }
}

void CustomerForm::defineEInvoice(FormBuilder &rows)
{
    FormBuilder group = rows.group(0, u"E-Rechnung"_s);
    group.entry(InvoiceVatId, u"USt-IdNr."_s, KER::KEUSTID, u"@s16"_s);
    group.entry(BuyerReference, u"Leitweg-ID / Käuferreferenz"_s, KER::KELEITID, u"@s46"_s);
    group.entry(InvoiceMail, u"E-Mail für Rechnungen"_s, KER::KEMAIL, u"@s70"_s);
    group.entry(InvoiceCountry, u"Land (ISO-Code)"_s, KER::KELAND, u"@s2"_s);
    QComboBox *form = group.dropList(InvoiceForm, u"Rechnungsform"_s);
    form->addItem(u"Papier/PDF"_s, KER::kFormPaper);
    form->addItem(u"ZUGFeRD"_s, KER::kFormZugferd);
    form->addItem(u"XRechnung"_s, KER::kFormXRechnung);
    group.window().bind(InvoiceForm, records()[FileId::kundeer], KER::KEFORM);
}

void CustomerForm::setUpWindow()
{
    // The customer's e-invoice data, or its defaults while the customer has none. Read
    // watched, as the customer is: another station's change of either is not overwritten.
    RecordBuffer &invoiceData = records()[FileId::kundeer];
    const std::string customerId = records().get(KUN::KID);
    const std::optional<orders::WatchedEInvoice> stored
        = ORIGINALREQUEST == Request::Insert
              ? std::nullopt
              : orders::readCustomerEInvoiceWatched(store(), customerId);
    m_invoiceVersion.reset();
    if (stored) {
        invoiceData = stored->record;
        m_invoiceVersion = stored->version;
    } else {
        invoiceData.clear();
        einvoice::setCustomerEInvoiceDefaults(invoiceData);
        invoiceData.set(KER::KEKID, customerId);
    }
    m_invoiceRead = invoiceData;
    procWindow()->redisplay();

    RelationKeeper &orders = store().relations(FileId::auftrag);
    m_orderView = std::make_unique<View>(orders);
    m_orders.Init(
        *this, Orders, *m_orderView, orders, store().fileManager(FileId::auftrag), records());
    m_orders.AddSortOrder(AUF::Keykuid);
    // A new order carries the customer's identity: the range is the customer's orders.
    m_orders.AddRangeLimit(AUF::FKUID, KUN::KID);
    for (const FieldRef &column : {FieldRef(AUF::FNR),
                                   FieldRef(AUF::FKURZ),
                                   FieldRef(AUF::FDATUM),
                                   FieldRef(AUF::FSTAT),
                                   FieldRef(AUF::BRUTTO),
                                   FieldRef(AUF::FANDAT),
                                   FieldRef(AUF::FLIEFDAT),
                                   FieldRef(AUF::FREDAT)})
        m_orders.AddField(column);
    if (m_kind == Kind::Main) {
        m_orders.INSERTCONTROL = OrderInsert;
        m_orders.CHANGECONTROL = OrderChange;
        m_orders.DELETECONTROL = OrderDelete;
    } else {
        m_orders.CHANGECONTROL = OrderPrint;
    }
    m_orders.ASKPROCEDURE = 1;
    AddBrowse(m_orders);

    const QString name = QString::fromStdString(records().get(KUN::KNAME));
    if (ORIGINALREQUEST == Request::Insert)
        procWindow()->setTitle(u"NEUER KUNDE"_s + QCoreApplication::translate("Form", "  (New)"));
    else if (m_kind == Kind::Main)
        procWindow()->setTitle(u"ÄNDERN KUNDEN-DATEN"_s + u"  ("_s + name + u")"_s);
    else
        procWindow()->setTitle(u"KUNDEN-detail.Druck- DATEN"_s + u"  ("_s + name + u")"_s);
}

int CustomerForm::RunProcedure(int number, int request)
{
    if (number != 1)
        return Response::Cancelled;
    return app().call(m_kind == Kind::Main ? "Updateauftrag" : "Upddruauftrag", request);
}

int CustomerForm::OnAccepted()
{
    if (event().control == CopyAddress && !window().isValidating()) {
        // What is typed into the address counts, saved or not.
        procWindow()->updateFromWindow();
        orders::copyAddressToDelivery(records());
        procWindow()->redisplay();
        return Level::Notify;
    }
    if (const int level = checkEntry(*this, kChecks, event().control); level != Level::Benign)
        return level;
    return ProcedureController::OnAccepted();
}

int CustomerForm::OnCompleted()
{
    if (REQUEST == Request::Insert || REQUEST == Request::Change) {
        if (orders::customerNameMissing(records()))
            return refuseEntry("Bitte den Namen des Kunden eingeben", Name);
        orders::fillDeliveryAddress(records());
        // The turnover is the documents' and never typed: the record read when the form
        // opened may be behind a document printed since.
        if (const std::optional<orders::Turnover> turnover
            = orders::customerTurnover(store(), records().get(KUN::KID)))
            orders::setTurnover(records()[FileId::kunde], *turnover);
        procWindow()->redisplay();
    }
    return ProcedureController::OnCompleted();
}

WindowController::Companion CustomerForm::CompanionRecord()
{
    if (REQUEST != Request::Insert && REQUEST != Request::Change)
        return {};
    // Written with the customer: data of a customer that was not saved would belong to
    // nobody, and a customer saved without the data the user gave would not be what the
    // user confirmed.
    RecordBuffer &invoiceData = records()[FileId::kundeer];
    invoiceData.set(KER::KEKID, records().get(KUN::KID));
    Companion companion;
    companion.changed = REQUEST == Request::Insert || !(invoiceData == m_invoiceRead);
    if (!companion.changed)
        return companion;
    companion.write = orders::customerEInvoiceWrite(store(), invoiceData, m_invoiceVersion);
    companion.write.write = [this, write = std::move(companion.write.write)] {
        const int level = write();
        FileManager &file = store().fileManager(FileId::kundeer);
        // Another station's change is now shown, and is what the next save starts from.
        if (level != Level::Benign && (file.lastError() == 6 || file.lastError() == 7)) {
            m_invoiceRead = file.BUFFER();
            m_invoiceVersion = file.handle().version();
        }
        return level;
    };
    return companion;
}
