#pragma once

#include "store/engine.h"
#include "store/filtertree.h"
#include "store/layout.h"

#include <string>
#include <string_view>
#include <vector>

// A filter tree as an engine runs it in SQL: an expression over the file's columns with
// placeholders, and the values to bind, in order. Made only of column names, placeholders,
// the comparison operators, AND, OR, NOT, parentheses and the fold of keys that ignore case:
// nothing of a filter text reaches SQL.
struct SqlFilter
{
    std::string expression;
    std::vector<FieldValue> values;
    bool empty() const { return expression.empty(); }
};

// What the engines write differently in a filter: a field as it is compared plainly, a text
// field as the keys that ignore case compare it (a folded value), and the n-th placeholder
// (from 1).
struct SqlDialect
{
    std::string (*field)(const FileDef &def, int field);
    std::string (*foldedField)(const FileDef &def, int field);
    std::string (*placeholder)(int n);
};

// A comparison that ignores case (UPPER around a field) compares the folded values, so that
// it can seek the index of a key that ignores case; its text constant is bound folded.
// Parentheses stand where the tree has its groups and NOTs, and around an OR that stands
// inside an AND without a group.
SqlFilter renderSqlFilter(const FileDef &def, const FilterTree &tree, const SqlDialect &dialect);

// How an engine names the column that a component of an order compares, and writes the n-th
// placeholder of a pass's statement.
using SqlKeyColumn = std::string (*)(const FileDef &def, const KeyPart &part, bool noCase);
using SqlPlaceholder = std::string (*)(int n);

// The rows strictly after a bound in an order (keyset, never OFFSET), in the nested form that
// the engines seek in the order's index, built from `inner` (what decides between records with
// equal components) outwards:
//   a >= v1 AND (a > v1 OR (b >= v2 AND (b > v2 OR inner)))
// with >=/> turned round for descending components and for passes backwards. Component i's
// value is placeholder firstParam + i.
std::string keysetBound(const FileDef &def,
                        const KeySpec &order,
                        bool forward,
                        int firstParam,
                        std::string inner,
                        SqlKeyColumn keyColumn,
                        SqlPlaceholder placeholder);
// The order's components as a pass in a direction sorts them, each followed by ", ".
std::string
keysetOrderBy(const FileDef &def, const KeySpec &order, bool forward, SqlKeyColumn keyColumn);

// An identifier in double quotes, quotes inside it doubled.
std::string quoteSqlIdentifier(std::string_view identifier);
