#include "store/filtertree.h"

#include "base/text.h"

#include <utility>

void FilterTree::clear()
{
    m_nodes.clear();
    m_constants.clear();
}

FieldValue FilterTree::constant(const Operand &operand) const
{
    const FieldValue &value = m_constants[operand.index];
    if (operand.upper) {
        if (const auto *text = std::get_if<std::string>(&value))
            return rt::upperUtf8(*text);
    }
    return value;
}

std::uint16_t FilterTree::addConstant(FieldValue value)
{
    m_constants.push_back(std::move(value));
    return static_cast<std::uint16_t>(m_constants.size() - 1);
}

std::int32_t FilterTree::addComparison(Operand field, Compare op, Operand right)
{
    Node node;
    node.kind = Node::Kind::Comparison;
    node.op = op;
    node.left = field;
    node.right = right;
    return add(node);
}

std::int32_t FilterTree::addJoin(Node::Kind andOr, std::int32_t left, std::int32_t right)
{
    Node node;
    node.kind = andOr;
    node.first = left;
    node.second = right;
    return add(node);
}

std::int32_t FilterTree::addEnclosing(Node::Kind notOrGroup, std::int32_t inner)
{
    Node node;
    node.kind = notOrGroup;
    node.first = inner;
    return add(node);
}

std::int32_t FilterTree::add(Node node)
{
    m_nodes.push_back(node);
    return rootIndex();
}

const char *sqlOperator(FilterTree::Compare op)
{
    using Compare = FilterTree::Compare;
    switch (op) {
    case Compare::Equal:
        return " = ";
    case Compare::NotEqual:
        return " <> ";
    case Compare::Less:
        return " < ";
    case Compare::Greater:
        return " > ";
    case Compare::LessEqual:
        return " <= ";
    case Compare::GreaterEqual:
        return " >= ";
    }
    return " = ";
}
