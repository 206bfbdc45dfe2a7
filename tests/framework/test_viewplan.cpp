// A view limited to a range of its key seeks an index in both directions: the engine's pass
// for the view's order and filter shows SEARCH with the range's equality, never a SCAN.

#include "viewfixture.h"

#include "store/collation.h"
#include "store/enginesql.h"

#include <sqlite3.h>

namespace {

std::vector<std::string> planOf(const std::filesystem::path &path, const std::string &sql)
{
    std::vector<std::string> details;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    collation::registerAll(db);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &stmt, nullptr)
        != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
    } else {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            details.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 3)));
    }
    sqlite3_finalize(stmt);
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
            const std::string sql
                = enginesql::passSql(def, view.order(), view.filter(), forward, "main");
            const std::vector<std::string> plan = planOf(t.pathOf(row.file), sql);
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
