#pragma once

#include "store/engine.h"

#include <filesystem>
#include <memory>
#include <string_view>

// The embedded engine: every record file is an SQLite database in the data folder, named by
// its stored name plus ".sqlite", with one table (one column per field, named without
// prefix) and one index per key. Texts are held trimmed and in UTF-8 in the columns, in
// Windows-1252 in the record buffers. The status's engine code and message are SQLite's own
// (extended) result code, in decimal, and message.
class SqliteEngine final : public Engine
{
public:
    explicit SqliteEngine(std::filesystem::path folder);
    ~SqliteEngine() override;

    const std::filesystem::path &folder() const { return m_folder; }
    std::filesystem::path pathOf(FileId file) const { return pathOf(m_folder, file); }
    static std::filesystem::path pathOf(const std::filesystem::path &folder, FileId file);

    std::unique_ptr<RecordFile> recordFile(FileId file, RecordBuffer &buffer) override;
    bool exists(FileId file) const override;

    int addToTransaction(RecordFile &file) override;
    int beginTransaction(int waitSeconds) override;
    int commit() override;
    int rollback() override;
    bool inTransaction() const override;

    int refuse(std::string_view reason) override;

    // What the engine shares with its cursors (store/sqlite/storedfile.h).
    struct Impl;
    Impl &impl() { return *m_impl; }

private:
    std::filesystem::path m_folder;
    std::unique_ptr<Impl> m_impl;
};
