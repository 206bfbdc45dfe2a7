// Keys that ignore case stand on folded columns the engine keeps: the stock sqlite3 tool
// checks and backs up every file, and files made before the folded columns are converted on
// their first open, records, versions and key order intact.

#include "sqlitetest.h"

#include "store/foldedkey.h"
#include "store/sqlite/foldfunctions.h"
#include "store/sqlite/statements.h"

#include <cstdio>
#include <map>

namespace {

using FoldedKeysTest = SqliteTest;

// What the stock sqlite3 program prints for a command on a file (standard error too).
std::string sqliteTool(const std::filesystem::path &file, const std::string &command)
{
    auto quoted = [](const std::string &word) {
        std::string q = "'";
        for (const char c : word)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + '\'';
    };
    const std::string line
        = "sqlite3 -bail " + quoted(file.string()) + ' ' + quoted(command) + " 2>&1";
    std::string output;
    FILE *pipe = popen(line.c_str(), "r");
    if (!pipe)
        return "<cannot run sqlite3>";
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    pclose(pipe);
    return output;
}

const char *const kNames[] = {"Müller",
                              "Zander",
                              "muller",
                              "Ärger",
                              "Apfel",
                              "MÜLLER",
                              "Axt",
                              "Straße",
                              "Strasse",
                              "Öl",
                              "Oma",
                              "éclair",
                              "Eder",
                              "Œuvre",
                              "Obst",
                              "ß",
                              "sr",
                              "st"};

// Customers under kNames, with places and postcodes that need folding too.
void addCustomers(RecordFile &kunde)
{
    int id = 0;
    for (const char *name : kNames) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, ++id);
        kunde.buffer().set(KUN::KNAME, name);
        kunde.buffer().set(KUN::KORT, id % 2 ? "Köln" : "KÖLN");
        kunde.buffer().set(KUN::KPLZ, id % 3 ? "5067" : "5O67");
        ASSERT_EQ(kunde.add(), 0) << name << ": " << kunde.engine().status().engineMessage;
    }
}

// Every record in the order of each key, as the names and numbers show it.
std::map<std::string, std::vector<std::string>> keyOrders(RecordFile &f)
{
    std::map<std::string, std::vector<std::string>> orders;
    const FileDef &def = f.def();
    for (int k = 0; k < def.keyCount; ++k) {
        std::vector<std::string> &seen = orders[def.qualifiedKeyName(k)];
        EXPECT_EQ(f.setKeyStart(k), 0);
        while (f.next() == Result::Ok) {
            std::string row;
            for (int i = 0; i < def.fieldCount; ++i)
                row += f.buffer().text(i) + '|';
            seen.push_back(row);
        }
    }
    return orders;
}

// The file as the program made it before keys had folded columns: no folded columns, and
// the indexes of keys that ignore case built with the program's own collation.
void makeOld(const std::filesystem::path &path, const FileDef &def)
{
    RawFile raw(path);
    foldfunctions::registerLegacyCollation(raw.handle());
    for (int k = 0; k < def.keyCount; ++k) {
        if (!def.keys[k].noCase)
            continue;
        const KeyDef &key = def.keys[k];
        ASSERT_EQ(raw.exec("DROP INDEX " + enginesql::quote(enginesql::indexName(def, k))),
                  SQLITE_OK);
        std::string sql = key.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
        sql += enginesql::quote(enginesql::indexName(def, k)) + " ON "
               + enginesql::quote(def.storedName) + '(';
        for (int p = 0; p < key.partCount; ++p) {
            const FieldDef &field = def.fields[key.parts[p].field];
            sql += std::string(p ? ", " : "") + enginesql::quote(field.name);
            if (field.type == FieldType::String)
                sql += " COLLATE NOCASE_DE";
            if (key.parts[p].descending)
                sql += " DESC";
        }
        ASSERT_EQ(raw.exec(sql + ')'), SQLITE_OK) << sqlite3_errmsg(raw.handle());
    }
    for (const int field : foldedkey::foldedFields(def)) {
        ASSERT_EQ(raw.exec("ALTER TABLE " + enginesql::quote(def.storedName) + " DROP COLUMN "
                           + enginesql::quote(foldedkey::columnName(def.fields[field].name))),
                  SQLITE_OK)
            << sqlite3_errmsg(raw.handle());
    }
}

TEST_F(FoldedKeysTest, TheStockToolChecksAndBacksUpEveryFile)
{
    addCustomers(file(FileId::kunde));
    for (std::size_t i = 0; i < kFileCount; ++i)
        file(static_cast<FileId>(i));
    closeAll();
    const std::filesystem::path backups = folder() / "backup";
    std::filesystem::create_directories(backups);
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        SCOPED_TRACE(fileDef(id).storedName);
        EXPECT_EQ(sqliteTool(pathOf(id), "PRAGMA integrity_check"), "ok\n");
        const std::filesystem::path copy = backups / pathOf(id).filename();
        EXPECT_EQ(sqliteTool(pathOf(id), ".backup " + copy.string()), "");
        EXPECT_EQ(sqliteTool(copy, "PRAGMA integrity_check"), "ok\n");
    }
    EXPECT_EQ(sqliteTool(backups / pathOf(FileId::kunde).filename(),
                         "SELECT count(*) FROM KUNDE WHERE _fold_KNAME = 'muller\x01müller'"),
              "2\n");
}

TEST_F(FoldedKeysTest, FilesMadeBeforeFoldedColumnsAreConvertedOnFirstOpen)
{
    addCustomers(file(FileId::kunde));
    std::map<FileId, std::map<std::string, std::vector<std::string>>> before;
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        before[id] = keyOrders(file(id));
    }
    ASSERT_EQ(before[FileId::kunde]["KUN:Keykname"].size(), std::size(kNames));
    RecordFile &first = file(FileId::kunde);
    first.buffer().set(KUN::KAID, 1);
    ASSERT_EQ(first.get(KUN::Keykaid.index), 0);
    ASSERT_EQ(first.put(), 0); // a version above 0 to keep
    closeAll();
    for (std::size_t i = 0; i < kFileCount; ++i)
        makeOld(pathOf(static_cast<FileId>(i)), fileDef(static_cast<FileId>(i)));
    // What the administrator met before: the stock tool cannot check such a file.
    EXPECT_NE(sqliteTool(pathOf(FileId::kunde), "PRAGMA integrity_check").find("NOCASE_DE"),
              std::string::npos);

    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        SCOPED_TRACE(fileDef(id).storedName);
        const auto cursor = engine.recordFile(id, records[id]);
        ASSERT_EQ(cursor->open(), 0) << engine.status().engineMessage;
        EXPECT_EQ(keyOrders(*cursor), before[id]);
        cursor->close();
        EXPECT_EQ(sqliteTool(pathOf(id), "PRAGMA integrity_check"), "ok\n");
        EXPECT_EQ(sqliteTool(pathOf(id),
                             "SELECT count(*) FROM sqlite_schema WHERE sql LIKE "
                             "'%NOCASE_DE%'"),
                  "0\n");
    }
    RawFile raw(pathOf(FileId::kunde));
    EXPECT_EQ(raw.column("SELECT sum(_version) FROM KUNDE"), std::vector<std::string>{"1"});
    EXPECT_EQ(raw.column("SELECT _fold_KORT FROM KUNDE WHERE KAID = 2"),
              std::vector<std::string>{"koln\x01köln"});

    // A key value found whatever its case, as before.
    const auto cursor = engine.recordFile(FileId::kunde, records[FileId::kunde]);
    RecordFile &kunde = *cursor;
    ASSERT_EQ(kunde.open(), 0);
    kunde.clear();
    kunde.buffer().set(KUN::KNAME, "STRASSE");
    ASSERT_EQ(kunde.get(KUN::Keykname.index), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Strasse");
}

} // namespace
