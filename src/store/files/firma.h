#pragma once

#include "store/layout.h"

// File `firma`: the shop's own data, as its documents and e-invoices name the seller. One
// record. Stored as FIRMA.

#define TESSARO_FIRMA_FIELDS(X) \
    X(FIID, Long, 4)            \
    X(FINAME, String, 60)       \
    X(FISTR, String, 45)        \
    X(FIPLZ, String, 7)         \
    X(FIORT, String, 45)        \
    X(FILAND, String, 2)        \
    X(FIUSTID, String, 16)      \
    X(FISTNR, String, 20)       \
    X(FIREGGER, String, 45)     \
    X(FIREGNR, String, 20)      \
    X(FIGF, String, 60)         \
    X(FIIBAN, String, 42)       \
    X(FIBIC, String, 11)        \
    X(FIBANK, String, 45)       \
    X(FIANSP, String, 45)       \
    X(FITEL, String, 20)        \
    X(FIEMAIL, String, 70)      \
    X(FIEADR, String, 70)       \
    X(FIMWST, Real, 8)

namespace FIR {

inline constexpr FileId kFile = FileId::firma;
TESSARO_DECLARE_FIELDS(TESSARO_FIRMA_FIELDS)
static_assert(kRecordSize == 635);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyfiid", {KeyPart{FIID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keyfiid{kFile, 0};

} // namespace FIR
