#pragma once

#include "store/recordbuffer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Something that keeps state per procedure thread and lets it go when the thread ends.
class ThreadStateOwner
{
public:
    virtual ~ThreadStateOwner() = default;
    virtual void releaseThread(std::uint32_t thread) = 0;
};

// The record buffers of every procedure thread. Each thread has its own sixteen buffers, all
// cleared when the thread first touches them, so that a list scrolling in one window never
// overwrites the record a form in another window is editing. A procedure called by another
// runs on the caller's thread and therefore sees the caller's buffers.
//
// When a thread ends (ProcThread::endThread), the owners attached here let go of their
// state for it first (file handles refer to the buffers), then its buffers are freed.
class ThreadRecords
{
public:
    ThreadRecords();
    ~ThreadRecords();
    ThreadRecords(const ThreadRecords &) = delete;
    ThreadRecords &operator=(const ThreadRecords &) = delete;

    // The buffers of the thread that runs now.
    Records &current();
    Records &of(std::uint32_t thread);
    bool has(std::uint32_t thread) const;
    std::size_t threadCount() const;

    void attach(ThreadStateOwner &owner);
    void detach(ThreadStateOwner &owner);

    // Lets go of everything kept for the thread; its buffers start cleared when it is used
    // again.
    void release(std::uint32_t thread);

private:
    struct Shared
    {
        // unique_ptr: handles keep references to the buffers, which must not move.
        std::map<std::uint32_t, std::unique_ptr<Records>> records;
        std::vector<ThreadStateOwner *> owners;

        void release(std::uint32_t thread);
    };
    // The end hook outlives this object; it holds the state weakly and does nothing once
    // the record store is gone.
    std::shared_ptr<Shared> m_shared;
};
