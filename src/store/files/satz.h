#pragma once

#include "store/layout.h"

// File `satz`: Catalogue of typesetting/prepress and processing activities.
// Stored as SATZ; 81 bytes a record.

#define TESSARO_SATZ_FIELDS(X) \
    X(SAID, Long, 4)           \
    X(SID, String, 14)         \
    X(SBEZ, String, 35)        \
    X(SEINH, String, 12)       \
    X(SFAK, Real, 8)           \
    X(SPR, Real, 8)

namespace SAT {

inline constexpr FileId kFile = FileId::satz;
TESSARO_DECLARE_FIELDS(TESSARO_SATZ_FIELDS)
static_assert(kRecordSize == 81);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keysbez", {KeyPart{SBEZ_no}}, 1, true, false, false},
    KeyDef{"Keysaid", {KeyPart{SAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keysbez{kFile, 0};
inline constexpr KeyRef Keysaid{kFile, 1};

} // namespace SAT
