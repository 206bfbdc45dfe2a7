#include "store/viewtokens.h"

#include "store/viewfilter.h"

#include <charconv>

namespace viewtext {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool startsName(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool continuesName(char c)
{
    return startsName(c) || isDigit(c);
}

bool equalsKeyword(std::string_view word, std::string_view keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char c = word[i] >= 'a' && word[i] <= 'z' ? static_cast<char>(word[i] - 32) : word[i];
        if (c != keyword[i])
            return false;
    }
    return true;
}

std::size_t digitsAt(std::string_view text, std::size_t i)
{
    std::size_t n = 0;
    while (i + n < text.size() && isDigit(text[i + n]))
        ++n;
    return n;
}

// Length of the number written at text[i]; 0 when none starts there.
std::size_t numberAt(std::string_view text, std::size_t i)
{
    const std::size_t start = i;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t whole = digitsAt(text, i);
    if (whole == 0)
        return 0;
    i += whole;
    if (i < text.size() && text[i] == '.' && digitsAt(text, i + 1) > 0)
        i += 1 + digitsAt(text, i + 1);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (digitsAt(text, j) > 0)
            i = j + digitsAt(text, j);
    }
    return i - start;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool validUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const int extra = (lead & 0xE0) == 0xC0   ? 1
                          : (lead & 0xF0) == 0xE0 ? 2
                          : (lead & 0xF8) == 0xF0 ? 3
                                                  : 0;
        if (extra == 0)
            return false;
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        char32_t cp = lead & (0x3F >> extra);
        if (text.size() - i <= static_cast<std::size_t>(extra))
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += 1 + extra;
    }
    return true;
}

// A quoted text starting at text[i] (the opening quote); its end is after the closing quote.
bool quotedAt(std::string_view text, std::size_t &i, Token &token, std::string &error)
{
    const std::size_t start = i++;
    while (i < text.size()) {
        if (text[i] != '\'') {
            token.value += text[i++];
        } else if (i + 1 < text.size() && text[i + 1] == '\'') {
            token.value += '\'';
            i += 2;
        } else {
            ++i;
            if (!validUtf8(token.value)) {
                error = errorAt(start, "quoted text is not valid UTF-8");
                return false;
            }
            // The engine hands texts on as C strings, which would end at a NUL.
            if (token.value.find('\0') != std::string::npos) {
                error = errorAt(start, "quoted text holds a NUL character");
                return false;
            }
            token.kind = Tok::Text;
            token.text = text.substr(start, i - start);
            return true;
        }
    }
    error = errorAt(start, "quote not closed");
    return false;
}

} // namespace

std::string errorAt(std::size_t pos, const std::string &what)
{
    return what + " at " + std::to_string(pos + 1);
}

std::string describe(const Token &token)
{
    switch (token.kind) {
    case Tok::End:
        return "end of text";
    case Tok::Text:
        return "quoted text";
    case Tok::Name:
        return "name " + excerpt(token.text);
    case Tok::Number:
        return "number " + excerpt(token.text);
    default:
        return '\'' + std::string(token.text) + '\'';
    }
}

std::string excerpt(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    return std::string(text.substr(0, kShown)) + (text.size() > kShown ? "..." : "");
}

std::optional<Number> readNumber(std::string_view text)
{
    if (text.empty() || numberAt(text, 0) != text.size())
        return std::nullopt;
    Number number;
    const char *begin = text.data();
    const char *end = begin + text.size();
    if (text.find_first_of(".eE") == std::string_view::npos) {
        const auto [ptr, ec] = std::from_chars(begin, end, number.whole);
        number.integral = ec == std::errc() && ptr == end;
    }
    const auto [ptr, ec] = std::from_chars(begin, end, number.value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return number;
}

bool tokenize(std::string_view text, std::vector<Token> &tokens, std::string &error)
{
    tokens.clear();
    if (text.size() > kMaxViewTextLength) {
        error = "text longer than " + std::to_string(kMaxViewTextLength) + " characters";
        return false;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        Token token;
        token.pos = i;
        std::size_t length = 1;
        if (c == '\'') {
            if (!quotedAt(text, i, token, error))
                return false;
            tokens.push_back(std::move(token));
            continue;
        }
        if (const std::size_t n = numberAt(text, i); n > 0) {
            token.kind = Tok::Number;
            length = n;
        } else if (startsName(c)) {
            while (i + length < text.size() && continuesName(text[i + length]))
                ++length;
            const std::string_view word = text.substr(i, length);
            if (i + length + 1 < text.size() && text[i + length] == ':'
                && startsName(text[i + length + 1])) {
                length += 2;
                while (i + length < text.size() && continuesName(text[i + length]))
                    ++length;
            }
            token.kind = Tok::Name;
            if (length == word.size()) {
                for (const auto &[keyword, kind] : {std::pair{"AND", Tok::And},
                                                    std::pair{"OR", Tok::Or},
                                                    std::pair{"NOT", Tok::Not},
                                                    std::pair{"UPPER", Tok::Upper}}) {
                    if (equalsKeyword(word, keyword))
                        token.kind = kind;
                }
            }
        } else if (c == '<' || c == '>' || c == '=') {
            token.kind = Tok::Op;
            const char second = i + 1 < text.size() ? text[i + 1] : '\0';
            if ((c == '<' && (second == '=' || second == '>')) || (c == '>' && second == '='))
                length = 2;
        } else if (c == '(' || c == ')' || c == ',' || c == '-' || c == '+') {
            token.kind = c == '('   ? Tok::LParen
                         : c == ')' ? Tok::RParen
                         : c == ',' ? Tok::Comma
                         : c == '-' ? Tok::Minus
                                    : Tok::Plus;
        } else {
            const bool shown = c > ' ' && c < 0x7F;
            error = errorAt(i,
                            shown ? std::string("unexpected character '") + c + '\''
                                  : std::string("unexpected character"));
            return false;
        }
        token.text = text.substr(i, length);
        tokens.push_back(std::move(token));
        i += length;
    }
    Token end;
    end.pos = text.size();
    tokens.push_back(end);
    return true;
}

} // namespace viewtext
