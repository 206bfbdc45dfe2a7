#pragma once

#include "store/layout.h"

// File `zahlung`: the payments received on issued invoices, one record per payment (part
// payments are several records of one invoice). ZSKONTO is 1 where the customer took the
// Skonto with this payment. Payments are kept as entered; what an invoice still owes follows
// from them (orders/core/payments.h). Stored as ZAHLUNG.

#define TESSARO_ZAHLUNG_FIELDS(X) \
    X(ZID, Long, 4)               \
    X(ZRENR, String, 12)          \
    X(ZDAT, Date, 4)              \
    X(ZBETRAG, Real, 8)           \
    X(ZSKONTO, Long, 4)

namespace ZAH {

inline constexpr FileId kFile = FileId::zahlung;
TESSARO_DECLARE_FIELDS(TESSARO_ZAHLUNG_FIELDS)
static_assert(kRecordSize == 32);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyzid", {KeyPart{ZID_no}}, 1, true, true, false},
    KeyDef{"Keyrenr", {KeyPart{ZRENR_no}, KeyPart{ZDAT_no}}, 2, false, false, true},
};
inline constexpr KeyRef Keyzid{kFile, 0};
inline constexpr KeyRef Keyrenr{kFile, 1};

} // namespace ZAH
