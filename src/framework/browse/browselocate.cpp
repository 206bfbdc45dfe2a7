// Positioning a list by its locator and its thumb, and calling its update procedure.

#include "framework/browse/browsemanager.h"

#include "framework/appcontext.h"
#include "framework/core/steplocator.h"
#include "framework/core/stepmanager.h"
#include "framework/keycodes.h"
#include "framework/listcontrol.h"
#include "framework/procwindow.h"
#include "framework/toolbar.h"
#include "framework/windowcontroller.h"
#include "store/errormanager.h"
#include "store/filemanager.h"

#include <chrono>

bool BrowseManager::Locate(const QString &typed, int keyCode)
{
    BrowseOrder *order = currentBrowseOrder();
    if (!order || !order->LOCATOR)
        return false;
    StepLocator &locator = *order->LOCATOR;
    const std::int64_t now = m_clock ? m_clock()
                                     : std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now().time_since_epoch())
                                           .count();
    // The prefix belongs to the order it was typed in: another order's search value (a
    // changed tab clears it) starts a new one.
    if (m_typed.text != locator.FREEELEMENT)
        m_typed = {};
    const LocatorStep step = prefixLocatorKey(m_typed,
                                              locator.FREEELEMENT,
                                              typed.toStdString(),
                                              keyCode == KeyCode::Backspace,
                                              !LISTQUEUE.empty(),
                                              locator.NOCASE,
                                              now);
    if (!step.handled)
        return false;
    // The highlight moves down one row first; a reload that follows places it anew, so the
    // move is left out then.
    if (step.moveDown && !step.reload)
        Scroll(EventKind::ScrollDown);
    else if (step.moveDown)
        m_lastMove = ListMove::Down;
    locator.FREEELEMENT = step.searchValue;
    if (step.reload) {
        // One seek: the view positioned at the prefix reads the page from there.
        ResetToLocator(FieldValue(locatorKeyValue(step.searchValue, locator.NOCASE)));
        ResetQueue(FromPosition);
        showRows();
        placeThumb();
    }
    if (m_prefixShown)
        m_prefixShown(locatorPrefix());
    showSearchText();
    return true;
}

QString BrowseManager::locatorPrefix() const
{
    return QString::fromStdString(m_typed.text);
}

void BrowseManager::onLocatorPrefix(std::function<void(const QString &)> shown)
{
    m_prefixShown = std::move(shown);
}

void BrowseManager::setLocatorClock(std::function<std::int64_t()> clock)
{
    m_clock = std::move(clock);
}

void BrowseManager::setLimitsOfThumb(bool firstFromPage)
{
    m_pendingLastLimit.reset();
    BrowseOrder *order = currentBrowseOrder();
    if (!order || !order->THUMB || !order->THUMBFIELD)
        return;
    const FieldRef field = *order->THUMBFIELD;
    const RecordBuffer kept = m_file->BUFFER();
    FieldValue first;
    FieldValue last;
    // One record at each end: no block of rows behind them.
    readAhead(1);
    if (!firstFromPage && ReadFirst() == Level::Benign)
        first = (*m_records)[field.file].value(field.index);
    if (ReadLast() == Level::Benign)
        last = (*m_records)[field.file].value(field.index);
    readAhead(0);
    if (firstFromPage)
        m_pendingLastLimit = std::move(last);
    else
        order->THUMB->setLimits(first, last);
    m_file->BUFFER() = kept;
}

void BrowseManager::takeFirstLimit(bool rowRead)
{
    if (!m_pendingLastLimit)
        return;
    const BrowseOrder *order = currentBrowseOrder();
    FieldValue first;
    if (rowRead)
        first = (*m_records)[order->THUMBFIELD->file].value(order->THUMBFIELD->index);
    order->THUMB->setLimits(first, *m_pendingLastLimit);
    m_pendingLastLimit.reset();
}

void BrowseManager::placeThumb()
{
    ListControl *control = list();
    if (!HASTHUMB || !control)
        return;
    const BrowseOrder *order = currentBrowseOrder();
    const StepManager *step = order && order->THUMBFIELD ? order->THUMB.get() : nullptr;
    ThumbState state;
    state.rows = static_cast<int>(LISTQUEUE.size());
    state.visibleRows = LASTITEMS;
    state.highlighted = CURRENTCHOICE;
    state.endOfFileHit = m_endHit;
    state.lastMove = m_lastMove;
    FieldValue key;
    if (step)
        key = (*m_records)[order->THUMBFIELD->file].value(order->THUMBFIELD->index);
    const ThumbDisplay shown = thumbDisplay(state, step, key);
    control->setThumbShown(shown.visible);
    control->setThumbPosition(shown.position);
}

void BrowseManager::DragThumb(int thumb)
{
    if (LISTQUEUE.empty())
        return;
    const BrowseOrder *order = currentBrowseOrder();
    const StepManager *step = order && order->THUMBFIELD ? order->THUMB.get() : nullptr;
    const ThumbDrag drag = thumbDrag(thumb, step, false, static_cast<int>(LISTQUEUE.size()));
    switch (drag.action) {
    case ThumbAction::Top:
        Scroll(EventKind::ScrollTop);
        break;
    case ThumbAction::Bottom:
        Scroll(EventKind::ScrollBottom);
        break;
    case ThumbAction::PageUp:
        Scroll(EventKind::PageUp);
        break;
    case ThumbAction::PageDown:
        Scroll(EventKind::PageDown);
        break;
    case ThumbAction::Locate:
        ResetToLocator(drag.value);
        ResetQueue(FromPosition);
        showRows();
        placeThumb();
        break;
    case ThumbAction::Highlight:
        CURRENTCHOICE = drag.row;
        showRows();
        takeRow();
        break;
    case ThumbAction::None:
        break;
    }
}

void BrowseManager::Ask(int request)
{
    AppContext &app = WINDOW->app();
    int current = request;
    for (;;) {
        app.PendingRecordMove = 0;
        if (ASKPROCEDURE == 0)
            return;
        if (current == Request::Insert)
            PrepareNewRecord();
        else
            takeRow();
        const int response = WINDOW->RunProcedure(ASKPROCEDURE, current);
        takeResponse(current, response);
        const std::int32_t move = app.PendingRecordMove;
        if (move == 0)
            break;
        if (move == ToolbarButton::Insert
            || (move == ToolbarButton::Down && current == Request::Insert)) {
            current = Request::Insert;
            continue;
        }
        switch (move) {
        case ToolbarButton::Bottom:
            Scroll(EventKind::ScrollBottom);
            break;
        case ToolbarButton::Top:
            Scroll(EventKind::ScrollTop);
            break;
        case ToolbarButton::PageDown:
            Scroll(EventKind::PageDown);
            break;
        case ToolbarButton::PageUp:
            Scroll(EventKind::PageUp);
            break;
        case ToolbarButton::Down:
            Scroll(EventKind::ScrollDown);
            break;
        case ToolbarButton::Up:
            Scroll(EventKind::ScrollUp);
            break;
        default:
            return;
        }
        WINDOW->Reset(0);
    }
    UpdateWindow();
    procWindow()->select(LISTCONTROL);
}

void BrowseManager::takeResponse(int request, int response)
{
    if (response == Response::Completed) {
        if (request == Request::Delete) {
            if (!LISTQUEUE.empty())
                LISTQUEUE.erase(LISTQUEUE.begin() + (CURRENTCHOICE - 1));
            ResetQueue(ReloadPage);
        } else {
            ResetToBuffer();
            ResetQueue(FromPosition);
        }
    } else {
        ResetQueue(ReloadPage);
    }
}
