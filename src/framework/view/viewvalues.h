#pragma once

#include "store/recordbuffer.h"

#include <string>

// Range values between record buffers and filter texts.
namespace viewvalues {

// A value as a filter text writes it: a text between single quotes with every quote inside
// doubled, wrapped in UPPER(...) when it is compared without regard to case; a number as it
// is, in the fewest digits that read back the same.
std::string filterValue(const FieldValue &value, bool upper);

// Stores a value into a field of any kind: a number given for a text field becomes its
// digits, a text given for a number field is read as a number.
void store(RecordBuffer &buffer, int field, const FieldValue &value);

} // namespace viewvalues
