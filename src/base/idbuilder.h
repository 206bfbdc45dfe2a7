#pragma once

#include "stddate.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace rt {

// Internal identifiers: a prefix letter, today's day number and the time of day as decimal
// digits, cut to the field width. Two records created in the same hundredth of a second
// would share an id (and so each other's children), so the builder advances the time part
// by one hundredth while the id was already handed out in this process or is taken in the
// file.
class IdBuilder
{
public:
    using TakenInFile = std::function<bool(const std::string &id)>;

    // `prefix` may be empty (the generated order number has none).
    std::string next(std::string_view prefix, std::size_t width, const TakenInFile &taken = {});

    // The plain form, without the uniqueness guard.
    static std::string
    compose(std::string_view prefix, StdDate date, StdTime time, std::size_t width);

private:
    std::set<std::string> m_handedOut;
};

} // namespace rt
