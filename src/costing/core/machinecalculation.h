#pragma once

#include <string_view>
#include <vector>

class RecordBuffer;

// The machine calculation of a print job ("Kalkulation" on the calculation form): from the
// machine data copied into the calculation and the job's run, sorts, colours, sides and
// layout it derives copies per sheet, the sheet distribution, prints, price and time.
namespace costing {

// What stopped the calculation, in the order the checks run.
enum class CalcCheck {
    Passed,
    NoMachine,        // sheet length or width 0: no machine chosen
    NoMachineColours, // the machine's colours per pass are 0
    NoLayoutLength,
    NoLayoutWidth,
    NoSorts,
    NoColours,         // fewer than one colour
    NegativeRun,       // a run below 0: the prints would be below 0 as well
    NotPrintable,      // the longer layout side exceeds the sheet length: the form closes
    LayoutFitsNowhere, // the shorter layout side exceeds the sheet width
};

// The control that gets the focus after a check stopped the calculation.
enum class CalcFocus { None, MachineList, LayoutLength, LayoutWidth, Sorts, Colours, Run };

// Corrections of the run, each shown as a notice; the calculation goes on.
enum class RunNotice { TotalCorrected, TotalComputed, RunPerSortDerived };

struct MachineCalculationOutcome
{
    CalcCheck stoppedBy = CalcCheck::Passed;
    CalcFocus focus = CalcFocus::None;
    std::vector<RunNotice> notices;

    bool completed() const { return stoppedBy == CalcCheck::Passed; }
    // Only an unprintable format ends the form (as cancelled); every other check keeps it open.
    bool closesForm() const { return stoppedBy == CalcCheck::NotPrintable; }
};

// A message box's texts; "|" is a line break. Checks beep and show the information icon,
// notices show the information icon without a beep.
struct CalcMessage
{
    std::string_view title;
    std::string_view text;
    bool beep = false;
};
CalcMessage checkMessage(CalcCheck check); // empty texts for Passed
CalcMessage noticeMessage(RunNotice notice);

// Runs the calculation on a kaldruck buffer. A check that fails leaves the buffer as it was,
// except that the layout's sides may already be put in order (longer side first) when the
// layout turns out not to fit.
MachineCalculationOutcome runMachineCalculation(RecordBuffer &calculation);

// Print time in minutes from the buffer's current values: running time at the machine's
// average speed (none without a speed), colour changes and plate set-up per sheet.
double printTime(const RecordBuffer &calculation);

} // namespace costing
