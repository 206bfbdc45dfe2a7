#pragma once

#include "store/layout.h"

// File `stamm`: Master record: latest document numbers with their dates and times.
// Stored as STAMM; 348 bytes a record.

#define TESSARO_STAMM_FIELDS(X) \
    X(ISTAMM, Long, 4)          \
    X(ANGDAT, Date, 4)          \
    X(ANGZEIT, Long, 4)         \
    X(ANG, String, 12)          \
    X(LIEDAT, Date, 4)          \
    X(LIEZEIT, Long, 4)         \
    X(LIE, String, 12)          \
    X(RECDAT, Date, 4)          \
    X(RECZEIT, Long, 4)         \
    X(REC, String, 12)          \
    X(MWST, Real, 8)            \
    X(VERS, String, 20)         \
    X(VERSTX1, String, 20)      \
    X(VERSTX2, String, 20)      \
    X(VERSTX3, String, 40)      \
    X(VERSTX4, String, 40)      \
    X(VERSTX5, String, 60)      \
    X(VERSTX6, String, 60)      \
    X(VERSZA1, Real, 8)         \
    X(VERSZA2, Real, 8)

namespace STA {

inline constexpr FileId kFile = FileId::stamm;
TESSARO_DECLARE_FIELDS(TESSARO_STAMM_FIELDS)
static_assert(kRecordSize == 348);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyistamm", {KeyPart{ISTAMM_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keyistamm{kFile, 0};

} // namespace STA
