#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/missingdata.h"
#include "orders/reports/einvoicedocument.h"
#include "support/guiapp.h"
#include "support/pdftext.h"

using namespace einvoicefixture;
using orders::DocumentReport;

namespace {

class EInvoiceValidation : public ::testing::TestWithParam<Case>
{
protected:
    // With TESSARO_EINVOICE_DIR set, the files are also kept there as `<case>-<file>`.
    void add(const QString &file, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(m_dir.filePath(file), bytes)) << file.toStdString();
        m_files.append(m_dir.filePath(file));
        const QString keep = qEnvironmentVariable("TESSARO_EINVOICE_DIR");
        if (!keep.isEmpty()) {
            writeFile(keep + QLatin1Char('/') + QString::fromLatin1(GetParam().name)
                          + QLatin1Char('-') + file,
                      bytes);
        }
    }

    void expectAllValid()
    {
        const std::vector<Verdict> verdicts = validate(m_files);
        for (std::size_t i = 0; i < verdicts.size(); ++i) {
            EXPECT_EQ(verdicts[i].exitCode, 0) << m_files[qsizetype(i)].toStdString() << ":\n"
                                               << verdicts[i].output.toStdString();
        }
    }

    QTemporaryDir m_dir;
    QStringList m_files;
};

TEST_P(EInvoiceValidation, XmlAndPdfPassTheRules)
{
    ensureGuiApplication();
    StoreFixture t;
    const orders::DocumentData data = storedAndLoaded(t, GetParam().order());
    const QDateTime created(QDate(2025, 7, 15), QTime(10, 30), Qt::OffsetFromUTC, 7200);

    // A company under EN 16931, a public customer with a Leitweg-ID under XRechnung; each as
    // XML and as PDF with the XML inside.
    for (const bool leitweg : {false, true}) {
        const einvoice::Profile profile
            = leitweg ? einvoice::Profile::XRechnung : einvoice::Profile::En16931;
        const QString name = leitweg ? QStringLiteral("xrechnung") : QStringLiteral("en16931");
        const einvoice::Invoice invoice = einvoice::buildInvoice(data, seller(), buyer(leitweg));
        ASSERT_EQ(einvoice::missingEInvoiceData(invoice, profile), QStringList());
        add(name + QStringLiteral(".xml"), einvoice::writeCii(invoice, profile));
        const orders::InvoicePdf pdf
            = orders::makeInvoicePdf(GetParam().layout, data, invoice, profile, created);
        ASSERT_TRUE(pdf.ok()) << pdf.error.toStdString();
        add(name + QStringLiteral(".pdf"), pdf.pdf);
    }
    expectAllValid();
}

// The cancellation of an issued invoice is a credit note (381) that names the invoice it
// cancels (BT-25, BT-26), as XML and inside its PDF, under both rule sets.
TEST_P(EInvoiceValidation, CreditNoteOfACancellationPassesTheRules)
{
    ensureGuiApplication();
    StoreFixture t;
    const orders::DocumentData data = storedAndLoaded(t, GetParam().order());
    const QDateTime created(QDate(2025, 7, 20), QTime(9, 0), Qt::OffsetFromUTC, 7200);
    for (const bool leitweg : {false, true}) {
        const einvoice::Profile profile
            = leitweg ? einvoice::Profile::XRechnung : einvoice::Profile::En16931;
        const QString name
            = leitweg ? QStringLiteral("credit-xrechnung") : QStringLiteral("credit-en16931");
        einvoice::Invoice credit = einvoice::buildInvoice(data, seller(), buyer(leitweg));
        const QString invoiceNumber = credit.number;
        credit.type = einvoice::DocumentType::CreditNote;
        credit.number = QStringLiteral("ST-2025-0001");
        credit.precedingInvoice = invoiceNumber;
        credit.precedingDate = credit.issueDate;
        credit.issueDate = rt::dateFromYmd(2025, 7, 20);
        credit.dueDate = credit.issueDate;
        credit.skonto.reset();
        const QByteArray xml = einvoice::writeCii(credit, profile);
        EXPECT_TRUE(xml.contains("<ram:TypeCode>381</ram:TypeCode>")) << xml.toStdString();
        EXPECT_TRUE(xml.contains("<ram:InvoiceReferencedDocument>"));
        const QByteArray reference = QByteArray("<ram:IssuerAssignedID>") + invoiceNumber.toUtf8()
                                     + "</ram:IssuerAssignedID>";
        EXPECT_TRUE(xml.contains(reference));
        add(name + QStringLiteral(".xml"), xml);
        const orders::InvoicePdf pdf
            = orders::makeInvoicePdf(GetParam().layout, data, credit, profile, created);
        ASSERT_TRUE(pdf.ok()) << pdf.error.toStdString();
        add(name + QStringLiteral(".pdf"), pdf.pdf);
    }
    expectAllValid();
}

INSTANTIATE_TEST_SUITE_P(Orders,
                         EInvoiceValidation,
                         ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case> &info) {
                             return std::string(info.param.name);
                         });

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

// The PDF holds the same XML as the XML file and the pages of the printed invoice, and the
// same input gives the same bytes when the time is fixed.
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

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rechnung.pdf"));
    const QString xml = dir.filePath(QStringLiteral("factur-x.xml"));
    ASSERT_TRUE(writeFile(pdf, first.pdf));
    ASSERT_EQ(QProcess::execute(
                  QStringLiteral("pdfdetach"),
                  {QStringLiteral("-save"), QStringLiteral("1"), QStringLiteral("-o"), xml, pdf}),
              0);
    QFile attached(xml);
    ASSERT_TRUE(attached.open(QIODevice::ReadOnly));
    EXPECT_EQ(attached.readAll(), einvoice::writeCii(invoice, einvoice::Profile::En16931));

    report::PageQueue queue;
    ASSERT_TRUE(orders::printDocument(DocumentReport::DrucRECmax, data, invoice, queue));
    EXPECT_EQ(pdftext::normalised(pdftext::extract(pdf)), pdftext::textOf(queue));
}

} // namespace
