#pragma once

#include "store/layout.h"

// File `atran`: Transport lines of an order.
// Stored as ATRAN; 111 bytes a record.

#define TESSARO_ATRAN_FIELDS(X) \
    X(ATAID, Long, 4)           \
    X(ATID, String, 14)         \
    X(ATAUFID, String, 14)      \
    X(ATBEZ, String, 35)        \
    X(ATPR, Real, 8)            \
    X(ATEINH, String, 12)       \
    X(ATFAK, Real, 8)           \
    X(ATANZ, Real, 8)           \
    X(ATGPR, Real, 8)

namespace ATR {

inline constexpr FileId kFile = FileId::atran;
TESSARO_DECLARE_FIELDS(TESSARO_ATRAN_FIELDS)
static_assert(kRecordSize == 111);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keytaid", {KeyPart{ATAID_no}}, 1, true, true, false},
    KeyDef{"Keytid", {KeyPart{ATID_no}}, 1, true, false, false},
    KeyDef{"Kaufid", {KeyPart{ATAUFID_no}}, 1, false, false, false},
    KeyDef{"Keytbez", {KeyPart{ATBEZ_no}}, 1, false, false, false},
};
inline constexpr KeyRef Keytaid{kFile, 0};
inline constexpr KeyRef Keytid{kFile, 1};
inline constexpr KeyRef Kaufid{kFile, 2};
inline constexpr KeyRef Keytbez{kFile, 3};

} // namespace ATR
