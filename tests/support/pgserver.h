#pragma once

#include <filesystem>
#include <string>

// A database server of the test program's own: made in a temporary folder (initdb) at the
// first use and started there, listening only on a socket in that folder, and stopped and
// removed when the program ends, whichever way it ends (a watchman process does it when the
// program is gone). Run as the "postgres" system user when the tests run as root, since the
// server refuses to run as root.
class TestServer
{
public:
    // The server, started on first use. A server that cannot start fails the calling test
    // with its log; its data places then answer every statement with a failure.
    static TestServer &instance();

    // A fresh, empty data set on the server (a schema of its own): the connection string of
    // a station that works on it.
    std::string newPlace();
    // The connection string for the server's database without naming a data set.
    std::string conninfo() const;
    bool running() const { return m_running; }
    // Stops the server and starts it again, as a shop's server that went away and came
    // back: every connection to it breaks.
    bool restart();
    // A role that must give its password ("richtig"), where every other logs in without one.
    static constexpr const char *kGuardedUser = "kasse";
    static constexpr const char *kGuardedPassword = "richtig";
    const std::filesystem::path &folder() const { return m_folder; }

    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;
    ~TestServer();

private:
    TestServer();
    bool start(std::string &log);
    std::string pgctl() const;

    std::filesystem::path m_folder;
    std::filesystem::path m_bin;
    bool m_running = false;
    int m_watchman = -1; // the pipe whose end tells the watchman to stop the server
    int m_watchmanPid = -1;
    int m_places = 0;
};
