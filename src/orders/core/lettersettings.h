#pragma once

#include "store/inimanager.h"

// Whether quotes and invoices print the shop's letterhead from its own data, for plain paper,
// or leave its room empty for paper with the letterhead printed on it (the default). Kept in
// the settings file as "[Belege] Briefkopf=1".
namespace orders {

inline constexpr std::string_view kDocumentsSection = "Belege";
inline constexpr std::string_view kLetterheadEntry = "Briefkopf";

inline bool letterheadPrinted(const IniManager &ini)
{
    return ini.Fetch(kDocumentsSection, kLetterheadEntry, "0") == "1";
}

inline void setLetterheadPrinted(IniManager &ini, bool printed)
{
    ini.Update(kDocumentsSection, kLetterheadEntry, printed ? "1" : "0");
}

} // namespace orders
