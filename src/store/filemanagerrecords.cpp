// Reading and writing records, and automatic numbering.

#include "store/filemanager.h"

#include "base/text.h"
#include "store/keyfields.h"
#include "store/relationkeeper.h"

int FileManager::FetchQuiet(KeyRef key)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    return handle().get(key.index) == Result::Ok ? Level::Benign : Level::Notify;
}

int FileManager::FetchOrClear(KeyRef key)
{
    const int level = FetchQuiet(key);
    if (level != Level::Benign)
        BUFFER().clear();
    return level;
}

int FileManager::startPass(KeyRef key)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    FileThreadState &state = threadState();
    state.passKey = 0;
    for (std::size_t i = 0; i < KEYS.size(); ++i) {
        if (KEYS[i].KEY.index == key.index)
            state.passKey = static_cast<std::uint8_t>(i + 1);
    }
    return state.handle->setKeyStart(key.index);
}

int FileManager::startPassFrom(KeyRef key)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    FileThreadState &state = threadState();
    state.passKey = 0;
    for (std::size_t i = 0; i < KEYS.size(); ++i) {
        if (KEYS[i].KEY.index == key.index)
            state.passKey = static_cast<std::uint8_t>(i + 1);
    }
    return state.handle->setKeyFrom(key.index);
}

int FileManager::startStoredPass()
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    threadState().passKey = 0;
    return handle().setStoredOrder();
}

int FileManager::Next()
{
    return step(true, false);
}

int FileManager::NextQuiet()
{
    return step(true, true);
}

int FileManager::Previous()
{
    return step(false, false);
}

int FileManager::PreviousQuiet()
{
    return step(false, true);
}

int FileManager::step(bool forward, bool quiet)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    FileThreadState &state = threadState();
    for (;;) {
        state.ATEOF = 0;
        const int code = forward ? state.handle->next() : state.handle->previous();
        switch (code) {
        case Result::Ok:
            return Level::Benign;
        case Result::NoRecord:
            state.ATEOF = 1;
            return Level::Notify;
        case Result::RecordHeld:
            if (SKIPHELDRECORDS)
                continue;
            noteError(28);
            if (!quiet)
                ReportLastError();
            return Level::Notify;
        default:
            noteError(1);
            return quiet ? Level::Fatal : ReportLastError();
        }
    }
}

// --- new records -----------------------------------------------------------------------------

int FileManager::PrepareNewRecord(bool keepBuffer)
{
    if (!keepBuffer)
        BUFFER().clear();
    FillDefaults();
    if (!HASAUTOINC)
        return Level::Benign;
    threadState().AUTOINCDONE = 0;
    return AssignNumber();
}

int FileManager::AssignNumber()
{
    return assignNumber(false);
}

int FileManager::AssignNumberQuiet()
{
    return assignNumber(true);
}

int FileManager::assignNumber(bool quiet)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    if (!HASAUTOINC || threadState().AUTOINCDONE)
        return Level::Benign;
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            bool gaveUp = false;
            const int level = numberingAttempt(quiet, gaveUp);
            if (level == Level::Benign || gaveUp)
                return level;
        }
        if (quiet)
            return Level::Notify;
        // The note of the last failed add fills %ErrorText.
        if (ERRORS->HandleError(32) != Level::Benign)
            return Level::Notify;
    }
}

// One attempt: find the highest value of every auto-numbered key, store it plus one and add
// the buffer as a placeholder record. `gaveUp` is set when a read failed: that is reported
// and not tried again.
int FileManager::numberingAttempt(bool quiet, bool &gaveUp)
{
    FileThreadState &state = threadState();
    FileHandle &file = *state.handle;
    RecordBuffer &buffer = BUFFER();
    for (std::size_t k = 0; k < KEYS.size(); ++k) {
        const KeyDescription &key = KEYS[k];
        if (!key.AUTOINC)
            continue;
        state.passKey = static_cast<std::uint8_t>(k + 1);
        const KeyComponent &last = key.FIELDS.back();
        std::uint16_t snapshot = TakeSnapshot();
        int code;
        if (key.FIELDS.size() == 1) {
            code = file.setKeyStart(key.KEY.index);
        } else {
            setHighest(buffer, last.FIELD);
            code = file.setKeyFrom(key.KEY.index);
        }
        const RecordBuffer kept = buffer;
        if (code == Result::Ok)
            code = last.ASCEND ? file.previous() : file.next();
        double value = 1;
        if (code == Result::Ok) {
            bool counts = true;
            for (std::size_t i = 0; i + 1 < key.FIELDS.size(); ++i) {
                const int field = key.FIELDS[i].FIELD;
                counts = counts && buffer.value(field) == kept.value(field);
            }
            if (counts)
                value = numericValue(buffer, last.FIELD) + 1;
        } else if (code != Result::NoRecord) {
            RestoreSnapshot(snapshot, true);
            gaveUp = true;
            noteError(1);
            return quiet ? Level::Notify : ReportLastError();
        }
        RestoreSnapshot(snapshot, true);
        setNumber(buffer, last.FIELD, value);
    }
    const std::vector<int> marked = markBlankUniqueTexts(buffer);
    const int added = file.add();
    for (const int field : marked)
        buffer.setValue(field, std::string());
    if (added != Result::Ok) {
        noteError(32);
        return Level::Retry;
    }
    state.AUTOINCDONE = 1;
    state.placeholderPosition = file.position();
    return Level::Benign;
}

// A unique text key that the form fills in (an order's number, an activity's name) is still
// blank when the placeholder is added. Two placeholders at once, or one left behind by a
// program that ended without removing it, would collide on that blank, and no new record of
// the file could be numbered any more. The placeholder carries a mark made of its own
// automatic number there instead; the buffer keeps the blank, and the save writes the real
// value over the mark.
std::vector<int> FileManager::markBlankUniqueTexts(RecordBuffer &buffer) const
{
    std::string number;
    for (const KeyDescription &key : KEYS) {
        if (key.AUTOINC)
            number += buffer.text(key.FIELDS.back().FIELD);
    }
    std::vector<int> marked;
    for (const KeyDescription &key : KEYS) {
        if (key.AUTOINC || key.DUPS || key.FIELDS.size() != 1)
            continue;
        const int field = key.FIELDS.front().FIELD;
        if (buffer.def().fields[field].type != FieldType::String
            || !rt::isBlank(buffer.text(field)))
            continue;
        buffer.setValue(field, "~" + number);
        marked.push_back(field);
    }
    return marked;
}

// The placeholder is written over by Insert and deleted by CancelNumbering; a lookup in the
// same file since it was added may have moved the current record away from it, and another
// station may have deleted it (with the order it was primed for).
bool FileManager::returnToPlaceholder(FileThreadState &state)
{
    FileHandle &file = *state.handle;
    if (state.placeholderPosition.empty())
        return false;
    std::uint16_t snapshot = TakeSnapshot();
    const bool found = file.reget(state.placeholderPosition) == Result::Ok;
    RestoreSnapshot(snapshot, true);
    return found;
}

int FileManager::CancelNumbering(RelationKeeper *relations)
{
    if (!HASAUTOINC || !threadState().AUTOINCDONE)
        return Level::Benign;
    if (const int level = Use(2); level != Level::Benign)
        return level;
    FileThreadState &state = threadState();
    if (!returnToPlaceholder(state)) {
        // Nothing left to delete.
        state.AUTOINCDONE = 0;
        return Level::Benign;
    }
    int level;
    if (relations) {
        level = relations->Delete(false);
    } else if (state.handle->erase() == Result::Ok) {
        level = Level::Benign;
    } else {
        noteError(11);
        level = ReportLastError();
    }
    if (level == Level::Benign) {
        FileThreadState &after = threadState();
        after.AUTOINCDONE = 0;
        after.placeholderPosition.clear();
    }
    return level;
}

// --- insert and update ---------------------------------------------------------------------

int FileManager::Insert()
{
    return insertRecord(false);
}

int FileManager::InsertQuiet()
{
    return insertRecord(true);
}

int FileManager::insertRecord(bool quiet)
{
    if (Use(2) != Level::Benign)
        return Level::Fatal;
    if (CheckRecord() != 0)
        return Level::Notify;
    FileThreadState &state = threadState();
    int code;
    if (!HASAUTOINC) {
        code = state.handle->add();
    } else if (state.AUTOINCDONE) {
        code = returnToPlaceholder(state) ? state.handle->put() : state.handle->add();
    } else {
        if (assignNumber(quiet) != Level::Benign)
            return Level::Notify;
        code = Result::Ok;
    }
    if (code == Result::Ok) {
        state.AUTOINCDONE = 0;
        state.placeholderPosition.clear();
        return Level::Benign;
    }
    if (code == Result::DuplicateKey) {
        noteError(13);
        if (quiet)
            return Level::Notify;
        return reportDuplicate();
    }
    noteError(4);
    return quiet ? Level::Notify : ReportLastError();
}

int FileManager::ReportInsertFailure()
{
    selectThread();
    return lastError() == 13 ? reportDuplicate() : ReportLastError();
}

// Names the first key in KEYS that the buffer would duplicate.
int FileManager::reportDuplicate()
{
    FileHandle &file = handle();
    std::string description;
    for (const KeyDescription &key : KEYS) {
        if (file.duplicate(key.KEY.index)) {
            description = key.DESCRIPTION;
            break;
        }
    }
    ReportErrorText(13, description);
    return Level::Notify;
}

int FileManager::Update(bool historyKey)
{
    return updateRecord(false, historyKey);
}

int FileManager::UpdateQuiet()
{
    return updateRecord(true, false);
}

int FileManager::updateRecord(bool quiet, bool historyKey)
{
    if (Use(2) != Level::Benign)
        return Level::Fatal;
    if (CheckRecord() != 0)
        return Level::Retry;
    FileHandle &file = handle();
    const std::string position = file.position();
    const int code = file.put();
    if (code == Result::Ok)
        return Level::Benign;
    if (code == Result::RecordChanged) {
        // Show what the other station wrote; the user recalls the own changes if wanted. A
        // record the other station deleted leaves the user's values in the buffer.
        noteError(historyKey ? 7 : 6);
        file.watch();
        if (file.reget(position) != Result::Ok)
            noteError(MessageId::RecordGone);
        if (!quiet)
            ReportLastError();
        return Level::Notify;
    }
    noteError(code == Result::NoRecord ? MessageId::RecordGone : 25);
    return quiet ? Level::Notify : ReportLastError();
}
