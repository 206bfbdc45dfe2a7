#include "entrychecks.h"

#include "missingdata.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <string_view>

namespace einvoice {
namespace {

// ISO 3166-1 alpha-2, the officially assigned codes.
constexpr std::string_view kCountries
    = "AD AE AF AG AI AL AM AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL BM BN BO "
      "BQ BR BS BT BV BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ "
      "DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP "
      "GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR IS IT JE JM JO JP KE KG "
      "KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML "
      "MM MN MO MP MQ MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE "
      "PF PG PH PK PL PM PN PR PS PT PW PY QA RE RO RS RU RW SA SB SC SD SE SG SH SI SJ SK SL "
      "SM SN SO SR SS ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TP TR TT TV TW TZ UA UG "
      "UM US UY UZ VA VC VE VG VI VN VU WF WS YE YT ZA ZM ZW";

struct IbanLength
{
    const char *country;
    int length;
};

// The IBAN lengths of the SEPA countries (ISO 13616 registry).
constexpr std::array<IbanLength, 36> kIbanLengths{{
    {"AD", 24}, {"AT", 20}, {"BE", 16}, {"BG", 22}, {"CH", 21}, {"CY", 28}, {"CZ", 24}, {"DE", 22},
    {"DK", 18}, {"EE", 20}, {"ES", 24}, {"FI", 18}, {"FR", 27}, {"GB", 22}, {"GI", 23}, {"GR", 27},
    {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IS", 26}, {"IT", 27}, {"LI", 21}, {"LT", 20}, {"LU", 20},
    {"LV", 21}, {"MC", 27}, {"MT", 31}, {"NL", 18}, {"NO", 15}, {"PL", 28}, {"PT", 25}, {"RO", 24},
    {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27},
}};

bool matches(const QString &pattern, const QString &text)
{
    const QRegularExpression form(QRegularExpression::anchoredPattern(pattern));
    return form.match(text).hasMatch();
}

QString compact(const QString &text)
{
    QString out = text.trimmed().toUpper();
    out.remove(QLatin1Char(' '));
    return out;
}

// ISO 7064 mod 97-10 over digits and letters (A = 10 … Z = 35), as for an IBAN.
int mod97(const QString &text)
{
    int remainder = 0;
    for (const QChar c : text) {
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        remainder = value >= 10 ? (remainder * 100 + value) % 97 : (remainder * 10 + value) % 97;
    }
    return remainder;
}

} // namespace

bool isCountryCode(const QString &code)
{
    if (!matches(QStringLiteral("[A-Z]{2}"), code))
        return false;
    const std::string two = code.toStdString();
    for (std::size_t at = 0; at + 2 <= kCountries.size(); at += 3) {
        if (kCountries.substr(at, 2) == two)
            return true;
    }
    return false;
}

QString compactIban(const QString &iban)
{
    return compact(iban);
}

QString groupedIban(const QString &iban)
{
    const QString plain = compact(iban);
    QString out;
    for (qsizetype at = 0; at < plain.size(); at += 4)
        out += (out.isEmpty() ? QString() : QStringLiteral(" ")) + plain.mid(at, 4);
    return out;
}

QString ibanProblem(const QString &iban)
{
    const QString plain = compact(iban);
    if (plain.isEmpty())
        return {};
    if (!matches(QStringLiteral("[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}"), plain))
        return QStringLiteral("Die IBAN beginnt mit dem Ländercode und zwei Prüfziffern und "
                              "enthält nur Buchstaben und Ziffern (z. B. DE89 3704 0044 0532 "
                              "0130 00).");
    const QString country = plain.left(2);
    if (!isCountryCode(country))
        return QStringLiteral("Die IBAN beginnt nicht mit einem Ländercode.");
    const auto known = std::find_if(kIbanLengths.begin(), kIbanLengths.end(), [&](auto &row) {
        return country == QLatin1String(row.country);
    });
    if (known != kIbanLengths.end() && plain.size() != known->length)
        return QStringLiteral("Eine IBAN aus %1 hat %2 Stellen, diese hat %3.")
            .arg(country)
            .arg(known->length)
            .arg(plain.size());
    if (!ibanValid(plain))
        return QStringLiteral("Die Prüfziffern der IBAN stimmen nicht; bitte die IBAN "
                              "vergleichen.");
    return {};
}

QString vatIdProblem(const QString &vatId)
{
    const QString plain = compact(vatId);
    if (plain.isEmpty())
        return {};
    if (plain.startsWith(QLatin1String("DE"))) {
        if (!matches(QStringLiteral("DE[0-9]{9}"), plain))
            return QStringLiteral("Eine deutsche USt-IdNr. besteht aus DE und 9 Ziffern "
                                  "(z. B. DE123456789).");
        return {};
    }
    // Greece gives its VAT ids the prefix EL.
    const QString country = plain.left(2);
    if (!isCountryCode(country) && country != QLatin1String("EL"))
        return QStringLiteral("Die USt-IdNr. beginnt mit dem Ländercode (z. B. DE123456789).");
    if (!matches(QStringLiteral("[A-Z]{2}[0-9A-Z+*.]{2,12}"), plain))
        return QStringLiteral("Nach dem Ländercode enthält die USt-IdNr. 2 bis 12 Ziffern "
                              "oder Buchstaben.");
    return {};
}

QString countryProblem(const QString &code)
{
    const QString plain = code.trimmed();
    if (plain.isEmpty() || isCountryCode(plain))
        return {};
    return QStringLiteral("„%1“ ist kein Ländercode nach ISO 3166 (zwei Großbuchstaben wie DE, "
                          "AT, CH).")
        .arg(plain);
}

QString emailProblem(const QString &address)
{
    const QString plain = address.trimmed();
    if (plain.isEmpty() || matches(QStringLiteral("[^@\\s]+@([^@.\\s]+\\.)+[^@.\\s]{2,}"), plain))
        return {};
    return QStringLiteral("„%1“ ist keine E-Mail-Adresse (name@firma.de).").arg(plain);
}

QString buyerReferenceProblem(const QString &reference)
{
    const QString plain = reference.trimmed().toUpper();
    if (plain.isEmpty())
        return {};
    if (!matches(QStringLiteral("[A-Z0-9]+(-[A-Z0-9]+)*"), plain))
        return QStringLiteral("Die Leitweg-ID / Käuferreferenz besteht aus Buchstaben und "
                              "Ziffern, getrennt durch Bindestriche (z. B. "
                              "04011000-1234512345-06).");
    // Grobadressierung, optional Feinadressierung, two check digits.
    if (matches(QStringLiteral("[0-9]{2,12}(-[A-Z0-9]{1,30})?-[0-9]{2}"), plain)
        && mod97(QString(plain).remove(QLatin1Char('-'))) != 1)
        return QStringLiteral("Die Prüfziffer der Leitweg-ID stimmt nicht; bitte die "
                              "Leitweg-ID vergleichen.");
    return {};
}

QString bicProblem(const QString &bic)
{
    const QString plain = compact(bic);
    if (plain.isEmpty()
        || (matches(QStringLiteral("[A-Z]{4}[A-Z]{2}[A-Z0-9]{2}([A-Z0-9]{3})?"), plain)
            && isCountryCode(plain.mid(4, 2))))
        return {};
    return QStringLiteral("Ein BIC hat 8 oder 11 Stellen (z. B. COBADEFFXXX).");
}

} // namespace einvoice
