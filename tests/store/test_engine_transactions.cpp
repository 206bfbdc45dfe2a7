// Transactions across files: all or nothing, also when the process dies in between.

#include "enginetest.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

using TransactionsTest = EngineTest;

void addOrder(RecordFile &auftrag, int number, const std::string &id)
{
    auftrag.clear();
    auftrag.buffer().set(AUF::FAID, number);
    auftrag.buffer().set(AUF::FID, id);
    auftrag.buffer().set(AUF::FNR, id);
    ASSERT_EQ(auftrag.add(), 0);
}

void addCalculation(RecordFile &kaldruck, const std::string &id, const std::string &order)
{
    kaldruck.clear();
    kaldruck.buffer().set(KAD::KAAID, id);
    kaldruck.buffer().set(KAD::KAUFID, order);
    ASSERT_EQ(kaldruck.add(), 0);
}

TEST_F(TransactionsTest, CommitWritesEveryFileRollbackNone)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &kaldruck = file(FileId::kaldruck);
    Records otherThread;
    RecordFile otherView(engine, FileId::kaldruck, otherThread[FileId::kaldruck]);
    ASSERT_EQ(otherView.open(), 0);

    for (const bool keep : {false, true}) {
        ASSERT_EQ(engine.addToTransaction(auftrag), 0);
        ASSERT_EQ(engine.addToTransaction(kaldruck), 0);
        ASSERT_EQ(engine.beginTransaction(2), 0) << engine.status().engineMessage;
        EXPECT_TRUE(engine.inTransaction());
        addOrder(auftrag, 1, "F1");
        addCalculation(kaldruck, "K1", "F1");
        // Inside the transaction every handle of its files sees its writes.
        EXPECT_EQ(otherView.records(), 1);
        ASSERT_EQ(keep ? engine.commit() : engine.rollback(), 0);
        EXPECT_FALSE(engine.inTransaction());
        EXPECT_EQ(auftrag.records(), keep ? 1 : 0);
        EXPECT_EQ(otherView.records(), keep ? 1 : 0);
    }
}

TEST_F(TransactionsTest, APassInsideTheTransactionSeesItsOwnDeletes)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &kaldruck = file(FileId::kaldruck);
    addOrder(auftrag, 1, "F1");
    for (const char *id : {"K1", "K2", "K3"})
        addCalculation(kaldruck, id, "F1");
    addCalculation(kaldruck, "K4", "F2");

    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    ASSERT_EQ(engine.addToTransaction(kaldruck), 0);
    ASSERT_EQ(engine.beginTransaction(2), 0);
    kaldruck.clear();
    kaldruck.buffer().set(KAD::KAUFID, "F1");
    ASSERT_EQ(kaldruck.setKeyFrom(KAD::Keyaufid.index), 0);
    int deleted = 0;
    while (kaldruck.next() == 0 && kaldruck.buffer().get(KAD::KAUFID) == "F1") {
        ASSERT_EQ(kaldruck.erase(), 0);
        ++deleted;
    }
    auftrag.buffer().set(AUF::FID, "F1");
    ASSERT_EQ(auftrag.get(AUF::Keyfid.index), 0);
    ASSERT_EQ(auftrag.erase(), 0);
    ASSERT_EQ(engine.commit(), 0);

    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(kaldruck.records(), 1);
    EXPECT_EQ(auftrag.records(), 0);
}

TEST_F(TransactionsTest, AFileOutsideTheTransactionIsWrittenAtOnce)
{
    RecordFile &auftrag = file(FileId::auftrag);
    RecordFile &papier = file(FileId::papier);
    ASSERT_EQ(engine.addToTransaction(auftrag), 0);
    ASSERT_EQ(engine.beginTransaction(2), 0);
    addOrder(auftrag, 1, "F1");
    papier.clear();
    papier.buffer().set(PAP::PBEZ, "Offset");
    ASSERT_EQ(papier.add(), 0);
    ASSERT_EQ(engine.rollback(), 0);
    EXPECT_EQ(auftrag.records(), 0);
    EXPECT_EQ(papier.records(), 1);
}

TEST_F(TransactionsTest, AFileThatIsNotOpenCannotTakePart)
{
    RecordFile closed(engine, FileId::anach, records[FileId::anach]);
    EXPECT_EQ(engine.addToTransaction(closed), Result::NoTransaction);
    RecordFile &kunde = file(FileId::kunde);
    RecordFile readOnly(engine, FileId::kunde, records[FileId::kunde]);
    ASSERT_EQ(readOnly.open(OpenMode::ReadOnly | OpenMode::DenyNone), 0);
    EXPECT_EQ(engine.addToTransaction(readOnly), Result::NoTransaction);
    EXPECT_EQ(engine.addToTransaction(kunde), 0);
    ASSERT_EQ(engine.rollback(), Result::EngineError); // nothing begun yet
    ASSERT_EQ(engine.beginTransaction(2), 0);
    ASSERT_EQ(engine.rollback(), 0);
}

TEST_F(TransactionsTest, TheWholeOrderFamilyFitsIntoOneTransaction)
{
    const FileId family[] = {FileId::kunde,
                             FileId::auftrag,
                             FileId::drucktem,
                             FileId::kaldruck,
                             FileId::anach,
                             FileId::atran,
                             FileId::asatz};
    for (const bool keep : {false, true}) {
        for (const FileId id : family)
            ASSERT_EQ(engine.addToTransaction(file(id)), 0);
        ASSERT_EQ(engine.beginTransaction(2), 0) << engine.status().engineMessage;
        for (const FileId id : family) {
            file(id).clear();
            ASSERT_EQ(file(id).add(), 0) << fileDef(id).label;
        }
        ASSERT_EQ(keep ? engine.commit() : engine.rollback(), 0);
        for (const FileId id : family)
            EXPECT_EQ(file(id).records(), keep ? 1 : 0) << fileDef(id).label;
    }
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

enum class Kill { BetweenWrites, InsideCommit, AfterCommit };

// The child writes one order and its calculation in one transaction and dies by SIGKILL at
// the given moment; returns how many records each file then holds.
std::pair<std::int64_t, std::int64_t> crashAt(const std::filesystem::path &folder, Kill when)
{
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        if (when == Kill::InsideCommit)
            crash::install();
        Engine engine(folder);
        Records records;
        RecordFile auftrag(engine, FileId::auftrag, records[FileId::auftrag]);
        RecordFile kaldruck(engine, FileId::kaldruck, records[FileId::kaldruck]);
        if (auftrag.open() || kaldruck.open() || engine.addToTransaction(auftrag)
            || engine.addToTransaction(kaldruck) || engine.beginTransaction(2))
            _exit(2);
        records[FileId::auftrag].set(AUF::FID, "F1");
        if (auftrag.add())
            _exit(2);
        if (when == Kill::BetweenWrites) {
            (void)!write(ready[1], "x", 1);
            for (;;)
                pause();
        }
        records[FileId::kaldruck].set(KAD::KAAID, "K1");
        records[FileId::kaldruck].set(KAD::KAUFID, "F1");
        if (kaldruck.add())
            _exit(2);
        crash::armed = when == Kill::InsideCommit;
        if (engine.commit())
            _exit(2);
        if (when == Kill::InsideCommit)
            _exit(3); // the shim should have killed it
        (void)!write(ready[1], "x", 1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char byte = 0;
    if (when != Kill::InsideCommit) {
        EXPECT_EQ(read(ready[0], &byte, 1), 1);
    }
    close(ready[0]);
    if (when != Kill::InsideCommit)
        kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "child ended with " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    if (when == Kill::InsideCommit) {
        // It died in the middle of a commit across files: the super-journal is still there.
        bool superJournal = false;
        for (const auto &entry : std::filesystem::directory_iterator(folder))
            superJournal = superJournal || entry.path().string().find("-mj") != std::string::npos;
        EXPECT_TRUE(superJournal);
        // And it died half-way: one file holds its new record already, the other does not.
        // Copies without their journals show the files as they lie on disk.
        const auto bare = folder / "bare";
        std::filesystem::create_directory(bare);
        std::int64_t written = 0;
        for (const char *name : {"AUFTRAG.sqlite", "KALDRUCK.sqlite"}) {
            std::filesystem::copy_file(folder / name, bare / name);
            RawFile copy(bare / name);
            written += std::stoll(copy.column(std::string("SELECT count(*) FROM ")
                                              + std::string(name, std::strlen(name) - 7))
                                      .at(0));
        }
        EXPECT_EQ(written, 1);
        std::filesystem::remove_all(bare);
    }

    Engine engine(folder);
    Records records;
    RecordFile auftrag(engine, FileId::auftrag, records[FileId::auftrag]);
    RecordFile kaldruck(engine, FileId::kaldruck, records[FileId::kaldruck]);
    EXPECT_EQ(auftrag.open(), 0) << engine.status().engineMessage;
    EXPECT_EQ(kaldruck.open(), 0) << engine.status().engineMessage;
    return {auftrag.records(), kaldruck.records()};
}

TEST_F(TransactionsTest, AProcessKilledInsideATransactionLeavesAllOrNothing)
{
    struct Case
    {
        const char *name;
        Kill when;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"killed between the two writes", Kill::BetweenWrites, 0},
        {"killed while the commit writes the second file", Kill::InsideCommit, 0},
        {"killed after the commit", Kill::AfterCommit, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        closeAll();
        file(FileId::auftrag);
        file(FileId::kaldruck);
        closeAll(); // nothing of the files is open in this process while the child runs
        const auto [orders, calculations] = crashAt(folder.path(), c.when);
        EXPECT_EQ(orders, c.expected);
        EXPECT_EQ(calculations, c.expected);
    }
}

} // namespace
