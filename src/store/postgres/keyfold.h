#pragma once

#include <string>
#include <string_view>

// The value a text takes in a key that ignores case, as bytes whose plain order (COLLATE "C")
// is the order of such keys: German style, an umlaut with its base letter (ä as a, ß as ss,
// æ as ae), case not counting, texts equal in that respect told apart by their accents
// ("Muller" before "Müller"). First the base letters, then a separator below every letter,
// then the letters in lower case with their accents; trailing blanks do not count.
namespace keyfold {

std::string fold(std::string_view utf8);

} // namespace keyfold
