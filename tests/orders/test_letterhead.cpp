// The shop's letterhead on quotes and invoices: there with the setting, and the room left
// empty for pre-printed paper without it.

#include "documentfixture.h"

#include "orders/reports/documentreports.h"
#include "support/pdftext.h"

#include <gtest/gtest.h>

using orders::DocumentReport;

namespace {

orders::DocumentData withCompany(bool letterhead)
{
    orders::DocumentData data = fixture::document();
    RecordBuffer &c = data.company;
    c.set(FIR::FINAME, "Druckerei Sonnenschein GmbH");
    c.set(FIR::FISTR, "Rheinhafenstraße 12");
    c.set(FIR::FIPLZ, "76189");
    c.set(FIR::FIORT, "Karlsruhe");
    c.set(FIR::FIUSTID, "DE287654321");
    c.set(FIR::FISTNR, "35001/23456");
    c.set(FIR::FIREGGER, "Amtsgericht Mannheim");
    c.set(FIR::FIREGNR, "HRB 712345");
    c.set(FIR::FIGF, "Petra Sonnenschein");
    c.set(FIR::FIIBAN, "DE20660501010012345678");
    c.set(FIR::FIBIC, "KARSDE66XXX");
    c.set(FIR::FIBANK, "Sparkasse Karlsruhe");
    c.set(FIR::FITEL, "0721 9561-0");
    c.set(FIR::FIEMAIL, "info@druckerei-sonnenschein.example");
    data.letterhead = letterhead;
    return data;
}

QString render(DocumentReport which, const orders::DocumentData &data, const QString &name)
{
    ensureGuiApplication();
    report::PageQueue queue;
    EXPECT_TRUE(orders::printDocument(which, data, fixture::kVatFactor, queue));
    return pdftext::textOf(queue, name);
}

// What the letterhead prints: name and contact, the sender line, and the footer's bank, tax
// and register data.
const char *const kLetterhead[] = {
    "Druckerei Sonnenschein GmbH",
    "Rheinhafenstraße 12",
    "Tel. 0721 9561-0",
    "info@druckerei-sonnenschein.example",
    "Druckerei Sonnenschein GmbH · Rheinhafenstraße 12 · 76189 Karlsruhe",
    "Sparkasse Karlsruhe",
    "IBAN DE20 6605 0101 0012 3456 78",
    "BIC KARSDE66XXX",
    "USt-IdNr. DE287654321",
    "St.-Nr. 35001/23456",
    "Amtsgericht Mannheim",
    "HRB 712345",
    "Geschäftsführung: Petra Sonnenschein",
};

} // namespace

TEST(Letterhead, PrintedOnQuotesAndInvoicesWithTheSettingOnly)
{
    for (DocumentReport which : {DocumentReport::DrucRECstan, DocumentReport::DrucANGmin}) {
        const QString name = orders::documentReportName(which);
        SCOPED_TRACE(name.toStdString());
        const QString with = render(which, withCompany(true), name + QStringLiteral("-with"));
        const QString without
            = render(which, withCompany(false), name + QStringLiteral("-without"));
        for (const char *line : kLetterhead) {
            EXPECT_TRUE(with.contains(QString::fromUtf8(line))) << line << '\n'
                                                                << with.toStdString();
            EXPECT_FALSE(without.contains(QString::fromUtf8(line))) << line;
        }
        // The document itself is the same either way.
        EXPECT_TRUE(with.contains(QStringLiteral("Kundennummer:")));
        EXPECT_TRUE(without.contains(QStringLiteral("Kundennummer:")));
    }
}

TEST(Letterhead, EveryPageHasTheFooter)
{
    orders::DocumentData data = withCompany(true);
    // Enough positions for more than one page.
    const orders::CalculationData one = data.calculations.front();
    for (int i = 0; i < 30; ++i)
        data.calculations.push_back(one);
    const QString text = render(DocumentReport::DrucRECmax, data, QStringLiteral("long"));
    const QStringList pages = pdftext::pages(text);
    ASSERT_GT(pages.size(), 1);
    for (const QString &page : pages)
        EXPECT_TRUE(page.contains(QStringLiteral("IBAN DE20 6605 0101 0012 3456 78")));
}
