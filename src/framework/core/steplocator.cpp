#include "steplocator.h"

#include "base/text.h"

namespace {

std::string firstChar(std::string_view utf8, bool noCase)
{
    const std::string first = rt::leftChars(utf8, 1);
    return noCase ? rt::upperUtf8(first) : first;
}

} // namespace

LocatorStep locatorKey(std::string_view current, std::string_view typed, bool hasRows, bool noCase)
{
    LocatorStep step;
    step.searchValue = std::string(current);
    const std::string ch = rt::leftChars(typed, 1);
    if (ch.empty())
        return step;
    step.handled = true;
    step.moveDown = hasRows;
    if (!current.empty() && firstChar(current, noCase) == firstChar(ch, noCase))
        return step;
    step.searchValue = ch;
    step.reload = true;
    return step;
}

std::string locatorKeyValue(std::string_view searchValue, bool noCase)
{
    const std::string_view trimmed = rt::trimmed(searchValue);
    return noCase ? rt::upperUtf8(trimmed) : std::string(trimmed);
}
