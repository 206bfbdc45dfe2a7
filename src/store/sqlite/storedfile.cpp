// One open record file: its connection, the check of its table and keys, making and
// rebuilding the file; and how SQLite's failures become result codes.

#include "store/sqlite/storedfile.h"

#include "store/foldedkey.h"
#include "store/sqlite/foldfunctions.h"

#include <QDateTime>

#include <map>
#include <set>
#include <system_error>
#include <utility>

namespace {

// The file's schema cookie, which every change of its tables and indexes counts up; -1 when
// it cannot be read.
std::int64_t schemaVersion(sqlite::Database &db)
{
    sqlite::Statement *pragma = db.cached("PRAGMA schema_version");
    if (!pragma)
        return -1;
    sqlite::ResetGuard reset(*pragma);
    return pragma->step() == SQLITE_ROW ? pragma->int64(0) : -1;
}

// Whether the file the connection has open was renamed, moved or deleted since, or another
// file now lies under its name; also when SQLite cannot tell.
bool hasMoved(sqlite::Database &db)
{
    int moved = 1;
    if (sqlite3_file_control(db.handle(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK)
        return true;
    return moved != 0;
}

sqlite::Failure failureOf(int rc, const std::string &message)
{
    return sqlite::Failure{rc, message};
}

// Beside the file, named after it with the date and time, never over another file:
// "KUNDE.sqlite.defekt-2026-12-08-1430", then "…-1430-2" and so on.
std::filesystem::path asideName(const std::filesystem::path &path)
{
    const std::string stamp
        = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")).toStdString();
    const std::string base = path.string() + ".defekt-" + stamp;
    std::filesystem::path aside = base;
    std::error_code ignored;
    for (int n = 2; std::filesystem::exists(aside, ignored); ++n)
        aside = base + '-' + std::to_string(n);
    return aside;
}

void removeWithJournal(const std::filesystem::path &path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::remove(path.string() + "-journal", ignored);
}

} // namespace

StoredFile::StoredFile(FileId id, std::filesystem::path path)
    : m_id(id)
    , m_path(std::move(path))
{}

StoredFile::~StoredFile() = default;

int StoredFile::open(bool readOnly, int busyMs, sqlite::Failure &failure)
{
    m_readOnly = readOnly;
    const int flags
        = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int rc = m_own.open(m_path.string(), flags);
    if (rc != SQLITE_OK) {
        failure = m_own.lastFailure();
        return rc;
    }
    configureConnection(m_own, readOnly, busyMs);
    if (!readOnly) {
        rc = convertToFoldedKeys(m_own, def(), failure);
        if (rc != SQLITE_OK) {
            m_own.close();
            return rc;
        }
    }
    rc = checkSchema(m_own, def(), failure);
    if (rc != SQLITE_OK) {
        m_own.close();
        return rc;
    }
    m_sql = enginesql::fileStatements(def(), m_schema);
    m_schemaVersion = schemaVersion(m_own);
    return SQLITE_OK;
}

bool StoredFile::stillOnDisk()
{
    if (!m_own.isOpen() || routed())
        return false;
    return !hasMoved(m_own) && m_schemaVersion >= 0 && schemaVersion(m_own) == m_schemaVersion;
}

void StoredFile::setBusyTimeout(int ms)
{
    if (m_own.isOpen())
        m_own.setBusyTimeout(ms);
}

void StoredFile::route(sqlite::Database *db, const std::string &schema)
{
    m_db = db ? db : &m_own;
    m_schema = db ? schema : std::string("main");
    m_sql = enginesql::fileStatements(def(), m_schema);
    m_passSql.clear();
    ++m_routeCount;
}

const StoredFile::PassSql &
StoredFile::passSql(const std::string &tag, const KeySpec &order, const SqlFilter &filter)
{
    // A tag names a key or spells the order out; the filter's text and the number of its
    // values complete the name.
    std::string name = tag + '\n' + std::to_string(filter.values.size()) + '\n' + filter.expression;
    auto found = m_passSql.find(name);
    if (found == m_passSql.end()) {
        PassSql sql{enginesql::passSql(def(), order, filter, true, m_schema),
                    enginesql::passSql(def(), order, filter, false, m_schema)};
        found = m_passSql.emplace(std::move(name), std::move(sql)).first;
    }
    return found->second;
}

int configureConnection(sqlite::Database &db, bool readOnly, int busyMs)
{
    foldfunctions::registerFold(db.handle());
    db.setBusyTimeout(busyMs);
    // Commits across attached files are atomic only with a rollback journal; a damaged
    // file answers here already, and checkSchema reports it.
    if (!readOnly)
        db.exec("PRAGMA journal_mode = DELETE");
    return SQLITE_OK;
}

int checkSchema(sqlite::Database &db, const FileDef &def, sqlite::Failure &failure)
{
    sqlite::Statement statement;
    int rc = db.prepare(
        "SELECT type, name, sql FROM sqlite_schema WHERE tbl_name = ?1 COLLATE NOCASE", statement);
    if (rc != SQLITE_OK) {
        failure = db.lastFailure();
        return rc;
    }
    statement.bindStatic(1, def.storedName);
    bool hasTable = false;
    std::map<std::string, std::string> indexes;
    while ((rc = statement.step()) == SQLITE_ROW) {
        if (statement.text(0) == "table")
            hasTable = true;
        else if (statement.text(0) == "index")
            indexes[std::string(statement.text(1))] = std::string(statement.text(2));
    }
    if (rc != SQLITE_DONE) {
        failure = db.failure(rc);
        return rc;
    }
    if (!hasTable)
        return 46;

    std::set<std::string> columns;
    rc = columnsOf(db, "main", def, columns);
    if (rc != SQLITE_OK) {
        failure = db.lastFailure();
        return rc;
    }
    for (int i = 0; i < def.fieldCount; ++i) {
        if (!columns.count(def.fields[i].name))
            return 46;
    }
    if (!columns.count(enginesql::kVersionColumn))
        return 46;
    for (const int field : foldedkey::foldedFields(def)) {
        if (!columns.count(foldedkey::columnName(def.fields[field].name)))
            return 46;
    }
    for (int slot = 0; slot < def.largeCount; ++slot) {
        if (!columns.count(def.largeNames[slot]))
            return 46;
    }

    for (int k = 0; k < def.keyCount; ++k) {
        const auto found = indexes.find(enginesql::indexName(def, k));
        if (found == indexes.end() || found->second != enginesql::createIndex(def, k))
            return 46;
    }
    return SQLITE_OK;
}

int createFile(const std::filesystem::path &path, const FileDef &def, sqlite::Failure &failure)
{
    removeWithJournal(path);
    int rc = SQLITE_OK;
    {
        sqlite::Database db;
        rc = db.open(path.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (rc != SQLITE_OK) {
            failure = db.lastFailure();
            return rc;
        }
        configureConnection(db, false, kDefaultBusyMs);
        sqlite::Transaction transaction(db);
        rc = transaction.begin();
        if (rc == SQLITE_OK)
            rc = db.exec(enginesql::createTable(def));
        for (int k = 0; k < def.keyCount && rc == SQLITE_OK; ++k)
            rc = db.exec(enginesql::createIndex(def, k));
        if (rc == SQLITE_OK)
            rc = transaction.commit();
        if (rc != SQLITE_OK)
            failure = db.lastFailure();
    }
    if (rc != SQLITE_OK)
        removeWithJournal(path);
    return rc;
}

int rebuildFile(const std::filesystem::path &path,
                const FileDef &def,
                sqlite::Failure &failure,
                std::filesystem::path &setAside)
{
    setAside.clear();
    bool foreign = false;
    const std::filesystem::path fresh = path.string() + ".rebuild";
    removeWithJournal(fresh);
    int rc = SQLITE_OK;
    {
        sqlite::Database db;
        rc = db.open(fresh.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (rc != SQLITE_OK) {
            failure = db.lastFailure();
            return rc;
        }
        configureConnection(db, false, kDefaultBusyMs);
        foldfunctions::registerLegacyCollation(db.handle()); // an old file's indexes name it
        auto fail = [&](int code) {
            failure = db.failure(code);
            return code;
        };

        rc = runWithText(db, "ATTACH DATABASE ?1 AS old", path.string());
        if (rc != SQLITE_OK)
            rc = fail(rc);
        std::set<std::string> oldColumns;
        if (rc == SQLITE_OK && (rc = columnsOf(db, "old", def, oldColumns)) != SQLITE_OK)
            rc = fail(rc);
        // No table of this file, yet something in it: another file copied over this one.
        std::error_code sizeError;
        foreign = rc == SQLITE_OK && oldColumns.empty()
                  && std::filesystem::file_size(path, sizeError) > 0 && !sizeError;

        sqlite::Transaction transaction(db);
        if (rc == SQLITE_OK && (rc = transaction.begin()) != SQLITE_OK)
            rc = fail(rc);
        if (rc == SQLITE_OK && (rc = db.exec(enginesql::createTable(def))) != SQLITE_OK)
            rc = fail(rc);
        if (rc == SQLITE_OK && !oldColumns.empty()) {
            std::string into = "rowid, " + enginesql::quote(enginesql::kVersionColumn);
            std::string from = "rowid, ";
            from += oldColumns.count(enginesql::kVersionColumn)
                        ? enginesql::quote(enginesql::kVersionColumn)
                        : std::string("0");
            for (int i = 0; i < def.fieldCount; ++i) {
                const FieldDef &f = def.fields[i];
                into += ", " + enginesql::quote(f.name);
                if (oldColumns.count(f.name))
                    from += ", " + enginesql::quote(f.name);
                else
                    from += f.type == FieldType::String ? ", ''" : ", 0";
            }
            for (const int field : foldedkey::foldedFields(def)) {
                const char *name = def.fields[field].name;
                into += ", " + enginesql::quote(foldedkey::columnName(name));
                from += ", " + std::string(enginesql::kFoldFunction) + '('
                        + (oldColumns.count(name) ? enginesql::quote(name) : std::string("''"))
                        + ')';
            }
            // A stored document goes into the new file with its record.
            for (int slot = 0; slot < def.largeCount; ++slot) {
                const char *name = def.largeNames[slot];
                into += ", " + enginesql::quote(name);
                from += oldColumns.count(name) ? ", " + enginesql::quote(name) : ", x''";
            }
            rc = db.exec("INSERT INTO main." + enginesql::quote(def.storedName) + '(' + into
                         + ") SELECT " + from + " FROM old." + enginesql::quote(def.storedName)
                         + " ORDER BY rowid");
            if (rc != SQLITE_OK)
                rc = fail(rc);
        }
        for (int k = 0; k < def.keyCount && rc == SQLITE_OK; ++k) {
            if ((rc = db.exec(enginesql::createIndex(def, k))) != SQLITE_OK)
                rc = fail(rc);
        }
        if (rc == SQLITE_OK && (rc = transaction.commit()) != SQLITE_OK)
            rc = fail(rc);
    }
    if (rc != SQLITE_OK) {
        removeWithJournal(fresh);
        return rc;
    }
    std::error_code error;
    if (foreign) {
        const std::filesystem::path aside = asideName(path);
        std::filesystem::rename(path, aside, error);
        if (error) {
            failure = failureOf(SQLITE_IOERR, error.message());
            removeWithJournal(fresh);
            return SQLITE_IOERR;
        }
        std::error_code ignored; // a journal belongs with its file
        if (std::filesystem::exists(path.string() + "-journal", ignored))
            std::filesystem::rename(
                path.string() + "-journal", aside.string() + "-journal", ignored);
        setAside = aside;
    }
    std::filesystem::rename(fresh, path, error);
    if (error) {
        failure = failureOf(SQLITE_IOERR, error.message());
        removeWithJournal(fresh);
        return SQLITE_IOERR;
    }
    return SQLITE_OK;
}

int columnsOf(sqlite::Database &db,
              const std::string &schema,
              const FileDef &def,
              std::set<std::string> &columns)
{
    sqlite::Statement statement;
    int rc = db.prepare("PRAGMA " + enginesql::quote(schema) + ".table_info("
                            + enginesql::quote(def.storedName) + ')',
                        statement);
    if (rc != SQLITE_OK)
        return rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        columns.insert(std::string(statement.text(1)));
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int runWithText(sqlite::Database &db, const std::string &sql, const std::string &text)
{
    sqlite::Statement statement;
    int rc = db.prepare(sql, statement);
    if (rc != SQLITE_OK)
        return rc;
    statement.bindCopy(1, text);
    while ((rc = statement.step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

int resultOf(const sqlite::Failure &failure)
{
    switch (failure.code) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return Result::DuplicateKey;
    case SQLITE_CORRUPT_INDEX:
        return Result::KeysInvalid;
    default:
        break;
    }
    if ((failure.code & 0xFF) == SQLITE_READONLY)
        return Result::AccessDenied;
    return Result::EngineError;
}

int finish(StorageStatus &status, int code)
{
    status = StorageStatus{code, {}, {}};
    return code;
}

int finish(StorageStatus &status, const sqlite::Failure &failure)
{
    status = StorageStatus{resultOf(failure), std::to_string(failure.code), failure.message};
    return status.code;
}

int notOpen(StorageStatus &status)
{
    return finish(status, sqlite::Failure{SQLITE_MISUSE, "the file is not open"});
}
