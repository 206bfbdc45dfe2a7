#pragma once

#include <string>
#include <string_view>

// The step locator of a list: typing a letter jumps to the records that begin with it, and
// typing it again walks on through them one row at a time.
struct LocatorStep
{
    bool handled = false;    // a key without a character is left to others
    bool moveDown = false;   // move the highlight down one row before anything else
    bool reload = false;     // reload the list positioned from `searchValue`
    std::string searchValue; // `FREEELEMENT` after the key
};

// `current` is the search value (`FREEELEMENT`), `typed` the character of the key as UTF-8
// (empty for a key without one). With `noCase` the first characters compare upper-cased.
LocatorStep locatorKey(std::string_view current, std::string_view typed, bool hasRows, bool noCase);

// The value a case-ignoring key is positioned on for a search value: trimmed, as the record
// files compare texts, and upper-cased.
std::string locatorKeyValue(std::string_view searchValue, bool noCase);
