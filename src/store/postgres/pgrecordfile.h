#pragma once

// The engine's cursor and the parts of the engine it shares; nothing outside the engine
// uses them.

#include "store/cursorpass.h"
#include "store/postgres/connection.h"
#include "store/postgres/pgcodec.h"
#include "store/postgres/pgsql.h"
#include "store/postgres/postgresengine.h"
#include "store/recordcursor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

struct PostgresEngine::Impl
{
    Impl(const std::string &conninfo, const std::string &password)
        : conninfo(conninfo)
        , password(password)
        , main(conninfo, password)
    {}

    // Where a file's statements run now: the transaction's connection for a file that takes
    // part in the open transaction, else the station's own.
    pg::Connection &connectionFor(FileId file)
    {
        return inTransaction && tx && inTx[index(file)] ? *tx : main;
    }
    bool routedToTransaction(FileId file) const { return inTransaction && tx && inTx[index(file)]; }
    const pgsql::FileStatements &statements(FileId file);
    static std::size_t index(FileId file) { return static_cast<std::size_t>(file); }

    std::string conninfo;
    std::string password;
    pg::Connection main;
    std::unique_ptr<pg::Connection> tx; // made for the first transaction
    std::array<int, kFileCount> openCursors{};
    // Every write through any cursor, and every end of a transaction, counts one up: a
    // cursor's read-ahead block from before is stale.
    std::array<std::uint64_t, kFileCount> generation{};
    std::array<bool, kFileCount> inTx{};
    std::array<std::unique_ptr<pgsql::FileStatements>, kFileCount> sql;
    bool inTransaction = false;

    // Listening to other stations' writes, on the station's own connection: the session whose
    // notices are all heard (a session after it may have missed some).
    bool listening = false;
    std::uint64_t listenSession = 0;
};

namespace pgengine {

// Leave a result in the engine's status and return it. A failure of the server maps onto
// the codes: a unique key → 40, no right to write → 5, everything else → 90.
int finish(StorageStatus &status, int code);
int finish(StorageStatus &status, const pg::Failure &failure);
int notOpen(StorageStatus &status);
// The failure of a run: the server's, or the connection's when there was no answer.
pg::Failure failureOf(const pg::Connection &connection, const pg::Result &result);

// Runs one operation of the engine so that no exception leaves it: a failure that throws
// (memory) becomes code 90.
template<typename Operation>
auto guarded(StorageStatus &status, Operation &&operation) -> decltype(operation())
{
    try {
        return operation();
    } catch (const std::exception &e) {
        finish(status, pg::Failure{"53200", e.what()});
    } catch (...) {
        finish(status, pg::Failure{"XX000", "unknown failure"});
    }
    using R = decltype(operation());
    if constexpr (std::is_same_v<R, bool>)
        return false;
    else
        return R(Result::EngineError);
}

} // namespace pgengine

class PgRecordFile final : public RecordCursor
{
public:
    PgRecordFile(PostgresEngine &engine, FileId file, RecordBuffer &buffer);
    ~PgRecordFile() override;

    int open(std::uint8_t mode) override;
    int create() override;
    int rebuildKeys() override;
    int send(std::string_view option) override;
    int close() override;
    bool isOpen() const override { return m_open; }
    bool isReadOnly() const override { return m_readOnly; }

    int add() override;
    int put() override;
    int erase() override;

    int get(int key) override;
    int reget(const std::string &position) override;
    int recall(const std::string &position) override;

    std::string position() const override;
    int reset(const std::string &position) override;

    // A hold is a session lock of the station's connection on the record, taken by the next
    // fetch (43 when another station holds it) and given back when this cursor writes or
    // deletes the record, holds another one or closes, or when the connection ends. It also
    // watches the record.
    int hold() override;
    bool duplicate(int key) override;
    std::int64_t records() override;
    int flush() override;
    int putLarge(int slot, std::string_view bytes) override;
    int getLarge(int slot, std::string &bytes) override;

    PostgresEngine &owner() { return m_owner; }

private:
    struct Pass;
    StorageStatus &status() { return m_owner.status(); }
    PostgresEngine::Impl &impl() { return m_owner.impl(); }
    pg::Connection &connection() { return impl().connectionFor(id()); }
    const pgsql::FileStatements &sql() { return impl().statements(id()); }
    std::uint64_t generation() const
    {
        return m_owner.impl().generation[PostgresEngine::Impl::index(id())];
    }
    void changed() { ++impl().generation[PostgresEngine::Impl::index(id())]; }
    // The result of a failed run, ending the transaction when it ran in one.
    int failed(const pg::Connection &connection, const pg::Result &result);

    int startPass(const KeySpec &order, const FilterTree &filter, bool fromBuffer) override;
    int step(int direction) override;
    int noSuchKey() override;
    int readBlock(int direction);
    void takeBlockRow(std::size_t row);
    // Reads the record with this id as it is now: 0, 33 when it is gone, or a failure.
    int readById(std::int64_t id, RecordBuffer &into, std::int64_t &version);
    // The record just read becomes the current one, held and watched as asked before the
    // fetch: 0, or 43 when another station holds it (the buffer then stays as it was).
    int arrive(const RecordBuffer &record, std::int64_t id, std::int64_t version);
    int takeHold(std::int64_t id);
    void releaseHold();
    pgsql::HoldKey lockKey(std::int64_t id) const;
    pg::Params lockParams(const pgsql::HoldKey &key) const;

    PostgresEngine &m_owner;
    bool m_open = false;
    bool m_readOnly = false;
    std::uint32_t m_oid = 0; // the table's, for the keys of its records' locks
    bool m_holdNext = false;
    pgsql::HoldKey m_heldKey; // the lock this cursor holds; not valid = none
    std::uint64_t m_heldSession = 0;
    std::unique_ptr<Pass> m_pass;
    RecordBuffer m_fetched; // the current record as read: its key values anchor passes
    bool m_hasFetched = false;
    RecordBuffer m_scratch;
};

// A pass and the statement texts it reads its blocks with.
struct PgRecordFile::Pass : CursorPass
{
    bool uniqueKey = false;
    // Statement texts: [forward][bound].
    std::array<std::array<std::string, 3>, 2> sql;
};
