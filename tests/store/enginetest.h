#pragma once

// What the engine tests share: a temporary working folder, files created and opened in it,
// and a look at a file through SQLite directly.

#include "store/engine.h"
#include "store/files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaro-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A working folder with an engine, one thread's record buffers and a handle per file used.
class EngineTest : public ::testing::Test
{
protected:
    EngineTest()
        : engine(folder.path())
    {}
    ~EngineTest() override
    {
        handles.clear(); // handles go before their engine
    }

    // The handle of a file, created empty and opened on first use.
    RecordFile &file(FileId id)
    {
        const auto index = static_cast<std::size_t>(id);
        if (!handles[index]) {
            handles[index] = std::make_unique<RecordFile>(engine, id, records[id]);
            EXPECT_EQ(handles[index]->create(), 0) << engine.status().engineMessage;
            EXPECT_EQ(handles[index]->open(), 0) << engine.status().engineMessage;
        }
        return *handles[index];
    }

    // Closes every handle that file() opened.
    void closeAll()
    {
        for (auto &handle : handles)
            handle.reset();
    }

    // Every record of a pass as the values of one field, in pass order.
    template<typename F>
    std::vector<std::string> forward(RecordFile &f, F field)
    {
        std::vector<std::string> seen;
        while (f.next() == Result::Ok)
            seen.push_back(f.buffer().text(field.index));
        return seen;
    }
    template<typename F>
    std::vector<std::string> backward(RecordFile &f, F field)
    {
        std::vector<std::string> seen;
        while (f.previous() == Result::Ok)
            seen.push_back(f.buffer().text(field.index));
        return seen;
    }

    TempFolder folder;
    Engine engine;
    Records records;
    std::vector<std::unique_ptr<RecordFile>> handles
        = std::vector<std::unique_ptr<RecordFile>>(kFileCount);
};

// A direct connection to a record file, as any SQLite client would open it.
class RawFile
{
public:
    explicit RawFile(const std::filesystem::path &path)
    {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~RawFile() { sqlite3_close_v2(m_db); }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;

    sqlite3 *handle() const { return m_db; }

    int exec(const std::string &sql)
    {
        return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    }

    // The first column of every row of a query, as text.
    std::vector<std::string> column(const std::string &sql)
    {
        std::vector<std::string> values;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sqlite3_errmsg(m_db) << " in " << sql;
            return values;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
            values.emplace_back(text ? text : "<null>");
        }
        sqlite3_finalize(stmt);
        return values;
    }

private:
    sqlite3 *m_db = nullptr;
};
