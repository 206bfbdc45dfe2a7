#include "base/decimal.h"
#include "base/idbuilder.h"
#include "base/stddate.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <set>

TEST(StdDate, DayNumbersCountFrom28December1800)
{
    EXPECT_EQ(rt::dateFromYmd(1801, 1, 1), 4);
    EXPECT_EQ(rt::dateFromYmd(1801, 1, 2), 5);
    EXPECT_EQ(rt::dateFromYmd(1801, 2, 1), 35);
    const rt::StdDate d = rt::dateFromYmd(2026, 12, 7);
    EXPECT_EQ(rt::dateFromYmd(2026, 12, 21), d + 14);
    const rt::Ymd ymd = rt::ymdFromDate(d);
    EXPECT_EQ(ymd.year, 2026);
    EXPECT_EQ(ymd.month, 12);
    EXPECT_EQ(ymd.day, 7);
}

TEST(StdDate, InvalidDatesAreZero)
{
    EXPECT_EQ(rt::dateFromYmd(2025, 2, 29), 0);
    EXPECT_EQ(rt::dateFromYmd(2024, 13, 1), 0);
    EXPECT_NE(rt::dateFromYmd(2024, 2, 29), 0);
}

TEST(StdDate, FieldFormRoundTripsAndZeroIsNoDate)
{
    unsigned char field[4];
    const rt::StdDate d = rt::dateFromYmd(2026, 3, 9);
    rt::dateToField(d, field);
    EXPECT_EQ(field[0], 9);
    EXPECT_EQ(field[1], 3);
    EXPECT_EQ(field[2] | (field[3] << 8), 2026);
    EXPECT_EQ(rt::dateFromField(field), d);
    rt::dateToField(0, field);
    EXPECT_EQ(field[0] | field[1] | field[2] | field[3], 0);
    EXPECT_EQ(rt::dateFromField(field), 0);
    EXPECT_EQ(rt::formatDate(0), "");
}

TEST(StdDate, FormatAndParse)
{
    const rt::StdDate d = rt::dateFromYmd(2026, 12, 7);
    EXPECT_EQ(rt::formatDate(d), "07.12.2026");
    EXPECT_EQ(rt::parseDate("07.12.2026"), d);
    EXPECT_EQ(rt::parseDate("7.12.26"), d);
    EXPECT_EQ(rt::parseDate(""), 0);
    EXPECT_EQ(rt::parseDate("31.02.2026"), 0);
    EXPECT_EQ(rt::parseDate("abc"), 0);
}

TEST(StdDate, TimeIsHundredthsPlusOne)
{
    EXPECT_EQ(rt::timeFromHms(0, 0, 0), 1);
    EXPECT_EQ(rt::timeFromHms(23, 59, 59, 99), 8640000);
    rt::setFixedNow(1000, 4242);
    EXPECT_EQ(rt::today(), 1000);
    EXPECT_EQ(rt::clockNow(), 4242);
    rt::clearFixedNow();
    EXPECT_GT(rt::today(), rt::dateFromYmd(2020, 1, 1));
}

TEST(Decimal, RoundsHalfAwayFromZeroOnFifteenDigits)
{
    struct Case
    {
        double value;
        int places;
        double expected;
    };
    const Case cases[] = {
        {40.005, 2, 40.01},
        {2.675, 2, 2.68},
        {-2.675, 2, -2.68},
        {1.005, 2, 1.01},
        {0.125, 2, 0.13},
        {107.1 - 2.142, 2, 104.96},
        {90 * 1.19, 2, 107.1},
        {500.5, 0, 501},
        {-500.5, 0, -501},
        {0.0005, 3, 0.001},
        {0.75, 3, 0.75},
        {1e-20, 2, 0},
        {999.995, 2, 1000},
        {123456789.125, 2, 123456789.13},
        {0.0, 2, 0.0},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(rt::roundDecimal(c.value, c.places), c.expected)
            << c.value << " to " << c.places;
}

TEST(Decimal, QuotientFloorCountsExactQuotientsFully)
{
    EXPECT_EQ(rt::quotientFloor(500, 250), 2);
    EXPECT_EQ(rt::quotientFloor(0.3, 0.1), 3);
    EXPECT_EQ(rt::quotientFloor(700, 297), 2);
    EXPECT_EQ(rt::quotientFloor(500, 210), 2);
    EXPECT_EQ(rt::quotientFloor(5, 0), 0);
    EXPECT_EQ(rt::ceilDecimal(2.0000000000000004), 2);
    EXPECT_EQ(rt::ceilDecimal(1250.1), 1251);
}

TEST(Text, Cp1252RoundTripAndUnmappableBecomesQuestionMark)
{
    const std::string utf8 = "Müller & Söhne – Straße 5 € „Druck“";
    const std::string bytes = rt::toCp1252(utf8);
    EXPECT_EQ(bytes.size(), 35u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xFC);
    EXPECT_EQ(rt::fromCp1252(bytes), utf8);
    EXPECT_EQ(rt::toCp1252("漢字 ok"), "?? ok");
    EXPECT_EQ(rt::toCp1252(std::string("a\xC3", 2)), "a?");
}

TEST(Text, FixedWidthPadsCutsAndComparesClipped)
{
    char field[6];
    rt::assignFixed(field, 6, "abc");
    EXPECT_EQ(std::string(field, 6), "abc   ");
    rt::assignFixed(field, 6, "abcdefgh");
    EXPECT_EQ(std::string(field, 6), "abcdef");
    EXPECT_EQ(rt::clip("ab  "), "ab");
    EXPECT_EQ(rt::trimmed("  ab  "), "ab");
    EXPECT_TRUE(rt::isBlank("    "));
    EXPECT_TRUE(rt::equalClipped("ab", "ab   "));
    EXPECT_FALSE(rt::equalClipped(" ab", "ab"));
}

TEST(Text, UpperCase)
{
    EXPECT_EQ(rt::upperUtf8("müller straße ÿ"), "MÜLLER STRAßE Ÿ");
    EXPECT_EQ(rt::upperCp1252(rt::toCp1252("öäü")), rt::toCp1252("ÖÄÜ"));
    EXPECT_EQ(rt::leftChars("Übergröße", 4), "Über");
}

TEST(IdBuilder, LetterDayNumberAndTimeCutToWidth)
{
    EXPECT_EQ(rt::IdBuilder::compose("K", 82000, 4567801, 14), "K820004567801");
    EXPECT_EQ(rt::IdBuilder::compose("K", 82000, 4567801, 10), "K820004567");
    EXPECT_EQ(rt::IdBuilder::compose("", 82000, 4567801, 12), "820004567801");
}

TEST(IdBuilder, NeverHandsOutAnIdTwice)
{
    rt::setFixedNow(82000, 100);
    rt::IdBuilder builder;
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(seen.insert(builder.next("F", 14)).second);
    // An id that stands in the file is skipped as well.
    rt::IdBuilder other;
    const std::string id = other.next(
        "K", 14, [](const std::string &candidate) { return candidate == "K82000100"; });
    EXPECT_EQ(id, "K82000101");
    rt::clearFixedNow();
}
