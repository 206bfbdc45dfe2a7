// The quotes and invoices as procedures: started by name by the order form on its thread, or
// from the menu, each prints the right order through the progress window into the preview.

#include "orders/reports/documentprocedures.h"

#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "framework/report/pagequeue.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/reports/documentloader.h"
#include "support/guiharness.h"
#include "support/orderfamily.h"
#include "support/pdftext.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orderfamily;
using namespace Qt::Literals::StringLiterals;

namespace {

// Order F1 of Verlag Bauer with two calculations, and order F10 of Druckerei Abel.
struct DocumentRun
{
    DocumentRun()
    {
        customer(t, "K1", "Druckerei Abel");
        customer(t, "K2", "Verlag Bauer");
        order(t, "F10", "K1", "A-110");
        order(t, "F1", "K2", "A-100");
        calculation(t, "KA1", "F1");
        calculation(t, "KB9", "F1");
        calculation(t, "KC1", "F10");
        typesetting(t, "S1", "F1", "KA1");
        invoiced(t, "F10", "R-110");
        invoiced(t, "F1", "R-100");
        t.store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*t.store, gui.threads(), gui.area());
        app->VatFactor = 1.19;
        orders::registerDocumentReports(app->procedures());
    }
    ~DocumentRun() { gui.threads().endAll(); }

    // Runs the report as the order form does: on a thread whose form shows `orderId`.
    void start(const char *report, const std::string &orderId)
    {
        response = 0;
        gui.start(QString::fromLatin1(report), [this, report, orderId] {
            app->threadSlot<orders::OrderThreadValues>().CurrentOrderId = orderId;
            response = app->call(report);
        });
    }

    // The text of the pages in the preview, saved as the user saves them; the preview is
    // left afterwards.
    QString previewText(const QString &name)
    {
        if (!QTest::qWaitFor([&] { return gui.window(u"Druck Vorschau"_s) != nullptr; }, 10000)) {
            ADD_FAILURE() << "no preview";
            return {};
        }
        gui.settle();
        ProcWindow *preview = gui.window(u"Druck Vorschau"_s);
        const QString pdf = QString::fromStdString((t.folder.path() / name.toStdString()).string());
        gui.press(preview, PagePreview::SavePdf);
        EXPECT_TRUE(gui.answerFileDialog(pdf));
        const QString text = pdftext::normalised(pdftext::extract(pdf + u".pdf"_s));
        gui.press(preview, PagePreview::ExitButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return response != 0; }, 5000));
        return text;
    }

    StoreFixture t;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
    int response = 0;
};

TEST(DocumentProcedures, EachPrintsTheOrderOfTheCallingForm)
{
    struct Case
    {
        const char *report;
        QString numberCaption;
    };
    const Case cases[] = {
        {"DrucRECmax", u"Rechnungs-Nr.:"_s},
        {"DrucRECdet", u"Rechnungs-Nr.:"_s},
        {"DrucRECstan", u"Rechnungs-Nr.:"_s},
        {"DrucRECmin", u"Rechnungs-Nr.:"_s},
        {"DrucANGmax", u"Angebots-Nr.:"_s},
        {"DrucANGmin", u"Angebots-Nr.:"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.report);
        // A fresh data set for each: an invoice saved once is issued, and a second print of it
        // is the stored copy.
        DocumentRun run;
        run.start(c.report, "F1");
        const QString text = run.previewText(QString::fromLatin1(c.report));
        EXPECT_TRUE(text.contains(u"Verlag Bauer"_s));
        EXPECT_TRUE(text.contains(c.numberCaption));
        EXPECT_TRUE(text.contains(QRegularExpression(u"Seite: +1\\b"_s)));
        EXPECT_FALSE(text.contains(u"Druckerei Abel"_s));
        EXPECT_FALSE(text.contains(u"Briefbogen KC1"_s));
        EXPECT_EQ(run.response, Response::Completed);

        // Printed in batches by the progress window, the document reads as printed at once.
        const std::optional<orders::DocumentData> data
            = orders::loadDocumentData(*run.t.store, "F1");
        ASSERT_TRUE(data.has_value());
        report::PageQueue queue;
        const auto which = static_cast<orders::DocumentReport>(&c - cases);
        ASSERT_EQ(orders::documentReportName(which), QString::fromLatin1(c.report));
        ASSERT_TRUE(orders::printDocument(which, *data, 1.19, queue));
        EXPECT_EQ(pdftext::pageLines(text), pdftext::pageLines(pdftext::textOf(queue)));
    }
}

TEST(DocumentProcedures, InvoiceFromTheMenuPrintsTheOrderOpenedLast)
{
    DocumentRun run;
    run.app->LastOpenedOrderId = "F10";
    run.start("DrucRECmax", "");
    const QString text = run.previewText(u"menu"_s);
    EXPECT_TRUE(text.contains(u"Druckerei Abel"_s));
    EXPECT_TRUE(text.contains(u"Briefbogen KC1"_s));
    EXPECT_FALSE(text.contains(u"Briefbogen KA1"_s));
}

TEST(DocumentProcedures, WithoutAnOrderTheUserIsToldAndNothingOpens)
{
    struct Case
    {
        const char *report;
        std::string lastOpened; // the quotes never print the order opened last
    };
    const Case cases[] = {{"DrucRECmax", ""}, {"DrucANGmin", "F1"}, {"DrucRECmin", "F1"}};
    DocumentRun run;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.report);
        run.app->LastOpenedOrderId = c.lastOpened;
        run.start(c.report, "");
        const auto message = run.gui.answer(MessageButton::Ok);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, u"HINWEIS"_s);
        EXPECT_TRUE(message->text.contains(u"kein Auftrag"_s));
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
        EXPECT_EQ(run.response, Response::Cancelled);
        EXPECT_EQ(run.gui.window(u"Progress..."_s), nullptr);
    }
}

// An invoice with blanks where its number and dates belong is no invoice: the user is told
// what the order lacks, and nothing is printed. Quotes need none of it.
TEST(DocumentProcedures, InvoiceWithoutInvoiceDataSaysWhatIsMissing)
{
    DocumentRun run;
    order(run.t, "F2", "K1", "A-120");
    for (const char *report : {"DrucRECmax", "DrucRECdet", "DrucRECstan", "DrucRECmin"}) {
        SCOPED_TRACE(report);
        run.start(report, "F2");
        const auto message = run.gui.answer(MessageButton::Ok);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->title, u"HINWEIS"_s);
        EXPECT_TRUE(message->text.contains(u"Rechnungsnummer, Rechnungsdatum, Lieferdatum"_s))
            << message->text.toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
        EXPECT_EQ(run.response, Response::Cancelled);
        EXPECT_EQ(run.gui.window(u"Druck Vorschau"_s), nullptr);
    }
    run.start("DrucANGmin", "F2");
    EXPECT_TRUE(run.previewText(u"quote"_s).contains(u"Druckerei Abel"_s));
}

// The menu's invoice prints an order whose form may never have checked its number: a number
// that another order carries is refused there too.
TEST(DocumentProcedures, InvoiceWithAnotherOrdersNumberIsRefused)
{
    DocumentRun run;
    order(run.t, "F2", "K1", "A-120");
    invoiced(run.t, "F2", "R-100");
    run.app->LastOpenedOrderId = "F2";
    run.start("DrucRECmax", "");
    const auto message = run.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"ACHTUNG"_s);
    EXPECT_TRUE(message->text.contains(u"A-100 (Verlag Bauer)"_s)) << message->text.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.gui.window(u"Druck Vorschau"_s), nullptr);
}

TEST(DocumentProcedures, OrderNotInTheFileSaysNoRecords)
{
    DocumentRun run;
    run.start("DrucRECstan", "F99");
    const auto message = run.gui.answer(MessageButton::Ok);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"No Records"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 5000));
    EXPECT_EQ(run.response, Response::Cancelled);
    EXPECT_EQ(run.gui.window(u"Druck Vorschau"_s), nullptr);
}

} // namespace
