#include "keyfold.h"

#include "base/text.h"

namespace keyfold {
namespace {

char baseLetter(unsigned char upper)
{
    switch (upper) {
    case 0x8A: // Š
        return 'S';
    case 0x8C: // Œ
        return 'O';
    case 0x8E: // Ž
        return 'Z';
    case 0x9F: // Ÿ
        return 'Y';
    case 0xC7: // Ç
        return 'C';
    case 0xD0: // Ð
        return 'D';
    case 0xD1: // Ñ
        return 'N';
    case 0xD8: // Ø
        return 'O';
    case 0xDD: // Ý
        return 'Y';
    case 0xDF: // ß has no capital in the code page; it sorts with S
        return 'S';
    default:
        break;
    }
    if (upper >= 0xC0 && upper <= 0xC6) // À … Å, Æ
        return 'A';
    if (upper >= 0xC8 && upper <= 0xCB)
        return 'E';
    if (upper >= 0xCC && upper <= 0xCF)
        return 'I';
    if (upper >= 0xD2 && upper <= 0xD6)
        return 'O';
    if (upper >= 0xD9 && upper <= 0xDC)
        return 'U';
    return static_cast<char>(upper);
}

} // namespace

std::string foldNoCase(std::string_view cp1252)
{
    std::string out = rt::upperCp1252(cp1252);
    for (char &c : out)
        c = baseLetter(static_cast<unsigned char>(c));
    return out;
}

} // namespace keyfold
