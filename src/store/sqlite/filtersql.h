#pragma once

#include "store/filtertree.h"
#include "store/layout.h"
#include "store/sqlfilter.h"

// A filter tree as this engine runs it: fields by their bare names, '?' placeholders bound in
// the order they stand, and a text compared ignoring case by its folded column, or by the
// fold of the field where it has none.
SqlFilter renderFilter(const FileDef &def, const FilterTree &tree);
