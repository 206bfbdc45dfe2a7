#pragma once

#include "store/engine.h"
#include "store/postgres/connection.h"
#include "store/recordposition.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Between a record's bytes and a row: the fields as the server's text forms (texts UTF-8
// without trailing blanks, dates as standard dates, DECIMAL as a float with two places), each
// text field followed by its folded value.
namespace pgcodec {

Oid typeOf(FieldType type);
Oid typeOf(const FieldValue &value);
std::string textOf(const FieldValue &value);

// Adds every field of the record, and after the fields the folded value of every text field
// (the columns of the row in that order).
void addRecord(pg::Params &params, const FileDef &def, const RecordBuffer &record);
// Adds a value as a component of an order: folded when the order ignores case and the
// field holds text.
void addComponent(pg::Params &params,
                  const FileDef &def,
                  const KeyPart &part,
                  bool noCase,
                  const FieldValue &value);
// Reads the fields of a row from its columns first … first + fieldCount - 1.
void readRecord(const pg::Result &row, int index, int first, RecordBuffer &record);

std::vector<FieldValue> keyValues(const KeySpec &order, const RecordBuffer &record);

// A position of this engine's (store/recordposition.h): the server hands out positive ids
// only.
bool decodePosition(std::string_view text, recordposition::Position &out);

} // namespace pgcodec
