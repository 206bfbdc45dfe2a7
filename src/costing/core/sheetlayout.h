#pragma once

#include <vector>

class RecordBuffer;

// How copies of a layout sit on a machine's printing sheet: the two orientations the machine
// calculation counts, and the copies of the chosen one placed on the sheet for the picture on
// the calculation form. Lengths in mm; x runs along the sheet length, y across its width.
namespace costing {

// Copies of one orientation: `across` the sheet width times `along` its length.
struct OrientationCount
{
    bool fits = false;
    double across = 0;
    double along = 0;
    double copies() const { return across * along; }
};

struct OrientationCounts
{
    OrientationCount lengthwise; // layout length along the sheet length
    OrientationCount turned;     // layout length across the sheet width
    // The calculation's choice: lengthwise only when it gives strictly more copies.
    bool turnedChosen() const { return turned.copies() >= lengthwise.copies(); }
    const OrientationCount &chosen() const { return turnedChosen() ? turned : lengthwise; }
};

// `layoutLength` is the longer layout side; every size must be positive. An orientation is
// counted when the layout's side across the sheet fits its width; the count along the sheet
// length then says whether any copy fits at all.
OrientationCounts
countOrientations(double sheetLength, double sheetWidth, double layoutLength, double layoutWidth);

struct PlacedCopy
{
    double x = 0;
    double y = 0;
    double length = 0; // along x
    double width = 0;  // along y
};

struct SheetPicture
{
    double sheetLength = 0;
    double sheetWidth = 0;
    // The layout as typed, longer side first; 0 when not given.
    double layoutLength = 0;
    double layoutWidth = 0;
    bool turned = false;
    double across = 0;
    double along = 0;
    // The block of copies is centred on the sheet. At most kMaxPlacedCopies are placed; a
    // picture cannot show more anyway.
    std::vector<PlacedCopy> copies;
    bool complete = true;

    bool hasSheet() const { return sheetLength > 0 && sheetWidth > 0; }
    bool hasLayout() const { return layoutLength > 0 && layoutWidth > 0; }
    double count() const { return across * along; }
    bool fits() const { return count() > 0; }
};

inline constexpr int kMaxPlacedCopies = 2000;

SheetPicture
pictureOfSheet(double sheetLength, double sheetWidth, double layoutSide1, double layoutSide2);
// From the calculation's machine sheet (KAD:KAMMAX × KAD:KAMMIN) and layout.
SheetPicture pictureOfSheet(const RecordBuffer &calculation);

} // namespace costing
