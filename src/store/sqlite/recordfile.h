#pragma once

// The engine's cursor; nothing outside the engine uses it.

#include "store/cursorpass.h"
#include "store/recordcursor.h"
#include "store/sqlite/sqliteengine.h"
#include "store/sqlite/storedfile.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class SqliteRecordFile final : public RecordCursor
{
public:
    SqliteRecordFile(SqliteEngine &engine, FileId file, RecordBuffer &buffer);
    ~SqliteRecordFile() override;

    int open(std::uint8_t mode) override;
    int create() override;
    int rebuildKeys() override;
    int send(std::string_view option) override;
    int close() override;
    bool isOpen() const override;
    bool isReadOnly() const override;

    int add() override;
    int put() override;
    int erase() override;

    int get(int key) override;
    int reget(const std::string &position) override;
    int recall(const std::string &position) override;

    std::string position() const override;
    int reset(const std::string &position) override;

    // This engine frames no record locks: a hold is a watch, so a held record is never
    // refused to another reader (no code 43), and a put over someone else's change gives 89.
    int hold() override;
    bool duplicate(int key) override;
    std::int64_t records() override;
    int flush() override;
    int putLarge(int slot, std::string_view bytes) override;
    int getLarge(int slot, std::string &bytes) override;

    SqliteEngine &owner() { return m_owner; }
    // The open file, shared by every cursor of it; null while closed.
    const std::shared_ptr<StoredFile> &storedFile() const { return m_file; }

private:
    struct Pass;
    StorageStatus &status() { return m_owner.status(); }
    int startPass(const KeySpec &order, const FilterTree &filter, bool fromBuffer) override;
    int step(int direction) override;
    int noSuchKey() override;
    int readBlock(int direction);
    // Makes row `row` of the pass's block the current record.
    void takeBlockRow(std::size_t row);
    // Takes the row the statement stands on as the current record.
    void takeRow(const sqlite::Statement &row);

    SqliteEngine &m_owner;
    std::shared_ptr<StoredFile> m_file; // set while open
    bool m_readOnly = false;
    std::unique_ptr<Pass> m_pass;
    std::vector<char> m_fetched; // the current record as read: its key values anchor passes
    int m_recoverMs = -1;        // busy wait sent before the open; -1 = the engine's default
};

// A pass and the statement texts it reads its blocks with.
struct SqliteRecordFile::Pass : CursorPass
{
    // For the schema they were built for.
    std::uint64_t builtForRoute = ~std::uint64_t{0};
    std::string forwardSql;
    std::string backwardSql;
};
