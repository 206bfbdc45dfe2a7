#pragma once

#include "store/filehandle.h"
#include "store/threadrecords.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FileManager;

// One level of use of a file by a procedure on a thread. A procedure that uses a file which
// an outer procedure on the same thread is using keeps the outer one's record and position
// in HOLD, and gives them back when it closes the file.
struct FileUsage
{
    std::uint32_t THREAD = 0;
    std::string PROC;             // the procedure's name as registered with the error manager
    FileId ID{};                  // the file
    std::uint8_t USTAT = 0;       // highest level of use: 1 opened, 2 used, 3 the file worked on
    std::uint16_t HOLD = 0;       // saved state of the enclosing procedure, 0 = none
    std::uint8_t SCOPELEVEL = 0;  // nesting depth
    std::uint16_t NESTEDOPEN = 0; // further opens by the same procedure
};

// What every file manager of one record store shares: the engine, the threads' record
// buffers, the way handles are made, the registry of managers and the usage list.
class FileServices : public ThreadStateOwner
{
public:
    struct Registration
    {
        std::string FILELABEL;
        FileManager *FILEMANAGER = nullptr;
    };

    FileServices(Engine &engine, ThreadRecords &threads, HandleFactory handles = {});
    ~FileServices() override;
    FileServices(const FileServices &) = delete;
    FileServices &operator=(const FileServices &) = delete;

    Engine &engine() { return m_engine; }
    ThreadRecords &threads() { return m_threads; }
    std::unique_ptr<FileHandle> makeHandle(FileId file, RecordBuffer &buffer);

    void registerManager(std::string_view label, FileManager &manager);
    void unregisterManager(const FileManager &manager);
    // The manager of a file by its label ("papier"), ignoring letter case; null when none.
    FileManager *manager(std::string_view label) const;
    const std::vector<Registration> &registry() const { return m_registry; }

    std::vector<FileUsage> &usage() { return m_usage; }

    void releaseThread(std::uint32_t thread) override;

private:
    Engine &m_engine;
    ThreadRecords &m_threads;
    HandleFactory m_handles;
    std::vector<Registration> m_registry;
    std::vector<FileUsage> m_usage;
};
