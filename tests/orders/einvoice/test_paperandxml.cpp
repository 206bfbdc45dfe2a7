#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/reports/documentreports.h"
#include "support/pdftext.h"

#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using orders::DocumentReport;

namespace {

// What the XML says, read back from the XML itself.
struct Written
{
    struct Line
    {
        QString name;
        QString amount;
        QString printPrice; // for calculations
        QString paperPrice;
    };
    std::vector<Line> lines;
    QMap<QString, QString> totals; // header amounts by element name
    QString discountPercent;
    QString vatPercent;
    QString dueDate;
    QString terms;
};

Written readBack(const QByteArray &xml)
{
    Written w;
    QXmlStreamReader r(xml);
    QString attribute;
    bool inLine = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement() && r.name() == QLatin1String("IncludedSupplyChainTradeLineItem"))
            inLine = false;
        if (!r.isStartElement())
            continue;
        const QString name = r.name().toString();
        if (name == QLatin1String("IncludedSupplyChainTradeLineItem")) {
            inLine = true;
            w.lines.emplace_back();
        } else if (inLine && name == QLatin1String("Name")) {
            w.lines.back().name = r.readElementText();
        } else if (inLine && name == QLatin1String("Description")) {
            attribute = r.readElementText();
        } else if (inLine && name == QLatin1String("Value")) {
            const QString value = r.readElementText().remove(QStringLiteral(" EUR"));
            if (attribute == QLatin1String("Druckpreis"))
                w.lines.back().printPrice = value;
            if (attribute == QLatin1String("Papierpreis"))
                w.lines.back().paperPrice = value;
        } else if (inLine && name == QLatin1String("LineTotalAmount")) {
            w.lines.back().amount = r.readElementText();
        } else if (name.endsWith(QLatin1String("Amount")) && !inLine) {
            w.totals[name] = r.readElementText();
        } else if (name == QLatin1String("CalculationPercent")) {
            w.discountPercent = r.readElementText();
        } else if (name == QLatin1String("RateApplicablePercent") && !inLine) {
            w.vatPercent = r.readElementText();
        } else if (name == QLatin1String("SpecifiedTradePaymentTerms")) {
            r.readNextStartElement();
            if (r.name() == QLatin1String("Description")) {
                w.terms = r.readElementText();
                r.readNextStartElement();
            }
            if (r.name() == QLatin1String("DueDateDateTime"))
                w.dueDate = r.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        }
    }
    return w;
}

const QLocale &german()
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

// "1025.40" as the paper prints it: "1.025,40".
QString paper(const QString &xmlAmount)
{
    return german().toString(xmlAmount.toDouble(), 'f', 2);
}

QString paperNumber(const QString &xmlNumber)
{
    return german().toString(xmlNumber.toDouble(), 'g', 15);
}

// The rest of the line on which `caption` stands next after `from`, which then moves past it.
QString restOfLine(const QString &text, const QString &caption, qsizetype &from)
{
    const qsizetype at = text.indexOf(caption, from);
    if (at < 0)
        return QStringLiteral("<\"") + caption + QStringLiteral("\" not found>");
    const qsizetype end = text.indexOf(QLatin1Char('\n'), at);
    from = end;
    return text.mid(at + caption.size(), end - at - caption.size());
}

// The line after the one `from` ends; `from` then ends that line.
QString nextLine(const QString &text, qsizetype &from)
{
    const qsizetype start = from + 1;
    from = text.indexOf(QLatin1Char('\n'), start);
    return text.mid(start, from - start);
}

::testing::AssertionResult holds(const QString &rest, const QString &amount)
{
    if (rest.split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(amount))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << amount.toStdString() << "\" not in \"" << rest.toStdString() << "\"";
}

void compare(const QString &text, const Written &w, DocumentReport layout)
{
    const bool full = layout == DocumentReport::DrucRECmax || layout == DocumentReport::DrucRECdet;
    const QString positionPrice = layout == DocumentReport::DrucRECmin
                                      ? QStringLiteral("Positonspreis:")
                                      : QStringLiteral("Positionspreis:");
    qsizetype at = 0;
    bool transportShown = false;
    for (const Written::Line &line : w.lines) {
        SCOPED_TRACE(line.name.toStdString());
        if (line.name == QLatin1String("Zusatzarbeiten")) {
            EXPECT_TRUE(
                holds(restOfLine(text, QStringLiteral("Zusatzarb."), at), paper(line.amount)));
        } else if (line.name == QLatin1String("Transportkosten")) {
            transportShown = true;
            EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Transportkosten:"), at),
                              paper(line.amount)));
        } else if (line.printPrice.isEmpty()) { // the order's own paper
            if (layout == DocumentReport::DrucRECmax)
                continue; // in the paper sum
            EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Papier: ") + line.name, at),
                              paper(line.amount)));
        } else {
            const QString nameLine = restOfLine(text, line.name, at);
            if (full) {
                EXPECT_TRUE(holds(nameLine, line.printPrice));
                EXPECT_TRUE(holds(nextLine(text, at), line.paperPrice));
            }
            EXPECT_TRUE(holds(restOfLine(text, positionPrice, at), paper(line.amount)));
        }
    }
    if (!transportShown) {
        EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Transportkosten:"), at),
                          QStringLiteral("0,00")));
    }

    EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Gesamt:"), at),
                      paper(w.totals.value(QStringLiteral("LineTotalAmount")))));
    if (w.totals.contains(QStringLiteral("AllowanceTotalAmount"))) {
        EXPECT_TRUE(text.contains(paperNumber(w.discountPercent) + QStringLiteral(" % Rabatt")));
        EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Gesamt inkl. Rabatt:"), at),
                          paper(w.totals.value(QStringLiteral("TaxBasisTotalAmount")))));
    } else {
        EXPECT_FALSE(text.contains(QStringLiteral("Rabatt")));
        EXPECT_EQ(w.totals.value(QStringLiteral("TaxBasisTotalAmount")),
                  w.totals.value(QStringLiteral("LineTotalAmount")));
    }
    EXPECT_TRUE(holds(restOfLine(text, paperNumber(w.vatPercent) + QStringLiteral(" % MwSt.:"), at),
                      paper(w.totals.value(QStringLiteral("TaxTotalAmount")))));
    EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Rechnungsendbetrag:"), at),
                      paper(w.totals.value(QStringLiteral("GrandTotalAmount")))));
    const QDate due = QDate::fromString(w.dueDate, QStringLiteral("yyyyMMdd"));
    EXPECT_TRUE(holds(restOfLine(text, QStringLiteral("Rechnungsendbetrag zahlbar bis zum:"), at),
                      due.toString(QStringLiteral("dd.MM.yyyy"))));

    // The Skonto sentence of the XML is the paper's; its amount stands on the next line there.
    static const QRegularExpression sentence(
        QStringLiteral("^(Bei Zahlung bis zum .* werden\\.) Skontobetrag: (\\S+) EUR$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch skonto = sentence.match(w.terms);
    EXPECT_EQ(skonto.hasMatch(), text.contains(QStringLiteral("Skonto")));
    if (skonto.hasMatch()) {
        EXPECT_TRUE(text.indexOf(skonto.captured(1), at) > 0) << skonto.captured(1).toStdString();
        EXPECT_TRUE(
            holds(restOfLine(text, QStringLiteral("Skontobetrag:"), at), skonto.captured(2)));
        static const QRegularExpression coded(QStringLiteral("#PROZENT=([0-9.]+)#"));
        EXPECT_TRUE(skonto.captured(1).contains(QStringLiteral(" ")
                                                + paperNumber(coded.match(w.terms).captured(1))
                                                + QStringLiteral(" % Skonto")));
    }
}

TEST(PaperAndXml, EveryAmountOfThePrintedInvoiceIsTheXmlsAmount)
{
    ensureGuiApplication();
    const DocumentReport layouts[] = {DocumentReport::DrucRECmax,
                                      DocumentReport::DrucRECdet,
                                      DocumentReport::DrucRECstan,
                                      DocumentReport::DrucRECmin};
    for (const einvoicefixture::Case &c : einvoicefixture::cases()) {
        const orders::DocumentData data = c.order();
        const einvoice::Invoice invoice
            = einvoice::buildInvoice(data, einvoicefixture::seller(), einvoicefixture::buyer(true));
        const Written written = readBack(einvoice::writeCii(invoice, einvoice::Profile::XRechnung));
        ASSERT_EQ(written.lines.size(), invoice.lines.size());
        for (DocumentReport layout : layouts) {
            const QString name = QString::fromLatin1(c.name) + QLatin1Char('-')
                                 + orders::documentReportName(layout);
            SCOPED_TRACE(name.toStdString());
            report::PageQueue queue;
            ASSERT_TRUE(orders::printDocument(layout, data, invoice, queue));
            compare(pdftext::textOf(queue, name), written, layout);
        }
    }
}

} // namespace
