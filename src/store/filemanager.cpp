#include "store/filemanager.h"

#include "store/procthread.h"

#include <algorithm>
#include <filesystem>

FileManager::FileManager(FileServices &services)
    : m_services(services)
{}

FileManager::~FileManager()
{
    Release();
}

RecordBuffer &FileManager::BUFFER()
{
    return m_services.threads().current()[FILE];
}

void FileManager::Init(FileId file, ErrorManager &errors)
{
    FILE = file;
    ERRORS = &errors;
    BUFFERS.clear();
    INFO.clear();
    KEYS.clear();
    SAVED.clear();
    HASAUTOINC = 0;
    PRIMARYKEY = 0;
    LOCKRECOVER = 10;
    OPENMODE = OpenMode::ReadWrite | OpenMode::DenyNone;
    CREATE = 1;
    LAZYOPEN = 1;
    SKIPHELDRECORDS = 0;
    FILENAMEVALUE = fileDef(file).label;
    m_services.registerManager(FILENAMEVALUE, *this);
    m_services.threads().attach(*this);
}

void FileManager::Release()
{
    if (!ERRORS)
        return;
    m_services.unregisterManager(*this);
    m_services.threads().detach(*this);
    // Handles before anything else: they refer to the threads' buffers.
    INFO.clear();
    BUFFERS.clear();
    SAVED.clear();
    KEYS.clear();
    std::erase_if(m_services.usage(), [&](const FileUsage &u) { return u.ID == FILE; });
    ERRORS = nullptr;
}

void FileManager::RegisterKey(KeyRef key, std::string_view description, bool autoNumbered)
{
    const FileDef &file = fileDef(key.file);
    const KeyDef &def = file.keys[key.index];
    KeyDescription entry;
    entry.KEY = key;
    entry.DESCRIPTION = std::string(description.substr(0, 80));
    entry.AUTOINC = autoNumbered ? 1 : 0;
    entry.DUPS = def.unique ? 0 : 1;
    entry.NOCASE = def.noCase ? 1 : 0;
    for (int i = 0; i < def.partCount; ++i) {
        const KeyPart &part = def.parts[static_cast<std::size_t>(i)];
        KeyComponent component;
        component.FIELD = part.field;
        component.ASCEND = part.descending ? 0 : 1;
        component.FIELDNAME = file.qualifiedFieldName(part.field);
        if (def.noCase && file.fields[part.field].type == FieldType::String)
            component.FIELDNAME = "UPPER(" + component.FIELDNAME + ")";
        entry.FIELDS.push_back(std::move(component));
    }
    if (autoNumbered)
        HASAUTOINC = 1;
    // The engine keeps its records by insertion order and has no primary key of its own, so
    // positions are always taken through the file (PRIMARYKEY stays 0).
    KEYS.push_back(std::move(entry));
}

FileThreadState &FileManager::selectThread()
{
    if (ERRORS)
        ERRORS->SetFileContext(FILENAME ? *FILENAME : FILENAMEVALUE);
    return threadState();
}

FileThreadState &FileManager::threadState()
{
    const std::uint32_t thread = ProcThread::current();
    for (FileThreadState &state : INFO) {
        if (state.ID == thread)
            return state;
    }
    FileThreadState state;
    state.ID = thread;
    state.handle = m_services.makeHandle(FILE, BUFFER());
    INFO.push_back(std::move(state));
    return INFO.back();
}

FileHandle &FileManager::handle()
{
    return *threadState().handle;
}

void FileManager::releaseThread(std::uint32_t thread)
{
    std::erase_if(INFO, [&](const FileThreadState &s) { return s.ID == thread; });
    std::erase_if(BUFFERS, [&](const Snapshot &s) { return s.thread == thread; });
    std::erase_if(SAVED, [&](const SavedFileState &s) { return s.thread == thread; });
}

// --- opening and closing ---------------------------------------------------------------

int FileManager::Open()
{
    return openCounted(false);
}

int FileManager::OpenQuiet()
{
    return openCounted(true);
}

int FileManager::openCounted(bool quiet)
{
    FileThreadState &state = selectThread();
    noteOpen();
    if (!LAZYOPEN && state.OPENED == 0 && !state.USED) {
        if (const int level = openFile(state, quiet); level != Level::Benign)
            return level;
    }
    ++state.OPENED;
    return Level::Benign;
}

int FileManager::Use(int level)
{
    FileThreadState &state = selectThread();
    noteUse(level);
    if (!LAZYOPEN || state.USED)
        return Level::Benign;
    if (state.OPENED == 0) {
        // Ends the program: a procedure read a file that nobody in its chain opened.
        return ReportError(39);
    }
    std::uint16_t snapshot = TakeSnapshot();
    const int result = openFile(threadState(), false);
    RestoreSnapshot(snapshot, true);
    return result;
}

int FileManager::failOpen(int id, bool quiet)
{
    noteError(id);
    return quiet ? Level::Notify : ReportLastError();
}

// At most two attempts; between them the file is created, its keys rebuilt, or the open
// mode lowered to read-only.
int FileManager::openFile(FileThreadState &state, bool quiet)
{
    FileHandle &file = *state.handle;
    for (int attempt = 0; attempt < 2; ++attempt) {
        int code = file.open(OPENMODE);
        if (code == Result::AccessDenied) {
            // A lock left behind by a station that went down is given up after this time.
            file.send("Recover=" + std::to_string(LOCKRECOVER));
            code = file.open(OPENMODE);
        }
        switch (code) {
        case Result::Ok:
        case Result::AlreadyOpen:
            state.USED = 1;
            state.ATEOF = 0;
            state.AUTOINCDONE = 0;
            return Level::Benign;
        case Result::FileNotFound:
            if (!CREATE)
                return failOpen(23, quiet);
            if (file.create() != Result::Ok)
                return failOpen(10, quiet);
            break;
        case Result::KeysInvalid:
            if (quiet)
                return failOpen(27, quiet);
            ReportError(27);
            if (file.rebuildKeys() != Result::Ok)
                return failOpen(26, quiet);
            reportSetAside(file.setAside());
            break;
        case Result::AccessDenied:
            if (isReadOnly())
                return failOpen(23, quiet);
            OPENMODE &= 0xF0;
            noteError(2);
            if (!quiet)
                ReportLastError();
            break;
        default:
            return failOpen(23, quiet);
        }
    }
    return failOpen(23, quiet);
}

void FileManager::Close()
{
    FileThreadState &state = selectThread();
    noteClose();
    if (state.OPENED == 0)
        return;
    if (--state.OPENED == 0) {
        state.handle->close();
        state.USED = 0;
    }
}

// --- the usage list ------------------------------------------------------------------------

namespace {

FileUsage *latestUsage(std::vector<FileUsage> &usage, std::uint32_t thread, FileId file)
{
    for (auto it = usage.rbegin(); it != usage.rend(); ++it) {
        if (it->THREAD == thread && it->ID == file)
            return &*it;
    }
    return nullptr;
}

} // namespace

void FileManager::noteUse(int level)
{
    std::vector<FileUsage> &usage = m_services.usage();
    const std::uint32_t thread = ProcThread::current();
    const std::string proc = ERRORS ? ERRORS->currentProcedure() : std::string();
    const auto ustat = static_cast<std::uint8_t>(level);
    FileUsage *latest = latestUsage(usage, thread, FILE);
    if (!latest) {
        usage.push_back({thread, proc, FILE, ustat, 0, 1, 0});
    } else if (latest->PROC != proc) {
        FileUsage entry{thread, proc, FILE, ustat, 0, 0, 0};
        entry.SCOPELEVEL = static_cast<std::uint8_t>(latest->SCOPELEVEL + 1);
        // A procedure that works on the file itself (level 3) hands its record back to the
        // caller; one that only reads it must not disturb the caller's record.
        if (level != 3)
            entry.HOLD = SaveState();
        usage.push_back(std::move(entry));
    } else if (ustat > latest->USTAT) {
        latest->USTAT = ustat;
    }
}

void FileManager::noteOpen()
{
    FileUsage *latest = latestUsage(m_services.usage(), ProcThread::current(), FILE);
    const std::string proc = ERRORS ? ERRORS->currentProcedure() : std::string();
    if (latest && latest->PROC == proc)
        ++latest->NESTEDOPEN;
    else
        noteUse(1);
}

void FileManager::noteClose()
{
    std::vector<FileUsage> &usage = m_services.usage();
    FileUsage *latest = latestUsage(usage, ProcThread::current(), FILE);
    const std::string proc = ERRORS ? ERRORS->currentProcedure() : std::string();
    if (!latest || latest->PROC != proc)
        return;
    if (latest->NESTEDOPEN > 0) {
        --latest->NESTEDOPEN;
        return;
    }
    std::uint16_t hold = latest->HOLD;
    const bool restore = latest->USTAT < 3;
    usage.erase(usage.begin() + (latest - usage.data()));
    if (hold)
        RestoreState(hold, restore);
}

// --- messages --------------------------------------------------------------------------------

void FileManager::noteError(int id)
{
    threadState().LASTERROR = static_cast<std::uint8_t>(id);
    if (ERRORS)
        ERRORS->NoteStorageError();
}

int FileManager::ReportError(int id)
{
    selectThread();
    noteError(id);
    return ERRORS->HandleError(id);
}

int FileManager::ReportLastError()
{
    // The storage result was kept when the error was noted: a rollback in between must not
    // replace it.
    const int id = selectThread().LASTERROR;
    return ERRORS->HandleError(id);
}

// The old file is kept, unchanged, beside the new one: the user learns its name to rescue it.
void FileManager::reportSetAside(const std::string &aside)
{
    if (aside.empty())
        return;
    const std::filesystem::path path(aside);
    const std::string original
        = path.stem().string(); // "PAPIER.sqlite" of "PAPIER.sqlite.defekt-…"
    ReportErrorText(MessageId::FileSetAside,
                    "Sie wurde unverändert von „" + original + "“ in „" + path.filename().string()
                        + "“ umbenannt (Ordner: " + path.parent_path().string() + ").");
}

int FileManager::ReportErrorText(int id, std::string_view text)
{
    selectThread();
    threadState().LASTERROR = static_cast<std::uint8_t>(id);
    return ERRORS->ReportText(id, text);
}

// --- checks and hooks ------------------------------------------------------------------------

void FileManager::ExposeFields()
{
    m_fieldsExposed = true;
}

std::optional<int> FileManager::exposedField(std::string_view name) const
{
    if (!m_fieldsExposed)
        return std::nullopt;
    const int field = fileDef(FILE).fieldIndex(name);
    return field < 0 ? std::nullopt : std::optional<int>(field);
}

void FileManager::FillDefaults() {}

int FileManager::CheckField(int)
{
    return 0;
}

int FileManager::CheckFields(int first, int last, int &failing)
{
    for (int field = first; field <= last; ++field) {
        if (CheckField(field) != 0) {
            failing = field;
            return 1;
        }
    }
    return 0;
}

int FileManager::CheckRecord()
{
    int failing = 0;
    return CheckFields(0, fileDef(FILE).fieldCount - 1, failing);
}
