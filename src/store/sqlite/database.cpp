#include "store/sqlite/database.h"

namespace sqlite {

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

int Database::open(const std::string &path, int flags)
{
    close();
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_failure.code = db ? sqlite3_extended_errcode(db) : rc;
        m_failure.message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        return rc;
    }
    m_db = db;
    sqlite3_extended_result_codes(m_db, 1);
    m_failure = {};
    return SQLITE_OK;
}

void Database::close()
{
    m_cache.clear(); // statements are finalized before their connection closes
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

Failure Database::failure(int rc) const
{
    Failure f;
    if (!m_db) {
        f.code = rc;
        f.message = sqlite3_errstr(rc);
        return f;
    }
    f.code = sqlite3_extended_errcode(m_db);
    if (f.code == SQLITE_OK)
        f.code = rc;
    f.message = sqlite3_errmsg(m_db);
    return f;
}

int Database::note(int rc)
{
    if (isError(rc))
        m_failure = failure(rc);
    return rc;
}

int Database::exec(const std::string &sql)
{
    if (!m_db)
        return SQLITE_MISUSE;
    return note(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr));
}

int Database::prepare(const std::string &sql, Statement &out)
{
    if (!m_db)
        return SQLITE_MISUSE;
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v3(m_db,
                                      sql.c_str(),
                                      static_cast<int>(sql.size()) + 1,
                                      SQLITE_PREPARE_PERSISTENT,
                                      &stmt,
                                      nullptr);
    if (rc != SQLITE_OK) {
        note(rc);
        sqlite3_finalize(stmt);
        return rc;
    }
    out = Statement(stmt);
    return SQLITE_OK;
}

Statement *Database::cached(const std::string &sql)
{
    const auto found = m_cache.find(sql);
    if (found != m_cache.end())
        return found->second.get();
    auto statement = std::make_unique<Statement>();
    if (prepare(sql, *statement) != SQLITE_OK)
        return nullptr;
    return m_cache.emplace(sql, std::move(statement)).first->second.get();
}

Transaction::~Transaction()
{
    if (m_open)
        rollback();
}

int Transaction::begin(bool immediate)
{
    const int rc = m_db.exec(immediate ? "BEGIN IMMEDIATE" : "BEGIN");
    m_open = rc == SQLITE_OK;
    return rc;
}

int Transaction::commit()
{
    const int rc = m_db.exec("COMMIT");
    if (rc == SQLITE_OK)
        m_open = false;
    return rc;
}

int Transaction::rollback()
{
    m_open = false;
    if (sqlite3_get_autocommit(m_db.handle()))
        return SQLITE_OK; // SQLite already rolled back (after some errors it does)
    return m_db.exec("ROLLBACK");
}

} // namespace sqlite
