#pragma once

#include <cstdint>
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

// Keys typed on a list in quick succession build a prefix: each key within kPrefixPause of
// the one before adds its character, and the list jumps to the first record whose key starts
// with the prefix (as the key compares: with case ignored, umlauts as their base letters).
// The first key of a prefix, and the key after a pause, is the step locator's; so is the same
// letter typed again at once (it walks on through that letter's records, and the next other
// letter starts a new prefix). Backspace shortens the prefix.
inline constexpr std::int64_t kPrefixPause = 1000; // milliseconds

struct TypedPrefix
{
    std::string text;         // the prefix as typed: what the list's search field shows
    std::int64_t lastKey = 0; // when the last key came, in milliseconds
    bool walking = false;     // the last key walked on through one letter's records
};

// A key with the character `typed` (empty: none), or Backspace, at the time `now`; `current`
// is the search value (`FREEELEMENT`). Updates `prefix`.
LocatorStep prefixLocatorKey(TypedPrefix &prefix,
                             std::string_view current,
                             std::string_view typed,
                             bool backspace,
                             bool hasRows,
                             bool noCase,
                             std::int64_t now);
