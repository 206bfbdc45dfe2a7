// The engine: its connections, cursors and transactions across files.
//
// A transaction runs on a connection of its own (BEGIN … COMMIT on the server), over the
// files named for it: until commit or rollback, every cursor of those files reads and writes
// through it and sees its writes, while the files outside it go on being written at once
// through the station's own connection. Holds stay on the station's own connection, whose
// session outlives every transaction.

#include "store/postgres/pgrecordfile.h"

#include <algorithm>

namespace pgengine {

int finish(StorageStatus &status, int code)
{
    status.code = code;
    status.engineCode.clear();
    status.engineMessage.clear();
    return code;
}

int finish(StorageStatus &status, const pg::Failure &failure)
{
    int code = Result::EngineError;
    if (failure.state == "23505")
        code = Result::DuplicateKey;
    else if (failure.state == "42501" || failure.state == "25006")
        code = Result::AccessDenied;
    status.code = code;
    status.engineCode = code == Result::EngineError ? failure.state : std::string();
    status.engineMessage = code == Result::EngineError ? failure.message : std::string();
    return code;
}

int notOpen(StorageStatus &status)
{
    return finish(status, pg::Failure{"55000", "the file is not open"});
}

pg::Failure failureOf(const pg::Connection &connection, const pg::Result &result)
{
    pg::Failure failure = result.failure();
    if (failure.state == "08006" && failure.message.empty())
        failure = connection.connectionFailure();
    if (failure.message.empty() || failure.message == "no answer from the server")
        failure = connection.connectionFailure();
    return failure;
}

} // namespace pgengine

using namespace pgengine;

const pgsql::FileStatements &PostgresEngine::Impl::statements(FileId file)
{
    auto &slot = sql[index(file)];
    if (!slot)
        slot = std::make_unique<pgsql::FileStatements>(pgsql::fileStatements(fileDef(file)));
    return *slot;
}

PostgresEngine::PostgresEngine(std::string conninfo, std::string password)
    : m_impl(std::make_unique<Impl>(conninfo, password))
{}

std::string PostgresEngine::connectionString(std::string_view text, std::string &error)
{
    char *message = nullptr;
    PQconninfoOption *options = PQconninfoParse(std::string(text).c_str(), &message);
    if (!options) {
        error = message ? message : "the connection string cannot be read";
        while (!error.empty() && error.back() == '\n')
            error.pop_back();
        PQfreemem(message);
        return {};
    }
    std::string result;
    bool sslmode = false;
    for (const PQconninfoOption *option = options; option->keyword; ++option) {
        const std::string_view keyword = option->keyword;
        if (!option->val || keyword == "password")
            continue;
        sslmode = sslmode || keyword == "sslmode";
        std::string value;
        for (const char *c = option->val; *c; ++c) {
            if (*c == '\\' || *c == '\'')
                value += '\\';
            value += *c;
        }
        if (!result.empty())
            result += ' ';
        result += std::string(keyword) + "='" + value + "'";
    }
    PQconninfoFree(options);
    if (!sslmode)
        result += std::string(result.empty() ? "" : " ") + "sslmode='prefer'";
    return result;
}

PostgresEngine::~PostgresEngine()
{
    if (m_impl->inTransaction)
        rollback();
}

std::unique_ptr<RecordFile> PostgresEngine::recordFile(FileId file, RecordBuffer &buffer)
{
    return std::make_unique<PgRecordFile>(*this, file, buffer);
}

bool PostgresEngine::exists(FileId file) const
{
    pg::Params params;
    params.add(pgsql::table(fileDef(file)), pg::Type::Text);
    const pg::Result found = m_impl->main.run("SELECT to_regclass($1) IS NOT NULL", params);
    return found.ok() && found.rows() == 1 && found.text(0, 0) == "t";
}

int PostgresEngine::refuse(std::string_view reason)
{
    // The server's code for a statement it cannot read.
    return finish(status(), pg::Failure{"42601", std::string(reason)});
}

Engine::Reach PostgresEngine::reach()
{
    pg::Failure failure;
    if (m_impl->main.ensure(failure)) {
        finish(status(), Result::Ok);
        return Reach::Ok;
    }
    finish(status(), failure);
    // The client library names no code for a connection it could not make: its message
    // (in the server's words where the server refused) tells which.
    const std::string &message = failure.message;
    auto says = [&message](std::string_view words) {
        return message.find(words) != std::string::npos;
    };
    PGconn *conn = m_impl->main.handle();
    if (conn && PQconnectionNeedsPassword(conn))
        return m_impl->password.empty() ? Reach::NeedsPassword : Reach::WrongPassword;
    if (says("password authentication failed") || says("authentication failed"))
        return Reach::WrongPassword;
    if (says("database \"") && says("does not exist"))
        return Reach::UnknownDatabase;
    if (says("Connection refused") || says("No such file or directory")
        || says("could not translate host name") || says("timeout expired")
        || says("could not connect") || says("Network is unreachable") || says("No route to host"))
        return Reach::NoServer;
    return Reach::Other;
}

void PostgresEngine::usePassword(const std::string &password)
{
    Impl &impl = *m_impl;
    impl.password = password;
    impl.main.usePassword(password);
    if (impl.tx && !impl.inTransaction)
        impl.tx.reset();
}

void PostgresEngine::listenForChanges()
{
    Impl &impl = *m_impl;
    if (impl.listening)
        return;
    impl.listening = true;
    // Every session of the station's own connection listens to the files of its data set from
    // its first moment on, so that no write after a connection was made goes unheard.
    std::string script = "DO $l$BEGIN ";
    for (std::size_t i = 0; i < kFileCount; ++i) {
        script
            += "EXECUTE format('LISTEN %I', '"
               + pgsql::changeChannel("' || current_schema() || '", fileDef(static_cast<FileId>(i)))
               + "'); ";
    }
    script += "END$l$";
    impl.main.setSessionStart(script);
    // Heard from now on: on the session that stands, or else from the first one made.
    PGconn *conn = impl.main.handle();
    const bool stands = conn && PQstatus(conn) == CONNECTION_OK;
    if (stands)
        impl.main.exec(script);
    impl.listenSession = impl.main.session() + (stands ? 0 : 1);
}

std::vector<FileId> PostgresEngine::changedElsewhere()
{
    Impl &impl = *m_impl;
    std::vector<FileId> files;
    auto hear = [&files](FileId file) {
        if (std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    };
    PGconn *conn = impl.main.handle();
    if (!impl.listening || !conn || PQstatus(conn) != CONNECTION_OK)
        return files;
    // What was written while no session listened went unheard: every file may have changed.
    if (impl.listenSession != impl.main.session()) {
        for (std::size_t i = 0; i < kFileCount; ++i)
            hear(static_cast<FileId>(i));
        impl.listenSession = impl.main.session();
    }
    if (PQtransactionStatus(conn) != PQTRANS_IDLE)
        return files;
    PQconsumeInput(conn);
    const int own = PQbackendPID(conn);
    const int ownTx = impl.tx && impl.tx->handle() ? PQbackendPID(impl.tx->handle()) : 0;
    while (PGnotify *notice = PQnotifies(conn)) {
        // The channel ends with the file's name; only the data set's own channels are heard.
        const std::string_view channel = notice->relname;
        const std::string_view name = channel.substr(channel.rfind('.') + 1);
        if (notice->be_pid != own && notice->be_pid != ownTx) {
            for (std::size_t i = 0; i < kFileCount; ++i) {
                if (name == fileDef(static_cast<FileId>(i)).storedName)
                    hear(static_cast<FileId>(i));
            }
        }
        PQfreemem(notice);
    }
    return files;
}

int PostgresEngine::changeSocket()
{
    PGconn *conn = m_impl->main.handle();
    return conn && PQstatus(conn) == CONNECTION_OK ? PQsocket(conn) : -1;
}

bool PostgresEngine::inTransaction() const
{
    return m_impl->inTransaction;
}

int PostgresEngine::addToTransaction(RecordFile &file)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        auto *own = dynamic_cast<PgRecordFile *>(&file);
        if (!own || &own->owner() != this || !own->isOpen() || own->isReadOnly())
            return finish(status, Result::NoTransaction);
        if (m_impl->inTransaction)
            return finish(status, pg::Failure{"25001", "a transaction is open already"});
        m_impl->inTx[Impl::index(file.id())] = true;
        return finish(status, Result::Ok);
    });
}

int PostgresEngine::beginTransaction(int waitSeconds)
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (impl.inTransaction)
            return finish(status, pg::Failure{"25001", "a transaction is open already"});
        transactionBegun();
        if (std::none_of(impl.inTx.begin(), impl.inTx.end(), [](bool in) { return in; })) {
            impl.inTransaction = true;
            return finish(status, Result::Ok);
        }
        if (!impl.tx)
            impl.tx = std::make_unique<pg::Connection>(impl.conninfo, impl.password);
        // The wait for rows that other stations are writing, for this transaction alone.
        const std::string begin = "BEGIN; SET LOCAL lock_timeout = '"
                                  + std::to_string(std::max(waitSeconds, 0) * 1000 + 1) + "ms'";
        const pg::Result begun = impl.tx->exec(begin);
        if (!begun.ok()) {
            const pg::Failure failure = failureOf(*impl.tx, begun);
            impl.tx->exec("ROLLBACK");
            impl.inTx.fill(false);
            transactionEnded(false);
            return finish(status, failure);
        }
        impl.inTransaction = true;
        for (std::size_t i = 0; i < kFileCount; ++i) {
            if (impl.inTx[i])
                ++impl.generation[i];
        }
        return finish(status, Result::Ok);
    });
}

void PostgresEngine::endTransaction(bool rolledBack)
{
    Impl &impl = *m_impl;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        if (impl.inTx[i])
            ++impl.generation[i];
    }
    impl.inTx.fill(false);
    impl.inTransaction = false;
    transactionEnded(rolledBack);
}

void PostgresEngine::transactionFailed()
{
    if (!m_impl->inTransaction)
        return;
    if (m_impl->tx)
        m_impl->tx->exec("ROLLBACK");
    endTransaction(true);
}

int PostgresEngine::commit()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(status, pg::Failure{"25P01", "no transaction is open"});
        const bool onServer
            = std::any_of(impl.inTx.begin(), impl.inTx.end(), [](bool in) { return in; });
        if (!onServer || !impl.tx) {
            endTransaction(false);
            return finish(status, Result::Ok);
        }
        const pg::Result committed = impl.tx->exec("COMMIT");
        // A COMMIT of a transaction that failed on the server answers ROLLBACK: not written.
        const bool ok = committed.ok() && committed.command() == "COMMIT";
        if (!ok) {
            pg::Failure failure = failureOf(*impl.tx, committed);
            if (committed.ok())
                failure = pg::Failure{"40000", "the transaction was rolled back"};
            impl.tx->exec("ROLLBACK");
            endTransaction(true);
            return finish(status, failure);
        }
        endTransaction(false);
        return finish(status, Result::Ok);
    });
}

int PostgresEngine::rollback()
{
    StorageStatus &status = this->status();
    return guarded(status, [&] {
        Impl &impl = *m_impl;
        if (!impl.inTransaction)
            return finish(status, pg::Failure{"25P01", "no transaction is open"});
        const bool onServer
            = std::any_of(impl.inTx.begin(), impl.inTx.end(), [](bool in) { return in; });
        pg::Failure failure;
        bool ok = true;
        if (onServer && impl.tx) {
            const pg::Result rolledBack = impl.tx->exec("ROLLBACK");
            ok = rolledBack.ok();
            if (!ok)
                failure = failureOf(*impl.tx, rolledBack);
        }
        endTransaction(true);
        // A connection that broke has ended the transaction on the server as well.
        return ok || failure.state == "08006" ? finish(status, Result::Ok)
                                              : finish(status, failure);
    });
}
