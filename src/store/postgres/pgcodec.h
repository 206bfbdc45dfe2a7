#pragma once

#include "store/engine.h"
#include "store/postgres/connection.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Between a record's bytes and a row: the fields as the server's text forms (texts UTF-8
// without trailing blanks, dates as standard dates, DECIMAL as a float with two places), each
// text field followed by its folded value; and the text form of a record's position.
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

// "<id>" or "<id>;<order tag>;<value>;…": the id finds the record, the key values of the
// order find its neighbours once it is deleted. Plain ASCII without blanks, at most 512
// characters (the values are left out when they would not fit).
struct Position
{
    std::int64_t id = 0;
    std::string tag;
    std::vector<FieldValue> values;
};
std::string encodePosition(const Position &position);
bool decodePosition(std::string_view text, Position &out);

inline constexpr std::size_t kMaxPosition = 512;

} // namespace pgcodec
