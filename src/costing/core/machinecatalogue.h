#pragma once

#include <span>
#include <string_view>

class RecordBuffer;

// The rules of the machine catalogue form: sheet formats, side order and speed factors.
namespace costing {

struct SheetFormat
{
    std::string_view name;
    double length; // mm
    double width;  // mm
};

// "A0" … "A4", the format buttons of the machine form.
std::span<const SheetFormat> sheetFormats();

// Sets MAS:MFORM and the sheet size of a format; false (nothing changed) for an unknown name.
bool applySheetFormat(RecordBuffer &machine, std::string_view name);

// Average speed and the factors of top, average and lowest speed against it, to 0.001.
// A speed of 0 gives its factor 0: there is nothing to compare with.
void deriveMachineSpeeds(RecordBuffer &machine);

// OK of the machine form: the sheet length is always the longer side, then the speeds.
void acceptMachine(RecordBuffer &machine);

} // namespace costing
