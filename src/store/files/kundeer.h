#pragma once

#include "store/layout.h"

// File `kundeer`: what a customer's e-invoices need beside the customer record, one record
// per customer (`KER:KEKID` = `KUN:KID`). A customer without one has the defaults: country
// DE, invoices on paper. Stored as KUNDEER.

#define TESSARO_KUNDEER_FIELDS(X) \
    X(KEID, Long, 4)              \
    X(KEKID, String, 14)          \
    X(KEUSTID, String, 16)        \
    X(KELEITID, String, 46)       \
    X(KEMAIL, String, 70)         \
    X(KELAND, String, 2)          \
    X(KEFORM, Long, 4)

namespace KER {

inline constexpr FileId kFile = FileId::kundeer;
TESSARO_DECLARE_FIELDS(TESSARO_KUNDEER_FIELDS)
static_assert(kRecordSize == 156);

// KEFORM: how the customer wants invoices.
inline constexpr std::int32_t kFormPaper = 0;
inline constexpr std::int32_t kFormZugferd = 1;
inline constexpr std::int32_t kFormXRechnung = 2;

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyeid", {KeyPart{KEID_no}}, 1, true, true, false},
    KeyDef{"Keykid", {KeyPart{KEKID_no}}, 1, true, false, false},
};
inline constexpr KeyRef Keyeid{kFile, 0};
inline constexpr KeyRef Keykid{kFile, 1};

} // namespace KER
