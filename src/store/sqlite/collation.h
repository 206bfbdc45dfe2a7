#pragma once

#include <string_view>

struct sqlite3;

// The order of keys that ignore letter case: German style, an umlaut sorts with its base
// letter (ä as a, ö as o, ü as u, ß as ss, é as e, æ as ae …) and case does not count.
// Texts equal in that respect are told apart by their accents ("Muller" before "Müller"),
// never by case, so "MÜLLER" and "müller" are the same key value. Trailing blanks do not
// count. The collation works on UTF-8, the form the columns hold.
namespace collation {

inline constexpr const char *kNoCase = "NOCASE_DE";

// <0, 0 or >0 like strcmp.
int compareNoCase(std::string_view a, std::string_view b);

// Every connection that reads or writes the record files needs it: the indexes of the
// keys that ignore case are built with it.
int registerAll(sqlite3 *db);

} // namespace collation
