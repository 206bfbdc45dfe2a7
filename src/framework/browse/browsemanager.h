#pragma once

#include "framework/core/steplocator.h"
#include "framework/core/thumb.h"
#include "framework/view/viewmanager.h"
#include "framework/windowevent.h"
#include "framework/windowparts.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FileManager;
class ListControl;
class ProcWindow;
class Records;
class StepManager;

// The step locator of a sort order: the search value typed so far goes into `FREEELEMENT`.
struct StepLocator
{
    std::string FREEELEMENT;
    bool NOCASE = true;
};

// A field whose change reloads the list, with the value it had when the list last looked.
struct ResetField
{
    FieldRef field;
    std::optional<FieldValue> seen;
};

// A sort order of a list: the view's order with the locator and the step manager that
// drives the thumb; `THUMBFIELD` is the key component the step manager measures.
struct BrowseOrder : SortOrder
{
    std::unique_ptr<StepLocator> LOCATOR;
    std::vector<ResetField> RESETS;
    std::unique_ptr<StepManager> THUMB;
    std::optional<FieldRef> THUMBFIELD;
};

// One shown record: its columns and, last, its position in the view.
struct ListRow
{
    QStringList columns;
    std::string position;
};

// A list control that holds only the rows that fit, paging through a view by key in both
// directions. It positions by locator and thumb, keeps the insert, change, delete and
// select buttons and calls the update procedure through its window.
class BrowseManager : public ViewManager, public AbstractBrowse
{
public:
    BrowseManager();
    ~BrowseManager() override;

    std::uint8_t ACTIVEINVISIBLE = 0;
    std::uint8_t ALLOWUNFILLED = 0;
    std::uint16_t ASKPROCEDURE = 0;
    std::uint16_t BUFFER = 0;
    std::int32_t CHANGECONTROL = 0;
    std::int32_t CURRENTCHOICE = 0;
    std::int32_t DELETECONTROL = 0;
    std::vector<FieldRef> FIELDS;
    std::vector<QString> PICTURES; // by column; empty: the text as the record holds it
    std::uint8_t HASTHUMB = 0;
    std::uint8_t HIDESELECT = 0;
    std::int32_t INSERTCONTROL = 0;
    std::int32_t ITEMSTOFILL = 0;
    std::int32_t LASTCHOICE = 0;
    std::int32_t LASTITEMS = 0;
    std::int32_t LISTCONTROL = 0;
    std::vector<ListRow> LISTQUEUE;
    std::uint8_t LOADED = 0;
    std::uint8_t LOADPENDING = 0;
    std::uint8_t RETAINROW = 0;
    std::int32_t PRINTCONTROL = 0;
    std::uint16_t PRINTPROCEDURE = 0;
    std::uint8_t QUICKSCAN = 0;
    std::int32_t SELECTCONTROL = 0;
    std::uint8_t SELECTING = 0;
    std::uint8_t STARTATCURRENT = 0;
    WindowController *WINDOW = nullptr;
    // Why the records cannot be changed or deleted here (the order's invoice stands); the
    // buttons stay disabled and say it. Empty: they follow the rows.
    QString LOCKEDBECAUSE;

    // Set-up by the list procedure, after its window has opened.
    void Init(WindowController &window,
              int listControl,
              View &view,
              RelationKeeper &primary,
              FileManager &file,
              Records &records);
    // A sort order on `key` with an optional locator on `freeElement` and step manager.
    void AddSortOrder(KeyRef key,
                      std::optional<FieldRef> freeElement = {},
                      std::unique_ptr<StepManager> thumb = {});
    // A shown column: as `picture` shows the field, or without one a text as the record
    // holds it and a number or date as its type suggests (Picture::forField).
    void AddField(FieldRef field, const QString &picture = {});
    // A field of the current sort order whose change (in this thread's buffers) reloads the
    // list at the next reset of the window.
    void AddResetField(FieldRef field);
    // The order the list shows; a changed order clears its locator and reloads.
    void SetSort(int number);
    BrowseOrder *currentBrowseOrder() const;

    // Modes of ResetQueue.
    static constexpr int ReloadPage = 1;
    static constexpr int FromPosition = 2;
    void ResetQueue(int mode);
    // Scrolls as the list control asks.
    void Scroll(EventKind kind);
    // A key for the current order's locator (its character, or Backspace); true when it
    // took the key.
    bool Locate(const QString &typed, int keyCode = 0);
    // The prefix typed so far, as a search field shows it; `shown` hears of each change.
    QString locatorPrefix() const;
    void onLocatorPrefix(std::function<void(const QString &prefix)> shown);
    // Milliseconds on a steady clock: when keys come (a test's own clock instead).
    void setLocatorClock(std::function<std::int64_t()> clock);
    void DragThumb(int thumb);
    // Insert, change or delete (request 1, 2, 3) through ASKPROCEDURE.
    void Ask(int request);

    // AbstractBrowse.
    int TakeEvent() override;
    bool NeedRefresh() override;
    void ResetSort(std::uint8_t force) override;
    void UpdateWindow() override;
    void UpdateBuffer() override;
    void ArmAlertKeys() override;
    void SetSelecting(bool selecting) override;
    void Kill() override;

    // The popup menu's items, as built by ArmAlertKeys.
    QStringList popupItems() const;

    // A text entry of the window that shows what the locator of the current order is looking
    // for (what the user has typed into the list), after every key; 0 for none.
    void setSearchControl(int control) { m_searchControl = control; }
    // The search field shows what the locator looks for: the letters typed so far.
    void showSearchText();
    // What the locator of the current order is looking for; empty when it has none.
    QString locatorText() const;

protected:
    std::unique_ptr<SortOrder> CreateOrder() override;

private:
    ListControl *list() const;
    ProcWindow *procWindow() const;
    // Reads ITEMSTOFILL rows forward or backward; whether the end of the file was hit. With
    // `continuing` the view stands on the list's last row in that direction, just read.
    bool Fill(bool forward, bool continuing = false);
    // Rows the primary file's next blocks read ahead; 0: the engine's own size.
    void readAhead(int rows);
    ListRow makeRow() const;
    void showRows(bool rowsChanged = true);
    void takeRow();
    void takeResponse(int request, int response);
    void popup();
    void takeKey(const WindowEvent &e);
    void press(int control);
    // Whether any row was read.
    bool scrollBy(int rows, bool forward);
    void toEnd(bool top);
    // The thumb's limits: the first and the last record's thumb field. `firstFromPage`: the
    // list is about to load its first page, whose first row gives the first limit.
    void setLimitsOfThumb(bool firstFromPage = false);
    // Sets the limits kept by setLimitsOfThumb(true): the first from the record in the
    // buffer when `rowRead`, else none.
    void takeFirstLimit(bool rowRead);
    void placeThumb();
    // Another station changed the file: the page is read again from its first row, the
    // highlighted record stays highlighted where it still is on the page.
    void reloadChanged();
    // Whether a reset field of the current order changed since the list last looked; notes
    // the values it has now.
    bool resetFieldsChanged();

    FileManager *m_file = nullptr;
    Records *m_records = nullptr;
    int m_sort = 0;
    bool m_endHit = false;
    bool m_rangeChanged = false;
    ListMove m_lastMove = ListMove::None;
    // Rows were read for the event being handled: the highlighted row is copied from what
    // was read rather than read once more.
    bool m_justRead = false;
    // The last limit, kept until the first row of the page being loaded gives the first.
    std::optional<FieldValue> m_pendingLastLimit;
    QList<int> m_popupControls;
    TypedPrefix m_typed;
    std::function<void(const QString &)> m_prefixShown;
    std::function<std::int64_t()> m_clock;
    int m_searchControl = 0;
};
