#pragma once

#include "store/layout.h"

// File `kaldruck`: Print calculations; each belongs to one order.
// Stored as KALDRUCK; 612 bytes a record.

#define TESSARO_KALDRUCK_FIELDS(X) \
    X(KAID, Long, 4)               \
    X(KAAID, String, 14)           \
    X(KAUFID, String, 14)          \
    X(EINFACH, Long, 4)            \
    X(KABEZ, String, 35)           \
    X(KAALGES, Real, 8)            \
    X(KASO, Real, 8)               \
    X(KAAL, Real, 8)               \
    X(KAFARBE, Real, 8)            \
    X(KAFASCHW, Real, 8)           \
    X(KAOMAX, Real, 8)             \
    X(KAOMIN, Real, 8)             \
    X(KAMBEZ, String, 22)          \
    X(KAMMAX, Real, 8)             \
    X(KAMMIN, Real, 8)             \
    X(KAMFARB, Real, 8)            \
    X(KAMDRV, Real, 8)             \
    X(KAMADRPR, Real, 8)           \
    X(KAMFAKMI, Real, 8)           \
    X(KAMFAKMA, Real, 8)           \
    X(KAMFAKTO, Real, 8)           \
    X(KAMAFAPR, Real, 8)           \
    X(KAY, Real, 8)                \
    X(KAX, Real, 8)                \
    X(KAST, Real, 8)               \
    X(KADR, Real, 8)               \
    X(KAVH, Real, 8)               \
    X(KAAD, Real, 8)               \
    X(KADRPR, Real, 8)             \
    X(KAFAPR, Real, 8)             \
    X(KADRZEIT, Real, 8)           \
    X(KAFAZEIT, Real, 8)           \
    X(KADRPLZEIT, Real, 8)         \
    X(N1ANZ, Real, 8)              \
    X(N1SORT, Real, 8)             \
    X(N1STCK, Real, 8)             \
    X(N2ANZ, Real, 8)              \
    X(N2SORT, Real, 8)             \
    X(N2STCK, Real, 8)             \
    X(N3ANZ, Real, 8)              \
    X(N3SORT, Real, 8)             \
    X(N3STCK, Real, 8)             \
    X(N4ANZ, Real, 8)              \
    X(N4SORT, Real, 8)             \
    X(N4STCK, Real, 8)             \
    X(N5ANZ, Real, 8)              \
    X(N5SORT, Real, 8)             \
    X(N5STCK, Real, 8)             \
    X(N6ANZ, Real, 8)              \
    X(N6SORT, Real, 8)             \
    X(N6STCK, Real, 8)             \
    X(NGES, Real, 8)               \
    X(APBEZ, String, 35)           \
    X(APPR, Real, 8)               \
    X(APVPE, Real, 8)              \
    X(AEINH, String, 15)           \
    X(APFOR, String, 10)           \
    X(APANZ, Real, 8)              \
    X(APSTCK, Real, 8)             \
    X(APENDPR, Real, 8)            \
    X(ASBEZ, String, 35)           \
    X(ASGPR, Real, 8)              \
    X(KGESAMTPR, Real, 8)

namespace KAD {

inline constexpr FileId kFile = FileId::kaldruck;
TESSARO_DECLARE_FIELDS(TESSARO_KALDRUCK_FIELDS)
static_assert(kRecordSize == 612);

inline constexpr KeyDef kKeys[] = {
    KeyDef{"Keyaufid", {KeyPart{KAUFID_no}}, 1, false, false, false},
    KeyDef{"Keyadid", {KeyPart{KAAID_no}}, 1, true, true, false},
};
inline constexpr KeyRef Keyaufid{kFile, 0};
inline constexpr KeyRef Keyadid{kFile, 1};

} // namespace KAD
