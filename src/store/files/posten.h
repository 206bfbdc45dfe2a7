#pragma once

#include "store/layout.h"

// File `posten`: one record per issued invoice as the open-items list shows it, and the
// reminder level the invoice has reached. Amounts and dates are copied from the invoice's
// document; OPOFFEN (still open) and OPUEBER (overdue) follow from its payments and are
// brought up to date whenever the list opens or a payment is entered
// (orders/core/openitems.h). OPSTUFE and OPMAHNDAT are the only values kept nowhere else.
// Stored as POSTEN.

#define TESSARO_POSTEN_FIELDS(X) \
    X(OPID, Long, 4)             \
    X(OPRENR, String, 12)        \
    X(OPREDAT, Date, 4)          \
    X(OPKUID, String, 14)        \
    X(OPKNAME, String, 45)       \
    X(OPBRUTTO, Real, 8)         \
    X(OPFAELLIG, Date, 4)        \
    X(OPSKDAT, Date, 4)          \
    X(OPSKONTO, Real, 8)         \
    X(OPOFFEN, Real, 8)          \
    X(OPUEBER, String, 12)       \
    X(OPSTUFE, Long, 4)          \
    X(OPMAHNDAT, Date, 4)

namespace OPO {

inline constexpr FileId kFile = FileId::posten;
TESSARO_DECLARE_FIELDS(TESSARO_POSTEN_FIELDS)
static_assert(kRecordSize == 131);

// OPUEBER of an invoice whose due date has passed while something is still open.
inline constexpr const char *kOverdue = "überfällig";

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyopid", {KeyPart{OPID_no}}, 1, true, true, false},
    KeyDef{"Keyrenr", {KeyPart{OPRENR_no}}, 1, true, false, true},
    KeyDef{"Keyfaellig", {KeyPart{OPFAELLIG_no}, KeyPart{OPRENR_no}}, 2, false, false, true},
    KeyDef{"Keykunde", {KeyPart{OPKNAME_no}, KeyPart{OPFAELLIG_no}}, 2, false, false, true},
};
inline constexpr KeyRef Keyopid{kFile, 0};
inline constexpr KeyRef Keyrenr{kFile, 1};
inline constexpr KeyRef Keyfaellig{kFile, 2};
inline constexpr KeyRef Keykunde{kFile, 3};

} // namespace OPO
