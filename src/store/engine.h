#pragma once

#include "store/layout.h"
#include "store/recordbuffer.h"
#include "store/resultcodes.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The storage engine: every record file is an SQLite database in the working folder, named
// by its stored name plus ".sqlite", with one table (one column per field, named without
// prefix) and one index per key. Texts are held trimmed and in UTF-8 in the columns, in
// Windows-1252 in the record buffers.
//
// Every operation returns a result code (store/resultcodes.h) and leaves it, with the
// engine's own code and message where one applies, in the engine's StorageStatus.

class Engine;
class StoredFile;

// The last storage result of any operation: what the error manager puts into messages.
struct StorageStatus
{
    int code = 0;              // Result:: code
    std::string engineCode;    // SQLite's own (extended) result code, decimal; code 90 only
    std::string engineMessage; // SQLite's own message; code 90 only
};

// Open modes: low nibble 0 = read-only, 2 = read/write; high nibble 0x40 = others may read
// and write. The system always asks for 0x42.
namespace OpenMode {
inline constexpr std::uint8_t ReadOnly = 0x00;
inline constexpr std::uint8_t ReadWrite = 0x02;
inline constexpr std::uint8_t DenyNone = 0x40;
} // namespace OpenMode

// An ordering of a file's records: components compared one after another, descending ones
// inverted, records with equal components in insertion order. A file's keys are key specs;
// a view may also order by fields that no key has.
struct KeySpec
{
    std::vector<KeyPart> parts;
    bool noCase = false;

    static KeySpec ofKey(FileId file, int key);
};

// A condition on a file's columns for filtered passes (views): an SQL expression over the
// file's column names with '?' placeholders and the values to bind, in order. Built by the
// view's filter parser; never holds text typed by a user.
struct SqlFilter
{
    std::string expression;
    std::vector<FieldValue> values;
    bool empty() const { return expression.empty(); }
};

// One record file as one procedure thread sees it: the thread's record buffer for the file
// and its own position and pass. Several RecordFiles of one file share the engine's
// connection to it.
class RecordFile
{
public:
    RecordFile(Engine &engine, FileId file, RecordBuffer &buffer);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    FileId id() const { return m_id; }
    const FileDef &def() const { return fileDef(m_id); }
    RecordBuffer &buffer() { return m_buffer; }
    Engine &engine() { return m_engine; }

    // open: 0, 2 (missing), 5 (read/write asked of a read-only file), 46 (keys invalid),
    // 52 (this handle is open already), 90.
    int open(std::uint8_t mode = OpenMode::ReadWrite | OpenMode::DenyNone);
    // Creates the file empty with all its keys (replacing a damaged one).
    int create();
    int rebuildKeys();
    // "Recover=<seconds>": how long a busy file is waited for. "QUICKSCAN=on|off": passes
    // read ahead in larger blocks. Unknown options are accepted and ignored.
    int send(std::string_view option);
    int close();
    bool isOpen() const;
    bool isReadOnly() const;

    void clear() { m_buffer.clear(); }

    int add();   // insert the buffer as a new record; it becomes the current record
    int put();   // write the buffer over the current record
    int erase(); // delete the current record (the record store's "delete")

    // Fetch the first record (in key order) whose key components equal the buffer's.
    int get(int key);
    // Fetch the record at a position taken by position(); 33 when it no longer exists.
    int reget(const std::string &position);
    // The same, taken from the block the pass read last when that block holds the record and
    // nothing was written through this file since; else as reget. For a caller that has
    // just read the block (a list copying its highlighted row) and need not read again.
    int recall(const std::string &position);

    // Sequential passes. setStoredOrder: by insertion order. setKeyStart: at the start of a
    // key (next reads the first, previous the last). setKeyFrom: at the buffer's key values
    // (next reads the first entry not before them, previous the last entry not after them).
    int setStoredOrder();
    int setKeyStart(int key);
    int setKeyFrom(int key);
    // The same over an ad-hoc ordering and an optional filter (views).
    int setOrderStart(const KeySpec &order, const SqlFilter &filter);
    int setOrderFrom(const KeySpec &order, const SqlFilter &filter);
    int next();     // 0, or 33 past the end
    int previous(); // 0, or 33 past the beginning
    // Rows each block of a pass reads ahead from now on, for a caller that knows how many it
    // wants (a list page); 0: the engine's own size (larger with QUICKSCAN).
    void setReadAhead(std::size_t rows) { m_readAhead = rows; }

    // The current record's position: a text of at most 512 characters that reset() and
    // reget() take back. Empty when there is no current record.
    std::string position() const;
    // Restart the current kind of pass at a position: the next next() or previous() reads
    // the record at that position first (or its neighbour, when it was deleted).
    int reset(const std::string &position);

    // hold: the next fetch holds the record (this engine treats it as watch).
    // watch: the next fetch notes the record's version; a put() of it then fails with 89
    // when another connection changed the record meanwhile.
    int hold();
    int watch();
    // The version of the current record as this handle read or wrote it last; watchSince
    // takes it back.
    std::int64_t version() const { return m_currentVersion; }
    // As watch, for a record this handle read before at `version` (a form's record that a
    // nested step moved away from): the next fetch keeps that version, carried over the puts
    // this handle made of the record since, instead of the record's present one. A put then
    // fails with 89 if anybody else wrote the record after that first read.
    int watchSince(std::int64_t version);
    // Whether the buffer would duplicate an existing entry of a unique key (other than the
    // current record).
    bool duplicate(int key);
    std::int64_t records();
    int flush();

private:
    friend class Engine;
    struct Pass;
    int startPass(KeySpec order, SqlFilter filter, bool fromBuffer);
    int step(int direction);
    int readBlock(int direction);
    // Makes row `row` of the pass's block the current record.
    void takeBlockRow(std::size_t row);
    // A fetch of the current record takes over the watch asked for before it.
    void takeWatch();
    void notePut(std::int64_t from);

    Engine &m_engine;
    FileId m_id;
    RecordBuffer &m_buffer;
    std::shared_ptr<StoredFile> m_file; // set while open
    bool m_readOnly = false;
    std::int64_t m_current = 0; // rowid of the current record; 0 = none
    std::int64_t m_currentVersion = 0;
    bool m_watchNext = false;
    bool m_watched = false;
    std::int64_t m_watchSince = -1; // with m_watchNext: the version read before; -1 = none
    // The puts made through this handle, latest last (a few only): record, version before
    // and after, and the transaction they were part of (0 = none).
    struct OwnPut
    {
        std::int64_t rowid;
        std::int64_t from;
        std::int64_t to;
        std::uint64_t transaction;
    };
    std::vector<OwnPut> m_ownPuts;
    std::unique_ptr<Pass> m_pass;
    std::vector<char> m_fetched; // the current record as read: its key values anchor passes
    int m_fetchKey = -1;         // the key of the last get: positions outside passes use it
    int m_recoverMs = -1;        // busy wait sent before the open; -1 = the engine's default
    bool m_quickScan = false;
    std::size_t m_readAhead = 0;
};

// One per working folder. Owns the connections of the open files and frames transactions.
class Engine
{
public:
    explicit Engine(std::filesystem::path folder);
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    const std::filesystem::path &folder() const { return m_folder; }
    std::filesystem::path pathOf(FileId file) const;

    StorageStatus &status() { return m_status; }
    const StorageStatus &status() const { return m_status; }

    // A transaction over several files: name the files, then begin; every write to them
    // until commit or rollback takes effect together or not at all, also across files and
    // if the process dies in between. addToTransaction gives 80 for a file that cannot take
    // part (not open, or read-only); such a file is then written outside the transaction.
    int addToTransaction(RecordFile &file);
    int beginTransaction(int waitSeconds);
    int commit();
    int rollback();
    bool inTransaction() const;

private:
    friend class RecordFile;
    struct Impl;
    std::filesystem::path m_folder;
    StorageStatus m_status;
    std::unique_ptr<Impl> m_impl;
};
