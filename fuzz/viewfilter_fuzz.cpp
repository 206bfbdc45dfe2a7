// Feeds arbitrary bytes to the view filter and order parsers. Besides the sanitizers' own
// findings it stops on any accepted filter whose tree is not well formed, or whose SQL as the
// SQLite engine writes it is not safe, bindable SQL: every word of the expression must be a
// column (a field's or its folded one), a keyword or the fold function, every '?' must have
// its value, and the expression must prepare and run against tables as the engine makes them.

#include "base/text.h"
#include "store/foldedkey.h"
#include "store/layout.h"
#include "store/sqlite/filtersql.h"
#include "store/sqlite/foldfunctions.h"
#include "store/sqlite/statements.h"
#include "store/viewfilter.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

const FileId kFiles[] = {FileId::kunde, FileId::auftrag};

[[noreturn]] void broken(const std::string &what, std::string_view detail)
{
    std::fprintf(stderr,
                 "viewfilter_fuzz: %s: %.*s\n",
                 what.c_str(),
                 static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

// One in-memory database with a table of one row per fuzzed file, columns as the engine
// names them.
sqlite3 *database()
{
    static sqlite3 *db = [] {
        sqlite3 *opened = nullptr;
        if (sqlite3_open(":memory:", &opened) != SQLITE_OK)
            broken("sqlite3_open", sqlite3_errmsg(opened));
        foldfunctions::registerFold(opened);
        for (const FileId id : kFiles) {
            const FileDef &file = fileDef(id);
            const std::string create = enginesql::createTable(file);
            std::string insert = std::string("INSERT INTO ") + file.storedName + " (";
            std::string values = ") VALUES (";
            for (int f = 0; f < file.fieldCount; ++f) {
                const bool text = file.fields[f].type == FieldType::String;
                insert += std::string(f ? ", " : "") + file.fields[f].name;
                values += std::string(f ? ", " : "") + (text ? "'Müller'" : "0");
            }
            insert += values;
            for (const std::string &sql : {create, insert + ')'}) {
                if (sqlite3_exec(opened, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
                    broken("set-up", sqlite3_errmsg(opened));
            }
        }
        return opened;
    }();
    return db;
}

bool isWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

void checkWords(const FileDef &file, const SqlFilter &filter)
{
    const std::string &sql = filter.expression;
    std::size_t placeholders = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == ' ' || c == '(' || c == ')' || c == '=' || c == '<' || c == '>' || c == '"') {
            ++i;
            continue;
        }
        if (c == '?') {
            ++placeholders;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < sql.size() && isWordChar(sql[end]))
            ++end;
        const std::string_view word = std::string_view(sql).substr(i, end - i);
        const bool keyword
            = word == "AND" || word == "OR" || word == "NOT" || word == enginesql::kFoldFunction;
        bool column = false;
        for (int f = 0; f < file.fieldCount && !column && !word.empty(); ++f) {
            column = word == file.fields[f].name
                     || (foldedkey::isFolded(file, f)
                         && word == foldedkey::columnName(file.fields[f].name));
        }
        if (!keyword && !column)
            broken("foreign text in the expression", sql);
        i = end;
    }
    if (placeholders != filter.values.size())
        broken("placeholders and values differ", sql);
}

// Every node refers to nodes made before it, each node but the root is used exactly once,
// every comparison has a field of the file on its left, and every constant is used once.
void checkTree(const FileDef &file, const FilterTree &tree, std::string_view text)
{
    using Kind = FilterTree::Node::Kind;
    const std::int32_t count = tree.rootIndex() + 1;
    std::vector<int> usedNodes(static_cast<std::size_t>(count), 0);
    std::vector<int> usedConstants(tree.constants().size(), 0);
    auto use = [&](std::int32_t child, std::int32_t parent) {
        if (child < 0 || child >= parent)
            broken("a node refers to no earlier node", text);
        ++usedNodes[static_cast<std::size_t>(child)];
    };
    auto operand = [&](const FilterTree::Operand &o) {
        if (o.isField()) {
            if (o.index >= file.fieldCount)
                broken("an operand names no field of the file", text);
        } else if (o.index >= usedConstants.size()) {
            broken("an operand names no constant", text);
        } else {
            ++usedConstants[o.index];
        }
    };
    for (std::int32_t i = 0; i < count; ++i) {
        const FilterTree::Node &node = tree.node(i);
        switch (node.kind) {
        case Kind::Comparison:
            if (!node.left.isField())
                broken("a comparison without a field on its left", text);
            operand(node.left);
            operand(node.right);
            break;
        case Kind::And:
        case Kind::Or:
            use(node.first, i);
            use(node.second, i);
            break;
        case Kind::Not:
        case Kind::Group:
            use(node.first, i);
            break;
        }
    }
    for (std::int32_t i = 0; i < count; ++i) {
        if (usedNodes[static_cast<std::size_t>(i)] != (i == count - 1 ? 0 : 1))
            broken("the nodes do not form one tree", text);
    }
    for (const int uses : usedConstants) {
        if (uses != 1)
            broken("a constant is not used exactly once", text);
    }
}

void checkRuns(const FileDef &file, const SqlFilter &filter)
{
    sqlite3 *db = database();
    const std::string sql
        = std::string("SELECT count(*) FROM ") + file.storedName + " WHERE " + filter.expression;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        broken(std::string("does not prepare: ") + sqlite3_errmsg(db), sql);
    for (std::size_t i = 0; i < filter.values.size(); ++i) {
        const int n = static_cast<int>(i + 1);
        const FieldValue &value = filter.values[i];
        if (const auto *whole = std::get_if<std::int32_t>(&value)) {
            sqlite3_bind_int(stmt, n, *whole);
        } else if (const auto *real = std::get_if<double>(&value)) {
            sqlite3_bind_double(stmt, n, *real);
        } else {
            const std::string &text = std::get<std::string>(value);
            sqlite3_bind_text(
                stmt, n, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
    }
    if (sqlite3_step(stmt) != SQLITE_ROW)
        broken(std::string("does not run: ") + sqlite3_errmsg(db), sql);
    sqlite3_finalize(stmt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const FileId id : kFiles) {
        const FileDef &file = fileDef(id);
        const FilterParseResult filter = parseFilter(text, fileFieldResolver(file));
        if (filter.ok()) {
            checkTree(file, filter.filter, text);
            const SqlFilter sql = renderFilter(file, filter.filter);
            checkWords(file, sql);
            if (!sql.empty())
                checkRuns(file, sql);
        } else if (!filter.filter.empty() || !filter.filter.constants().empty()) {
            broken("a refused filter left a condition", filter.error);
        }

        const OrderParseResult order = parseOrder(text, file);
        if (!order.ok() && !order.order.parts.empty())
            broken("a refused order left parts", order.error);
        for (const KeyPart &part : order.order.parts) {
            if (part.field >= file.fieldCount)
                broken("order names no field of the file", text);
        }
    }
    return 0;
}
