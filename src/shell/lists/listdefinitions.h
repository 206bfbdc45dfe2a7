#pragma once

#include "store/layout.h"
#include "store/relationkeeper.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The list windows of the record files, one definition each: what ListProcedure builds its
// window, its sort orders and its columns from. Texts are UTF-8; the English ones and those
// named after keys and fields are marked for the German translation, which the window shows
// in their place.
class StoreContext;

namespace shell {

// The procedure a tab's pick button calls to choose a record of another file, and what the
// list then does with the choice.
enum class Pick : std::uint8_t {
    None,
    Order,    // "Select auftrag" → Selectauftrag; the list follows the order in `auftrag`
    Customer, // "Select kunde" → Selectkunde; the list is placed at the customer's orders
};

struct ListTab
{
    std::string text{};
    KeyRef key{};
    // The field the locator searches on (the key's first component); none: no locator.
    std::optional<FieldRef> locator{};
    // The list's linking field, limited to the id of the order in the `auftrag` buffer.
    std::optional<FieldRef> rangeOnOrder{};
    Pick pick = Pick::None;
    // The same, limited to the id of the customer in the `kunde` buffer.
    std::optional<FieldRef> rangeOnCustomer{};
};

// A filter above a list's rows: a choice among the values of a text field (besides "alle"),
// or the first or last date of a date field. The list shows the records that pass them all.
struct ListFilter
{
    enum class Kind : std::uint8_t { Choice, DateFrom, DateTo };
    std::string label{};
    FieldRef field{};
    Kind kind = Kind::Choice;
    std::vector<std::string> choices{};
};

struct ListColumn
{
    std::string heading{};
    FieldRef field{};
    // The display picture; empty: texts as they stand, numbers and dates by their type.
    std::string picture{};
    // The column's own background (0xRRGGBB); 0: the list's.
    std::uint32_t background = 0;
};

// Which buttons the list has and their control numbers.
enum class ButtonSet : std::uint8_t {
    Standard,    // insert 2, change 3, delete 4
    SelectFirst, // select 2, insert 3, change 4, delete 5
    SelectOnly,  // select 2, no update buttons
    ChangeOnly,  // change 3: the list only opens the chosen record's form
};

struct ListDef
{
    std::string procedure{};
    FileId file{};
    std::string title{};
    std::vector<ListTab> tabs{}; // in the order of the sheet
    std::vector<ListColumn> columns{};
    std::string update{}; // the update procedure; empty for a list that only selects
    bool guarded = false;
    ButtonSet buttons = ButtonSet::Standard;
    std::string closeText{};
    std::string insertText = QT_TRANSLATE_NOOP("ListWindow", "&Insert");
    std::string changeText = QT_TRANSLATE_NOOP("ListWindow", "&Change");
    std::string deleteText = QT_TRANSLATE_NOOP("ListWindow", "&Delete");
    std::vector<std::string> legend{}; // lines shown on the first tab
    std::vector<ListFilter> filters{};
    // A condition every row meets besides the filters' (a view's filter text).
    std::string condition{};
    // A procedure called for the chosen record by a button of its own ("print" request),
    // and the button's text; none where empty.
    std::string print{};
    std::string printText{};
    // Brings the list's file in line before the window first reads it: for a file that
    // keeps, for showing, what other files give.
    std::function<void(StoreContext &)> prepare{};
    // The line below the list (a sum of its rows), worked out when the window opens and
    // again after every procedure it called.
    std::function<std::string(StoreContext &)> footer{};
};

// The view's filter text for the values entered into a list's filters, one per filter in
// their order: a choice's text (empty: every record), a date as typed. A date that cannot be
// read filters nothing and is named in `unreadable`.
std::string listFilterText(const ListDef &def,
                           const std::vector<std::string> &values,
                           std::vector<std::string> *unreadable = nullptr);

// Every list window, in the order of the record files.
const std::vector<ListDef> &listDefinitions();
// nullptr when there is no such list.
const ListDef *findList(std::string_view procedure);

// The sort order (from 1) that tab `tab` (from 1) of a sheet with `tabs` tabs shows: the
// orders are added for tabs 2, 3, … first and for tab 1 last, so tab 1 shows the last order
// added and tab k ≥ 2 order k − 1.
int orderOfTab(int tab, int tabs);
// The tab (from 1) that shows sort order `order`.
int tabOfOrder(int order, int tabs);

// The picture a column is shown with: its own, or for numbers and dates the one their type
// suggests; empty for a text shown as it stands.
std::string columnPicture(const ListColumn &column);

} // namespace shell
