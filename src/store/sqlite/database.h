#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// A thin RAII layer over the SQLite C API: a connection with its cache of prepared
// statements, a statement, and a transaction that rolls back unless committed. Nothing here
// throws; every call answers with SQLite's own result code, and the connection keeps the
// extended code and message of its last failure for the engine's status.
namespace sqlite {

struct Failure
{
    int code = SQLITE_OK; // extended result code
    std::string message;
};

inline bool isError(int rc)
{
    return rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE;
}

class Statement
{
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt *stmt)
        : m_stmt(stmt)
    {}
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(Statement &&other) noexcept
        : m_stmt(other.m_stmt)
    {
        other.m_stmt = nullptr;
    }
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *handle() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

    int step() { return sqlite3_step(m_stmt); }
    void reset() { sqlite3_reset(m_stmt); }

    void bind(int index, std::int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
    void bind(int index, int value) { sqlite3_bind_int(m_stmt, index, value); }
    void bind(int index, double value) { sqlite3_bind_double(m_stmt, index, value); }
    // The text must stay unchanged until the statement has been stepped.
    // A text without data would be bound as NULL; "" is what is meant.
    void bindStatic(int index, std::string_view utf8)
    {
        sqlite3_bind_text(m_stmt, index, textData(utf8), textSize(utf8), SQLITE_STATIC);
    }
    void bindCopy(int index, std::string_view utf8)
    {
        sqlite3_bind_text(m_stmt, index, textData(utf8), textSize(utf8), SQLITE_TRANSIENT);
    }
    void bindBlob(int index, const void *data, int size)
    {
        sqlite3_bind_blob(m_stmt, index, data, size, SQLITE_STATIC);
    }

    std::int64_t int64(int column) const { return sqlite3_column_int64(m_stmt, column); }
    int int32(int column) const { return sqlite3_column_int(m_stmt, column); }
    double real(int column) const { return sqlite3_column_double(m_stmt, column); }
    std::string_view text(int column) const
    {
        const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
        if (!p)
            return {};
        return std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)));
    }
    std::string_view blob(int column) const
    {
        const auto *p = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
        if (!p)
            return {};
        return std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column)));
    }

private:
    static const char *textData(std::string_view s) { return s.data() ? s.data() : ""; }
    static int textSize(std::string_view s) { return static_cast<int>(s.size()); }

    sqlite3_stmt *m_stmt = nullptr;
};

// Resets a statement when the scope ends, also on early returns, so that no statement keeps
// a read transaction (and its lock) open between two calls of the engine.
class ResetGuard
{
public:
    explicit ResetGuard(Statement &statement)
        : m_statement(statement)
    {}
    ~ResetGuard() { m_statement.reset(); }
    ResetGuard(const ResetGuard &) = delete;
    ResetGuard &operator=(const ResetGuard &) = delete;

private:
    Statement &m_statement;
};

class Database
{
public:
    Database() = default;
    ~Database() { close(); }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // sqlite3_open_v2 with the given flags; on failure the connection stays closed and
    // lastFailure() tells why.
    int open(const std::string &path, int flags);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3 *handle() const { return m_db; }

    int exec(const std::string &sql);
    // A statement prepared once and kept for the life of the connection, found by its text.
    // nullptr when it cannot be prepared (lastFailure() tells why).
    Statement *cached(const std::string &sql);
    int prepare(const std::string &sql, Statement &out);

    void setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(m_db, milliseconds); }
    int changes() const { return sqlite3_changes(m_db); }
    std::int64_t lastInsertRowid() const { return sqlite3_last_insert_rowid(m_db); }
    bool readOnly(const char *schema = "main") const
    {
        return sqlite3_db_readonly(m_db, schema) == 1;
    }

    // Takes the connection's current error (call right after the failing step).
    Failure failure(int rc) const;
    const Failure &lastFailure() const { return m_failure; }

private:
    int note(int rc);

    sqlite3 *m_db = nullptr;
    Failure m_failure;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
};

// BEGIN … COMMIT; rolls back when it goes out of scope uncommitted.
class Transaction
{
public:
    explicit Transaction(Database &db)
        : m_db(db)
    {}
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    int begin(bool immediate = false);
    int commit();
    int rollback();
    bool isOpen() const { return m_open; }

private:
    Database &m_db;
    bool m_open = false;
};

} // namespace sqlite
