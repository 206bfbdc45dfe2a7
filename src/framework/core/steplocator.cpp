#include "steplocator.h"

#include "base/text.h"

namespace {

std::string firstChar(std::string_view utf8, bool noCase)
{
    const std::string first = rt::leftChars(utf8, 1);
    return noCase ? rt::upperUtf8(first) : first;
}

std::size_t charCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

void dropLastChar(std::string &utf8)
{
    while (!utf8.empty() && (static_cast<unsigned char>(utf8.back()) & 0xC0) == 0x80)
        utf8.pop_back();
    if (!utf8.empty())
        utf8.pop_back();
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

LocatorStep prefixLocatorKey(TypedPrefix &prefix,
                             std::string_view current,
                             std::string_view typed,
                             bool backspace,
                             bool hasRows,
                             bool noCase,
                             std::int64_t now)
{
    LocatorStep step;
    step.searchValue = std::string(current);
    if (backspace) {
        if (prefix.text.empty())
            return step;
        step.handled = true;
        dropLastChar(prefix.text);
        prefix.lastKey = now;
        prefix.walking = false;
        step.searchValue = prefix.text;
        step.reload = !prefix.text.empty();
        return step;
    }
    const std::string ch = rt::leftChars(typed, 1);
    if (ch.empty())
        return step;
    const bool quick = !prefix.text.empty() && now - prefix.lastKey <= kPrefixPause;
    prefix.lastKey = now;
    const bool sameLetterAgain = quick && charCount(prefix.text) == 1
                                 && firstChar(prefix.text, noCase) == firstChar(ch, noCase);
    if (!quick || prefix.walking || sameLetterAgain) {
        step = locatorKey(current, ch, hasRows, noCase);
        prefix.walking = !step.reload;
        prefix.text = step.searchValue;
        return step;
    }
    prefix.text += ch;
    step.handled = true;
    step.moveDown = hasRows;
    step.reload = true;
    step.searchValue = prefix.text;
    return step;
}
