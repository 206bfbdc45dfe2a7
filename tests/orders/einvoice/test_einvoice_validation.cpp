#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/missingdata.h"
#include "orders/reports/einvoicedocument.h"
#include "support/guiapp.h"
#include "support/pdftext.h"

#include <functional>

using namespace einvoicefixture;
using orders::DocumentReport;

namespace {

class EInvoiceValidation : public ::testing::TestWithParam<Case>
{
protected:
    // With TESSARO_EINVOICE_DIR set, the files are kept there as `<case>-<file>`.
    void expectValid(const QString &file, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(m_dir.filePath(file), bytes)) << file.toStdString();
        const QString keep = qEnvironmentVariable("TESSARO_EINVOICE_DIR");
        if (!keep.isEmpty()) {
            writeFile(keep + QLatin1Char('/') + QString::fromLatin1(GetParam().name)
                          + QLatin1Char('-') + file,
                      bytes);
        }
        const Verdict v = validate(m_dir.filePath(file));
        EXPECT_EQ(v.exitCode, 0) << file.toStdString() << ":\n" << v.output.toStdString();
    }

    QTemporaryDir m_dir;
};

TEST_P(EInvoiceValidation, XmlAndPdfPassTheRules)
{
    ensureGuiApplication();
    StoreFixture t;
    const orders::DocumentData data = storedAndLoaded(t, GetParam().order());

    const einvoice::Invoice company = einvoice::buildInvoice(data, seller(), buyer(false));
    ASSERT_EQ(einvoice::missingEInvoiceData(company, einvoice::Profile::En16931), QStringList());
    expectValid(QStringLiteral("en16931.xml"),
                einvoice::writeCii(company, einvoice::Profile::En16931));

    const QDateTime created(QDate(2025, 7, 15), QTime(10, 30), Qt::OffsetFromUTC, 7200);
    const orders::InvoicePdf pdf = orders::makeInvoicePdf(
        GetParam().layout, data, company, einvoice::Profile::En16931, created);
    ASSERT_TRUE(pdf.ok()) << pdf.error.toStdString();
    expectValid(QStringLiteral("zugferd.pdf"), pdf.pdf);

    const einvoice::Invoice authority = einvoice::buildInvoice(data, seller(), buyer(true));
    ASSERT_EQ(einvoice::missingEInvoiceData(authority, einvoice::Profile::XRechnung),
              QStringList());
    expectValid(QStringLiteral("xrechnung.xml"),
                einvoice::writeCii(authority, einvoice::Profile::XRechnung));
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         EInvoiceValidation,
                         ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return std::string(info.param.name);
                         });

} // namespace

namespace {

// The checked-in expectations of the XML writer are themselves valid e-invoices.
TEST(EInvoiceGoldenFiles, PassTheRules)
{
    for (const char *name : {"R-2025-311-en16931.xml", "R-2025-311-xrechnung.xml"}) {
        const Verdict v
            = validate(QStringLiteral(TESSARO_EINVOICE_GOLDEN_DIR "/") + QString::fromLatin1(name));
        EXPECT_EQ(v.exitCode, 0) << name << ":\n" << v.output.toStdString();
    }
}

// A seller without VAT id and tax number: the German message, and no file written, for the
// XML and for the PDF alike. The XML it would have been breaks the rule the message stands for.
TEST(BrokenSeller, GetsTheMessageAndNoFile)
{
    ensureGuiApplication();
    StoreFixture t;
    const orders::DocumentData data = storedAndLoaded(t, fixture::document());
    einvoice::Seller broken = seller();
    broken.vatId.clear();
    broken.taxNumber.clear();
    const einvoice::Invoice invoice = einvoice::buildInvoice(data, broken, buyer(true));
    const QStringList message{QStringLiteral(
        "Die USt-IdNr. und die Steuernummer der Firma fehlen beide; eine von ihnen muss "
        "angegeben sein (einzutragen unter Stammdaten → Firmendaten).")};

    QTemporaryDir dir;
    for (einvoice::Profile profile : {einvoice::Profile::En16931, einvoice::Profile::XRechnung}) {
        const QString xml = dir.filePath(QStringLiteral("rechnung.xml"));
        const einvoice::SaveResult saved = einvoice::saveCiiXml(xml, invoice, profile);
        EXPECT_FALSE(saved.written());
        EXPECT_EQ(saved.missing, message);
        EXPECT_FALSE(QFile::exists(xml));
    }
    const QString pdf = dir.filePath(QStringLiteral("rechnung.pdf"));
    const einvoice::SaveResult saved
        = orders::saveInvoicePdf(pdf, DocumentReport::DrucRECstan, data, invoice);
    EXPECT_EQ(saved.missing, message);
    EXPECT_FALSE(QFile::exists(pdf));

    // A file of that name from before stays as it was.
    ASSERT_TRUE(writeFile(pdf, "vorher"));
    orders::saveInvoicePdf(pdf, DocumentReport::DrucRECstan, data, invoice);
    QFile before(pdf);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), QByteArray("vorher"));

    const QString forced = dir.filePath(QStringLiteral("trotzdem.xml"));
    ASSERT_TRUE(writeFile(forced, einvoice::writeCii(invoice, einvoice::Profile::En16931)));
    const Verdict v = validate(forced);
    EXPECT_EQ(v.exitCode, 1) << v.output.toStdString();
    EXPECT_TRUE(v.output.contains(QStringLiteral("BR-S-02"))) << v.output.toStdString();
}

// What a complete invoice writes: the PDF holds the same XML as the XML file, and the same
// input gives the same bytes when the time is fixed.
TEST(InvoicePdf, CarriesTheXmlAndIsReproducible)
{
    ensureGuiApplication();
    const orders::DocumentData data = fixture::document();
    const einvoice::Invoice invoice = einvoice::buildInvoice(data, seller(), buyer(false));
    const QDateTime created(QDate(2025, 7, 15), QTime(10, 30, 15), Qt::UTC);
    const orders::InvoicePdf first
        = orders::makeInvoicePdf(DocumentReport::DrucRECmax, data, invoice, {}, created);
    const orders::InvoicePdf second
        = orders::makeInvoicePdf(DocumentReport::DrucRECmax, data, invoice, {}, created);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(first.pdf, second.pdf);
    EXPECT_EQ(first.xml, einvoice::writeCii(invoice, einvoice::Profile::En16931));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rechnung.pdf"));
    ASSERT_TRUE(orders::saveInvoicePdf(path, DocumentReport::DrucRECmax, data, invoice, {}, created)
                    .written());
    QProcess detach;
    detach.start(QStringLiteral("pdfdetach"),
                 {QStringLiteral("-save"),
                  QStringLiteral("1"),
                  QStringLiteral("-o"),
                  dir.filePath(QStringLiteral("out.xml")),
                  path});
    ASSERT_TRUE(detach.waitForFinished(60000));
    EXPECT_EQ(detach.exitCode(), 0) << detach.readAllStandardError().toStdString();
    QFile extracted(dir.filePath(QStringLiteral("out.xml")));
    ASSERT_TRUE(extracted.open(QIODevice::ReadOnly));
    EXPECT_EQ(extracted.readAll(), first.xml);

    QProcess check;
    check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();

    // The printed pages are those of the plain invoice.
    report::PageQueue queue;
    ASSERT_TRUE(orders::printDocument(DocumentReport::DrucRECmax, data, invoice, queue));
    EXPECT_EQ(pdftext::normalised(pdftext::extract(path)), pdftext::textOf(queue));
}

} // namespace
