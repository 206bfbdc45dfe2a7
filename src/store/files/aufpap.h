#pragma once

#include "store/layout.h"

// File `aufpap`: Paper lines of an order and calculation.
// Stored as AUFPAP; 146 bytes a record.

#define TESSARO_AUFPAP_FIELDS(X) \
    X(APAID, Long, 4)            \
    X(APID, String, 14)          \
    X(APAUFID, String, 14)       \
    X(APKALID, String, 14)       \
    X(APBEZ, String, 35)         \
    X(APPR, Real, 8)             \
    X(APVPE, Real, 8)            \
    X(AEINH, String, 15)         \
    X(APFOR, String, 10)         \
    X(APANZ, Real, 8)            \
    X(APSTCK, Real, 8)           \
    X(APENDPR, Real, 8)

namespace APA {

inline constexpr FileId kFile = FileId::aufpap;
TESSARO_DECLARE_FIELDS(TESSARO_AUFPAP_FIELDS)
static_assert(kRecordSize == 146);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyapaid", {KeyPart{APAID_no}}, 1, true, true, false},
    KeyDef{"Keyapid", {KeyPart{APID_no}}, 1, true, false, false},
    KeyDef{"Kaufid", {KeyPart{APAUFID_no}}, 1, false, false, false},
    KeyDef{"Keykalk", {KeyPart{APKALID_no}}, 1, false, false, false},
};
inline constexpr KeyRef Keyapaid{kFile, 0};
inline constexpr KeyRef Keyapid{kFile, 1};
inline constexpr KeyRef Kaufid{kFile, 2};
inline constexpr KeyRef Keykalk{kFile, 3};

} // namespace APA
