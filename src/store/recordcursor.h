#pragma once

#include "store/engine.h"

#include <cstddef>
#include <cstdint>

// What every engine's cursor keeps alike: the current record and the watch asked for before
// it is fetched, the key of the last get, how far passes read ahead, and the ways into a
// pass, which all come down to the engine's startPass and step.
class RecordCursor : public RecordFile
{
public:
    int setStoredOrder() final;
    int setKeyStart(int key) final;
    int setKeyFrom(int key) final;
    int setOrderStart(const KeySpec &order, const FilterTree &filter) final;
    int setOrderFrom(const KeySpec &order, const FilterTree &filter) final;
    int next() final;
    int previous() final;
    void setReadAhead(std::size_t rows) final { m_readAhead = rows; }

    int watch() override;
    int watchSince(std::int64_t version) final;
    std::int64_t version() const final { return m_currentVersion; }

protected:
    using RecordFile::RecordFile;

    // A pass in an order, limited by a filter; from the buffer's values or from the start.
    virtual int startPass(const KeySpec &order, const FilterTree &filter, bool fromBuffer) = 0;
    // The next record of the pass in a direction (+1 forward, -1 backward).
    virtual int step(int direction) = 0;
    // The engine's failure for a key the file does not have.
    virtual int noSuchKey() = 0;

    // Leaves a result without an engine failure in the status.
    int done(int code);
    // No current record, no watch, no key of a get: as the cursor is when opened or closed.
    void forgetCurrent();
    // A fetch of the current record takes over the watch asked for before it.
    void takeWatch();
    // Rows the next block of a pass reads: as asked, else a list page and more, few enough
    // that a write seen by the next block costs little (more with QUICKSCAN).
    std::size_t blockRows() const;

    std::int64_t m_current = 0; // the engine's id of the current record; 0 = none
    std::int64_t m_currentVersion = 0;
    bool m_watchNext = false;
    bool m_watched = false;
    std::int64_t m_watchSince = -1; // with m_watchNext: the version read before; -1 = none
    int m_fetchKey = -1;            // the key of the last get: positions outside passes use it
    bool m_quickScan = false;

private:
    std::size_t m_readAhead = 0;
};
