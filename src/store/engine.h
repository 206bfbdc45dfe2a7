#pragma once

#include "store/filtertree.h"
#include "store/layout.h"
#include "store/recordbuffer.h"
#include "store/resultcodes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The storage engine as the rest of the system sees it: an Engine for the place where the
// record files live, and per file and thread a RecordFile, a cursor that reads and writes the
// thread's record buffer of the file. Both are held through these interfaces; which engine
// stands behind them is chosen once (store/enginefactory.h).
//
// Every operation returns a result code (store/resultcodes.h) and leaves it, with the
// engine's own code and message where one applies, in the engine's StorageStatus.

class Engine;

// The last storage result of any operation: what the error manager puts into messages.
struct StorageStatus
{
    int code = 0;              // Result:: code
    std::string engineCode;    // the engine's own code of the failure; code 90 only
    std::string engineMessage; // the engine's own message; code 90 only
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

// One record file as one procedure thread sees it: the thread's record buffer for the file
// and its own current record and pass. Cursors of one file see each other's writes at once.
class RecordFile
{
public:
    virtual ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    FileId id() const { return m_id; }
    const FileDef &def() const { return fileDef(m_id); }
    RecordBuffer &buffer() { return m_buffer; }
    const RecordBuffer &buffer() const { return m_buffer; }
    Engine &engine() { return m_engine; }

    // open: 0, 2 (missing), 5 (read/write asked of a read-only file), 46 (keys invalid),
    // 52 (this cursor is open already), 90.
    virtual int open(std::uint8_t mode = OpenMode::ReadWrite | OpenMode::DenyNone) = 0;
    // Creates the file empty with all its keys (replacing a damaged one).
    virtual int create() = 0;
    // Rebuilds every key from the records. A file that holds none of this file's records but
    // something else is never thrown away: it is set aside (setAside()) and an empty file
    // takes its place.
    virtual int rebuildKeys() = 0;
    // After the last rebuild: where the old file went, unchanged, when it was set aside; the
    // engine's own name of it (a path). Empty when nothing was set aside.
    const std::string &setAside() const { return m_setAside; }
    // "Recover=<seconds>": how long a busy file is waited for. "QUICKSCAN=on|off": passes
    // read ahead in larger blocks. Unknown options are accepted and ignored.
    virtual int send(std::string_view option) = 0;
    virtual int close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool isReadOnly() const = 0;

    void clear() { m_buffer.clear(); }

    virtual int add() = 0;   // insert the buffer as a new record; it becomes the current record
    virtual int put() = 0;   // write the buffer over the current record
    virtual int erase() = 0; // delete the current record (the record store's "delete")

    // Fetch the first record (in key order) whose key components equal the buffer's.
    virtual int get(int key) = 0;
    // Fetch the record at a position taken by position(); 33 when it no longer exists.
    virtual int reget(const std::string &position) = 0;
    // The same, taken from the block the pass read last when that block holds the record and
    // nothing was written through this file since; else as reget. For a caller that has
    // just read the block (a list copying its highlighted row) and need not read again.
    virtual int recall(const std::string &position) = 0;

    // Sequential passes. setStoredOrder: by insertion order. setKeyStart: at the start of a
    // key (next reads the first, previous the last). setKeyFrom: at the buffer's key values
    // (next reads the first entry not before them, previous the last entry not after them).
    virtual int setStoredOrder() = 0;
    virtual int setKeyStart(int key) = 0;
    virtual int setKeyFrom(int key) = 0;
    // The same over any ordering, limited to the records the filter accepts (views; a pass
    // over one parent's children). An empty filter accepts every record.
    virtual int setOrderStart(const KeySpec &order, const FilterTree &filter) = 0;
    virtual int setOrderFrom(const KeySpec &order, const FilterTree &filter) = 0;
    virtual int next() = 0;     // 0, or 33 past the end
    virtual int previous() = 0; // 0, or 33 past the beginning
    // Rows each block of a pass reads ahead from now on, for a caller that knows how many it
    // wants (a list page); 0: the engine's own size (larger with QUICKSCAN).
    virtual void setReadAhead(std::size_t rows) = 0;

    // The current record's position: an opaque text of at most 512 printable ASCII
    // characters without blanks that reset() and reget() take back. Empty when there is no
    // current record.
    virtual std::string position() const = 0;
    // Restart the current kind of pass at a position: the next next() or previous() reads
    // the record at that position first (or its neighbour, when it was deleted).
    virtual int reset(const std::string &position) = 0;

    // hold: the next fetch holds the record for this station.
    // watch: the next fetch notes the record's version; a put() of it then fails with 89
    // when another station changed the record meanwhile.
    virtual int hold() = 0;
    virtual int watch() = 0;
    // The version of the current record as this cursor read or wrote it last; watchSince
    // takes it back.
    virtual std::int64_t version() const = 0;
    // As watch, for a record this cursor read before at `version` (a form's record that a
    // nested step moved away from): the next fetch keeps that version, carried over the puts
    // this cursor made of the record since, instead of the record's present one. A put then
    // fails with 89 if anybody else wrote the record after that first read.
    virtual int watchSince(std::int64_t version) = 0;
    // Whether the buffer would duplicate an existing entry of a unique key (other than the
    // current record).
    virtual bool duplicate(int key) = 0;
    virtual std::int64_t records() = 0;
    virtual int flush() = 0;

    // The large values of the file (FileDef::largeNames) of the current record, by their
    // slot: a stored document's bytes, too long for a field. Passes and fetches never read
    // them; they are written and read one at a time. In a transaction a put takes part like
    // the record's own writes. A record whose value was never put reads as empty.
    // 0, 33 (no current record), 5 (read-only), 90 (also for a slot the file does not have).
    virtual int putLarge(int slot, std::string_view bytes) = 0;
    virtual int getLarge(int slot, std::string &bytes) = 0;

protected:
    RecordFile(Engine &engine, FileId file, RecordBuffer &buffer);

    // The record's own history as this cursor knows it, for watchSince: each put through it
    // took a record from one version to the next. Engines note every put here and ask for
    // the version a watch since `since` stands at: the chain of own puts from there, puts in
    // transactions that were rolled back left out. A write by anybody else breaks the chain.
    void noteOwnPut(std::int64_t record, std::int64_t from, std::int64_t to);
    std::int64_t carriedVersion(std::int64_t record, std::int64_t since) const;
    void forgetOwnPuts() { m_ownPuts.clear(); }
    void noteSetAside(std::string where) { m_setAside = std::move(where); }

private:
    struct OwnPut
    {
        std::int64_t record;
        std::int64_t from;
        std::int64_t to;
        std::uint64_t transaction; // 0: outside a transaction
    };

    Engine &m_engine;
    FileId m_id;
    RecordBuffer &m_buffer;
    std::vector<OwnPut> m_ownPuts; // latest last, a few only
    std::string m_setAside;
};

// One per place where the record files live. Makes the cursors and frames transactions.
class Engine
{
public:
    virtual ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    StorageStatus &status() { return m_status; }
    const StorageStatus &status() const { return m_status; }

    // A cursor on a file for one thread's record buffer; not open yet. It must not outlive
    // the engine.
    virtual std::unique_ptr<RecordFile> recordFile(FileId file, RecordBuffer &buffer) = 0;
    // Whether the file is there (a missing one is made by create()).
    virtual bool exists(FileId file) const = 0;

    // A transaction over several files: name the files, then begin; every write to them
    // until commit or rollback takes effect together or not at all, also across files and
    // if the process dies in between. addToTransaction gives 80 for a file that cannot take
    // part (not open, or read-only); such a file is then written outside the transaction.
    // beginTransaction waits up to the given time for files that others are writing.
    virtual int addToTransaction(RecordFile &file) = 0;
    virtual int beginTransaction(int waitSeconds) = 0;
    virtual int commit() = 0;
    virtual int rollback() = 0;
    virtual bool inTransaction() const = 0;

    // A statement refused before it reached the engine (a filter text that cannot be read):
    // its reason goes into the status as the engine gives the reason of a statement it
    // refuses itself. Returns code 90.
    virtual int refuse(std::string_view reason) = 0;

    // Whether the place where the files live can be reached now, and if not, why: a server
    // that does not answer, a database it does not have, a password it refuses or wants.
    // The engine's own words stand in the status then (code 90). A folder is always there.
    enum class Reach { Ok, NoServer, UnknownDatabase, WrongPassword, NeedsPassword, Other };
    virtual Reach reach() { return Reach::Ok; }
    // The password for a place that wants one, as the user typed it at start: used for every
    // connection from now on, kept in memory only. A folder wants none.
    virtual void usePassword(const std::string &) {}

    // Other stations' writes, where several stations share the data: from listenForChanges()
    // on, changedElsewhere() names each file that another station committed a change to
    // since it was last asked (once, in no particular order), and changeSocket() is a
    // descriptor that turns readable when such news arrive (-1 while there is none; it may
    // change when the engine connects anew, so it is asked again now and then). An engine
    // that only this station uses tells nothing.
    virtual bool tellsChanges() const { return false; }
    virtual void listenForChanges() {}
    virtual std::vector<FileId> changedElsewhere() { return {}; }
    virtual int changeSocket() { return -1; }

    // Transactions are numbered as they begin: the open one's number, 0 when none is open.
    std::uint64_t transactionNumber() const { return m_transaction; }
    bool wasRolledBack(std::uint64_t transaction) const;

protected:
    Engine() = default;
    // Engines call these as a transaction begins and as it ends.
    void transactionBegun() { m_transaction = ++m_transactionsBegun; }
    void transactionEnded(bool rolledBack);

private:
    StorageStatus m_status;
    std::uint64_t m_transaction = 0;
    std::uint64_t m_transactionsBegun = 0;
    std::vector<std::uint64_t> m_rolledBack;
};
