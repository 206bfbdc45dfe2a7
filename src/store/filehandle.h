#pragma once

#include "store/engine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// One procedure thread's access to one record file: the storage engine's cursor behind
// virtual operations. The file managers reach the engine only through handles, and make them
// through a HandleFactory, so that a test can put in a handle that answers a code the
// single-station engine never gives (43, a failure halfway through a cascade).
class FileHandle
{
public:
    FileHandle(Engine &engine, FileId file, RecordBuffer &buffer);
    virtual ~FileHandle();
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    FileId id() const { return m_file->id(); }
    Engine &engine() { return m_engine; }
    RecordBuffer &buffer() { return m_file->buffer(); }

    virtual int open(std::uint8_t mode);
    virtual int create();
    virtual int rebuildKeys();
    const std::string &setAside() const { return m_file->setAside(); }
    virtual int send(std::string_view option);
    virtual int close();
    virtual bool isOpen() const;
    virtual bool isReadOnly() const;

    virtual int add();
    virtual int put();
    virtual int erase();

    virtual int get(int key);
    virtual int reget(const std::string &position);
    virtual int recall(const std::string &position);

    virtual int setStoredOrder();
    virtual int setKeyStart(int key);
    virtual int setKeyFrom(int key);
    virtual int setOrderStart(const KeySpec &order, const FilterTree &filter);
    virtual int setOrderFrom(const KeySpec &order, const FilterTree &filter);
    virtual int next();
    virtual int previous();
    // Rows each block of a pass reads ahead from now on (a list page); 0: the engine's own.
    virtual void setReadAhead(std::size_t rows);

    virtual std::string position() const;
    virtual int reset(const std::string &position);

    virtual int hold();
    virtual int watch();
    // See RecordFile::watchSince.
    virtual int watchSince(std::int64_t version);
    std::int64_t version() const { return m_file->version(); }
    // Whether the current record was fetched held or watched (saved with a file's state).
    bool isHeld() const { return m_held; }
    bool isWatched() const { return m_watched; }

    virtual bool duplicate(int key);
    virtual std::int64_t records();
    virtual int flush();
    virtual int putLarge(int slot, std::string_view bytes);
    virtual int getLarge(int slot, std::string &bytes);

    // Names this file for the engine's next transaction; 80 when it cannot take part.
    virtual int addToTransaction();

protected:
    // Every fetch takes over the hold or watch asked for before it.
    int fetched(int code);

private:
    Engine &m_engine;
    std::unique_ptr<RecordFile> m_file;
    bool m_holdNext = false;
    bool m_watchNext = false;
    bool m_held = false;
    bool m_watched = false;
};

using HandleFactory
    = std::function<std::unique_ptr<FileHandle>(Engine &engine, FileId file, RecordBuffer &buffer)>;

// Plain engine handles.
HandleFactory engineHandles();
