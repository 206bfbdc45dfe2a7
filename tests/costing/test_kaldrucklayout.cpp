// Where the copies of a layout sit on the printing sheet in the calculation form's picture,
// and that the picture always agrees with the copies per sheet the calculation counts.

#include "costing/core/machinecalculation.h"
#include "costing/core/sheetlayout.h"

#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

using namespace costing;

namespace {

struct Case
{
    const char *name;
    double sheetLength, sheetWidth, side1, side2;
    double across, along;
    bool turned;
    PlacedCopy first; // the copy in the sheet's first corner
};

const Case kCases[] = {
    // Lengthwise gives 4, turned 3: the block of 2 × 2 is centred, 53 mm and 40 mm in.
    {"worked example", 700, 500, 297, 210, 2, 2, false, {53, 40, 297, 210}},
    {"typed width first", 700, 500, 210, 297, 2, 2, false, {53, 40, 297, 210}},
    // Turned gives 2 × 7 = 14 against 5 × 2 = 10; the copies stand across the sheet.
    {"turned wins", 700, 500, 250, 100, 2, 7, true, {0, 0, 100, 250}},
    // A tie goes to the turned orientation, as in the calculation.
    {"square layout", 700, 500, 100, 100, 5, 7, true, {0, 0, 100, 100}},
    {"only lengthwise", 700, 500, 600, 400, 1, 1, false, {50, 50, 600, 400}},
    {"sheet exactly", 700, 500, 700, 500, 1, 1, false, {0, 0, 700, 500}},
};

TEST(SheetPicture, CopiesAreCentredInTheChosenOrientation)
{
    for (const Case &k : kCases) {
        SCOPED_TRACE(k.name);
        const SheetPicture p = pictureOfSheet(k.sheetLength, k.sheetWidth, k.side1, k.side2);
        ASSERT_TRUE(p.fits());
        EXPECT_EQ(p.across, k.across);
        EXPECT_EQ(p.along, k.along);
        EXPECT_EQ(p.turned, k.turned);
        ASSERT_EQ(p.copies.size(), static_cast<std::size_t>(k.across * k.along));
        EXPECT_TRUE(p.complete);
        EXPECT_DOUBLE_EQ(p.copies.front().x, k.first.x);
        EXPECT_DOUBLE_EQ(p.copies.front().y, k.first.y);
        EXPECT_DOUBLE_EQ(p.copies.front().length, k.first.length);
        EXPECT_DOUBLE_EQ(p.copies.front().width, k.first.width);
        // Every copy lies on the sheet and none overlaps another.
        for (std::size_t i = 0; i < p.copies.size(); ++i) {
            const PlacedCopy &a = p.copies[i];
            EXPECT_GE(a.x, 0);
            EXPECT_GE(a.y, 0);
            EXPECT_LE(a.x + a.length, k.sheetLength + 1e-9);
            EXPECT_LE(a.y + a.width, k.sheetWidth + 1e-9);
            for (std::size_t j = i + 1; j < p.copies.size(); ++j) {
                const PlacedCopy &b = p.copies[j];
                const bool apart = a.x + a.length <= b.x + 1e-9 || b.x + b.length <= a.x + 1e-9
                                   || a.y + a.width <= b.y + 1e-9 || b.y + b.width <= a.y + 1e-9;
                EXPECT_TRUE(apart) << "copies " << i << " and " << j;
            }
        }
    }
}

TEST(SheetPicture, AgreesWithTheCopiesPerSheetOfTheCalculation)
{
    for (const Case &k : kCases) {
        SCOPED_TRACE(k.name);
        RecordBuffer c(FileId::kaldruck);
        c.set(KAD::KAMMAX, k.sheetLength);
        c.set(KAD::KAMMIN, k.sheetWidth);
        c.set(KAD::KAMFARB, 4.0);
        c.set(KAD::KAOMAX, k.side1);
        c.set(KAD::KAOMIN, k.side2);
        c.set(KAD::KASO, 1.0);
        c.set(KAD::KAAL, 100.0);
        c.set(KAD::KAFARBE, 1.0);
        c.set(KAD::KAVH, 1.0);
        ASSERT_TRUE(runMachineCalculation(c).completed());
        EXPECT_EQ(pictureOfSheet(c).count(), c.get(KAD::KAST));
    }
}

TEST(SheetPicture, NothingIsPlacedWhenTheLayoutDoesNotFitOrIsMissing)
{
    struct Missing
    {
        const char *name;
        double sheetLength, sheetWidth, side1, side2;
        bool hasSheet, hasLayout;
    };
    const Missing cases[] = {
        {"longer side beyond the sheet length", 700, 500, 720, 100, true, true},
        {"shorter side beyond the sheet width", 700, 500, 650, 510, true, true},
        {"no machine", 0, 0, 297, 210, false, true},
        {"no layout width", 700, 500, 297, 0, true, false},
        {"negative sizes", -700, 500, 297, -210, false, false},
    };
    for (const Missing &k : cases) {
        SCOPED_TRACE(k.name);
        const SheetPicture p = pictureOfSheet(k.sheetLength, k.sheetWidth, k.side1, k.side2);
        EXPECT_FALSE(p.fits());
        EXPECT_TRUE(p.copies.empty());
        EXPECT_EQ(p.hasSheet(), k.hasSheet);
        EXPECT_EQ(p.hasLayout(), k.hasLayout);
    }
    // The misfit keeps its sizes so that the picture can show how far it reaches.
    const SheetPicture tooLong = pictureOfSheet(700, 500, 100, 720);
    EXPECT_EQ(tooLong.layoutLength, 720);
    EXPECT_EQ(tooLong.layoutWidth, 100);
}

TEST(SheetPicture, VeryManyCopiesArePlacedOnlyUpToTheLimit)
{
    const SheetPicture p = pictureOfSheet(700, 500, 5, 5);
    EXPECT_EQ(p.count(), 140 * 100);
    EXPECT_EQ(p.copies.size(), static_cast<std::size_t>(kMaxPlacedCopies));
    EXPECT_FALSE(p.complete);
}

} // namespace
