#include "store/fileservices.h"

#include <algorithm>
#include <cctype>

namespace {

bool sameLabel(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x))
               == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

FileServices::FileServices(Engine &engine, ThreadRecords &threads, HandleFactory handles)
    : m_engine(engine)
    , m_threads(threads)
    , m_handles(handles ? std::move(handles) : engineHandles())
{
    m_threads.attach(*this);
}

FileServices::~FileServices()
{
    m_threads.detach(*this);
}

std::unique_ptr<FileHandle> FileServices::makeHandle(FileId file, RecordBuffer &buffer)
{
    return m_handles(m_engine, file, buffer);
}

void FileServices::registerManager(std::string_view label, FileManager &manager)
{
    unregisterManager(manager);
    m_registry.push_back({std::string(label), &manager});
}

void FileServices::unregisterManager(const FileManager &manager)
{
    std::erase_if(m_registry,
                  [&](const Registration &entry) { return entry.FILEMANAGER == &manager; });
}

FileManager *FileServices::manager(std::string_view label) const
{
    for (const Registration &entry : m_registry) {
        if (sameLabel(entry.FILELABEL, label))
            return entry.FILEMANAGER;
    }
    return nullptr;
}

void FileServices::releaseThread(std::uint32_t thread)
{
    std::erase_if(m_usage, [&](const FileUsage &entry) { return entry.THREAD == thread; });
}
