// Changing and deleting records with their children, framed in one transaction.

#include "store/relationkeeper.h"

#include "store/keyfields.h"

// --- update ------------------------------------------------------------------------------

int RelationKeeper::Update(bool historyKey)
{
    if (const int level = Open(); level != Level::Benign)
        return level;
    const int level = updateFramed(historyKey);
    Close();
    return level;
}

int RelationKeeper::updateFramed(bool historyKey)
{
    std::optional<Transaction> transaction;
    if (const int level = beginWrites(false, transaction); level != Level::Benign)
        return level;
    const int written = ME->UpdateQuiet();
    if (written != Level::Benign) {
        rollback();
        int error = ME->lastError();
        if (historyKey && error == 6) {
            error = 7;
            ME->threadState().LASTERROR = 7;
        }
        if (written == Level::Notify)
            ME->ReportLastError();
        return error == 6 || error == 7 ? Level::Notify : Level::Retry;
    }
    if (carryLinks() != Level::Benign)
        return Level::Notify;
    if (transaction && transaction->commit() != Result::Ok) {
        ME->noteError(25);
        ME->ReportLastError();
        return Level::Notify;
    }
    return Level::Benign;
}

int RelationKeeper::carryLinks()
{
    for (Relation &relation : RELATIONS) {
        if (relation.FIELDS.empty() || relation.UPDATEMODE == RelationMode::None
            || relation.UPDATEMODE > RelationMode::Cascade)
            continue;
        const std::vector<FieldValue> old = rememberedLinks(relation.FIELDS);
        // Nothing remembered on this thread: no old value to find the children by.
        if (old.empty() || old == currentLinks(relation.FIELDS))
            continue;
        if (relation.FILE->UpdateChildren(*relation.HISKEY, relation.FIELDS, relation.UPDATEMODE)
            != Level::Benign)
            return Level::Notify;
    }
    return Level::Benign;
}

int RelationKeeper::writeChild()
{
    if (carryLinks() != Level::Benign)
        return Level::Notify;
    const int level = ME->UpdateQuiet();
    if (level != Level::Benign) {
        rollback();
        ME->ReportLastError();
    }
    return level;
}

int RelationKeeper::UpdateChildren(KeyRef childKey, std::vector<LinkPair> &pairs, std::uint8_t mode)
{
    if (const int level = ME->Use(2); level != Level::Benign)
        return level;
    const std::vector<FieldValue> old = rememberedLinks(pairs);
    if (old.empty())
        return Level::Benign;
    const std::vector<FieldValue> now = currentLinks(pairs);
    std::uint16_t saved = ME->SaveState();
    startChildPass(childKey, pairs, old);
    int result = Level::Benign;
    for (;;) {
        const int read = ME->NextQuiet();
        if (read == Level::Fatal) {
            rollback();
            ME->ReportLastError();
            result = Level::Notify;
            break;
        }
        if (read != Level::Benign || !isChildOf(pairs, old))
            break;
        RememberLinks();
        RecordBuffer &child = ME->BUFFER();
        if (mode == RelationMode::Restrict) {
            ME->noteError(31);
            rollback();
            ME->ReportLastError();
            Records &buffers = records();
            for (std::size_t i = 0; i < pairs.size(); ++i)
                buffers[pairs[i].LEFT.file].setValue(pairs[i].LEFT.index, old[i]);
            result = Level::Notify;
            break;
        }
        if (mode == RelationMode::Clear) {
            for (const LinkPair &pair : pairs)
                setLowest(child, pair.RIGHT.index);
        } else if (mode == RelationMode::Cascade) {
            for (std::size_t i = 0; i < pairs.size(); ++i)
                child.setValue(pairs[i].RIGHT.index, now[i]);
        } else {
            break;
        }
        // A child that already held the value stays as it is.
        if (isChildOf(pairs, old))
            continue;
        if (const int level = writeChild(); level != Level::Benign) {
            result = level;
            break;
        }
        // The written child has moved in the key, and the pass with it: start again at the
        // children that still hold the old value.
        startChildPass(childKey, pairs, old);
    }
    ME->RestoreState(saved, true);
    return result;
}

// --- delete ------------------------------------------------------------------------------

int RelationKeeper::Delete(bool confirm)
{
    if (confirm && ME->ReportError(9) != Level::Benign)
        return Level::Notify;
    for (;;) {
        if (m_busy)
            m_busy(true);
        const std::string position = ME->Position();
        if (const int level = Open(); level != Level::Benign) {
            if (m_busy)
                m_busy(false);
            return level;
        }
        bool started = false;
        int level = Level::Benign;
        {
            std::optional<Transaction> transaction;
            level = beginWrites(true, transaction);
            started = level == Level::Benign;
            if (started)
                level = deleteAttempt(position, transaction);
        }
        if (m_busy)
            m_busy(false);
        Close();
        if (level == Level::Benign || !started)
            return level;
        if (ME->ReportError(33) != Level::Benign)
            return level;
    }
}

int RelationKeeper::deleteAttempt(const std::string &position,
                                  std::optional<Transaction> &transaction)
{
    if (ME->Refetch(position) != Level::Benign) {
        ME->noteError(11);
        rollback();
        ME->ReportLastError();
        return Level::Notify;
    }
    for (Relation &relation : RELATIONS) {
        if (relation.FIELDS.empty() || relation.DELETEMODE == RelationMode::None
            || relation.DELETEMODE > RelationMode::Cascade)
            continue;
        const int level
            = relation.FILE->DeleteChildren(*relation.HISKEY, relation.FIELDS, relation.DELETEMODE);
        if (level != Level::Benign)
            return level;
    }
    if (ME->handle().erase() != Result::Ok) {
        ME->noteError(11);
        rollback();
        ME->ReportLastError();
        return Level::Notify;
    }
    if (transaction && transaction->commit() != Result::Ok) {
        // A failed commit has rolled back.
        ME->noteError(11);
        ME->ReportLastError();
        return Level::Notify;
    }
    return Level::Benign;
}

int RelationKeeper::DeleteChildren(KeyRef childKey, std::vector<LinkPair> &pairs, std::uint8_t mode)
{
    if (const int level = ME->Use(2); level != Level::Benign)
        return level;
    std::uint16_t saved = ME->SaveState();
    const std::vector<FieldValue> parent = currentLinks(pairs);
    startChildPass(childKey, pairs, parent);
    int result = Level::Benign;
    bool done = false;
    while (!done) {
        const int read = ME->NextQuiet();
        if (read == Level::Fatal) {
            rollback();
            ME->ReportLastError();
            result = Level::Notify;
            break;
        }
        if (read != Level::Benign || !isChildOf(pairs, parent))
            break;
        switch (mode) {
        case RelationMode::Restrict:
            ME->noteError(30);
            rollback();
            ME->ReportLastError();
            result = Level::Notify;
            done = true;
            break;
        case RelationMode::Clear:
            RememberLinks();
            for (const LinkPair &pair : pairs)
                setLowest(ME->BUFFER(), pair.RIGHT.index);
            if (isChildOf(pairs, parent))
                break;
            if (const int level = writeChild(); level != Level::Benign) {
                result = level;
                done = true;
            } else {
                // The cleared child has moved in the key, and the pass with it.
                startChildPass(childKey, pairs, parent);
            }
            break;
        case RelationMode::Cascade:
            for (Relation &relation : RELATIONS) {
                if (done || relation.FIELDS.empty() || relation.DELETEMODE == RelationMode::None
                    || relation.DELETEMODE > RelationMode::Cascade)
                    continue;
                const int level = relation.FILE->DeleteChildren(
                    *relation.HISKEY, relation.FIELDS, relation.DELETEMODE);
                if (level != Level::Benign) {
                    result = level;
                    done = true;
                }
            }
            if (!done && ME->handle().erase() != Result::Ok) {
                ME->noteError(11);
                rollback();
                ME->ReportLastError();
                result = Level::Notify;
                done = true;
            }
            break;
        default:
            done = true;
            break;
        }
    }
    ME->RestoreState(saved, true);
    return result;
}
