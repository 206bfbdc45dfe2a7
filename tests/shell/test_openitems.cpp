// The open items at the windows: the list "Offene Posten" with what each issued invoice still
// owes, overdue ones marked, both sort orders and the sum; "Zahlung erfassen" from it with its
// refusals; reminders printed through the preview, one level up each time.

#include "framework/pagepreview.h"
#include "listsfixture.h"
#include "orders/core/issueddocuments.h"
#include "orders/core/openitems.h"
#include "orders/forms/orderforms.h"
#include "orders/forms/paymentform.h"
#include "orders/reports/documentprocedures.h"
#include "support/pdftext.h"

#include <QDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace Qt::Literals::StringLiterals;
using P = PaymentForm;

// Monday, 7 December 2026.
const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);
const QString kTitle = u"OFFENE POSTEN  -  nicht bezahlte Rechnungen"_s;
const QString kScreens = u"/work/screens/payments"_s;

// Three invoices: R-1 of Druckerei Nord, overdue since 01.12.; R-2 of Verlag Ost, Skonto until
// 13.12.; R-3 of Druckerei Nord, due 31.12.
struct OpenItemsWindows
{
    OpenItemsWindows()
    {
        rt::setFixedNow(kToday, rt::timeFromHms(9, 0, 0));
        registerOrderForms(f.app->procedures());
        orders::registerDocumentReports(f.app->procedures());
        customer("K1", "Druckerei Nord");
        customer("K2", "Verlag Ost");
        invoice("F1", "K1", "R-1", rt::dateFromYmd(2026, 11, 1), 1234.56);
        invoice("F2", "K2", "R-2", rt::dateFromYmd(2026, 12, 5), 238.0);
        invoice("F3", "K1", "R-3", rt::dateFromYmd(2026, 12, 1), 59.5);
    }
    ~OpenItemsWindows() { rt::clearFixedNow(); }

    void customer(const std::string &id, const std::string &name)
    {
        f.add(FileId::kunde, [&](Records &r) {
            r.set(KUN::KID, id);
            r.set(KUN::KNAME, name);
            r.set(KUN::KSTR, "Hafenweg 7");
            r.set(KUN::KPLZ, "20457");
            r.set(KUN::KORT, "Hamburg");
        });
    }

    void invoice(const std::string &id,
                 const std::string &customerId,
                 const std::string &number,
                 rt::StdDate dated,
                 double gross)
    {
        f.add(FileId::auftrag, [&](Records &r) {
            r.set(AUF::FID, id);
            r.set(AUF::FKUID, customerId);
            r.set(AUF::FNAME, customerId == "K1" ? "Druckerei Nord" : "Verlag Ost");
            r.set(AUF::FNR, "A-" + id);
            r.set(AUF::FSTAT, "RECHNUNG");
            r.set(AUF::FRENR, number);
            r.set(AUF::FREDAT, dated);
            r.set(AUF::FLIEFDAT, dated);
            r.set(AUF::BRUTTO, gross);
            r.set(AUF::ZAZTAGE, 30.0);
            r.set(AUF::SKONTAGE, 8.0);
            r.set(AUF::SKPROZ, 2.0);
        });
        RecordBuffer order(FileId::auftrag);
        order.set(AUF::FID, id);
        order.set(AUF::FKUID, customerId);
        order.set(AUF::FNAME, customerId == "K1" ? "Druckerei Nord" : "Verlag Ost");
        order.set(AUF::FRENR, number);
        order.set(AUF::FREDAT, dated);
        order.set(AUF::BRUTTO, gross);
        order.set(AUF::ZAZTAGE, 30.0);
        order.set(AUF::SKONTAGE, 8.0);
        order.set(AUF::SKPROZ, 2.0);
        const orders::IssuedBytes bytes{"%PDF " + number, {}};
        f.store->records()[FileId::auftrag].clear();
        const auto result = orders::issueInvoice(
            *f.store, id, orders::invoiceDocument(order, dated, 100, 1, bytes), bytes);
        EXPECT_EQ(result.outcome, orders::IssueOutcome::Issued) << result.message;
    }

    ProcWindow *list() { return f.open("Browseposten", kTitle); }

    int rowOf(ProcWindow *window, const QString &number)
    {
        const QStringList numbers = ListsFixture::shown(window, 0);
        for (int i = 0; i < numbers.size(); ++i) {
            if (numbers.at(i).trimmed() == number)
                return i + 1;
        }
        return 0;
    }

    ListsFixture f;
};

QStringList trimmed(const QStringList &texts)
{
    QStringList out;
    for (const QString &t : texts)
        out << t.trimmed();
    return out;
}

TEST(OpenItemsWindow, ShowsEveryOpenInvoiceSortedWithItsSumAndOverdueMarked)
{
    OpenItemsWindows w;
    ProcWindow *window = w.list();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ListsFixture::headings(window),
              (QStringList{u"Rechnung Nr."_s,
                           u"Kunde"_s,
                           u"Betrag/ EUR"_s,
                           u"Fällig am"_s,
                           u"Skonto bis"_s,
                           u"noch offen/ EUR"_s,
                           u"überfällig"_s,
                           u"Mahnstufe"_s}));
    EXPECT_EQ(ListsFixture::tabTexts(window), (QStringList{u"nach Fälligkeit"_s, u"nach Kunde"_s}));
    // By due date: 01.12., 31.12., 04.01.
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 0)), (QStringList{u"R-1"_s, u"R-3"_s, u"R-2"_s}));
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 3)),
              (QStringList{u"01.12.2026"_s, u"31.12.2026"_s, u"04.01.2027"_s}));
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 5)),
              (QStringList{u"1.234,56"_s, u"59,50"_s, u"238,00"_s}));
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 6)),
              (QStringList{u"überfällig"_s, QString(), QString()}));
    EXPECT_EQ(w.f.gui.text(window, ListProcedure::kFooter),
              u"Summe noch offen: 1.532,06 EUR   (3 Rechnungen, davon 1 überfällig)"_s);
    // By customer, then due date.
    w.f.gui.switchTab(window, ListProcedure::kSheet, 2);
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 0)), (QStringList{u"R-1"_s, u"R-3"_s, u"R-2"_s}));
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 1)),
              (QStringList{u"Druckerei Nord"_s, u"Druckerei Nord"_s, u"Verlag Ost"_s}));
    // Figures stand flush right.
    ListControl *control = window->list(ListProcedure::kList);
    QTreeWidgetItem *first = control->view()->topLevelItem(0);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->textAlignment(5) & Qt::AlignRight);
    EXPECT_TRUE(first->textAlignment(2) & Qt::AlignRight);
    EXPECT_FALSE(first->textAlignment(1) & Qt::AlignRight);
    QDir().mkpath(kScreens);
    EXPECT_TRUE(w.f.gui.grab(window, kScreens + u"/offene-posten.png"_s));
    w.f.gui.press(window, ListProcedure::kClose);
}

TEST(OpenItemsWindow, APaymentIsRefusedUntilItMakesSenseThenSettlesTheRow)
{
    OpenItemsWindows w;
    ProcWindow *window = w.list();
    ASSERT_NE(window, nullptr);
    const int row = w.rowOf(window, u"R-2"_s);
    ASSERT_GT(row, 0);
    w.f.gui.pickRow(window, ListProcedure::kList, row);
    w.f.gui.press(window, 3);
    ProcWindow *form = w.f.gui.window(u"Zahlung erfassen  (Verlag Ost)"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(w.f.gui.text(form, P::Invoice), u"R-2  vom 05.12.2026"_s);
    EXPECT_EQ(w.f.gui.text(form, P::Amount), u"238,00"_s);
    EXPECT_EQ(w.f.gui.text(form, P::Date), u"07.12.2026"_s);
    EXPECT_FALSE(form->isHidden(P::WithSkonto));
    EXPECT_EQ(w.f.gui.text(form, P::WithSkonto), u"mit Skonto: 4,76 EUR bis 13.12.2026"_s);
    QDir().mkpath(kScreens);
    EXPECT_TRUE(w.f.gui.grab(form, kScreens + u"/zahlung-erfassen.png"_s));

    w.f.gui.type(form, P::Amount, u"0"_s);
    w.f.gui.press(form, P::Ok);
    auto message = w.f.gui.answer(MessageButton::Ok, u"ACHTUNG"_s);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, u"Der Betrag muss größer als 0,00 EUR sein."_s);
    w.f.gui.type(form, P::Amount, u"100"_s);
    w.f.gui.type(form, P::Date, u"04.12.2026"_s);
    w.f.gui.press(form, P::Ok);
    message = w.f.gui.answer(MessageButton::Ok, u"ACHTUNG"_s);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text,
              u"Die Zahlung kann nicht vor dem Rechnungsdatum 05.12.2026 eingegangen sein."_s);
    EXPECT_EQ(w.f.count(FileId::zahlung), 0);

    // A part payment: 138,00 stay open.
    w.f.gui.type(form, P::Date, u"06.12.2026"_s);
    w.f.gui.press(form, P::Ok);
    EXPECT_EQ(w.f.gui.window(u"Zahlung erfassen  (Verlag Ost)"_s), nullptr);
    EXPECT_EQ(w.f.count(FileId::zahlung), 1);
    EXPECT_EQ(w.f.gui.openMessages().size(), 0);
    const int after = w.rowOf(window, u"R-2"_s);
    ASSERT_GT(after, 0);
    EXPECT_EQ(window->list(ListProcedure::kList)->row(after).at(5).trimmed(), u"138,00"_s);
    EXPECT_EQ(w.f.gui.text(window, ListProcedure::kFooter),
              u"Summe noch offen: 1.432,06 EUR   (3 Rechnungen, davon 1 überfällig)"_s);

    // The rest with Skonto: the amount proposed is the rest less the Skonto.
    w.f.gui.pickRow(window, ListProcedure::kList, after);
    w.f.gui.press(window, 3);
    form = w.f.gui.window(u"Zahlung erfassen  (Verlag Ost)"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(w.f.gui.text(form, P::Amount), u"138,00"_s);
    w.f.gui.press(form, P::WithSkonto);
    EXPECT_EQ(w.f.gui.text(form, P::Amount), u"133,24"_s);
    w.f.gui.press(form, P::Ok);
    EXPECT_EQ(w.f.gui.window(u"Zahlung erfassen  (Verlag Ost)"_s), nullptr);
    EXPECT_EQ(w.rowOf(window, u"R-2"_s), 0);
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 0)), (QStringList{u"R-1"_s, u"R-3"_s}));
    EXPECT_EQ(w.f.gui.text(window, ListProcedure::kFooter),
              u"Summe noch offen: 1.294,06 EUR   (2 Rechnungen, davon 1 überfällig)"_s);
    w.f.gui.press(window, ListProcedure::kClose);
}

TEST(OpenItemsWindow, OverdueInvoiceOffersNoSkonto)
{
    OpenItemsWindows w;
    ProcWindow *window = w.list();
    ASSERT_NE(window, nullptr);
    w.f.gui.pickRow(window, ListProcedure::kList, w.rowOf(window, u"R-1"_s));
    w.f.gui.press(window, 3);
    ProcWindow *form = w.f.gui.window(u"Zahlung erfassen  (Druckerei Nord)"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isHidden(P::WithSkonto));
    EXPECT_EQ(w.f.gui.text(form, P::Amount), u"1.234,56"_s);
    w.f.gui.press(form, P::Cancel);
    EXPECT_EQ(w.f.count(FileId::zahlung), 0);
    w.f.gui.press(window, ListProcedure::kClose);
}

// Prints the reminder of the selected row's customer into a PDF; its text, empty when no
// preview came.
QString printReminder(OpenItemsWindows &w,
                      ProcWindow *window,
                      const QString &number,
                      const QString &expectedQuestion,
                      const QString &pdf)
{
    w.f.gui.pickRow(window, ListProcedure::kList, w.rowOf(window, number));
    w.f.gui.press(window, ListProcedure::kPrint);
    const auto question = w.f.gui.answer(MessageButton::Yes, u"Mahnung"_s);
    if (!question || question->text != expectedQuestion) {
        ADD_FAILURE() << (question ? question->text.toStdString() : "no question");
        return {};
    }
    if (!QTest::qWaitFor([&] { return w.f.gui.window(u"Druck Vorschau"_s) != nullptr; }, 10000))
        return {};
    w.f.gui.settle();
    ProcWindow *preview = w.f.gui.window(u"Druck Vorschau"_s);
    QDir().mkpath(kScreens);
    w.f.gui.grab(preview, kScreens + u"/mahnung-vorschau.png"_s);
    w.f.gui.press(preview, PagePreview::SavePdf);
    if (!w.f.gui.answerFileDialog(pdf))
        return {};
    w.f.gui.press(preview, PagePreview::ExitButton);
    if (!QTest::qWaitFor([&] { return w.f.gui.window(u"Druck Vorschau"_s) == nullptr; }, 10000))
        return {};
    w.f.gui.settle();
    return pdftext::extract(pdf);
}

TEST(OpenItemsWindow, RemindersListTheCustomersOpenInvoicesAndClimbALevel)
{
    OpenItemsWindows w;
    ProcWindow *window = w.list();
    ASSERT_NE(window, nullptr);
    const QString first = QString::fromStdString((w.f.folder.path() / "erinnerung.pdf").string());
    const QString text = printReminder(
        w,
        window,
        u"R-3"_s,
        u"Zahlungserinnerung an Druckerei Nord drucken?\n2 offene Rechnungen, zusammen 1.294,06 EUR."_s,
        first);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(pdftext::inOrder(text,
                                 {u"Kundennummer:"_s,
                                  u"K1"_s,
                                  u"07.12.2026"_s,
                                  u"Druckerei Nord"_s,
                                  u"Hafenweg 7"_s,
                                  u"20457 Hamburg"_s,
                                  u"ZAHLUNGSERINNERUNG"_s,
                                  u"R-1"_s,
                                  u"01.11.2026"_s,
                                  u"01.12.2026"_s,
                                  u"1.234,56"_s,
                                  u"R-3"_s,
                                  u"59,50"_s,
                                  u"Summe noch offen:"_s,
                                  u"1.294,06"_s}))
        << text.toStdString();
    EXPECT_FALSE(text.contains(u"R-2"_s)) << "another customer's invoice";
    EXPECT_FALSE(text.contains(u"Verlag Ost"_s));
    // The level is kept with each invoice listed, and shown.
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 7)), (QStringList{u"1"_s, u"1"_s, u"0"_s}));

    const QString second = QString::fromStdString((w.f.folder.path() / "mahnung.pdf").string());
    const QString next = printReminder(
        w,
        window,
        u"R-1"_s,
        u"1. Mahnung an Druckerei Nord drucken?\n2 offene Rechnungen, zusammen 1.294,06 EUR."_s,
        second);
    EXPECT_TRUE(next.contains(u"1. MAHNUNG"_s)) << next.toStdString();
    EXPECT_EQ(trimmed(ListsFixture::shown(window, 7)), (QStringList{u"2"_s, u"2"_s, u"0"_s}));
    w.f.gui.press(window, ListProcedure::kClose);
}

} // namespace
