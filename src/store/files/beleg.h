#pragma once

#include "store/layout.h"

// File `beleg`: every document the shop issued, kept as it went out (an invoice, the
// cancellation of one), with the stored PDF and the e-invoice XML as large values beside the
// record. Records are only ever added, and an invoice's record changes only where it is
// cancelled (BBEZUG, BSPERRE). Stored as BELEG.

#define TESSARO_BELEG_FIELDS(X) \
    X(BID, Long, 4)             \
    X(BART, String, 12)         \
    X(BNR, String, 12)          \
    X(BDAT, Date, 4)            \
    X(BZEIT, Long, 4)           \
    X(BAUFID, String, 14)       \
    X(BAUFNR, String, 12)       \
    X(BKUID, String, 14)        \
    X(BKNAME, String, 45)       \
    X(BNETTO, Real, 8)          \
    X(BMWST, Real, 8)           \
    X(BBRUTTO, Real, 8)         \
    X(BFAELLIG, Date, 4)        \
    X(BSKDAT, Date, 4)          \
    X(BSKPROZ, Real, 8)         \
    X(BFORM, Long, 4)           \
    X(BBEZUG, String, 12)       \
    X(BSPERRE, String, 14)      \
    X(BSHA, String, 64)

namespace BEL {

inline constexpr FileId kFile = FileId::beleg;
TESSARO_DECLARE_FIELDS(TESSARO_BELEG_FIELDS)
static_assert(kRecordSize == 255);

// BART: what kind of document, as the list of documents shows it.
inline constexpr const char *kInvoice = "Rechnung";
inline constexpr const char *kCancellation = "Storno";

// The large values: the document's PDF exactly as it went out, and the XRechnung XML where
// one was made with it.
inline constexpr const char *kLargeNames[] = {"PDF", "XML"};
inline constexpr int kPdf = 0;
inline constexpr int kXml = 1;

// BNR is unique across the data set, whatever the letter case: two stations issuing the same
// number at once make the second add fail with a duplicate key. BSPERRE holds the order's id
// while its invoice stands (not cancelled): the order and its customer cannot go then.
inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keybid", {KeyPart{BID_no}}, 1, true, true, false},
    KeyDef{"Keybnr", {KeyPart{BNR_no}}, 1, true, false, true},
    KeyDef{"Keyaufid", {KeyPart{BAUFID_no}, KeyPart{BDAT_no}}, 2, false, false, false},
    KeyDef{"Keysperre", {KeyPart{BSPERRE_no}}, 1, false, false, false},
    KeyDef{"Keydat", {KeyPart{BDAT_no, true}, KeyPart{BZEIT_no, true}}, 2, false, false, false},
    KeyDef{"Keykunde", {KeyPart{BKUID_no}, KeyPart{BDAT_no, true}}, 2, false, false, false},
};
inline constexpr KeyRef Keybid{kFile, 0};
inline constexpr KeyRef Keybnr{kFile, 1};
inline constexpr KeyRef Keyaufid{kFile, 2};
inline constexpr KeyRef Keysperre{kFile, 3};
inline constexpr KeyRef Keydat{kFile, 4};
inline constexpr KeyRef Keykunde{kFile, 5};

} // namespace BEL
