// Transactions of the SQLite engine: a commit across files killed while it writes the second
// file; files that another connection is writing, waited for up to the recover time.

#include "sqlitetest.h"

#include "../killedwrites.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

using TransactionsTest = SqliteTest;
using StationsTest = SqliteTest;
using Clock = std::chrono::steady_clock;

void addCustomer(RecordFile &kunde, int number, const char *name)
{
    kunde.clear();
    kunde.buffer().set(KUN::KAID, number);
    kunde.buffer().set(KUN::KNAME, name);
    ASSERT_EQ(kunde.add(), 0);
}

// A file system shim for the child process: it kills the process at the moment its commit
// starts writing the second database file, when the first one already holds the new pages.
namespace crash {

sqlite3_vfs *real = nullptr;
sqlite3_vfs shim;
sqlite3_io_methods methods;
bool armed = false;
char firstWritten[512] = {};

struct File
{
    sqlite3_file base;
    sqlite3_file *real;
    bool mainDb;
    char name[512];
};

sqlite3_file *inner(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f)->real;
}

int xClose(sqlite3_file *f)
{
    return inner(f)->pMethods->xClose(inner(f));
}
int xRead(sqlite3_file *f, void *p, int n, sqlite3_int64 o)
{
    return inner(f)->pMethods->xRead(inner(f), p, n, o);
}
int xWrite(sqlite3_file *f, const void *p, int n, sqlite3_int64 o)
{
    auto *file = reinterpret_cast<File *>(f);
    if (armed && file->mainDb) {
        if (!firstWritten[0])
            std::snprintf(firstWritten, sizeof firstWritten, "%s", file->name);
        else if (std::strcmp(firstWritten, file->name) != 0)
            raise(SIGKILL);
    }
    return inner(f)->pMethods->xWrite(inner(f), p, n, o);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return inner(f)->pMethods->xTruncate(inner(f), size);
}
int xSync(sqlite3_file *f, int flags)
{
    return inner(f)->pMethods->xSync(inner(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return inner(f)->pMethods->xFileSize(inner(f), size);
}
int xLock(sqlite3_file *f, int level)
{
    return inner(f)->pMethods->xLock(inner(f), level);
}
int xUnlock(sqlite3_file *f, int level)
{
    return inner(f)->pMethods->xUnlock(inner(f), level);
}
int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return inner(f)->pMethods->xCheckReservedLock(inner(f), out);
}
int xFileControl(sqlite3_file *f, int op, void *arg)
{
    return inner(f)->pMethods->xFileControl(inner(f), op, arg);
}
int xSectorSize(sqlite3_file *f)
{
    return inner(f)->pMethods->xSectorSize(inner(f));
}
int xDeviceCharacteristics(sqlite3_file *f)
{
    return inner(f)->pMethods->xDeviceCharacteristics(inner(f));
}

int xOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *file = reinterpret_cast<File *>(f);
    file->real = reinterpret_cast<sqlite3_file *>(file + 1);
    file->mainDb = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    std::snprintf(file->name, sizeof file->name, "%s", name ? name : "");
    const int rc = real->xOpen(real, name, file->real, flags, outFlags);
    file->base.pMethods = file->real->pMethods ? &methods : nullptr;
    return rc;
}

// Version 1 of the file methods: no shared memory, no memory mapping, so that every page
// goes through xWrite.
void install()
{
    real = sqlite3_vfs_find(nullptr);
    shim = *real;
    shim.zName = "crash";
    shim.szOsFile = static_cast<int>(sizeof(File)) + real->szOsFile;
    shim.xOpen = xOpen;
    methods = sqlite3_io_methods{1,
                                 xClose,
                                 xRead,
                                 xWrite,
                                 xTruncate,
                                 xSync,
                                 xFileSize,
                                 xLock,
                                 xUnlock,
                                 xCheckReservedLock,
                                 xFileControl,
                                 xSectorSize,
                                 xDeviceCharacteristics,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr};
    sqlite3_vfs_register(&shim, 1);
}

} // namespace crash

// The child dies in the middle of a commit across files: the super-journal is still
// there, one file holds its new record already and the other does not; opened again, the
// files hold neither.
TEST_F(TransactionsTest, AProcessKilledInsideTheCommitLeavesNothing)
{
    file(FileId::auftrag);
    file(FileId::kaldruck);
    closeAll(); // nothing of the files is open in this process while the child runs
    const std::filesystem::path dir = folder();
    KillHooks hooks;
    hooks.beforeEngine = [] {
        crash::install();
    };
    hooks.beforeCommit = [] {
        crash::armed = true;
    };
    hooks.afterDeath = [&dir] {
        bool superJournal = false;
        for (const auto &entry : std::filesystem::directory_iterator(dir))
            superJournal = superJournal || entry.path().string().find("-mj") != std::string::npos;
        EXPECT_TRUE(superJournal);
        // Copies without their journals show the files as they lie on disk.
        const auto bare = dir / "bare";
        std::filesystem::create_directory(bare);
        std::int64_t written = 0;
        for (const char *name : {"AUFTRAG.sqlite", "KALDRUCK.sqlite"}) {
            std::filesystem::copy_file(dir / name, bare / name);
            RawFile copy(bare / name);
            written += std::stoll(copy.column(std::string("SELECT count(*) FROM ")
                                              + std::string(name, std::strlen(name) - 7))
                                      .at(0));
        }
        EXPECT_EQ(written, 1);
        std::filesystem::remove_all(bare);
    };
    const auto [orders, calculations] = killedWriting(place(), Kill::InsideCommit, hooks);
    EXPECT_EQ(orders, 0);
    EXPECT_EQ(calculations, 0);
}

TEST_F(StationsTest, ABusyFileIsWaitedForUpToTheRecoverTime)
{
    RecordFile &kunde = file(FileId::kunde);
    RawFile other(pathOf(FileId::kunde));
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);

    ASSERT_EQ(kunde.send("Recover=1"), 0);
    const auto start = Clock::now();
    kunde.clear();
    EXPECT_EQ(kunde.add(), Result::EngineError);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_EQ(engine.status().engineMessage, "database is locked");
    EXPECT_EQ(std::stoi(engine.status().engineCode) & 0xFF, SQLITE_BUSY);

    ASSERT_EQ(kunde.send("Recover=0"), 0);
    EXPECT_EQ(kunde.records(), 0);
    EXPECT_EQ(engine.status().code, Result::EngineError);

    // Released while it waits, the file is used as soon as it is free.
    ASSERT_EQ(kunde.send("Recover=10"), 0);
    std::thread release([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    EXPECT_EQ(kunde.add(), 0);
    release.join();
    EXPECT_EQ(kunde.records(), 1);
}

TEST_F(StationsTest, ATransactionWaitsForItsFilesThenGivesUp)
{
    RecordFile &kunde = file(FileId::kunde);
    RecordFile &auftrag = file(FileId::auftrag);
    RawFile other(pathOf(FileId::auftrag));
    ASSERT_EQ(other.exec("BEGIN IMMEDIATE"), SQLITE_OK);
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    const auto start = Clock::now();
    EXPECT_EQ(engine.beginTransaction(1), Result::EngineError);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(engine.status().engineMessage, "database is locked");
    EXPECT_FALSE(engine.inTransaction());
    ASSERT_EQ(other.exec("COMMIT"), SQLITE_OK);

    // Nothing is left over: the next transaction starts afresh.
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.beginTransaction(1), 0);
    addCustomer(kunde, 1, "Neu");
    ASSERT_EQ(engine.commit(), 0);
    EXPECT_EQ(kunde.records(), 1);
}

} // namespace
