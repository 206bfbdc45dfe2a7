// The query plans of the engine's statements: every pass and every get seeks its key's
// index, also with a filter, and a view limited to a range of its key seeks an index in both
// directions with the range's equality, never a SCAN.

#include "sqlitetest.h"

#include "../../framework/viewfixture.h"

#include "store/sqlite/foldfunctions.h"
#include "store/sqlite/statements.h"

namespace {

using PlansTest = SqliteTest;

void expectSeek(sqlite3 *db, const std::string &sql, const std::string &index)
{
    const auto plan = planOf(db, sql);
    ASSERT_EQ(plan.size(), 1u) << sql;
    EXPECT_EQ(plan[0].rfind("SEARCH ", 0), 0u) << plan[0] << "\n" << sql;
    EXPECT_NE(plan[0].find(index), std::string::npos) << plan[0] << "\n" << sql;
}

TEST_F(PlansTest, EveryPassAndEveryGetSeeksItsKeysIndex)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        const auto id = static_cast<FileId>(i);
        const FileDef &def = fileDef(id);
        file(id);
        RawFile raw(pathOf(id));
        foldfunctions::registerFold(raw.handle());
        const auto statements = enginesql::fileStatements(def, "main");
        for (int k = 0; k < def.keyCount; ++k) {
            SCOPED_TRACE(def.qualifiedKeyName(k));
            const std::string index = "INDEX " + def.qualifiedKeyName(k);
            const KeySpec spec = KeySpec::ofKey(id, k);
            expectSeek(raw.handle(), enginesql::passSql(def, spec, {}, true, "main"), index);
            expectSeek(raw.handle(), enginesql::passSql(def, spec, {}, false, "main"), index);
            // Keys over the same fields may share their index for a get.
            expectSeek(raw.handle(), statements.get[static_cast<std::size_t>(k)], "INDEX");
        }
        expectSeek(raw.handle(),
                   enginesql::passSql(def, KeySpec{}, {}, true, "main"),
                   "INTEGER PRIMARY KEY");
    }
}

TEST_F(PlansTest, AFilteredPassOverAKeyStillSeeksItsIndex)
{
    const FileDef &def = fileDef(FileId::kunde);
    file(FileId::kunde);
    RawFile raw(pathOf(FileId::kunde));
    foldfunctions::registerFold(raw.handle());
    SqlFilter filter{"\"KRAB\" > ? AND \"KORT\" = ?", {5.0, std::string("Bonn")}};
    const KeySpec spec = KeySpec::ofKey(FileId::kunde, KUN::Keykname.index);
    expectSeek(
        raw.handle(), enginesql::passSql(def, spec, filter, true, "main"), "INDEX KUN:Keykname");
}

// The plan of a statement on a file opened read-only, as any SQLite client would.
std::vector<std::string> planOfFile(const std::filesystem::path &path, const std::string &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    foldfunctions::registerFold(db);
    const std::vector<std::string> details = planOf(db, sql);
    sqlite3_close_v2(db);
    return details;
}

TEST(ViewPlan, RangedViewsSeekTheirKey)
{
    struct Row
    {
        const char *name;
        FileId file;
        KeyRef key;
        std::function<void(TestViewManager &, StoreFixture &)> range;
    };
    const Row rows[] = {
        {"kind 2",
         FileId::kaldruck,
         KAD::Keyaufid,
         [](TestViewManager &m, StoreFixture &) {
             m.AddRangeLimit(KAD::KAUFID, "F1");
         }},
        {"kind 4 with a named filter",
         FileId::kaldruck,
         KAD::Keyaufid,
         [](TestViewManager &m, StoreFixture &t) {
             m.AddRangeFromRelation(t.rk(FileId::auftrag), t.rk(FileId::kaldruck));
             m.DefineFilter("KAD:KGESAMTPR > 100");
         }},
        {"kind 1 on a key that ignores case",
         FileId::kunde,
         KUN::Keykort,
         [](TestViewManager &m, StoreFixture &) {
             m.SetFixedRange(KUN::KPLZ, {std::string("Köln"), std::string("50667")});
         }},
        {"kind 3 on days",
         FileId::auftrag,
         AUF::Keystatus,
         [](TestViewManager &m, StoreFixture &) {
             m.SetRangeBetween(AUF::FDATUM, {"ANGEBOT"}, std::int32_t{100}, std::int32_t{200});
         }},
        {"kind 3 with a descending component after it",
         FileId::auftrag,
         AUF::Keykuid,
         [](TestViewManager &m, StoreFixture &) {
             m.SetRangeBetween(AUF::FSTAT, {"K1"}, "A", "M");
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFixture t;
        t.rk(row.file).Open();
        View view(t.rk(row.file));
        TestViewManager m;
        ASSERT_EQ(m.Init(view, t.rk(row.file)), Level::Benign);
        m.AddOrdering(row.key);
        row.range(m, t);
        m.Open();
        ASSERT_FALSE(view.filter().empty());
        ASSERT_TRUE(t.presenter.shown.empty());
        const FileDef &def = fileDef(row.file);
        for (const bool forward : {true, false}) {
            const std::string sql = enginesql::passSql(
                def, view.order(), renderFilter(def, view.filter()), forward, "main");
            const std::vector<std::string> plan
                = planOfFile(SqliteEngine::pathOf(t.folder.path(), row.file), sql);
            ASSERT_FALSE(plan.empty()) << sql;
            EXPECT_EQ(plan.front().rfind("SEARCH ", 0), 0u) << plan.front() << "\n" << sql;
            // Where another key holds the range's fields too, the planner may seek that one
            // (and sort the few equal rows by insertion); it never reads the whole table.
            // The range's equality is part of the seek, not only the keyset bound.
            EXPECT_NE(plan.front().find(" USING INDEX "), std::string::npos) << plan.front();
            EXPECT_NE(plan.front().find("=?"), std::string::npos) << plan.front();
            for (const std::string &step : plan)
                EXPECT_EQ(step.find("SCAN"), std::string::npos) << step << "\n" << sql;
        }
    }
}

} // namespace
