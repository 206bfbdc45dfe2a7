#pragma once

#include "store/recordbuffer.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The text form of a record's position, as every engine's cursor hands it out:
// "<id>" or "<id>;<order tag>;<value>;…". The id finds the record, the key values of the
// order find its neighbours once it is deleted. Plain ASCII without blanks, at most
// kMaxLength characters (the values are left out when they would not fit).
namespace recordposition {

inline constexpr std::size_t kMaxLength = 512;

struct Position
{
    std::int64_t id = 0;
    std::string tag;
    std::vector<FieldValue> values;
};

std::string encode(const Position &position);
// One value as a position holds it: ";i<int>", ";r<double>" or ";s<text>", a text by its
// Windows-1252 bytes (one byte a letter keeps positions short).
void appendValue(std::string &text, const FieldValue &value);
// A text value from its Windows-1252 bytes as a record holds them.
void appendText(std::string &text, std::string_view cp1252);
// The order's tag, escaped as the values are.
void appendTag(std::string &text, std::string_view tag);

// "<id>;<tag>" and what `appendValues` adds to it; the id alone without a tag or when the
// whole would be too long.
template<typename AppendValues>
std::string encodeTagged(std::int64_t id, const std::string &tag, AppendValues appendValues)
{
    std::string text = std::to_string(id);
    if (tag.empty())
        return text;
    std::string full = text + ';';
    appendTag(full, tag);
    appendValues(full);
    return full.size() <= kMaxLength ? full : text;
}

// False for a text no cursor made (id 0 included).
bool decode(std::string_view text, Position &out);

} // namespace recordposition
