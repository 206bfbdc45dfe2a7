#include "base/stddate.h"
#include "base/text.h"
#include "store/collation.h"
#include "store/files.h"
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

const std::string kNoCase = kNoCaseCollation;

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
         "KNAME COLLATE " + kNoCase + " >= ?",
         {"müller"}},
        {"upper on the value only",
         FileId::kunde,
         "KUN:KNAME = UPPER('müller')",
         "KNAME = ?",
         {"MÜLLER"}},
        {"value first is turned round",
         FileId::kunde,
         "UPPER('k') < UPPER(KUN:KORT)",
         "KORT COLLATE " + kNoCase + " > ?",
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
         "KNAME COLLATE " + kNoCase + " = LNAME",
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
        EXPECT_EQ(result.filter.expression, row.expression);
        EXPECT_EQ(result.filter.values, row.values);
    }
}

TEST(ViewFilter, UnreadableTextsGiveAnErrorAndNoFilter)
{
    const struct
    {
        std::string text;
        const char *error;
    } rows[] = {
        {"KUN:NOPE = 1", "unknown field KUN:NOPE at 1"},
        {"AUF:FKUID = 'x'", "unknown field"},
        {"KUN:KNAME = 'abc", "quote not closed at 13"},
        {"(KUN:KAID = 1", "')' expected"},
        {"KUN:KAID = 1)", "unexpected ')' at 13"},
        {"()", "field or value expected"},
        {"KUN:KAID =", "field or value expected, not end of text"},
        {"KUN:KAID 5", "comparison operator expected"},
        {"KUN:KAID = 1 AND", "field or value expected"},
        {"1 = 1", "a comparison needs a field"},
        {"UPPER(KUN:KAID) = 1", "UPPER needs a text field"},
        {"KUN:KAID = UPPER('1')", "UPPER needs a text field"},
        {"UPPER(5) = KUN:KNAME", "UPPER takes a field or a quoted text"},
        {"KUN:KAID = 'abc'", "number expected"},
        {"KUN:RECH = '31.02.2024'", "date or day number expected"},
        {"KUN:RECH = '01.01.20245'", "date or day number expected"},
        {"KUN:RECH = '80041061685201842329.01.2024'", "date or day number expected"},
        {"KUN:KRAB = 1e999", "number expected"},
        {"KUN:KNAME = 'a'; DROP TABLE KUNDE", "unexpected character ';'"},
        {"KUN:KAID = 1 -- comment", "unexpected '-'"},
        {"KUN:KNAME = '\xff'", "not valid UTF-8"},
        {"KUN:KNAME = '\xc0\xaf'", "not valid UTF-8"},
        {std::string("KUN:KNAME = 'a\0b'", 17), "NUL"},
        {"KUN:KNAME = 'a' " + std::string(4990, ' '), "longer than 5000"},
        {std::string(65, '(') + "KUN:KAID = 1" + std::string(65, ')'), "nested more than 64"},
        {std::string(4000, '('), "nested more than 64"},
        {"NOT " + std::string(65, '(') + "KUN:KAID = 1", "nested more than 64"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.substr(0, 60));
        const FilterParseResult result = parseKunde(row.text);
        EXPECT_NE(result.error.find(row.error), std::string::npos) << result.error;
        EXPECT_TRUE(result.filter.empty());
        EXPECT_TRUE(result.filter.values.empty());
    }
}

TEST(ViewFilter, LimitsAreInclusive)
{
    const std::string deepest = std::string(64, '(') + "KUN:KAID = 1" + std::string(64, ')');
    EXPECT_TRUE(parseKunde(deepest).ok()) << parseKunde(deepest).error;
    const std::string quoted = "KUN:KNAME = '" + std::string(4986, 'x') + "'";
    ASSERT_EQ(quoted.size(), kMaxViewTextLength);
    EXPECT_TRUE(parseKunde(quoted).ok());
    EXPECT_FALSE(parseKunde(quoted + ' ').ok());
}

TEST(ViewOrder, OrderTextOfEveryKeyGivesItsKey)
{
    for (std::size_t f = 0; f < kFileCount; ++f) {
        const FileDef &file = fileDef(static_cast<FileId>(f));
        for (int k = 0; k < file.keyCount; ++k) {
            const KeyDef &key = file.keys[k];
            std::string text;
            bool anyText = false;
            for (int p = 0; p < key.partCount; ++p) {
                const int field = key.parts[p].field;
                const bool upper = key.noCase && file.fields[field].type == FieldType::String;
                anyText = anyText || upper;
                const std::string name = file.qualifiedFieldName(field);
                text += std::string(p > 0 ? "," : "") + (key.parts[p].descending ? "-" : "")
                        + (upper ? "UPPER(" + name + ")" : name);
            }
            SCOPED_TRACE(text);
            const OrderParseResult result = parseOrder(text, file);
            ASSERT_TRUE(result.ok()) << result.error;
            ASSERT_EQ(result.order.parts.size(), key.partCount);
            for (int p = 0; p < key.partCount; ++p) {
                EXPECT_EQ(result.order.parts[p].field, key.parts[p].field);
                EXPECT_EQ(result.order.parts[p].descending, key.parts[p].descending);
            }
            EXPECT_EQ(result.order.noCase, anyText);
        }
    }
}

TEST(ViewOrder, HandWrittenOrdersAndErrors)
{
    const FileDef &kunde = fileDef(FileId::kunde);
    const OrderParseResult mixed = parseOrder(" -upper( kun:kort ) , +KPLZ,KUN:KAID ", kunde);
    ASSERT_TRUE(mixed.ok()) << mixed.error;
    ASSERT_EQ(mixed.order.parts.size(), 3u);
    EXPECT_EQ(mixed.order.parts[0].field, KUN::KORT_no);
    EXPECT_TRUE(mixed.order.parts[0].descending);
    EXPECT_EQ(mixed.order.parts[1].field, KUN::KPLZ_no);
    EXPECT_FALSE(mixed.order.parts[1].descending);
    EXPECT_TRUE(mixed.order.noCase);

    const OrderParseResult blank = parseOrder("  ", kunde);
    EXPECT_TRUE(blank.ok());
    EXPECT_TRUE(blank.order.parts.empty());

    for (const char *text : {"KUN:NOPE",
                             "AUF:FKUID",
                             "KUN:KAID,",
                             ",KUN:KAID",
                             "KUN:KAID KUN:KID",
                             "UPPER(KUN:KAID)",
                             "UPPER(KUN:KNAME",
                             "--KUN:KNAME",
                             "KUN:KNAME DESC",
                             "'KNAME'",
                             "KUN:KNAME; DROP TABLE KUNDE"}) {
        const OrderParseResult result = parseOrder(text, kunde);
        EXPECT_FALSE(result.ok()) << text;
        EXPECT_TRUE(result.order.parts.empty()) << text;
    }
}

// A stand-in for the engine's case-ignoring collation: compares the upper-case forms.
int compareNoCase(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const std::string upperA = rt::upperUtf8({static_cast<const char *>(a), std::size_t(lengthA)});
    const std::string upperB = rt::upperUtf8({static_cast<const char *>(b), std::size_t(lengthB)});
    return upperA.compare(upperB);
}

class FilterOnSqlite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(":memory:", &m_db), SQLITE_OK);
        sqlite3_create_collation(m_db, kNoCaseCollation, SQLITE_UTF8, nullptr, compareNoCase);
        exec("CREATE TABLE KUNDE (KAID INTEGER, KNAME TEXT, KORT TEXT, KRAB REAL, RECH INTEGER)");
        exec(std::string("CREATE INDEX Keykname ON KUNDE (KNAME COLLATE ") + kNoCaseCollation
             + ")");
        exec("INSERT INTO KUNDE VALUES (1, 'Müller', 'Köln', 2.5, 80000),"
             " (2, 'MÜLLER', 'Bonn', 0, 0), (3, 'O''Brien', 'Köln', 10, 81600),"
             " (4, 'x''; DROP TABLE KUNDE; --', 'Aachen', 0, 0), (5, 'meier', 'köln', 5, 80500)");
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
        const std::string sql = std::string(select) + " FROM KUNDE WHERE "
                                + parsed.filter.expression + " ORDER BY KAID";
        sqlite3_stmt *stmt = nullptr;
        std::vector<std::string> rows;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
            return rows;
        }
        EXPECT_EQ(sqlite3_bind_parameter_count(stmt), int(parsed.filter.values.size()));
        for (std::size_t i = 0; i < parsed.filter.values.size(); ++i) {
            const int n = int(i + 1);
            const FieldValue &value = parsed.filter.values[i];
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
