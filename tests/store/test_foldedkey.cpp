// The folded values of keys that ignore case: compared byte by byte they must give exactly the
// order the keys have always had, since every engine sorts them so.

#include "store/files/kunde.h"
#include "store/foldedkey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

int bytewise(const std::string &a, const std::string &b)
{
    const int head = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (head != 0)
        return sign(head);
    return sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

// Valid UTF-8 without a NUL: a PostgreSQL text column takes it as it is.
bool isValidUtf8WithoutNul(const std::string &s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i++]);
        if (lead == 0)
            return false;
        std::size_t extra = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            extra = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            extra = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            extra = 3;
        else if (lead >= 0x80)
            return false;
        for (; extra > 0; --extra, ++i) {
            if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
                return false;
        }
    }
    return true;
}

struct FoldRow
{
    const char *text;
    std::string folded;
};

TEST(FoldedKey, FoldsToBaseLettersAndKeepsAccentsOnlyWhereTheyTellApart)
{
    const FoldRow rows[] = {
        {"Meier", "meier"},
        {"MEIER   ", "meier"},
        {"  Meier", "  meier"},
        {"Müller", "muller\x01müller"},
        {"MÜLLER", "muller\x01müller"},
        {"Straße", "strasse\x01straße"},
        {"Œuvre", "oeuvre\x01œuvre"},
        {"Ærø", "aero\x01ærø"},
        {"", ""},
        {"Tab\there", "tab\x02)here"},
        {"5 € netto", "5 € netto"},
    };
    for (const FoldRow &row : rows) {
        EXPECT_EQ(foldedkey::fold(row.text), row.folded) << row.text;
    }
}

// The order of the keys' table of cases, and then texts drawn at random from the letters
// that make trouble: the folded values compared as bytes agree with the order in every case.
TEST(FoldedKey, BytewiseOrderOfFoldedValuesIsTheKeysOrder)
{
    const std::vector<std::string> pieces = {
        "a",  "A",  "ä", "Ä", "ae", "æ", "Æ", "e", "é",  "É",    "s", "ss", "ß",  "o",
        "oe", "œ",  "Œ", "ö", "u",  "ü", "z", "ž", "Ž",  "y",    "ÿ", "Ÿ",  "th", "þ",
        " ",  "  ", "-", "_", "0",  "9", "€", "×", "\t", "\x01", "ł", "Z",
    };
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 5);
    auto draw = [&] {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[piece(random)];
        return text;
    };
    int checked = 0;
    for (int n = 0; n < 200000; ++n) {
        const std::string a = draw();
        const std::string b = n % 7 == 0 ? a + pieces[piece(random)] : draw();
        const std::string fa = foldedkey::fold(a);
        const std::string fb = foldedkey::fold(b);
        ASSERT_EQ(bytewise(fa, fb), sign(foldedkey::compare(a, b)))
            << '"' << a << "\" vs \"" << b << '"';
        ASSERT_TRUE(isValidUtf8WithoutNul(fa)) << a;
        ++checked;
    }
    EXPECT_EQ(checked, 200000);
}

TEST(FoldedKey, TextComponentsOfKeysThatIgnoreCaseHaveFoldedColumns)
{
    const FileDef &kunde = fileDef(FileId::kunde);
    EXPECT_TRUE(foldedkey::isFolded(kunde, KUN::KNAME_no));
    EXPECT_TRUE(foldedkey::isFolded(kunde, KUN::KORT_no));
    EXPECT_TRUE(foldedkey::isFolded(kunde, KUN::KPLZ_no));
    EXPECT_FALSE(foldedkey::isFolded(kunde, KUN::KAID_no));  // a number
    EXPECT_FALSE(foldedkey::isFolded(kunde, KUN::LNAME_no)); // in no key
    EXPECT_FALSE(foldedkey::isFolded(kunde, -1));
    EXPECT_EQ(foldedkey::foldedFields(kunde),
              (std::vector<int>{KUN::KNAME_no, KUN::KPLZ_no, KUN::KORT_no}));
    EXPECT_EQ(foldedkey::columnName("KNAME"), "_fold_KNAME");
}

} // namespace
