#include "store/viewfilter.h"

#include "base/stddate.h"
#include "base/text.h"
#include "store/collation.h"
#include "store/viewtokens.h"

#include <limits>
#include <utility>

using viewtext::Tok;
using viewtext::Token;

namespace {

bool isIdentifier(std::string_view name)
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

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
    std::optional<FilterColumn> field;
    const Token *literal = nullptr;
};

std::string flipped(std::string_view op)
{
    if (op == "<")
        return ">";
    if (op == ">")
        return "<";
    if (op == "<=")
        return ">=";
    if (op == ">=")
        return "<=";
    return std::string(op);
}

class FilterParser
{
public:
    FilterParser(const std::vector<Token> &tokens, const FilterFieldResolver &resolver)
        : m_tokens(tokens)
        , m_resolver(resolver)
    {}

    bool parse(std::string &expression)
    {
        if (!parseOr(0, expression))
            return false;
        if (peek().kind != Tok::End)
            return unexpected(peek());
        return true;
    }

    std::vector<FieldValue> takeValues() { return std::move(m_values); }
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

    bool parseOr(int depth, std::string &out)
    {
        if (!parseAnd(depth, out))
            return false;
        while (accept(Tok::Or)) {
            out += " OR ";
            if (!parseAnd(depth, out))
                return false;
        }
        return true;
    }

    bool parseAnd(int depth, std::string &out)
    {
        if (!parseUnary(depth, out))
            return false;
        while (accept(Tok::And)) {
            out += " AND ";
            if (!parseUnary(depth, out))
                return false;
        }
        return true;
    }

    bool parseUnary(int depth, std::string &out)
    {
        const Token &token = peek();
        if (token.kind != Tok::Not && token.kind != Tok::LParen)
            return parseComparison(out);
        if (depth >= kMaxViewNesting)
            return fail(token.pos, "nested more than " + std::to_string(kMaxViewNesting) + " deep");
        ++m_next;
        out += token.kind == Tok::Not ? "NOT (" : "(";
        const bool ok
            = token.kind == Tok::Not ? parseUnary(depth + 1, out) : parseOr(depth + 1, out);
        if (!ok)
            return false;
        if (token.kind == Tok::LParen && !accept(Tok::RParen))
            return fail(peek().pos, "')' expected for the '(' at " + std::to_string(token.pos + 1));
        out += ')';
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
            if (!isIdentifier(operand.field->column))
                return fail(token.pos, "field " + viewtext::excerpt(token.text) + " has no column");
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

    bool parseComparison(std::string &out)
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
        std::string opText(op.text);
        if (!left.field && !right.field)
            return fail(left.pos, "a comparison needs a field");
        if (!left.field) {
            std::swap(left, right);
            opText = flipped(opText);
        }
        out += left.field->column;
        if (left.upper || (right.field && right.upper))
            out += std::string(" COLLATE ") + kNoCaseCollation;
        out += ' ' + opText + ' ';
        if (right.field) {
            out += right.field->column;
            return true;
        }
        FieldValue value;
        if (!bindable(*left.field, left.upper, right, value))
            return false;
        m_values.push_back(std::move(value));
        out += '?';
        return true;
    }

    // The literal as the field's column holds values of its kind.
    bool bindable(const FilterColumn &field, bool fieldUpper, const Operand &lit, FieldValue &out)
    {
        const Token &token = *lit.literal;
        if (field.type == FieldType::String) {
            std::string text(token.kind == Tok::Text ? rt::clip(token.value) : token.text);
            // With UPPER on the field the collation ignores case already.
            out = lit.upper && !fieldUpper ? rt::upperUtf8(text) : std::move(text);
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
    std::size_t m_next = 0;
    std::vector<FieldValue> m_values;
    std::string m_error;
};

} // namespace

FilterFieldResolver fileFieldResolver(const FileDef &file)
{
    return [&file](std::string_view name) -> std::optional<FilterColumn> {
        const int index = file.fieldIndex(name);
        if (index < 0)
            return std::nullopt;
        return FilterColumn{file.fields[index].name, file.fields[index].type};
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
    FilterParser parser(tokens, resolver);
    std::string expression;
    if (!parser.parse(expression)) {
        result.error = parser.error();
        return result;
    }
    result.filter.expression = std::move(expression);
    result.filter.values = parser.takeValues();
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
