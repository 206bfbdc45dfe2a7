// A document that went out is recorded: printed or saved as a PDF from the real preview, the
// order gets the printed-on date and time of the document's kind, written to the order file.
// A print that did not happen (preview left, a dialog cancelled, the printer failing) records
// nothing.

#include "orders/reports/documentprocedures.h"

#include "base/stddate.h"
#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "orders/core/orderthreadvalues.h"
#include "support/guiharness.h"
#include "support/orderfamily.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orderfamily;
using namespace Qt::Literals::StringLiterals;

namespace {

const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);
const rt::StdTime kNow = rt::timeFromHms(10, 30, 15);

struct Printed
{
    DateField date;
    LongField time;
};
const Printed kQuote{AUF::FANGDRU, AUF::FANZEIT};
const Printed kDelivery{AUF::FLIEDRU, AUF::FLIEZEIT};
const Printed kInvoice{AUF::FRECDRU, AUF::FRECZEIT};

// Order F1 of Verlag Bauer, ready for every document, with one calculation.
struct RecordingRun
{
    RecordingRun()
    {
        rt::setFixedNow(kToday, kNow);
        customer(t, "K2", "Verlag Bauer");
        order(t, "F1", "K2", "A-100");
        calculation(t, "KA1", "F1");
        invoiced(t, "F1", "R-100");
        t.store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*t.store, gui.threads(), gui.area());
        app->VatFactor = 1.19;
        orders::registerDocumentReports(app->procedures());
    }
    ~RecordingRun()
    {
        gui.threads().endAll();
        rt::clearFixedNow();
    }

    // The report on a thread of its own, printing F1; returns its preview.
    ProcWindow *start(const char *report)
    {
        response = 0;
        gui.start(QString::fromLatin1(report), [this, report] {
            app->threadSlot<orders::OrderThreadValues>().CurrentOrderId = "F1";
            response = app->call(report);
        });
        if (!QTest::qWaitFor([&] { return gui.window(u"Druck Vorschau"_s) != nullptr; }, 10000))
            return nullptr;
        gui.settle();
        return gui.window(u"Druck Vorschau"_s);
    }

    void leave(ProcWindow *preview)
    {
        gui.press(preview, PagePreview::ExitButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return response != 0; }, 10000));
    }

    QString path(const char *name) const
    {
        return QString::fromStdString((t.folder.path() / name).string());
    }

    RecordBuffer stored()
    {
        FileManager &orders = t.fm(FileId::auftrag);
        orders.Open();
        Records &r = t.records();
        r[FileId::auftrag].clear();
        r.set(AUF::FID, "F1");
        EXPECT_EQ(orders.FetchQuiet(AUF::Keyfid), Level::Benign);
        RecordBuffer order = r[FileId::auftrag];
        orders.Close();
        return order;
    }

    StoreFixture t;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
    int response = 0;
};

template<typename Dialog>
Dialog *openDialog()
{
    Dialog *found = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *d = qobject_cast<Dialog *>(w); d && d->isVisible())
                    found = d;
            }
            return found != nullptr;
        },
        5000);
    return found;
}

void expectRecorded(const RecordBuffer &order, const Printed &printed)
{
    for (const Printed &kind : {kQuote, kDelivery, kInvoice}) {
        const bool mine = kind.date.index == printed.date.index;
        EXPECT_EQ(order.get(kind.date), mine ? kToday : 0) << kind.date.index;
        EXPECT_EQ(order.get(kind.time), mine ? kNow : 0) << kind.time.index;
    }
}

void expectNothingRecorded(const RecordBuffer &order)
{
    for (const Printed &kind : {kQuote, kDelivery, kInvoice}) {
        EXPECT_EQ(order.get(kind.date), 0);
        EXPECT_EQ(order.get(kind.time), 0);
    }
}

TEST(DocumentRecording, SavedAsPdfSetsThePrintedOnDateOfItsKind)
{
    struct Case
    {
        const char *report;
        Printed printed;
    };
    const Case cases[] = {
        {"DrucANGmin", kQuote},
        {"DrucANGmax", kQuote},
        {"DrucLIEstan", kDelivery},
        {"DrucLIEmin", kDelivery},
        {"DrucRECstan", kInvoice},
        {"DrucRECmax", kInvoice},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.report);
        RecordingRun run;
        ProcWindow *preview = run.start(c.report);
        ASSERT_NE(preview, nullptr);
        // Looking at the document is not sending it.
        expectNothingRecorded(run.stored());
        run.gui.press(preview, PagePreview::SavePdf);
        ASSERT_TRUE(run.gui.answerFileDialog(run.path(c.report)));
        run.leave(preview);
        const RecordBuffer order = run.stored();
        expectRecorded(order, c.printed);
        // The rest of the order stays as it was.
        EXPECT_EQ(order.get(AUF::FNR), "A-100");
        EXPECT_EQ(order.get(AUF::FRENR), "R-100");
        EXPECT_EQ(order.get(AUF::FSTAT), "ANGEBOT");
        EXPECT_TRUE(run.gui.openMessages().isEmpty());
    }
}

TEST(DocumentRecording, PrintedOnThePrinterSetsThePrintedOnDate)
{
    RecordingRun run;
    run.app->printer().setOutputFormat(QPrinter::PdfFormat);
    run.app->printer().setOutputFileName(run.path("printed.pdf"));
    ProcWindow *preview = run.start("DrucRECmin");
    ASSERT_NE(preview, nullptr);
    run.gui.press(preview, PagePreview::PrintButton);
    QPrintDialog *dialog = openDialog<QPrintDialog>();
    ASSERT_NE(dialog, nullptr);
    dialog->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 10000));
    EXPECT_TRUE(QFileInfo::exists(run.path("printed.pdf")));
    expectRecorded(run.stored(), kInvoice);
}

TEST(DocumentRecording, APrintThatDidNotHappenRecordsNothing)
{
    enum class Way { LeftThePreview, PdfDialogCancelled, PrintDialogCancelled, PrinterFailed };
    const Way ways[] = {Way::LeftThePreview,
                        Way::PdfDialogCancelled,
                        Way::PrintDialogCancelled,
                        Way::PrinterFailed};
    for (Way way : ways) {
        SCOPED_TRACE(static_cast<int>(way));
        RecordingRun run;
        // A file where the printer's folder should be: the printer cannot write.
        QFile blocker(run.path("blocker"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        run.app->printer().setOutputFormat(QPrinter::PdfFormat);
        run.app->printer().setOutputFileName(run.path("blocker") + u"/printed.pdf"_s);

        ProcWindow *preview = run.start("DrucANGmin");
        ASSERT_NE(preview, nullptr);
        switch (way) {
        case Way::LeftThePreview:
            run.leave(preview);
            break;
        case Way::PdfDialogCancelled: {
            run.gui.press(preview, PagePreview::SavePdf);
            QFileDialog *dialog = openDialog<QFileDialog>();
            ASSERT_NE(dialog, nullptr);
            dialog->reject();
            run.gui.settle();
            run.leave(preview);
            break;
        }
        case Way::PrintDialogCancelled:
        case Way::PrinterFailed: {
            run.gui.press(preview, PagePreview::PrintButton);
            QPrintDialog *dialog = openDialog<QPrintDialog>();
            ASSERT_NE(dialog, nullptr);
            if (way == Way::PrintDialogCancelled)
                dialog->reject();
            else
                dialog->accept();
            EXPECT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 10000));
            break;
        }
        }
        expectNothingRecorded(run.stored());
    }
}

} // namespace
