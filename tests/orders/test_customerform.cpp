// The customer forms: the name check, the delivery address that defaults to the customer's
// own, the copy button, and the order list inside the form that leads to the order forms.

#include "orderformfixture.h"

#include "base/stddate.h"
#include "framework/listcontrol.h"
#include "orders/core/customerrules.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;
using C = CustomerForm::Control;
using Call = OrderFormFixture::Call;

struct AddressField
{
    const char *name;
    StringField address;
    StringField delivery;
};
const AddressField kAddressFields[] = {
    {"name", KUN::KNAME, KUN::LNAME},
    {"for the attention of", KUN::KZHAND, KUN::LZHAND},
    {"street", KUN::KSTR, KUN::LSTR},
    {"postcode", KUN::KPLZ, KUN::LPLZ},
    {"place", KUN::KORT, KUN::LORT},
};

void fillAddress(Records &r)
{
    r.set(KUN::KNAME, "Druckerei Nord");
    r.set(KUN::KZHAND, "Frau Berg");
    r.set(KUN::KSTR, "Hafenweg 3");
    r.set(KUN::KPLZ, "24103");
    r.set(KUN::KORT, "Kiel");
}

TEST(CustomerRules, BlankNameIsMissing)
{
    const std::pair<const char *, bool> cases[]
        = {{"", true}, {"     ", true}, {"  A  ", false}, {"Druckerei Nord", false}};
    for (const auto &[name, missing] : cases) {
        SCOPED_TRACE(name);
        Records r;
        r.set(KUN::KNAME, name);
        EXPECT_EQ(orders::customerNameMissing(r), missing);
    }
}

// Each delivery field that holds text keeps it; every blank one takes its address field.
TEST(CustomerRules, DeliveryAddressIsFilledFieldByField)
{
    for (const AddressField &kept : kAddressFields) {
        SCOPED_TRACE(kept.name);
        Records r;
        fillAddress(r);
        r.set(kept.delivery, "abw.");
        orders::fillDeliveryAddress(r);
        for (const AddressField &field : kAddressFields) {
            if (&field == &kept)
                EXPECT_EQ(r.get(field.delivery), "abw.");
            else
                EXPECT_EQ(r.get(field.delivery), r.get(field.address)) << field.name;
        }
    }
}

TEST(CustomerRules, DeliveryFieldOfBlanksCountsAsEmpty)
{
    Records r;
    fillAddress(r);
    r.set(KUN::LORT, "   ");
    r.set(KUN::LPLZ, "10115");
    orders::fillDeliveryAddress(r);
    EXPECT_EQ(r.get(KUN::LORT), "Kiel");
    EXPECT_EQ(r.get(KUN::LPLZ), "10115");
}

TEST(CustomerRules, CopyButtonOverwritesTheDeliveryAddress)
{
    Records r;
    fillAddress(r);
    for (const AddressField &field : kAddressFields)
        r.set(field.delivery, "alt");
    orders::copyAddressToDelivery(r);
    for (const AddressField &field : kAddressFields)
        EXPECT_EQ(r.get(field.delivery), r.get(field.address)) << field.name;
}

TEST(CustomerForm, BlankNameIsRefusedAndNothingIsWritten)
{
    OrderFormFixture f;
    Call call;
    f.callCustomerForm("Updatekunde", Request::Insert, {}, call);
    ProcWindow *form = f.windowStarting(u"NEUER KUNDE  (New)"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::Name, u"    "_s);
    f.gui.type(form, C::Place, u"Kiel"_s);
    f.gui.press(form, C::Ok);

    EXPECT_FALSE(call.returned);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, "ACHTUNG");
    EXPECT_EQ(f.messages.shown[0].text, "Bitte den Namen des Kunden eingeben");
    EXPECT_EQ(f.messages.beeps, 1);
    EXPECT_EQ(form->focusControl(), C::Name);
    EXPECT_EQ(f.gui.text(form, C::Place), u"Kiel"_s) << "the input stays";

    f.messages.answer(MessageButton::No); // "Save Record?" – no
    f.gui.press(form, C::Cancel);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
    EXPECT_TRUE(f.all(FileId::kunde, KUN::Keykaid).empty());
}

TEST(CustomerForm, NewCustomerGetsIdentityAndItsAddressAsDeliveryAddress)
{
    OrderFormFixture f;
    Call call;
    f.callCustomerForm("Updatekunde", Request::Insert, {}, call);
    ProcWindow *form = f.windowStarting(u"NEUER KUNDE  (New)"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::Name, u"Druckerei Nord"_s);
    f.gui.type(form, C::Street, u"Hafenweg 3"_s);
    f.gui.type(form, C::Place, u"Kiel"_s);
    f.gui.type(form, C::DeliveryPostcode, u"24103"_s);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);

    const std::vector<RecordBuffer> customers = f.all(FileId::kunde, KUN::Keykaid);
    ASSERT_EQ(customers.size(), 1u);
    const RecordBuffer &c = customers[0];
    EXPECT_EQ(c.get(KUN::KID).substr(0, 1), "K");
    EXPECT_GT(c.get(KUN::KID).size(), 6u);
    EXPECT_EQ(c.get(KUN::LNAME), "Druckerei Nord");
    EXPECT_EQ(c.get(KUN::LSTR), "Hafenweg 3");
    EXPECT_EQ(c.get(KUN::LORT), "Kiel");
    EXPECT_EQ(c.get(KUN::LPLZ), "24103");
    EXPECT_EQ(c.get(KUN::KPLZ), "");
}

TEST(CustomerForm, ChangedAddressReachesTheDeliveryAddressOnlyByTheCopyButton)
{
    OrderFormFixture f;
    f.add(FileId::kunde, [](Records &r) {
        r.set(KUN::KID, "K1");
        fillAddress(r);
        r.set(KUN::LNAME, "Druckerei Nord");
        r.set(KUN::LORT, "Kiel");
    });
    for (bool copy : {false, true}) {
        SCOPED_TRACE(copy ? "with the copy button" : "without");
        Call call;
        f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
        ProcWindow *form = f.windowStarting(u"ÄNDERN KUNDEN-DATEN  (Druckerei Nord)"_s);
        ASSERT_NE(form, nullptr);
        f.gui.type(form, C::Place, copy ? u"Husum"_s : u"Flensburg"_s);
        if (copy) {
            f.gui.press(form, C::CopyAddress);
            EXPECT_EQ(f.gui.text(form, C::DeliveryPlace), u"Husum"_s);
        }
        f.gui.press(form, C::Ok);
        ASSERT_TRUE(call.returned);
        const RecordBuffer c = f.all(FileId::kunde, KUN::Keykaid).at(0);
        EXPECT_EQ(c.get(KUN::LORT), copy ? "Husum" : "Kiel");
    }
}

TEST(CustomerForm, OrderListCallsTheOrderForm)
{
    struct Case
    {
        const char *customerForm;
        QString title;
        int button;
        QString orderTitle;
    };
    const Case cases[] = {
        {"Updatekunde",
         u"ÄNDERN KUNDEN-DATEN  (Druckerei Nord)"_s,
         C::OrderChange,
         u"ÄNDERN Auftrag von  (Druckerei Nord)"_s},
        {"Upddrukunde",
         u"KUNDEN-detail.Druck- DATEN  (Druckerei Nord)"_s,
         C::OrderPrint,
         u"ÄNDERN Auftrag von  (Druckerei Nord)"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.customerForm);
        OrderFormFixture f;
        f.addCustomer("K1", "Druckerei Nord");
        f.addCustomer("K2", "Verlag Süd");
        f.addOrder("F1", "K1", [](Records &r) { r.set(AUF::FNR, "4711"); });
        f.addOrder("F2", "K2");
        Call call;
        f.callCustomerForm(c.customerForm, Request::Change, "K1", call);
        ProcWindow *form = f.windowStarting(c.title);
        ASSERT_NE(form, nullptr);
        ListControl *orders = form->list(C::Orders);
        ASSERT_EQ(orders->rowCount(), 1) << "only the customer's own orders";
        EXPECT_EQ(orders->row(1).value(0), u"4711"_s);

        f.gui.pickRow(form, C::Orders, 1);
        f.gui.press(form, c.button);
        ProcWindow *order = f.windowStarting(c.orderTitle);
        ASSERT_NE(order, nullptr);
        EXPECT_EQ(f.gui.text(order, OrderForm::OrderNumber), u"4711"_s);
        f.gui.press(order, OrderForm::Ok);
        EXPECT_EQ(f.windowStarting(c.orderTitle), nullptr);
        f.gui.press(form, C::Ok);
        EXPECT_TRUE(call.returned);
    }
}

// The order list of the form shows amounts and dates the German way.
TEST(CustomerForm, OrderListShowsAmountsAndDatesInGermanNotation)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1", [](Records &r) {
        r.set(AUF::FNR, "4711");
        r.set(AUF::FDATUM, rt::dateFromYmd(2026, 12, 7));
        r.set(AUF::BRUTTO, 1234567.5);
        r.set(AUF::FANDAT, rt::dateFromYmd(2026, 12, 8));
    });
    Call call;
    f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    const QStringList row = form->list(C::Orders)->row(1);
    ASSERT_EQ(row.size(), 8);
    EXPECT_EQ(row[2], u"07.12.2026"_s);
    EXPECT_EQ(row[4], u"1.234.567,50"_s);
    EXPECT_EQ(row[5], u"08.12.2026"_s);
    EXPECT_EQ(row[6], QString()) << "no delivery date yet";
    f.gui.press(form, C::Ok);
    EXPECT_TRUE(call.returned);
}

TEST(CustomerForm, NewOrderFromTheCustomerFormBelongsToTheCustomer)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord", 2.5);
    Call call;
    f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    f.gui.press(form, C::OrderInsert);
    ProcWindow *order = f.windowStarting(u"NEUER AUFTRAG für"_s);
    ASSERT_NE(order, nullptr);
    f.gui.type(order, OrderForm::OrderNumber, u"A-100"_s);
    f.gui.press(order, OrderForm::Ok);
    EXPECT_EQ(form->list(C::Orders)->rowCount(), 1);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);

    const std::vector<RecordBuffer> orders = f.all(FileId::auftrag, AUF::Keyfaid);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].get(AUF::FKUID), "K1");
    EXPECT_EQ(orders[0].get(AUF::FNR), "A-100");
    EXPECT_EQ(orders[0].get(AUF::FRABATT), 2.5);
    EXPECT_EQ(orders[0].get(AUF::FORT), "Musterstadt");
}

} // namespace

namespace {

// Deleting a customer deletes its orders with it: the question says how many, and how many
// of them carry an invoice number, as the order file holds them now.
TEST(CustomerForm, DeleteQuestionNamesTheOrdersThatGoWithTheCustomer)
{
    struct Case
    {
        const char *name;
        int answer;
        std::size_t ordersLeft;
    };
    for (const Case &c : {Case{"no", MessageButton::No, 4}, Case{"yes", MessageButton::Yes, 1}}) {
        SCOPED_TRACE(c.name);
        OrderFormFixture f;
        f.addCustomer("K1", "Druckerei Nord");
        f.addCustomer("K2", "Verlag Bauer");
        f.addOrder("F1", "K1");
        f.addOrder("F2", "K1", [](Records &r) { r.set(AUF::FRENR, "R-7"); });
        f.addOrder("F3", "K1");
        f.addOrder("F4", "K2", [](Records &r) { r.set(AUF::FRENR, "R-8"); });
        f.messages.answer(c.answer);
        Call call;
        f.callCustomerForm("Updatekunde", Request::Delete, "K1", call);
        ASSERT_TRUE(call.returned) << "the form is never shown";
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].title, "Confirm Delete");
        EXPECT_EQ(f.messages.shown[0].text,
                  "Wollen Sie den markierten Satz wirklich löschen?||Mit dem Kunden „Druckerei "
                  "Nord“ werden auch 3 Aufträge gelöscht, davon 1 mit Rechnungsnummer (mit allen "
                  "Kalkulationen und Zusatzkosten).");
        EXPECT_EQ(f.all(FileId::auftrag, AUF::Keyfid).size(), c.ordersLeft);
        EXPECT_EQ(f.all(FileId::kunde, KUN::Keyid).size(), c.ordersLeft == 1 ? 1u : 2u);
    }
}

TEST(CustomerForm, DeleteQuestionOfACustomerWithoutOrdersIsThePlainOne)
{
    EXPECT_EQ(orders::deletedWithCustomer("Nord", 0, 0), "");
    EXPECT_EQ(orders::deletedWithCustomer("  Nord ", 1, 0),
              "Mit dem Kunden „Nord“ wird auch 1 Auftrag gelöscht (mit allen Kalkulationen und "
              "Zusatzkosten).");
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord");
    Call call;
    f.callCustomerForm("Updatekunde", Request::Delete, "K1", call);
    ASSERT_TRUE(call.returned);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text, "Wollen Sie den markierten Satz wirklich löschen?");
    EXPECT_EQ(call.response, Response::Completed) << "the default answer is yes";
}

TEST(CustomerForm, DiscountAbove100PercentIsRefused)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord", 5);
    Call call;
    f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::Discount, u"150"_s);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text,
              "„Kundenrabatt (%)“:|Bitte eine Zahl zwischen 0 und 100 eingeben.");
    EXPECT_EQ(f.gui.text(form, C::Discount), u"5,00"_s);
    f.gui.type(form, C::Discount, u"100"_s);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(f.all(FileId::kunde, KUN::Keyid).front().get(KUN::KRAB), 100);
}

TEST(CustomerForm, LooksLikeACustomerForm)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1", [](Records &r) { r.set(AUF::FKURZ, "Briefbogen"); });
    Call call;
    f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    const QString path = QString::fromStdString((f.folder.path() / "customerform.png").string());
    ASSERT_TRUE(f.gui.grab(form, path));
    if (const char *keep = std::getenv("TESSARO_KEEP_PNG"))
        f.gui.grab(form, QString::fromLocal8Bit(keep));
}

} // namespace
