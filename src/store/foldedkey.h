#pragma once

#include "store/layout.h"

#include <string>
#include <string_view>
#include <vector>

// The order of keys that ignore letter case, German style: an umlaut sorts with its base letter
// (ä as a, ö as o, ü as u, ß as ss, é as e, æ as ae …) and case does not count. Texts equal in
// that respect are told apart by their accents ("Muller" before "Müller"), never by case, so
// "MÜLLER" and "müller" are the same key value. Trailing blanks do not count. Texts are UTF-8,
// the form the engines store.
//
// Engines keep such keys as plain bytes: every text field that is a component of a key that
// ignores case has a second column holding its folded value, and the key's index is built on
// that column. Folded values compared byte by byte (memcmp, SQLite's BINARY, PostgreSQL's
// COLLATE "C") give exactly the order of compare(), so any tool checks and copies the files
// without knowing this code, and every engine orders such keys alike.
namespace foldedkey {

// <0, 0 or >0 like strcmp: the order itself, letter by letter.
int compare(std::string_view a, std::string_view b);

// The folded value: the text's base letters in lower case ("muller" for "Müller",
// "strasse" for "Straße"), followed, only where its accents tell it apart from another text
// with the same base letters, by a byte 0x01 and the text in lower case ("muller\x01müller").
// Characters below a blank are written as 0x02 and the character plus 0x20, so that neither
// part holds 0x00 or 0x01. Valid UTF-8 in, valid UTF-8 out.
std::string fold(std::string_view utf8);

// The column that holds a field's folded value: "_fold_KNAME" for KNAME.
std::string columnName(std::string_view field);

// Whether a field has a folded column: a text field that is a component of a key that
// ignores case. Fields in the layout's order.
bool isFolded(const FileDef &def, int field);
const std::vector<int> &foldedFields(const FileDef &def);

} // namespace foldedkey
