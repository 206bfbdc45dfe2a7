#include "store/viewfilter.h"

#include "base/stddate.h"
#include "base/text.h"
#include "store/viewtokens.h"

#include <limits>
#include <utility>

using viewtext::Tok;
using viewtext::Token;

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "dd.mm.yyyy" as a day number; 0 when the text has another form or names no day.
rt::StdDate strictDate(std::string_view text)
{
    int parts[3] = {0, 0, 0};
    std::size_t i = 0;
    for (int p = 0; p < 3; ++p) {
        const std::size_t begin = i;
        while (i < text.size() && isDigit(text[i]) && i - begin < 4)
            parts[p] = parts[p] * 10 + (text[i++] - '0');
        const std::size_t digits = i - begin;
        if (p < 2 ? (digits < 1 || digits > 2 || i >= text.size() || text[i++] != '.')
                  : (digits != 4 || i != text.size()))
            return 0;
    }
    return rt::dateFromYmd(parts[2], parts[1], parts[0]);
}

struct Operand
{
    std::size_t pos = 0;
    bool upper = false;
    std::optional<FilterField> field;
    const Token *literal = nullptr;
};

using Compare = FilterTree::Compare;
using NodeKind = FilterTree::Node::Kind;

Compare comparisonOf(std::string_view op)
{
    if (op == "<>")
        return Compare::NotEqual;
    if (op == "<")
        return Compare::Less;
    if (op == ">")
        return Compare::Greater;
    if (op == "<=")
        return Compare::LessEqual;
    if (op == ">=")
        return Compare::GreaterEqual;
    return Compare::Equal;
}

// The comparison seen from the other side: a < b is b > a.
Compare flipped(Compare op)
{
    switch (op) {
    case Compare::Less:
        return Compare::Greater;
    case Compare::Greater:
        return Compare::Less;
    case Compare::LessEqual:
        return Compare::GreaterEqual;
    case Compare::GreaterEqual:
        return Compare::LessEqual;
    default:
        return op;
    }
}

class FilterParser
{
public:
    FilterParser(const std::vector<Token> &tokens,
                 const FilterFieldResolver &resolver,
                 FilterTree &tree)
        : m_tokens(tokens)
        , m_resolver(resolver)
        , m_tree(tree)
    {}

    bool parse()
    {
        std::int32_t root = -1;
        if (!parseOr(0, root))
            return false;
        if (peek().kind != Tok::End)
            return unexpected(peek());
        return true;
    }

    const std::string &error() const { return m_error; }

private:
    const Token &peek() const { return m_tokens[m_next]; }
    const Token &take()
    {
        const Token &token = m_tokens[m_next];
        if (token.kind != Tok::End)
            ++m_next;
        return token;
    }
    bool accept(Tok kind)
    {
        if (peek().kind != kind)
            return false;
        ++m_next;
        return true;
    }

    bool fail(std::size_t pos, const std::string &what)
    {
        m_error = viewtext::errorAt(pos, what);
        return false;
    }
    bool unexpected(const Token &token)
    {
        return fail(token.pos, "unexpected " + viewtext::describe(token));
    }

    bool parseOr(int depth, std::int32_t &out)
    {
        if (!parseAnd(depth, out))
            return false;
        while (accept(Tok::Or)) {
            std::int32_t right = -1;
            if (!parseAnd(depth, right))
                return false;
            out = m_tree.addJoin(NodeKind::Or, out, right);
        }
        return true;
    }

    bool parseAnd(int depth, std::int32_t &out)
    {
        if (!parseUnary(depth, out))
            return false;
        while (accept(Tok::And)) {
            std::int32_t right = -1;
            if (!parseUnary(depth, right))
                return false;
            out = m_tree.addJoin(NodeKind::And, out, right);
        }
        return true;
    }

    bool parseUnary(int depth, std::int32_t &out)
    {
        const Token &token = peek();
        if (token.kind != Tok::Not && token.kind != Tok::LParen)
            return parseComparison(out);
        if (depth >= kMaxViewNesting)
            return fail(token.pos, "nested more than " + std::to_string(kMaxViewNesting) + " deep");
        ++m_next;
        std::int32_t inner = -1;
        const bool ok
            = token.kind == Tok::Not ? parseUnary(depth + 1, inner) : parseOr(depth + 1, inner);
        if (!ok)
            return false;
        if (token.kind == Tok::LParen && !accept(Tok::RParen))
            return fail(peek().pos, "')' expected for the '(' at " + std::to_string(token.pos + 1));
        out = m_tree.addEnclosing(token.kind == Tok::Not ? NodeKind::Not : NodeKind::Group, inner);
        return true;
    }

    bool parseOperand(Operand &operand)
    {
        operand.pos = peek().pos;
        if (accept(Tok::Upper)) {
            operand.upper = true;
            if (!accept(Tok::LParen))
                return fail(peek().pos, "'(' expected after UPPER");
            if (peek().kind != Tok::Name && peek().kind != Tok::Text)
                return fail(peek().pos, "UPPER takes a field or a quoted text");
        }
        const Token &token = take();
        if (token.kind == Tok::Name) {
            operand.field = m_resolver ? m_resolver(token.text) : std::nullopt;
            if (!operand.field)
                return fail(token.pos, "unknown field " + viewtext::excerpt(token.text));
            if (operand.upper && operand.field->type != FieldType::String)
                return fail(token.pos, "UPPER needs a text field");
        } else if (token.kind == Tok::Text || token.kind == Tok::Number) {
            operand.literal = &token;
        } else {
            return fail(token.pos, "field or value expected, not " + viewtext::describe(token));
        }
        if (operand.upper && !accept(Tok::RParen))
            return fail(peek().pos, "')' expected after UPPER(");
        return true;
    }

    bool parseComparison(std::int32_t &out)
    {
        Operand left;
        Operand right;
        if (!parseOperand(left))
            return false;
        const Token &op = peek();
        if (op.kind != Tok::Op)
            return fail(op.pos, "comparison operator expected, not " + viewtext::describe(op));
        ++m_next;
        if (!parseOperand(right))
            return false;
        Compare comparison = comparisonOf(op.text);
        if (!left.field && !right.field)
            return fail(left.pos, "a comparison needs a field");
        if (!left.field) {
            std::swap(left, right);
            comparison = flipped(comparison);
        }
        using Kind = FilterTree::Operand::Kind;
        const FilterTree::Operand field{Kind::Field, left.upper, left.field->index};
        if (right.field) {
            out = m_tree.addComparison(
                field, comparison, {Kind::Field, right.upper, right.field->index});
            return true;
        }
        FieldValue value;
        if (!valueOf(*left.field, right, value))
            return false;
        const std::uint16_t constant = m_tree.addConstant(std::move(value));
        out = m_tree.addComparison(field, comparison, {Kind::Constant, right.upper, constant});
        return true;
    }

    // The literal as a value of the field's kind.
    bool valueOf(const FilterField &field, const Operand &lit, FieldValue &out)
    {
        const Token &token = *lit.literal;
        if (field.type == FieldType::String) {
            out = std::string(token.kind == Tok::Text ? rt::clip(token.value) : token.text);
            return true;
        }
        if (lit.upper)
            return fail(lit.pos, "UPPER needs a text field");
        std::string_view number = token.kind == Tok::Text ? rt::trimmed(token.value) : token.text;
        if (field.type == FieldType::Date && token.kind == Tok::Text) {
            if (number.empty()) {
                out = std::int32_t{0};
                return true;
            }
            if (const rt::StdDate date = strictDate(number); date != 0) {
                out = date;
                return true;
            }
        }
        const std::optional<viewtext::Number> parsed = viewtext::readNumber(number);
        if (!parsed)
            return fail(lit.pos,
                        field.type == FieldType::Date ? "date or day number expected"
                                                      : "number expected");
        const bool whole = field.type == FieldType::Long || field.type == FieldType::Date;
        if (whole && parsed->integral && parsed->whole >= std::numeric_limits<std::int32_t>::min()
            && parsed->whole <= std::numeric_limits<std::int32_t>::max())
            out = static_cast<std::int32_t>(parsed->whole);
        else
            out = parsed->value;
        return true;
    }

    const std::vector<Token> &m_tokens;
    const FilterFieldResolver &m_resolver;
    FilterTree &m_tree;
    std::size_t m_next = 0;
    std::string m_error;
};

} // namespace

FilterFieldResolver fileFieldResolver(const FileDef &file)
{
    return [&file](std::string_view name) -> std::optional<FilterField> {
        const int index = file.fieldIndex(name);
        if (index < 0)
            return std::nullopt;
        return FilterField{static_cast<std::uint16_t>(index), file.fields[index].type};
    };
}

FilterParseResult parseFilter(std::string_view text, const FilterFieldResolver &resolver)
{
    FilterParseResult result;
    std::vector<Token> tokens;
    if (!viewtext::tokenize(text, tokens, result.error))
        return result;
    if (tokens.size() == 1) // only the end: a blank text filters nothing
        return result;
    FilterParser parser(tokens, resolver, result.filter);
    if (!parser.parse()) {
        result.error = parser.error();
        result.filter.clear();
    }
    return result;
}

OrderParseResult parseOrder(std::string_view text, const FileDef &file)
{
    OrderParseResult result;
    std::vector<Token> tokens;
    if (!viewtext::tokenize(text, tokens, result.error))
        return result;
    std::size_t next = 0;
    auto fail = [&](const Token &token, const std::string &what) {
        result.error = viewtext::errorAt(token.pos, what);
        result.order = {};
        return result;
    };
    while (tokens[next].kind != Tok::End) {
        KeyPart part;
        if (tokens[next].kind == Tok::Minus || tokens[next].kind == Tok::Plus)
            part.descending = tokens[next++].kind == Tok::Minus;
        const bool upper = tokens[next].kind == Tok::Upper;
        if (upper && tokens[++next].kind != Tok::LParen)
            return fail(tokens[next], "'(' expected after UPPER");
        next += upper ? 1 : 0;
        const Token &name = tokens[next];
        if (name.kind != Tok::Name)
            return fail(name, "field expected, not " + viewtext::describe(name));
        const int field = file.fieldIndex(name.text);
        if (field < 0)
            return fail(name, "unknown field " + viewtext::excerpt(name.text));
        if (upper && file.fields[field].type != FieldType::String)
            return fail(name, "UPPER needs a text field");
        ++next;
        if (upper && tokens[next++].kind != Tok::RParen)
            return fail(tokens[next - 1], "')' expected after UPPER(");
        part.field = static_cast<std::uint16_t>(field);
        result.order.parts.push_back(part);
        result.order.noCase = result.order.noCase || upper;
        if (tokens[next].kind == Tok::End)
            break;
        if (tokens[next].kind != Tok::Comma)
            return fail(tokens[next], "',' expected, not " + viewtext::describe(tokens[next]));
        if (tokens[++next].kind == Tok::End)
            return fail(tokens[next], "field expected after ','");
    }
    return result;
}
