#include "parties.h"

#include "entrychecks.h"
#include "invoicebuilder.h"

#include "orders/reports/documentdata.h"
#include "store/files/firma.h"
#include "store/files/kundeer.h"

#include "base/decimal.h"

namespace einvoice {
namespace {

constexpr double kDefaultVatPercent = 19;

QString text(const RecordBuffer &record, StringField field)
{
    return QString::fromStdString(record.get(field)).trimmed();
}

QString countryOr(const QString &code)
{
    return code.isEmpty() ? QStringLiteral("DE") : code;
}

} // namespace

Seller sellerFrom(const RecordBuffer &c)
{
    Seller s;
    s.name = text(c, FIR::FINAME);
    s.address.street = text(c, FIR::FISTR);
    s.address.postcode = text(c, FIR::FIPLZ);
    s.address.town = text(c, FIR::FIORT);
    s.address.country = countryOr(text(c, FIR::FILAND));
    s.vatId = compactIban(text(c, FIR::FIUSTID));
    s.taxNumber = text(c, FIR::FISTNR);
    s.registerCourt = text(c, FIR::FIREGGER);
    s.registerNumber = text(c, FIR::FIREGNR);
    s.managingDirector = text(c, FIR::FIGF);
    s.iban = compactIban(text(c, FIR::FIIBAN));
    s.bic = compactIban(text(c, FIR::FIBIC));
    s.bankName = text(c, FIR::FIBANK);
    s.contactName = text(c, FIR::FIANSP);
    s.phone = text(c, FIR::FITEL);
    s.email = text(c, FIR::FIEMAIL);
    s.electronicAddress = text(c, FIR::FIEADR);
    const double percent = c.get(FIR::FIMWST);
    s.vatPercent = percent > 0 ? percent : kDefaultVatPercent;
    return s;
}

BuyerEInvoiceData buyerDataFrom(const RecordBuffer &e)
{
    BuyerEInvoiceData b;
    b.vatId = compactIban(text(e, KER::KEUSTID));
    b.buyerReference = text(e, KER::KELEITID);
    b.email = text(e, KER::KEMAIL);
    b.country = countryOr(text(e, KER::KELAND));
    b.preferredForm = preferredForm(e);
    return b;
}

double vatFactorOf(const RecordBuffer &company)
{
    return 1 + sellerFrom(company).vatPercent / 100;
}

InvoiceForm preferredForm(const RecordBuffer &e)
{
    switch (e.get(KER::KEFORM)) {
    case KER::kFormZugferd:
        return InvoiceForm::Zugferd;
    case KER::kFormXRechnung:
        return InvoiceForm::XRechnung;
    default:
        return InvoiceForm::Paper;
    }
}

void setCompanyDefaults(RecordBuffer &company)
{
    company.set(FIR::FILAND, std::string("DE"));
    company.set(FIR::FIMWST, kDefaultVatPercent);
}

void setCustomerEInvoiceDefaults(RecordBuffer &customerEInvoice)
{
    customerEInvoice.set(KER::KELAND, std::string("DE"));
    customerEInvoice.set(KER::KEFORM, KER::kFormPaper);
}

Invoice invoiceOf(const orders::DocumentData &data, double vatFactor)
{
    Seller seller = sellerFrom(data.company);
    seller.vatPercent = rt::roundDecimal(vatFactor * 100 - 100, 2);
    return buildInvoice(data, seller, buyerDataFrom(data.customerEInvoice));
}

} // namespace einvoice
