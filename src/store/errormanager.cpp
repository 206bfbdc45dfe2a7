#include "store/errormanager.h"

#include "base/text.h"
#include "store/procthread.h"
#include "store/resultcodes.h"
#include "store/usertext.h"

#include <cstddef>

namespace {

constexpr std::size_t kContextChars = 255;
constexpr std::size_t kWorkingChars = 2000;

std::string contextText(std::string_view text)
{
    return rt::leftChars(rt::clip(text), kContextChars);
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findNoCase(const std::string &text, std::string_view what, std::size_t from)
{
    if (what.size() > text.size())
        return std::string::npos;
    for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() && asciiLower(text[i + k]) == asciiLower(what[k]))
            ++k;
        if (k == what.size())
            return i;
    }
    return std::string::npos;
}

// Replaces every occurrence, left to right; the search goes on after the inserted value, so a
// value that itself holds the placeholder is left as it is. The working copy never grows
// beyond its limit.
void replaceAll(std::string &text, std::string_view placeholder, const std::string &value)
{
    std::size_t at = findNoCase(text, placeholder, 0);
    while (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
        text = rt::leftChars(text, kWorkingChars);
        at = findNoCase(text, placeholder, at + value.size());
    }
}

std::uint8_t byteAt(std::string_view block, std::size_t at)
{
    return static_cast<std::uint8_t>(block[at]);
}

} // namespace

ErrorManager::ErrorManager(const StorageStatus &status, MessagePresenter &presenter)
    : m_status(status)
    , m_presenter(&presenter)
{}

void ErrorManager::Init()
{
    m_errors.clear();
    m_procNames.clear();
    m_current = -1;
    LoadMessages(storedMessageTable());
}

void ErrorManager::Release()
{
    m_errors.clear();
    m_procNames.clear();
    m_current = -1;
}

void ErrorManager::LoadMessages(std::string_view block)
{
    if (block.size() < 2)
        return;
    const std::size_t count = byteAt(block, 0) | (byteAt(block, 1) << 8);
    std::size_t at = 2;
    for (std::size_t n = 0; n < count; ++n) {
        // id, kind and the title's length byte
        if (at + 4 > block.size())
            return;
        MessageEntry entry;
        entry.id = static_cast<std::uint16_t>(byteAt(block, at) | (byteAt(block, at + 1) << 8));
        entry.fatality = byteAt(block, at + 2);
        const std::size_t titleLength = byteAt(block, at + 3);
        at += 4;
        if (at + titleLength + 1 > block.size())
            return;
        entry.title = rt::fromCp1252(block.substr(at, titleLength));
        at += titleLength;
        const std::size_t textLength = byteAt(block, at);
        ++at;
        if (at + textLength > block.size())
            return;
        entry.message = rt::fromCp1252(block.substr(at, textLength));
        at += textLength;
        m_errors.push_back(std::move(entry));
    }
}

void ErrorManager::SetProcedure(std::string_view name)
{
    m_procNames.push_back({ProcThread::current(), std::string(rt::clip(name))});
}

void ErrorManager::ClearProcedure()
{
    const std::uint32_t thread = ProcThread::current();
    for (auto it = m_procNames.rbegin(); it != m_procNames.rend(); ++it) {
        if (it->thread == thread) {
            m_procNames.erase(std::next(it).base());
            return;
        }
    }
}

void ErrorManager::SetFileContext(std::string_view name)
{
    m_fileName = contextText(name);
}

void ErrorManager::SetFieldContext(std::string_view name)
{
    m_fieldName = contextText(name);
}

void ErrorManager::NoteStorageError()
{
    m_saveErrorCode = m_status.code;
    m_saveError = contextText(translated("ResultCode", resultText(m_status.code)));
    m_saveFileErrorCode = contextText(m_status.engineCode);
    m_saveFileError = contextText(m_status.engineMessage);
}

int ErrorManager::Report(int id)
{
    NoteStorageError();
    return HandleError(id);
}

int ErrorManager::ReportText(int id, std::string_view text)
{
    m_messageText = contextText(text);
    return Report(id);
}

bool ErrorManager::findEntry(int id)
{
    m_current = -1;
    for (auto i = static_cast<std::ptrdiff_t>(m_errors.size()) - 1; i >= 0; --i) {
        if (m_errors[static_cast<std::size_t>(i)].id == id) {
            m_current = i;
            return true;
        }
    }
    return false;
}

std::string ErrorManager::currentProcedure() const
{
    const std::uint32_t thread = ProcThread::current();
    // Latest name first; reverse iterators rather than ranges, which clang's fuzz build of
    // this file does not take with this standard library.
    for (auto it = m_procNames.rbegin(); it != m_procNames.rend(); ++it) {
        if (it->thread == thread)
            return it->name;
    }
    return {};
}

const MessageEntry *ErrorManager::currentEntry() const
{
    return m_current < 0 ? nullptr : &m_errors[static_cast<std::size_t>(m_current)];
}

std::string ErrorManager::translated(const char *context, const std::string &text) const
{
    return m_translator ? m_translator(context, text) : text;
}

std::string ErrorManager::currentTitle() const
{
    const MessageEntry *entry = currentEntry();
    return entry ? translated("Message", entry->title) : std::string();
}

int ErrorManager::HandleError(int id)
{
    // The system never names an id that is not listed; should one slip through, nothing
    // can be shown, and the caller must not take the failure for success.
    if (!findEntry(id))
        return Level::Fatal;
    switch (currentEntry()->fatality) {
    case MessageKind::Benign:
        return OnBenign();
    case MessageKind::Question:
    case MessageKind::Query:
        return OnQuestion();
    case MessageKind::ProgramError:
        return OnProgramError();
    case MessageKind::Fatal:
        return OnFatal();
    case MessageKind::Notice:
        OnNotice();
        return Level::Notify;
    default:
        return OnOther();
    }
}

int ErrorManager::Ask(int id, int buttons, int defaultButton)
{
    if (!findEntry(id))
        return defaultButton;
    return m_presenter->show(
        currentTitle(), FormatMessage(), MessageIcon::Warning, buttons, defaultButton);
}

std::string ErrorManager::FormatMessage() const
{
    const MessageEntry *entry = currentEntry();
    if (!entry)
        return {};
    std::string text = rt::leftChars(translated("Message", entry->message), kWorkingChars);

    // Longer placeholders go before their prefixes: %FileErrorCode and %FileError before
    // %File, %ErrorCode and %ErrorText before %Error.
    replaceAll(text, "%FileErrorCode", m_saveFileErrorCode);
    replaceAll(text, "%FileError", m_saveFileError);
    replaceAll(text, "%File", m_fileName);
    replaceAll(text, "%ErrorCode", std::to_string(m_saveErrorCode));
    if (m_saveErrorCode == Result::EngineError)
        replaceAll(text, "%ErrorText", m_saveFileError + " (" + m_saveFileErrorCode + ")");
    else
        replaceAll(text, "%ErrorText", m_saveError + " (" + std::to_string(m_saveErrorCode) + ")");
    replaceAll(text, "%Error", m_saveError);
    replaceAll(text, "%Message", m_messageText);
    replaceAll(text, "%Field", m_fieldName);

    replaceAll(text, "%Procedure", currentProcedure());

    if (findNoCase(text, "%Previous", 0) != std::string::npos) {
        std::string previous;
        for (auto i = m_current - 1; i >= 0; --i) {
            if (m_errors[static_cast<std::size_t>(i)].id == entry->id) {
                previous = m_errors[static_cast<std::size_t>(i)].message;
                break;
            }
        }
        replaceAll(text, "%Previous", previous);
    }
    return text;
}

int ErrorManager::OnBenign()
{
    return Level::Benign;
}

int ErrorManager::OnFatal()
{
    const std::string title = currentTitle();
    m_presenter->show(
        title,
        FormatMessage()
            + translated("Message", TESSARO_TEXT("Message", "  Press OK to end this application")),
        MessageIcon::Information,
        MessageButton::Ok,
        MessageButton::Ok);
    m_presenter->endProgram(title);
    // Not reached; the level only satisfies the compiler, which does not see that a
    // virtual endProgram cannot return.
    return Level::Fatal;
}

void ErrorManager::OnNotice()
{
    m_presenter->show(currentTitle(),
                      FormatMessage(),
                      MessageIcon::Information,
                      MessageButton::Ok,
                      MessageButton::Ok);
}

int ErrorManager::OnOther()
{
    return OnProgramError();
}

int ErrorManager::OnProgramError()
{
    return OnFatal();
}

int ErrorManager::OnQuestion()
{
    const int pressed = m_presenter->show(currentTitle(),
                                          FormatMessage(),
                                          MessageIcon::Warning,
                                          MessageButton::Yes | MessageButton::No,
                                          MessageButton::Yes);
    return pressed == MessageButton::Yes ? Level::Benign : Level::Cancel;
}
