#pragma once

#include "store/layout.h"

// File `papier`: Paper grades with selling price, packing unit and up to three suppliers.
// Stored as PAPIER; 429 bytes a record.

#define TESSARO_PAPIER_FIELDS(X) \
    X(APAP, Long, 4)             \
    X(IPAP, String, 14)          \
    X(PBEZ, String, 35)          \
    X(PPR, Real, 8)              \
    X(PVPE, Real, 8)             \
    X(PEIN, String, 15)          \
    X(PMAX, Real, 8)             \
    X(PMIN, Real, 8)             \
    X(PFORM, String, 10)         \
    X(PGEW, String, 15)          \
    X(PPRBA0, Real, 8)           \
    X(PPRBA1, Real, 8)           \
    X(PPRBA2, Real, 8)           \
    X(PPRBA3, Real, 8)           \
    X(PPRBA4, Real, 8)           \
    X(PEPR1, Real, 8)            \
    X(LIEF1, String, 40)         \
    X(LIEFTEL, String, 20)       \
    X(LIEF1FAX, String, 20)      \
    X(PEPR2, Real, 8)            \
    X(LIEF2, String, 40)         \
    X(LIEF2TEL, String, 20)      \
    X(LIEF2FAX, String, 20)      \
    X(PEPR3, Real, 8)            \
    X(LIEF3, String, 40)         \
    X(LIEF3TEL, String, 20)      \
    X(LIEF3FAX, String, 20)

namespace PAP {

inline constexpr FileId kFile = FileId::papier;
TESSARO_DECLARE_FIELDS(TESSARO_PAPIER_FIELDS)
static_assert(kRecordSize == 429);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keypbez", {KeyPart{PBEZ_no}}, 1, false, false, true},
    KeyDef{"Keyapap", {KeyPart{APAP_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keypbez{kFile, 0};
inline constexpr KeyRef Keyapap{kFile, 1};

} // namespace PAP
