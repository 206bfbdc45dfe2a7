#include "store/sqlfilter.h"

#include "store/foldedkey.h"

#include <cstdint>

namespace {

using Kind = FilterTree::Node::Kind;

class Renderer
{
public:
    Renderer(const FileDef &def, const FilterTree &tree, const SqlDialect &dialect, SqlFilter &out)
        : m_def(def)
        , m_tree(tree)
        , m_dialect(dialect)
        , m_out(out)
    {}

    void node(std::int32_t index)
    {
        const FilterTree::Node &n = m_tree.node(index);
        switch (n.kind) {
        case Kind::Comparison:
            comparison(n);
            break;
        case Kind::And:
        case Kind::Or:
            chain(index);
            break;
        case Kind::Not:
            m_out.expression += "NOT (";
            node(n.first);
            m_out.expression += ')';
            break;
        case Kind::Group:
            m_out.expression += '(';
            node(n.first);
            m_out.expression += ')';
            break;
        }
    }

private:
    void comparison(const FilterTree::Node &n)
    {
        std::string &sql = m_out.expression;
        const bool noCase = n.left.upper || (n.right.isField() && n.right.upper);
        sql += operand(n.left.index, noCase);
        sql += sqlOperator(n.op);
        if (n.right.isField()) {
            sql += operand(n.right.index, noCase);
            return;
        }
        const FieldValue &value = m_tree.constants()[n.right.index];
        const auto *text = std::get_if<std::string>(&value);
        // Compared as the key compares it: folded like the column, whatever its case.
        if (noCase && text)
            m_out.values.emplace_back(foldedkey::fold(*text));
        else
            m_out.values.push_back(m_tree.constant(n.right));
        sql += m_dialect.placeholder(static_cast<int>(m_out.values.size()));
    }

    std::string operand(int field, bool noCase) const
    {
        if (noCase && m_def.fields[field].type == FieldType::String)
            return m_dialect.foldedField(m_def, field);
        return m_dialect.field(m_def, field);
    }

    // A run of ANDs (or ORs) one after another, as the parser makes it (each one's left
    // side the run so far), is written in one go rather than one level deeper per operand.
    void chain(std::int32_t index)
    {
        const Kind kind = m_tree.node(index).kind;
        std::vector<std::int32_t> operands;
        std::int32_t at = index;
        while (m_tree.node(at).kind == kind) {
            operands.push_back(m_tree.node(at).second);
            at = m_tree.node(at).first;
        }
        operands.push_back(at);
        for (auto it = operands.rbegin(); it != operands.rend(); ++it) {
            if (it != operands.rbegin())
                m_out.expression += kind == Kind::And ? " AND " : " OR ";
            // AND binds more closely than OR: an OR inside an AND keeps its own parentheses.
            const bool enclose = kind == Kind::And && m_tree.node(*it).kind == Kind::Or;
            if (enclose)
                m_out.expression += '(';
            node(*it);
            if (enclose)
                m_out.expression += ')';
        }
    }

    const FileDef &m_def;
    const FilterTree &m_tree;
    const SqlDialect &m_dialect;
    SqlFilter &m_out;
};

} // namespace

SqlFilter renderSqlFilter(const FileDef &def, const FilterTree &tree, const SqlDialect &dialect)
{
    SqlFilter filter;
    if (!tree.empty())
        Renderer(def, tree, dialect, filter).node(tree.rootIndex());
    return filter;
}

std::string keysetBound(const FileDef &def,
                        const KeySpec &order,
                        bool forward,
                        int firstParam,
                        std::string inner,
                        SqlKeyColumn keyColumn,
                        SqlPlaceholder placeholder)
{
    for (int i = static_cast<int>(order.parts.size()) - 1; i >= 0; --i) {
        const KeyPart &part = order.parts[static_cast<std::size_t>(i)];
        const bool up = forward != part.descending;
        const std::string column = keyColumn(def, part, order.noCase);
        const std::string value = placeholder(firstParam + i);
        inner = column + (up ? " >= " : " <= ") + value + " AND (" + column + (up ? " > " : " < ")
                + value + " OR " + inner + ')';
    }
    return inner;
}

std::string
keysetOrderBy(const FileDef &def, const KeySpec &order, bool forward, SqlKeyColumn keyColumn)
{
    std::string orderBy;
    for (const KeyPart &part : order.parts) {
        const bool up = forward != part.descending;
        orderBy += keyColumn(def, part, order.noCase) + (up ? " ASC, " : " DESC, ");
    }
    return orderBy;
}

std::string quoteSqlIdentifier(std::string_view identifier)
{
    std::string quoted = "\"";
    for (const char c : identifier) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}
