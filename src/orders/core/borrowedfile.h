#pragma once

#include "store/filehandle.h"
#include "store/filemanager.h"
#include "store/filtertree.h"
#include "store/storecontext.h"

#include <optional>
#include <string>
#include <vector>

namespace orders {

// A file used for the length of one step while a form may be editing its record or be in
// the middle of a pass on it: both are saved first and given back afterwards.
class BorrowedFile
{
public:
    BorrowedFile(StoreContext &store, FileId file)
        : m_manager(store.fileManager(file))
        , m_saved(m_manager.SaveState())
    {
        m_opened = m_manager.Open() == Level::Benign;
    }
    ~BorrowedFile()
    {
        if (m_opened)
            m_manager.Close();
        m_manager.RestoreState(m_saved);
    }
    BorrowedFile(const BorrowedFile &) = delete;
    BorrowedFile &operator=(const BorrowedFile &) = delete;

    bool opened() const { return m_opened; }
    FileManager &manager() { return m_manager; }
    RecordBuffer &buffer() { return m_manager.BUFFER(); }

    // The record whose `field` holds `value`, by `key`; false when there is none.
    bool fetch(KeyRef key, StringField field, const std::string &value)
    {
        if (!m_opened)
            return false;
        buffer().clear();
        buffer().set(field, value);
        return m_manager.FetchQuiet(key) == Level::Benign;
    }

    // Every record whose `field` holds `value`, read along `key`, which starts with `field`.
    std::optional<std::vector<RecordBuffer>>
    matching(KeyRef key, StringField field, const std::string &value)
    {
        if (!m_opened)
            return std::nullopt;
        std::vector<RecordBuffer> rows;
        RecordBuffer &record = buffer();
        record.clear();
        record.set(field, value);
        if (m_manager.startPassFrom(key) != 0)
            return std::nullopt;
        for (;;) {
            if (m_manager.NextQuiet() != Level::Benign) {
                if (m_manager.threadState().ATEOF != 0)
                    return rows;
                return std::nullopt;
            }
            // Keys list "F10" right after "F1": the pass ends at the first other value.
            if (record.get(field) != value)
                return rows;
            rows.push_back(record);
        }
    }

    // The first record that passes `filter`, read in the order of `key`.
    bool firstPassing(KeyRef key, const FilterTree &filter)
    {
        if (!m_opened || m_manager.Use(2) != Level::Benign)
            return false;
        FileHandle &handle = m_manager.handle();
        return handle.setOrderStart(KeySpec::ofKey(key.file, key.index), filter) == Result::Ok
               && handle.next() == Result::Ok;
    }

    enum class Read { Found, Empty, Failed };
    // The first record along `key`.
    Read first(KeyRef key)
    {
        if (!m_opened || m_manager.startPass(key) != 0)
            return Read::Failed;
        if (m_manager.NextQuiet() == Level::Benign)
            return Read::Found;
        return m_manager.threadState().ATEOF != 0 ? Read::Empty : Read::Failed;
    }

private:
    FileManager &m_manager;
    std::uint16_t m_saved;
    bool m_opened = false;
};

} // namespace orders
