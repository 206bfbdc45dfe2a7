#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Fixed-width texts of the record files: Windows-1252 bytes padded with blanks. The rest of
// the program speaks UTF-8; these functions convert at the edge.
namespace rt {

// UTF-8 to Windows-1252; a character that the code page cannot hold becomes '?'.
// Malformed UTF-8 bytes become '?' as well.
std::string toCp1252(std::string_view utf8);
std::string fromCp1252(std::string_view cp1252);
// Whether Windows-1252 has a byte for the character, so that a record can hold it.
bool cp1252Holds(char32_t character);

// Writes the text into a field of `width` bytes: cut when longer, padded with blanks.
void assignFixed(char *field, std::size_t width, std::string_view cp1252);

// The value of a fixed-width text: its content without trailing blanks.
std::string_view clip(std::string_view text);
// Without leading and trailing blanks ("blank after removing leading and trailing spaces").
std::string_view trimmed(std::string_view text);
bool isBlank(std::string_view text);
// Equality as the record files compare texts: trailing blanks do not count.
bool equalClipped(std::string_view a, std::string_view b);

// Upper case in Windows-1252 (ä → Ä, ÿ → Ÿ; ß stays) and in UTF-8.
std::string upperCp1252(std::string_view cp1252);
std::string upperUtf8(std::string_view utf8);

// Cuts a UTF-8 text to at most `chars` characters without splitting a character.
std::string leftChars(std::string_view utf8, std::size_t chars);

} // namespace rt
