#pragma once

class RecordBuffer;

// The arithmetic of the calculation form outside "Kalkulation": picking a machine, opening,
// switching pages and accepting.
namespace costing {

// Copies the picked machine (maschin buffer) into the calculation; the calculation keeps the
// copies when the catalogue changes later. Top and lowest speed stay behind: only the average
// is calculated with.
void copyMachine(const RecordBuffer &machine, RecordBuffer &calculation);

// The calculation's typesetting sum as the form starts its running sum with; a sum below 0
// is cleared in the calculation too.
double typesettingOnOpen(RecordBuffer &calculation);

// Page change: paper pieces default to the total run, and the sheet total follows the rows,
// which is how sheet counts typed into the rows reach it.
void applyPageChange(RecordBuffer &calculation);

// The total shown as "kalkul. Gesamtpreis/ EUR": the typesetting lines' running sum + paper
// + print, as OK will store it, so that the form shows the same while it is open.
double CalcDisplayTotal(const RecordBuffer &calculation, double workCalcTypesetting);

// OK, after the form's own checks: the print time follows the current values, the machine
// name says the mode, and typesetting and total take the form's running typesetting sum.
void completeOnAccept(RecordBuffer &calculation, double workCalcTypesetting);

} // namespace costing
