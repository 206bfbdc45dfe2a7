#pragma once

#include "store/layout.h"

// File `asatz`: Typesetting/processing lines of a calculation.
// Stored as ASATZ; 125 bytes a record.

#define TESSARO_ASATZ_FIELDS(X) \
    X(ASAID, Long, 4)           \
    X(ASID, String, 14)         \
    X(ASAUFID, String, 14)      \
    X(ASKADID, String, 14)      \
    X(ASBEZ, String, 35)        \
    X(ASANZ, Real, 8)           \
    X(ASFAK, Real, 8)           \
    X(ASPR, Real, 8)            \
    X(ASEINH, String, 12)       \
    X(ASGPR, Real, 8)

namespace ASA {

inline constexpr FileId kFile = FileId::asatz;
TESSARO_DECLARE_FIELDS(TESSARO_ASATZ_FIELDS)
static_assert(kRecordSize == 125);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyasaufid", {KeyPart{ASAUFID_no}}, 1, false, false, false},
    KeyDef{"Keyasaid", {KeyPart{ASAID_no}}, 1, true, true, false},
    KeyDef{"Keykadid", {KeyPart{ASKADID_no}}, 1, false, false, false},
};
inline constexpr KeyRef Keyasaufid{kFile, 0};
inline constexpr KeyRef Keyasaid{kFile, 1};
inline constexpr KeyRef Keykadid{kFile, 2};

} // namespace ASA
