#include "costing/core/calculationsteps.h"
#include "costing/core/lineprices.h"
#include "costing/core/machinecatalogue.h"

#include "store/files/anach.h"
#include "store/files/asatz.h"
#include "store/files/atran.h"
#include "store/files/aufpap.h"
#include "store/files/kaldruck.h"
#include "store/files/maschin.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

using namespace costing;

namespace {

TEST(PaperPrice, PiecesWinOverUnitsOnCalculationsAndPaperLines)
{
    struct Case
    {
        const char *name;
        double pieces, piecesPerUnit, pricePerUnit, units, price;
        double unitsAfter, piecesAfter, priceAfter;
    };
    const Case cases[] = {
        {"5000 sheets of 500 at 12.50", 5000, 500, 12.50, 0, 0, 10, 5000, 125.00},
        {"2500 sheets of 500 at 7.00", 2500, 500, 7.00, 3, 1, 5, 2500, 35.00},
        {"quarter of a ream", 0, 500, 20.00, 0.25, 0, 0.25, 0, 5.00},
        {"negative pieces count as none", -40, 500, 20.00, 0.25, 0, 0.25, 0, 5.00},
        {"pieces per unit missing: price stands", 1000, 0, 20.00, 3, 77.70, 3, 1000, 77.70},
        {"nothing given", 0, 0, 20.00, 0, 9.99, 0, 0, 0},
    };
    struct Paper
    {
        FileId file;
        RealField pieces, piecesPerUnit, pricePerUnit, units, price;
    };
    const Paper papers[] = {
        {FileId::kaldruck, KAD::APSTCK, KAD::APVPE, KAD::APPR, KAD::APANZ, KAD::APENDPR},
        {FileId::aufpap, APA::APSTCK, APA::APVPE, APA::APPR, APA::APANZ, APA::APENDPR},
    };
    for (const Paper &p : papers) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            RecordBuffer r(p.file);
            r.set(p.pieces, c.pieces);
            r.set(p.piecesPerUnit, c.piecesPerUnit);
            r.set(p.pricePerUnit, c.pricePerUnit);
            r.set(p.units, c.units);
            r.set(p.price, c.price);
            PaperPrice(r);
            EXPECT_DOUBLE_EQ(r.get(p.units), c.unitsAfter);
            EXPECT_DOUBLE_EQ(r.get(p.pieces), c.piecesAfter);
            EXPECT_DOUBLE_EQ(r.get(p.price), c.priceAfter);
        }
    }
}

TEST(LineTotal, QuantityTimesPriceTimesFactorForEachKind)
{
    struct Case
    {
        const char *name;
        FileId file;
        RealField quantity, price, factor, total;
        double q, p, f, expected;
    };
    const Case cases[] = {
        {"typesetting",
         FileId::asatz,
         ASA::ASANZ,
         ASA::ASPR,
         ASA::ASFAK,
         ASA::ASGPR,
         2,
         35.00,
         1.2,
         84.00},
        {"additional work",
         FileId::anach,
         ANA::ANANZ,
         ANA::ANPR,
         ANA::ANFAK,
         ANA::ANGPR,
         3,
         40.00,
         1.5,
         180.00},
        {"transport",
         FileId::atran,
         ATR::ATANZ,
         ATR::ATPR,
         ATR::ATFAK,
         ATR::ATGPR,
         4,
         12.50,
         1.1,
         55.00},
        {"quantity 0",
         FileId::atran,
         ATR::ATANZ,
         ATR::ATPR,
         ATR::ATFAK,
         ATR::ATGPR,
         0,
         12.50,
         1,
         0},
        {"factor 0", FileId::anach, ANA::ANANZ, ANA::ANPR, ANA::ANFAK, ANA::ANGPR, 3, 40.00, 0, 0},
        {"not rounded",
         FileId::asatz,
         ASA::ASANZ,
         ASA::ASPR,
         ASA::ASFAK,
         ASA::ASGPR,
         3,
         0.333,
         1.01,
         1.00899},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordBuffer line(c.file);
        line.set(c.quantity, c.q);
        line.set(c.price, c.p);
        line.set(c.factor, c.f);
        line.set(c.total, 999.0);
        EXPECT_DOUBLE_EQ(LineTotal(line), c.expected);
        EXPECT_DOUBLE_EQ(line.get(c.total), c.expected);
    }
}

TEST(MachineCatalogue, FormatButtonsSetNameAndSheetSize)
{
    struct Case
    {
        const char *name;
        double length, width;
    };
    const Case cases[] = {
        {"A0", 1188, 840},
        {"A1", 840, 594},
        {"A2", 594, 420},
        {"A3", 420, 297},
        {"A4", 297, 210},
    };
    ASSERT_EQ(sheetFormats().size(), std::size(cases));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RecordBuffer m(FileId::maschin);
        ASSERT_TRUE(applySheetFormat(m, c.name));
        EXPECT_EQ(m.get(MAS::MFORM), c.name);
        EXPECT_EQ(m.get(MAS::MMAX), c.length);
        EXPECT_EQ(m.get(MAS::MMIN), c.width);
    }
    RecordBuffer m(FileId::maschin);
    applySheetFormat(m, "A3");
    EXPECT_FALSE(applySheetFormat(m, "A5"));
    EXPECT_EQ(m.get(MAS::MFORM), "A3");
    EXPECT_EQ(m.get(MAS::MMAX), 420);
}

TEST(MachineCatalogue, OkPutsTheLongerSideFirstAndKeepsTheFormatName)
{
    RecordBuffer m(FileId::maschin);
    applySheetFormat(m, "A3");
    m.set(MAS::MMAX, 420.0);
    m.set(MAS::MMIN, 500.0);
    acceptMachine(m);
    EXPECT_EQ(m.get(MAS::MMAX), 500);
    EXPECT_EQ(m.get(MAS::MMIN), 420);
    EXPECT_EQ(m.get(MAS::MFORM), "A3");
}

TEST(MachineCatalogue, SpeedFactorsAgainstTheAverage)
{
    struct Case
    {
        double top, lowest;
        double average, topFactor, lowestFactor;
    };
    const Case cases[] = {
        {8000, 4000, 6000, 0.75, 1.5},
        {10000, 10000, 10000, 1, 1},
        {7000, 3000, 5000, 0.714, 1.667},
        {0, 4000, 2000, 0, 0.5},
        {8000, 0, 4000, 0.5, 0},
        {0, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.top << " / " << c.lowest);
        RecordBuffer m(FileId::maschin);
        m.set(MAS::DZMAXFA, 9.0); // left from earlier speeds
        m.set(MAS::DZMINFA, 9.0);
        m.set(MAS::DZMAX, c.top);
        m.set(MAS::DZMIN, c.lowest);
        acceptMachine(m);
        EXPECT_DOUBLE_EQ(m.get(MAS::DZMITTEL), c.average);
        EXPECT_DOUBLE_EQ(m.get(MAS::DZMAXFA), c.topFactor);
        EXPECT_DOUBLE_EQ(m.get(MAS::DZMITFAK), 1);
        EXPECT_DOUBLE_EQ(m.get(MAS::DZMINFA), c.lowestFactor);
    }
}

TEST(CalculationSteps, PickingAMachineCopiesItsDataButNotTopAndLowestSpeed)
{
    RecordBuffer m(FileId::maschin);
    m.set(MAS::MBEZ, "Vierfarben 74");
    m.set(MAS::MMAX, 740.0);
    m.set(MAS::MMIN, 530.0);
    m.set(MAS::MFARB, 4.0);
    m.set(MAS::MFARBW, 18.0);
    m.set(MAS::MDRPR, 0.0125);
    m.set(MAS::DZFARB, 12.0);
    m.set(MAS::DZMAX, 12000.0);
    m.set(MAS::DZMIN, 6000.0);
    deriveMachineSpeeds(m);
    m.set(MAS::DZEINRIC, 25.0);

    RecordBuffer c(FileId::kaldruck);
    copyMachine(m, c);
    EXPECT_EQ(c.get(KAD::KAMBEZ), "Vierfarben 74");
    EXPECT_EQ(c.get(KAD::KAMMAX), 740);
    EXPECT_EQ(c.get(KAD::KAMMIN), 530);
    EXPECT_EQ(c.get(KAD::KAMFARB), 4);
    EXPECT_EQ(c.get(KAD::KAMAFAPR), 18);
    EXPECT_EQ(c.get(KAD::KAMADRPR), 0.0125);
    EXPECT_EQ(c.get(KAD::KAFAZEIT), 12);
    EXPECT_EQ(c.get(KAD::KAMDRV), 9000);
    EXPECT_EQ(c.get(KAD::KAMFAKMA), 0.75);
    EXPECT_EQ(c.get(KAD::KAMFAKTO), 1);
    EXPECT_EQ(c.get(KAD::KAMFAKMI), 1.5);
    EXPECT_EQ(c.get(KAD::KADRPLZEIT), 25);
}

TEST(CalculationSteps, PageChangeDefaultsPaperPiecesAndSumsTheRows)
{
    RecordBuffer c(FileId::kaldruck);
    c.set(KAD::KAALGES, 3000.0);
    c.set(KAD::N1ANZ, 2.0);
    c.set(KAD::N3ANZ, 1.0);
    c.set(KAD::N5ANZ, 4.0);
    c.set(KAD::N1SORT, 9.0); // sorts and copies are not sheets
    applyPageChange(c);
    EXPECT_EQ(c.get(KAD::APSTCK), 3000);
    EXPECT_EQ(c.get(KAD::NGES), 7);

    c.set(KAD::APSTCK, 500.0);
    c.set(KAD::KAALGES, 4000.0);
    applyPageChange(c);
    EXPECT_EQ(c.get(KAD::APSTCK), 500);
}

TEST(CalculationSteps, OpeningClearsANegativeTypesettingSum)
{
    RecordBuffer c(FileId::kaldruck);
    c.set(KAD::ASGPR, 84.0);
    EXPECT_DOUBLE_EQ(typesettingOnOpen(c), 84.0);
    c.set(KAD::ASGPR, -3.0);
    EXPECT_DOUBLE_EQ(typesettingOnOpen(c), 0.0);
    EXPECT_DOUBLE_EQ(c.get(KAD::ASGPR), 0.0);
}

TEST(CalculationSteps, AcceptNamesTheModeRecomputesTimeAndTotals)
{
    struct Case
    {
        int mode;
        double typesetting;
        const char *machineName;
        const char *typesettingFlag;
        double total;
    };
    const Case cases[] = {
        {0, 84.0, "Zweifarben 52", "JA", 181.35}, // 181.345 rounded
        {1, 0.0, "EINFACH", "NEIN", 97.35},
        {2, 0.0, "SCHNELL", "NEIN", 97.35},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.mode);
        RecordBuffer c(FileId::kaldruck);
        c.set(KAD::EINFACH, k.mode);
        c.set(KAD::KAMBEZ, "Zweifarben 52");
        c.set(KAD::KADRPR, 85.0);
        c.set(KAD::APENDPR, 12.345);
        c.set(KAD::ASGPR, 50.0);     // the form's running sum replaces it
        c.set(KAD::KADRZEIT, 999.0); // typed by hand
        c.set(KAD::KAMDRV, 6000.0);
        c.set(KAD::KAAD, 2000.0);
        c.set(KAD::KAFARBE, 4.0);
        c.set(KAD::KAFASCHW, 1.0);
        c.set(KAD::KAFAZEIT, 10.0);
        c.set(KAD::KADRPLZEIT, 20.0);
        c.set(KAD::NGES, 1.0);
        completeOnAccept(c, k.typesetting);
        EXPECT_DOUBLE_EQ(c.get(KAD::KADRZEIT), 70);
        EXPECT_EQ(c.get(KAD::KAMBEZ), k.machineName);
        EXPECT_DOUBLE_EQ(c.get(KAD::ASGPR), k.typesetting);
        EXPECT_EQ(c.get(KAD::ASBEZ), k.typesettingFlag);
        EXPECT_DOUBLE_EQ(c.get(KAD::KGESAMTPR), k.total);
    }
}

} // namespace
