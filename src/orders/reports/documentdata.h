#pragma once

#include "store/files/asatz.h"
#include "store/files/aufpap.h"
#include "store/files/auftrag.h"
#include "store/files/firma.h"
#include "store/files/kaldruck.h"
#include "store/files/kunde.h"
#include "store/files/kundeer.h"
#include "store/recordbuffer.h"

#include <vector>

namespace orders {

// One print calculation of the order with its typesetting lines (`ASA:ASKADID` =
// `KAD:KAAID`), in key order.
struct CalculationData
{
    RecordBuffer kaldruck{FileId::kaldruck};
    std::vector<RecordBuffer> typesetting;
};

// Everything a quote or invoice prints, copied out of the files before the report starts:
// the order (`AUF:FID` = `CurrentOrderId`), its customer (`KUN:KID` = `AUF:FKUID`), its
// print calculations (`KAD:KAUFID` = `AUF:FID`) in the order of `KAD:Keyaufid`, and the
// paper lines of the order (`APA:APAUFID` = `AUF:FID`), whose price the order's paper sum
// holds beside the calculations' paper. Beside them the shop's own data (the `firma` record)
// and the customer's e-invoice data (`KER:KEKID` = `KUN:KID`), cleared when there are none.
struct DocumentData
{
    RecordBuffer order{FileId::auftrag};
    RecordBuffer customer{FileId::kunde};
    RecordBuffer company{FileId::firma};
    RecordBuffer customerEInvoice{FileId::kundeer};
    std::vector<CalculationData> calculations;
    std::vector<RecordBuffer> paperLines;
    // The shop's letterhead is printed, for plain paper (the settings' "[Belege] Briefkopf").
    bool letterhead = false;
};

} // namespace orders
