#pragma once

#include "store/enginefactory.h"
#include "store/errormanager.h"
#include "store/filemanager.h"
#include "store/inimanager.h"
#include "store/relationkeeper.h"

#include <array>
#include <filesystem>
#include <memory>

// The record store's process-wide objects, set up in the start-up order and released in the
// tear-down order: the storage engine for the working folder (store/enginefactory.h), the
// error manager, the settings file, then per record file its access manager with its keys and its
// relation keeper with its relations. No file is opened here; each is opened (and created) by the
// first procedure that uses it. Procedures get the objects from here, never from globals.
class StoreContext
{
public:
    // The data where the settings file of the folder says (store/enginefactory.h), the
    // settings file in the folder.
    StoreContext(const std::filesystem::path &folder,
                 MessagePresenter &presenter,
                 HandleFactory handles = {});
    StoreContext(const DataLocation &location,
                 MessagePresenter &presenter,
                 HandleFactory handles = {});
    ~StoreContext();
    StoreContext(const StoreContext &) = delete;
    StoreContext &operator=(const StoreContext &) = delete;

    FileManager &fileManager(FileId file) { return *m_managers[index(file)]; }
    RelationKeeper &relations(FileId file) { return *m_keepers[index(file)]; }
    ErrorManager &errors() { return *m_errors; }
    IniManager &ini() { return m_ini; }
    Engine &engine() { return *m_engine; }
    ThreadRecords &threads() { return m_threads; }
    FileServices &files() { return *m_services; }
    // The record buffers of the thread that runs now.
    Records &records() { return m_threads.current(); }

    // Where the data lives.
    const DataLocation &location() const { return m_location; }

    // The registration order of the files.
    static const std::array<FileId, kFileCount> &fileOrder();

private:
    static std::size_t index(FileId file) { return static_cast<std::size_t>(file); }
    void setUpFile(FileId file);
    void setUpRelations(FileId file);

    DataLocation m_location;
    std::unique_ptr<Engine> m_engine;
    ThreadRecords m_threads;
    std::unique_ptr<ErrorManager> m_errors;
    IniManager m_ini;
    std::unique_ptr<FileServices> m_services;
    std::array<std::unique_ptr<FileManager>, kFileCount> m_managers;
    std::array<std::unique_ptr<RelationKeeper>, kFileCount> m_keepers;
    std::uint32_t m_walkCounter = 0;
};
