#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The tokens of view filter and order texts (store/viewfilter.h), shared by both parsers.
namespace viewtext {

enum class Tok : std::uint8_t {
    End,
    Name,   // KUN:KNAME or KNAME
    Text,   // 'O''Brien'; value holds O'Brien
    Number, // -12, 3.75, 1e6
    Op,     // = <> < > <= >=
    LParen,
    RParen,
    Comma,
    Minus, // only where no digit follows: "-AUF:FDATUM"
    Plus,
    And,
    Or,
    Not,
    Upper,
};

struct Token
{
    Tok kind = Tok::End;
    std::size_t pos = 0;   // byte offset in the text
    std::string_view text; // as written
    std::string value;     // a Text's content without quotes, its '' made single
};

// The tokens of a text, always ending with one End token; false (and an error text) for a
// text longer than kMaxViewTextLength, an unterminated quote, a NUL byte, malformed UTF-8
// inside quotes or a character that belongs to no token.
bool tokenize(std::string_view text, std::vector<Token> &tokens, std::string &error);

// "unexpected ')' at 17": positions count characters from 1.
std::string errorAt(std::size_t pos, const std::string &what);
std::string describe(const Token &token);
// The start of a name or number as error texts show it: at most 40 characters.
std::string excerpt(std::string_view text);

struct Number
{
    bool integral = false;
    std::int64_t whole = 0; // when integral and within 64 bits
    double value = 0;
};

// A whole text in the form of a Number token; nullopt for any other text or a value beyond
// the range of a double.
std::optional<Number> readNumber(std::string_view text);

} // namespace viewtext
