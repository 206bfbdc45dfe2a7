// The view's filter and order texts: what the parsers make of them, and what they refuse.

#include "base/stddate.h"
#include "store/files.h"
#include "store/viewfilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Values = std::vector<FieldValue>;

FilterParseResult parseKunde(const std::string &text)
{
    return parseFilter(text, fileFieldResolver(fileDef(FileId::kunde)));
}

using Node = FilterTree::Node;
using Operand = FilterTree::Operand;

// The tree holds every comparison with its field on the left, UPPER where the text has it,
// the values in the field's kind and the parentheses where the text has them.
TEST(ViewFilter, TextsBecomeATreeWithBoundValues)
{
    const FilterParseResult turned = parseKunde("UPPER('k') < UPPER(KUN:KORT)");
    ASSERT_TRUE(turned.ok()) << turned.error;
    const Node &comparison = turned.filter.node(turned.filter.rootIndex());
    EXPECT_EQ(comparison.kind, Node::Kind::Comparison);
    EXPECT_EQ(comparison.op, FilterTree::Compare::Greater);
    EXPECT_EQ(comparison.left, (Operand{Operand::Kind::Field, true, KUN::KORT_no}));
    EXPECT_EQ(comparison.right, (Operand{Operand::Kind::Constant, true, 0}));
    EXPECT_EQ(turned.filter.constants(), Values{"k"});
    EXPECT_EQ(turned.filter.constant(comparison.right), FieldValue{"K"});

    const FilterParseResult grouped
        = parseKunde("KUN:KAID = 42 AND (KUN:KRAB > 2.5 OR NOT KUN:RECH = '29.02.2024')");
    ASSERT_TRUE(grouped.ok()) << grouped.error;
    const FilterTree &tree = grouped.filter;
    const Node &both = tree.node(tree.rootIndex());
    ASSERT_EQ(both.kind, Node::Kind::And);
    EXPECT_EQ(tree.node(both.first).kind, Node::Kind::Comparison);
    const Node &group = tree.node(both.second);
    ASSERT_EQ(group.kind, Node::Kind::Group);
    const Node &either = tree.node(group.first);
    ASSERT_EQ(either.kind, Node::Kind::Or);
    EXPECT_EQ(tree.node(either.second).kind, Node::Kind::Not);
    EXPECT_EQ(tree.constants(), (Values{42, 2.5, rt::dateFromYmd(2024, 2, 29)}));

    EXPECT_TRUE(parseKunde(" \t ").filter.empty());
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
        EXPECT_TRUE(result.filter.constants().empty());
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

} // namespace
