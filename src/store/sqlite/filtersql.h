#pragma once

#include "store/filtertree.h"
#include "store/layout.h"

#include <string>
#include <vector>

// A filter tree as this engine runs it: an SQL expression over the file's column names with
// '?' placeholders, and the values to bind, in order. Made only of column names,
// placeholders, the comparison operators, AND, OR, NOT, parentheses and the collation of
// keys that ignore case: nothing of a filter text reaches SQL.
struct SqlFilter
{
    std::string expression;
    std::vector<FieldValue> values;
    bool empty() const { return expression.empty(); }
};

// A comparison that ignores case (UPPER around a field) is written under the collation of
// the keys that ignore case, so that it can seek their index; its constant is then bound as
// it is, since the collation ignores case already. Parentheses stand where the tree has its
// groups and NOTs, and around an OR that stands inside an AND without a group.
SqlFilter renderFilter(const FileDef &def, const FilterTree &tree);
