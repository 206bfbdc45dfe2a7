#pragma once

#include "store/engine.h"
#include "store/sqlite/filtersql.h"

#include <string>
#include <string_view>
#include <vector>

// The SQL of the storage engine, generated from the file definitions: the table and its
// indexes, and every statement the engine prepares. One place, so that the engine, the key
// check at open and the query-plan test all speak of the same text.
//
// A record's row: rowid (insertion order), "_version" (counts the writes, for watch), one
// column per field in layout order, and the folded columns of the keys that ignore case
// (store/foldedkey.h), which the engine writes with every add and put. Selected rows always
// start with rowid and "_version", so field i is column i + kFirstFieldColumn.
namespace enginesql {

inline constexpr int kFirstFieldColumn = 2;
inline constexpr const char *kVersionColumn = "_version";
// Folds a text in SQL as foldedkey::fold does, for an order or a filter that ignores case on
// a field without a folded column. Registered on every connection of the engine and used
// only in statements, never in the files' schema, so that other tools read the files without it.
inline constexpr const char *kFoldFunction = "foldkey";

std::string quote(std::string_view identifier);
// A text field as the keys that ignore case compare it: its folded column, or the fold of
// the field where it has none. Every statement that compares texts that way, the keys'
// indexes, their passes and gets and the filters, goes through here; the values compared
// with it are folded too.
std::string ignoringCase(const FileDef &def, int field);

std::string createTable(const FileDef &def);
std::string foldedColumnDef(const FileDef &def, int field);
// A large value's column: a BLOB beside the fields, empty until written.
std::string largeColumnDef(const FileDef &def, int slot);
// Named like the key ("KUN:Keykname"). Every index entry ends with the rowid, so records
// with equal key values stay in insertion order without naming it.
std::string indexName(const FileDef &def, int key);
std::string createIndex(const FileDef &def, int key);

// The statements of one file, for its table in a schema: "main" on the file's own
// connection, the file's alias on a transaction's connection.
struct FileStatements
{
    // Fields as ?1 … ?n, their folded values after them (rowcodec::bindRecord binds both).
    std::string insert;
    std::string update;        // as insert, rowid ?rowidParam; RETURNING the new version
    std::string updateWatched; // as update, and the noted version ?rowidParam+1
    int rowidParam = 0;
    std::string erase;   // rowid ?1
    std::string byRowid; // rowid ?1
    std::string count;
    std::string versionOf;              // rowid ?1
    std::vector<std::string> get;       // per key: component values ?1 …
    std::vector<std::string> duplicate; // per key: component values ?1 …, own rowid after them
    std::vector<std::string> putLarge;  // per large value: bytes ?1, rowid ?2
    std::vector<std::string> getLarge;  // per large value: rowid ?1
};
FileStatements fileStatements(const FileDef &def, std::string_view schema);

// One block of a pass in key order (keyset, never OFFSET): the rows strictly after a bound
// in the pass's direction, in the nested form that SQLite seeks in the index:
//   a >= ?v1 AND (a > ?v1 OR (b >= ?v2 AND (b > ?v2 OR rowid > ?r)))
// with >=/> turned round for descending components and for passes backwards. Parameters:
// the filter's values first (its '?' in order), then one per component, then the rowid
// bound, then the block size (LIMIT).
std::string passSql(const FileDef &def,
                    const KeySpec &order,
                    const SqlFilter &filter,
                    bool forward,
                    std::string_view schema);

} // namespace enginesql
