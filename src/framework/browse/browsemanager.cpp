// Set-up, sort orders and the events of a list.

#include "framework/browse/browsemanager.h"

#include "framework/appcontext.h"
#include "framework/core/stepmanager.h"
#include "framework/dialogs.h"
#include "framework/keycodes.h"
#include "framework/listcontrol.h"
#include "framework/procedurecontroller.h"
#include "framework/procwindow.h"
#include "framework/windowcontroller.h"
#include "store/filemanager.h"
#include "store/relationkeeper.h"

#include <QLineEdit>

BrowseManager::BrowseManager() = default;
BrowseManager::~BrowseManager() = default;

void BrowseManager::Init(WindowController &window,
                         int listControl,
                         View &view,
                         RelationKeeper &primary,
                         FileManager &file,
                         Records &records)
{
    WINDOW = &window;
    LISTCONTROL = listControl;
    m_file = &file;
    m_records = &records;
    ViewManager::Init(view, primary);
    if (SELECTING && BUFFER == 0)
        BUFFER = m_file->TakeSnapshot();
}

std::unique_ptr<SortOrder> BrowseManager::CreateOrder()
{
    return std::make_unique<BrowseOrder>();
}

void BrowseManager::AddSortOrder(KeyRef key,
                                 std::optional<FieldRef> freeElement,
                                 std::unique_ptr<StepManager> thumb)
{
    AddOrdering(key);
    auto *order = currentBrowseOrder();
    if (freeElement) {
        order->FREEELEMENT = freeElement;
        order->LOCATOR = std::make_unique<StepLocator>();
        order->THUMBFIELD = freeElement;
    }
    order->THUMB = std::move(thumb);
    if (m_sort == 0)
        m_sort = currentOrderNumber();
}

void BrowseManager::AddField(FieldRef field, const QString &picture)
{
    FIELDS.push_back(field);
    PICTURES.push_back(picture);
}

void BrowseManager::AddResetField(FieldRef field)
{
    if (BrowseOrder *order = currentBrowseOrder())
        order->RESETS.push_back({field, std::nullopt});
}

bool BrowseManager::resetFieldsChanged()
{
    BrowseOrder *order = currentBrowseOrder();
    if (!order || !m_records)
        return false;
    bool changed = false;
    for (ResetField &reset : order->RESETS) {
        FieldValue now = (*m_records)[reset.field.file].value(reset.field.index);
        if (reset.seen && *reset.seen != now)
            changed = true;
        reset.seen = std::move(now);
    }
    return changed;
}

BrowseOrder *BrowseManager::currentBrowseOrder() const
{
    return static_cast<BrowseOrder *>(currentOrder());
}

void BrowseManager::SetSort(int number)
{
    m_sort = number;
}

ListControl *BrowseManager::list() const
{
    ProcWindow *window = WINDOW ? procWindow() : nullptr;
    return window ? window->list(LISTCONTROL) : nullptr;
}

ProcWindow *BrowseManager::procWindow() const
{
    const auto *procedure = dynamic_cast<const ProcedureController *>(WINDOW);
    return procedure ? procedure->procWindow() : nullptr;
}

void BrowseManager::SetSelecting(bool selecting)
{
    SELECTING = selecting ? 1 : 0;
    if (SELECTING && m_file && BUFFER == 0)
        BUFFER = m_file->TakeSnapshot();
}

bool BrowseManager::NeedRefresh()
{
    ListControl *control = list();
    if (!control || !control->isVisible())
        return false;
    bool refresh = false;
    if (control->visibleRows() != LASTITEMS) {
        LASTITEMS = control->visibleRows();
        refresh = true;
    }
    // Only an open view has range values that were applied; opening applies the current ones.
    if (OPENED && BuildRange()) {
        m_rangeChanged = true;
        refresh = true;
    }
    if (resetFieldsChanged())
        refresh = true;
    if (refresh)
        LOADPENDING = 1;
    return LOADPENDING != 0;
}

void BrowseManager::ResetSort(std::uint8_t force)
{
    m_justRead = false;
    if (!currentOrder() || !list())
        return;
    const bool changed = m_sort != currentOrderNumber() || !OPENED;
    if (m_sort != currentOrderNumber()) {
        SelectOrdering(m_sort);
        if (currentBrowseOrder()->LOCATOR)
            currentBrowseOrder()->LOCATOR->FREEELEMENT.clear();
    }
    const bool refresh = NeedRefresh();
    if (LASTITEMS == 0)
        LASTITEMS = list()->visibleRows();
    const bool reload = changed || refresh || force > 0 || !LOADED || LOADPENDING;
    if (reload) {
        Close();
        Open();
        if ((SELECTING || STARTATCURRENT) && !LOADED) {
            setLimitsOfThumb();
            ResetToBuffer();
            ResetQueue(FromPosition);
        } else if (!LISTQUEUE.empty() && !changed && !m_rangeChanged) {
            setLimitsOfThumb();
            ResetToPosition(LISTQUEUE[CURRENTCHOICE - 1].position);
            ResetQueue(FromPosition);
        } else {
            // A new range starts at its beginning: the highlighted record may lie outside it.
            // Its first row is the first limit of the thumb.
            setLimitsOfThumb(true);
            LISTQUEUE.clear();
            ResetQueue(ReloadPage);
            takeFirstLimit(false); // an empty list, or one that did not load while hidden
        }
        m_rangeChanged = false;
    }
    // A reload has just copied the highlighted row into the record buffer.
    if (!reload || LOADPENDING)
        takeRow();
}

QString BrowseManager::locatorText() const
{
    const BrowseOrder *order = currentBrowseOrder();
    return order && order->LOCATOR ? QString::fromStdString(order->LOCATOR->FREEELEMENT)
                                   : QString();
}

void BrowseManager::showSearchText()
{
    ProcWindow *window = WINDOW ? procWindow() : nullptr;
    if (m_searchControl == 0 || !window)
        return;
    if (auto *field = qobject_cast<QLineEdit *>(window->control(m_searchControl)))
        field->setText(locatorText());
}

void BrowseManager::UpdateWindow()
{
    ListControl *control = list();
    if (!control)
        return;
    showRows();
    ProcWindow &window = *procWindow();
    const bool rows = !LISTQUEUE.empty();
    // A button that would do nothing is disabled and says why.
    const std::pair<int, QString> needRows[] = {
        {CHANGECONTROL, QStringLiteral("Die Liste ist leer: es gibt nichts zu ändern.")},
        {DELETECONTROL, QStringLiteral("Die Liste ist leer: es gibt nichts zu löschen.")},
        {PRINTCONTROL, QStringLiteral("Die Liste ist leer: es gibt nichts zu drucken.")},
    };
    for (const auto &[button, why] : needRows) {
        if (button == 0)
            continue;
        if (button != PRINTCONTROL && !LOCKEDBECAUSE.isEmpty())
            window.enableIf(button, false, LOCKEDBECAUSE);
        else
            window.enableIf(button, rows, why);
    }
    showSearchText();
    if (SELECTCONTROL != 0) {
        if (SELECTING && rows && WINDOW->REQUEST == Request::Select)
            window.enable(SELECTCONTROL);
        else
            window.disable(SELECTCONTROL);
        if (!SELECTING && HIDESELECT)
            window.hide(SELECTCONTROL);
    }
    placeThumb();
}

// The lists edit no fields in place: the window's values belong to the procedure.
void BrowseManager::UpdateBuffer() {}

void BrowseManager::ArmAlertKeys()
{
    ProcWindow &window = *procWindow();
    for (const int key : {KeyCode::MouseLeft2,
                          KeyCode::MouseRightUp,
                          KeyCode::Insert,
                          KeyCode::Delete,
                          KeyCode::CtrlEnter,
                          KeyCode::Backspace,
                          KeyCode::Enter,
                          KeyCode::AnyCharacter})
        window.addAlertKey(LISTCONTROL, key);
    HASTHUMB = list()->hasVerticalScrollBar() ? 1 : 0;
}

QStringList BrowseManager::popupItems() const
{
    QStringList items;
    if (INSERTCONTROL)
        items << QStringLiteral("&Neu");
    if (CHANGECONTROL)
        items << QStringLiteral("&Ändern");
    if (DELETECONTROL)
        items << QStringLiteral("&Löschen");
    if (PRINTCONTROL)
        items << QStringLiteral("&Druck");
    if (SELECTCONTROL && SELECTING)
        items << QStringLiteral("&Auswahl");
    return items;
}

void BrowseManager::popup()
{
    QList<int> controls;
    if (INSERTCONTROL)
        controls << INSERTCONTROL;
    if (CHANGECONTROL)
        controls << CHANGECONTROL;
    if (DELETECONTROL)
        controls << DELETECONTROL;
    if (PRINTCONTROL)
        controls << PRINTCONTROL;
    if (SELECTCONTROL && SELECTING)
        controls << SELECTCONTROL;
    const int chosen = awaitPopupMenu(popupItems(), list()->mousePosition());
    if (chosen > 0 && chosen <= controls.size())
        press(controls[chosen - 1]);
}

void BrowseManager::press(int control)
{
    if (control != 0 && !procWindow()->isDisabled(control))
        procWindow()->post(EventKind::Accepted, control);
}

int BrowseManager::TakeEvent()
{
    m_justRead = false;
    const WindowEvent &e = WINDOW->event();
    if (e.control == LISTCONTROL && LISTCONTROL != 0) {
        switch (e.kind) {
        case EventKind::NewSelection:
            if (e.row > 0 && e.row <= list()->rowCount())
                list()->setHighlighted(e.row);
            if (list()->highlighted() > 0)
                CURRENTCHOICE = LASTCHOICE = list()->highlighted();
            takeRow();
            if (e.keyCode == KeyCode::MouseRightUp)
                popup();
            else
                WINDOW->Reset(0);
            return Level::Notify;
        case EventKind::ScrollUp:
        case EventKind::ScrollDown:
        case EventKind::PageUp:
        case EventKind::PageDown:
        case EventKind::ScrollTop:
        case EventKind::ScrollBottom:
            Scroll(e.kind);
            return Level::Notify;
        case EventKind::ScrollDrag:
            DragThumb(e.thumb);
            return Level::Notify;
        case EventKind::AlertKey:
            takeKey(e);
            UpdateWindow();
            return Level::Notify;
        default:
            return Level::Benign;
        }
    }
    if (e.kind == EventKind::DataChanged) {
        if (m_file && e.control == static_cast<int>(m_file->FILE))
            reloadChanged();
        return Level::Benign;
    }
    if (e.kind != EventKind::Accepted || e.control == 0)
        return Level::Benign;
    if (e.control == INSERTCONTROL)
        Ask(Request::Insert);
    else if (e.control == CHANGECONTROL)
        Ask(Request::Change);
    else if (e.control == DELETECONTROL)
        Ask(Request::Delete);
    else if (e.control == SELECTCONTROL) {
        takeRow();
        WINDOW->CloseWithResponse(Response::Completed);
    } else if (e.control == PRINTCONTROL) {
        if (LISTQUEUE.empty() || PRINTPROCEDURE == 0)
            return Level::Notify;
        takeRow();
        WINDOW->RunProcedure(PRINTPROCEDURE, Request::Print);
        takeRow();
    } else
        return Level::Benign;
    return Level::Notify;
}

void BrowseManager::takeKey(const WindowEvent &e)
{
    const int key = e.keyCode;
    if (key == KeyCode::MouseRightUp) {
        if (list()->mouseRow() > 0 && list()->mouseRow() <= static_cast<int>(LISTQUEUE.size()))
            CURRENTCHOICE = list()->mouseRow();
        return;
    }
    if (LISTQUEUE.empty()) {
        Locate(e.keyText, key);
        if (key == KeyCode::Insert)
            press(INSERTCONTROL);
        return;
    }
    if (key == KeyCode::Insert) {
        press(INSERTCONTROL);
    } else if (key == KeyCode::Delete) {
        press(DELETECONTROL);
    } else if (key == KeyCode::CtrlEnter) {
        takeRow();
        press(CHANGECONTROL);
    } else if (key == KeyCode::MouseLeft2 || key == KeyCode::Enter) {
        // Enter opens the highlighted record as a double click does.
        takeRow();
        press(SELECTING ? SELECTCONTROL : CHANGECONTROL);
    } else {
        Locate(e.keyText, key);
    }
}

void BrowseManager::Kill()
{
    if (SELECTING && m_file && BUFFER != 0) {
        if (WINDOW->RESPONSE == Response::Completed) {
            m_file->RestoreSnapshot(BUFFER, false);
            if (!LISTQUEUE.empty())
                Fetch(LISTQUEUE[CURRENTCHOICE - 1].position);
            // Working on the file hands the record back to the caller when the file closes;
            // a list that only read it would give the caller its own record back.
            m_file->Use(3);
        } else {
            m_file->RestoreSnapshot(BUFFER, true);
        }
        BUFFER = 0;
    }
    Close();
}
