#include "costing/core/machinecalculation.h"

#include "base/decimal.h"
#include "costing/core/sheetlayout.h"
#include "store/files/kaldruck.h"
#include "store/recordbuffer.h"

#include <algorithm>
#include <cassert>

namespace costing {
namespace {

struct DistributionRow
{
    RealField sheets; // NkANZ
    RealField sorts;  // NkSORT
    RealField copies; // NkSTCK
};

const DistributionRow kRows[] = {
    {KAD::N1ANZ, KAD::N1SORT, KAD::N1STCK},
    {KAD::N2ANZ, KAD::N2SORT, KAD::N2STCK},
    {KAD::N3ANZ, KAD::N3SORT, KAD::N3STCK},
    {KAD::N4ANZ, KAD::N4SORT, KAD::N4STCK},
    {KAD::N5ANZ, KAD::N5SORT, KAD::N5STCK},
    {KAD::N6ANZ, KAD::N6SORT, KAD::N6STCK},
};
const DistributionRow &kFullSheets = kRows[0];
const DistributionRow &kLastSheet = kRows[2];
const DistributionRow &kSharedSheet = kRows[3];

void correctRun(RecordBuffer &c, std::vector<RunNotice> &notices)
{
    const double sorts = c.get(KAD::KASO);
    double run = c.get(KAD::KAAL);
    double total = c.get(KAD::KAALGES);
    // The run per sort governs: a total that does not match it is overwritten.
    if (run > 0 && total > 0 && total != run * sorts) {
        total = run * sorts;
        notices.push_back(RunNotice::TotalCorrected);
    }
    if (run > 0 && total == 0) {
        total = run * sorts;
        notices.push_back(RunNotice::TotalComputed);
    }
    if (run == 0 && total > 0) {
        run = rt::roundDecimal(total / sorts, 0);
        total = run * sorts;
        notices.push_back(RunNotice::RunPerSortDerived);
    }
    c.set(KAD::KAAL, run);
    c.set(KAD::KAALGES, total);
}

// Both orientations are counted; KAX and KAY keep the last one counted (turned, whenever it
// fits), even when the other gives more copies.
void countCopiesPerSheet(RecordBuffer &c)
{
    const OrientationCounts counts = countOrientations(
        c.get(KAD::KAMMAX), c.get(KAD::KAMMIN), c.get(KAD::KAOMAX), c.get(KAD::KAOMIN));
    for (const OrientationCount *counted : {&counts.lengthwise, &counts.turned}) {
        if (counted->fits) {
            c.set(KAD::KAX, counted->across);
            c.set(KAD::KAY, counted->along);
        }
    }
    c.set(KAD::KAST, counts.chosen().copies());
}

double sheetTotal(const RecordBuffer &c)
{
    double total = 0;
    for (const DistributionRow &row : kRows)
        total += c.get(row.sheets);
    return total;
}

// Sorts go one copy each onto full sheets of KAST sorts; the last sheet takes the sorts left
// and carries each as often as it fits. Worked out directly rather than sheet by sheet, so
// that no count of sorts can keep it going.
void distributeSorts(RecordBuffer &c)
{
    for (const DistributionRow &row : kRows) {
        c.set(row.sheets, 0.0);
        c.set(row.sorts, 0.0);
        c.set(row.copies, 0.0);
    }
    const double sorts = c.get(KAD::KASO);
    const double perSheet = c.get(KAD::KAST);
    assert(sorts > 0 && perSheet >= 1);
    if (perSheet > sorts) {
        // Each sort as often as it fits beside the others: rounded up, 9 copies of 2 sorts
        // would be 10 on the sheet, and every sort's run could not be printed.
        c.set(kSharedSheet.sheets, 1.0);
        c.set(kSharedSheet.sorts, sorts);
        c.set(kSharedSheet.copies, rt::quotientFloor(perSheet, sorts));
    } else {
        const double fullSheets = rt::ceilDecimal(sorts / perSheet) - 1;
        const double rest = sorts - fullSheets * perSheet;
        if (fullSheets > 0) {
            c.set(kFullSheets.sheets, fullSheets);
            // After more than one full sheet the row's sort count is what the sheets leave.
            c.set(kFullSheets.sorts, fullSheets == 1 ? perSheet : rest);
            c.set(kFullSheets.copies, 1.0);
        }
        c.set(kLastSheet.sheets, 1.0);
        c.set(kLastSheet.sorts, rest);
        c.set(kLastSheet.copies, rt::quotientFloor(perSheet, rest));
    }
    c.set(KAD::NGES, sheetTotal(c));
}

void countPrints(RecordBuffer &c)
{
    const double run = c.get(KAD::KAAL);
    double prints = 0;
    // Rows 5 and 6 are typed by hand only and never count here.
    for (int k = 0; k < 4; ++k) {
        const double sheets = c.get(kRows[k].sheets);
        const double copies = c.get(kRows[k].copies);
        if (sheets > 0 && copies > 0)
            prints += sheets * run / copies;
    }
    prints = rt::ceilDecimal(prints);
    const double passes = rt::ceilDecimal(c.get(KAD::KAFARBE) / c.get(KAD::KAMFARB));
    prints *= passes;
    c.set(KAD::KADR, prints);
    c.set(KAD::KAAD, prints * c.get(KAD::KAVH));
}

// Black, when among the colours, needs no colour change; "black included" without any
// colour counts none rather than one taken away.
double colourChanges(const RecordBuffer &c)
{
    return std::max(0.0, c.get(KAD::KAFARBE) - c.get(KAD::KAFASCHW));
}

void priceAndTime(RecordBuffer &c)
{
    const double colourChangePrice = c.get(KAD::KAMAFAPR) * colourChanges(c);
    c.set(KAD::KAFAPR, colourChangePrice);
    c.set(KAD::KADRPR,
          rt::roundDecimal(c.get(KAD::KAMADRPR) * c.get(KAD::KAAD), 2) + colourChangePrice);
    c.set(KAD::KADRZEIT, printTime(c));
}

} // namespace

CalcMessage checkMessage(CalcCheck check)
{
    switch (check) {
    case CalcCheck::Passed:
        break;
    case CalcCheck::NoMachine:
        return {"ACHTUNG", "Bitte eine Druckmaschine auswählen!", true};
    case CalcCheck::NoMachineColours:
        return {"ACHTUNG",
                "Für diese Druckmaschine ist keine Anzahl der Farben angegeben!|"
                "Bitte die Maschine in den Stammdaten ergänzen|"
                "oder eine andere Druckmaschine auswählen.",
                true};
    case CalcCheck::NoLayoutLength:
        return {"ACHTUNG", "Bitte maximale Länge Vorlage angeben!", true};
    case CalcCheck::NoLayoutWidth:
        return {"ACHTUNG", "Bitte minimale Länge der Vorlage angeben!", true};
    case CalcCheck::NoSorts:
        return {"ACHTUNG", "Bitte die Anzahl der Sorten angeben!", true};
    case CalcCheck::NoColours:
        return {"ACHTUNG", "Bitte die Anzahl der Farben angeben (mindestens 1)!", true};
    case CalcCheck::NegativeRun:
        return {"ACHTUNG",
                "Die Auflage darf nicht negativ sein!|"
                "Bitte Gesamtauflage und Stück je Sorte prüfen.",
                true};
    case CalcCheck::NotPrintable:
        return {"A C H T U N G  !!",
                "Mit dieser Maschine ist das eingegebene Format|NICHT  DRUCKBAR !",
                true};
    case CalcCheck::LayoutFitsNowhere:
        return {"ACHTUNG",
                "Die Vorlage passt weder längs noch quer|"
                "auf den Druckbogen dieser Maschine!||"
                "Bitte die Breite der Vorlage prüfen.",
                true};
    }
    return {};
}

CalcMessage noticeMessage(RunNotice notice)
{
    switch (notice) {
    case RunNotice::TotalCorrected:
        return {"HINWEIS",
                "Gesamtauflage wurde korrigiert!|Berechnungsgrundlage:|Auflagenhöhe je Sorte"};
    case RunNotice::TotalComputed:
        return {"HINWEIS", "Gesamtauflage wurde autom. errechnet!"};
    case RunNotice::RunPerSortDerived:
        break;
    }
    return {"HINWEIS",
            "Auflagenhöhe je Sorte wurde autom. ermittelt!||Gesamtauflage wurde angepasst!"};
}

MachineCalculationOutcome runMachineCalculation(RecordBuffer &c)
{
    assert(c.file() == FileId::kaldruck);
    MachineCalculationOutcome outcome;
    auto stop = [&outcome](CalcCheck check, CalcFocus focus) {
        outcome.stoppedBy = check;
        outcome.focus = focus;
        return outcome;
    };

    // Values below 0 are refused like 0: every quotient below needs positive sizes and counts.
    if (c.get(KAD::KAMMAX) <= 0 || c.get(KAD::KAMMIN) <= 0)
        return stop(CalcCheck::NoMachine, CalcFocus::MachineList);
    if (c.get(KAD::KAMFARB) <= 0)
        return stop(CalcCheck::NoMachineColours, CalcFocus::MachineList);
    if (c.get(KAD::KAOMAX) <= 0)
        return stop(CalcCheck::NoLayoutLength, CalcFocus::LayoutLength);
    if (c.get(KAD::KAOMIN) <= 0)
        return stop(CalcCheck::NoLayoutWidth, CalcFocus::LayoutWidth);
    if (c.get(KAD::KASO) <= 0)
        return stop(CalcCheck::NoSorts, CalcFocus::Sorts);
    if (c.get(KAD::KAFARBE) < 1)
        return stop(CalcCheck::NoColours, CalcFocus::Colours);
    if (c.get(KAD::KAAL) < 0 || c.get(KAD::KAALGES) < 0)
        return stop(CalcCheck::NegativeRun, CalcFocus::Run);

    const double sheetLength = c.get(KAD::KAMMAX);
    if (sheetLength < c.get(KAD::KAOMAX))
        return stop(CalcCheck::NotPrintable, CalcFocus::None);
    if (c.get(KAD::KAOMAX) < c.get(KAD::KAOMIN)) {
        const double shorter = c.get(KAD::KAOMAX);
        c.set(KAD::KAOMAX, c.get(KAD::KAOMIN));
        c.set(KAD::KAOMIN, shorter);
        if (sheetLength < c.get(KAD::KAOMAX))
            return stop(CalcCheck::NotPrintable, CalcFocus::None);
    }
    // With the longer side within the sheet length, the layout fits lengthwise exactly when
    // its shorter side is within the sheet width, and turned only then as well.
    if (c.get(KAD::KAOMIN) > c.get(KAD::KAMMIN))
        return stop(CalcCheck::LayoutFitsNowhere, CalcFocus::LayoutWidth);

    correctRun(c, outcome.notices);
    countCopiesPerSheet(c);
    distributeSorts(c);
    countPrints(c);
    priceAndTime(c);
    return outcome;
}

double printTime(const RecordBuffer &c)
{
    const double speed = c.get(KAD::KAMDRV);
    const double running = speed > 0 ? 60 / speed * c.get(KAD::KAAD) : 0;
    return running + c.get(KAD::KAFAZEIT) * colourChanges(c)
           + c.get(KAD::KADRPLZEIT) * c.get(KAD::NGES);
}

} // namespace costing
