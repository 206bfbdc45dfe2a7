#include "costing/core/lineprices.h"

#include "store/files/anach.h"
#include "store/files/asatz.h"
#include "store/files/atran.h"
#include "store/files/aufpap.h"
#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <cassert>

namespace costing {
namespace {

struct PaperFields
{
    RealField pricePerUnit;
    RealField piecesPerUnit;
    RealField units;
    RealField pieces;
    RealField price;
};

constexpr PaperFields kCalculationPaper{
    KAD::APPR, KAD::APVPE, KAD::APANZ, KAD::APSTCK, KAD::APENDPR};
constexpr PaperFields kPaperLine{APA::APPR, APA::APVPE, APA::APANZ, APA::APSTCK, APA::APENDPR};

struct LineFields
{
    RealField quantity;
    RealField price;
    RealField factor;
    RealField total;
};

constexpr LineFields kTypesetting{ASA::ASANZ, ASA::ASPR, ASA::ASFAK, ASA::ASGPR};
constexpr LineFields kExtras{ANA::ANANZ, ANA::ANPR, ANA::ANFAK, ANA::ANGPR};
constexpr LineFields kTransport{ATR::ATANZ, ATR::ATPR, ATR::ATFAK, ATR::ATGPR};

} // namespace

void PaperPrice(RecordBuffer &r)
{
    assert(r.file() == FileId::kaldruck || r.file() == FileId::aufpap);
    const PaperFields &f = r.file() == FileId::aufpap ? kPaperLine : kCalculationPaper;
    const double pieces = r.get(f.pieces);
    if (pieces > 0) {
        const double piecesPerUnit = r.get(f.piecesPerUnit);
        // Pieces per unit are not checked where they are typed; without them pieces have no
        // price, and the price stands until they are given.
        if (piecesPerUnit <= 0)
            return;
        const double units = pieces / piecesPerUnit;
        r.set(f.units, units);
        r.set(f.price, units * r.get(f.pricePerUnit));
    } else {
        r.set(f.price, r.get(f.units) * r.get(f.pricePerUnit));
        r.set(f.pieces, 0.0);
    }
}

double LineTotal(RecordBuffer &line)
{
    const LineFields *f = nullptr;
    switch (line.file()) {
    case FileId::asatz:
        f = &kTypesetting;
        break;
    case FileId::anach:
        f = &kExtras;
        break;
    default:
        assert(line.file() == FileId::atran);
        f = &kTransport;
        break;
    }
    const double total = line.get(f->quantity) * line.get(f->price) * line.get(f->factor);
    line.set(f->total, total);
    return total;
}

} // namespace costing
