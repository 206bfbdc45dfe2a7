#pragma once

#include "store/engine.h"

#include <string>
#include <string_view>

// Parts that every engine's cursor needs alike: telling orders apart and naming them inside
// positions, and reading the options a cursor is sent.
namespace cursorparts {

// The same components in the same directions, letter case alike.
bool sameOrder(const KeySpec &a, const KeySpec &b);
// The key whose order this is, or -1 (also for insertion order).
int keyOf(const FileDef &def, const KeySpec &order);
// Names an order inside positions ("k<key>", else its components), so that a reset knows
// whether a position's values belong to the order of its pass. Empty for insertion order.
std::string tagOf(const FileDef &def, const KeySpec &order);

// An option as send() takes it: "<name>=<value>", blanks around either part left out.
struct Option
{
    std::string_view name;
    std::string_view value;

    // Names compare without regard to letter case.
    bool is(std::string_view optionName) const;
    // A switch's value: "on" (any case) or "1".
    bool on() const;
};
Option parseOption(std::string_view option);

} // namespace cursorparts
