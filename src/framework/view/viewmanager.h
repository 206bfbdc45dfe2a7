#pragma once

#include "framework/view/view.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Kinds of range (`LIMITTYPE`): which key components the view is limited to, and how.
namespace LimitType {
inline constexpr std::uint8_t None = 0;
inline constexpr std::uint8_t Fixed = 1;    // fixed values set by the list
inline constexpr std::uint8_t Value = 2;    // given values
inline constexpr std::uint8_t Between = 3;  // given values, the last component low to high
inline constexpr std::uint8_t Relation = 4; // the linking fields of the parent record
} // namespace LimitType

// What a range component is limited to: a fixed value, or a field whose value counts as it
// stands in the current thread's buffer when the range is built.
struct RangeValue
{
    // NOLINTBEGIN(google-explicit-constructor): values and fields name themselves
    RangeValue(FieldValue value)
        : fixed(std::move(value))
    {}
    RangeValue(const char *text)
        : fixed(std::string(text))
    {}
    RangeValue(std::string text)
        : fixed(std::move(text))
    {}
    RangeValue(std::int32_t number)
        : fixed(number)
    {}
    RangeValue(double number)
        : fixed(number)
    {}
    RangeValue(FieldRef field)
        : field(field)
    {}
    template<FieldType T>
    RangeValue(Field<T> field)
        : field(FieldRef(field))
    {}
    // NOLINTEND(google-explicit-constructor)

    std::optional<FieldValue> fixed;
    std::optional<FieldRef> field;
};

// A range component: `LEFT` is the key component, `RIGHT` what it is limited to, `BUFFER` the
// value last applied to the view.
struct RangePair
{
    FieldRef LEFT;
    RangeValue RIGHT;
    std::optional<FieldValue> BUFFER;
};

struct NamedFilter
{
    std::string ID; // at most 30 characters; the list is kept sorted by it
    std::string FILTER;
};

inline constexpr std::string_view kDefaultFilterId = "5 Standard";

// One sort order of a view: a key of the primary file, its range and its filters. Lists
// extend it with their locator and thumb (ViewManager::CreateOrder).
struct SortOrder
{
    virtual ~SortOrder() = default;

    std::vector<NamedFilter> FILTER;
    std::optional<FieldRef> FREEELEMENT; // the first key component the range leaves free
    std::uint8_t LIMITTYPE = LimitType::None;
    KeyRef MAINKEY{};
    std::string ORDER;
    std::vector<RangePair> RANGELIST;
};

using OrderList = std::vector<std::unique_ptr<SortOrder>>;

// Owns a view for a list or a report: its sort orders (one per key offered), the order and
// filter texts built for the current one, opening and closing, reading in both directions
// with a check of each record, and new records that carry the range's values. Lists and
// report processes are subclasses.
//
// Levels as the file managers give them: 0 success, 3 failure, 5 end of the view or already
// reported. A text the view refuses is reported as message 40; reading then goes on
// unfiltered (or in key order).
class ViewManager
{
public:
    ViewManager();
    virtual ~ViewManager();
    ViewManager(const ViewManager &) = delete;
    ViewManager &operator=(const ViewManager &) = delete;

    std::uint8_t DISPOSEORDER = 0;
    std::uint8_t OPENED = 0;
    OrderList *ORDER = nullptr;
    std::uint16_t PAGESAHEAD = 0;
    std::uint16_t PAGESBEHIND = 2;
    std::uint16_t PAGESIZE = 20;
    RelationKeeper *PRIMARY = nullptr;
    std::uint16_t TIMEOUT = 60;
    View *VIEW = nullptr;

    // Without `orders` the manager keeps a list of its own. Makes every file of the view
    // usable; the level of the first that is not.
    int Init(View &view, RelationKeeper &primary, OrderList *orders = nullptr);
    // Appends an order on the key and makes it current; the number of orders.
    int AddOrdering(KeyRef key);
    // Kind 2 on the current order: the key components before `field` are limited to their
    // own values in the buffer, `field` to `value`.
    void AddRangeLimit(FieldRef field, RangeValue value);
    // Kind 4: the child's linking fields limited to the parent's.
    void AddRangeFromRelation(RelationKeeper &parent, RelationKeeper &child);

    // In slot order.
    virtual void BuildFilter();
    virtual void BuildOrder();
    virtual bool BuildRange();
    virtual void Close();
    virtual std::string FreeElementName();
    virtual int FreeElementPosition();
    virtual void Release();
    virtual int Next();
    virtual void Open();
    virtual int Previous();
    virtual int PrepareNewRecord(bool keepBuffer = false);
    virtual int Reset(int number = 0);
    virtual int ResetToStart();
    virtual void DefineFilter(std::string_view text);
    virtual void SetNamedFilter(std::string_view text, std::string_view id);
    virtual void DefineOrder(std::string_view text);
    virtual bool SelectOrdering(int number);
    // 0 = the record belongs to the view, 1 = past the end of the range, 2 = skip it.
    virtual int CheckRecord();

    // The current order (null before the first AddOrdering) and its number from 1.
    SortOrder *currentOrder() const;
    int currentOrderNumber() const { return ORDER && !ORDER->empty() ? m_current + 1 : 0; }

    // The text BuildFilter gives the view for the current order.
    std::string FilterText() const;

    // Where the next read starts, for lists and reports. The next read in either direction
    // returns the record at `position` first.
    int ResetToPosition(const std::string &position);
    // At the record in the primary buffer, by the key values of the current order.
    int ResetToBuffer();
    // At the first record whose free component is not before `value` (a locator's search
    // value), within the range.
    int ResetToLocator(const FieldValue &value);
    // The first and the last record of the range; reading goes on from there.
    int ReadFirst();
    int ReadLast();
    // The view's position of the record read last.
    std::string Position() const;
    // Makes the record at a position current again, with its joined records.
    int Fetch(const std::string &position, bool fromLastRead = false);
    // The number of records in the view, when known without reading them all.
    std::optional<std::int64_t> RecordCount();

protected:
    // A new, empty sort order; lists give their own kind.
    virtual std::unique_ptr<SortOrder> CreateOrder();
    // Kind 1: the key components up to `field` limited to `values`, in key order.
    void SetFixedRange(FieldRef field, std::vector<FieldValue> values);
    // Kind 3: the components before `field` limited to `leading`, `field` from low to high.
    void SetRangeBetween(FieldRef field,
                         std::vector<RangeValue> leading,
                         RangeValue low,
                         RangeValue high);

    // The value a range component is limited to now.
    FieldValue currentValue(const RangeValue &value) const;

private:
    int read(int direction);
    // The number of the key component that holds `field` (from 1), 0 when none does.
    int componentOf(const SortOrder &order, FieldRef field) const;
    // The range pairs whose values a new record takes, and whether the view stands on them.
    std::vector<const RangePair *> equalPairs(const SortOrder &order) const;
    void rangeChanged(SortOrder &order);
    int reportRefusal();

    std::unique_ptr<OrderList> m_ownOrders;
    int m_current = 0;
};
