// Issuing an invoice from the real preview: the stored PDF is byte for byte the file the user
// saved, a second print gives the stored document stamped "Kopie" and leaves it unmarked, and
// "Stornieren" keeps a credit note and opens the order again.

#include "orders/reports/documentissue.h"
#include "orders/reports/documentprocedures.h"

#include "base/stddate.h"
#include "framework/appcontext.h"
#include "framework/pagepreview.h"
#include "orders/core/orderthreadvalues.h"
#include "support/guiharness.h"
#include "support/orderfamily.h"
#include "support/pdftext.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace orderfamily;
using namespace Qt::Literals::StringLiterals;

namespace {

const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);
const rt::StdTime kNow = rt::timeFromHms(10, 30, 15);

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string sha(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

struct IssuingRun
{
    IssuingRun()
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
        orders::pdfViewer() = [this](const QString &path) {
            viewed << path;
            return true;
        };
    }
    ~IssuingRun()
    {
        orders::pdfViewer() = [](const QString &) {
            return false;
        };
        gui.threads().endAll();
        rt::clearFixedNow();
    }

    // Runs a procedure for F1 on a thread of its own.
    void start(const char *procedure)
    {
        response = 0;
        gui.start(QString::fromLatin1(procedure), [this, procedure] {
            app->threadSlot<orders::OrderThreadValues>().CurrentOrderId = "F1";
            response = app->call(procedure);
        });
    }

    // Prints the invoice F1 into a PDF file from the preview; false when no preview came.
    bool saveInvoice(const QString &file)
    {
        start("DrucRECstan");
        if (!QTest::qWaitFor([&] { return gui.window(u"Druck Vorschau"_s) != nullptr; }, 10000))
            return false;
        gui.settle();
        ProcWindow *preview = gui.window(u"Druck Vorschau"_s);
        gui.press(preview, PagePreview::SavePdf);
        if (!gui.answerFileDialog(file))
            return false;
        gui.press(preview, PagePreview::ExitButton);
        return QTest::qWaitFor([&] { return response != 0; }, 10000);
    }

    QString path(const char *name) const
    {
        return QString::fromStdString((t.folder.path() / name).string());
    }

    StoreFixture t;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
    QStringList viewed;
    int response = 0;
};

TEST(Issuing, TheStoredPdfIsByteForByteTheSavedFile)
{
    IssuingRun run;
    ASSERT_TRUE(run.saveInvoice(run.path("R-100.pdf")));
    const QByteArray saved = fileBytes(run.path("R-100.pdf"));
    ASSERT_TRUE(saved.startsWith("%PDF"));

    const auto document = orders::issuedDocument(*run.t.store, "R-100");
    ASSERT_TRUE(document.has_value());
    const auto stored = orders::issuedBytes(*run.t.store, "R-100");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(sha(QByteArray::fromStdString(stored->pdf)), sha(saved));
    EXPECT_EQ(document->get(BEL::BSHA), sha(saved));
    EXPECT_EQ(document->get(BEL::BDAT), kToday);
    EXPECT_EQ(document->get(BEL::BKNAME), "Verlag Bauer");
    EXPECT_TRUE(run.gui.openMessages().isEmpty());
}

TEST(Issuing, PrintingAgainGivesTheStoredDocumentMarkedKopie)
{
    IssuingRun run;
    ASSERT_TRUE(run.saveInvoice(run.path("R-100.pdf")));
    const std::string original = orders::issuedBytes(*run.t.store, "R-100")->pdf;

    run.start("DrucRECstan");
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 10000));
    // No preview of a new rendering: the copy went to the viewer.
    EXPECT_EQ(run.gui.window(u"Druck Vorschau"_s), nullptr);
    ASSERT_EQ(run.viewed.size(), 1);
    const QString copyText = pdftext::extract(run.viewed.front());
    const QString originalText = pdftext::extract(run.path("R-100.pdf"));
    EXPECT_TRUE(copyText.contains(u"Kopie"_s)) << copyText.toStdString();
    EXPECT_FALSE(originalText.contains(u"Kopie"_s));
    EXPECT_TRUE(copyText.contains(u"R-100"_s));
    // Every page of the copy carries the stamp; the stored original stays unmarked.
    const QStringList pages = pdftext::pages(copyText);
    for (const QString &page : pages)
        EXPECT_TRUE(page.contains(u"Kopie"_s));
    EXPECT_TRUE(orders::issuedBytes(*run.t.store, "R-100")->pdf == original);
    EXPECT_EQ(run.t.count(FileId::beleg), 1);
}

TEST(Issuing, StornierenKeepsACreditNoteAndOpensTheOrder)
{
    IssuingRun run;
    ASSERT_TRUE(run.saveInvoice(run.path("R-100.pdf")));

    run.start("Stornieren");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !run.gui.openMessages().isEmpty(); }, 10000));
    const auto asked = run.gui.answer(MessageButton::Yes, u"Stornieren"_s);
    ASSERT_TRUE(asked.has_value());
    EXPECT_TRUE(asked->text.contains(u"ST-2026-0001"_s)) << asked->text.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 20000));
    EXPECT_EQ(run.response, Response::Completed);

    const auto credit = orders::issuedDocument(*run.t.store, "ST-2026-0001");
    ASSERT_TRUE(credit.has_value());
    EXPECT_EQ(credit->get(BEL::BBEZUG), "R-100");
    EXPECT_DOUBLE_EQ(credit->get(BEL::BBRUTTO),
                     -orders::issuedDocument(*run.t.store, "R-100")->get(BEL::BBRUTTO));
    EXPECT_FALSE(orders::standingInvoice(*run.t.store, "F1").has_value());
    // The credit note was shown to the user: its stored PDF names what it cancels.
    ASSERT_EQ(run.viewed.size(), 1);
    const QString text = pdftext::extract(run.viewed.front());
    EXPECT_TRUE(text.contains(u"STORNORECHNUNG"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Storno der Rechnung R-100"_s)) << text.toStdString();
}

// The customer's turnover is what the issued documents say: the invoice's amount net of VAT
// once it is issued, nothing once it is cancelled, where invoice and credit note add up to 0.
TEST(Issuing, TheCustomersTurnoverFollowsTheIssuedDocumentsAlsoAfterACancellation)
{
    IssuingRun run;
    showRecord(run.t, FileId::auftrag, AUF::Keyfid, AUF::FID, "F1");
    Records &r = run.t.records();
    r.set(AUF::NETTO, 100.0);
    r.set(AUF::RABPREIS, 100.0);
    r.set(AUF::MWST, 19.0);
    r.set(AUF::BRUTTO, 119.0);
    ASSERT_EQ(run.t.fm(FileId::auftrag).Update(), Level::Benign);
    run.t.rk(FileId::auftrag).Close();
    auto customer = [&run] {
        showRecord(run.t, FileId::kunde, KUN::Keyid, KUN::KID, "K2");
        const RecordBuffer stored = run.t.records()[FileId::kunde];
        run.t.rk(FileId::kunde).Close();
        return stored;
    };
    // Net of VAT, as the documents keep it: gross less VAT.
    auto documentsNet = [&run] {
        double sum = 0;
        const auto documents = orders::issuedDocuments(*run.t.store);
        for (const RecordBuffer &d : documents.value_or(std::vector<RecordBuffer>{}))
            sum += d.get(BEL::BBRUTTO) - d.get(BEL::BMWST);
        return sum;
    };

    ASSERT_TRUE(run.saveInvoice(run.path("R-100.pdf")));
    const auto invoice = orders::issuedDocument(*run.t.store, "R-100");
    ASSERT_TRUE(invoice.has_value());
    EXPECT_DOUBLE_EQ(invoice->get(BEL::BBRUTTO), 119.0);
    EXPECT_DOUBLE_EQ(customer().get(KUN::REUMSATZ), 100.0);
    EXPECT_DOUBLE_EQ(customer().get(KUN::REUMSATZ), documentsNet());
    EXPECT_EQ(customer().get(KUN::RECH), rt::dateFromYmd(2025, 7, 14));

    run.start("Stornieren");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !run.gui.openMessages().isEmpty(); }, 10000));
    ASSERT_TRUE(run.gui.answer(MessageButton::Yes, u"Stornieren"_s).has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.response != 0; }, 20000));
    ASSERT_EQ(run.t.count(FileId::beleg), 2);
    EXPECT_DOUBLE_EQ(documentsNet(), 0.0);
    EXPECT_DOUBLE_EQ(customer().get(KUN::REUMSATZ), 0.0);
    EXPECT_EQ(customer().get(KUN::RECH), 0);
}

} // namespace
