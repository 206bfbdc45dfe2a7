#include "store/threadrecords.h"

#include "store/procthread.h"

#include <algorithm>

ThreadRecords::ThreadRecords()
    : m_shared(std::make_shared<Shared>())
{
    std::weak_ptr<Shared> weak = m_shared;
    ProcThread::addEndHook([weak](std::uint32_t thread) {
        if (const std::shared_ptr<Shared> shared = weak.lock())
            shared->release(thread);
    });
}

ThreadRecords::~ThreadRecords() = default;

Records &ThreadRecords::current()
{
    return of(ProcThread::current());
}

Records &ThreadRecords::of(std::uint32_t thread)
{
    std::unique_ptr<Records> &records = m_shared->records[thread];
    if (!records)
        records = std::make_unique<Records>();
    return *records;
}

bool ThreadRecords::has(std::uint32_t thread) const
{
    return m_shared->records.contains(thread);
}

std::size_t ThreadRecords::threadCount() const
{
    return m_shared->records.size();
}

void ThreadRecords::attach(ThreadStateOwner &owner)
{
    std::vector<ThreadStateOwner *> &owners = m_shared->owners;
    if (std::find(owners.begin(), owners.end(), &owner) == owners.end())
        owners.push_back(&owner);
}

void ThreadRecords::detach(ThreadStateOwner &owner)
{
    std::erase(m_shared->owners, &owner);
}

void ThreadRecords::release(std::uint32_t thread)
{
    m_shared->release(thread);
}

void ThreadRecords::Shared::release(std::uint32_t thread)
{
    // A copy: an owner may detach while it lets go.
    const std::vector<ThreadStateOwner *> current = owners;
    for (ThreadStateOwner *owner : current)
        owner->releaseThread(thread);
    records.erase(thread);
}
