#include "store/sqlite/statements.h"

#include "store/foldedkey.h"

#include <utility>

namespace enginesql {
namespace {

std::string columnType(FieldType type)
{
    switch (type) {
    case FieldType::Long:
    case FieldType::Date:
        return "INTEGER NOT NULL DEFAULT 0";
    case FieldType::Real:
    case FieldType::Decimal:
        return "REAL NOT NULL DEFAULT 0";
    case FieldType::String:
        return "TEXT NOT NULL DEFAULT ''";
    }
    return {};
}

std::string table(const FileDef &def, std::string_view schema)
{
    return quote(schema) + '.' + quote(def.storedName);
}

std::string selectList(const FileDef &def)
{
    std::string list = std::string("rowid, ") + quote(kVersionColumn);
    for (int i = 0; i < def.fieldCount; ++i)
        list += ", " + quote(def.fields[i].name);
    return list;
}

// The column as a key compares it: text components of keys that ignore case by their folded
// value, which the key's index is built on.
std::string keyColumn(const FileDef &def, const KeyPart &part, bool noCase)
{
    const FieldDef &field = def.fields[part.field];
    return noCase && field.type == FieldType::String ? ignoringCase(def, part.field)
                                                     : quote(field.name);
}

std::string param(int n)
{
    return '?' + std::to_string(n);
}

KeySpec specOf(const FileDef &def, int key)
{
    return KeySpec::ofKey(def.id, key);
}

std::string equalities(const FileDef &def, const KeySpec &spec)
{
    std::string where;
    for (std::size_t i = 0; i < spec.parts.size(); ++i) {
        if (i > 0)
            where += " AND ";
        where
            += keyColumn(def, spec.parts[i], spec.noCase) + " = " + param(static_cast<int>(i) + 1);
    }
    return where;
}

} // namespace

std::string quote(std::string_view identifier)
{
    return quoteSqlIdentifier(identifier);
}

std::string ignoringCase(const FileDef &def, int field)
{
    const char *name = def.fields[field].name;
    if (foldedkey::isFolded(def, field))
        return quote(foldedkey::columnName(name));
    return std::string(kFoldFunction) + '(' + quote(name) + ')';
}

std::string createTable(const FileDef &def)
{
    std::string sql = "CREATE TABLE " + quote(def.storedName) + '(';
    for (int i = 0; i < def.fieldCount; ++i)
        sql += quote(def.fields[i].name) + ' ' + columnType(def.fields[i].type) + ", ";
    sql += quote(kVersionColumn) + " INTEGER NOT NULL DEFAULT 0";
    for (const int field : foldedkey::foldedFields(def))
        sql += ", " + foldedColumnDef(def, field);
    for (int slot = 0; slot < def.largeCount; ++slot)
        sql += ", " + largeColumnDef(def, slot);
    sql += ')';
    return sql;
}

std::string largeColumnDef(const FileDef &def, int slot)
{
    return quote(def.largeNames[slot]) + " BLOB NOT NULL DEFAULT x''";
}

std::string foldedColumnDef(const FileDef &def, int field)
{
    return quote(foldedkey::columnName(def.fields[field].name)) + " TEXT NOT NULL DEFAULT ''";
}

std::string indexName(const FileDef &def, int key)
{
    return def.qualifiedKeyName(key);
}

std::string createIndex(const FileDef &def, int key)
{
    const KeyDef &k = def.keys[key];
    std::string sql = k.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    sql += quote(indexName(def, key)) + " ON " + quote(def.storedName) + '(';
    for (int i = 0; i < k.partCount; ++i) {
        if (i > 0)
            sql += ", ";
        sql += keyColumn(def, k.parts[i], k.noCase);
        if (k.parts[i].descending)
            sql += " DESC";
    }
    sql += ')';
    return sql;
}

FileStatements fileStatements(const FileDef &def, std::string_view schema)
{
    FileStatements s;
    const std::string t = table(def, schema);
    const std::string select = "SELECT " + selectList(def) + " FROM " + t;
    const int n = def.fieldCount;

    std::string columns;
    std::string values;
    std::string assignments;
    for (int i = 0; i < n; ++i) {
        const std::string column = quote(def.fields[i].name);
        const std::string sep = i > 0 ? ", " : "";
        columns += sep + column;
        values += sep + param(i + 1);
        assignments += sep + column + " = " + param(i + 1);
    }
    const std::vector<int> folded = foldedkey::foldedFields(def);
    for (std::size_t j = 0; j < folded.size(); ++j) {
        const std::string column = quote(foldedkey::columnName(def.fields[folded[j]].name));
        const std::string value = param(n + 1 + static_cast<int>(j));
        columns += ", " + column;
        values += ", " + value;
        assignments += ", " + column + " = " + value;
    }
    s.rowidParam = n + static_cast<int>(folded.size()) + 1;
    const std::string version = quote(kVersionColumn);
    s.insert = "INSERT INTO " + t + '(' + columns + ", " + version + ") VALUES(" + values + ", 0)";
    s.update = "UPDATE " + t + " SET " + assignments + ", " + version + " = " + version
               + " + 1 WHERE rowid = " + param(s.rowidParam);
    s.updateWatched
        = s.update + " AND " + version + " = " + param(s.rowidParam + 1) + " RETURNING " + version;
    s.update += " RETURNING " + version;
    s.erase = "DELETE FROM " + t + " WHERE rowid = ?1";
    s.byRowid = select + " WHERE rowid = ?1";
    s.count = "SELECT count(*) FROM " + t;
    s.versionOf = "SELECT " + version + " FROM " + t + " WHERE rowid = ?1";

    for (int k = 0; k < def.keyCount; ++k) {
        const KeySpec spec = specOf(def, k);
        const std::string where = equalities(def, spec);
        // Equal components leave the rowid to decide: the first record in key order.
        s.get.push_back(select + " WHERE " + where + " ORDER BY rowid LIMIT 1");
        s.duplicate.push_back("SELECT rowid FROM " + t + " WHERE " + where + " AND rowid <> "
                              + param(static_cast<int>(spec.parts.size()) + 1) + " LIMIT 1");
    }
    for (int slot = 0; slot < def.largeCount; ++slot) {
        const std::string column = quote(def.largeNames[slot]);
        s.putLarge.push_back("UPDATE " + t + " SET " + column + " = ?1 WHERE rowid = ?2");
        s.getLarge.push_back("SELECT " + column + " FROM " + t + " WHERE rowid = ?1");
    }
    return s;
}

std::string passSql(const FileDef &def,
                    const KeySpec &order,
                    const SqlFilter &filter,
                    bool forward,
                    std::string_view schema)
{
    const int first = static_cast<int>(filter.values.size()) + 1;
    const int parts = static_cast<int>(order.parts.size());

    const std::string bound
        = keysetBound(def,
                      order,
                      forward,
                      first,
                      std::string("rowid ") + (forward ? ">" : "<") + ' ' + param(first + parts),
                      keyColumn,
                      param);
    const std::string orderBy
        = keysetOrderBy(def, order, forward, keyColumn) + (forward ? "rowid ASC" : "rowid DESC");

    std::string where = bound;
    if (!filter.empty())
        where = '(' + filter.expression + ") AND " + bound;

    return "SELECT " + selectList(def) + " FROM " + table(def, schema) + " WHERE " + where
           + " ORDER BY " + orderBy + " LIMIT " + param(first + parts + 1);
}

} // namespace enginesql
