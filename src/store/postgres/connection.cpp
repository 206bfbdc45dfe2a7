#include "store/postgres/connection.h"

#include <charconv>

namespace pg {
namespace {

std::string trimmedMessage(const char *message)
{
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The text that names a prepared statement: its parameter types belong to it.
std::string preparedKey(const std::string &sql, const std::vector<Oid> &types)
{
    std::string key = sql;
    key += '\x1f';
    for (const Oid type : types)
        key += std::to_string(type) + ',';
    return key;
}

} // namespace

bool Result::ok() const
{
    if (!m_result)
        return false;
    const ExecStatusType status = PQresultStatus(m_result.get());
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

std::string_view Result::text(int row, int column) const
{
    return {PQgetvalue(m_result.get(), row, column),
            static_cast<std::size_t>(PQgetlength(m_result.get(), row, column))};
}

std::int64_t Result::int64(int row, int column) const
{
    const std::string_view t = text(row, column);
    std::int64_t value = 0;
    std::from_chars(t.data(), t.data() + t.size(), value);
    return value;
}

Failure Result::failure() const
{
    if (!m_result)
        return {"08006", "no answer from the server"};
    const char *state = PQresultErrorField(m_result.get(), PG_DIAG_SQLSTATE);
    return {state ? state : "08006", trimmedMessage(PQresultErrorMessage(m_result.get()))};
}

void Params::add(std::string value, Oid type)
{
    m_values.push_back(std::move(value));
    m_types.push_back(type);
    m_null.push_back(false);
}

void Params::addNull(Oid type)
{
    m_values.emplace_back();
    m_types.push_back(type);
    m_null.push_back(true);
}

std::vector<const char *> Params::pointers() const
{
    std::vector<const char *> p;
    p.reserve(m_values.size());
    for (std::size_t i = 0; i < m_values.size(); ++i)
        p.push_back(m_null[i] ? nullptr : m_values[i].c_str());
    return p;
}

Connection::Connection(std::string conninfo, std::string password)
    : m_conninfo(std::move(conninfo))
    , m_password(std::move(password))
{}

Connection::~Connection()
{
    if (m_conn)
        PQfinish(m_conn);
}

bool Connection::ensure(Failure &failure)
{
    if (m_conn && PQstatus(m_conn) == CONNECTION_OK)
        return true;
    if (m_conn) {
        PQfinish(m_conn);
        m_conn = nullptr;
    }
    m_prepared.clear();
    const char *keys[] = {"dbname", m_password.empty() ? nullptr : "password", nullptr};
    const char *values[] = {m_conninfo.c_str(), m_password.c_str(), nullptr};
    m_conn = PQconnectdbParams(keys, values, 1);
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
        failure = connectionFailure();
        return false;
    }
    ++m_session;
    // Texts reach the server as UTF-8 whatever the client's locale says, and a statement
    // that waits for a row another station is writing gives up after a while instead of
    // hanging the program.
    PQsetClientEncoding(m_conn, "UTF8");
    // The server's notices ("table does not exist, skipping") are nobody's business.
    PQsetNoticeProcessor(
        m_conn, [](void *, const char *) {}, nullptr);
    Result set(PQexec(m_conn, "SET lock_timeout = '2s'"));
    if (!set.ok()) {
        failure = set.failure();
        return false;
    }
    // What the session adds is a help, not a need: the station works on without it.
    if (!m_sessionStart.empty())
        Result(PQexec(m_conn, m_sessionStart.c_str()));
    return true;
}

bool Connection::standsStill()
{
    // Reading what waits on an idle connection costs no round trip: a server that went away
    // left its farewell and the end of the stream there. The first read takes the farewell,
    // the second meets the end; on a connection that stands both find nothing and return.
    for (int read = 0; read < 2; ++read) {
        if (PQconsumeInput(m_conn) != 1 || PQstatus(m_conn) != CONNECTION_OK)
            return false;
    }
    return true;
}

template<typename Step>
Result Connection::attempt(bool repeatable, Step &&step)
{
    Failure failure;
    if (!ensure(failure))
        return Result();
    const bool idle = PQtransactionStatus(m_conn) == PQTRANS_IDLE;
    // Outside a transaction nothing is lost with the old session but its holds, which their
    // holders notice by the session count: the statement goes to a new one.
    if (idle && !standsStill() && !ensure(failure))
        return Result();
    Result result = step();
    if (result.ok() || !idle || PQstatus(m_conn) != CONNECTION_BAD)
        return result;
    // The connection broke under the statement. A server that was shutting down ended the
    // session before the statement ran; a read may run again in any case. A write that may
    // have reached the server is not repeated: it would be written twice.
    const std::string state = result.failure().state;
    const bool endedBefore = state == "57P01" || state == "57P02" || state == "57P03";
    if (!endedBefore && !repeatable)
        return result;
    if (!ensure(failure))
        return result;
    return step();
}

Result Connection::run(const std::string &sql, const Params &params)
{
    return attempt(sql.starts_with("SELECT"), [&] { return runOnce(sql, params); });
}

Result Connection::runOnce(const std::string &sql, const Params &params)
{
    const std::string key = preparedKey(sql, params.types());
    auto found = m_prepared.find(key);
    if (found == m_prepared.end()) {
        // Built piece by piece: the optimised build warns falsely of an overlap otherwise.
        std::string name = "s";
        name += std::to_string(m_prepared.size() + 1);
        Result prepared(PQprepare(m_conn,
                                  name.c_str(),
                                  sql.c_str(),
                                  static_cast<int>(params.size()),
                                  params.types().data()));
        if (!prepared.ok())
            return prepared;
        found = m_prepared.emplace(key, name).first;
    }
    const std::vector<const char *> values = params.pointers();
    return Result(PQexecPrepared(m_conn,
                                 found->second.c_str(),
                                 static_cast<int>(values.size()),
                                 values.data(),
                                 nullptr,
                                 nullptr,
                                 0));
}

Result Connection::exec(const std::string &sql)
{
    return attempt(sql.starts_with("SELECT") || sql.starts_with("BEGIN"),
                   [&] { return Result(PQexec(m_conn, sql.c_str())); });
}

Failure Connection::connectionFailure() const
{
    return {"08006",
            trimmedMessage(m_conn ? PQerrorMessage(m_conn) : "out of memory for a connection")};
}

} // namespace pg
