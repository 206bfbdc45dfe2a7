// The shop's data form and the customer form's e-invoice group: entries checked as they are
// made, the records written with the customer, the letterhead setting.

#include "orderformfixture.h"

#include "orders/core/lettersettings.h"
#include "orders/core/orderstore.h"
#include "orders/forms/companyform.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;
using C = CustomerForm::Control;
using F = CompanyForm::Control;
using Call = OrderFormFixture::Call;

// With TESSARO_SCREENS set, the window as it looks on a 1366×768 screen goes there.
void keepScreen(OrderFormFixture &f, ProcWindow *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TESSARO_SCREENS");
    if (folder.isEmpty())
        return;
    f.gui.area()->resize(1366, 740);
    window->subWindow()->showMaximized();
    f.gui.settle();
    f.gui.grab(window, QDir(folder).filePath(name));
}

} // namespace

TEST(CustomerEInvoice, NewCustomerKeepsItsEInvoiceData)
{
    OrderFormFixture f;
    Call call;
    f.callCustomerForm("Updatekunde", Request::Insert, {}, call);
    ProcWindow *form = f.windowStarting(u"NEUER KUNDE  (New)"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::InvoiceCountry), u"DE"_s) << "the default country";
    keepScreen(f, form, u"customerform.png"_s);
    f.gui.type(form, C::Name, u"Stadt Bruchsal"_s);
    f.gui.type(form, C::BuyerReference, u"991-33333TEST-33"_s);
    f.gui.type(form, C::InvoiceMail, u"e-rechnung@bruchsal.example"_s);
    f.gui.chooseEntry(form, C::InvoiceForm, 3);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);

    const std::vector<RecordBuffer> customers = f.all(FileId::kunde, KUN::Keykaid);
    ASSERT_EQ(customers.size(), 1u);
    const std::optional<RecordBuffer> data
        = orders::readCustomerEInvoice(*f.store, customers[0].get(KUN::KID));
    ASSERT_TRUE(data);
    EXPECT_EQ(data->get(KER::KELEITID), "991-33333TEST-33");
    EXPECT_EQ(data->get(KER::KEMAIL), "e-rechnung@bruchsal.example");
    EXPECT_EQ(data->get(KER::KELAND), "DE");
    EXPECT_EQ(data->get(KER::KEFORM), KER::kFormXRechnung);
}

TEST(CustomerEInvoice, AWrongLeitwegIdIsRefusedAndNothingIsWritten)
{
    OrderFormFixture f;
    Call call;
    f.callCustomerForm("Updatekunde", Request::Insert, {}, call);
    ProcWindow *form = f.windowStarting(u"NEUER KUNDE  (New)"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::Name, u"Stadt Bruchsal"_s);
    // Refused as the entry is left, and again when the form is confirmed.
    f.gui.type(form, C::BuyerReference, u"991-33333TEST-34"_s);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    f.gui.press(form, C::Ok);

    EXPECT_FALSE(call.returned);
    ASSERT_EQ(f.messages.shown.size(), 2u);
    for (const ScriptedPresenter::Shown &shown : f.messages.shown) {
        EXPECT_EQ(shown.title, "ACHTUNG");
        EXPECT_NE(shown.text.find("Prüfziffer der Leitweg-ID"), std::string::npos);
    }
    EXPECT_EQ(form->focusControl(), C::BuyerReference);

    f.messages.answer(MessageButton::No);
    f.gui.press(form, C::Cancel);
    ASSERT_TRUE(call.returned);
    EXPECT_TRUE(f.all(FileId::kunde, KUN::Keykaid).empty());
    EXPECT_EQ(f.store->engine().exists(FileId::kundeer) ? f.all(FileId::kundeer, KER::Keyeid).size()
                                                        : 0u,
              0u);
}

TEST(CompanyForm, MadeOnceThenChangedWithTheLetterheadSetting)
{
    OrderFormFixture f;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        Call call;
        f.gui.start(u"Menu"_s, [&] {
            call.response = f.app->call("Firmendaten");
            call.returned = true;
        });
        ProcWindow *form = f.windowStarting(u"FIRMENDATEN"_s);
        ASSERT_NE(form, nullptr);
        if (round == 0) {
            EXPECT_EQ(f.gui.text(form, F::Country), u"DE"_s);
            keepScreen(f, form, u"companyform.png"_s);
            f.gui.type(form, F::Name, u"Druckerei Sonnenschein GmbH"_s);
            // A digit wrong in the IBAN: refused, the focus stays.
            f.gui.type(form, F::Iban, u"DE21 6605 0101 0012 3456 78"_s);
            f.gui.press(form, F::Ok);
            EXPECT_FALSE(call.returned);
            ASSERT_EQ(f.messages.shown.size(), 2u) << "as the entry is left and on OK";
            EXPECT_NE(f.messages.shown[1].text.find("Prüfziffern der IBAN"), std::string::npos);
            EXPECT_EQ(form->focusControl(), F::Iban);
            f.gui.type(form, F::Iban, u"DE20 6605 0101 0012 3456 78"_s);
            f.gui.press(form, F::Letterhead);
        } else {
            EXPECT_EQ(f.gui.text(form, F::Name), u"Druckerei Sonnenschein GmbH"_s);
            f.gui.type(form, F::Town, u"Karlsruhe"_s);
        }
        f.gui.press(form, F::Ok);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
    }
    const std::vector<RecordBuffer> company = f.all(FileId::firma, FIR::Keyfiid);
    ASSERT_EQ(company.size(), 1u) << "one record, changed the second time";
    EXPECT_EQ(company[0].get(FIR::FIIBAN), "DE20 6605 0101 0012 3456 78");
    EXPECT_EQ(company[0].get(FIR::FIORT), "Karlsruhe");
    EXPECT_DOUBLE_EQ(company[0].get(FIR::FIMWST), 19);
    EXPECT_TRUE(orders::letterheadPrinted(f.store->ini()));
}
