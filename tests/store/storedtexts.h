#pragma once

#include <string>

// Texts on their way into a STRING(35) field (TRA:TBEZ) and what the record then holds.
struct TextCase
{
    const char *name;
    std::string written; // UTF-8, as set into the buffer
    std::string stored;  // what the file keeps and gives back
};

inline const TextCase kTexts[] = {
    {"umlauts", "Größe Übergabe äöüß", "Größe Übergabe äöüß"},
    {"euro sign", "Pauschale 5 €", "Pauschale 5 €"},
    {"trailing blanks", "Kurier   ", "Kurier"},
    {"leading blanks kept", "  eingerückt", "  eingerückt"},
    {"longer than the field",
     "Spedition mit Hebebühne und Anlieferung Samstag",
     "Spedition mit Hebebühne und Anliefe"},
    {"umlauts at the cut",
     "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜ",
     "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüß"},
    {"not in the code page", "Ω-Lieferung", "?-Lieferung"},
    {"empty", "", ""},
};
