#pragma once

#include "store/engine.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The server engine: every record file is a table of one PostgreSQL database, which several
// stations share. The engine is one station: its connection reads and writes, holds records
// (session locks that end with the connection, also when the program dies) and notes their
// versions for watch; a transaction runs on a second connection, so that files outside it
// are written at once. The status's engine code and message are the server's SQLSTATE and
// message. The connection string names server, database and user, never a password.
class PostgresEngine final : public Engine
{
public:
    PostgresEngine(std::string conninfo, std::string password = {});
    ~PostgresEngine() override;

    std::unique_ptr<RecordFile> recordFile(FileId file, RecordBuffer &buffer) override;
    bool exists(FileId file) const override;

    int addToTransaction(RecordFile &file) override;
    int beginTransaction(int waitSeconds) override;
    int commit() override;
    int rollback() override;
    bool inTransaction() const override;

    int refuse(std::string_view reason) override;
    Reach reach() override;
    void usePassword(const std::string &password) override;

    bool tellsChanges() const override { return true; }
    void listenForChanges() override;
    std::vector<FileId> changedElsewhere() override;
    int changeSocket() override;

    // A connection string as the engine uses it: in the client library's own form, without a
    // password (one written into it is dropped), with "sslmode=prefer" unless it names
    // another. Empty, with the reason in `error`, when the library cannot read it.
    static std::string connectionString(std::string_view text, std::string &error);

    // What the engine shares with its cursors (store/postgres/pgrecordfile.h).
    struct Impl;
    Impl &impl() { return *m_impl; }
    // A failed statement on the transaction's connection has ended the transaction on the
    // server: the engine ends it too, as rolled back.
    void transactionFailed();

private:
    void endTransaction(bool rolledBack);

    std::unique_ptr<Impl> m_impl;
};
