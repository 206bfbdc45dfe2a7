#include "einvoicefixture.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/invoicebuilder.h"
#include "orders/reports/documentreports.h"
#include "support/pdftext.h"

#include <QDate>
#include <QLocale>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using orders::DocumentReport;

namespace {

// The XML's texts in document order as (name, text): a line's name as "LineName", its item
// attributes by their own names ("Druckpreis"), amounts, percentages and dates by element.
std::vector<std::pair<QString, QString>> leaves(const QByteArray &xml)
{
    std::vector<std::pair<QString, QString>> out;
    QXmlStreamReader r(xml);
    QString attribute;
    bool inLine = false;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        const QString name = r.name().toString();
        if (name == "IncludedSupplyChainTradeLineItem"_L1)
            inLine = token == QXmlStreamReader::StartElement;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (name == "Description"_L1) {
            attribute = r.readElementText();
            out.emplace_back(name, attribute);
        } else if (name == "Value"_L1) {
            out.emplace_back(attribute, r.readElementText());
        } else if (name == "Name"_L1 && inLine) {
            out.emplace_back(u"LineName"_s, r.readElementText());
        } else if (name.endsWith("Amount"_L1) || name == "CalculationPercent"_L1
                   || name == "DateTimeString"_L1) {
            out.emplace_back(name, r.readElementText());
        }
    }
    return out;
}

// "1025.40" as the paper prints it: "1.025,40".
QString german(const QString &xmlNumber, int places = 2)
{
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return places ? locale.toString(xmlNumber.toDouble(), 'f', places)
                  : locale.toString(xmlNumber.toDouble(), 'g', 15);
}

// Walks the printed text: each step finds a caption after the last one and checks a word
// on the rest of its line.
class Paper
{
public:
    explicit Paper(QString text)
        : m_text(std::move(text))
    {}

    ::testing::AssertionResult shows(const QString &caption, const QString &word)
    {
        const qsizetype at = m_text.indexOf(caption, m_at);
        if (at < 0)
            return ::testing::AssertionFailure() << '"' << caption.toStdString() << "\" missing";
        m_at = m_text.indexOf(QLatin1Char('\n'), at);
        const QString rest = m_text.mid(at + caption.size(), m_at - at - caption.size());
        if (rest.split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(word))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << '"' << caption.toStdString() << "\" shows \"" << rest.toStdString() << "\", not "
               << word.toStdString();
    }

private:
    QString m_text;
    qsizetype m_at = 0;
};

// Every amount and date of the XML where the printed invoice shows it, in the same order.
void compare(const QString &text, const QByteArray &xml, DocumentReport layout)
{
    const bool full = layout == DocumentReport::DrucRECmax || layout == DocumentReport::DrucRECdet;
    const QString positionPrice
        = layout == DocumentReport::DrucRECmin ? u"Positonspreis:"_s : u"Positionspreis:"_s;
    Paper paper(text);
    QString line;
    QString paperName;
    bool calculation = false;
    QString discount;
    QString dueDate;
    QStringList terms;
    for (const auto &[name, value] : leaves(xml)) {
        SCOPED_TRACE(name.toStdString() + '=' + value.toStdString());
        if (name == "LineName"_L1) {
            line = value;
        } else if (name == "Papier"_L1) {
            paperName = value.section(u", "_s, 0, 0);
        } else if (name == "Druckpreis"_L1) {
            calculation = true;
            if (full) {
                EXPECT_TRUE(paper.shows(line, value.chopped(4)));
            }
        } else if (name == "Papierpreis"_L1 && full) {
            EXPECT_TRUE(paper.shows(paperName, value.chopped(4)));
        } else if (name == "LineTotalAmount"_L1 && !line.isEmpty()) {
            if (line == "Zusatzarbeiten"_L1) {
                EXPECT_TRUE(paper.shows(u"Zusatzarb."_s, german(value)));
            } else if (line == "Transportkosten"_L1) {
                EXPECT_TRUE(paper.shows(u"Transportkosten:"_s, german(value)));
            } else if (calculation) {
                EXPECT_TRUE(paper.shows(positionPrice, german(value)));
            } else if (layout != DocumentReport::DrucRECmax) { // else in the paper sum
                EXPECT_TRUE(paper.shows(u"Papier: "_s + line, german(value)));
            }
            line.clear();
            calculation = false;
        } else if (name == "CalculationPercent"_L1) {
            discount = german(value, 0) + u" % Rabatt"_s;
        } else if (name == "LineTotalAmount"_L1) {
            EXPECT_TRUE(paper.shows(u"Gesamt:"_s, german(value)));
        } else if (name == "TaxBasisTotalAmount"_L1 && !discount.isEmpty()) {
            EXPECT_TRUE(text.contains(discount));
            EXPECT_TRUE(paper.shows(u"Gesamt inkl. Rabatt:"_s, german(value)));
        } else if (name == "TaxTotalAmount"_L1) {
            EXPECT_TRUE(paper.shows(u"% MwSt.:"_s, german(value)));
        } else if (name == "GrandTotalAmount"_L1) {
            EXPECT_TRUE(paper.shows(u"Rechnungsendbetrag:"_s, german(value)));
        } else if (name == "DateTimeString"_L1) {
            dueDate = QDate::fromString(value, u"yyyyMMdd"_s).toString(u"dd.MM.yyyy"_s);
        } else if (name == "Description"_L1 && value.startsWith("Rechnungsendbetrag"_L1)) {
            terms = value.split(u'\n', Qt::SkipEmptyParts);
        }
    }
    EXPECT_EQ(discount.isEmpty(), !text.contains(u"Rabatt"_s));
    Paper closing(text);
    EXPECT_TRUE(closing.shows(u"Rechnungsendbetrag zahlbar bis zum:"_s, dueDate));

    // The payment terms of the XML are the paper's sentences; the Skonto amount stands on a
    // line of its own there.
    ASSERT_FALSE(terms.isEmpty());
    EXPECT_TRUE(text.contains(terms[0])) << terms[0].toStdString();
    if (terms.size() > 1) {
        const QString sentence = terms[1].section(u" Skontobetrag: "_s, 0, 0);
        EXPECT_TRUE(text.contains(sentence)) << sentence.toStdString();
        EXPECT_TRUE(closing.shows(u"Skontobetrag:"_s,
                                  terms[1].section(u" Skontobetrag: "_s, 1).chopped(4)));
    } else {
        EXPECT_FALSE(text.contains(u"Skonto"_s));
    }
}

TEST(PaperAndXml, EveryAmountOfThePrintedInvoiceIsTheXmlsAmount)
{
    ensureGuiApplication();
    for (const einvoicefixture::Case &c : einvoicefixture::cases()) {
        const orders::DocumentData data = c.order();
        const einvoice::Invoice invoice
            = einvoice::buildInvoice(data, einvoicefixture::seller(), einvoicefixture::buyer(true));
        const QByteArray xml = einvoice::writeCii(invoice, einvoice::Profile::XRechnung);
        for (DocumentReport layout : {DocumentReport::DrucRECmax,
                                      DocumentReport::DrucRECdet,
                                      DocumentReport::DrucRECstan,
                                      DocumentReport::DrucRECmin}) {
            const QString name = QString::fromLatin1(c.name) + QLatin1Char('-')
                                 + orders::documentReportName(layout);
            SCOPED_TRACE(name.toStdString());
            report::PageQueue queue;
            ASSERT_TRUE(orders::printDocument(layout, data, invoice, queue));
            compare(pdftext::textOf(queue, name), xml, layout);
        }
    }
}

} // namespace
