#pragma once

#include "store/layout.h"

// File `kunde`: Customers with invoice address, delivery address and contact person.
// Stored as KUNDE; 788 bytes a record.

#define TESSARO_KUNDE_FIELDS(X) \
    X(KAID, Long, 4)            \
    X(KID, String, 14)          \
    X(KNAME, String, 45)        \
    X(KZHAND, String, 45)       \
    X(KSTR, String, 45)         \
    X(KPLZ, String, 7)          \
    X(KORT, String, 45)         \
    X(KRAB, Decimal, 3)         \
    X(KTEL, String, 20)         \
    X(KFAX, String, 20)         \
    X(KFUNK, String, 20)        \
    X(KEMAIL, String, 70)       \
    X(KHTTP, String, 60)        \
    X(LNAME, String, 45)        \
    X(LZHAND, String, 45)       \
    X(LSTR, String, 45)         \
    X(LPLZ, String, 7)          \
    X(LORT, String, 45)         \
    X(KPERS1, String, 45)       \
    X(KPTEL, String, 20)        \
    X(KPFUNK, String, 20)       \
    X(KPFAX, String, 20)        \
    X(KPEMAIL, String, 70)      \
    X(KPGEB, Date, 4)           \
    X(RECH, Date, 4)            \
    X(REUMSATZ, Real, 8)        \
    X(ANGEBOT, Date, 4)         \
    X(ANUMSATZ, Real, 8)

namespace KUN {

inline constexpr FileId kFile = FileId::kunde;
TESSARO_DECLARE_FIELDS(TESSARO_KUNDE_FIELDS)
static_assert(kRecordSize == 788);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyid", {KeyPart{KID_no}}, 1, false, false, false},
    KeyDef{"Keykaid", {KeyPart{KAID_no}}, 1, true, true, false},
    KeyDef{"Keykname", {KeyPart{KNAME_no}}, 1, false, false, true},
    KeyDef{"Keykort", {KeyPart{KORT_no}, KeyPart{KPLZ_no}}, 2, false, false, true},
    KeyDef{"Keykplz", {KeyPart{KPLZ_no}, KeyPart{KORT_no}}, 2, false, false, true},
};
inline constexpr KeyRef Keyid{kFile, 0};
inline constexpr KeyRef Keykaid{kFile, 1};
inline constexpr KeyRef Keykname{kFile, 2};
inline constexpr KeyRef Keykort{kFile, 3};
inline constexpr KeyRef Keykplz{kFile, 4};

} // namespace KUN
