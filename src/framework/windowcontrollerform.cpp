// The update-form cycle of the window manager: priming the record, saving on OK, inserting
// another record, and what closing a form with unsaved changes does.

#include "framework/windowcontroller.h"

#include "framework/dialogs.h"
#include "store/errormanager.h"
#include "store/relationkeeper.h"

#include <set>

namespace {

// Message ids of the questions the window manager asks.
constexpr int kRecordAdded = 3;
constexpr int kAbandonChanges = 8;
constexpr int kRecordDeleteError = 33;
constexpr int kRecordUpdateError = 34;
constexpr int kSaveRecord = 35;

constexpr int kYesNoCancel = MessageButton::Yes | MessageButton::No | MessageButton::Cancel;

} // namespace

void WindowController::FillNewRecord() {}

int WindowController::PrepareRequest()
{
    FileManager &file = *PRIMARY->ME;
    file.Use(3);
    // The record to change is read afresh and watched: the save then fails, with the other
    // station's values shown, when another station writes it while the form is open.
    if (REQUEST == Request::Change && file.Watch() != Level::Benign) {
        RESPONSE = Response::Cancelled;
        return Level::Fatal;
    }
    PRIMARY->RememberLinks();
    for (SavedFile &saved : FILES)
        saved.snapshot = saved.file->TakeSnapshot();
    int result = Level::Benign;
    if (REQUEST == Request::Insert) {
        if (INSERTACTION != 0) {
            RESPONSE = Response::Completed;
            FillNewRecord();
            // FillNewRecord answers Cancelled to refuse the new record.
            if (RESPONSE == Response::Cancelled)
                result = Level::Fatal;
            else
                RESPONSE = Response::Cancelled;
        }
    } else if (REQUEST == Request::Delete && (DELETEACTION == 2 || DELETEACTION == 4)) {
        const int level = PRIMARY->Delete(DELETEACTION == 2);
        RESPONSE = level == Level::Benign ? Response::Completed : Response::Cancelled;
        result = Level::Fatal;
    }
    SAVED = file.TakeSnapshot();
    return result;
}

int WindowController::OnCompleted()
{
    // What was just confirmed becomes what the history key recalls.
    std::set<RecordBuffer *> copied;
    for (const HistoryEntry &entry : HISTORY) {
        if (copied.insert(entry.record).second)
            *entry.history = *entry.record;
    }
    switch (REQUEST) {
    case Request::Insert:
        return completeInsert();
    case Request::Change:
        return completeChange();
    case Request::Delete:
        return completeDelete();
    default:
        return Level::Benign;
    }
}

int WindowController::stayOnForm()
{
    window().redisplay();
    window().select(FIRSTFIELD);
    return Level::Notify;
}

int WindowController::completeInsert()
{
    FileManager &file = *PRIMARY->ME;
    const Companion companion = CompanionRecord();
    // Through the relations: a line is not saved for an order that another station deleted.
    const int inserted
        = companion.write.write ? PRIMARY->Insert(companion.write) : PRIMARY->Insert();
    if (inserted != Level::Benign) {
        // Reported already; the input stays for the user to correct.
        window().select(FIRSTFIELD);
        return Level::Notify;
    }
    if (INSERTACTION == 2) {
        CloseWithResponse(Response::Completed);
        return Level::Benign;
    }
    if (INSERTACTION == 4 && errors().Report(kRecordAdded) == Level::Cancel) {
        CloseWithResponse(Response::Completed);
        return Level::Benign;
    }
    LASTINSERTEDPOSITION = file.Position();
    for (SavedFile &saved : FILES) {
        saved.file->RestoreSnapshot(saved.snapshot, true);
        saved.snapshot = saved.file->TakeSnapshot();
    }
    file.RestoreSnapshot(SAVED, true);
    SAVED = 0;
    file.Use(3);
    if (file.PrepareNewRecord() != Level::Benign) {
        window().post(EventKind::CloseWindow);
    } else {
        FillNewRecord();
        RESPONSE = Response::Cancelled;
    }
    SAVED = file.TakeSnapshot();
    window().redisplay();
    window().select(FIRSTFIELD);
    return Level::Notify;
}

int WindowController::completeChange()
{
    for (;;) {
        RESPONSE = Response::Cancelled;
        setBusyCursor(true);
        int level = Level::Benign;
        const Companion companion = CompanionRecord();
        const bool unchanged = PRIMARY->ME->MatchesSnapshot(SAVED) && !companion.changed;
        if (!unchanged && companion.write.write)
            level = PRIMARY->Update(HISTORYKEY != 0, companion.write);
        else if (!unchanged)
            level = PRIMARY->Update(HISTORYKEY != 0);
        setBusyCursor(false);
        if (level == Level::Retry) {
            const int answer
                = errors().Ask(kRecordUpdateError, kYesNoCancel, MessageButton::Cancel);
            if (answer == MessageButton::Yes)
                continue;
            if (answer == MessageButton::No) {
                window().post(EventKind::CloseWindow);
                return Level::Notify;
            }
            return stayOnForm();
        }
        if (level != Level::Benign)
            return stayOnForm();
        // An unchanged record counts as saved when the toolbar may have moved on from it.
        if (!unchanged || (TOOLBAR && pendingRecordMove() == 0))
            RESPONSE = Response::Completed;
        window().post(EventKind::CloseWindow);
        return Level::Benign;
    }
}

int WindowController::completeDelete()
{
    for (;;) {
        RESPONSE = Response::Cancelled;
        setBusyCursor(true);
        const int level = PRIMARY->Delete(DELETEACTION == 2);
        setBusyCursor(false);
        if (level == Level::Benign) {
            CloseWithResponse(Response::Completed);
            return Level::Benign;
        }
        const int answer = errors().Ask(kRecordDeleteError, kYesNoCancel, MessageButton::Cancel);
        if (answer == MessageButton::Yes)
            continue;
        if (answer == MessageButton::No) {
            window().post(EventKind::CloseWindow);
            return Level::Notify;
        }
        return stayOnForm();
    }
}

int WindowController::OnCloseRequest()
{
    if (RESPONSE == Response::Completed || !PRIMARY)
        return Level::Benign;
    // The close box takes no edit in progress with it; the entry still holding the focus
    // would otherwise not count as a change.
    window().updateFromWindow(window().focusControl());
    const bool editing = REQUEST == Request::Insert || REQUEST == Request::Change;
    if (CANCELACTION != 0 && editing && !PRIMARY->ME->MatchesSnapshot(SAVED)) {
        switch (CANCELACTION) {
        case 3:
            switch (errors().Ask(kSaveRecord, kYesNoCancel, MessageButton::Cancel)) {
            case MessageButton::Yes:
                pressOk();
                return Level::Notify;
            case MessageButton::No:
                break;
            default:
                window().select(FIRSTFIELD);
                return Level::Notify;
            }
            break;
        case 1:
            pressOk();
            return Level::Notify;
        case 2:
            if (errors().Report(kAbandonChanges) == Level::Cancel) {
                window().select(FIRSTFIELD);
                return Level::Notify;
            }
            break;
        default:
            break;
        }
    }
    if (ORIGINALREQUEST == Request::Insert && RESPONSE == Response::Cancelled
        && PRIMARY->CancelNumbering() != Level::Benign) {
        window().select(FIRSTFIELD);
        return Level::Notify;
    }
    if (!LASTINSERTEDPOSITION.empty()) {
        // The caller finds the last record inserted here, even if the last one was abandoned.
        RESPONSE = Response::Completed;
        PRIMARY->ME->Refetch(LASTINSERTEDPOSITION);
    }
    return Level::Benign;
}
