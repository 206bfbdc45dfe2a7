#pragma once

#include "store/layout.h"

// File `arbeit`: Catalogue of additional work (cutting and the like) with price, unit, factor and
// time. Stored as ARBEIT; 89 bytes a record.

#define TESSARO_ARBEIT_FIELDS(X) \
    X(AAID, Long, 4)             \
    X(AID, String, 14)           \
    X(ABEZ, String, 35)          \
    X(APR, Real, 8)              \
    X(AEINH, String, 12)         \
    X(AFAKT, Real, 8)            \
    X(AZEIT, Real, 8)

namespace ARB {

inline constexpr FileId kFile = FileId::arbeit;
TESSARO_DECLARE_FIELDS(TESSARO_ARBEIT_FIELDS)
static_assert(kRecordSize == 89);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyabez", {KeyPart{ABEZ_no}}, 1, true, false, false},
    KeyDef{"Keyaaid", {KeyPart{AAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keyabez{kFile, 0};
inline constexpr KeyRef Keyaaid{kFile, 1};

} // namespace ARB
