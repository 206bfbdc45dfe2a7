#include "store/sqlite/filtersql.h"

#include "store/sqlite/statements.h"

namespace {

std::string bareName(const FileDef &def, int field)
{
    return def.fields[field].name;
}

std::string placeholder(int)
{
    return "?";
}

constexpr SqlDialect kDialect{bareName, enginesql::ignoringCase, placeholder};

} // namespace

SqlFilter renderFilter(const FileDef &def, const FilterTree &tree)
{
    return renderSqlFilter(def, tree, kDialect);
}
