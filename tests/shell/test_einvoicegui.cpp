// E-invoices made at the program's own windows from the sample data: the order form's
// "XRechnung speichern …" and "ZUGFeRD speichern …", and an invoice printed into a PDF file
// through the print dialog. Every file written is judged by the offline validator.

#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "orders/forms/orderform.h"
#include "orders/reports/documentissue.h"
#include "shell/procedures.h"
#include "shell/sampledata/sampledata.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/scriptedpresenter.h"
#include "support/storefixture.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace Qt::Literals::StringLiterals;
using O = OrderForm;

// The sample orders: one for a customer who takes ZUGFeRD, one for a public customer who
// takes XRechnung.
constexpr const char *kZugferdOrder = "2026-0417";
constexpr const char *kXRechnungOrder = "2026-0423";

struct Verdict
{
    int exitCode = -1;
    QString output;
};

Verdict validate(const QString &file)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(u"bash"_s, {QStringLiteral(TESSARO_EINVOICE_TOOLKIT "/validate"), file});
    Verdict verdict;
    if (!process.waitForFinished(600000)) {
        verdict.output = u"the validator did not finish: "_s + process.errorString();
        return verdict;
    }
    verdict.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    verdict.output = QString::fromUtf8(process.readAll());
    return verdict;
}

// The program's procedures on the sample data, offscreen, messages answered from a script.
class EInvoiceGui
{
public:
    EInvoiceGui()
        : store(std::make_unique<StoreContext>(folder.path(), messages))
    {
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        app->VatFactor = 1.19;
        registerProcedures(app->procedures());
        filled = sampledata::fillSampleData(*store) == sampledata::FillResult::Filled;
        // A second copy of an invoice that has just been issued is its stored copy, which
        // goes to the system's PDF viewer.
        orders::pdfViewer() = [this](const QString &path) {
            viewed << path;
            return true;
        };
    }
    ~EInvoiceGui()
    {
        orders::pdfViewer() = [](const QString &) {
            return false;
        };
        gui.threads().endAll();
    }
    EInvoiceGui(const EInvoiceGui &) = delete;
    EInvoiceGui &operator=(const EInvoiceGui &) = delete;

    // The stored order with this number; empty when there is none.
    RecordBuffer order(const std::string &number)
    {
        FileManager &orders = store->fileManager(FileId::auftrag);
        orders.Open();
        Records &r = store->records();
        r[FileId::auftrag].clear();
        r.set(AUF::FNR, number);
        if (orders.FetchQuiet(AUF::Keyfnr) != Level::Benign)
            r[FileId::auftrag].clear();
        RecordBuffer found = r[FileId::auftrag];
        orders.Close();
        return found;
    }

    void setStatus(const std::string &number, const std::string &status)
    {
        RecordBuffer stored = order(number);
        FileManager &orders = store->fileManager(FileId::auftrag);
        orders.Open();
        Records &r = store->records();
        r.set(AUF::FID, stored.get(AUF::FID));
        ASSERT_EQ(orders.FetchQuiet(AUF::Keyfid), Level::Benign);
        r.set(AUF::FSTAT, status);
        ASSERT_EQ(orders.Update(), Level::Benign);
        orders.Close();
    }

    void deleteShopData()
    {
        FileManager &company = store->fileManager(FileId::firma);
        company.Open();
        ASSERT_EQ(company.startPass(FIR::Keyfiid), Level::Benign);
        ASSERT_EQ(company.NextQuiet(), Level::Benign);
        ASSERT_EQ(company.handle().erase(), Result::Ok);
        company.Close();
    }

    // The order form opened for change from the customer's order list, as the user does.
    ProcWindow *openOrderForm(const std::string &number)
    {
        const RecordBuffer stored = order(number);
        const std::string orderId = stored.get(AUF::FID);
        const std::string customerId = stored.get(AUF::FKUID);
        returned = false;
        gui.start(u"Browseauftrag"_s, [this, orderId, customerId] {
            RelationKeeper &customers = store->relations(FileId::kunde);
            RelationKeeper &orders = store->relations(FileId::auftrag);
            customers.Open();
            orders.Open();
            Records &r = store->records();
            r.set(KUN::KID, customerId);
            store->fileManager(FileId::kunde).FetchQuiet(KUN::Keyid);
            r.set(AUF::FID, orderId);
            store->fileManager(FileId::auftrag).FetchQuiet(AUF::Keyfid);
            app->call("Updateauftrag", Request::Change);
            orders.Close();
            customers.Close();
            returned = true;
        });
        for (ProcWindow *w : ProcWindow::openWindows()) {
            if (w->isOpen() && w->title().startsWith(u"ÄNDERN Auftrag"_s))
                return w;
        }
        return nullptr;
    }

    QString path(const char *name) const
    {
        return QString::fromStdString((folder.path() / name).string());
    }

    TempFolder folder;
    ScriptedPresenter messages;
    std::unique_ptr<StoreContext> store;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
    bool filled = false;
    bool returned = false;
    QStringList viewed;
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

struct ButtonCase
{
    const char *order;
    int button;
    const char *file;
};

const ButtonCase kButtons[] = {
    {kXRechnungOrder, O::SaveXRechnung, "xrechnung.xml"},
    {kZugferdOrder, O::SaveZugferd, "zugferd.pdf"},
};

TEST(EInvoiceButtons, WriteAFileTheValidatorCallsValid)
{
    for (const ButtonCase &c : kButtons) {
        SCOPED_TRACE(c.file);
        EInvoiceGui g;
        ASSERT_TRUE(g.filled);
        ProcWindow *form = g.openOrderForm(c.order);
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(form->control(c.button)->isEnabled());
        g.gui.press(form, c.button);
        ASSERT_TRUE(g.gui.answerFileDialog(g.path(c.file)));
        EXPECT_TRUE(g.messages.shown.empty())
            << g.messages.shown.front().title << ": " << g.messages.shown.front().text;
        ASSERT_TRUE(QFileInfo::exists(g.path(c.file)));
        const Verdict verdict = validate(g.path(c.file));
        EXPECT_EQ(verdict.exitCode, 0) << verdict.output.toStdString();
        EXPECT_TRUE(verdict.output.contains(u"RESULT: VALID"_s)) << verdict.output.toStdString();
    }
}

TEST(EInvoiceButtons, DisabledWithTheirReasonBeforeTheInvoice)
{
    EInvoiceGui g;
    ASSERT_TRUE(g.filled);
    g.setStatus(kXRechnungOrder, "ANGEBOT");
    ProcWindow *form = g.openOrderForm(kXRechnungOrder);
    ASSERT_NE(form, nullptr);
    for (const int button : {O::SaveXRechnung, O::SaveZugferd}) {
        SCOPED_TRACE(button);
        QWidget *widget = form->control(button);
        ASSERT_NE(widget, nullptr);
        EXPECT_FALSE(widget->isEnabled());
        EXPECT_EQ(widget->toolTip(), u"Eine E-Rechnung gibt es erst im Status RECHNUNG."_s);
    }
}

TEST(EInvoiceButtons, WithoutTheShopsDataTheMessageSaysWhatIsMissingAndNoFileIsWritten)
{
    for (const ButtonCase &c : kButtons) {
        SCOPED_TRACE(c.file);
        EInvoiceGui g;
        ASSERT_TRUE(g.filled);
        g.deleteShopData();
        ProcWindow *form = g.openOrderForm(c.order);
        ASSERT_NE(form, nullptr);
        g.gui.press(form, c.button);
        EXPECT_FALSE(g.gui.answerFileDialog(g.path(c.file))) << "no file name is asked for";
        ASSERT_EQ(g.messages.shown.size(), 1u);
        const std::string &text = g.messages.shown[0].text;
        EXPECT_EQ(g.messages.shown[0].title, "E-Rechnung");
        for (const char *item : {"Die E-Rechnung wurde nicht geschrieben. Es fehlt:",
                                 "Der Name der Firma fehlt",
                                 "Die USt-IdNr. und die Steuernummer der Firma fehlen beide",
                                 "IBAN",
                                 "einzutragen unter Stammdaten → Firmendaten"}) {
            EXPECT_NE(text.find(item), std::string::npos) << item << " in: " << text;
        }
        EXPECT_TRUE(QDir(g.path("")).entryList({u"*.xml"_s, u"*.pdf"_s}).isEmpty());
        EXPECT_TRUE(form->isOpen()) << "the order form stays";
    }
}

// Printed through the print dialog into a PDF file, an invoice for a customer who takes
// ZUGFeRD is the same PDF/A-3 with its XML as "PDF speichern" writes; for any other customer
// the pages go into the file as they are.
TEST(EInvoicePrint, APrintIntoAPdfFileIsTheCustomersZugferdInvoice)
{
    struct Case
    {
        const char *order;
        bool einvoice;
    };
    for (const Case c : {Case{kZugferdOrder, true}, Case{kXRechnungOrder, false}}) {
        SCOPED_TRACE(c.order);
        EInvoiceGui g;
        ASSERT_TRUE(g.filled);
        const QString file = g.path("gedruckt.pdf");
        g.app->printer().setOutputFormat(QPrinter::PdfFormat);
        g.app->printer().setOutputFileName(file);
        ProcWindow *form = g.openOrderForm(c.order);
        ASSERT_NE(form, nullptr);
        g.gui.press(form, O::PrintStandard);
        ASSERT_TRUE(QTest::qWaitFor([&] { return g.gui.window(u"Druck Vorschau"_s); }, 10000));
        g.gui.settle();
        g.gui.press(g.gui.window(u"Druck Vorschau"_s), PagePreview::PrintButton);
        QPrintDialog *dialog = openDialog<QPrintDialog>();
        ASSERT_NE(dialog, nullptr);
        dialog->accept();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(file).size() > 0; }, 10000));
        g.gui.settle();
        EXPECT_TRUE(g.messages.shown.empty())
            << g.messages.shown.front().title << ": " << g.messages.shown.front().text;
        // The form prints two copies: the invoice issued into the file, then its copy.
        ASSERT_EQ(g.viewed.size(), 1);
        EXPECT_TRUE(g.viewed.front().contains(u"Kopie"_s)) << g.viewed.front().toStdString();

        const Verdict verdict = validate(file);
        if (c.einvoice) {
            EXPECT_EQ(verdict.exitCode, 0) << verdict.output.toStdString();
            EXPECT_TRUE(verdict.output.contains(u"PDF container structure"_s))
                << verdict.output.toStdString();
        } else {
            EXPECT_EQ(verdict.exitCode, 2)
                << "a plain PDF carries no invoice XML: " << verdict.output.toStdString();
        }
    }
}

} // namespace
