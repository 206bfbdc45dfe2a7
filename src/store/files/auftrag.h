#pragma once

#include "store/layout.h"

// File `auftrag`: Orders with status, document dates and numbers, totals and document texts.
// Stored as AUFTRAG; 917 bytes a record.

#define TESSARO_AUFTRAG_FIELDS(X) \
    X(FAID, Long, 4)              \
    X(FID, String, 14)            \
    X(FKURZ, String, 30)          \
    X(FNR, String, 12)            \
    X(FDATUM, Date, 4)            \
    X(FSTAT, String, 15)          \
    X(FKUID, String, 14)          \
    X(FNAME, String, 45)          \
    X(FSTR, String, 45)           \
    X(FPLZ, String, 7)            \
    X(FORT, String, 45)           \
    X(FRABATT, Real, 8)           \
    X(FANDAT, Date, 4)            \
    X(FANGDRU, Date, 4)           \
    X(FANZEIT, Long, 4)           \
    X(FANNR, String, 12)          \
    X(FLIEFDAT, Date, 4)          \
    X(FLIEDRU, Date, 4)           \
    X(FLIEZEIT, Long, 4)          \
    X(FLIEFNR, String, 12)        \
    X(FREDAT, Date, 4)            \
    X(FRECDRU, Date, 4)           \
    X(FRECZEIT, Long, 4)          \
    X(FRENR, String, 12)          \
    X(DRUCPR, Real, 8)            \
    X(FARBWEPR, Real, 8)          \
    X(PAPPR, Real, 8)             \
    X(SATZPR, Real, 8)            \
    X(NACHPR, Real, 8)            \
    X(NACHTXT, String, 35)        \
    X(TRANPR, Real, 8)            \
    X(NETTO, Real, 8)             \
    X(MWSTPROZ, Real, 8)          \
    X(MWST, Real, 8)              \
    X(BRUTTO, Real, 8)            \
    X(NGES, Real, 8)              \
    X(SKONTAGE, Real, 8)          \
    X(ZAZTAGE, Real, 8)           \
    X(SKONPREIS, Real, 8)         \
    X(SKPROZ, Decimal, 3)         \
    X(RABPREIS, Real, 8)          \
    X(DRZEIT, Real, 8)            \
    X(DRZEITH, Real, 8)           \
    X(DRZEITM, Real, 8)           \
    X(TEANG1, String, 70)         \
    X(TEANG2, String, 70)         \
    X(TEREC1, String, 70)         \
    X(TEREC2, String, 70)         \
    X(TEINFO1, String, 70)        \
    X(TEINFO2, String, 70)

namespace AUF {

inline constexpr FileId kFile = FileId::auftrag;
TESSARO_DECLARE_FIELDS(TESSARO_AUFTRAG_FIELDS)
static_assert(kRecordSize == 917);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keykuid",
           {KeyPart{FKUID_no}, KeyPart{FSTAT_no}, KeyPart{FDATUM_no, true}},
           3,
           false,
           false,
           false},
    KeyDef{"Keyfid", {KeyPart{FID_no}}, 1, false, false, false},
    KeyDef{"Keyfname", {KeyPart{FNAME_no}}, 1, false, false, true},
    KeyDef{"Keyfnr", {KeyPart{FNR_no}}, 1, true, false, false},
    KeyDef{"Keyfaid", {KeyPart{FAID_no}}, 1, true, true, false},
    KeyDef{"Keystatus", {KeyPart{FSTAT_no}, KeyPart{FDATUM_no}}, 2, false, false, false},
};
inline constexpr KeyRef Keykuid{kFile, 0};
inline constexpr KeyRef Keyfid{kFile, 1};
inline constexpr KeyRef Keyfname{kFile, 2};
inline constexpr KeyRef Keyfnr{kFile, 3};
inline constexpr KeyRef Keyfaid{kFile, 4};
inline constexpr KeyRef Keystatus{kFile, 5};

} // namespace AUF
