#pragma once

#include <QString>

// The checks the forms make on entry of the shop's and the customers' e-invoice data. Each
// gives the German message that says what is wrong, or an empty text when the entry is
// acceptable. A blank entry is acceptable to all of them: whether an e-invoice can do
// without it is said when one is written.
namespace einvoice {

// The IBAN by its length for the country (where known) and its check digits (ISO 13616,
// mod 97). Blanks between the groups are allowed.
QString ibanProblem(const QString &iban);
// A VAT id starts with its country's code; a German one is DE and nine digits.
QString vatIdProblem(const QString &vatId);
// A country as its two-letter ISO 3166-1 code ("DE").
QString countryProblem(const QString &code);
QString emailProblem(const QString &address);
// A Leitweg-ID ("04011000-1234512345-06") with its check digits (ISO 7064, mod 97-10), or
// another buyer reference of letters, digits and dashes.
QString buyerReferenceProblem(const QString &reference);
// A BIC: four letters of the bank, two of the country, two of the place, perhaps three of a
// branch.
QString bicProblem(const QString &bic);

bool isCountryCode(const QString &code);
// The IBAN without its blanks, in capitals.
QString compactIban(const QString &iban);
// The IBAN in groups of four, as it is printed.
QString groupedIban(const QString &iban);

} // namespace einvoice
