#pragma once

#include "store/engine.h"
#include "store/filtertree.h"
#include "store/sqlfilter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The SQL of the server engine, generated from the file definitions: the table and its
// indexes, and every statement the engine prepares. Statements name tables without a schema:
// the connection's search path says which data set they belong to.
//
// A record's row: "id" (insertion order), "_version" (counts the writes, for watch), one
// column per field in layout order, named by the field without prefix, and after them per
// text field a column "_fold_<name>" with its folded value (store/foldedkey.h): a key or an
// order that ignores case reads and compares that column. Every text field has one, not
// only those of keys that ignore case, so that any order or filter of a view that ignores
// case finds a column to compare. Every text column compares its
// bytes (COLLATE "C"), as the embedded engine does. Selected rows start with "id" and
// "_version", so field i is column i + kFirstFieldColumn.
namespace pgsql {

inline constexpr int kFirstFieldColumn = 2;

std::string quote(std::string_view identifier);
std::string table(const FileDef &def);
// The column that a component of a key or an order compares.
std::string keyColumn(const FileDef &def, const KeyPart &part, bool noCase);

// The statements that make the file: its table, then one index per key, named like the key
// ("KUN:Keykname"). Every index of a key that allows duplicates ends with "id", so records
// with equal key values stay in insertion order.
std::vector<std::string> createFile(const FileDef &def);
std::string createIndex(const FileDef &def, int key);
std::string indexName(const FileDef &def, int key);

// Every committed write to a file's table tells the other stations: a notice on the file's
// channel, named by the data set (schema) and the file.
std::string changeChannel(std::string_view schema, const FileDef &def);
// The statements that make a table tell its writes (part of createFile; run again at open
// for a table made before).
std::string tellChanges(const FileDef &def);

struct FileStatements
{
    std::string insert;        // fields, then folded texts, as $1 …; RETURNING id
    std::string update;        // as insert, id after them; RETURNING the new version
    std::string updateWatched; // as update, and the noted version after the id
    std::string erase;         // id $1
    std::string byId;          // id $1
    std::string count;
    std::vector<std::string> get;       // per key: component values $1 …
    std::vector<std::string> duplicate; // per key: component values $1 …, own id after them
    std::vector<std::string> putLarge;  // per large value: bytes $1, id $2
    std::vector<std::string> getLarge;  // per large value: id $1
};
FileStatements fileStatements(const FileDef &def);

// A filter tree as the engine runs it: placeholders $1 …, fields by their quoted names, a
// text compared ignoring case by its folded column.
using Filter = SqlFilter;
Filter renderFilter(const FileDef &def, const FilterTree &tree);

// Where one block of a pass begins: at the start of the order, or after a bound.
enum class Bound { None, From, After };

// One block of a pass in an order (keyset, never OFFSET). With a bound, the rows after the
// bound's component values (and, unless the order is a unique key, the bound's id: records
// with equal components in insertion order); a unique key's bound either includes its own
// values (From) or not (After). Written as one row comparison where every component goes the
// way "id" goes (the index is read from the bound on), else nested:
//   a >= $v1 AND (a > $v1 OR (b <= $v2 AND (b < $v2 OR id > $r)))
// Parameters: the filter's values, then one per component, then the id unless unique, then
// the block size (LIMIT).
std::string passSql(const FileDef &def,
                    const KeySpec &order,
                    bool uniqueKey,
                    const Filter &filter,
                    bool forward,
                    Bound bound);

// The server's lock that holds one record for a station. Records of the ids the table hands
// out (up to four thousand million) are held by the pair (table oid, id), the lock's two-int
// form; larger ids by the one 64-bit form, which the server keeps apart from the pairs, with
// the file's number in the top byte and the id below. Either way no two records of a data set
// share a lock. An id beyond 2^56 (or below 1) has no lock: `valid` is false.
struct HoldKey
{
    bool valid = false;
    bool pair = false;
    std::int64_t first = 0; // pair: the oid's bits as int4; else the 64-bit key
    std::int64_t second = 0;

    bool operator==(const HoldKey &) const = default;
};
HoldKey holdKey(std::uint32_t tableOid, FileId file, std::int64_t id);
// The statements that take and give back a hold's lock; parameters first and second (pair)
// or first alone.
std::string takeHoldSql(const HoldKey &key);
std::string releaseHoldSql(const HoldKey &key);

} // namespace pgsql
