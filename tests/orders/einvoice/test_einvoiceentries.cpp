// The entry checks of the shop's and the customers' e-invoice data, case by case.

#include "orders/einvoice/entrychecks.h"

#include <gtest/gtest.h>

namespace {

struct Row
{
    const char *name;
    QString (*check)(const QString &);
    const char *entry;
    bool accepted;
    const char *saying = ""; // part of the message when refused
};

const Row kRows[] = {
    // IBAN: check digits, country length, form; blanks between groups are fine.
    {"IbanGood", einvoice::ibanProblem, "DE89 3704 0044 0532 0130 00", true},
    {"IbanGoodCompact", einvoice::ibanProblem, "DE20660501010012345678", true},
    {"IbanLowerCase", einvoice::ibanProblem, "de89370400440532013000", true},
    {"IbanAustria", einvoice::ibanProblem, "AT61 1904 3002 3457 3201", true},
    {"IbanOneDigitWrong",
     einvoice::ibanProblem,
     "DE89 3704 0044 0532 0130 01",
     false,
     "Prüfziffern"},
    {"IbanDigitsSwapped",
     einvoice::ibanProblem,
     "DE89 3704 0044 0532 0103 00",
     false,
     "Prüfziffern"},
    {"IbanGermanTooShort",
     einvoice::ibanProblem,
     "DE89 3704 0044 0532 0130 0",
     false,
     "22 Stellen"},
    {"IbanNoCountry", einvoice::ibanProblem, "8937 0400 4405 3201 3000", false, "Ländercode"},
    {"IbanUnknownCountry",
     einvoice::ibanProblem,
     "XX89 3704 0044 0532 0130 00",
     false,
     "Ländercode"},
    {"IbanBlank", einvoice::ibanProblem, "   ", true},
    // VAT id: DE and nine digits; other countries by their prefix.
    {"VatIdGerman", einvoice::vatIdProblem, "DE123456789", true},
    {"VatIdGermanWithBlank", einvoice::vatIdProblem, "DE 123456789", true},
    {"VatIdGermanEightDigits", einvoice::vatIdProblem, "DE12345678", false, "9 Ziffern"},
    {"VatIdGermanTenDigits", einvoice::vatIdProblem, "DE1234567890", false, "9 Ziffern"},
    {"VatIdGermanLetter", einvoice::vatIdProblem, "DE12345678X", false, "9 Ziffern"},
    {"VatIdWithoutCountry", einvoice::vatIdProblem, "123456789", false, "Ländercode"},
    {"VatIdAustrian", einvoice::vatIdProblem, "ATU12345678", true},
    {"VatIdGreek", einvoice::vatIdProblem, "EL123456789", true},
    {"VatIdUnknownPrefix", einvoice::vatIdProblem, "QQ123456789", false, "Ländercode"},
    // Countries: ISO 3166-1 alpha-2 only.
    {"CountryGermany", einvoice::countryProblem, "DE", true},
    {"CountrySwitzerland", einvoice::countryProblem, "CH", true},
    {"CountryLowerCase", einvoice::countryProblem, "de", false, "ISO 3166"},
    {"CountryUnassigned", einvoice::countryProblem, "XY", false, "ISO 3166"},
    {"CountryThreeLetters", einvoice::countryProblem, "DEU", false, "ISO 3166"},
    {"CountryGreeceIsGR", einvoice::countryProblem, "EL", false, "ISO 3166"},
    // E-mail addresses.
    {"MailGood", einvoice::emailProblem, "rechnung@druckerei.example", true},
    {"MailNoAt", einvoice::emailProblem, "rechnung.druckerei.example", false, "E-Mail"},
    {"MailNoDomain", einvoice::emailProblem, "rechnung@druckerei", false, "E-Mail"},
    {"MailBlankInside", einvoice::emailProblem, "rech nung@druckerei.de", false, "E-Mail"},
    // Leitweg-IDs by their check digits; other buyer references by their form.
    {"LeitwegIdExample", einvoice::buyerReferenceProblem, "04011000-1234512345-06", true},
    {"LeitwegIdTest", einvoice::buyerReferenceProblem, "991-33333TEST-33", true},
    {"LeitwegIdLowerCase", einvoice::buyerReferenceProblem, "991-33333test-33", true},
    {"LeitwegIdNoFineAddress", einvoice::buyerReferenceProblem, "992-90009-96", true},
    {"LeitwegIdWrongCheck",
     einvoice::buyerReferenceProblem,
     "04011000-1234512345-07",
     false,
     "Prüfziffer"},
    {"LeitwegIdDigitChanged",
     einvoice::buyerReferenceProblem,
     "04011000-1234512346-06",
     false,
     "Prüfziffer"},
    {"BuyerReferenceOwn", einvoice::buyerReferenceProblem, "BESTELLUNG-4711", true},
    {"BuyerReferenceWithBlank",
     einvoice::buyerReferenceProblem,
     "Bestellung 4711",
     false,
     "Bindestriche"},
    {"BuyerReferenceDoubleDash", einvoice::buyerReferenceProblem, "991--33", false, "Bindestriche"},
    // BIC.
    {"BicEight", einvoice::bicProblem, "KARSDE66", true},
    {"BicEleven", einvoice::bicProblem, "COBADEFFXXX", true},
    {"BicTen", einvoice::bicProblem, "COBADEFFXX", false, "8 oder 11"},
    {"BicNoCountry", einvoice::bicProblem, "COBAXXFF", false, "8 oder 11"},
};

} // namespace

TEST(EInvoiceEntries, EachEntryIsAcceptedOrRefusedWithItsReason)
{
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        const QString problem = row.check(QString::fromUtf8(row.entry));
        if (row.accepted) {
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        } else {
            ASSERT_FALSE(problem.isEmpty());
            EXPECT_TRUE(problem.contains(QString::fromUtf8(row.saying))) << problem.toStdString();
        }
    }
}

TEST(EInvoiceEntries, IbanIsPrintedInGroupsOfFour)
{
    EXPECT_EQ(einvoice::groupedIban(QStringLiteral("de20660501010012345678")),
              QStringLiteral("DE20 6605 0101 0012 3456 78"));
    EXPECT_EQ(einvoice::compactIban(QStringLiteral(" DE20 6605 0101 0012 3456 78 ")),
              QStringLiteral("DE20660501010012345678"));
}
