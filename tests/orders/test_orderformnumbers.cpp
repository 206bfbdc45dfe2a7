// Document numbers on the order form: entering a status proposes the kind's next number
// after the last one recorded, which the user may change; an invoice number that another
// order carries is refused on OK and before printing, naming that order.

#include "orderformfixture.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;
using C = OrderForm::Control;
using Call = OrderFormFixture::Call;

ProcWindow *openOrder(OrderFormFixture &f, Call &call, const std::string &orderId)
{
    f.callOrderForm("Updateauftrag", Request::Change, "K1", orderId, call);
    return f.windowStarting(u"ÄNDERN Auftrag von"_s);
}

void lastNumbers(OrderFormFixture &f)
{
    f.add(FileId::stamm, [](Records &r) {
        r.set(STA::ANGDAT, OrderFormFixture::kToday - 3);
        r.set(STA::ANG, "AN-0099");
        r.set(STA::LIEDAT, OrderFormFixture::kToday - 3);
        r.set(STA::LIE, "LS9");
        r.set(STA::RECDAT, OrderFormFixture::kToday - 3);
        r.set(STA::REC, "RE-2026-0041");
    });
}

TEST(OrderFormNumbers, EnteringAStatusProposesTheNextNumberOfItsKind)
{
    struct Case
    {
        int option;
        int numberControl;
        QString proposed;
    };
    const Case cases[] = {
        {1, C::QuoteNumber, u"AN-0100"_s},
        {2, C::DeliveryNumber, u"LS10"_s},
        {3, C::InvoiceNumber, u"RE-2026-0042"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.option);
        OrderFormFixture f;
        lastNumbers(f);
        f.addCustomer("K1", "Druckerei Nord");
        f.addOrder("F1", "K1", [](Records &r) { r.set(AUF::FSTAT, "NEU"); });
        Call call;
        ProcWindow *form = openOrder(f, call, "F1");
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(f.gui.text(form, c.numberControl), QString());
        f.gui.chooseOption(form, C::Status, c.option);
        EXPECT_EQ(f.gui.text(form, c.numberControl), c.proposed);
        f.gui.press(form, C::Cancel);
    }
}

TEST(OrderFormNumbers, TheUserMayChangeTheProposalAndAGivenNumberStays)
{
    OrderFormFixture f;
    lastNumbers(f);
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1");
    f.addOrder("F2", "K1", [](Records &r) { r.set(AUF::FRENR, "R-7"); });

    Call first;
    ProcWindow *form = openOrder(f, first, "F1");
    ASSERT_NE(form, nullptr);
    f.gui.chooseOption(form, C::Status, 3);
    EXPECT_EQ(f.gui.text(form, C::InvoiceNumber), u"RE-2026-0042"_s);
    f.gui.type(form, C::InvoiceNumber, u"RE-SONDER-1"_s);
    f.gui.chooseOption(form, C::Status, 1);
    f.gui.chooseOption(form, C::Status, 3);
    EXPECT_EQ(f.gui.text(form, C::InvoiceNumber), u"RE-SONDER-1"_s);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(first.returned);
    EXPECT_EQ(f.storedOrder("F1").get(AUF::FRENR), "RE-SONDER-1");

    Call second;
    form = openOrder(f, second, "F2");
    ASSERT_NE(form, nullptr);
    f.gui.chooseOption(form, C::Status, 3);
    EXPECT_EQ(f.gui.text(form, C::InvoiceNumber), u"R-7"_s);
    f.gui.press(form, C::Cancel);
    // Its own number is no other order's: nothing is refused.
    for (const std::string &title : f.messageTitles())
        EXPECT_NE(title, "ACHTUNG");
}

// Another order with the number, of another customer: the message names it by number and
// customer, the form stays open with the order unwritten, and nothing is printed until the
// number is changed.
TEST(OrderFormNumbers, AnInvoiceNumberAnotherOrderCarriesIsRefusedOnOkAndOnPrint)
{
    OrderFormFixture f;
    f.addCustomer("K2", "Verlag Süd");
    f.addOrder("F2", "K2", [](Records &r) {
        r.set(AUF::FNR, "A-77");
        r.set(AUF::FRENR, "RE-5");
    });
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1", [](Records &r) {
        r.set(AUF::FSTAT, "RECHNUNG");
        r.set(AUF::FREDAT, OrderFormFixture::kToday);
    });
    Call call;
    ProcWindow *form = openOrder(f, call, "F1");
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::InvoiceNumber, u"re-5"_s);
    f.gui.type(form, C::ShortText, u"Flyer"_s);

    f.gui.press(form, C::Ok);
    EXPECT_FALSE(call.returned);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, "ACHTUNG");
    EXPECT_NE(f.messages.shown[0].text.find("A-77 (Verlag Süd)"), std::string::npos)
        << f.messages.shown[0].text;
    EXPECT_EQ(f.storedOrder("F1").get(AUF::FRENR), "");
    EXPECT_EQ(f.storedOrder("F1").get(AUF::FKURZ), "");

    f.gui.type(form, C::Copies, u"1"_s);
    f.gui.press(form, C::PrintStandard);
    EXPECT_TRUE(f.runs.empty());
    ASSERT_EQ(f.messages.shown.size(), 2u);
    EXPECT_EQ(f.messages.shown[1].title, "ACHTUNG");
    EXPECT_EQ(f.storedOrder("F1").get(AUF::FRENR), "");

    f.gui.type(form, C::InvoiceNumber, u"RE-6"_s);
    f.gui.press(form, C::PrintStandard);
    ASSERT_EQ(f.runs.size(), 1u);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(f.storedOrder("F1").get(AUF::FRENR), "RE-6");
    EXPECT_EQ(f.messages.shown.size(), 2u);
}

} // namespace
