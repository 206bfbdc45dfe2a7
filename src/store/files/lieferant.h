#pragma once

#include "store/layout.h"

// File `lieferant`: Suppliers.
// Stored as LIEFERAN; 395 bytes a record.

#define TESSARO_LIEFERANT_FIELDS(X) \
    X(LIAD, Long, 4)                \
    X(LIIAD, String, 14)            \
    X(LINAME, String, 45)           \
    X(LIZHD, String, 45)            \
    X(LISTR, String, 45)            \
    X(LIFAX, String, 20)            \
    X(LIPLZ, String, 7)             \
    X(LIORT, String, 45)            \
    X(LITEL, String, 20)            \
    X(LIFUNK, String, 20)           \
    X(LIEMAIL, String, 70)          \
    X(LIHTTP, String, 60)

namespace LIE {

inline constexpr FileId kFile = FileId::lieferant;
TESSARO_DECLARE_FIELDS(TESSARO_LIEFERANT_FIELDS)
static_assert(kRecordSize == 395);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyliad", {KeyPart{LIAD_no}}, 1, true, true, false},
    KeyDef{"Keyliname", {KeyPart{LINAME_no}}, 1, false, false, true},
    KeyDef{"Keyliplz", {KeyPart{LIPLZ_no}, KeyPart{LIORT_no}}, 2, false, false, true},
    KeyDef{"Keyliort", {KeyPart{LIORT_no}, KeyPart{LISTR_no}}, 2, false, false, true},
};
inline constexpr KeyRef Keyliad{kFile, 0};
inline constexpr KeyRef Keyliname{kFile, 1};
inline constexpr KeyRef Keyliplz{kFile, 2};
inline constexpr KeyRef Keyliort{kFile, 3};

} // namespace LIE
