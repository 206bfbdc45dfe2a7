#include "store/transaction.h"

Transaction::Transaction(Engine &engine, int waitSeconds)
    : m_engine(engine)
    , m_began(engine.beginTransaction(waitSeconds))
{}

Transaction::~Transaction()
{
    rollback();
}

bool Transaction::isOpen() const
{
    return m_began == Result::Ok && !m_ended && m_engine.inTransaction();
}

int Transaction::commit()
{
    if (m_began != Result::Ok)
        return m_began;
    // Ended already, the engine answers that no transaction is open.
    m_ended = true;
    return m_engine.commit();
}

void Transaction::rollback()
{
    if (isOpen())
        m_engine.rollback();
    m_ended = true;
}
