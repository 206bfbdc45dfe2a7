#pragma once

#include "store/engine.h"

// Frames writes to several files in one transaction of the engine: begins it when made,
// over the files named to the engine with addToTransaction, and rolls it back when it
// leaves its scope without commit(), whichever way it leaves. Nothing may wait for the user
// while it is open: a caller about to show a message ends it first with rollback().
class Transaction
{
public:
    // Begins the transaction, waiting up to the given time for files others are writing.
    Transaction(Engine &engine, int waitSeconds);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    // The result of beginning it: 0 when it began.
    int began() const { return m_began; }
    // Began and not ended yet, by this guard or by the engine (a failed write that
    // rolled back, a rollback before a message).
    bool isOpen() const;

    // The engine's result; a commit that fails has rolled back. Fails when the transaction
    // did not begin or has ended.
    int commit();
    void rollback();

private:
    Engine &m_engine;
    int m_began;
    bool m_ended = false;
};
