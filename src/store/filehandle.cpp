#include "store/filehandle.h"

FileHandle::FileHandle(Engine &engine, FileId file, RecordBuffer &buffer)
    : m_engine(engine)
    , m_file(engine.recordFile(file, buffer))
{}

FileHandle::~FileHandle() = default;

int FileHandle::open(std::uint8_t mode)
{
    const int code = m_file->open(mode);
    // The engine forgets a hold or watch asked for before the file was open.
    if (code == Result::Ok)
        m_holdNext = m_watchNext = m_held = m_watched = false;
    return code;
}

int FileHandle::create()
{
    return m_file->create();
}

int FileHandle::rebuildKeys()
{
    return m_file->rebuildKeys();
}

int FileHandle::send(std::string_view option)
{
    return m_file->send(option);
}

int FileHandle::close()
{
    m_holdNext = m_watchNext = m_held = m_watched = false;
    return m_file->close();
}

bool FileHandle::isOpen() const
{
    return m_file->isOpen();
}

bool FileHandle::isReadOnly() const
{
    return m_file->isReadOnly();
}

int FileHandle::add()
{
    return m_file->add();
}

int FileHandle::put()
{
    return m_file->put();
}

int FileHandle::erase()
{
    return m_file->erase();
}

int FileHandle::get(int key)
{
    return fetched(m_file->get(key));
}

int FileHandle::reget(const std::string &position)
{
    return fetched(m_file->reget(position));
}

int FileHandle::recall(const std::string &position)
{
    return fetched(m_file->recall(position));
}

int FileHandle::setStoredOrder()
{
    return m_file->setStoredOrder();
}

int FileHandle::setKeyStart(int key)
{
    return m_file->setKeyStart(key);
}

int FileHandle::setKeyFrom(int key)
{
    return m_file->setKeyFrom(key);
}

int FileHandle::setOrderStart(const KeySpec &order, const FilterTree &filter)
{
    return m_file->setOrderStart(order, filter);
}

int FileHandle::setOrderFrom(const KeySpec &order, const FilterTree &filter)
{
    return m_file->setOrderFrom(order, filter);
}

void FileHandle::setReadAhead(std::size_t rows)
{
    m_file->setReadAhead(rows);
}

int FileHandle::next()
{
    return fetched(m_file->next());
}

int FileHandle::previous()
{
    return fetched(m_file->previous());
}

std::string FileHandle::position() const
{
    return m_file->position();
}

int FileHandle::reset(const std::string &position)
{
    return m_file->reset(position);
}

int FileHandle::hold()
{
    m_holdNext = true;
    return m_file->hold();
}

int FileHandle::watch()
{
    m_watchNext = true;
    return m_file->watch();
}

int FileHandle::watchSince(std::int64_t version)
{
    m_watchNext = true;
    return m_file->watchSince(version);
}

bool FileHandle::duplicate(int key)
{
    return m_file->duplicate(key);
}

std::int64_t FileHandle::records()
{
    return m_file->records();
}

int FileHandle::flush()
{
    return m_file->flush();
}

int FileHandle::putLarge(int slot, std::string_view bytes)
{
    return m_file->putLarge(slot, bytes);
}

int FileHandle::getLarge(int slot, std::string &bytes)
{
    return m_file->getLarge(slot, bytes);
}

int FileHandle::addToTransaction()
{
    return m_engine.addToTransaction(*m_file);
}

int FileHandle::fetched(int code)
{
    if (code == Result::Ok) {
        m_held = m_holdNext;
        m_watched = m_watchNext;
    }
    m_holdNext = m_watchNext = false;
    return code;
}

HandleFactory engineHandles()
{
    return [](Engine &engine, FileId file, RecordBuffer &buffer) {
        return std::make_unique<FileHandle>(engine, file, buffer);
    };
}
