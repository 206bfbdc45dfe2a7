#include "framework/picture.h"

#include "base/stddate.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString q(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

struct FormatRow
{
    const char *name;
    const char *picture;
    FieldValue value;
    const char *shown;
};

TEST(Picture, FormatsTheGermanWay)
{
    const FormatRow rows[] = {
        {"grouped", "@n10.2", 1234.5, "1.234,50"},
        {"ungrouped", "@n_10.2", 1234.5, "1234,50"},
        {"zero", "@n10.2", 0.0, "0,00"},
        {"blank when zero", "@n10.2b", 0.0, ""},
        {"blank picture shows non-zero", "@n10.2b", 0.5, "0,50"},
        {"decimal rounding of 2.675", "@n10.2", 2.675, "2,68"},
        {"decimal rounding of 40.005", "@n10.2", 40.005, "40,01"},
        {"half away from zero", "@n5", 2.5, "3"},
        {"no minus zero", "@n10.2", -0.001, "0,00"},
        {"negative", "@n-7.2", -3.5, "-3,50"},
        {"negative at the limit", "@n-7.2", -999.99, "-999,99"},
        {"negative too wide", "@n-7.2", -1234.5, "#######"},
        {"negative without sign", "@n7.2", -3.5, "#######"},
        {"grouping dropped to fit", "@n10.2", 1234567.5, "1234567,50"},
        {"too wide", "@n10.2", 123456789.5, "##########"},
        {"whole number", "@n4", std::int32_t{1234}, "1234"},
        {"whole number grouped", "@n6", std::int32_t{1234}, "1.234"},
        {"zero filled", "@n04", std::int32_t{42}, "0042"},
        {"long default", "@n-_11", std::int32_t{-7}, "-7"},
        {"int into decimals", "@n10.2", std::int32_t{3}, "3,00"},
        {"text cut", "@s5", std::string("Druckerei"), "Druck"},
        {"text with umlaut", "@s35", std::string("Müller & Söhne"), "Müller & Söhne"},
        {"umlauts count as one", "@s3", std::string("Öläß"), "Ölä"},
        {"date", "@d6", std::int32_t{rt::dateFromYmd(2026, 12, 7)}, "07.12.2026"},
        {"no date", "@d6", std::int32_t{0}, ""},
        {"time", "@t1", std::int32_t{rt::timeFromHms(21, 53, 17, 78)}, "21:53"},
        {"time just after midnight", "@t1", std::int32_t{rt::timeFromHms(0, 0, 0)}, "00:00"},
        {"no time", "@t1", std::int32_t{0}, ""},
    };
    for (const FormatRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Picture(q(row.picture)).format(row.value), q(row.shown));
    }
}

struct ParseRow
{
    const char *name;
    const char *picture;
    const char *input;
    std::optional<FieldValue> value; // nothing: refused
};

TEST(Picture, ParsesCommaOrDotAndRefusesWhatDoesNotFit)
{
    const ParseRow rows[] = {
        {"as shown", "@n10.2", "1.234,50", 1234.5},
        {"comma", "@n10.2", "1234,5", 1234.5},
        {"dot", "@n10.2", "1234.5", 1234.5},
        {"last separator decides", "@n10.2", "1,234.50", 1234.5},
        {"several dots group", "@n10.2", "1.234.567", 1234567.0},
        {"rounded to the picture", "@n10.2", "2,675", 2.68},
        {"blanks around", "@n10.2", "  7 ", 7.0},
        {"empty is zero", "@n10.2", "", 0.0},
        {"leading minus refused", "@n10.2", "-3", std::nullopt},
        {"negative", "@n-7.2", "-3,5", -3.5},
        {"trailing minus", "@n-7.2", "3,5-", -3.5},
        {"negative too wide", "@n-7.2", "-1234", std::nullopt},
        {"dot groups in whole numbers", "@n6", "1.234", 1234.0},
        {"dot is a point with decimals", "@n6.1", "1.234", 1.2},
        {"letters", "@n10.2", "12a", std::nullopt},
        {"two commas", "@n10.2", "1,2,3", std::nullopt},
        {"no digits", "@n10.2", ",", std::nullopt},
        {"too wide", "@n5", "123456", std::nullopt},
        {"text cut", "@s5", "Druckerei", std::string("Druck")},
        {"date", "@d6", "7.12.2026", std::int32_t{rt::dateFromYmd(2026, 12, 7)}},
        {"no such day", "@d6", "31.02.2026", std::nullopt},
        {"empty date", "@d6", "", std::int32_t{0}},
        {"time", "@t1", "7:05", std::int32_t{rt::timeFromHms(7, 5, 0)}},
        {"empty time", "@t1", "", std::int32_t{0}},
        {"no such hour", "@t1", "24:00", std::nullopt},
        {"no minutes", "@t1", "12", std::nullopt},
    };
    for (const ParseRow &row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<FieldValue> parsed = Picture(q(row.picture)).parse(q(row.input));
        ASSERT_EQ(parsed.has_value(), row.value.has_value());
        if (row.value) {
            EXPECT_TRUE(sameValue(*parsed, *row.value))
                << Picture(q(row.picture)).format(*parsed).toStdString();
        }
    }
}

TEST(Picture, WhatIsShownReadsBackAsItself)
{
    const Picture pictures[] = {Picture(q("@n-15.2")), Picture(q("@n-_12.3")), Picture(q("@n9"))};
    const double values[] = {0.0, 0.01, 1.005, -2.5, 999.999, 1234567.891, -98765.4321};
    for (const Picture &picture : pictures) {
        for (double value : values) {
            SCOPED_TRACE(picture.text().toStdString() + " " + std::to_string(value));
            const QString shown = picture.format(value);
            const std::optional<FieldValue> back = picture.parse(shown);
            if (shown.startsWith(u'#')) {
                EXPECT_FALSE(back.has_value()); // what cannot be shown cannot be typed either
                continue;
            }
            ASSERT_TRUE(back.has_value()) << shown.toStdString();
            EXPECT_EQ(picture.format(*back), shown);
        }
    }
}

TEST(Picture, UnknownPicturesAreRefused)
{
    for (const char *text : {"@x5", "n10", "@n", "@n10.", "@s", "@s0", "@n10.2z", "@n-", ""}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(Picture::tryParse(q(text)).has_value());
        EXPECT_THROW(Picture(q(text)), std::invalid_argument);
    }
}

TEST(Picture, ValuesCompareAcrossTheirTypes)
{
    EXPECT_TRUE(sameValue(std::int32_t{1}, 1.0));
    EXPECT_TRUE(sameValue(std::string("A  "), std::string("A")));
    EXPECT_TRUE(sameValue(std::string("2"), std::int32_t{2}));
    EXPECT_FALSE(sameValue(std::string("x"), std::int32_t{0}));
    EXPECT_FALSE(sameValue(std::string("A"), std::string("B")));
    EXPECT_FALSE(sameValue(1.0, 2.0));
}

} // namespace
