#pragma once

#include "store/layout.h"

// File `maschin`: Printing machines with formats, speeds, set-up times and prices.
// Stored as MASCHIN; 147 bytes a record.

#define TESSARO_MASCHIN_FIELDS(X) \
    X(MAID, Long, 4)              \
    X(MID, String, 14)            \
    X(MBEZ, String, 22)           \
    X(MFORM, String, 3)           \
    X(MMAX, Real, 8)              \
    X(MMIN, Real, 8)              \
    X(MFARB, Real, 8)             \
    X(DZMAX, Real, 8)             \
    X(DZMIN, Real, 8)             \
    X(DZMITTEL, Real, 8)          \
    X(DZMAXFA, Real, 8)           \
    X(DZMITFAK, Real, 8)          \
    X(DZMINFA, Real, 8)           \
    X(MDRPR, Real, 8)             \
    X(MFARBW, Real, 8)            \
    X(DZFARB, Real, 8)            \
    X(DZEINRIC, Real, 8)

namespace MAS {

inline constexpr FileId kFile = FileId::maschin;
TESSARO_DECLARE_FIELDS(TESSARO_MASCHIN_FIELDS)
static_assert(kRecordSize == 147);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keymbez", {KeyPart{MBEZ_no}, KeyPart{MFORM_no}}, 2, false, false, false},
    KeyDef{"Keymaid", {KeyPart{MAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keymbez{kFile, 0};
inline constexpr KeyRef Keymaid{kFile, 1};

} // namespace MAS
