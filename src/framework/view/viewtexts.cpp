// Sort orders, ranges and named filters, and the order and filter texts built from them.

#include "framework/view/viewmanager.h"

#include "framework/view/viewvalues.h"
#include "base/text.h"

#include <algorithm>

namespace {

constexpr std::size_t kFilterIdChars = 30;

// The key's components as filters and orders name them; none for a key its file manager
// does not know.
std::vector<KeyComponent> componentsOf(const FileManager &file, KeyRef key)
{
    const KeyDescription *description = file.keyDescription(key);
    return description ? description->FIELDS : std::vector<KeyComponent>{};
}

FieldRef fieldRef(FileId file, int field)
{
    FieldRef ref;
    ref.file = file;
    ref.index = static_cast<std::uint16_t>(field);
    return ref;
}

// The components before the one numbered `component`, each limited to `leading` in turn and,
// past its end, to its own value in the buffer.
void addLeading(std::vector<RangePair> &pairs,
                const std::vector<KeyComponent> &components,
                int component,
                FileId file,
                const std::vector<RangeValue> &leading)
{
    for (int i = 1; i < component; ++i) {
        const auto n = static_cast<std::size_t>(i - 1);
        const FieldRef left = fieldRef(file, components[n].FIELD);
        pairs.push_back({left, n < leading.size() ? leading[n] : RangeValue(left), {}});
    }
}

std::string orderTextOf(const std::vector<KeyComponent> &components)
{
    std::string text;
    for (const KeyComponent &component : components) {
        if (!text.empty())
            text += ',';
        if (!component.ASCEND)
            text += '-';
        text += component.FIELDNAME;
    }
    return text;
}

} // namespace

int ViewManager::AddOrdering(KeyRef key)
{
    std::unique_ptr<SortOrder> order = CreateOrder();
    order->MAINKEY = key;
    const std::vector<KeyComponent> components = componentsOf(*PRIMARY->ME, key);
    if (!components.empty())
        order->FREEELEMENT = fieldRef(key.file, components.front().FIELD);
    order->ORDER = orderTextOf(components);
    ORDER->push_back(std::move(order));
    // Ranges and filters set up next belong to this order.
    m_current = static_cast<int>(ORDER->size()) - 1;
    return static_cast<int>(ORDER->size());
}

int ViewManager::componentOf(const SortOrder &order, FieldRef field) const
{
    if (field.file != order.MAINKEY.file)
        return 0;
    const std::vector<KeyComponent> components = componentsOf(*PRIMARY->ME, order.MAINKEY);
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (components[i].FIELD == field.index)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void ViewManager::AddRangeLimit(FieldRef field, RangeValue value)
{
    SortOrder *order = currentOrder();
    if (!order)
        return;
    order->LIMITTYPE = LimitType::Value;
    order->RANGELIST.clear();
    addLeading(order->RANGELIST,
               componentsOf(*PRIMARY->ME, order->MAINKEY),
               componentOf(*order, field),
               field.file,
               {});
    order->RANGELIST.push_back({field, std::move(value), {}});
    rangeChanged(*order);
}

void ViewManager::AddRangeFromRelation(RelationKeeper &parent, RelationKeeper &child)
{
    SortOrder *order = currentOrder();
    if (!order)
        return;
    order->LIMITTYPE = LimitType::Relation;
    order->RANGELIST.clear();
    for (const Relation &relation : parent.RELATIONS) {
        if (relation.FILE != &child || relation.FIELDS.empty())
            continue;
        for (const LinkPair &link : relation.FIELDS)
            order->RANGELIST.push_back({link.RIGHT, RangeValue(link.LEFT), {}});
        break;
    }
    rangeChanged(*order);
}

void ViewManager::SetFixedRange(FieldRef field, std::vector<FieldValue> values)
{
    SortOrder *order = currentOrder();
    if (!order)
        return;
    order->LIMITTYPE = LimitType::Fixed;
    order->RANGELIST.clear();
    std::vector<RangeValue> given(values.begin(), values.end());
    const int component = componentOf(*order, field);
    addLeading(
        order->RANGELIST, componentsOf(*PRIMARY->ME, order->MAINKEY), component, field.file, given);
    const auto last = static_cast<std::size_t>(std::max(component, 1) - 1);
    order->RANGELIST.push_back({field, last < given.size() ? given[last] : RangeValue(field), {}});
    rangeChanged(*order);
}

void ViewManager::SetRangeBetween(FieldRef field,
                                  std::vector<RangeValue> leading,
                                  RangeValue low,
                                  RangeValue high)
{
    SortOrder *order = currentOrder();
    if (!order)
        return;
    order->LIMITTYPE = LimitType::Between;
    order->RANGELIST.clear();
    addLeading(order->RANGELIST,
               componentsOf(*PRIMARY->ME, order->MAINKEY),
               componentOf(*order, field),
               field.file,
               leading);
    order->RANGELIST.push_back({field, std::move(low), {}});
    order->RANGELIST.push_back({field, std::move(high), {}});
    rangeChanged(*order);
}

void ViewManager::rangeChanged(SortOrder &order)
{
    const std::vector<KeyComponent> components = componentsOf(*PRIMARY->ME, order.MAINKEY);
    const int free = FreeElementPosition();
    if (free > 0)
        order.FREEELEMENT
            = fieldRef(order.MAINKEY.file, components[static_cast<std::size_t>(free - 1)].FIELD);
    else
        order.FREEELEMENT.reset();
    order.ORDER = orderTextOf(components);
}

int ViewManager::FreeElementPosition()
{
    const SortOrder *order = currentOrder();
    if (!order)
        return 0;
    const auto components = static_cast<int>(componentsOf(*PRIMARY->ME, order->MAINKEY).size());
    int position = static_cast<int>(order->RANGELIST.size());
    if (order->LIMITTYPE != LimitType::Between)
        ++position;
    return components == 0 || position > components ? 0 : position;
}

std::string ViewManager::FreeElementName()
{
    const SortOrder *order = currentOrder();
    if (!order || !order->FREEELEMENT)
        return {};
    return fileDef(order->FREEELEMENT->file).qualifiedFieldName(order->FREEELEMENT->index);
}

std::vector<const RangePair *> ViewManager::equalPairs(const SortOrder &order) const
{
    std::vector<const RangePair *> pairs;
    std::size_t count = order.RANGELIST.size();
    if (order.LIMITTYPE == LimitType::None)
        count = 0;
    else if (order.LIMITTYPE == LimitType::Between)
        count = count >= 2 ? count - 2 : 0;
    for (std::size_t i = 0; i < count; ++i)
        pairs.push_back(&order.RANGELIST[i]);
    return pairs;
}

FieldValue ViewManager::currentValue(const RangeValue &value) const
{
    if (value.fixed)
        return *value.fixed;
    const FieldRef field = *value.field;
    return PRIMARY->ME->services().threads().current()[field.file].value(field.index);
}

// --- texts -----------------------------------------------------------------------------------

std::string ViewManager::FilterText() const
{
    const SortOrder *order = currentOrder();
    if (!order)
        return {};
    const std::vector<KeyComponent> components = componentsOf(*PRIMARY->ME, order->MAINKEY);
    std::string text;
    auto add = [&text](const std::string &condition) {
        if (!text.empty())
            text += " AND ";
        text += condition;
    };
    auto condition = [&](const RangePair &pair, const char *op) {
        std::string name = fileDef(pair.LEFT.file).qualifiedFieldName(pair.LEFT.index);
        const int component = componentOf(*order, pair.LEFT);
        if (component > 0)
            name = components[static_cast<std::size_t>(component - 1)].FIELDNAME;
        const bool upper = name.starts_with("UPPER(");
        return name + op + viewvalues::filterValue(currentValue(pair.RIGHT), upper);
    };
    const std::vector<RangePair> &pairs = order->RANGELIST;
    for (const RangePair *pair : equalPairs(*order))
        add(condition(*pair, " = "));
    if (order->LIMITTYPE == LimitType::Between && pairs.size() >= 2) {
        add(condition(pairs[pairs.size() - 2], " >= "));
        add(condition(pairs[pairs.size() - 1], " <= "));
    }
    for (const NamedFilter &filter : order->FILTER)
        add('(' + filter.FILTER + ')');
    return text;
}

void ViewManager::BuildFilter()
{
    const std::string text = FilterText();
    if (SortOrder *order = currentOrder()) {
        for (RangePair &pair : order->RANGELIST)
            pair.BUFFER = currentValue(pair.RIGHT);
    }
    // A longer text is refused by the view rather than cut: a cut one could be another
    // filter that still reads.
    if (!VIEW->setFilter(text).empty())
        reportRefusal();
}

bool ViewManager::BuildRange()
{
    const SortOrder *order = currentOrder();
    if (!order)
        return false;
    const bool changed
        = std::any_of(order->RANGELIST.begin(), order->RANGELIST.end(), [&](const RangePair &p) {
              return !p.BUFFER || *p.BUFFER != currentValue(p.RIGHT);
          });
    if (!changed)
        return false;
    BuildFilter();
    return true;
}

void ViewManager::BuildOrder()
{
    const SortOrder *order = currentOrder();
    if (VIEW->setOrder(order ? order->ORDER : std::string()).empty())
        return;
    reportRefusal();
    if (order)
        VIEW->setOrder(KeySpec::ofKey(order->MAINKEY.file, order->MAINKEY.index));
}

void ViewManager::DefineOrder(std::string_view text)
{
    if (SortOrder *order = currentOrder())
        order->ORDER = std::string(text);
}

void ViewManager::DefineFilter(std::string_view text)
{
    SetNamedFilter(text, kDefaultFilterId);
}

void ViewManager::SetNamedFilter(std::string_view text, std::string_view id)
{
    SortOrder *order = currentOrder();
    if (!order)
        return;
    const std::string key = rt::leftChars(id, kFilterIdChars);
    std::vector<NamedFilter> &filters = order->FILTER;
    std::erase_if(filters, [&](const NamedFilter &f) { return f.ID == key; });
    if (rt::isBlank(text))
        return;
    const auto at = std::lower_bound(
        filters.begin(), filters.end(), key, [](const NamedFilter &f, const std::string &k) {
            return f.ID < k;
        });
    filters.insert(at, NamedFilter{key, std::string(text)});
}
