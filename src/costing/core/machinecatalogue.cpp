#include "costing/core/machinecatalogue.h"

#include "base/decimal.h"
#include "store/files/maschin.h"
#include "store/recordbuffer.h"

#include <cassert>

namespace costing {
namespace {

constexpr SheetFormat kFormats[] = {
    {"A0", 1188, 840},
    {"A1", 840, 594},
    {"A2", 594, 420},
    {"A3", 420, 297},
    {"A4", 297, 210},
};

double speedFactor(double average, double speed)
{
    return speed > 0 ? rt::roundDecimal(average / speed, 3) : 0;
}

} // namespace

std::span<const SheetFormat> sheetFormats()
{
    return kFormats;
}

bool applySheetFormat(RecordBuffer &m, std::string_view name)
{
    assert(m.file() == FileId::maschin);
    for (const SheetFormat &format : kFormats) {
        if (format.name == name) {
            m.set(MAS::MFORM, format.name);
            m.set(MAS::MMAX, format.length);
            m.set(MAS::MMIN, format.width);
            return true;
        }
    }
    return false;
}

void deriveMachineSpeeds(RecordBuffer &m)
{
    assert(m.file() == FileId::maschin);
    const double average = (m.get(MAS::DZMAX) + m.get(MAS::DZMIN)) / 2;
    m.set(MAS::DZMITTEL, average);
    m.set(MAS::DZMITFAK, 1.0);
    m.set(MAS::DZMAXFA, speedFactor(average, m.get(MAS::DZMAX)));
    m.set(MAS::DZMINFA, speedFactor(average, m.get(MAS::DZMIN)));
}

void acceptMachine(RecordBuffer &m)
{
    assert(m.file() == FileId::maschin);
    if (m.get(MAS::MMIN) > m.get(MAS::MMAX)) {
        const double shorter = m.get(MAS::MMAX);
        m.set(MAS::MMAX, m.get(MAS::MMIN));
        m.set(MAS::MMIN, shorter);
    }
    deriveMachineSpeeds(m);
}

} // namespace costing
