// Converting files made before the keys that ignore case had folded columns.

#include "store/foldedkey.h"
#include "store/sqlite/foldfunctions.h"
#include "store/sqlite/storedfile.h"

namespace {

bool hasAllFolded(const FileDef &def, const std::set<std::string> &columns)
{
    for (const int field : foldedkey::foldedFields(def)) {
        if (!columns.count(foldedkey::columnName(def.fields[field].name)))
            return false;
    }
    return true;
}

// Whether the table has every field: only then can the folded columns be filled in place;
// otherwise the file is rebuilt, which also fills them.
bool hasAllFields(const FileDef &def, const std::set<std::string> &columns)
{
    for (int i = 0; i < def.fieldCount; ++i) {
        if (!columns.count(def.fields[i].name))
            return false;
    }
    return true;
}

} // namespace

int convertToFoldedKeys(sqlite::Database &db, const FileDef &def, sqlite::Failure &failure)
{
    const std::vector<int> &folded = foldedkey::foldedFields(def);
    if (folded.empty())
        return SQLITE_OK;
    std::set<std::string> columns;
    // A file that cannot be read here is judged by checkSchema.
    if (columnsOf(db, "main", def, columns) != SQLITE_OK || !hasAllFields(def, columns)
        || hasAllFolded(def, columns)) {
        return SQLITE_OK;
    }

    foldfunctions::registerLegacyCollation(db.handle());
    sqlite::Transaction transaction(db);
    auto fail = [&](int rc) {
        failure = db.failure(rc);
        return rc;
    };
    int rc = transaction.begin(true);
    if (rc != SQLITE_OK)
        return fail(rc);
    // Another station may have converted it while this one waited for the file.
    columns.clear();
    if ((rc = columnsOf(db, "main", def, columns)) != SQLITE_OK)
        return fail(rc);
    if (hasAllFolded(def, columns))
        return transaction.commit();

    const std::string table = enginesql::quote(def.storedName);
    for (int k = 0; k < def.keyCount; ++k) {
        if (!def.keys[k].noCase)
            continue;
        rc = db.exec("DROP INDEX IF EXISTS " + enginesql::quote(enginesql::indexName(def, k)));
        if (rc != SQLITE_OK)
            return fail(rc);
    }
    std::string assignments;
    for (const int field : folded) {
        const char *name = def.fields[field].name;
        const std::string column = enginesql::quote(foldedkey::columnName(name));
        if (!columns.count(foldedkey::columnName(name))) {
            rc = db.exec("ALTER TABLE " + table + " ADD COLUMN "
                         + enginesql::foldedColumnDef(def, field));
            if (rc != SQLITE_OK)
                return fail(rc);
        }
        if (!assignments.empty())
            assignments += ", ";
        assignments
            += column + " = " + enginesql::kFoldFunction + '(' + enginesql::quote(name) + ')';
    }
    if ((rc = db.exec("UPDATE " + table + " SET " + assignments)) != SQLITE_OK)
        return fail(rc);
    for (int k = 0; k < def.keyCount; ++k) {
        if (def.keys[k].noCase && (rc = db.exec(enginesql::createIndex(def, k))) != SQLITE_OK)
            return fail(rc);
    }
    if ((rc = transaction.commit()) != SQLITE_OK)
        return fail(rc);
    return SQLITE_OK;
}
