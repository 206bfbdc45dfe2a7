#include "store/engine.h"

#include <algorithm>

KeySpec KeySpec::ofKey(FileId file, int key)
{
    const KeyDef &k = fileDef(file).keys[key];
    KeySpec spec;
    spec.parts.assign(k.parts.begin(), k.parts.begin() + k.partCount);
    spec.noCase = k.noCase;
    return spec;
}

RecordFile::RecordFile(Engine &engine, FileId file, RecordBuffer &buffer)
    : m_engine(engine)
    , m_id(file)
    , m_buffer(buffer)
{}

RecordFile::~RecordFile() = default;

Engine::~Engine() = default;

void RecordFile::noteOwnPut(std::int64_t record, std::int64_t from, std::int64_t to)
{
    // A watch is carried over a few nested steps at most; an older put that has dropped out
    // only makes a later put fail, never pass.
    constexpr std::size_t kKept = 64;
    if (m_ownPuts.size() == kKept)
        m_ownPuts.erase(m_ownPuts.begin());
    m_ownPuts.push_back({record, from, to, m_engine.transactionNumber()});
}

std::int64_t RecordFile::carriedVersion(std::int64_t record, std::int64_t since) const
{
    std::int64_t version = since;
    for (bool carried = true; carried;) {
        carried = false;
        for (const OwnPut &own : m_ownPuts) {
            if (own.record == record && own.from == version
                && !m_engine.wasRolledBack(own.transaction)) {
                version = own.to;
                carried = true;
            }
        }
    }
    return version;
}

bool Engine::wasRolledBack(std::uint64_t transaction) const
{
    return transaction != 0
           && std::find(m_rolledBack.begin(), m_rolledBack.end(), transaction)
                  != m_rolledBack.end();
}

void Engine::transactionEnded(bool rolledBack)
{
    if (rolledBack)
        m_rolledBack.push_back(m_transaction);
    m_transaction = 0;
}
