#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/missingdata.h"
#include "orders/reports/einvoicedocument.h"
#include "support/guiapp.h"

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
