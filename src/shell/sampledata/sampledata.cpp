#include "sampledata.h"

#include "samplecatalogue.h"

#include "base/decimal.h"
#include "base/idbuilder.h"
#include "costing/core/machinecatalogue.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <filesystem>
#include <string>

namespace sampledata {
namespace {

constexpr std::size_t kIdWidth = 14;

// Writes the records of one file the way its catalogue form does: a new record numbered by
// the file's automatic key, the fields, then the insert. Failures are shown by the record
// store's own messages.
class FileWriter
{
public:
    FileWriter(StoreContext &store, FileId file)
        : m_manager(store.fileManager(file))
    {
        m_manager.Open();
    }
    ~FileWriter() { m_manager.Close(); }
    FileWriter(const FileWriter &) = delete;
    FileWriter &operator=(const FileWriter &) = delete;

    template<typename Fill>
    bool add(Fill &&fill)
    {
        if (m_manager.PrepareNewRecord() != Level::Benign)
            return false;
        fill(m_manager.BUFFER());
        if (m_manager.Insert() == Level::Benign)
            return true;
        // The numbered placeholder must not stay behind as an empty record.
        m_manager.CancelNumbering();
        return false;
    }

private:
    FileManager &m_manager;
};

// Each catalogue's rows in one file; false at the first record that could not be written.
template<typename Rows, typename Fill>
bool addAll(StoreContext &store, FileId file, const Rows &rows, Fill &&fill)
{
    FileWriter writer(store, file);
    for (const auto &row : rows) {
        if (!writer.add([&](RecordBuffer &r) { fill(r, row); }))
            return false;
    }
    return true;
}

bool addSuppliers(StoreContext &store, rt::IdBuilder &ids)
{
    return addAll(store, FileId::lieferant, kSuppliers, [&](RecordBuffer &r, const SupplierRow &s) {
        r.set(LIE::LIIAD, ids.next("L", kIdWidth));
        r.set(LIE::LINAME, s.name);
        r.set(LIE::LIZHD, s.attention);
        r.set(LIE::LISTR, s.street);
        r.set(LIE::LIPLZ, s.postcode);
        r.set(LIE::LIORT, s.town);
        r.set(LIE::LITEL, s.phone);
        r.set(LIE::LIFAX, s.fax);
        r.set(LIE::LIFUNK, s.mobile);
        r.set(LIE::LIEMAIL, s.email);
        r.set(LIE::LIHTTP, s.web);
    });
}

bool addMachines(StoreContext &store, rt::IdBuilder &ids)
{
    return addAll(store, FileId::maschin, kMachines, [&](RecordBuffer &r, const MachineRow &m) {
        r.set(MAS::MID, ids.next("M", kIdWidth));
        r.set(MAS::MBEZ, m.name);
        costing::applySheetFormat(r, m.format);
        if (m.length > 0) {
            r.set(MAS::MMAX, m.length);
            r.set(MAS::MMIN, m.width);
        }
        r.set(MAS::MFARB, m.colours);
        r.set(MAS::DZMAX, m.fastest);
        r.set(MAS::DZMIN, m.slowest);
        r.set(MAS::MDRPR, m.pricePerPrint);
        r.set(MAS::MFARBW, m.colourChangePrice);
        r.set(MAS::DZFARB, m.colourChangeMinutes);
        r.set(MAS::DZEINRIC, m.setUpMinutes);
        costing::acceptMachine(r);
    });
}

// The paper's suppliers are copied by name, phone and fax, as the supplier pick does.
bool addPapers(StoreContext &store, rt::IdBuilder &ids)
{
    return addAll(store, FileId::papier, kPapers, [&](RecordBuffer &r, const PaperRow &p) {
        r.set(PAP::IPAP, ids.next("R", kIdWidth));
        r.set(PAP::PBEZ, p.name);
        r.set(PAP::PPR, p.price);
        r.set(PAP::PVPE, p.perUnit);
        r.set(PAP::PEIN, p.unit);
        r.set(PAP::PMAX, p.length);
        r.set(PAP::PMIN, p.width);
        r.set(PAP::PFORM, p.format);
        r.set(PAP::PGEW, p.weight);
        if (p.supplier >= 0) {
            const SupplierRow &s = kSuppliers[p.supplier];
            r.set(PAP::PEPR1, p.purchasePrice);
            r.set(PAP::LIEF1, s.name);
            r.set(PAP::LIEFTEL, s.phone);
            r.set(PAP::LIEF1FAX, s.fax);
        }
        if (p.secondSupplier >= 0) {
            const SupplierRow &s = kSuppliers[p.secondSupplier];
            r.set(PAP::PEPR2, p.secondPurchasePrice);
            r.set(PAP::LIEF2, s.name);
            r.set(PAP::LIEF2TEL, s.phone);
            r.set(PAP::LIEF2FAX, s.fax);
        }
    });
}

bool addTypesetting(StoreContext &store, rt::IdBuilder &ids)
{
    return addAll(store, FileId::satz, kTypesetting, [&](RecordBuffer &r, const ServiceRow &s) {
        r.set(SAT::SID, ids.next("Z", kIdWidth));
        r.set(SAT::SBEZ, s.name);
        r.set(SAT::SEINH, s.unit);
        r.set(SAT::SFAK, s.factor);
        r.set(SAT::SPR, s.price);
    });
}

bool addWork(StoreContext &store, rt::IdBuilder &ids)
{
    return addAll(store, FileId::arbeit, kWork, [&](RecordBuffer &r, const ServiceRow &s) {
        r.set(ARB::AID, ids.next("A", kIdWidth));
        r.set(ARB::ABEZ, s.name);
        r.set(ARB::APR, s.price);
        r.set(ARB::AEINH, s.unit);
        r.set(ARB::AFAKT, s.factor);
        r.set(ARB::AZEIT, s.minutes);
    });
}

// The transport catalogue has no internal id.
bool addTransport(StoreContext &store)
{
    return addAll(store, FileId::transport, kTransport, [](RecordBuffer &r, const ServiceRow &s) {
        r.set(TRA::TBEZ, s.name);
        r.set(TRA::TPR, s.price);
        r.set(TRA::TEINH, s.unit);
        r.set(TRA::TFAK, s.factor);
    });
}

bool addTexts(StoreContext &store)
{
    return addAll(store, FileId::text, kTexts, [](RecordBuffer &r, const TextRow &t) {
        r.set(TEX::TKEN, t.kind);
        r.set(TEX::TERL, t.shortName);
        r.set(TEX::TX1, t.line1);
        r.set(TEX::TX2, t.line2);
        r.set(TEX::SKOPR, t.skontoPercent);
        r.set(TEX::SKTAGE, t.skontoDays);
        r.set(TEX::ZAZIEL, t.paymentDays);
    });
}

void fillCustomer(RecordBuffer &r, const CustomerRow &c, const std::string &id)
{
    r.set(KUN::KID, id);
    r.set(KUN::KNAME, c.name);
    r.set(KUN::KZHAND, c.attention);
    r.set(KUN::KSTR, c.street);
    r.set(KUN::KPLZ, c.postcode);
    r.set(KUN::KORT, c.town);
    r.set(KUN::KRAB, c.discountPercent);
    r.set(KUN::KTEL, c.phone);
    r.set(KUN::KFAX, c.fax);
    r.set(KUN::KFUNK, c.mobile);
    r.set(KUN::KEMAIL, c.email);
    r.set(KUN::KHTTP, c.web);
    r.set(KUN::LNAME, c.deliveryName.empty() ? c.name : c.deliveryName);
    r.set(KUN::LZHAND, c.deliveryName.empty() ? c.attention : c.deliveryAttention);
    r.set(KUN::LSTR, c.deliveryName.empty() ? c.street : c.deliveryStreet);
    r.set(KUN::LPLZ, c.deliveryName.empty() ? c.postcode : c.deliveryPostcode);
    r.set(KUN::LORT, c.deliveryName.empty() ? c.town : c.deliveryTown);
    r.set(KUN::KPERS1, c.contact);
    r.set(KUN::KPTEL, c.contactPhone);
    r.set(KUN::KPFUNK, c.contactMobile);
    r.set(KUN::KPFAX, c.contactFax);
    r.set(KUN::KPEMAIL, c.contactEmail);
    if (c.contactBirthYear > 0)
        r.set(KUN::KPGEB,
              rt::dateFromYmd(c.contactBirthYear, c.contactBirthMonth, c.contactBirthDay));
}

bool addCustomer(StoreContext &store, rt::IdBuilder &ids)
{
    const CustomerRow customers[] = {kCustomer};
    return addAll(store, FileId::kunde, customers, [&](RecordBuffer &r, const CustomerRow &c) {
        fillCustomer(r, c, ids.next("K", kIdWidth));
    });
}

bool addCompany(StoreContext &store)
{
    const CompanyRow rows[] = {kCompany};
    return addAll(store, FileId::firma, rows, [](RecordBuffer &r, const CompanyRow &c) {
        r.set(FIR::FINAME, c.name);
        r.set(FIR::FISTR, c.street);
        r.set(FIR::FIPLZ, c.postcode);
        r.set(FIR::FIORT, c.town);
        r.set(FIR::FILAND, c.country);
        r.set(FIR::FIUSTID, c.vatId);
        r.set(FIR::FISTNR, c.taxNumber);
        r.set(FIR::FIREGGER, c.registerCourt);
        r.set(FIR::FIREGNR, c.registerNumber);
        r.set(FIR::FIGF, c.managingDirector);
        r.set(FIR::FIIBAN, c.iban);
        r.set(FIR::FIBIC, c.bic);
        r.set(FIR::FIBANK, c.bank);
        r.set(FIR::FIANSP, c.contact);
        r.set(FIR::FITEL, c.phone);
        r.set(FIR::FIEMAIL, c.email);
        r.set(FIR::FIEADR, c.electronicAddress);
        r.set(FIR::FIMWST, c.vatPercent);
    });
}

double cents(double euros)
{
    return rt::roundDecimal(euros, 2);
}

// The order's sums as the order form keeps them for its one calculation: net, the customer
// discount off it, VAT at the shop's rate, and the amount left after Skonto.
void fillOrderSums(RecordBuffer &r, const EInvoiceCustomerRow &e)
{
    const double net = cents(e.printPrice + e.paperPrice + e.typesettingPrice);
    const double discounted = cents(net - net / 100 * e.customer.discountPercent);
    const double gross = cents(discounted * (1 + kCompany.vatPercent / 100));
    r.set(AUF::DRUCPR, e.printPrice);
    r.set(AUF::PAPPR, e.paperPrice);
    r.set(AUF::SATZPR, e.typesettingPrice);
    r.set(AUF::NETTO, net);
    r.set(AUF::FRABATT, e.customer.discountPercent);
    r.set(AUF::RABPREIS, discounted);
    r.set(AUF::BRUTTO, gross);
    r.set(AUF::MWST, gross - discounted);
    r.set(AUF::SKPROZ, e.skontoPercent);
    r.set(AUF::SKONTAGE, e.skontoDays);
    r.set(AUF::ZAZTAGE, e.paymentDays);
    if (e.skontoPercent > 0)
        r.set(AUF::SKONPREIS, cents(gross - gross / 100 * e.skontoPercent));
}

// Each customer with its e-invoice data and its invoiced order of one print calculation.
bool addEInvoiceCustomers(StoreContext &store, rt::IdBuilder &ids)
{
    FileWriter customers(store, FileId::kunde);
    FileWriter einvoice(store, FileId::kundeer);
    FileWriter orders(store, FileId::auftrag);
    FileWriter calculations(store, FileId::kaldruck);
    for (const EInvoiceCustomerRow &e : kEInvoiceCustomers) {
        const std::string customerId = ids.next("K", kIdWidth);
        const std::string orderId = ids.next("F", kIdWidth);
        const rt::StdDate invoiced = rt::dateFromYmd(e.invoiceYear, e.invoiceMonth, e.invoiceDay);
        const bool written = customers.add([&](RecordBuffer &r) {
            fillCustomer(r, e.customer, customerId);
        }) && einvoice.add([&](RecordBuffer &r) {
            r.set(KER::KEKID, customerId);
            r.set(KER::KEUSTID, e.vatId);
            r.set(KER::KELEITID, e.buyerReference);
            r.set(KER::KEMAIL, e.invoiceEmail);
            r.set(KER::KELAND, e.country);
            r.set(KER::KEFORM, e.form);
        }) && orders.add([&](RecordBuffer &r) {
            r.set(AUF::FID, orderId);
            r.set(AUF::FNR, e.orderNumber);
            r.set(AUF::FKUID, customerId);
            // The order's copy of the address, as the order form keeps it.
            r.set(AUF::FNAME, e.customer.name);
            r.set(AUF::FSTR, e.customer.street);
            r.set(AUF::FPLZ, e.customer.postcode);
            r.set(AUF::FORT, e.customer.town);
            r.set(AUF::FKURZ, e.subject);
            r.set(AUF::FSTAT, std::string("RECHNUNG"));
            r.set(AUF::FDATUM, invoiced - 14);
            r.set(AUF::FLIEFDAT, invoiced - 2);
            r.set(AUF::FREDAT, invoiced);
            r.set(AUF::FRENR, e.invoiceNumber);
            r.set(AUF::TEREC1, e.paymentText);
            fillOrderSums(r, e);
        }) && calculations.add([&](RecordBuffer &r) {
            r.set(KAD::KAAID, ids.next("K", kIdWidth));
            r.set(KAD::KAUFID, orderId);
            r.set(KAD::KABEZ, e.calculation);
            r.set(KAD::KAALGES, e.run);
            r.set(KAD::KADRPR, e.printPrice);
            r.set(KAD::APENDPR, e.paperPrice);
            r.set(KAD::ASGPR, e.typesettingPrice);
            r.set(KAD::KGESAMTPR, cents(e.printPrice + e.paperPrice + e.typesettingPrice));
        });
        if (!written)
            return false;
    }
    return true;
}

// The order form records the last document numbers in the master record but never creates
// it; without it a new shop's first quote number would be lost.
bool addMasterRecord(StoreContext &store)
{
    FileWriter writer(store, FileId::stamm);
    return writer.add([](RecordBuffer &) {});
}

} // namespace

bool hasRecordFiles(const Engine &engine)
{
    for (FileId file : StoreContext::fileOrder()) {
        if (engine.exists(file))
            return true;
    }
    return false;
}

FillResult fillSampleData(StoreContext &store)
{
    if (hasRecordFiles(store.engine()))
        return FillResult::FolderInUse;
    rt::IdBuilder ids;
    const bool filled = addSuppliers(store, ids) && addMachines(store, ids) && addPapers(store, ids)
                        && addTypesetting(store, ids) && addWork(store, ids) && addTransport(store)
                        && addTexts(store) && addCustomer(store, ids) && addMasterRecord(store)
                        && addCompany(store) && addEInvoiceCustomers(store, ids);
    return filled ? FillResult::Filled : FillResult::Failed;
}

} // namespace sampledata
