// Two stations at one data folder, at the forms: the customer and the order a form has open
// for change are watched, so that the other station's change or delete is shown instead of
// being overwritten or brought back without a word, and a line is not saved for an order the
// other station deleted. The other station is a process of its own (support/station.cpp).

#include "costing/forms/costingforms.h"
#include "costing/forms/lineform.h"
#include "costing/forms/servicelines.h"
#include "orders/orderformfixture.h"
#include "support/station.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace {

using namespace Qt::Literals::StringLiterals;
using C = CustomerForm;
using O = OrderForm;
using Call = OrderFormFixture::Call;

// The order and customer forms with the line forms they call, customer K1 with order F1.
struct Stations
{
    Stations()
    {
        registerCostingForms(f.app->procedures());
        f.addCustomer("K1", "Druckerei Nord");
        f.addOrder("F1", "K1", [](Records &r) { r.set(AUF::FKURZ, "Briefbogen"); });
    }

    // The customer's e-invoice data, as the customer form has saved it before.
    void addInvoiceData()
    {
        f.add(FileId::kundeer, [](Records &r) {
            r.set(KER::KEKID, "K1");
            r.set(KER::KEMAIL, "rechnung@nord.example");
            r.set(KER::KELAND, "DE");
        });
    }

    std::string storedInvoiceMail()
    {
        const std::vector<RecordBuffer> rows = f.all(FileId::kundeer, KER::Keykid);
        return rows.size() == 1 ? rows[0].get(KER::KEMAIL)
                                : "(" + std::to_string(rows.size()) + ")";
    }

    int otherStation(const std::vector<std::string> &arguments)
    {
        return runStation(f.folder.path(), arguments);
    }

    RecordBuffer storedCustomer()
    {
        FileManager &file = f.store->fileManager(FileId::kunde);
        file.Open();
        f.store->records()[FileId::kunde].clear();
        f.store->records().set(KUN::KID, "K1");
        file.FetchQuiet(KUN::Keyid);
        RecordBuffer found = f.store->records()[FileId::kunde];
        file.Close();
        return found;
    }

    std::int64_t count(FileId id)
    {
        FileManager &file = f.store->fileManager(id);
        file.Open();
        file.Use(2);
        const std::int64_t n = file.handle().records();
        file.Close();
        return n;
    }

    // The window opened last: the form a button of another form has just called.
    static ProcWindow *newestWindow()
    {
        const QList<ProcWindow *> open = ProcWindow::openWindows();
        return open.isEmpty() ? nullptr : open.last();
    }

    ProcWindow *openOrder(Call &call)
    {
        f.callOrderForm("Updateauftrag", Request::Change, "K1", "F1", call);
        return f.windowStarting(u"ÄNDERN Auftrag"_s);
    }

    // Leaves a form without saving: "Save Record?" is answered No.
    void cancel(ProcWindow *form, int cancelControl)
    {
        f.messages.answer(MessageButton::No);
        f.gui.press(form, cancelControl);
    }

    OrderFormFixture f;
};

TEST(TwoStationForms, CustomerChangedElsewhereIsShownNotOverwritten)
{
    Stations s;
    Call call;
    s.f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = s.f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    s.f.gui.type(form, C::Phone, u"0431 1234"_s);
    ASSERT_EQ(s.otherStation({"rename-customer", "K1", "Druckerei Süd"}), 0);

    s.f.gui.press(form, C::Ok);
    EXPECT_EQ(s.f.messageTitles(), std::vector<std::string>{"Record Was Not Updated"});
    EXPECT_FALSE(call.returned) << "the form stays open";
    EXPECT_EQ(s.f.gui.text(form, C::Name), u"Druckerei Süd"_s) << "with the other's values";
    EXPECT_EQ(s.storedCustomer().get(KUN::KNAME), "Druckerei Süd");

    // Saved again with the other station's change before the user's eyes, it is written.
    s.f.gui.type(form, C::Phone, u"0431 1234"_s);
    s.f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_EQ(s.storedCustomer().get(KUN::KNAME), "Druckerei Süd");
    EXPECT_EQ(s.storedCustomer().get(KUN::KTEL), "0431 1234");
}

// The customer and its e-invoice data are saved in one transaction: when the other station
// changed either of them, neither is written, and the form shows the other station's values.
TEST(TwoStationForms, CustomerAndItsEInvoiceDataAreSavedTogetherOrNotAtAll)
{
    struct Case
    {
        const char *name;
        std::vector<std::string> otherStation;
        QString shownName;
        QString shownMail;
    };
    const Case cases[] = {
        {"customer changed elsewhere",
         {"rename-customer", "K1", "Druckerei Süd"},
         u"Druckerei Süd"_s,
         u"neu@nord.example"_s},
        {"e-invoice data changed elsewhere",
         {"set-invoice-mail", "K1", "drueben@nord.example"},
         u"Druckerei Nord"_s,
         u"drueben@nord.example"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Stations s;
        s.addInvoiceData();
        Call call;
        s.f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
        ProcWindow *form = s.f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
        ASSERT_NE(form, nullptr);
        s.f.gui.type(form, C::Phone, u"0431 1234"_s);
        s.f.gui.type(form, C::InvoiceMail, u"neu@nord.example"_s);
        ASSERT_EQ(s.otherStation(c.otherStation), 0);

        s.f.gui.press(form, C::Ok);
        EXPECT_EQ(s.f.messageTitles(), std::vector<std::string>{"Record Was Not Updated"});
        EXPECT_FALSE(call.returned) << "the form stays open";
        EXPECT_EQ(s.f.gui.text(form, C::Name), c.shownName);
        EXPECT_EQ(s.f.gui.text(form, C::InvoiceMail), c.shownMail);
        // Nothing of this station's save was kept.
        EXPECT_EQ(QString::fromStdString(s.storedCustomer().get(KUN::KNAME)), c.shownName);
        EXPECT_EQ(s.storedCustomer().get(KUN::KTEL), "");
        EXPECT_EQ(s.storedInvoiceMail(),
                  c.otherStation[0] == "set-invoice-mail" ? c.otherStation[2]
                                                          : "rechnung@nord.example");

        // Saved again with the other station's change before the user's eyes, both are written.
        s.f.gui.type(form, C::Phone, u"0431 1234"_s);
        s.f.gui.type(form, C::InvoiceMail, u"zuletzt@nord.example"_s);
        s.f.gui.press(form, C::Ok);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        EXPECT_EQ(s.f.messageTitles().size(), 1u);
        EXPECT_EQ(QString::fromStdString(s.storedCustomer().get(KUN::KNAME)), c.shownName);
        EXPECT_EQ(s.storedCustomer().get(KUN::KTEL), "0431 1234");
        EXPECT_EQ(s.storedInvoiceMail(), "zuletzt@nord.example");
    }
}

// A change of the e-invoice data alone is a change of the customer form, saved on OK.
TEST(TwoStationForms, EInvoiceDataChangedAloneIsSaved)
{
    Stations s;
    s.addInvoiceData();
    Call call;
    s.f.callCustomerForm("Updatekunde", Request::Change, "K1", call);
    ProcWindow *form = s.f.windowStarting(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(form, nullptr);
    s.f.gui.type(form, C::InvoiceMail, u"neu@nord.example"_s);
    s.f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_TRUE(s.f.messageTitles().empty());
    EXPECT_EQ(s.storedInvoiceMail(), "neu@nord.example");
    EXPECT_EQ(s.count(FileId::kundeer), 1);
}

TEST(TwoStationForms, OrderDeletedElsewhereSaysSoAndIsNotWrittenAgain)
{
    Stations s;
    Call call;
    ProcWindow *form = s.openOrder(call);
    ASSERT_NE(form, nullptr);
    s.f.gui.type(form, O::ShortText, u"Briefbogen neu"_s);
    ASSERT_EQ(s.otherStation({"delete-order", "F1"}), 0);

    s.f.gui.press(form, O::Ok);
    ASSERT_FALSE(s.f.messages.shown.empty());
    EXPECT_EQ(s.f.messages.shown.back().title, "Satz nicht mehr vorhanden");
    EXPECT_NE(s.f.messages.shown.back().text.find("gelöscht"), std::string::npos);
    EXPECT_FALSE(call.returned) << "the form stays open with the user's input";
    EXPECT_EQ(s.f.gui.text(form, O::ShortText), u"Briefbogen neu"_s);
    EXPECT_EQ(s.count(FileId::auftrag), 0);

    s.cancel(form, O::Cancel);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);
    EXPECT_EQ(s.count(FileId::auftrag), 0);
}

TEST(TwoStationForms, LineOfAnOrderDeletedElsewhereIsRefused)
{
    Stations s;
    Call call;
    ProcWindow *order = s.openOrder(call);
    ASSERT_NE(order, nullptr);
    s.f.gui.press(order, O::TransportInsert);
    // The line form's window goes when the form ends.
    const QPointer<ProcWindow> line = Stations::newestWindow();
    ASSERT_NE(line, order);
    s.f.gui.type(line, Updateatran::kDescription, u"Kurier"_s);
    s.f.gui.type(line, Updateatran::kPrice, u"18,50"_s);
    ASSERT_EQ(s.otherStation({"delete-order", "F1"}), 0);

    s.f.gui.press(line, LineForm::kOk);
    ASSERT_FALSE(s.f.messages.shown.empty());
    EXPECT_EQ(s.f.messages.shown.back().title, "Satz nicht gespeichert");
    EXPECT_TRUE(line->isOpen()) << "the line form stays open";
    s.cancel(line, LineForm::kCancel);
    EXPECT_FALSE(line && line->isOpen());
    EXPECT_EQ(s.count(FileId::atran), 0) << "no line is left behind";
    s.cancel(order, O::Cancel);
    EXPECT_TRUE(call.returned);
}

// Lines saved from the order form write the order's totals: that is this station's own
// doing and does not stop the order's save. Another station's change in the meantime does.
TEST(TwoStationForms, OrderSavedAfterItsOwnLinesUnlessChangedElsewhere)
{
    for (const bool otherStationWrites : {false, true}) {
        SCOPED_TRACE(otherStationWrites);
        Stations s;
        Call call;
        ProcWindow *order = s.openOrder(call);
        ASSERT_NE(order, nullptr);
        s.f.gui.press(order, O::TransportInsert);
        const QPointer<ProcWindow> line = Stations::newestWindow();
        s.f.gui.type(line, Updateatran::kDescription, u"Kurier"_s);
        s.f.gui.type(line, Updateatran::kPrice, u"18,50"_s);
        if (otherStationWrites) {
            ASSERT_EQ(s.otherStation({"rename-order", "F1", "Von drüben"}), 0);
        }
        s.f.gui.press(line, LineForm::kOk);
        ASSERT_FALSE(line && line->isOpen());
        EXPECT_EQ(s.count(FileId::atran), 1);

        s.f.gui.press(order, O::Ok);
        if (!otherStationWrites) {
            EXPECT_TRUE(s.f.messageTitles().empty());
            ASSERT_TRUE(call.returned);
            EXPECT_EQ(call.response, Response::Completed);
            EXPECT_EQ(s.f.storedOrder("F1").get(AUF::FKURZ), "Briefbogen");
            continue;
        }
        EXPECT_EQ(s.f.messageTitles(), std::vector<std::string>{"Record Was Not Updated"});
        EXPECT_EQ(s.f.gui.text(order, O::ShortText), u"Von drüben"_s);
        EXPECT_EQ(s.f.storedOrder("F1").get(AUF::FKURZ), "Von drüben");
        s.f.gui.press(order, O::Ok);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(s.f.storedOrder("F1").get(AUF::FKURZ), "Von drüben");
    }
}

} // namespace
