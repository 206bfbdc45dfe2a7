// The shop's own data and the customers' e-invoice data: their record files, how an invoice
// reads them, and how the customer form's data is written.

#include "orders/core/orderstore.h"
#include "orders/einvoice/parties.h"
#include "orders/reports/documentloader.h"
#include "support/orderfamily.h"

#include <gtest/gtest.h>

using namespace orderfamily;

namespace {

void company(StoreFixture &t, double vatPercent)
{
    t.add(FileId::firma, [&](Records &r) {
        r.set(FIR::FINAME, "Druckerei Sonnenschein GmbH");
        r.set(FIR::FISTR, "Rheinhafenstraße 12");
        r.set(FIR::FIPLZ, "76189");
        r.set(FIR::FIORT, "Karlsruhe");
        r.set(FIR::FIUSTID, "DE 287654321");
        r.set(FIR::FIIBAN, "DE20 6605 0101 0012 3456 78");
        r.set(FIR::FIMWST, vatPercent);
    });
}

} // namespace

TEST(Parties, FilesAreMadeWhenMissingAndAbsentRecordsReadAsDefaults)
{
    StoreFixture t;
    customer(t, "K1", "Bäckerei Brot & Zeit");
    order(t, "F1", "K1", "A-1");
    EXPECT_FALSE(t.exists(FileId::firma));
    EXPECT_FALSE(t.exists(FileId::kundeer));

    const std::optional<orders::DocumentData> data = orders::loadDocumentData(*t.store, "F1");
    ASSERT_TRUE(data);
    EXPECT_TRUE(t.exists(FileId::firma));
    EXPECT_TRUE(t.exists(FileId::kundeer));

    const einvoice::Seller seller = einvoice::sellerFrom(data->company);
    EXPECT_TRUE(seller.name.isEmpty());
    EXPECT_EQ(seller.address.country, QStringLiteral("DE"));
    EXPECT_EQ(seller.vatPercent, 19);
    const einvoice::BuyerEInvoiceData buyer = einvoice::buyerDataFrom(data->customerEInvoice);
    EXPECT_EQ(buyer.country, QStringLiteral("DE"));
    EXPECT_EQ(buyer.preferredForm, einvoice::InvoiceForm::Paper);
    EXPECT_DOUBLE_EQ(einvoice::vatFactorOf(data->company), 1.19);
}

TEST(Parties, TheInvoiceNamesTheShopAndTheCustomersData)
{
    StoreFixture t;
    company(t, 7);
    customer(t, "K1", "Stadt Bruchsal");
    customer(t, "K2", "Weingut Keller");
    order(t, "F1", "K1", "A-1");
    RecordBuffer data(FileId::kundeer);
    data.set(KER::KEKID, "K1");
    data.set(KER::KELEITID, "991-33333TEST-33");
    data.set(KER::KEMAIL, "e-rechnung@bruchsal.example");
    data.set(KER::KEFORM, KER::kFormXRechnung);
    ASSERT_EQ(orders::saveCustomerEInvoice(*t.store, data), Level::Benign);
    RecordBuffer other(FileId::kundeer);
    other.set(KER::KEKID, "K2");
    other.set(KER::KEFORM, KER::kFormZugferd);
    ASSERT_EQ(orders::saveCustomerEInvoice(*t.store, other), Level::Benign);

    const std::optional<orders::DocumentData> loaded = orders::loadDocumentData(*t.store, "F1");
    ASSERT_TRUE(loaded);
    const einvoice::Invoice invoice = einvoice::invoiceOf(*loaded, 1.07);
    EXPECT_EQ(invoice.seller.name, QStringLiteral("Druckerei Sonnenschein GmbH"));
    EXPECT_EQ(invoice.seller.address.street, QStringLiteral("Rheinhafenstraße 12"));
    EXPECT_EQ(invoice.seller.vatId, QStringLiteral("DE287654321"));
    EXPECT_EQ(invoice.seller.iban, QStringLiteral("DE20660501010012345678"));
    EXPECT_EQ(invoice.seller.vatPercent, 7);
    EXPECT_EQ(invoice.buyer.name, QStringLiteral("Stadt Bruchsal"));
    EXPECT_EQ(invoice.buyer.einvoice.buyerReference, QStringLiteral("991-33333TEST-33"));
    EXPECT_EQ(invoice.buyer.einvoice.email, QStringLiteral("e-rechnung@bruchsal.example"));
    EXPECT_EQ(invoice.buyer.einvoice.preferredForm, einvoice::InvoiceForm::XRechnung);
    EXPECT_DOUBLE_EQ(einvoice::vatFactorOf(loaded->company), 1.07);
}

TEST(Parties, SavingTheCustomersDataTwiceKeepsOneRecord)
{
    StoreFixture t;
    customer(t, "K1", "Stadt Bruchsal");
    RecordBuffer data(FileId::kundeer);
    data.set(KER::KEKID, "K1");
    data.set(KER::KELEITID, "991-33333TEST-33");
    ASSERT_EQ(orders::saveCustomerEInvoice(*t.store, data), Level::Benign);
    data.set(KER::KELEITID, "04011000-1234512345-06");
    ASSERT_EQ(orders::saveCustomerEInvoice(*t.store, data), Level::Benign);

    EXPECT_EQ(t.count(FileId::kundeer), 1);
    const std::optional<RecordBuffer> stored = orders::readCustomerEInvoice(*t.store, "K1");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->get(KER::KELEITID), "04011000-1234512345-06");
    EXPECT_FALSE(orders::readCustomerEInvoice(*t.store, "K2"));
}
