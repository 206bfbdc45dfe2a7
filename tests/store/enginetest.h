#pragma once

// What the engine tests share: a fresh place for record files with engines on it, files
// created and opened there, and passes read out. The contract tests run on every kind of
// engine in engineKinds(); each gets a place of its own.

#include "store/enginefactory.h"
#include "store/files.h"
#include "support/pgserver.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// A fresh, empty place for the record files, and engines on it: the first one a test's own,
// each further one another station at the same files (also in another process).
class EnginePlace
{
public:
    virtual ~EnginePlace() = default;
    virtual std::unique_ptr<Engine> engine() = 0;
};

// Record files in a temporary folder of their own.
class FolderPlace : public EnginePlace
{
public:
    std::unique_ptr<Engine> engine() override { return makeEngine(DataLocation{folder()}); }
    const std::filesystem::path &folder() const { return m_folder.path(); }

private:
    TempFolder m_folder;
};

// Record files in a data set of their own on the test program's database server.
class ServerPlace : public EnginePlace
{
public:
    ServerPlace()
        : m_server(TestServer::instance().newPlace())
    {}
    std::unique_ptr<Engine> engine() override
    {
        DataLocation location;
        location.kind = DataLocation::Kind::Server;
        location.server = m_server;
        return makeEngine(location);
    }
    const std::string &server() const { return m_server; }

private:
    std::string m_server;
};

struct EngineKind
{
    const char *name;
    std::unique_ptr<EnginePlace> (*place)();
};

inline void PrintTo(const EngineKind &kind, std::ostream *out)
{
    *out << kind.name;
}

// Every kind of engine the contract tests run on.
inline const std::vector<EngineKind> &engineKinds()
{
    static const std::vector<EngineKind> kinds = {
        {"Folder",
         []() -> std::unique_ptr<EnginePlace> {
             return std::make_unique<FolderPlace>();
         }},
        {"Postgres",
         []() -> std::unique_ptr<EnginePlace> {
             return std::make_unique<ServerPlace>();
         }},
    };
    return kinds;
}

// A place with an engine, one thread's record buffers and a cursor per file used.
class EngineFixture
{
protected:
    explicit EngineFixture(std::unique_ptr<EnginePlace> place)
        : m_place(std::move(place))
        , m_engine(m_place->engine())
        , engine(*m_engine)
    {}
    ~EngineFixture()
    {
        handles.clear(); // cursors go before their engine
    }

    EnginePlace &place() { return *m_place; }

    // The cursor of a file, created empty and opened on first use.
    RecordFile &file(FileId id)
    {
        const auto index = static_cast<std::size_t>(id);
        if (!handles[index]) {
            handles[index] = engine.recordFile(id, records[id]);
            EXPECT_EQ(handles[index]->create(), 0) << engine.status().engineMessage;
            EXPECT_EQ(handles[index]->open(), 0) << engine.status().engineMessage;
        }
        return *handles[index];
    }

    // Closes every cursor that file() opened.
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

private:
    std::unique_ptr<EnginePlace> m_place;
    std::unique_ptr<Engine> m_engine;

protected:
    Engine &engine;
    Records records;
    std::vector<std::unique_ptr<RecordFile>> handles
        = std::vector<std::unique_ptr<RecordFile>>(kFileCount);
};

// A contract test: what any engine must do, run once per kind of engine.
class EngineTest : public ::testing::TestWithParam<EngineKind>, public EngineFixture
{
protected:
    EngineTest()
        : EngineFixture(GetParam().place())
    {}
};

#define INSTANTIATE_ENGINE_CONTRACT(Suite)                                          \
    INSTANTIATE_TEST_SUITE_P(Engines,                                               \
                             Suite,                                                 \
                             ::testing::ValuesIn(engineKinds()),                    \
                             [](const ::testing::TestParamInfo<EngineKind> &info) { \
                                 return std::string(info.param.name);               \
                             })
