#include "store/postgres/pgsql.h"

#include "store/foldedkey.h"

#include <utility>

namespace pgsql {
namespace {

std::string columnType(FieldType type)
{
    switch (type) {
    case FieldType::Long:
    case FieldType::Date:
        return "integer NOT NULL DEFAULT 0";
    case FieldType::Real:
    case FieldType::Decimal:
        return "double precision NOT NULL DEFAULT 0";
    case FieldType::String:
        return "text COLLATE \"C\" NOT NULL DEFAULT ''";
    }
    return {};
}

std::string foldedColumn(const FieldDef &field)
{
    return quote(foldedkey::columnName(field.name));
}

std::string param(int n)
{
    return '$' + std::to_string(n);
}

std::string selectList(const FileDef &def)
{
    std::string list = "id, _version";
    for (int i = 0; i < def.fieldCount; ++i)
        list += ", " + quote(def.fields[i].name);
    return list;
}

std::string quotedName(const FileDef &def, int field)
{
    return quote(def.fields[field].name);
}

std::string foldedName(const FileDef &def, int field)
{
    return foldedColumn(def.fields[field]);
}

constexpr SqlDialect kDialect{quotedName, foldedName, param};

} // namespace

std::string quote(std::string_view identifier)
{
    return quoteSqlIdentifier(identifier);
}

std::string table(const FileDef &def)
{
    return quote(def.storedName);
}

std::string keyColumn(const FileDef &def, const KeyPart &part, bool noCase)
{
    const FieldDef &field = def.fields[part.field];
    return noCase && field.type == FieldType::String ? foldedColumn(field) : quote(field.name);
}

std::string indexName(const FileDef &def, int key)
{
    return def.qualifiedKeyName(key);
}

std::string createIndex(const FileDef &def, int key)
{
    const KeyDef &k = def.keys[key];
    std::string sql = k.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    sql += quote(indexName(def, key)) + " ON " + table(def) + '(';
    for (int i = 0; i < k.partCount; ++i) {
        if (i > 0)
            sql += ", ";
        sql += keyColumn(def, k.parts[i], k.noCase);
        if (k.parts[i].descending)
            sql += " DESC";
    }
    if (!k.unique)
        sql += ", id";
    sql += ')';
    return sql;
}

std::vector<std::string> createFile(const FileDef &def)
{
    std::string sql = "CREATE TABLE " + table(def)
                      + "(id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY, "
                        "_version bigint NOT NULL DEFAULT 0";
    for (int i = 0; i < def.fieldCount; ++i)
        sql += ", " + quote(def.fields[i].name) + ' ' + columnType(def.fields[i].type);
    for (int i = 0; i < def.fieldCount; ++i) {
        if (def.fields[i].type == FieldType::String)
            sql += ", " + foldedColumn(def.fields[i]) + ' ' + columnType(FieldType::String);
    }
    for (int slot = 0; slot < def.largeCount; ++slot)
        sql += ", " + quote(def.largeNames[slot]) + " bytea NOT NULL DEFAULT ''::bytea";
    sql += ')';
    std::vector<std::string> statements{std::move(sql)};
    for (int k = 0; k < def.keyCount; ++k)
        statements.push_back(createIndex(def, k));
    statements.push_back(tellChanges(def));
    return statements;
}

std::string changeChannel(std::string_view schema, const FileDef &def)
{
    return "tessaro:" + std::string(schema) + '.' + def.storedName;
}

std::string tellChanges(const FileDef &def)
{
    // A statement's trigger runs in the statement's transaction, so the notice goes out with
    // its commit and never for a write that was rolled back; notices of one transaction to
    // one channel arrive as one.
    return "CREATE OR REPLACE FUNCTION tessaro_changed() RETURNS trigger LANGUAGE plpgsql AS "
           "$f$BEGIN PERFORM pg_notify('tessaro:' || TG_TABLE_SCHEMA || '.' || TG_TABLE_NAME, "
           "''); RETURN NULL; END$f$; CREATE OR REPLACE TRIGGER tessaro_changed AFTER INSERT OR "
           "UPDATE OR DELETE OR TRUNCATE ON "
           + table(def) + " FOR EACH STATEMENT EXECUTE FUNCTION tessaro_changed()";
}

FileStatements fileStatements(const FileDef &def)
{
    FileStatements s;
    const std::string t = table(def);
    const std::string select = "SELECT " + selectList(def) + " FROM " + t;

    std::string columns;
    std::string values;
    std::string assignments;
    int n = 0;
    auto addColumn = [&](const std::string &column) {
        const std::string sep = n > 0 ? ", " : "";
        ++n;
        columns += sep + column;
        values += sep + param(n);
        assignments += sep + column + " = " + param(n);
    };
    for (int i = 0; i < def.fieldCount; ++i)
        addColumn(quote(def.fields[i].name));
    for (int i = 0; i < def.fieldCount; ++i) {
        if (def.fields[i].type == FieldType::String)
            addColumn(foldedColumn(def.fields[i]));
    }
    s.insert = "INSERT INTO " + t + '(' + columns + ") VALUES(" + values + ") RETURNING id";
    s.update = "UPDATE " + t + " SET " + assignments
               + ", _version = _version + 1 WHERE id = " + param(n + 1);
    s.updateWatched = s.update + " AND _version = " + param(n + 2) + " RETURNING _version";
    s.update += " RETURNING _version";
    s.erase = "DELETE FROM " + t + " WHERE id = $1";
    s.byId = select + " WHERE id = $1";
    s.count = "SELECT count(*) FROM " + t;

    for (int k = 0; k < def.keyCount; ++k) {
        const KeySpec spec = KeySpec::ofKey(def.id, k);
        std::string where;
        for (std::size_t i = 0; i < spec.parts.size(); ++i) {
            if (i > 0)
                where += " AND ";
            where += keyColumn(def, spec.parts[i], spec.noCase) + " = "
                     + param(static_cast<int>(i) + 1);
        }
        // Equal components leave the id to decide: the first record in key order.
        s.get.push_back(select + " WHERE " + where + " ORDER BY id LIMIT 1");
        s.duplicate.push_back("SELECT id FROM " + t + " WHERE " + where + " AND id <> "
                              + param(static_cast<int>(spec.parts.size()) + 1) + " LIMIT 1");
    }
    for (int slot = 0; slot < def.largeCount; ++slot) {
        const std::string column = quote(def.largeNames[slot]);
        s.putLarge.push_back("UPDATE " + t + " SET " + column + " = $1 WHERE id = $2");
        s.getLarge.push_back("SELECT " + column + " FROM " + t + " WHERE id = $1");
    }
    return s;
}

Filter renderFilter(const FileDef &def, const FilterTree &tree)
{
    return renderSqlFilter(def, tree, kDialect);
}

std::string passSql(const FileDef &def,
                    const KeySpec &order,
                    bool uniqueKey,
                    const Filter &filter,
                    bool forward,
                    Bound bound)
{
    const int first = static_cast<int>(filter.values.size()) + 1;
    const int parts = static_cast<int>(order.parts.size());
    const int idParam = first + parts;
    int limitParam = first;
    if (bound != Bound::None)
        limitParam = uniqueKey ? idParam : idParam + 1;

    std::string where;
    if (bound != Bound::None) {
        bool uniform = true;
        for (const KeyPart &part : order.parts)
            uniform = uniform && !part.descending;
        const char *strict = forward ? " > " : " < ";
        if (uniform) {
            std::string left = "(";
            std::string right = "(";
            for (int i = 0; i < parts; ++i) {
                left += keyColumn(def, order.parts[static_cast<std::size_t>(i)], order.noCase)
                        + ", ";
                right += param(first + i) + ", ";
            }
            if (uniqueKey) {
                left.resize(left.size() - 2);
                right.resize(right.size() - 2);
            } else {
                left += "id";
                right += param(idParam);
            }
            const char *op = strict;
            if (uniqueKey && bound == Bound::From)
                op = forward ? " >= " : " <= ";
            where = left + ')' + op + right + ')';
        } else {
            std::string inner;
            if (!uniqueKey)
                inner = std::string("id") + strict + param(idParam);
            else
                inner = bound == Bound::From ? "TRUE" : "FALSE";
            where = keysetBound(def, order, forward, first, std::move(inner), keyColumn, param);
        }
    }
    if (!filter.empty())
        where = where.empty() ? '(' + filter.expression + ')'
                              : '(' + filter.expression + ") AND " + where;

    std::string orderBy = keysetOrderBy(def, order, forward, keyColumn);
    if (uniqueKey && !orderBy.empty())
        orderBy.resize(orderBy.size() - 2);
    else
        orderBy += forward ? "id ASC" : "id DESC";

    return "SELECT " + selectList(def) + " FROM " + table(def)
           + (where.empty() ? std::string() : " WHERE " + where) + " ORDER BY " + orderBy
           + " LIMIT " + param(limitParam);
}

HoldKey holdKey(std::uint32_t tableOid, FileId file, std::int64_t id)
{
    HoldKey key;
    if (id < 1)
        return key;
    if (id <= 0xFFFFFFFFLL) {
        key.valid = key.pair = true;
        key.first = static_cast<std::int32_t>(tableOid);
        key.second = static_cast<std::int32_t>(static_cast<std::uint32_t>(id));
        return key;
    }
    if (id >= (std::int64_t{1} << 56))
        return key;
    key.valid = true;
    key.first = static_cast<std::int64_t>((static_cast<std::uint64_t>(file) + 1) << 56
                                          | static_cast<std::uint64_t>(id));
    return key;
}

std::string takeHoldSql(const HoldKey &key)
{
    return key.pair ? "SELECT pg_try_advisory_lock($1::int4, $2::int4)"
                    : "SELECT pg_try_advisory_lock($1)";
}

std::string releaseHoldSql(const HoldKey &key)
{
    return key.pair ? "SELECT pg_advisory_unlock($1::int4, $2::int4)"
                    : "SELECT pg_advisory_unlock($1)";
}

} // namespace pgsql
