#pragma once

#include "store/engine.h"
#include "store/layout.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The filter and order texts of views, turned into a filter tree (store/filtertree.h) and
// an ordering that the storage engine runs.
//
// A filter text is what the view manager builds from range limits and named filters, or what
// a user wrote as a named filter:
//
//     AUF:FKUID = 'K0001' AND AUF:FDATUM >= 81234 AND AUF:FDATUM <= 81300 AND (AUF:FSTAT = 'A')
//     UPPER(KUN:KNAME) >= UPPER('O''Brien') OR NOT (KUN:KRAB > 2.5)
//
// Operands are field names (qualified or bare), texts in single quotes ('' for a quote
// inside), numbers (-12, 3.75, 1e6) and UPPER(...) around a field or a text. Operators are
// =, <>, <, >, <=, >=, joined by AND, OR and NOT, grouped by parentheses. Keywords and field
// names ignore letter case; blanks between tokens are free.
//
// In the tree every comparison has its field on the left (a value written first is turned
// round), and the parentheses stay where the text has them. Values take the field's kind:
// texts are held without trailing blanks as the records hold them; numbers and dates as
// numbers (a date as its day number, also from a quoted 'dd.mm.yyyy').
//
// Nothing here throws. A text that cannot be read gives an error text for the caller's
// message and no filter.

// Longer texts are refused rather than cut: a cut could silently drop a condition.
inline constexpr std::size_t kMaxViewTextLength = 5000;
// Deepest nesting of parentheses and NOT.
inline constexpr int kMaxViewNesting = 64;

struct FilterField
{
    std::uint16_t index; // the field's number in the view's primary file
    FieldType type;
};

// A field name of a filter text as a field of the view's primary file; nullopt when the
// name is not one of its fields.
using FilterFieldResolver = std::function<std::optional<FilterField>(std::string_view name)>;

// The fields of one file, by "KUN:KNAME" or "KNAME", ignoring letter case. Keeps a reference
// to the file's definition, which lives as long as the program.
FilterFieldResolver fileFieldResolver(const FileDef &file);

struct FilterParseResult
{
    FilterTree filter; // empty for a blank text: no condition
    std::string error;
    bool ok() const { return error.empty(); }
};

FilterParseResult parseFilter(std::string_view text, const FilterFieldResolver &resolver);

struct OrderParseResult
{
    KeySpec order; // no parts for a blank text: stored order
    std::string error;
    bool ok() const { return error.empty(); }
};

// An order text: fields of the file separated by commas, each optionally preceded by "-"
// (descending) or "+" and optionally wrapped in UPPER(...). KeySpec knows one letter-case
// rule for all its text components, so one UPPER makes every text component ignore case.
OrderParseResult parseOrder(std::string_view text, const FileDef &file);
