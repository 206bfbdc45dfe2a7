#pragma once

#include "store/layout.h"

// File `drucktem`: Print list entries of an order.
// Stored as DRUCKTEM; 117 bytes a record.

#define TESSARO_DRUCKTEM_FIELDS(X) \
    X(DAID, Long, 4)               \
    X(DAAID, String, 14)           \
    X(DAUFID, String, 14)          \
    X(DABEZ, String, 85)

namespace DRU {

inline constexpr FileId kFile = FileId::drucktem;
TESSARO_DECLARE_FIELDS(TESSARO_DRUCKTEM_FIELDS)
static_assert(kRecordSize == 117);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keydaufid", {KeyPart{DAUFID_no}}, 1, false, false, false},
    KeyDef{"Keydadid", {KeyPart{DAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keydaufid{kFile, 0};
inline constexpr KeyRef Keydadid{kFile, 1};

} // namespace DRU
