#include "costing/core/sheetlayout.h"

#include "base/decimal.h"
#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <algorithm>

namespace costing {

OrientationCounts
countOrientations(double sheetLength, double sheetWidth, double layoutLength, double layoutWidth)
{
    OrientationCounts counts;
    if (layoutWidth <= sheetWidth) {
        counts.lengthwise.fits = true;
        counts.lengthwise.across = rt::quotientFloor(sheetWidth, layoutWidth);
        counts.lengthwise.along = rt::quotientFloor(sheetLength, layoutLength);
    }
    if (layoutLength <= sheetWidth) {
        counts.turned.fits = true;
        counts.turned.across = rt::quotientFloor(sheetWidth, layoutLength);
        counts.turned.along = rt::quotientFloor(sheetLength, layoutWidth);
    }
    return counts;
}

SheetPicture
pictureOfSheet(double sheetLength, double sheetWidth, double layoutSide1, double layoutSide2)
{
    SheetPicture picture;
    picture.sheetLength = std::max(sheetLength, 0.0);
    picture.sheetWidth = std::max(sheetWidth, 0.0);
    picture.layoutLength = std::max({layoutSide1, layoutSide2, 0.0});
    picture.layoutWidth = std::max(std::min(layoutSide1, layoutSide2), 0.0);
    if (!picture.hasSheet() || !picture.hasLayout())
        return picture;

    const OrientationCounts counts = countOrientations(
        picture.sheetLength, picture.sheetWidth, picture.layoutLength, picture.layoutWidth);
    const OrientationCount &chosen = counts.chosen();
    picture.turned = counts.turnedChosen();
    picture.across = chosen.across;
    picture.along = chosen.along;
    if (!picture.fits())
        return picture;

    const double copyLength = picture.turned ? picture.layoutWidth : picture.layoutLength;
    const double copyWidth = picture.turned ? picture.layoutLength : picture.layoutWidth;
    const double left = (picture.sheetLength - picture.along * copyLength) / 2;
    const double top = (picture.sheetWidth - picture.across * copyWidth) / 2;
    for (int row = 0; row < picture.across; ++row) {
        for (int column = 0; column < picture.along; ++column) {
            if (picture.copies.size() >= static_cast<std::size_t>(kMaxPlacedCopies)) {
                picture.complete = false;
                return picture;
            }
            picture.copies.push_back(
                {left + column * copyLength, top + row * copyWidth, copyLength, copyWidth});
        }
    }
    return picture;
}

SheetPicture pictureOfSheet(const RecordBuffer &c)
{
    return pictureOfSheet(
        c.get(KAD::KAMMAX), c.get(KAD::KAMMIN), c.get(KAD::KAOMAX), c.get(KAD::KAOMIN));
}

} // namespace costing
