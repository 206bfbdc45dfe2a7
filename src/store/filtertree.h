#pragma once

#include "store/recordbuffer.h"

#include <cstdint>
#include <vector>

// A condition on the fields of one record file, as a tree: comparisons of a field with a
// constant or another field, joined by AND and OR, negated by NOT, grouped by parentheses,
// with UPPER around an operand. The constants are values to bind, never text to splice into
// a query: each engine renders the tree in its own query language.
//
// UPPER around a field makes the comparison ignore letter case as the keys that ignore case
// order texts (an umlaut with its base letter); UPPER around a constant stands for the
// constant in capitals (constant()). Texts are UTF-8 without trailing blanks, as records
// hold them; a value has the kind of the field it is compared with.
class FilterTree
{
public:
    enum class Compare : std::uint8_t { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

    struct Operand
    {
        enum class Kind : std::uint8_t { Field, Constant };
        Kind kind = Kind::Field;
        bool upper = false;      // inside UPPER(...)
        std::uint16_t index = 0; // the field's number in the file, or the constant's number

        bool isField() const { return kind == Kind::Field; }
        bool operator==(const Operand &) const = default;
    };

    // Nodes refer to nodes made before them; the last one made is the root.
    struct Node
    {
        enum class Kind : std::uint8_t { Comparison, And, Or, Not, Group };
        Kind kind = Kind::Comparison;
        Compare op = Compare::Equal; // Comparison
        Operand left;                // Comparison: always a field
        Operand right;               // Comparison
        std::int32_t first = -1;     // And, Or: the left side; Not, Group: what they enclose
        std::int32_t second = -1;    // And, Or: the right side

        bool operator==(const Node &) const = default;
    };

    // No condition: every record passes.
    bool empty() const { return m_nodes.empty(); }
    void clear();

    std::int32_t rootIndex() const { return static_cast<std::int32_t>(m_nodes.size()) - 1; }
    const Node &node(std::int32_t index) const { return m_nodes[static_cast<std::size_t>(index)]; }
    const std::vector<FieldValue> &constants() const { return m_constants; }
    // A constant operand's value, in capitals when it stands inside UPPER.
    FieldValue constant(const Operand &operand) const;

    // Building, children first; each returns the new node's (or constant's) number.
    std::uint16_t addConstant(FieldValue value);
    std::int32_t addComparison(Operand field, Compare op, Operand right);
    std::int32_t addJoin(Node::Kind andOr, std::int32_t left, std::int32_t right);
    std::int32_t addEnclosing(Node::Kind notOrGroup, std::int32_t inner);

    bool operator==(const FilterTree &) const = default;

private:
    std::int32_t add(Node node);

    std::vector<Node> m_nodes;
    std::vector<FieldValue> m_constants;
};

// A comparison as SQL writes it, with a blank either side; the same for every engine.
const char *sqlOperator(FilterTree::Compare op);
