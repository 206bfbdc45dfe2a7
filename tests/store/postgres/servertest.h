#pragma once

// What the tests of the server engine share: a plain client connection to a data set on the
// test server, for looking at what the engine left there and for setting traps.

#include "enginetest.h"

#include <libpq-fe.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class Client
{
public:
    explicit Client(const std::string &conninfo)
        : m_conn(PQconnectdb(conninfo.c_str()))
    {
        EXPECT_EQ(PQstatus(m_conn), CONNECTION_OK) << PQerrorMessage(m_conn);
    }
    ~Client() { PQfinish(m_conn); }
    Client(const Client &) = delete;
    Client &operator=(const Client &) = delete;

    // The rows of a statement with text parameters, each as its columns' texts; a failed
    // statement fails the test.
    std::vector<std::vector<std::string>> rows(const std::string &sql,
                                               const std::vector<std::string> &params = {})
    {
        std::vector<const char *> values;
        for (const std::string &p : params)
            values.push_back(p.c_str());
        PGresult *result = PQexecParams(m_conn,
                                        sql.c_str(),
                                        static_cast<int>(values.size()),
                                        nullptr,
                                        values.data(),
                                        nullptr,
                                        nullptr,
                                        0);
        std::vector<std::vector<std::string>> out;
        const ExecStatusType status = PQresultStatus(result);
        EXPECT_TRUE(status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
            << sql << ": " << PQresultErrorMessage(result);
        for (int r = 0; r < PQntuples(result); ++r) {
            std::vector<std::string> row;
            for (int c = 0; c < PQnfields(result); ++c)
                row.emplace_back(PQgetvalue(result, r, c));
            out.push_back(std::move(row));
        }
        PQclear(result);
        return out;
    }
    // The first column of the first row, or "" when there is none.
    std::string value(const std::string &sql, const std::vector<std::string> &params = {})
    {
        const auto all = rows(sql, params);
        return all.empty() || all[0].empty() ? std::string() : all[0][0];
    }
    void run(const std::string &sql) { rows(sql); }

private:
    PGconn *m_conn;
};
