#include "costing/core/calculationsteps.h"

#include "base/decimal.h"
#include "costing/core/machinecalculation.h"
#include "store/files/kaldruck.h"
#include "store/files/maschin.h"
#include "store/recordbuffer.h"

#include <cassert>

namespace costing {

void copyMachine(const RecordBuffer &m, RecordBuffer &c)
{
    assert(m.file() == FileId::maschin && c.file() == FileId::kaldruck);
    c.set(KAD::KAMBEZ, m.get(MAS::MBEZ));
    c.set(KAD::KAMMAX, m.get(MAS::MMAX));
    c.set(KAD::KAMMIN, m.get(MAS::MMIN));
    c.set(KAD::KAMFARB, m.get(MAS::MFARB));
    c.set(KAD::KAMAFAPR, m.get(MAS::MFARBW));
    c.set(KAD::KAMADRPR, m.get(MAS::MDRPR));
    c.set(KAD::KAFAZEIT, m.get(MAS::DZFARB));
    c.set(KAD::KAMFAKMI, m.get(MAS::DZMINFA));
    c.set(KAD::KAMFAKMA, m.get(MAS::DZMAXFA));
    c.set(KAD::KAMFAKTO, m.get(MAS::DZMITFAK));
    c.set(KAD::KAMDRV, m.get(MAS::DZMITTEL));
    c.set(KAD::KADRPLZEIT, m.get(MAS::DZEINRIC));
}

double typesettingOnOpen(RecordBuffer &c)
{
    if (c.get(KAD::ASGPR) < 0)
        c.set(KAD::ASGPR, 0.0);
    return c.get(KAD::ASGPR);
}

void applyPageChange(RecordBuffer &c)
{
    if (c.get(KAD::APSTCK) == 0)
        c.set(KAD::APSTCK, c.get(KAD::KAALGES));
    c.set(KAD::NGES,
          c.get(KAD::N1ANZ) + c.get(KAD::N2ANZ) + c.get(KAD::N3ANZ) + c.get(KAD::N4ANZ)
              + c.get(KAD::N5ANZ) + c.get(KAD::N6ANZ));
}

double CalcDisplayTotal(const RecordBuffer &c, double workCalcTypesetting)
{
    return rt::roundDecimal(c.get(KAD::KADRPR) + c.get(KAD::APENDPR) + workCalcTypesetting, 2);
}

void completeOnAccept(RecordBuffer &c, double workCalcTypesetting)
{
    // Whatever was typed into the print time is replaced.
    c.set(KAD::KADRZEIT, printTime(c));
    switch (c.get(KAD::EINFACH)) {
    case 1:
        c.set(KAD::KAMBEZ, "EINFACH");
        break;
    case 2:
        c.set(KAD::KAMBEZ, "SCHNELL");
        break;
    default:
        break;
    }
    c.set(KAD::ASGPR, workCalcTypesetting);
    c.set(KAD::ASBEZ, workCalcTypesetting > 0 ? "JA" : "NEIN");
    c.set(KAD::KGESAMTPR,
          rt::roundDecimal(c.get(KAD::KADRPR) + c.get(KAD::APENDPR) + c.get(KAD::ASGPR), 2));
}

} // namespace costing
