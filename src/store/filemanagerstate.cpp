// Snapshots of the record buffer, saved file states, positions and key descriptions.

#include "store/filemanager.h"

#include "store/procthread.h"

#include <algorithm>
#include <cstring>

std::uint16_t FileManager::nextSnapshotId() const
{
    return BUFFERS.empty() ? 1 : static_cast<std::uint16_t>(BUFFERS.back().ID + 1);
}

const Snapshot *FileManager::findSnapshot(std::uint16_t id) const
{
    for (const Snapshot &snapshot : BUFFERS) {
        if (snapshot.ID == id)
            return &snapshot;
    }
    return nullptr;
}

std::uint16_t FileManager::TakeSnapshot()
{
    const RecordBuffer &buffer = BUFFER();
    std::string copy(buffer.data(), buffer.size());
    // Padded with blanks again when restored, so the copy comes back byte for byte.
    copy.erase(copy.find_last_not_of(' ') + 1);
    const std::uint16_t id = nextSnapshotId();
    BUFFERS.push_back({id, std::move(copy), ProcThread::current()});
    return id;
}

void FileManager::RestoreSnapshot(std::uint16_t id, bool restore)
{
    const Snapshot *snapshot = findSnapshot(id);
    if (!snapshot)
        return;
    if (restore) {
        RecordBuffer &buffer = BUFFER();
        const std::size_t kept = std::min(snapshot->BUFFER.size(), buffer.size());
        std::memcpy(buffer.data(), snapshot->BUFFER.data(), kept);
        std::memset(buffer.data() + kept, ' ', buffer.size() - kept);
    }
    BUFFERS.erase(BUFFERS.begin() + (snapshot - BUFFERS.data()));
}

bool FileManager::MatchesSnapshot(std::uint16_t id)
{
    const Snapshot *snapshot = findSnapshot(id);
    if (!snapshot)
        return false;
    const RecordBuffer &buffer = BUFFER();
    const std::size_t kept = snapshot->BUFFER.size();
    if (kept > buffer.size() || std::memcmp(buffer.data(), snapshot->BUFFER.data(), kept) != 0)
        return false;
    return std::all_of(
        buffer.data() + kept, buffer.data() + buffer.size(), [](char c) { return c == ' '; });
}

std::uint16_t FileManager::SaveState()
{
    FileThreadState &state = threadState();
    FileHandle &file = *state.handle;
    SavedFileState saved;
    saved.BUFFER = TakeSnapshot();
    saved.ID = SAVED.empty() ? 1 : static_cast<std::uint16_t>(SAVED.back().ID + 1);
    saved.WHELD = file.isHeld() ? 1 : 0;
    saved.WWATCH = file.isWatched() ? 1 : 0;
    saved.version = file.version();
    saved.AUTOINCDONE = state.AUTOINCDONE;
    saved.POS = file.isOpen() ? file.position() : std::string();
    saved.KEY = state.passKey;
    saved.placeholderPosition = state.placeholderPosition;
    saved.thread = ProcThread::current();
    SAVED.push_back(std::move(saved));
    return SAVED.back().ID;
}

void FileManager::RestoreState(std::uint16_t &id, bool restore)
{
    const auto it = std::find_if(
        SAVED.begin(), SAVED.end(), [&](const SavedFileState &s) { return s.ID == id; });
    id = 0;
    if (it == SAVED.end())
        return;
    const SavedFileState saved = *it;
    SAVED.erase(it);
    if (!restore) {
        RestoreSnapshot(saved.BUFFER, false);
        return;
    }
    FileThreadState &state = threadState();
    FileHandle &file = *state.handle;
    if (file.isOpen() && !saved.POS.empty()) {
        const bool byKey = saved.KEY > 0 && saved.KEY <= KEYS.size();
        if (byKey)
            file.setKeyStart(KEYS[saved.KEY - 1].KEY.index);
        else
            file.setStoredOrder();
        state.passKey = byKey ? saved.KEY : 0;
        // Restarted there, the pass reads that record first and goes on from it.
        file.reset(saved.POS);
        if (saved.WHELD)
            file.hold();
        // Watched as first read: a change by another station in between must still show.
        if (saved.WWATCH)
            file.watchSince(saved.version);
        // One record, not a block: a cascade restores its files once for every parent.
        file.setReadAhead(1);
        file.next();
        file.setReadAhead(0);
    }
    RestoreSnapshot(saved.BUFFER, true);
    state.AUTOINCDONE = saved.AUTOINCDONE;
    state.placeholderPosition = saved.placeholderPosition;
}

std::string FileManager::Position()
{
    if (Use(2) != Level::Benign)
        return {};
    return handle().position();
}

int FileManager::Watch()
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    FileHandle &file = handle();
    const std::string position = file.position();
    if (position.empty())
        return Level::Benign;
    file.watch();
    const int code = file.reget(position);
    if (code == Result::Ok)
        return Level::Benign;
    noteError(code == Result::NoRecord ? MessageId::RecordGone : 1);
    return ReportLastError();
}

int FileManager::Refetch(const std::string &position)
{
    if (const int level = Use(2); level != Level::Benign)
        return level;
    return handle().reget(position) == Result::Ok ? Level::Benign : Level::Notify;
}

// --- key descriptions ------------------------------------------------------------------------

const KeyDescription *FileManager::keyDescription(KeyRef key) const
{
    for (const KeyDescription &entry : KEYS) {
        if (entry.KEY.file == key.file && entry.KEY.index == key.index)
            return &entry;
    }
    return nullptr;
}

int FileManager::keyFieldCount(KeyRef key) const
{
    const KeyDescription *entry = keyDescription(key);
    return entry ? static_cast<int>(entry->FIELDS.size()) : 0;
}

std::vector<std::string> FileManager::keyFieldNames(KeyRef key) const
{
    std::vector<std::string> names;
    if (const KeyDescription *entry = keyDescription(key)) {
        for (const KeyComponent &component : entry->FIELDS)
            names.push_back(component.FIELDNAME);
    }
    return names;
}

int FileManager::keyField(KeyRef key, int number) const
{
    const KeyDescription *entry = keyDescription(key);
    if (!entry || number < 1 || number > static_cast<int>(entry->FIELDS.size()))
        return -1;
    return entry->FIELDS[static_cast<std::size_t>(number - 1)].FIELD;
}
