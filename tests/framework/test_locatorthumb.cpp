#include "framework/core/steplocator.h"
#include "framework/core/stepmanager.h"
#include "framework/core/textstep.h"
#include "framework/core/thumb.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(ThumbDrag, Actions)
{
    NumericStep numeric;
    numeric.setLimits(std::int32_t(0), std::int32_t(200));
    CustomStep custom;
    struct Case
    {
        const char *name;
        int thumb;
        const StepManager *step;
        bool fileLoaded;
        int rows;
        ThumbAction action;
        int row;
    };
    const Case cases[] = {
        {"0 is the top", 0, &numeric, true, 10, ThumbAction::Top, 0},
        {"1 is the top too", 1, nullptr, false, 10, ThumbAction::Top, 0},
        {"100 is the bottom", 100, &numeric, true, 10, ThumbAction::Bottom, 0},
        {"beyond 100 is the bottom", 130, nullptr, false, 10, ThumbAction::Bottom, 0},
        {"step manager locates", 30, &numeric, true, 10, ThumbAction::Locate, 0},
        {"whole file: row at the share", 30, nullptr, true, 10, ThumbAction::Highlight, 3},
        {"whole file: never row 0", 2, nullptr, true, 10, ThumbAction::Highlight, 1},
        {"whole file: 99 of 10 rows", 99, nullptr, true, 10, ThumbAction::Highlight, 9},
        {"custom step has no value: share", 30, &custom, true, 10, ThumbAction::Highlight, 3},
        {"custom step, part loaded: page", 30, &custom, false, 10, ThumbAction::PageUp, 0},
        {"below the middle pages up", 49, nullptr, false, 10, ThumbAction::PageUp, 0},
        {"above the middle pages down", 51, nullptr, false, 10, ThumbAction::PageDown, 0},
        {"the middle does nothing", 50, nullptr, false, 10, ThumbAction::None, 0},
        {"whole file but empty: page", 30, nullptr, true, 0, ThumbAction::PageUp, 0},
    };
    for (const Case &c : cases) {
        const ThumbDrag drag = thumbDrag(c.thumb, c.step, c.fileLoaded, c.rows);
        EXPECT_EQ(drag.action, c.action) << c.name;
        EXPECT_EQ(drag.row, c.row) << c.name;
    }
}

TEST(ThumbDrag, LocateCarriesTheStepValue)
{
    NumericStep numeric;
    numeric.setLimits(std::int32_t(0), std::int32_t(200));
    EXPECT_EQ(thumbDrag(30, &numeric, false, 10).value, FieldValue(std::int32_t(60)));

    TextStep names(TextStep::LookupMode::Surnames, 0);
    EXPECT_EQ(thumbDrag(2, &names, false, 10).value, FieldValue(std::string("ALB")));
}

TEST(ThumbDisplay, Positions)
{
    struct Case
    {
        const char *name;
        ThumbState state;
        int position;
        bool visible;
    };
    using M = ListMove;
    const Case cases[] = {
        {"part of the file: middle", {20, 10, 4, false, false, M::Down}, 50, true},
        {"whole file: share of the rows", {10, 10, 5, true, true, M::Down}, 50, true},
        {"whole file: last row", {3, 10, 3, true, true, M::Up}, 100, false},
        {"end of file, moving down, last row", {10, 10, 10, false, true, M::PageDown}, 100, true},
        {"end of file, bottom, last row", {10, 10, 10, false, true, M::Bottom}, 100, true},
        {"end of file, moving up, last row", {10, 10, 10, false, true, M::Up}, 50, true},
        {"end of file, first row", {10, 10, 1, false, true, M::Top}, 0, true},
        {"end of file, row in between", {10, 10, 4, false, true, M::Down}, 50, true},
        {"no end of file, last row", {10, 10, 10, false, false, M::Down}, 50, true},
        {"short list has no scroll bar", {4, 10, 1, false, true, M::None}, 0, false},
    };
    for (const Case &c : cases) {
        const ThumbDisplay d = thumbDisplay(c.state, nullptr, FieldValue{});
        EXPECT_EQ(d.position, c.position) << c.name;
        EXPECT_EQ(d.visible, c.visible) << c.name;
    }
}

TEST(ThumbDisplay, StepManagerMeasuresTheHighlightedKey)
{
    NumericStep numeric;
    numeric.setLimits(std::int32_t(0), std::int32_t(200));
    // The step manager wins even where the end-of-file rule would say 100.
    const ThumbState state{10, 10, 10, true, true, ListMove::Bottom};
    EXPECT_EQ(thumbDisplay(state, &numeric, FieldValue(std::int32_t(50))).position, 25);

    NumericStep flat;
    flat.setLimits(std::int32_t(7), std::int32_t(7));
    EXPECT_EQ(thumbDisplay(state, &flat, FieldValue(std::int32_t(7))).position, 50);
}

TEST(StepLocator, TypedCharacters)
{
    struct Case
    {
        const char *name;
        const char *current;
        const char *typed;
        bool hasRows;
        bool noCase;
        bool moveDown;
        bool reload;
        const char *after;
    };
    const Case cases[] = {
        {"first letter reloads", "", "M", true, true, true, true, "M"},
        {"same letter walks on", "M", "M", true, true, true, false, "M"},
        {"lower case walks when case is ignored", "M", "m", true, true, true, false, "M"},
        {"lower case reloads when case counts", "M", "m", true, false, true, true, "m"},
        {"only the first character compares", "Meier", "M", true, true, true, false, "Meier"},
        {"another letter reloads", "Meier", "n", true, true, true, true, "n"},
        {"umlauts compare upper-cased", "Ä", "ä", true, true, true, false, "Ä"},
        {"empty list does not move", "", "K", false, true, false, true, "K"},
        {"empty list, same letter", "K", "K", false, true, false, false, "K"},
    };
    for (const Case &c : cases) {
        const LocatorStep step = locatorKey(c.current, c.typed, c.hasRows, c.noCase);
        EXPECT_TRUE(step.handled) << c.name;
        EXPECT_EQ(step.moveDown, c.moveDown) << c.name;
        EXPECT_EQ(step.reload, c.reload) << c.name;
        EXPECT_EQ(step.searchValue, c.after) << c.name;
    }
}

TEST(StepLocator, KeyWithoutCharacterIsNotHandled)
{
    const LocatorStep step = locatorKey("M", "", true, true);
    EXPECT_FALSE(step.handled);
    EXPECT_FALSE(step.moveDown);
    EXPECT_FALSE(step.reload);
    EXPECT_EQ(step.searchValue, "M");
}

TEST(StepLocator, KeyValueForPositioning)
{
    EXPECT_EQ(locatorKeyValue(" müller ", true), "MÜLLER");
    EXPECT_EQ(locatorKeyValue(" müller ", false), "müller");
    EXPECT_EQ(locatorKeyValue("m", true), "M");
    EXPECT_EQ(locatorKeyValue("", true), "");
}

} // namespace

// Keys a user types on a list, with the milliseconds since the one before.
TEST(PrefixLocator, KeysInQuickSuccessionBuildAPrefix)
{
    struct Key
    {
        int after;         // milliseconds after the key before
        const char *typed; // "\b": Backspace
        bool reload;
        bool moveDown;
        const char *prefix; // the prefix after the key, as the search field shows it
    };
    struct Case
    {
        const char *name;
        std::vector<Key> keys;
    };
    const Case cases[] = {
        {"st then e within a second",
         {{0, "s", true, true, "s"}, {300, "t", true, true, "st"}, {999, "e", true, true, "ste"}}},
        {"a pause starts a new prefix",
         {{0, "s", true, true, "s"},
          {200, "t", true, true, "st"},
          {1500, "m", true, true, "m"},
          {100, "ü", true, true, "mü"}}},
        {"after a pause the same first letter walks on as the step locator does",
         {{0, "s", true, true, "s"},
          {200, "t", true, true, "st"},
          {2000, "S", false, true, "st"},
          {100, "k", true, true, "k"}}},
        {"the same letter at once walks on, the next letter starts anew",
         {{0, "K", true, true, "K"},
          {100, "K", false, true, "K"},
          {100, "C", true, true, "C"},
          {100, "a", true, true, "Ca"}}},
        {"backspace shortens, also after a pause, and typing goes on from there",
         {{0, "s", true, true, "s"},
          {100, "t", true, true, "st"},
          {100, "e", true, true, "ste"},
          {3000, "\b", true, false, "st"},
          {200, "u", true, true, "stu"}}},
        {"backspace over an umlaut takes the whole letter",
         {{0, "m", true, true, "m"},
          {100, "ü", true, true, "mü"},
          {100, "\b", true, false, "m"},
          {100, "\b", false, false, ""}}},
    };
    for (const Case &c : cases) {
        TypedPrefix prefix;
        std::string current;
        std::int64_t now = 50000;
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            const Key &k = c.keys[i];
            now += k.after;
            const bool backspace = std::string_view(k.typed) == "\b";
            const LocatorStep step = prefixLocatorKey(
                prefix, current, backspace ? "" : k.typed, backspace, true, true, now);
            const std::string where = std::string(c.name) + ", key " + std::to_string(i + 1);
            EXPECT_TRUE(step.handled) << where;
            EXPECT_EQ(step.reload, k.reload) << where;
            EXPECT_EQ(step.moveDown, k.moveDown) << where;
            EXPECT_EQ(prefix.text, k.prefix) << where;
            current = step.searchValue;
        }
    }
}

TEST(PrefixLocator, BackspaceWithoutAPrefixAndKeysWithoutCharacterAreLeftAlone)
{
    TypedPrefix prefix;
    EXPECT_FALSE(prefixLocatorKey(prefix, "", "", true, true, true, 0).handled);
    EXPECT_FALSE(prefixLocatorKey(prefix, "M", "", false, true, true, 0).handled);
    EXPECT_EQ(prefix.text, "");
}
