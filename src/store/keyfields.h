#pragma once

#include "store/recordbuffer.h"

// Setting key components in a record buffer for starting passes and numbering records.

// The value of a field read as a number; a text counts by its leading digits ("12A" is 12,
// "K1" is 0).
double numericValue(const RecordBuffer &buffer, int field);
// Stores a number into a field of any type (a text gets its decimal digits).
void setNumber(RecordBuffer &buffer, int field, double value);
// Blank or zero: where an ascending component starts.
void setLowest(RecordBuffer &buffer, int field);
// The highest value the field can hold in key order: where a descending component starts.
void setHighest(RecordBuffer &buffer, int field);
