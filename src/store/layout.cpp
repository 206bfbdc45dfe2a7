#include "store/layout.h"

#include "store/files.h"

#include <cctype>

namespace {

#define TESSARO_FILE_DEF(NS, label, stored)                                                      \
    FileDef                                                                                      \
    {                                                                                            \
        NS::kFile, label, #NS, stored, NS::kRecordSize, NS::kFields, NS::kFieldCount, NS::kKeys, \
            static_cast<std::uint8_t>(std::size(NS::kKeys))                                      \
    }

#define TESSARO_FILE_DEF_LARGE(NS, label, stored)                                                \
    FileDef                                                                                      \
    {                                                                                            \
        NS::kFile, label, #NS, stored, NS::kRecordSize, NS::kFields, NS::kFieldCount, NS::kKeys, \
            static_cast<std::uint8_t>(std::size(NS::kKeys)), NS::kLargeNames,                    \
            static_cast<std::uint8_t>(std::size(NS::kLargeNames))                                \
    }

const FileDef kFiles[kFileCount] = {
    TESSARO_FILE_DEF(PAP, "papier", "PAPIER"),      TESSARO_FILE_DEF(MAS, "maschin", "MASCHIN"),
    TESSARO_FILE_DEF(ARB, "arbeit", "ARBEIT"),      TESSARO_FILE_DEF(KAD, "kaldruck", "KALDRUCK"),
    TESSARO_FILE_DEF(KUN, "kunde", "KUNDE"),        TESSARO_FILE_DEF(AUF, "auftrag", "AUFTRAG"),
    TESSARO_FILE_DEF(DRU, "drucktem", "DRUCKTEM"),  TESSARO_FILE_DEF(ANA, "anach", "ANACH"),
    TESSARO_FILE_DEF(ATR, "atran", "ATRAN"),        TESSARO_FILE_DEF(APA, "aufpap", "AUFPAP"),
    TESSARO_FILE_DEF(ASA, "asatz", "ASATZ"),        TESSARO_FILE_DEF(SAT, "satz", "SATZ"),
    TESSARO_FILE_DEF(TRA, "transport", "TRANSPOR"), TESSARO_FILE_DEF(LIE, "lieferant", "LIEFERAN"),
    TESSARO_FILE_DEF(TEX, "text", "TEXT"),          TESSARO_FILE_DEF(STA, "stamm", "STAMM"),
    TESSARO_FILE_DEF(FIR, "firma", "FIRMA"),        TESSARO_FILE_DEF(KER, "kundeer", "KUNDEER"),
    TESSARO_FILE_DEF_LARGE(BEL, "beleg", "BELEG"),  TESSARO_FILE_DEF(ZAH, "zahlung", "ZAHLUNG"),
    TESSARO_FILE_DEF(OPO, "posten", "POSTEN"),
};

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i]))
            != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// "PAP:PBEZ" → "PBEZ" when the prefix is this file's.
std::string_view withoutPrefix(std::string_view name, std::string_view prefix)
{
    const std::size_t colon = name.find(':');
    if (colon == std::string_view::npos)
        return name;
    if (!equalNoCase(name.substr(0, colon), prefix))
        return {};
    return name.substr(colon + 1);
}

} // namespace

const FileDef &fileDef(FileId id)
{
    return kFiles[static_cast<std::size_t>(id)];
}

const FileDef *findFile(std::string_view labelOrPrefix)
{
    for (const FileDef &def : kFiles) {
        if (equalNoCase(def.label, labelOrPrefix) || equalNoCase(def.prefix, labelOrPrefix))
            return &def;
    }
    return nullptr;
}

std::string FileDef::qualifiedFieldName(int field) const
{
    if (field < 0 || field >= fieldCount)
        return {};
    return std::string(prefix) + ':' + fields[field].name;
}

std::string FileDef::qualifiedKeyName(int key) const
{
    if (key < 0 || key >= keyCount)
        return {};
    return std::string(prefix) + ':' + keys[key].name;
}

int FileDef::fieldIndex(std::string_view name) const
{
    const std::string_view bare = withoutPrefix(name, prefix);
    for (int i = 0; i < fieldCount; ++i) {
        if (!bare.empty() && equalNoCase(fields[i].name, bare))
            return i;
    }
    return -1;
}

int FileDef::keyIndex(std::string_view name) const
{
    const std::string_view bare = withoutPrefix(name, prefix);
    for (int i = 0; i < keyCount; ++i) {
        if (!bare.empty() && equalNoCase(keys[i].name, bare))
            return i;
    }
    return -1;
}
