#pragma once

#include "store/engine.h"
#include "store/sqlite/database.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Between a record's bytes (the buffer layout, texts in Windows-1252) and a row's columns
// (texts in UTF-8 without trailing blanks, dates as standard dates, DECIMAL as REAL with two
// places).
namespace rowcodec {

// Reads the fields from the columns first … first + fieldCount - 1 of the current row.
void readRecord(const sqlite::Statement &row, int firstColumn, const FileDef &def, char *record);

// Binds the fields as the parameters first … first + fieldCount - 1 and the folded values of
// the keys that ignore case after them (store/foldedkey.h). Texts that are plain ASCII are
// bound straight from the record, the others and the folded values through scratch; record
// and scratch must stay unchanged until the statement has been stepped.
void bindRecord(sqlite::Statement &statement,
                int firstParam,
                const FileDef &def,
                const char *record,
                std::vector<std::string> &scratch);

FieldValue fieldValue(const FileDef &def, int field, const char *record);
std::vector<FieldValue> keyValues(const FileDef &def, const KeySpec &order, const char *record);
void bindValue(sqlite::Statement &statement, int index, const FieldValue &value);
// Binds the values of an order's components from first on, as the order compares them: the
// texts of an order that ignores case folded.
void bindKeyValues(sqlite::Statement &statement,
                   int firstParam,
                   const FileDef &def,
                   const KeySpec &order,
                   const std::vector<FieldValue> &values);

// The values that sort first (lowest) or last (highest) for each component of an order;
// they bound the start of a pass. Every text sorts after '' and before any BLOB, every
// number between -inf and +inf.
void bindExtremes(sqlite::Statement &statement,
                  int firstParam,
                  const FileDef &def,
                  const KeySpec &order,
                  bool forward);

// A record's position (store/recordposition.h), its key values in `order` taken from its
// bytes.
std::string encodePosition(std::int64_t rowid,
                           const std::string &tag,
                           const FileDef &def,
                           const KeySpec &order,
                           const char *record);

} // namespace rowcodec
