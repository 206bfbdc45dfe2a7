#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

using einvoice::Invoice;
using einvoice::Profile;

namespace {

// The texts of every element with this local name, in document order.
QStringList texts(const QByteArray &xml, const QString &name)
{
    QStringList found;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == name)
            found.append(reader.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return found;
}

// The XML holds no creation time (the invoice date is its only date), so the files compare
// as they are. With TESSARO_UPDATE_GOLDEN=1 the file is written instead, to be checked in.
void expectGolden(const QString &name, const QByteArray &xml)
{
    const QString path = QStringLiteral(TESSARO_EINVOICE_GOLDEN_DIR "/") + name;
    if (qEnvironmentVariableIntValue("TESSARO_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(einvoicefixture::writeFile(path, xml));
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no golden file " << path.toStdString();
    const QList<QByteArray> expected = in.readAll().split('\n');
    const QList<QByteArray> actual = xml.split('\n');
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        ASSERT_EQ(expected.value(i), actual.value(i))
            << name.toStdString() << " differs from its golden file at line " << i + 1;
    }
}

TEST(CiiWriter, TwoOrdersMatchTheirGoldenFiles)
{
    expectGolden(QStringLiteral("R-2025-311-en16931.xml"),
                 einvoice::writeCii(einvoice::buildInvoice(fixture::document(),
                                                           einvoicefixture::seller(),
                                                           einvoicefixture::buyer(false)),
                                    Profile::En16931));
    // A public customer: no discount, three percent Skonto, a paper line of the order.
    fixture::OrderOptions o;
    o.discountPercent = 0;
    o.skontoPercent = 3;
    o.skontoDays = 14;
    orders::DocumentData d = fixture::document(o);
    d.paperLines.push_back(einvoicefixture::orderPaper("Umschlagkarton", 250, "Bogen", 18.75));
    fixture::storeTotals(d, o);
    expectGolden(QStringLiteral("R-2025-311-xrechnung.xml"),
                 einvoice::writeCii(einvoice::buildInvoice(
                                        d, einvoicefixture::seller(), einvoicefixture::buyer(true)),
                                    Profile::XRechnung));
}

// The coded line as receiving systems parse it: percent with two places, the base only
// where it is not the amount due, a line break after it.
TEST(CiiWriter, SkontoIsASentenceAndACodedLine)
{
    struct Case
    {
        double percent;
        int days;
        einvoice::Cents base; // 0: the amount due
        const char *coded;
    };
    const Case cases[] = {
        {2, 10, 0, "\n#SKONTO#TAGE=10#PROZENT=2.00#\n"},
        {2.5, 14, 0, "\n#SKONTO#TAGE=14#PROZENT=2.50#\n"},
        {3, 7, 100000, "\n#SKONTO#TAGE=7#PROZENT=3.00#BASISBETRAG=1000.00#\n"},
    };
    for (const Case &c : cases) {
        Invoice invoice = einvoice::buildInvoice(fixture::document(), einvoicefixture::seller());
        invoice.skonto->percent = c.percent;
        invoice.skonto->days = c.days;
        if (c.base)
            invoice.skonto->base = c.base;
        const QString terms
            = texts(einvoice::writeCii(invoice, Profile::XRechnung), QStringLiteral("Description"))
                  .last();
        EXPECT_TRUE(
            terms.startsWith(QStringLiteral("Rechnungsendbetrag zahlbar bis zum: 14.08.2025\nBei "
                                            "Zahlung bis zum 25.07.2025 können ")))
            << terms.toStdString();
        EXPECT_TRUE(terms.endsWith(QString::fromLatin1(c.coded))) << terms.toStdString();
    }
}

} // namespace
