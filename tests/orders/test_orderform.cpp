// The order form offscreen on a real record store: a new order, status and dates, printing
// with the copy count, the quote-number check, the text blocks, the totals summed from the
// lines, and what OK and Cancel leave in the files.

#include "orderformfixture.h"

#include "store/relationkeeper.h"

#include <gtest/gtest.h>

#include "framework/listcontrol.h"

#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>

#include <algorithm>
#include <cctype>

namespace {

using namespace Qt::Literals::StringLiterals;
using C = OrderForm::Control;
using Call = OrderFormFixture::Call;

const QString kChangeTitle = u"ÄNDERN Auftrag von  (Druckerei Nord)"_s;

// A customer "K1" with one order "F1" in the given status.
void customerWithOrder(OrderFormFixture &f,
                       const std::string &status,
                       const std::function<void(Records &)> &fill = {})
{
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1", [&](Records &r) {
        r.set(AUF::FSTAT, status);
        if (fill)
            fill(r);
    });
}

ProcWindow *
openOrder(OrderFormFixture &f, Call &call, const std::string &procedure = "Updateauftrag")
{
    f.callOrderForm(procedure, Request::Change, "K1", "F1", call);
    return f.windowStarting(u"ÄNDERN Auftrag von"_s);
}

TEST(OrderForm, NewOrderIsPrimedFromItsCustomerAndGetsANumberOnOk)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord", 5);
    Call call;
    f.callOrderForm("Updateauftrag", Request::Insert, "K1", {}, call);
    ProcWindow *form = f.windowStarting(u"NEUER AUFTRAG für  (New)"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::CustomerName), u"Druckerei Nord"_s);
    EXPECT_EQ(f.gui.text(form, C::CustomerPlace), u"Musterstadt"_s);
    EXPECT_EQ(f.gui.text(form, C::QuoteDate), u"07.12.2026"_s);
    EXPECT_EQ(f.gui.text(form, C::CreatedOn), u"07.12.2026"_s);
    // The new order took the discount with the customer's address: no notice is due.
    EXPECT_TRUE(form->isHidden(C::DiscountNotice));

    f.gui.type(form, C::ShortText, u"Briefbogen"_s);
    f.gui.press(form, C::Ok);

    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, "U u p p s  !");
    EXPECT_EQ(f.messages.shown[0].text,
              "Sie haben keine Auftragsnummer eingegeben.|Nummer wird autom. generiert.");

    const std::vector<RecordBuffer> orders = f.all(FileId::auftrag, AUF::Keyfaid);
    ASSERT_EQ(orders.size(), 1u);
    const RecordBuffer &order = orders[0];
    const std::string number = order.get(AUF::FNR);
    EXPECT_FALSE(number.empty());
    EXPECT_LE(number.size(), 12u);
    EXPECT_TRUE(std::all_of(number.begin(), number.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    })) << number;
    EXPECT_EQ(order.get(AUF::FID).substr(0, 1), "F");
    EXPECT_EQ(order.get(AUF::FKUID), "K1");
    EXPECT_EQ(order.get(AUF::FSTAT), "ANGEBOT");
    EXPECT_EQ(order.get(AUF::FKURZ), "Briefbogen");
    EXPECT_EQ(order.get(AUF::FRABATT), 5);
    EXPECT_EQ(order.get(AUF::ZAZTAGE), 14);
    EXPECT_EQ(order.get(AUF::FNAME), "Druckerei Nord");

    // The first saved order makes the `stamm` record.
    const std::vector<RecordBuffer> stamm = f.all(FileId::stamm, STA::Keyistamm);
    ASSERT_EQ(stamm.size(), 1u);
    EXPECT_EQ(stamm[0].get(STA::ANGDAT), OrderFormFixture::kToday);
}

TEST(OrderForm, ExistingOrderTakesOverTheCustomersDiscountWithANotice)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord", 5);
    f.addOrder("F1", "K1");
    f.addOrder("F2", "K1", [](Records &r) { r.set(AUF::FRABATT, 3.0); });
    struct Case
    {
        const char *order;
        bool notice;
        const char *percent;
    };
    for (const Case &c : {Case{"F1", true, "5,00"}, Case{"F2", false, "3,00"}}) {
        SCOPED_TRACE(c.order);
        Call call;
        f.callOrderForm("Updateauftrag", Request::Change, "K1", c.order, call);
        ProcWindow *form = f.windowStarting(u"ÄNDERN Auftrag von"_s);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(!form->isHidden(C::DiscountNotice), c.notice);
        if (c.notice) {
            EXPECT_TRUE(f.gui.text(form, C::DiscountNotice)
                            .startsWith(u"Achtung !   Kunde besitzt Kundenrabatt von 5,00"_s));
        }
        EXPECT_EQ(f.gui.text(form, C::DiscountPercent).trimmed(), QString::fromLatin1(c.percent));
        f.messages.answer(MessageButton::No); // leave without saving
        f.gui.press(form, C::Cancel);
        EXPECT_TRUE(call.returned);
    }
}

TEST(OrderForm, ChoosingAStatusFillsItsDateOnlyWhenEmpty)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::InvoiceDate), QString());
    EXPECT_EQ(f.gui.text(form, C::NetLabel), u"Angebotspreis/ EUR"_s);
    EXPECT_EQ(f.gui.text(form, C::GrossLabel), u"Angebotspreis (inkl. MwSt)/EUR"_s);

    f.gui.chooseOption(form, C::Status, 3);
    EXPECT_EQ(f.gui.text(form, C::InvoiceDate), u"07.12.2026"_s);
    EXPECT_EQ(f.gui.text(form, C::NetLabel), u"Gesamtpreis / EUR"_s);
    EXPECT_EQ(f.gui.text(form, C::GrossLabel), u"Rechnungsendbetrag / EUR"_s);
    // No payment period on the order: the form shows invoice date + 14 days.
    EXPECT_EQ(f.gui.text(form, C::ClosingLine), u"Rechnungsendbetrag zahlbar bis zum 21.12.2026"_s);
    EXPECT_EQ(f.gui.text(form, C::PrintMinimal), u"RECHNUNG  Minimal"_s);

    f.gui.type(form, C::InvoiceDate, u"01.12.2026"_s);
    EXPECT_EQ(f.gui.text(form, C::ClosingLine), u"Rechnungsendbetrag zahlbar bis zum 15.12.2026"_s);
    f.gui.chooseOption(form, C::Status, 1);
    f.gui.chooseOption(form, C::Status, 3);
    EXPECT_EQ(f.gui.text(form, C::InvoiceDate), u"01.12.2026"_s);
    // The delivery date was never chosen and stays empty.
    EXPECT_EQ(f.gui.text(form, C::DeliveryDate), QString());

    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    const RecordBuffer order = f.storedOrder("F1");
    EXPECT_EQ(order.get(AUF::FSTAT), "RECHNUNG");
    EXPECT_EQ(order.get(AUF::FREDAT), rt::dateFromYmd(2026, 12, 1));
    EXPECT_EQ(order.get(AUF::FLIEFDAT), 0);
}

TEST(OrderForm, TheDueDatesFollowThePaymentTermsAsTheyChange)
{
    OrderFormFixture f;
    customerWithOrder(f, "RECHNUNG", [](Records &r) {
        r.set(AUF::FREDAT, rt::dateFromYmd(2026, 12, 1));
        r.set(AUF::ZAZTAGE, 14.0);
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    auto *pages = qobject_cast<QTabWidget *>(form->control(C::Pages));
    ASSERT_NE(pages, nullptr);
    pages->setCurrentIndex(2);
    f.gui.settle();
    EXPECT_EQ(f.gui.text(form, C::ClosingLine), u"Rechnungsendbetrag zahlbar bis zum 15.12.2026"_s);

    f.gui.type(form, C::PaymentDays, u"30"_s);
    EXPECT_EQ(f.gui.text(form, C::ClosingLine), u"Rechnungsendbetrag zahlbar bis zum 31.12.2026"_s);
    f.gui.type(form, C::SkontoPercent, u"2"_s);
    f.gui.type(form, C::SkontoDays, u"10"_s);
    EXPECT_FALSE(form->isHidden(C::SkontoLine));
    EXPECT_EQ(f.gui.text(form, C::SkontoDate), u"11.12.2026"_s);
    f.gui.type(form, C::InvoiceDate, u"04.12.2026"_s);
    EXPECT_EQ(f.gui.text(form, C::ClosingLine), u"Rechnungsendbetrag zahlbar bis zum 03.01.2027"_s);
    EXPECT_EQ(f.gui.text(form, C::SkontoDate), u"14.12.2026"_s);

    f.messages.answer(MessageButton::No);
    f.gui.press(form, C::Cancel);
    EXPECT_TRUE(call.returned);
}

TEST(OrderForm, CopyCountDecidesHowOftenTheReportRuns)
{
    const std::pair<const char *, std::size_t> cases[] = {{"0", 1}, {"1", 1}, {"2", 2}, {"5", 1}};
    for (const auto &[copies, runs] : cases) {
        SCOPED_TRACE(copies);
        OrderFormFixture f;
        customerWithOrder(f, "RECHNUNG");
        f.add(FileId::atran, [](Records &r) {
            r.set(ATR::ATAUFID, "F1");
            r.set(ATR::ATBEZ, "Kurier");
            r.set(ATR::ATGPR, 40.0);
        });
        Call call;
        ProcWindow *form = openOrder(f, call);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(f.gui.text(form, C::Copies), u"2"_s);
        f.gui.type(form, C::Copies, QString::fromLatin1(copies));
        f.gui.press(form, C::PrintStandard);

        ASSERT_EQ(f.runs.size(), runs);
        for (const OrderFormFixture::ReportRun &run : f.runs) {
            EXPECT_EQ(run.report, "DrucRECstan");
            EXPECT_EQ(run.orderId, "F1");
            // The report finds the current amounts in the file: written before it ran.
            EXPECT_TRUE(run.orderFound);
            EXPECT_DOUBLE_EQ(run.net, 40.0);
        }
        // Printing changes neither the status nor the printed-on dates.
        const RecordBuffer order = f.storedOrder("F1");
        EXPECT_EQ(order.get(AUF::FSTAT), "RECHNUNG");
        EXPECT_EQ(order.get(AUF::FRECDRU), 0);
        EXPECT_TRUE(form->isOpen());
    }
}

TEST(OrderForm, ButtonsPrintTheReportOfTheStatus)
{
    struct Case
    {
        const char *status;
        int button;
        const char *report; // "" for none
    };
    // Which report each pair gives is checked without a window; here the buttons' wiring.
    const Case cases[] = {
        {"ANGEBOT", C::PrintStandard, ""},
        {"ANGEBOT", C::PrintMinimal, "DrucANGmin"},
        {"RECHNUNG", C::PrintDetail, "DrucRECdet"},
        {"LIEFERSCHEIN", C::PrintMinimal, "DrucLIEmin"},
        {"LIEFERSCHEIN", C::PrintDetail, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.status) + " " + std::to_string(c.button));
        OrderFormFixture f;
        customerWithOrder(f, c.status);
        Call call;
        ProcWindow *form = openOrder(f, call);
        ASSERT_NE(form, nullptr);
        f.gui.type(form, C::Copies, u"1"_s);
        f.gui.press(form, c.button);
        if (*c.report == '\0') {
            EXPECT_TRUE(f.runs.empty());
        } else {
            ASSERT_EQ(f.runs.size(), 1u);
            EXPECT_EQ(f.runs[0].report, c.report);
        }
        EXPECT_TRUE(f.messages.shown.empty());
    }
}

TEST(OrderForm, DetailedQuoteWithoutQuoteNumberIsRefused)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, C::Copies, u"1"_s);
    f.gui.press(form, C::PrintDetail);
    EXPECT_TRUE(f.runs.empty());
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].title, "HINWEIS");
    EXPECT_EQ(f.messages.shown[0].text, "Vergeben Sie eine Angebotsnummer!");
    EXPECT_EQ(f.messages.beeps, 1);
    EXPECT_EQ(form->focusControl(), C::QuoteNumber);

    f.gui.type(form, C::QuoteNumber, u"AN-17"_s);
    f.gui.press(form, C::PrintDetail);
    ASSERT_EQ(f.runs.size(), 1u);
    EXPECT_EQ(f.runs[0].report, "DrucANGmin");
}

TEST(OrderForm, FailedWriteBeforePrintingPrintsNothing)
{
    OrderFormFixture f;
    customerWithOrder(f, "RECHNUNG");
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);

    // Another station deletes the order while its form is open.
    FileManager &orders = f.store->fileManager(FileId::auftrag);
    orders.Open();
    f.store->records().set(AUF::FID, "F1");
    ASSERT_EQ(orders.FetchQuiet(AUF::Keyfid), 0);
    ASSERT_EQ(orders.handle().erase(), 0);
    orders.Close();

    f.gui.press(form, C::PrintStandard);
    EXPECT_TRUE(f.runs.empty());
    EXPECT_FALSE(f.messages.shown.empty()) << "the failed write is reported";
    EXPECT_TRUE(form->isOpen());
}

TEST(OrderForm, PaymentTermsWithoutSkontoHideTheSkontoLineFromTheNextPageSwitch)
{
    OrderFormFixture f;
    f.add(FileId::text, [](Records &r) {
        r.set(TEX::TKEN, "ZA");
        r.set(TEX::TERL, "2 % Skonto");
        r.set(TEX::TX1, "Zahlbar mit 2 % Skonto");
        r.set(TEX::SKOPR, 2.0);
        r.set(TEX::SKTAGE, 8.0);
        r.set(TEX::ZAZIEL, 30.0);
    });
    f.add(FileId::text, [](Records &r) {
        r.set(TEX::TKEN, "ZA");
        r.set(TEX::TERL, "netto");
        r.set(TEX::TX1, "Zahlbar ohne Abzug");
        r.set(TEX::TX2, "innerhalb von 10 Tagen");
        r.set(TEX::ZAZIEL, 10.0);
    });
    f.add(FileId::text, [](Records &r) {
        r.set(TEX::TKEN, "EL");
        r.set(TEX::TERL, "Standard");
        r.set(TEX::TX1, "Wir bieten Ihnen an:");
    });
    customerWithOrder(f, "RECHNUNG", [](Records &r) {
        r.set(AUF::FREDAT, OrderFormFixture::kToday);
        r.set(AUF::SKPROZ, 2.0);
        r.set(AUF::SKONTAGE, 8.0);
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isHidden(C::SkontoLine));
    EXPECT_EQ(f.gui.text(form, C::SkontoDate), u"15.12.2026"_s);

    f.gui.switchTab(form, C::Pages, 3);
    // An invoice shows the payment terms, not the quote texts.
    EXPECT_FALSE(form->isHidden(C::PaymentGroup));
    EXPECT_TRUE(form->isHidden(C::QuoteTextGroup));
    EXPECT_FALSE(form->isHidden(C::InfoGroup));
    f.gui.chooseEntry(form, C::PaymentPick, 2);
    EXPECT_EQ(f.gui.text(form, C::InvoiceText1), u"Zahlbar ohne Abzug"_s);
    EXPECT_EQ(f.gui.text(form, C::SkontoPercent).trimmed(), u"0,00"_s);
    EXPECT_FALSE(form->isHidden(C::SkontoLine)) << "hidden only from the next page switch";

    f.gui.switchTab(form, C::Pages, 1);
    EXPECT_TRUE(form->isHidden(C::SkontoLine));

    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    const RecordBuffer order = f.storedOrder("F1");
    EXPECT_EQ(order.get(AUF::SKPROZ), 0);
    EXPECT_EQ(order.get(AUF::ZAZTAGE), 10);
    EXPECT_EQ(order.get(AUF::TEREC2), "innerhalb von 10 Tagen");
}

// Lines of order F1 whose sums the stored order does not carry.
void addLines(OrderFormFixture &f)
{
    f.add(FileId::kaldruck, [](Records &r) {
        r.set(KAD::KAAID, "K1");
        r.set(KAD::KAUFID, "F1");
        r.set(KAD::KABEZ, "Briefbogen");
        r.set(KAD::KADRPR, 100.0);
        r.set(KAD::KAFAPR, 5.0);
        r.set(KAD::APENDPR, 20.0);
        r.set(KAD::ASGPR, 10.0);
        r.set(KAD::NGES, 1000.0);
        r.set(KAD::KADRZEIT, 90.0);
    });
    f.add(FileId::aufpap, [](Records &r) {
        r.set(APA::APID, "P1");
        r.set(APA::APAUFID, "F1");
        r.set(APA::APENDPR, 15.0);
    });
    f.add(FileId::anach, [](Records &r) {
        r.set(ANA::ANIDAUF, "F1");
        r.set(ANA::ANBEZ, "Falzen");
        r.set(ANA::ANGPR, 30.0);
    });
    f.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATID, "T1");
        r.set(ATR::ATAUFID, "F1");
        r.set(ATR::ATBEZ, "Kurier");
        r.set(ATR::ATGPR, 40.0);
    });
    // A line of another order counts for that one only.
    f.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATID, "T2");
        r.set(ATR::ATAUFID, "F10");
        r.set(ATR::ATGPR, 1000.0);
    });
}

TEST(OrderForm, TotalsAreSummedAfreshFromTheLinesOnOpen)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT", [](Records &r) {
        r.set(AUF::DRUCPR, 999.0);
        r.set(AUF::NETTO, 999.0);
        r.set(AUF::TRANPR, 7.0);
    });
    addLines(f);
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::Net).trimmed(), u"215,00"_s);
    EXPECT_EQ(form->list(C::Calculations)->rowCount(), 1);
    f.gui.switchTab(form, C::Pages, 2);
    EXPECT_EQ(form->list(C::Transports)->rowCount(), 1) << "the other order's line is not shown";
    EXPECT_EQ(f.gui.text(form, C::ExtrasText), u"(Falzen...etc.)"_s);

    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);
    const RecordBuffer order = f.storedOrder("F1");
    EXPECT_DOUBLE_EQ(order.get(AUF::DRUCPR), 100);
    EXPECT_DOUBLE_EQ(order.get(AUF::FARBWEPR), 5);
    EXPECT_DOUBLE_EQ(order.get(AUF::PAPPR), 35);
    EXPECT_DOUBLE_EQ(order.get(AUF::SATZPR), 10);
    EXPECT_DOUBLE_EQ(order.get(AUF::NACHPR), 30);
    EXPECT_DOUBLE_EQ(order.get(AUF::TRANPR), 40);
    EXPECT_DOUBLE_EQ(order.get(AUF::NETTO), 215);
    EXPECT_DOUBLE_EQ(order.get(AUF::BRUTTO), 255.85);
    EXPECT_DOUBLE_EQ(order.get(AUF::NGES), 1000);
    EXPECT_DOUBLE_EQ(order.get(AUF::DRZEITH), 1);
    EXPECT_DOUBLE_EQ(order.get(AUF::DRZEITM), 30);
    EXPECT_EQ(order.get(AUF::NACHTXT), "(Falzen...etc.)");
}

// Large amounts keep their thousands separators, on the form and in its lists.
TEST(OrderForm, AmountsAndRunsShowTheirThousands)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    f.add(FileId::kaldruck, [](Records &r) {
        r.set(KAD::KAAID, "K1");
        r.set(KAD::KAUFID, "F1");
        r.set(KAD::KABEZ, "Kataloge");
        r.set(KAD::KAALGES, 250000.0);
        r.set(KAD::KADRPR, 12345678.9);
        r.set(KAD::KGESAMTPR, 12345678.9);
    });
    f.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATID, "T1");
        r.set(ATR::ATAUFID, "F1");
        r.set(ATR::ATBEZ, "Spedition");
        r.set(ATR::ATANZ, 1200.0);
        r.set(ATR::ATPR, 2.5);
        r.set(ATR::ATGPR, 3000.0);
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::PrintTotal).trimmed(), u"12.345.678,90"_s);
    EXPECT_EQ(f.gui.text(form, C::Net).trimmed(), u"12.348.678,90"_s);
    EXPECT_EQ(f.gui.text(form, C::Gross).trimmed(), u"14.694.927,89"_s);
    EXPECT_EQ(form->list(C::Calculations)->row(1),
              (QStringList{u"Kataloge"_s, u"250.000"_s, u"12.345.678,90"_s, u"12.345.678,90"_s}));
    f.gui.switchTab(form, C::Pages, 2);
    EXPECT_EQ(form->list(C::Transports)->row(1),
              (QStringList{u"Spedition"_s, u"1.200"_s, u"2,50"_s, u"3.000,00"_s}));
    f.gui.press(form, C::Cancel);
    f.gui.answer(MessageButton::No);
}

TEST(OrderForm, CancelAfterALineWasSavedStillAlignsTheStoredTotals)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT", [](Records &r) { r.set(AUF::FKURZ, "alt"); });
    // The transport line form, as the list calls it: the list primed the line for the order.
    f.app->procedures().add("Updateatran", [](AppContext &context) {
        StoreContext &store = context.store();
        store.records().set(ATR::ATBEZ, "Spedition");
        store.records().set(ATR::ATGPR, 40.0);
        context.LastResponse = store.fileManager(FileId::atran).Insert() == 0 ? Response::Completed
                                                                              : Response::Cancelled;
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    f.gui.switchTab(form, C::Pages, 2);
    f.gui.press(form, C::TransportInsert);
    EXPECT_EQ(form->list(C::Transports)->rowCount(), 1);
    EXPECT_EQ(f.gui.text(form, C::Net).trimmed(), u"40,00"_s);

    f.gui.type(form, C::ShortText, u"neu"_s);
    f.messages.answer(MessageButton::No); // "Save Record?" – no
    f.gui.press(form, C::Cancel);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Cancelled);

    const RecordBuffer order = f.storedOrder("F1");
    EXPECT_DOUBLE_EQ(order.get(AUF::TRANPR), 40);
    EXPECT_DOUBLE_EQ(order.get(AUF::NETTO), 40);
    EXPECT_DOUBLE_EQ(order.get(AUF::BRUTTO), 47.6);
    EXPECT_EQ(order.get(AUF::FKURZ), "alt") << "the header edit is discarded";
}

TEST(OrderForm, DeletingALineTakesItOutOfTheTotals)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    const std::pair<const char *, double> lines[] = {{"Binden", 20}, {"Falzen", 30}};
    for (const auto &[name, price] : lines) {
        f.add(FileId::anach, [&](Records &r) {
            r.set(ANA::ANIDAUF, "F1");
            r.set(ANA::ANBEZ, name);
            r.set(ANA::ANGPR, price);
        });
    }
    // The line form asked to delete: it deletes the line the list handed it.
    f.app->procedures().add("Updateanach", [](AppContext &context) {
        const int request = context.PendingRequest;
        context.PendingRequest = Request::None;
        context.LastResponse = Response::Cancelled;
        if (request == Request::Delete
            && context.store().relations(FileId::anach).Delete(false) == 0)
            context.LastResponse = Response::Completed;
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    f.gui.switchTab(form, C::Pages, 2);
    EXPECT_EQ(f.gui.text(form, C::ExtrasTotal).trimmed(), u"50,00"_s);
    f.gui.pickRow(form, C::Extras, 1);
    f.gui.press(form, C::ExtrasDelete);

    EXPECT_EQ(form->list(C::Extras)->rowCount(), 1);
    EXPECT_EQ(f.gui.text(form, C::ExtrasTotal).trimmed(), u"30,00"_s);
    EXPECT_EQ(f.gui.text(form, C::Net).trimmed(), u"30,00"_s);
    EXPECT_EQ(f.gui.text(form, C::ExtrasText), u"(Falzen...etc.)"_s);
}

TEST(OrderForm, TwoOpenOrdersKeepTheirOwnTotals)
{
    OrderFormFixture f;
    f.addCustomer("K1", "Druckerei Nord");
    f.addOrder("F1", "K1");
    f.addOrder("F2", "K1");
    const std::pair<const char *, double> lines[] = {{"F1", 40}, {"F2", 100}};
    for (const auto &[order, price] : lines) {
        f.add(FileId::atran, [&](Records &r) {
            r.set(ATR::ATID, std::string("T") + order);
            r.set(ATR::ATAUFID, order);
            r.set(ATR::ATGPR, price);
        });
    }
    Call first, second;
    f.callOrderForm("Updateauftrag", Request::Change, "K1", "F1", first);
    ProcWindow *one = f.windowStarting(kChangeTitle);
    ASSERT_NE(one, nullptr);
    f.callOrderForm("Updateauftrag", Request::Change, "K1", "F2", second);
    ProcWindow *two = nullptr;
    for (ProcWindow *w : ProcWindow::openWindows()) {
        if (w != one && w->isOpen() && w->title() == kChangeTitle)
            two = w;
    }
    ASSERT_NE(two, nullptr);

    // Each form recomputes on its own thread's totals.
    f.gui.switchTab(one, C::Pages, 2);
    f.gui.switchTab(two, C::Pages, 2);
    EXPECT_EQ(f.gui.text(one, C::Net).trimmed(), u"40,00"_s);
    EXPECT_EQ(f.gui.text(two, C::Net).trimmed(), u"100,00"_s);
    // The lists of the page just shown fill up to their final size with the next event, as
    // the user clicks into the entry; only then does the typing start.
    f.gui.focus(one, C::Copies);
    f.gui.type(one, C::Copies, u"1"_s);
    f.gui.press(one, C::PrintMinimal);
    ASSERT_EQ(f.runs.size(), 1u);
    EXPECT_EQ(f.runs[0].orderId, "F1");
    EXPECT_DOUBLE_EQ(f.runs[0].net, 40);

    f.gui.press(two, C::Ok);
    f.gui.press(one, C::Ok);
    ASSERT_TRUE(first.returned);
    ASSERT_TRUE(second.returned);
    EXPECT_DOUBLE_EQ(f.storedOrder("F1").get(AUF::NETTO), 40);
    EXPECT_DOUBLE_EQ(f.storedOrder("F2").get(AUF::NETTO), 100);
}

TEST(OrderForm, LineFormsThatAreMissingAreReportedByName)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    f.gui.press(form, C::CalculationInsert);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_NE(f.messages.shown[0].text.find("Updatekaldruck"), std::string::npos)
        << f.messages.shown[0].text;
    EXPECT_TRUE(form->isOpen());
}

TEST(OrderForm, OkRecordsTheLastNumbersAndTheStatusFromPrintedDates)
{
    OrderFormFixture f;
    f.add(FileId::stamm, [](Records &r) {
        r.set(STA::ANGDAT, OrderFormFixture::kToday - 1);
        r.set(STA::ANG, "AN-1");
        r.set(STA::RECDAT, OrderFormFixture::kToday + 5);
        r.set(STA::REC, "RE-9");
    });
    customerWithOrder(f, "ANGEBOT", [](Records &r) {
        r.set(AUF::FANNR, "AN-2");
        r.set(AUF::FREDAT, OrderFormFixture::kToday);
        r.set(AUF::FRENR, "RE-3");
        r.set(AUF::FANGDRU, OrderFormFixture::kToday);
        r.set(AUF::FLIEDRU, OrderFormFixture::kToday);
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, C::LastQuote), u"AN-1"_s);
    EXPECT_EQ(f.gui.text(form, C::LastInvoiceDate), u"12.12.2026"_s);
    f.gui.press(form, C::Ok);
    ASSERT_TRUE(call.returned);

    EXPECT_EQ(f.storedOrder("F1").get(AUF::FSTAT), "LIEFERSCHEIN");
    const std::vector<RecordBuffer> stamm = f.all(FileId::stamm, STA::Keyistamm);
    ASSERT_EQ(stamm.size(), 1u);
    EXPECT_EQ(stamm[0].get(STA::ANG), "AN-2");
    EXPECT_EQ(stamm[0].get(STA::ANGDAT), OrderFormFixture::kToday);
    EXPECT_EQ(stamm[0].get(STA::REC), "RE-9") << "an earlier invoice does not replace it";
}

TEST(OrderForm, DiscountRecalculationButtonShowsAfterAnEdit)
{
    OrderFormFixture f;
    customerWithOrder(f, "ANGEBOT");
    f.add(FileId::atran, [](Records &r) {
        r.set(ATR::ATAUFID, "F1");
        r.set(ATR::ATGPR, 100.0);
    });
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isHidden(C::RecalculateDiscount));
    f.gui.type(form, C::DiscountPercent, u"10"_s);
    EXPECT_FALSE(form->isHidden(C::RecalculateDiscount));
    f.gui.press(form, C::RecalculateDiscount);
    EXPECT_TRUE(form->isHidden(C::RecalculateDiscount));
    EXPECT_EQ(f.gui.text(form, C::Discounted).trimmed(), u"90,00"_s);
    EXPECT_EQ(f.gui.text(form, C::Gross).trimmed(), u"107,10"_s);
    EXPECT_EQ(f.gui.text(form, C::Vat).trimmed(), u"17,10"_s);
}

TEST(OrderForm, LooksLikeAnOrderForm)
{
    OrderFormFixture f;
    f.gui.frame()->resize(1400, 1000);
    customerWithOrder(f, "RECHNUNG", [](Records &r) {
        r.set(AUF::FKURZ, "Briefbogen 2-farbig");
        r.set(AUF::FREDAT, OrderFormFixture::kToday);
        r.set(AUF::FRENR, "RE-2026-17");
        r.set(AUF::SKPROZ, 2.0);
        r.set(AUF::SKONTAGE, 8.0);
    });
    addLines(f);
    Call call;
    ProcWindow *form = openOrder(f, call);
    ASSERT_NE(form, nullptr);
    const QString path = QString::fromStdString((f.folder.path() / "orderform.png").string());
    ASSERT_TRUE(f.gui.grab(form, path));
    if (const char *keep = std::getenv("TESSARO_KEEP_PNG"))
        f.gui.grab(form, QString::fromLocal8Bit(keep));
}

TEST(DetailedOrderForm, EmptiesThePrintListAndPrintsTheFullestDocument)
{
    struct Case
    {
        const char *status;
        const char *report;
    };
    for (const Case &c : {Case{"RECHNUNG", "DrucRECmax"},
                          Case{"ANGEBOT", "DrucANGmax"},
                          Case{"LIEFERSCHEIN", ""}}) {
        SCOPED_TRACE(c.status);
        OrderFormFixture f;
        customerWithOrder(f, c.status);
        for (int i = 0; i < 3; ++i)
            f.add(FileId::drucktem, [](Records &r) { r.set(DRU::DAUFID, "F7"); });
        Call call;
        ProcWindow *form = openOrder(f, call, "Upddruauftrag");
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(f.all(FileId::drucktem, DRU::Keydadid).empty());
        EXPECT_EQ(form->control(C::PrintStandard), nullptr);

        f.gui.press(form, C::PrintFullDetail);
        if (*c.report == '\0') {
            EXPECT_TRUE(f.runs.empty());
        } else {
            ASSERT_EQ(f.runs.size(), 2u) << "the copy count starts at 2";
            EXPECT_EQ(f.runs[1].report, c.report);
        }
        f.gui.press(form, C::Ok);
        EXPECT_TRUE(call.returned);
    }
}

} // namespace
