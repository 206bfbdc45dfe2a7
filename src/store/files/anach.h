#pragma once

#include "store/layout.h"

// File `anach`: Additional-work lines of an order.
// Stored as ANACH; 111 bytes a record.

#define TESSARO_ANACH_FIELDS(X) \
    X(ANAID, Long, 4)           \
    X(ANID, String, 14)         \
    X(ANIDAUF, String, 14)      \
    X(ANBEZ, String, 35)        \
    X(ANPR, Real, 8)            \
    X(ANEIN, String, 12)        \
    X(ANANZ, Real, 8)           \
    X(ANFAK, Real, 8)           \
    X(ANGPR, Real, 8)

namespace ANA {

inline constexpr FileId kFile = FileId::anach;
TESSARO_DECLARE_FIELDS(TESSARO_ANACH_FIELDS)
static_assert(kRecordSize == 111);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keydidauf", {KeyPart{ANIDAUF_no}}, 1, false, false, false},
    KeyDef{"Keydaid", {KeyPart{ANAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keydidauf{kFile, 0};
inline constexpr KeyRef Keydaid{kFile, 1};

} // namespace ANA
