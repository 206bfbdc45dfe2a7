// View filters as the SQLite engine runs them: the SQL written from a filter tree, its bound
// values, and the rows it selects.

#include "base/stddate.h"
#include "base/text.h"
#include "store/files.h"
#include "store/sqlite/filtersql.h"
#include "store/sqlite/foldfunctions.h"
#include "store/viewfilter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace {

using Values = std::vector<FieldValue>;

FilterParseResult parseKunde(const std::string &text)
{
    return parseFilter(text, fileFieldResolver(fileDef(FileId::kunde)));
}

struct FilterRow
{
    const char *name;
    FileId file;
    std::string text;
    std::string expression;
    Values values;
};

TEST(ViewFilter, TextsBecomeBoundSql)
{
    // Built here, not at static initialisation: the expected day numbers need the date
    // functions ready.
    const FilterRow rows[] = {
        {"range kind 2", FileId::auftrag, "AUF:FKUID = 'K0081234A'", "FKUID = ?", {"K0081234A"}},
        {"range kind 3",
         FileId::auftrag,
         "AUF:FKUID = 'K1' AND AUF:FDATUM >= 80000 AND AUF:FDATUM <= 80100",
         "FKUID = ? AND FDATUM >= ? AND FDATUM <= ?",
         {"K1", 80000, 80100}},
        {"range and named filter",
         FileId::auftrag,
         "AUF:FKUID = 'K1' AND (AUF:FSTAT = 'Rechnung' OR AUF:FSTAT = 'Angebot')",
         "FKUID = ? AND (FSTAT = ? OR FSTAT = ?)",
         {"K1", "Rechnung", "Angebot"}},
        {"named filter alone", FileId::auftrag, "(AUF:NETTO > 0)", "(NETTO > ?)", {0.0}},
        {"quote inside", FileId::kunde, "KUN:KNAME = 'O''Brien'", "KNAME = ?", {"O'Brien"}},
        {"upper on both sides",
         FileId::kunde,
         "UPPER(KUN:KNAME) >= UPPER('müller')",
         "\"_fold_KNAME\" >= ?",
         {"muller\x01müller"}},
        {"upper on the value only",
         FileId::kunde,
         "KUN:KNAME = UPPER('müller')",
         "KNAME = ?",
         {"MÜLLER"}},
        {"value first is turned round",
         FileId::kunde,
         "UPPER('k') < UPPER(KUN:KORT)",
         "\"_fold_KORT\" > ?",
         {"k"}},
        {"trailing blanks go, leading stay",
         FileId::kunde,
         "KUN:KNAME <> '  Meier  '",
         "KNAME <> ?",
         {"  Meier"}},
        {"integer", FileId::kunde, "KUN:KAID = 42", "KAID = ?", {42}},
        {"negative decimal", FileId::kunde, "KUN:REUMSATZ < -1000.5", "REUMSATZ < ?", {-1000.5}},
        {"exponent", FileId::kunde, "KUN:KRAB >= 1e1", "KRAB >= ?", {10.0}},
        {"beyond 32 bits", FileId::kunde, "KUN:KAID > 3000000000", "KAID > ?", {3e9}},
        {"quoted number", FileId::kunde, "KUN:KAID <= ' 17 '", "KAID <= ?", {17}},
        {"number with a text field", FileId::kunde, "KUN:KPLZ = 01067", "KPLZ = ?", {"01067"}},
        {"day number", FileId::kunde, "KUN:KPGEB = 80000", "KPGEB = ?", {80000}},
        {"quoted date",
         FileId::kunde,
         "KUN:RECH >= '29.02.2024'",
         "RECH >= ?",
         {rt::dateFromYmd(2024, 2, 29)}},
        {"blank date", FileId::kunde, "KUN:RECH = ''", "RECH = ?", {0}},
        {"lower case, no blanks",
         FileId::kunde,
         "kun:kname='a'and(kort='b'or not kun:kplz<>'c')",
         "KNAME = ? AND (KORT = ? OR NOT (KPLZ <> ?))",
         {"a", "b", "c"}},
        {"two fields",
         FileId::kunde,
         "UPPER(KUN:KNAME) = UPPER(KUN:LNAME)",
         "\"_fold_KNAME\" = foldkey(\"LNAME\")",
         {}},
        {"injection stays a value",
         FileId::kunde,
         "KUN:KNAME = 'x''; DROP TABLE KUNDE; --'",
         "KNAME = ?",
         {"x'; DROP TABLE KUNDE; --"}},
        {"blank text", FileId::kunde, " \t ", "", {}},
    };
    for (const FilterRow &row : rows) {
        SCOPED_TRACE(row.name);
        const FilterParseResult result
            = parseFilter(row.text, fileFieldResolver(fileDef(row.file)));
        ASSERT_TRUE(result.ok()) << result.error;
        const SqlFilter sql = renderFilter(fileDef(row.file), result.filter);
        EXPECT_EQ(sql.expression, row.expression);
        EXPECT_EQ(sql.values, row.values);
    }
}

// A tree made by hand rather than parsed keeps its meaning: an OR inside an AND is written
// in parentheses although the tree has no group there.
TEST(ViewFilter, AnOrInsideAnAndKeepsItsMeaning)
{
    using Operand = FilterTree::Operand;
    using Kind = FilterTree::Node::Kind;
    FilterTree tree;
    auto equals = [&tree](std::uint16_t field, FieldValue value) {
        const std::uint16_t constant = tree.addConstant(std::move(value));
        return tree.addComparison({Operand::Kind::Field, false, field},
                                  FilterTree::Compare::Equal,
                                  {Operand::Kind::Constant, false, constant});
    };
    const std::int32_t place = equals(KUN::KORT_no, "Köln");
    const std::int32_t either
        = tree.addJoin(Kind::Or, equals(KUN::KNAME_no, "Müller"), equals(KUN::KNAME_no, "Meier"));
    tree.addJoin(Kind::And, place, either);
    const SqlFilter sql = renderFilter(fileDef(FileId::kunde), tree);
    EXPECT_EQ(sql.expression, "KORT = ? AND (KNAME = ? OR KNAME = ?)");
    EXPECT_EQ(sql.values, (Values{"Köln", "Müller", "Meier"}));
}

class FilterOnSqlite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &m_db), SQLITE_OK);
        foldfunctions::registerFold(m_db);
        exec("CREATE TABLE KUNDE (KAID INTEGER, KNAME TEXT, KORT TEXT, KRAB REAL, RECH INTEGER,"
             " _fold_KNAME TEXT, _fold_KORT TEXT)");
        exec("CREATE INDEX Keykname ON KUNDE (_fold_KNAME)");
        exec("INSERT INTO KUNDE (KAID, KNAME, KORT, KRAB, RECH) VALUES (1, 'Müller', 'Köln', 2.5, "
             "80000),"
             " (2, 'MÜLLER', 'Bonn', 0, 0), (3, 'O''Brien', 'Köln', 10, 81600),"
             " (4, 'x''; DROP TABLE KUNDE; --', 'Aachen', 0, 0), (5, 'meier', 'köln', 5, 80500)");
        exec("UPDATE KUNDE SET _fold_KNAME = foldkey(KNAME), _fold_KORT = foldkey(KORT)");
    }
    void TearDown() override { sqlite3_close(m_db); }

    void exec(const std::string &sql)
    {
        ASSERT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(m_db);
    }

    // The last column of every row that the query selects under the filter.
    std::vector<std::string> run(const std::string &filterText, const char *select)
    {
        const FilterParseResult parsed = parseKunde(filterText);
        EXPECT_TRUE(parsed.ok()) << parsed.error;
        const SqlFilter filter = renderFilter(fileDef(FileId::kunde), parsed.filter);
        const std::string sql
            = std::string(select) + " FROM KUNDE WHERE " + filter.expression + " ORDER BY KAID";
        sqlite3_stmt *stmt = nullptr;
        std::vector<std::string> rows;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
            return rows;
        }
        EXPECT_EQ(sqlite3_bind_parameter_count(stmt), int(filter.values.size()));
        for (std::size_t i = 0; i < filter.values.size(); ++i) {
            const int n = int(i + 1);
            const FieldValue &value = filter.values[i];
            if (const auto *whole = std::get_if<std::int32_t>(&value))
                sqlite3_bind_int(stmt, n, *whole);
            else if (const auto *real = std::get_if<double>(&value))
                sqlite3_bind_double(stmt, n, *real);
            else
                sqlite3_bind_text(
                    stmt, n, std::get<std::string>(value).c_str(), -1, SQLITE_TRANSIENT);
        }
        const int last = sqlite3_column_count(stmt) - 1;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            rows.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(stmt, last)));
        sqlite3_finalize(stmt);
        return rows;
    }

    sqlite3 *m_db = nullptr;
};

TEST_F(FilterOnSqlite, SelectsTheRightRows)
{
    using Ids = std::vector<std::string>;
    const struct
    {
        const char *text;
        Ids ids;
    } rows[] = {
        {"UPPER(KUN:KNAME) = UPPER('müller')", {"1", "2"}},
        {"KUN:KNAME = 'Müller'", {"1"}},
        {"KUN:KNAME = UPPER('müller')", {"2"}},
        {"UPPER(KUN:KORT) = UPPER('KÖLN') AND KUN:KRAB >= 5", {"3", "5"}},
        {"KUN:KNAME = 'O''Brien   '", {"3"}},
        {"KUN:KNAME = 'x''; DROP TABLE KUNDE; --'", {"4"}},
        {"KUN:RECH >= '01.01.2024' OR NOT (KUN:KAID <> 2)", {"2", "3"}},
        {"KUN:RECH >= 80000 AND KUN:RECH <= 80500", {"1", "5"}},
        {"(KUN:KRAB > 0 AND (KUN:KORT = 'Köln' OR KUN:KORT = 'Bonn'))", {"1", "3"}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(run(row.text, "SELECT KAID"), row.ids) << row.text;
    EXPECT_EQ(run("KUN:KAID > 0", "SELECT count(*)"), Ids{"5"});
}

TEST_F(FilterOnSqlite, CaseIgnoringComparisonSeeksTheKeyIndex)
{
    const std::vector<std::string> plan
        = run("UPPER(KUN:KNAME) >= UPPER('m')", "EXPLAIN QUERY PLAN SELECT KAID");
    ASSERT_FALSE(plan.empty());
    EXPECT_EQ(plan.front().rfind("SEARCH", 0), 0u) << plan.front();
}

} // namespace
