// The record files on disk: their names and indexes, read-only files, files changed behind
// the engine's back, damaged keys and damaged files.

#include "sqlitetest.h"

#include "store/transaction.h"

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <random>

namespace {

class FilesTest : public SqliteTest
{
protected:
    // A customer file made anew with `count` customers, and closed again.
    void freshCustomers(int count);
};

std::vector<std::string> folderEntries(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

void addCustomers(RecordFile &kunde, int count)
{
    Engine &engine = kunde.engine();
    ASSERT_EQ(engine.addToTransaction(kunde), 0);
    Transaction transaction(engine, 2);
    ASSERT_EQ(transaction.began(), 0);
    for (int i = 1; i <= count; ++i) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, i);
        kunde.buffer().set(KUN::KNAME, "Kunde " + std::to_string(1000 - i));
        kunde.buffer().set(KUN::KORT, i % 2 ? "Köln" : "Bonn");
        ASSERT_EQ(kunde.add(), 0);
    }
    ASSERT_EQ(transaction.commit(), 0);
}

void FilesTest::freshCustomers(int count)
{
    closeAll();
    std::filesystem::remove(pathOf(FileId::kunde));
    addCustomers(file(FileId::kunde), count);
    closeAll();
}

TEST_F(FilesTest, AMissingFileIsReportedAndNothingIsCreated)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const auto f = engine.recordFile(id, records[id]);
        EXPECT_EQ(f->open(), Result::FileNotFound) << fileDef(id).label;
    }
    EXPECT_TRUE(folderEntries(folder()).empty());
}

TEST_F(FilesTest, CreateMakesAnEmptyFileWithEveryKeyUnderItsStoredName)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const FileDef &def = fileDef(id);
        const auto f = engine.recordFile(id, records[id]);
        ASSERT_EQ(f->create(), 0) << def.label << ": " << engine.status().engineMessage;
        ASSERT_EQ(f->open(), 0) << def.label;
        EXPECT_EQ(f->records(), 0);
        f->close();

        RawFile raw(pathOf(id));
        const auto indexes
            = raw.column("SELECT name FROM sqlite_schema WHERE type = 'index' ORDER BY name");
        std::vector<std::string> keys;
        for (int k = 0; k < def.keyCount; ++k)
            keys.push_back(def.qualifiedKeyName(k));
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(indexes, keys) << def.label;
    }
    const auto names = folderEntries(folder());
    EXPECT_EQ(names.size(), kFileCount);
    EXPECT_TRUE(std::filesystem::exists(folder() / "TRANSPOR.sqlite"));
    EXPECT_TRUE(std::filesystem::exists(folder() / "LIEFERAN.sqlite"));
}

TEST_F(FilesTest, AReadOnlyFileRefusesWritingButCanBeRead)
{
    addCustomers(file(FileId::kunde), 2);
    closeAll();
    const auto path = pathOf(FileId::kunde);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    const auto kunde = engine.recordFile(FileId::kunde, records[FileId::kunde]);
    EXPECT_EQ(kunde->open(OpenMode::ReadWrite | OpenMode::DenyNone), Result::AccessDenied);
    EXPECT_FALSE(kunde->isOpen());
    ASSERT_EQ(kunde->open(OpenMode::ReadOnly | OpenMode::DenyNone), 0);
    EXPECT_TRUE(kunde->isReadOnly());
    EXPECT_EQ(kunde->records(), 2);
    kunde->buffer().set(KUN::KAID, 2);
    EXPECT_EQ(kunde->get(KUN::Keykaid.index), 0);
    EXPECT_EQ(kunde->add(), Result::AccessDenied);
    EXPECT_EQ(kunde->put(), Result::AccessDenied);
    EXPECT_EQ(kunde->erase(), Result::AccessDenied);
    EXPECT_EQ(kunde->records(), 2);
    EXPECT_EQ(engine.addToTransaction(*kunde), Result::NoTransaction);
}

// A file closed here keeps its connection for the next open; the next open still sees the
// file as it is on disk now, whatever happened to it meanwhile.
TEST_F(FilesTest, OpeningAgainSeesTheFileAsItIsNowAfterChangesElsewhere)
{
    const struct
    {
        const char *name;
        std::function<void(const std::filesystem::path &)> meanwhile;
        std::int64_t records;
    } cases[] = {
        {"nothing", [](const std::filesystem::path &) {}, 3},
        {"made anew by another station",
         [](const std::filesystem::path &path) {
             std::filesystem::remove(path);
             SqliteEngine station(path.parent_path());
             Records other;
             const auto fresh = station.recordFile(FileId::kunde, other[FileId::kunde]);
             ASSERT_EQ(fresh->create(), 0);
             ASSERT_EQ(fresh->open(), 0);
             other[FileId::kunde].set(KUN::KAID, 7);
             ASSERT_EQ(fresh->add(), 0);
         },
         1},
        {"removed", [](const std::filesystem::path &path) { std::filesystem::remove(path); }, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        freshCustomers(3);
        c.meanwhile(pathOf(FileId::kunde));
        const auto kunde = engine.recordFile(FileId::kunde, records[FileId::kunde]);
        if (c.records < 0) {
            EXPECT_EQ(kunde->open(), Result::FileNotFound);
            continue;
        }
        ASSERT_EQ(kunde->open(), 0);
        EXPECT_EQ(kunde->records(), c.records);
    }
}

struct KeyDamage
{
    const char *name;
    const char *sql;
};

// Ways the keys of a file can be lost or changed behind the engine's back.
const KeyDamage kKeyDamages[] = {
    {"index dropped", "DROP INDEX \"KUN:Keykname\""},
    {"index with another definition",
     "DROP INDEX \"KUN:Keykort\"; CREATE INDEX \"KUN:Keykort\" ON KUNDE(KORT)"},
    {"unique index made plain",
     "DROP INDEX \"KUN:Keykaid\"; CREATE INDEX \"KUN:Keykaid\" ON KUNDE(KAID)"},
    {"column dropped", "ALTER TABLE KUNDE DROP COLUMN KTEL"},
    {"version column dropped", "ALTER TABLE KUNDE DROP COLUMN _version"},
};

TEST_F(FilesTest, KeysThatDoNotMatchGive46AndRebuildKeysRepairsThem)
{
    for (const KeyDamage &damage : kKeyDamages) {
        SCOPED_TRACE(damage.name);
        freshCustomers(5);
        {
            RawFile raw(pathOf(FileId::kunde));
            ASSERT_EQ(raw.exec(damage.sql), SQLITE_OK) << sqlite3_errmsg(raw.handle());
        }
        const auto kundeCursor = engine.recordFile(FileId::kunde, records[FileId::kunde]);
        RecordFile &kunde = *kundeCursor;
        EXPECT_EQ(kunde.open(), Result::KeysInvalid);
        EXPECT_FALSE(kunde.isOpen());
        ASSERT_EQ(kunde.rebuildKeys(), 0) << engine.status().engineMessage;
        ASSERT_EQ(kunde.open(), 0);
        EXPECT_EQ(kunde.records(), 5);
        // Every key works again: names descend while the numbers ascend.
        ASSERT_EQ(kunde.setKeyStart(KUN::Keykname.index), 0);
        ASSERT_EQ(kunde.next(), 0);
        EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Kunde 995");
        EXPECT_EQ(kunde.buffer().get(KUN::KAID), 5);
        EXPECT_EQ(kunde.buffer().get(KUN::KORT), "Köln");
        kunde.buffer().set(KUN::KAID, 3);
        EXPECT_EQ(kunde.get(KUN::Keykaid.index), 0);
        EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Kunde 997");
    }
}

TEST_F(FilesTest, RebuildKeysKeepsInsertionOrderOfDuplicates)
{
    RecordFile &papier = file(FileId::papier);
    for (int i = 1; i <= 4; ++i) {
        papier.clear();
        papier.buffer().set(PAP::APAP, i);
        papier.buffer().set(PAP::PBEZ, "Bilderdruck");
        ASSERT_EQ(papier.add(), 0);
    }
    closeAll();
    {
        RawFile raw(pathOf(FileId::papier));
        ASSERT_EQ(raw.exec("DROP INDEX \"PAP:Keypbez\""), SQLITE_OK);
    }
    const auto againCursor = engine.recordFile(FileId::papier, records[FileId::papier]);
    RecordFile &again = *againCursor;
    ASSERT_EQ(again.open(), Result::KeysInvalid);
    ASSERT_EQ(again.rebuildKeys(), 0);
    ASSERT_EQ(again.open(), 0);
    ASSERT_EQ(again.setKeyStart(PAP::Keypbez.index), 0);
    EXPECT_EQ(forward(again, PAP::APAP), (std::vector<std::string>{"1", "2", "3", "4"}));
}

struct Damage
{
    const char *name;
    long offset; // negative: from the end
    long length; // 0: to the end
};

// Random bytes written over the whole file or over parts of it.
const Damage kDamages[] = {
    {"whole file", 0, 0},
    {"header", 0, 100},
    {"page 2", 4096, 4096},
    {"pages 3 to 6", 8192, 4 * 4096},
    {"last two pages", -8192, 8192},
    {"middle half", -1, -1},
};

void damage(const std::filesystem::path &path, const Damage &d, unsigned seed)
{
    const auto size = static_cast<long>(std::filesystem::file_size(path));
    long offset = d.offset < 0 ? size + d.offset : d.offset;
    long length = d.length == 0 ? size - offset : d.length;
    if (d.offset == -1) {
        offset = size / 4;
        length = size / 2;
    }
    std::mt19937 random(seed);
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(offset);
    for (long i = 0; i < length && offset + i < size; ++i)
        out.put(static_cast<char>(random() & 0xFF));
}

TEST_F(FilesTest, ADamagedFileGives46Or90WithSQLitesOwnMessage)
{
    for (const Damage &d : kDamages) {
        SCOPED_TRACE(d.name);
        freshCustomers(400);
        damage(pathOf(FileId::kunde), d, 7);

        const auto kundeCursor = engine.recordFile(FileId::kunde, records[FileId::kunde]);
        RecordFile &kunde = *kundeCursor;
        std::vector<StorageStatus> failures;
        auto note = [&](int code) {
            EXPECT_TRUE(code == 0 || code == Result::NoRecord || code == Result::KeysInvalid
                        || code == Result::EngineError)
                << code;
            if (code == Result::KeysInvalid || code == Result::EngineError)
                failures.push_back(engine.status());
            return code;
        };
        if (note(kunde.open()) == 0) {
            for (int k = -1; k < fileDef(FileId::kunde).keyCount; ++k) {
                note(k < 0 ? kunde.setStoredOrder() : kunde.setKeyStart(k));
                int code = 0;
                for (int n = 0; n < 1000 && code == 0; ++n)
                    code = note(kunde.next());
                note(k < 0 ? kunde.setStoredOrder() : kunde.setKeyStart(k));
                code = 0;
                for (int n = 0; n < 1000 && code == 0; ++n)
                    code = note(kunde.previous());
            }
            kunde.buffer().set(KUN::KAID, 250);
            note(kunde.get(KUN::Keykaid.index));
            kunde.buffer().set(KUN::KAID, 5000);
            note(kunde.add());
        }
        ASSERT_FALSE(failures.empty());
        for (const StorageStatus &status : failures) {
            if (status.engineMessage.empty())
                continue; // 46 of the key check names no SQLite failure
            const int primary = std::stoi(status.engineCode) & 0xFF;
            EXPECT_TRUE(primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
                << status.engineCode << " " << status.engineMessage;
            EXPECT_TRUE(status.engineMessage == sqlite3_errstr(primary)
                        || status.engineMessage.find("malformed") != std::string::npos)
                << status.engineMessage;
        }
    }
}

TEST_F(FilesTest, ADamagedKeyIsRepairedByRebuildKeys)
{
    addCustomers(file(FileId::kunde), 400);
    std::string root;
    {
        RawFile raw(pathOf(FileId::kunde));
        root = raw.column("SELECT rootpage FROM sqlite_schema WHERE name = 'KUN:Keykname'").at(0);
    }
    closeAll();
    const long page = std::stol(root);
    damage(pathOf(FileId::kunde), Damage{"index root", (page - 1) * 4096, 4096}, 11);

    const auto kundeCursor = engine.recordFile(FileId::kunde, records[FileId::kunde]);
    RecordFile &kunde = *kundeCursor;
    ASSERT_EQ(kunde.open(), 0);
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykname.index), 0);
    const int code = kunde.next();
    EXPECT_TRUE(code == Result::KeysInvalid || code == Result::EngineError) << code;
    EXPECT_FALSE(engine.status().engineMessage.empty());
    kunde.close();

    ASSERT_EQ(kunde.rebuildKeys(), 0) << engine.status().engineMessage;
    ASSERT_EQ(kunde.open(), 0);
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykname.index), 0);
    const auto names = forward(kunde, KUN::KNAME);
    ASSERT_EQ(names.size(), 400u);
    EXPECT_EQ(names.front(), "Kunde 600");
    EXPECT_EQ(names.back(), "Kunde 999");
}

} // namespace
