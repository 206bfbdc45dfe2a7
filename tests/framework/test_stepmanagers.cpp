#include "framework/core/stepmanager.h"
#include "framework/core/textstep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr unsigned kDesc = StepManager::Descending;
constexpr unsigned kAlnum = StepManager::Alphabetic | StepManager::Digits;

std::string textOf(const std::optional<FieldValue> &v)
{
    return v ? std::get<std::string>(*v) : std::string("<none>");
}

TEST(NumericStep, PositionsOfValues)
{
    struct Case
    {
        const char *name;
        unsigned controls;
        double first, last, value;
        int expected;
    };
    const Case cases[] = {
        {"low equals high is the middle", 0, 7, 7, 7, 50},
        {"low equals high, other value", kDesc, 7, 7, 1000, 50},
        {"halfway", 0, 0, 200, 100, 50},
        {"truncated", 0, 0, 300, 100, 33},
        {"low comes out 0 and becomes 1", 0, 0, 200, 0, 1},
        {"just above low still 0 becomes 1", 0, 0, 200, 1, 1},
        {"high", 0, 0, 200, 200, 100},
        {"below the range", 0, 100, 200, 50, 1},
        {"above the range", 0, 100, 200, 500, 100},
        {"descending: first record holds the high value", kDesc, 200, 0, 200, 1},
        {"descending: last record holds the low value", kDesc, 200, 0, 0, 100},
        {"descending: a quarter from the top", kDesc, 200, 0, 150, 25},
        {"descending with limits in either order", kDesc, 0, 200, 150, 25},
    };
    for (const Case &c : cases) {
        NumericStep step(c.controls);
        step.setLimits(c.first, c.last);
        EXPECT_EQ(step.position(c.value), c.expected) << c.name;
    }
}

TEST(NumericStep, ValuesOfPositionsRunInKeyOrder)
{
    NumericStep up;
    up.setLimits(std::int32_t(0), std::int32_t(200));
    EXPECT_EQ(up.low(), 0);
    EXPECT_EQ(up.high(), 200);
    EXPECT_EQ(up.value(25), FieldValue(std::int32_t(50)));
    EXPECT_EQ(up.value(33), FieldValue(std::int32_t(66)));

    NumericStep down(kDesc);
    down.setLimits(std::int32_t(200), std::int32_t(0));
    EXPECT_EQ(down.low(), 0);
    EXPECT_EQ(down.high(), 200);
    EXPECT_EQ(down.value(25), FieldValue(std::int32_t(150)));
    for (int p = 2; p < 100; ++p)
        EXPECT_EQ(down.position(*down.value(p)), p) << p;

    NumericStep real;
    real.setLimits(1.0, 2.0);
    EXPECT_EQ(real.value(50), FieldValue(1.5));
}

TEST(NumericStep, TextValueSitsInTheMiddle)
{
    NumericStep step;
    step.setLimits(0.0, 10.0);
    EXPECT_EQ(step.position(std::string("5")), 50);
}

TEST(CustomStep, EveryValueInTheMiddleAndNoValueForAPosition)
{
    CustomStep step;
    step.setLimits(std::string("A"), std::string("Z"));
    EXPECT_EQ(step.position(std::string("A")), 50);
    EXPECT_EQ(step.position(std::int32_t(99)), 50);
    EXPECT_FALSE(step.value(10).has_value());
}

void expectStrictlyAscending(const std::vector<std::string> &table)
{
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1], table[i]) << "entry " << i + 1;
}

TEST(TextStep, SurnameTable)
{
    const auto &fixed = TextStep::surnameTable();
    const std::vector<std::string> table(fixed.begin(), fixed.end());
    ASSERT_EQ(table.size(), 100u);
    expectStrictlyAscending(table);
    for (const std::string &e : table)
        EXPECT_EQ(e.size(), 3u) << e;
    const std::vector<std::string> head = {"   ", "ALB", "AME", "ARN", "BAK", "BAT", "BEN"};
    EXPECT_EQ(std::vector<std::string>(table.begin(), table.begin() + 7), head);
    EXPECT_EQ(table[54], "MAC");
    EXPECT_EQ(table[79], "SCH");
    EXPECT_EQ(table[99], "YOR");

    TextStep step(TextStep::LookupMode::Surnames, 0);
    EXPECT_EQ(step.testLen(), 3);
    EXPECT_EQ(step.table(), table);
}

TEST(TextStep, AlphabetTableFollowsItsRule)
{
    const std::vector<std::string> table = TextStep::alphabetTable();
    ASSERT_EQ(table.size(), 100u);
    expectStrictlyAscending(table);
    const std::vector<std::string> head = {"  ", "AF", "AN", "AT", "B ", "BF", "BN", "BT", "C "};
    EXPECT_EQ(std::vector<std::string>(table.begin(), table.begin() + 9), head);
    const std::vector<std::string> tail = {"Y ", "YF", "YN", "YT", "Z ", "ZN"};
    EXPECT_EQ(std::vector<std::string>(table.end() - 6, table.end()), tail);
    const auto has = [&](const char *e) {
        return std::find(table.begin(), table.end(), e) != table.end();
    };
    EXPECT_TRUE(has("Q "));
    EXPECT_TRUE(has("QN"));
    EXPECT_FALSE(has("QF"));
    EXPECT_FALSE(has("QT"));
    EXPECT_FALSE(has("A "));
    EXPECT_EQ(TextStep(TextStep::LookupMode::Alphabet, 0).testLen(), 2);
}

TEST(TextStep, PositionsInTheFixedTables)
{
    using Mode = TextStep::LookupMode;
    struct Case
    {
        const char *value;
        Mode mode;
        unsigned controls;
        int expected;
    };
    const Case cases[] = {
        {"Aaron", Mode::Surnames, 0, 1},
        {"", Mode::Surnames, 0, 1},
        {"ALB", Mode::Surnames, 0, 2},
        {"Albrecht", Mode::Surnames, 0, 2},
        {"  albrecht  ", Mode::Surnames, 0, 2},
        {"Ärger", Mode::Surnames, 0, 3}, // with A, between AME and ARN
        {"Zimmer", Mode::Surnames, 0, 100},
        {"Aaron", Mode::Surnames, kDesc, 99},
        {"Zimmer", Mode::Surnames, kDesc, 1},
        {"alb", Mode::Surnames, StepManager::CaseSensitive, 100},
        {"Bach", Mode::Alphabet, 0, 5},
        {"B", Mode::Alphabet, 0, 5},
        {"At", Mode::Alphabet, 0, 4},
        {"Quast", Mode::Alphabet, 0, 66},
    };
    for (const Case &c : cases) {
        TextStep step(c.mode, c.controls);
        EXPECT_EQ(step.position(std::string(c.value)), c.expected) << c.value;
    }
    EXPECT_EQ(TextStep(Mode::Surnames, 0).position(std::int32_t(4)), 50);
}

TEST(TextStep, ValuesOfTheFixedTables)
{
    TextStep up(TextStep::LookupMode::Surnames, 0);
    EXPECT_EQ(textOf(up.value(1)), "");
    EXPECT_EQ(textOf(up.value(2)), "ALB");
    EXPECT_EQ(textOf(up.value(100)), "YOR");
    EXPECT_EQ(textOf(up.value(0)), "");

    TextStep down(TextStep::LookupMode::Surnames, kDesc);
    EXPECT_EQ(textOf(down.value(1)), "WOL");
    EXPECT_EQ(textOf(down.value(100)), "");
    for (int p = 1; p < 100; ++p)
        EXPECT_EQ(down.position(*down.value(p)), p) << p;

    TextStep alpha(TextStep::LookupMode::Alphabet, 0);
    EXPECT_EQ(textOf(alpha.value(5)), "B");
    EXPECT_EQ(textOf(alpha.value(6)), "BF");
}

TEST(TextStep, SortCharsFollowTheFlags)
{
    EXPECT_EQ(TextStep::buildSortChars(StepManager::Alphabetic), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(TextStep::buildSortChars(StepManager::Digits), "0123456789");
    EXPECT_EQ(TextStep::buildSortChars(kAlnum), "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");

    const std::string punct = TextStep::buildSortChars(StepManager::Punctuation);
    EXPECT_EQ(punct.size(), 30u); // 31 given, the per cent sign twice
    EXPECT_EQ(punct.front(), ' ');
    EXPECT_EQ(punct.back(), '\xA3');
    for (const char c : std::string_view("`!\"$%^&*()'-=_+][#;~@:/.,?\\|"))
        EXPECT_NE(punct.find(c), std::string::npos) << c;
    EXPECT_EQ(punct.find('<'), std::string::npos);
    EXPECT_TRUE(std::is_sorted(punct.begin(), punct.end(), [](char a, char b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    }));

    const std::string anyCase
        = TextStep::buildSortChars(StepManager::Alphabetic | StepManager::CaseSensitive);
    EXPECT_NE(anyCase.find('a'), std::string::npos);
    EXPECT_NE(anyCase.find('\xE4'), std::string::npos); // ä
    EXPECT_EQ(anyCase.find('\xF7'), std::string::npos); // ÷

    const unsigned all = StepManager::Alphabetic | StepManager::Punctuation | StepManager::Digits;
    EXPECT_EQ(TextStep::buildSortChars(kDesc), TextStep::buildSortChars(all));
}

TEST(TextStep, ComputedTableRoundTrips)
{
    TextStep step(TextStep::LookupMode::Computed, kAlnum);
    step.setLimits(std::string("Maier"), std::string("Müller"));
    EXPECT_EQ(step.testLen(), 4);
    EXPECT_EQ(step.root(), "M");
    ASSERT_EQ(step.table().size(), 100u);
    expectStrictlyAscending(step.table());
    EXPECT_EQ(step.table().front(), "AIER");

    std::string previous;
    for (int p = 1; p <= 100; ++p) {
        const std::string v = textOf(step.value(p));
        EXPECT_EQ(v.substr(0, 1), "M");
        EXPECT_LT(previous, v) << p;
        EXPECT_EQ(step.position(v), p) << v;
        previous = v;
    }
}

TEST(TextStep, ComputedPositionsAreMonotoneOverSortedKeys)
{
    // In the order of a case-ignoring key: umlauts with their base letter.
    const std::vector<std::string> keys = {"Maier",
                                           "mayer",
                                           "Meier",
                                           "Meiners",
                                           "Merz",
                                           "Meyer",
                                           "Michel",
                                           "Moser",
                                           "Mühle",
                                           "Müller"};
    for (const unsigned direction : {0u, kDesc}) {
        TextStep step(TextStep::LookupMode::Computed, kAlnum | direction);
        if (direction)
            step.setLimits(keys.back(), keys.front());
        else
            step.setLimits(keys.front(), keys.back());
        std::vector<int> positions;
        for (const std::string &k : keys)
            positions.push_back(step.position(k));
        if (direction) {
            // 100 minus the count of entries: the lowest key counts the first entry.
            EXPECT_EQ(positions.front(), 99);
            EXPECT_EQ(positions.back(), 1);
            EXPECT_TRUE(std::is_sorted(positions.rbegin(), positions.rend()));
        } else {
            EXPECT_EQ(positions.front(), 1);
            EXPECT_EQ(positions.back(), 100);
            EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
        }
    }
}

TEST(TextStep, ComputedDescendingRunsFromTheTop)
{
    TextStep step(TextStep::LookupMode::Computed, kAlnum | kDesc);
    step.setLimits(std::string("Müller"), std::string("Maier"));
    EXPECT_EQ(step.root(), "M");
    expectStrictlyAscending(step.table());
    std::string previous = "~";
    for (int p = 1; p < 100; ++p) {
        const std::string v = textOf(step.value(p));
        EXPECT_GT(previous, v) << p;
        EXPECT_EQ(step.position(v), p) << v;
        previous = v;
    }
}

TEST(TextStep, ComputedRootIsTheCommonPrefix)
{
    TextStep step(TextStep::LookupMode::Computed, kAlnum);
    step.setLimits(std::string("Schmid"), std::string("Schmitz"));
    EXPECT_EQ(step.root(), "SCHMI");
    // The low limit is padded with the first sort character.
    EXPECT_EQ(textOf(step.value(1)), "SCHMID000");
    EXPECT_EQ(step.position(std::string("Schaefer")), 1);    // before the root
    EXPECT_EQ(step.position(std::string("Schneider")), 100); // after it
    EXPECT_EQ(step.position(std::string("Schmi")), 1);
    EXPECT_EQ(step.position(std::string("Schmitz")), 100);

    const std::string longKey(45, 'K');
    TextStep capped(TextStep::LookupMode::Computed, kAlnum);
    capped.setLimits(longKey + "A", longKey + "B");
    EXPECT_EQ(capped.root().size(), TextStep::RootSize);
}

TEST(TextStep, CaseSensitiveKeysKeepTheirLettersAndGiveUtf8Back)
{
    const unsigned controls = StepManager::Alphabetic | StepManager::CaseSensitive;
    TextStep step(TextStep::LookupMode::Computed, controls);
    step.setLimits(std::string("Bäcker"), std::string("Bäume"));
    EXPECT_EQ(step.root(), "B\xE4"); // Windows-1252 inside
    EXPECT_EQ(textOf(step.value(1)), "Bäcker");
    EXPECT_EQ(textOf(step.value(50)).substr(0, 3), "Bä");
    EXPECT_LT(step.position(std::string("Bäcker")), step.position(std::string("Bägel")));
}

} // namespace
