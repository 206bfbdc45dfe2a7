#pragma once

#include "store/layout.h"

// File `text`: Text blocks for documents and payment terms.
// Stored as TEXT; 265 bytes a record.

#define TESSARO_TEXT_FIELDS(X) \
    X(IDTEXT, Long, 4)         \
    X(TKEN, String, 2)         \
    X(TERL, String, 30)        \
    X(TX1, String, 70)         \
    X(TX2, String, 70)         \
    X(TX3, String, 70)         \
    X(SKOPR, Decimal, 3)       \
    X(SKTAGE, Real, 8)         \
    X(ZAZIEL, Real, 8)

namespace TEX {

inline constexpr FileId kFile = FileId::text;
TESSARO_DECLARE_FIELDS(TESSARO_TEXT_FIELDS)
static_assert(kRecordSize == 265);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyidtext", {KeyPart{IDTEXT_no}}, 1, true, true, false},
    KeyDef{"Keytken", {KeyPart{TKEN_no}, KeyPart{TX1_no}}, 2, false, false, false},
};
inline constexpr KeyRef Keyidtext{kFile, 0};
inline constexpr KeyRef Keytken{kFile, 1};

} // namespace TEX
