#pragma once

#include "store/errormanager.h"
#include "store/fileservices.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RelationKeeper;

// A component of a key as filters and orders name it.
struct KeyComponent
{
    int FIELD = 0;         // index of the field in the record
    std::string FIELDNAME; // "PAP:PBEZ"; "UPPER(KUN:KNAME)" for text in a key that ignores case
    std::uint8_t ASCEND = 1;
};

struct KeyDescription
{
    KeyRef KEY{};
    std::string DESCRIPTION; // the key's name as registered: "PAP:Keypbez"
    std::vector<KeyComponent> FIELDS;
    std::uint8_t AUTOINC = 0;
    std::uint8_t DUPS = 0;
    std::uint8_t NOCASE = 0;
};

// A file as one procedure thread uses it.
struct FileThreadState
{
    std::uint32_t ID = 1;
    std::uint8_t USED = 0; // physically open
    std::uint16_t OPENED = 0;
    std::uint8_t ATEOF = 0;
    std::uint8_t AUTOINCDONE = 0; // a numbered placeholder record waits to be completed
    std::uint8_t LASTERROR = 0;

    std::unique_ptr<FileHandle> handle;
    std::uint8_t passKey = 0;        // position in KEYS of the current pass's key, 0 = stored order
    std::string placeholderPosition; // where the placeholder record stands
};

// A copy of a record buffer, kept without trailing blanks.
struct Snapshot
{
    std::uint16_t ID = 0;
    std::string BUFFER;
    std::uint32_t thread = 0;
};

struct SavedFileState
{
    std::uint16_t BUFFER = 0; // snapshot of the record buffer
    std::uint16_t ID = 0;
    std::uint8_t WHELD = 0;
    std::uint8_t WWATCH = 0;
    std::uint8_t AUTOINCDONE = 0;
    std::int64_t version = 0; // of the watched record, as it was read
    std::string POS;
    std::uint8_t KEY = 0; // position in KEYS of the pass's key, 0 = stored order
    std::string placeholderPosition;
    std::uint32_t thread = 0;
};

// Access to one record file: lazy opening with creation of a missing file, automatic
// numbering, insert, update and reads with a fixed policy of retries and messages, and the
// saving of record buffers and positions so that nested procedures do not disturb one
// another. Every failure becomes a message id and a result level (Level::).
//
// Record files are per thread: each procedure thread has its own buffer, handle and state
// of the file (INFO), all let go when the thread ends.
class FileManager : public ThreadStateOwner
{
public:
    explicit FileManager(FileServices &services);
    ~FileManager() override;
    FileManager(const FileManager &) = delete;
    FileManager &operator=(const FileManager &) = delete;

    FileManager *ALIASEDFILE = nullptr;
    // BUFFER: the current thread's record buffer, see BUFFER() below.
    std::vector<Snapshot> BUFFERS;
    std::uint8_t CREATE = 1;
    ErrorManager *ERRORS = nullptr;
    FileId FILE{};
    std::optional<std::string> FILENAME;
    std::string FILENAMEVALUE;
    std::uint8_t HASAUTOINC = 0;
    std::vector<FileThreadState> INFO;
    std::vector<KeyDescription> KEYS;
    std::uint8_t LAZYOPEN = 1;
    std::uint16_t LOCKRECOVER = 10;
    std::uint8_t OPENMODE = OpenMode::ReadWrite | OpenMode::DenyNone;
    std::uint8_t PRIMARYKEY = 0;
    std::vector<SavedFileState> SAVED;
    std::uint8_t SKIPHELDRECORDS = 0;

    RecordBuffer &BUFFER();

    void Init(FileId file, ErrorManager &errors);
    void Release();
    void RegisterKey(KeyRef key, std::string_view description, bool autoNumbered);

    // In slot order.
    virtual void ExposeFields();
    virtual int CancelNumbering(RelationKeeper *relations = nullptr);
    virtual void Close();
    virtual bool MatchesSnapshot(std::uint16_t id);
    virtual int FetchOrClear(KeyRef key);
    virtual int Insert();
    virtual int Next();
    virtual int Open();
    virtual int Previous();
    virtual int AssignNumber();
    virtual void FillDefaults();
    virtual int PrepareNewRecord(bool keepBuffer = false);
    virtual int ReportError(int id);
    virtual int ReportLastError();
    virtual int ReportErrorText(int id, std::string_view text);
    virtual int FetchQuiet(KeyRef key);
    virtual int InsertQuiet();
    virtual int NextQuiet();
    virtual int OpenQuiet();
    virtual int PreviousQuiet();
    virtual int AssignNumberQuiet();
    virtual int UpdateQuiet();
    // historyKey: the caller can recall the user's changes (message 7 instead of 6).
    virtual int Update(bool historyKey = false);
    virtual int CheckField(int field);
    virtual int CheckFields(int first, int last, int &failing);
    virtual int CheckRecord();

    int Use(int level);
    // Reports the failure of the last InsertQuiet as Insert would have: a duplicate names
    // its key. The level of the report.
    int ReportInsertFailure();
    // Watches the current record for changes by other stations: reads it again as it stands
    // now, and a later Update of it then ends in message 6 or 7 when another station has
    // written it meanwhile. 0; without a current record nothing is watched. A record that
    // is gone is reported (message 42) and gives 5.
    int Watch();
    std::uint16_t TakeSnapshot();
    void RestoreSnapshot(std::uint16_t id, bool restore = true);
    std::uint16_t SaveState();
    // Sets the caller's id to 0.
    void RestoreState(std::uint16_t &id, bool restore = true);
    std::string Position();
    int Refetch(const std::string &position);

    // Key-field helpers for filters and orders; a key not registered here has no components.
    const KeyDescription *keyDescription(KeyRef key) const;
    int keyFieldCount(KeyRef key) const;
    std::vector<std::string> keyFieldNames(KeyRef key) const;
    // The field index of component `number` (1 = first); -1 when there is none.
    int keyField(KeyRef key, int number) const;

    // The file's fields by qualified or bare name, once ExposeFields has made them visible.
    std::optional<int> exposedField(std::string_view name) const;

    // Sequential passes, remembered so that a saved state can return to them. Each is a
    // record operation (Use(2) first); the result is the engine's code or the level of Use.
    int startPass(KeyRef key);     // at the start of the key
    int startPassFrom(KeyRef key); // at the buffer's values of the key
    int startStoredPass();

    // The current thread's handle and state of the file.
    FileHandle &handle();
    FileThreadState &threadState();
    std::uint8_t lastError() { return threadState().LASTERROR; }
    // Keeps the id and the storage engine's last result for a later ReportLastError.
    void noteError(int id);
    void reportSetAside(const std::string &aside);
    bool isReadOnly() const { return (OPENMODE & 0x0F) == OpenMode::ReadOnly; }

    FileServices &services() { return m_services; }

    void releaseThread(std::uint32_t thread) override;

private:
    FileThreadState &selectThread();
    int openFile(FileThreadState &state, bool quiet);
    int failOpen(int id, bool quiet);
    int openCounted(bool quiet);
    int step(bool forward, bool quiet);
    int insertRecord(bool quiet);
    int updateRecord(bool quiet, bool historyKey);
    int assignNumber(bool quiet);
    std::vector<int> markBlankUniqueTexts(RecordBuffer &buffer) const;
    int numberingAttempt(bool quiet, bool &gaveUp);
    bool returnToPlaceholder(FileThreadState &state);
    int reportDuplicate();

    void noteUse(int level);
    void noteOpen();
    void noteClose();

    std::uint16_t nextSnapshotId() const;
    const Snapshot *findSnapshot(std::uint16_t id) const;

    FileServices &m_services;
    bool m_fieldsExposed = false;
};
