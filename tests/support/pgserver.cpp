#include "support/pgserver.h"

#include <libpq-fe.h>

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

extern char **environ; // NOLINT: handed on to the server's tools

namespace {

constexpr int kPort = 5432; // only names the socket file inside the server's own folder

std::string shellQuoted(const std::string &word)
{
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// The newest installed server's programs.
std::filesystem::path serverBin()
{
    std::filesystem::path best;
    int bestVersion = -1;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        const std::string name = entry.path().filename().string();
        const int version = std::atoi(name.c_str());
        if (version > bestVersion && std::filesystem::exists(entry.path() / "bin" / "initdb")) {
            bestVersion = version;
            best = entry.path() / "bin";
        }
    }
    return best;
}

bool asRoot()
{
    return geteuid() == 0;
}

// A command line run as the server's user, through the shell: 0 when it succeeded.
int runAsServerUser(const std::string &command)
{
    std::string line = command;
    if (asRoot())
        line = "runuser -u postgres -- " + command;
    std::vector<std::string> words{"/bin/sh", "-c", line};
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string fileText(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool execute(const std::string &conninfo, const std::string &sql, std::string &error)
{
    PGconn *conn = PQconnectdb(conninfo.c_str());
    bool ok = PQstatus(conn) == CONNECTION_OK;
    if (ok) {
        PGresult *result = PQexec(conn, sql.c_str());
        ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        if (!ok)
            error = PQresultErrorMessage(result);
        PQclear(result);
    } else {
        error = PQerrorMessage(conn);
    }
    PQfinish(conn);
    return ok;
}

} // namespace

TestServer &TestServer::instance()
{
    static TestServer server;
    return server;
}

TestServer::TestServer()
{
    std::string log;
    m_running = start(log);
    if (!m_running)
        ADD_FAILURE() << "the test database server did not start:\n" << log;
}

bool TestServer::start(std::string &log)
{
    m_bin = serverBin();
    if (m_bin.empty()) {
        log = "no server programs under /usr/lib/postgresql";
        return false;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaro-pg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        log = "no temporary folder";
        return false;
    }
    m_folder = pattern;
    if (asRoot()) {
        const passwd *user = getpwnam("postgres");
        if (!user || chown(m_folder.c_str(), user->pw_uid, user->pw_gid) != 0) {
            log = "no user \"postgres\" to run the server as";
            return false;
        }
    }
    const std::string dir = shellQuoted(m_folder.string());
    const std::string data = shellQuoted((m_folder / "data").string());
    const std::string logFile = shellQuoted((m_folder / "server.log").string());

    // The watchman: when the last holder of the pipe's other end is gone (this program, and
    // any station it forked), it stops the server and removes its folder.
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        log = "no pipe";
        return false;
    }
    fcntl(pipeEnds[1], F_SETFD, FD_CLOEXEC);
    const std::string stop = (asRoot() ? "runuser -u postgres -- " : "")
                             + shellQuoted((m_bin / "pg_ctl").string()) + " -D " + data
                             + " -m immediate stop >/dev/null 2>&1";
    std::vector<std::string> words{"/bin/sh", "-c", "cat >/dev/null; " + stop + "; rm -rf " + dir};
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    pid_t watchman = 0;
    const int spawned = posix_spawn(&watchman, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[0]);
    if (spawned != 0) {
        close(pipeEnds[1]);
        log = "no watchman";
        return false;
    }
    m_watchman = pipeEnds[1];
    m_watchmanPid = watchman;

    const std::string initdb = shellQuoted((m_bin / "initdb").string()) + " -D " + data
                               + " -U tessaro --auth=trust -E UTF8 --locale=C.UTF-8 -N >"
                               + shellQuoted((m_folder / "initdb.log").string()) + " 2>&1";
    if (runAsServerUser(initdb) != 0) {
        log = fileText(m_folder / "initdb.log");
        return false;
    }
    // One role logs in with a password only; it is checked as the server checks any.
    {
        const auto hba = m_folder / "data" / "pg_hba.conf";
        const std::string rules = fileText(hba);
        std::ofstream(hba) << "local all " << kGuardedUser << " scram-sha-256\n" << rules;
    }
    // Nothing here needs to survive a crash of the machine: the server skips the syncs.
    const std::string options = "-k " + m_folder.string() + " -c listen_addresses='' -p "
                                + std::to_string(kPort)
                                + " -c fsync=off -c synchronous_commit=off"
                                  " -c client_connection_check_interval=100ms"
                                  " -c full_page_writes=off";
    const std::string pgctl = shellQuoted((m_bin / "pg_ctl").string()) + " -D " + data + " -o "
                              + shellQuoted(options) + " -l " + logFile + " -w start >/dev/null";
    if (runAsServerUser(pgctl) != 0) {
        log = fileText(m_folder / "server.log");
        return false;
    }
    std::string error;
    if (!execute(conninfo() + " dbname=postgres", "CREATE DATABASE tessaro", error)
        || !execute(conninfo(),
                    std::string("CREATE ROLE ") + kGuardedUser + " LOGIN PASSWORD '"
                        + kGuardedPassword + "'; GRANT ALL ON DATABASE tessaro TO " + kGuardedUser,
                    error)) {
        log = error;
        return false;
    }
    return true;
}

std::string TestServer::pgctl() const
{
    return shellQuoted((m_bin / "pg_ctl").string()) + " -D "
           + shellQuoted((m_folder / "data").string());
}

bool TestServer::restart()
{
    return m_running
           && runAsServerUser(pgctl() + " -m fast -w -l "
                              + shellQuoted((m_folder / "server.log").string())
                              + " restart >/dev/null 2>&1")
                  == 0;
}

TestServer::~TestServer()
{
    if (m_watchman >= 0) {
        close(m_watchman);
        int status = 0;
        waitpid(m_watchmanPid, &status, 0);
    }
}

std::string TestServer::conninfo() const
{
    return "host=" + m_folder.string() + " port=" + std::to_string(kPort)
           + " user=tessaro dbname=tessaro";
}

std::string TestServer::newPlace()
{
    const std::string schema
        = "place_" + std::to_string(getpid()) + "_" + std::to_string(++m_places);
    std::string error;
    if (m_running && !execute(conninfo(), "CREATE SCHEMA " + schema, error))
        ADD_FAILURE() << "no data set on the test server: " << error;
    return conninfo() + " options='-c search_path=" + schema + "'";
}
