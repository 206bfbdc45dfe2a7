#pragma once

struct sqlite3;

// What a connection of the engine adds to SQLite for the keys that ignore case
// (store/foldedkey.h). Neither is named in a file's schema: the files need nothing but SQLite.
namespace foldfunctions {

// foldkey(text): the folded value, for orders and filters that ignore case on a field that
// has no folded column. Every connection of the engine has it.
int registerFold(sqlite3 *db);

// The collation that files made before the folded columns named in the indexes of their keys
// that ignore case, in the same order. A connection that converts or rebuilds such a file
// needs it to read and drop those indexes.
inline constexpr const char *kLegacyCollation = "NOCASE_DE";
int registerLegacyCollation(sqlite3 *db);

} // namespace foldfunctions
