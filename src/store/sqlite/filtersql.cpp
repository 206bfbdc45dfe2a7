#include "store/sqlite/filtersql.h"

#include "store/foldedkey.h"
#include "store/sqlite/statements.h"

#include <vector>

namespace {

using Compare = FilterTree::Compare;
using Kind = FilterTree::Node::Kind;

class Renderer
{
public:
    Renderer(const FileDef &def, const FilterTree &tree, SqlFilter &out)
        : m_def(def)
        , m_tree(tree)
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
        if (noCase) {
            // Compared as the key compares it: folded like the column, whatever its case.
            const FieldValue &value = m_tree.constants()[n.right.index];
            const auto *text = std::get_if<std::string>(&value);
            m_out.values.push_back(text ? FieldValue(foldedkey::fold(*text)) : value);
        } else {
            m_out.values.push_back(m_tree.constant(n.right));
        }
        sql += '?';
    }

    std::string operand(int field, bool noCase) const
    {
        if (noCase && m_def.fields[field].type == FieldType::String)
            return enginesql::ignoringCase(m_def, field);
        return m_def.fields[field].name;
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
    SqlFilter &m_out;
};

} // namespace

SqlFilter renderFilter(const FileDef &def, const FilterTree &tree)
{
    SqlFilter filter;
    if (!tree.empty())
        Renderer(def, tree, filter).node(tree.rootIndex());
    return filter;
}
