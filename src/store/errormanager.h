#pragma once

#include "store/engine.h"
#include "store/messagepresenter.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The kind of a message (its FATALITY byte) decides how it is shown and what comes back.
namespace MessageKind {
inline constexpr std::uint8_t Benign = 0;
inline constexpr std::uint8_t Question = 1;
inline constexpr std::uint8_t ProgramError = 2;
inline constexpr std::uint8_t Fatal = 3;
inline constexpr std::uint8_t Query = 4; // shown and answered like Question
inline constexpr std::uint8_t Notice = 5;
} // namespace MessageKind

// Result levels that callers act on.
namespace Level {
inline constexpr int Benign = 0; // carry on, or success
inline constexpr int Retry = 1;  // failure the user may retry
inline constexpr int Fatal = 3;  // failure that ends the action
inline constexpr int Cancel = 4; // cancelled by the user
inline constexpr int Notify = 5; // handled or already reported
} // namespace Level

struct MessageEntry
{
    std::uint16_t id = 0;
    std::string message; // UTF-8; '|' is a line break
    std::string title;   // UTF-8
    std::uint8_t fatality = MessageKind::Benign;
};

// The message table as it is kept: a 16-bit little-endian count, then per entry its id
// (16-bit little-endian), kind byte, title length byte, title, text length byte, text;
// texts in Windows-1252 without terminators. Holds the system's forty messages.
std::string storedMessageTable();

// Messages of the record store beyond the stored table, in the same form, German: a record
// that another station deleted, a record whose parent it deleted, and the question before a
// delete that names what goes with the record.
namespace MessageId {
inline constexpr std::uint16_t RecordGone = 42;
inline constexpr std::uint16_t ParentGone = 43;
inline constexpr std::uint16_t ConfirmDeleteWith = 44;
inline constexpr std::uint16_t FileSetAside = 45; // %Message: which file, where it went
inline constexpr std::uint16_t Refused = 46;      // %Message: what stands in the way
} // namespace MessageId
std::string storeMessages();

// Builds a block in the stored form; throws std::length_error for a title or text longer
// than 255 bytes in Windows-1252. Texts are given in UTF-8.
std::string buildMessageBlock(const std::vector<MessageEntry> &entries);

// The one process-wide error manager: every failure and standard question of the system is
// named by a message id, filled in from the current context and shown by its kind.
class ErrorManager
{
public:
    // `status` is the storage engine's last result, read by NoteStorageError.
    ErrorManager(const StorageStatus &status, MessagePresenter &presenter);
    virtual ~ErrorManager() = default;
    ErrorManager(const ErrorManager &) = delete;
    ErrorManager &operator=(const ErrorManager &) = delete;

    // The program swaps in the message boxes once the GUI exists.
    void setPresenter(MessagePresenter &presenter) { m_presenter = &presenter; }
    MessagePresenter &presenter() const { return *m_presenter; }

    // Looks up the text the user reads for one of the English texts below (a message's title
    // and wording, a result text), by the context it is marked with (store/usertext.h).
    // Placeholders are filled in after the lookup. Without one the texts show as written.
    using Translator = std::function<std::string(const char *context, const std::string &text)>;
    void setTranslator(Translator translator) { m_translator = std::move(translator); }

    void Init();
    void Release();

    void SetProcedure(std::string_view name);
    void ClearProcedure();
    void SetFileContext(std::string_view name);
    void SetFieldContext(std::string_view name);
    void NoteStorageError();

    int Report(int id);
    int ReportText(int id, std::string_view text);
    int HandleError(int id);
    // Shows the message with the caller's buttons (MessageButton values) and returns the
    // button pressed.
    int Ask(int id, int buttons, int defaultButton);
    std::string FormatMessage() const;

    // The entry that the last HandleError or Ask found; null when its id was not listed.
    const MessageEntry *currentEntry() const;

    const std::vector<MessageEntry> &entries() const { return m_errors; }
    // The latest procedure name registered on the current thread, or the empty text.
    std::string currentProcedure() const;
    const std::string &fileName() const { return m_fileName; }
    const std::string &fieldName() const { return m_fieldName; }
    const std::string &messageText() const { return m_messageText; }
    int saveErrorCode() const { return m_saveErrorCode; }
    const std::string &saveError() const { return m_saveError; }

    // Appends every complete entry of a block in the stored form.
    virtual void LoadMessages(std::string_view block);

protected:
    virtual int OnBenign();
    // The default ends the program; an override that returns gives its level to the caller.
    virtual int OnFatal();
    virtual void OnNotice();
    virtual int OnOther();
    virtual int OnProgramError();
    virtual int OnQuestion();

private:
    struct ProcName
    {
        std::uint32_t thread;
        std::string name;
    };

    bool findEntry(int id);
    std::string translated(const char *context, const std::string &text) const;
    std::string currentTitle() const;

    // Members in the order the message context is documented.
    std::vector<MessageEntry> m_errors;
    std::string m_fieldName;
    std::string m_fileName;
    std::string m_messageText;
    std::vector<ProcName> m_procNames;
    std::string m_saveError;
    int m_saveErrorCode = 0;
    std::string m_saveFileError;
    std::string m_saveFileErrorCode;

    const StorageStatus &m_status;
    MessagePresenter *m_presenter;
    Translator m_translator;
    std::ptrdiff_t m_current = -1; // index into m_errors
};
