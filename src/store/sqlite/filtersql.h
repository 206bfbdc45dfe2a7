#pragma once

#include "store/filtertree.h"
#include "store/layout.h"

#include <string>
#include <vector>

// A filter tree as this engine runs it: an SQL expression over the file's column names with
// '?' placeholders, and the values to bind, in order. Made only of column names,
// placeholders, the comparison operators, AND, OR, NOT, parentheses and the fold of keys that
// ignore case: nothing of a filter text reaches SQL.
struct SqlFilter
{
    std::string expression;
    std::vector<FieldValue> values;
    bool empty() const { return expression.empty(); }
};

// A comparison that ignores case (UPPER around a field) compares the folded values, the
// field's folded column where it has one, so that it can seek the index of a key that
// ignores case; its constant is bound folded. Parentheses stand where the tree has its
// groups and NOTs, and around an OR that stands inside an AND without a group.
SqlFilter renderFilter(const FileDef &def, const FilterTree &tree);
