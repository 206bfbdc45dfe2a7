#include "documentfixture.h"

#include "orders/reports/documentreports.h"
#include "support/pdftext.h"

#include <gtest/gtest.h>

#include <algorithm>

using orders::DocumentReport;

namespace {

const DocumentReport kAll[] = {
    DocumentReport::DrucRECmax,
    DocumentReport::DrucRECdet,
    DocumentReport::DrucRECstan,
    DocumentReport::DrucRECmin,
    DocumentReport::DrucANGmax,
    DocumentReport::DrucANGmin,
};

bool isInvoice(DocumentReport r)
{
    return r != DocumentReport::DrucANGmax && r != DocumentReport::DrucANGmin;
}

bool showsTypesetting(DocumentReport r)
{
    return r == DocumentReport::DrucRECmax || r == DocumentReport::DrucRECdet
           || r == DocumentReport::DrucANGmax;
}

QString golden()
{
    return QStringLiteral(TESSARO_GOLDEN_DIR);
}

QString render(DocumentReport which, const orders::DocumentData &data, const QString &name)
{
    ensureGuiApplication();
    report::PageQueue queue;
    EXPECT_TRUE(orders::printDocument(which, data, fixture::kVatFactor, queue));
    return pdftext::textOf(queue, name);
}

TEST(DocumentReports, OrderWithEverythingMatchesGolden)
{
    const orders::DocumentData data = fixture::document();
    for (DocumentReport r : kAll) {
        const QString name = orders::documentReportName(r);
        SCOPED_TRACE(name.toStdString());
        pdftext::expectGolden(golden(), name, render(r, data, name));
    }
}

// Discount 0, Skonto 0 %, payment period 0 days, no additional work.
TEST(DocumentReports, PlainOrderLeavesOutWhatDoesNotApply)
{
    fixture::OrderOptions plain;
    plain.discountPercent = 0;
    plain.skontoPercent = 0;
    plain.paymentDays = 0;
    plain.extras = 0;
    const orders::DocumentData data = fixture::document(plain);
    for (DocumentReport r : kAll) {
        const QString name = orders::documentReportName(r) + QStringLiteral("_plain");
        SCOPED_TRACE(name.toStdString());
        const QString text = render(r, data, name);
        pdftext::expectGolden(golden(), name, text);

        for (const char *absent : {"Rabatt",
                                   "bei Gewährung von",
                                   "Skonto",
                                   "Bei Zahlung bis zum",
                                   "können",
                                   "Zusatzarb.",
                                   "zzgl. einmalig  Zusatz"}) {
            EXPECT_FALSE(text.contains(QString::fromUtf8(absent))) << absent;
        }
        if (isInvoice(r)) {
            // No fallback to 14 days here: the due date is the invoice date itself.
            EXPECT_TRUE(
                text.contains(QStringLiteral("Rechnungsendbetrag zahlbar bis zum: 15.07.2025")));
        }
    }
}

TEST(DocumentReports, DueAndSkontoDatesCountFromTheInvoiceDate)
{
    const QString text
        = render(DocumentReport::DrucRECmin, fixture::document(), QStringLiteral("dates"));
    EXPECT_TRUE(text.contains(QStringLiteral("Rechnungsendbetrag zahlbar bis zum: 14.08.2025")));
    EXPECT_TRUE(text.contains(
        QStringLiteral("Bei Zahlung bis zum 25.07.2025 können 2 % Skonto abgezogen werden.")));
}

TEST(DocumentReports, EveryInvoiceShowsBothPositionsWithTheirPrices)
{
    const orders::DocumentData data = fixture::document();
    for (DocumentReport r : kAll) {
        const QString name = orders::documentReportName(r);
        SCOPED_TRACE(name.toStdString());
        const QString text = render(r, data, name + QStringLiteral("_positions"));
        const QString price = r == DocumentReport::DrucRECmin ? QStringLiteral("Positonspreis:")
                                                              : QStringLiteral("Positionspreis:");
        EXPECT_TRUE(pdftext::inOrder(text,
                                     {QStringLiteral("Flyer DIN A5, 4/4-farbig"),
                                      price,
                                      QStringLiteral("508,70 EUR"),
                                      QStringLiteral("Plakat DIN A2, 4/0-farbig"),
                                      price,
                                      QStringLiteral("446,70 EUR")}));
        const qsizetype lines = text.count(QStringLiteral("Satz-/ Weiterverarbeitung --->"));
        if (showsTypesetting(r)) {
            // Both typesetting lines of the second position stand between its name and its
            // price, and the first position has none.
            EXPECT_EQ(lines, 2);
            EXPECT_TRUE(pdftext::inOrder(text,
                                         {QStringLiteral("Plakat DIN A2, 4/0-farbig"),
                                          QStringLiteral("Satz nach Vorlage"),
                                          QStringLiteral("Falzen, Kreuzbruch"),
                                          price,
                                          QStringLiteral("446,70 EUR")}));
        } else {
            EXPECT_EQ(lines, 0);
            EXPECT_FALSE(text.contains(QStringLiteral("Satz nach Vorlage")));
        }
    }
}

TEST(DocumentReports, LongOrderRepeatsThePageHeaderAndNumbersThePages)
{
    fixture::OrderOptions many;
    many.positions = 14;
    const orders::DocumentData data = fixture::document(many);
    const QString text
        = render(DocumentReport::DrucRECmax, data, QStringLiteral("DrucRECmax_pages"));
    pdftext::expectGolden(golden(), QStringLiteral("DrucRECmax_pages"), text);

    const QStringList pages = pdftext::pages(text);
    ASSERT_GE(pages.size(), 3);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const QString &page = pages[i];
        EXPECT_TRUE(page.contains(QStringLiteral("Seite:  %1\n").arg(i + 1)));
        EXPECT_TRUE(page.contains(QStringLiteral("Rechnungs-Nr.:  R-2025-311")));
        EXPECT_TRUE(page.contains(QStringLiteral("Bäckerei Sonnenschein GmbH")));
        EXPECT_TRUE(page.contains(QStringLiteral("Position / Bez.")));
    }
    // Every position exactly once, each with its typesetting line and its price.
    for (int n = 1; n <= many.positions; ++n) {
        const QString name = QStringLiteral("Visitenkarten Mitarbeiter %1 ").arg(n);
        EXPECT_EQ(text.count(name), 1) << n;
    }
    EXPECT_EQ(text.count(QStringLiteral("Positionspreis:")), many.positions);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Rechnungsendbetrag:")));
}

TEST(DocumentReports, OrderNeverSavedPrintsNothing)
{
    ensureGuiApplication();
    orders::DocumentData data = fixture::document();
    data.order.set(AUF::FID, "");
    report::PageQueue queue;
    EXPECT_FALSE(orders::DrucRECmax(data, fixture::kVatFactor, queue));
    EXPECT_EQ(queue.count(), 0);
}

} // namespace

namespace {

// An order whose every amount is 99.999.999,99 EUR and whose runs and counts are as large as
// a form takes them.
orders::DocumentData hugeDocument()
{
    orders::DocumentData data = fixture::document();
    const double huge = 99999999.99;
    for (orders::CalculationData &c : data.calculations) {
        RecordBuffer &k = c.kaldruck;
        k.set(KAD::KASO, 99.0);
        k.set(KAD::KAAL, 9999999.0);
        k.set(KAD::KAALGES, 989999901.0);
        k.set(KAD::KAFARBE, 12.0);
        k.set(KAD::KADRPR, huge);
        k.set(KAD::APSTCK, 9999999.0);
        k.set(KAD::APENDPR, huge);
        k.set(KAD::KGESAMTPR, huge);
        for (RecordBuffer &line : c.typesetting) {
            line.set(ASA::ASANZ, 99999.0);
            line.set(ASA::ASFAK, 99.99);
            line.set(ASA::ASGPR, huge);
        }
    }
    for (RealField sum : {AUF::DRUCPR,
                          AUF::FARBWEPR,
                          AUF::PAPPR,
                          AUF::SATZPR,
                          AUF::NACHPR,
                          AUF::TRANPR,
                          AUF::NETTO,
                          AUF::RABPREIS,
                          AUF::MWST,
                          AUF::BRUTTO,
                          AUF::SKONPREIS})
        data.order.set(sum, huge);
    data.order.set(AUF::NGES, 999999999.0);
    return data;
}

// However large an amount, it prints whole and never over the column beside it.
TEST(DocumentReports, HugeAmountsStayWholeAndClearOfTheirNeighbours)
{
    const orders::DocumentData data = hugeDocument();
    for (DocumentReport r : kAll) {
        SCOPED_TRACE(orders::documentReportName(r).toStdString());
        ensureGuiApplication();
        report::PageQueue queue;
        ASSERT_TRUE(orders::printDocument(r, data, fixture::kVatFactor, queue));
        const QList<pdftext::Word> words
            = pdftext::wordsOf(queue, orders::documentReportName(r) + QStringLiteral("_huge"));
        ASSERT_FALSE(words.isEmpty());
        EXPECT_EQ(pdftext::overlapping(words), QStringList());
        const auto whole = std::count_if(words.begin(), words.end(), [](const pdftext::Word &w) {
            return w.text == QStringLiteral("99.999.999,99");
        });
        // Each position's price at least, and the totals below them.
        EXPECT_GE(whole, 3);
        for (const pdftext::Word &w : words)
            EXPECT_FALSE(w.text.contains(QChar(0x2026))) << "cut short: " << w.text.toStdString();
    }
}

} // namespace
