#pragma once

#include <string>
#include <string_view>

// Keys that ignore letter case (names, places, postcodes) sort a text as if it were written in
// capitals with every accented letter on its base letter: "Ärger" between "Apfel" and "Axt".
// Anything that measures where a value lies in such a key has to fold it the same way first.
namespace keyfold {

// Windows-1252 in, Windows-1252 out, byte for byte: ä/Ä → A, é → E, ß → S, ñ → N.
std::string foldNoCase(std::string_view cp1252);

} // namespace keyfold
