#pragma once

// A thin RAII layer over libpq: a connection that prepares each statement text once and runs
// it with bound parameters, and the result of a run.

#include <libpq-fe.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pg {

// Parameter types, named when a statement is prepared so that the server never has to guess.
namespace Type {
inline constexpr Oid Bytea = 17;
inline constexpr Oid Int8 = 20;
inline constexpr Oid Int4 = 23;
inline constexpr Oid Text = 25;
inline constexpr Oid Float8 = 701;
} // namespace Type

// What the server (or libpq) said about a failed statement: its SQLSTATE, or "08006" when
// the connection is gone, and its message.
struct Failure
{
    std::string state;
    std::string message;
};

class Result
{
public:
    Result() = default;
    explicit Result(PGresult *result)
        : m_result(result, &PQclear)
    {}

    bool ok() const;
    int rows() const { return m_result ? PQntuples(m_result.get()) : 0; }
    std::string_view text(int row, int column) const;
    std::int64_t int64(int row, int column) const;
    bool isNull(int row, int column) const { return PQgetisnull(m_result.get(), row, column) != 0; }
    // The command tag: "COMMIT", "ROLLBACK", "INSERT 0 1" …
    std::string_view command() const
    {
        return m_result ? PQcmdStatus(m_result.get()) : std::string_view();
    }
    // The failure of a result that is not ok().
    Failure failure() const;

private:
    std::unique_ptr<PGresult, decltype(&PQclear)> m_result{nullptr, &PQclear};
};

// Parameters of one run, as text (the server's own input forms), each with its type.
class Params
{
public:
    void add(std::string value, Oid type);
    void addNull(Oid type);
    void clear() { m_values.clear(), m_types.clear(), m_null.clear(); }
    std::size_t size() const { return m_values.size(); }
    const std::vector<Oid> &types() const { return m_types; }
    std::vector<const char *> pointers() const;

private:
    std::vector<std::string> m_values;
    std::vector<Oid> m_types;
    std::vector<bool> m_null;
};

class Connection
{
public:
    // Does not connect yet: the first statement does, and a connection that was lost is made
    // again by the next statement after it.
    // The password, when given, is handed to the client library beside the connection
    // string, never written into it.
    Connection(std::string conninfo, std::string password);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Statements that every new session runs first (what a session must have set up before
    // the station's first step, also after the connection was made anew).
    void setSessionStart(std::string sql) { m_sessionStart = std::move(sql); }

    // The password for the connections made from now on.
    void usePassword(std::string password) { m_password = std::move(password); }

    // Whether the connection stands (connecting when it does not); the failure otherwise.
    bool ensure(Failure &failure);
    // Connected before and since lost (or reset): its session (and with it every session
    // lock) is gone. Counts the sessions, so that holders notice.
    std::uint64_t session() const { return m_session; }

    // A statement text run with parameters; prepared on first use on this connection.
    Result run(const std::string &sql, const Params &params);
    // A statement without parameters, not prepared (BEGIN, COMMIT, DDL).
    Result exec(const std::string &sql);
    // The failure of the last thing that went wrong on the connection itself.
    Failure connectionFailure() const;
    PGconn *handle() const { return m_conn; }

private:
    Result runOnce(const std::string &sql, const Params &params);
    // Whether an idle connection still stands, without asking the server.
    bool standsStill();
    // Runs a step on a connection that stands; once more on a new connection when the old
    // one broke under it outside a transaction and the step may be repeated.
    template<typename Step>
    Result attempt(bool repeatable, Step &&step);

    std::string m_conninfo;
    std::string m_password;
    std::string m_sessionStart;
    PGconn *m_conn = nullptr;
    std::uint64_t m_session = 0;
    std::map<std::string, std::string> m_prepared; // statement text (and types) → name
};

} // namespace pg
