#pragma once

#include "store/layout.h"

// File `transport`: Catalogue of transport kinds with price, unit and surcharge factor.
// Stored as TRANSPOR; 67 bytes a record.

#define TESSARO_TRANSPORT_FIELDS(X) \
    X(TAID, Long, 4)                \
    X(TBEZ, String, 35)             \
    X(TPR, Real, 8)                 \
    X(TEINH, String, 12)            \
    X(TFAK, Real, 8)

namespace TRA {

inline constexpr FileId kFile = FileId::transport;
TESSARO_DECLARE_FIELDS(TESSARO_TRANSPORT_FIELDS)
static_assert(kRecordSize == 67);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keytaid", {KeyPart{TAID_no}}, 1, true, true, false},
    KeyDef{"Keybez", {KeyPart{TBEZ_no}}, 1, true, false, false},
};
inline constexpr KeyRef Keytaid{kFile, 0};
inline constexpr KeyRef Keybez{kFile, 1};

} // namespace TRA
