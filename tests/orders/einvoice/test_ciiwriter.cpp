#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"

#include <QRegularExpression>
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

// Each leaf element as "Name=text", and whether any element is empty.
struct Leaves
{
    QStringList leaves;
    QStringList empty;
    QString error;
};

Leaves leavesOf(const QByteArray &xml)
{
    Leaves result;
    QXmlStreamReader reader(xml);
    QString name;
    QString text;
    bool hasChild = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            name = reader.name().toString();
            text.clear();
            hasChild = false;
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            text += reader.text();
        } else if (reader.isEndElement()) {
            if (!hasChild) {
                if (text.trimmed().isEmpty())
                    result.empty.append(reader.name().toString());
                result.leaves.append(reader.name() + QLatin1Char('=') + text);
            }
            hasChild = true; // the parent of this element has a child
            text.clear();
        }
    }
    if (reader.hasError())
        result.error = reader.errorString();
    return result;
}

QString golden(const QString &name)
{
    return QStringLiteral(TESSARO_EINVOICE_GOLDEN_DIR) + QLatin1Char('/') + name;
}

// The first line that differs, with its number; empty when the texts are equal.
std::string firstDifference(const QString &expected, const QString &actual)
{
    const QStringList a = expected.split(QLatin1Char('\n'));
    const QStringList b = actual.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString left = i < a.size() ? a[i] : QStringLiteral("<end>");
        const QString right = i < b.size() ? b[i] : QStringLiteral("<end>");
        if (left != right) {
            return "line " + std::to_string(i + 1) + "\n- " + left.toStdString() + "\n+ "
                   + right.toStdString();
        }
    }
    return {};
}

void expectGolden(const QString &name, const QByteArray &xml)
{
    // There is no creation time in the XML: the invoice date is the only date of the
    // document, so the files compare as they are.
    const QString path = golden(name);
    if (qEnvironmentVariableIntValue("TESSARO_UPDATE_GOLDEN") == 1) {
        ASSERT_TRUE(einvoicefixture::writeFile(path, xml));
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no golden file " << path.toStdString();
    const std::string diff
        = firstDifference(QString::fromUtf8(in.readAll()), QString::fromUtf8(xml));
    EXPECT_TRUE(diff.empty()) << name.toStdString() << " differs from " << path.toStdString()
                              << " at " << diff;
}

// An order with a paper line of its own, no discount and three percent Skonto for a public
// customer.
orders::DocumentData publicOrder()
{
    fixture::OrderOptions o;
    o.discountPercent = 0;
    o.skontoPercent = 3;
    o.skontoDays = 14;
    orders::DocumentData d = fixture::document(o);
    d.paperLines.push_back(einvoicefixture::orderPaper("Umschlagkarton", 250, "Bogen", 18.75));
    fixture::storeTotals(d, o);
    return d;
}

TEST(CiiWriter, TwoOrdersMatchTheirGoldenFiles)
{
    expectGolden(QStringLiteral("R-2025-311-en16931.xml"),
                 einvoice::writeCii(einvoice::buildInvoice(fixture::document(),
                                                           einvoicefixture::seller(),
                                                           einvoicefixture::buyer(false)),
                                    Profile::En16931));
    expectGolden(QStringLiteral("R-2025-311-xrechnung.xml"),
                 einvoice::writeCii(einvoice::buildInvoice(publicOrder(),
                                                           einvoicefixture::seller(),
                                                           einvoicefixture::buyer(true)),
                                    Profile::XRechnung));
}

// Amounts with a decimal point and two places, dates as YYYYMMDD, no empty element, and
// every text read back as it was given, "&", "<" and umlauts included.
TEST(CiiWriter, WrittenAsTheReceivingSideReadsIt)
{
    static const QRegularExpression amount(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    static const QRegularExpression day(QStringLiteral("^[0-9]{8}$"));
    for (const einvoicefixture::Case &c : einvoicefixture::cases()) {
        for (Profile profile : {Profile::En16931, Profile::XRechnung}) {
            SCOPED_TRACE(std::string(c.name)
                         + (profile == Profile::XRechnung ? " XRechnung" : " EN 16931"));
            const Invoice invoice = einvoice::buildInvoice(
                c.order(), einvoicefixture::seller(), einvoicefixture::buyer(true));
            const QByteArray xml = einvoice::writeCii(invoice, profile);
            const Leaves l = leavesOf(xml);
            ASSERT_TRUE(l.error.isEmpty()) << l.error.toStdString();
            EXPECT_TRUE(l.empty.isEmpty()) << l.empty.join(QLatin1Char(' ')).toStdString();
            for (const QString &leaf : l.leaves) {
                const QString name = leaf.section(QLatin1Char('='), 0, 0);
                const QString value = leaf.section(QLatin1Char('='), 1);
                if (name.endsWith(QLatin1String("Amount"))) {
                    EXPECT_TRUE(amount.match(value).hasMatch()) << leaf.toStdString();
                }
                if (name == QLatin1String("DateTimeString")) {
                    EXPECT_TRUE(day.match(value).hasMatch()) << leaf.toStdString();
                }
            }

            QStringList names;
            for (const einvoice::InvoiceLine &line : invoice.lines)
                names.append(line.name);
            names += QStringList{invoice.seller.name, invoice.buyer.name};
            EXPECT_EQ(texts(xml, QStringLiteral("Name")), names);
            EXPECT_EQ(texts(xml, QStringLiteral("LineTotalAmount")).size(),
                      qsizetype(invoice.lines.size()) + 1);
        }
    }
}

TEST(CiiWriter, SkontoIsASentenceAndACodedLine)
{
    struct Case
    {
        const char *name;
        double percent;
        int days;
        bool otherBase;
        const char *coded;
    };
    const Case cases[] = {
        {"two percent", 2, 10, false, "#SKONTO#TAGE=10#PROZENT=2.00#\n"},
        {"two and a half percent", 2.5, 14, false, "#SKONTO#TAGE=14#PROZENT=2.50#\n"},
        {"on another base", 3, 7, true, "#SKONTO#TAGE=7#PROZENT=3.00#BASISBETRAG=1000.00#\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Invoice invoice = einvoice::buildInvoice(fixture::document(), einvoicefixture::seller());
        invoice.skonto->percent = c.percent;
        invoice.skonto->days = c.days;
        if (c.otherBase)
            invoice.skonto->base = 100000;
        const QString terms = einvoice::paymentTermsText(invoice);
        const QStringList lines = terms.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 4) << terms.toStdString();
        EXPECT_EQ(lines[0], QStringLiteral("Rechnungsendbetrag zahlbar bis zum: 14.08.2025"));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Bei Zahlung bis zum 25.07.2025 können ")))
            << lines[1].toStdString();
        EXPECT_TRUE(terms.endsWith(QString::fromLatin1(c.coded))) << terms.toStdString();
        EXPECT_EQ(
            texts(einvoice::writeCii(invoice, Profile::XRechnung), QStringLiteral("Description"))
                .filter(QStringLiteral("#SKONTO#"))
                .value(0),
            terms);
    }

    fixture::OrderOptions none;
    none.skontoPercent = 0;
    const Invoice plain
        = einvoice::buildInvoice(fixture::document(none), einvoicefixture::seller());
    EXPECT_EQ(einvoice::paymentTermsText(plain),
              QStringLiteral("Rechnungsendbetrag zahlbar bis zum: 14.08.2025"));
}

// A line that takes something off bills a negative quantity at a positive price; a credit
// note carries its own type code.
TEST(CiiWriter, NegativeLinesAndCreditNotes)
{
    Invoice invoice = einvoice::buildInvoice(fixture::document(), einvoicefixture::seller());
    invoice.lines[3].amount = -500;
    invoice.type = einvoice::DocumentType::CreditNote;
    const QByteArray xml = einvoice::writeCii(invoice, Profile::En16931);
    EXPECT_EQ(texts(xml, QStringLiteral("TypeCode")).value(0), QStringLiteral("381"));
    EXPECT_EQ(texts(xml, QStringLiteral("BilledQuantity")).value(3), QStringLiteral("-1"));
    EXPECT_EQ(texts(xml, QStringLiteral("ChargeAmount")).value(3), QStringLiteral("5.00"));
    EXPECT_EQ(texts(xml, QStringLiteral("LineTotalAmount")).value(3), QStringLiteral("-5.00"));
}

} // namespace
