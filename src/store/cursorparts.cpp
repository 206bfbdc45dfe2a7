#include "store/cursorparts.h"

#include <algorithm>
#include <cctype>

namespace cursorparts {
namespace {

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x))
                      == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool sameOrder(const KeySpec &a, const KeySpec &b)
{
    if (a.parts.size() != b.parts.size() || a.noCase != b.noCase)
        return false;
    for (std::size_t i = 0; i < a.parts.size(); ++i) {
        if (a.parts[i].field != b.parts[i].field || a.parts[i].descending != b.parts[i].descending)
            return false;
    }
    return true;
}

int keyOf(const FileDef &def, const KeySpec &order)
{
    if (order.parts.empty())
        return -1;
    for (int k = 0; k < def.keyCount; ++k) {
        if (sameOrder(order, KeySpec::ofKey(def.id, k)))
            return k;
    }
    return -1;
}

std::string tagOf(const FileDef &def, const KeySpec &order)
{
    if (order.parts.empty())
        return {};
    if (const int key = keyOf(def, order); key >= 0)
        return 'k' + std::to_string(key);
    std::string tag = "o";
    for (const KeyPart &part : order.parts)
        tag += std::to_string(part.field) + (part.descending ? 'd' : 'a');
    if (order.noCase)
        tag += 'n';
    return tag;
}

bool Option::is(std::string_view optionName) const
{
    return equalNoCase(name, optionName);
}

bool Option::on() const
{
    return equalNoCase(value, "on") || value == "1";
}

Option parseOption(std::string_view option)
{
    const std::size_t eq = option.find('=');
    return Option{trimmed(option.substr(0, eq)),
                  eq == std::string_view::npos ? std::string_view()
                                               : trimmed(option.substr(eq + 1))};
}

} // namespace cursorparts
