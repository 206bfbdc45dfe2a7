// Changing and deleting records with their children, framed in one transaction.

#include "store/relationkeeper.h"

#include <algorithm>

#include "store/filehandle.h"
#include "store/keyfields.h"

#include "base/text.h"

// --- update ------------------------------------------------------------------------------

int RelationKeeper::Update(bool historyKey)
{
    if (const int level = Open(); level != Level::Benign)
        return level;
    const int level = updateFramed(historyKey, nullptr);
    Close();
    return level;
}

int RelationKeeper::Update(bool historyKey, const CompanionWrite &companion)
{
    if (const int level = Open(); level != Level::Benign)
        return level;
    const int level = updateFramed(historyKey, &companion);
    Close();
    return level;
}

bool RelationKeeper::refusedByGuard()
{
    if (!m_writeGuard)
        return false;
    const std::string text = m_writeGuard(ME->BUFFER());
    if (text.empty())
        return false;
    ME->ReportErrorText(MessageId::Refused, text);
    return true;
}

int RelationKeeper::updateFramed(bool historyKey, const CompanionWrite *companion)
{
    if (refusedByGuard())
        return Level::Notify;
    std::optional<Transaction> transaction;
    if (const int level = beginWrites(false, transaction, companion); level != Level::Benign)
        return level;
    // The version the record was read at, for a watch that must outlive a rollback.
    const bool watched = ME->handle().isWatched();
    const std::int64_t readVersion = ME->handle().version();
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
        // A record changed or deleted by another station is shown as it is now: saving
        // again would not help.
        const bool otherStation = error == 6 || error == 7 || error == MessageId::RecordGone;
        return otherStation ? Level::Notify : Level::Retry;
    }
    if (carryLinks() != Level::Benign)
        return Level::Notify;
    if (writeCompanion(companion) != Level::Benign) {
        if (watched)
            watchAgain(readVersion);
        return Level::Notify;
    }
    if (transaction && transaction->commit() != Result::Ok) {
        ME->noteError(25);
        ME->ReportLastError();
        return Level::Notify;
    }
    return Level::Benign;
}

int RelationKeeper::writeCompanion(const CompanionWrite *companion)
{
    if (!companion || !companion->write || companion->write() == Level::Benign)
        return Level::Benign;
    rollback();
    if (companion->file && !companion->callerReports)
        companion->file->ReportLastError();
    return Level::Notify;
}

void RelationKeeper::watchAgain(std::int64_t readVersion)
{
    FileHandle &file = ME->handle();
    const RecordBuffer typed = ME->BUFFER();
    const std::string position = file.position();
    file.watchSince(readVersion);
    file.reget(position);
    ME->BUFFER() = typed;
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

// --- insert ------------------------------------------------------------------------------

RelationKeeper::NamedParent RelationKeeper::namedParent()
{
    for (const Relation &toParent : RELATIONS) {
        if (!toParent.FIELDS.empty())
            continue;
        for (const Relation &toChild : toParent.FILE->RELATIONS) {
            if (toChild.FILE != this || toChild.FIELDS.empty())
                continue;
            NamedParent named{toParent.FILE, &toChild, {}};
            bool blank = true;
            for (const LinkPair &pair : toChild.FIELDS) {
                named.links.push_back(ME->BUFFER().value(pair.RIGHT.index));
                const auto *text = std::get_if<std::string>(&named.links.back());
                blank = blank && text && rt::isBlank(*text);
            }
            // A line entered outside any order (from the list of all calculations) names none.
            if (!blank)
                return named;
        }
    }
    return {};
}

bool RelationKeeper::parentExists(const NamedParent &parent)
{
    FileManager &file = *parent.keeper->ME;
    // The parent's key led by the linking fields.
    const LinkPair &first = parent.toChild->FIELDS.front();
    const KeyDescription *key = nullptr;
    for (const KeyDescription &candidate : file.KEYS) {
        if (candidate.FIELDS.size() == parent.toChild->FIELDS.size()
            && candidate.FIELDS.front().FIELD == first.LEFT.index) {
            key = &candidate;
            break;
        }
    }
    if (!key)
        return true; // nothing to look it up by: the link is not checked
    RecordBuffer &record = file.BUFFER();
    record.clear();
    for (std::size_t i = 0; i < parent.links.size(); ++i)
        record.setValue(parent.toChild->FIELDS[i].LEFT.index, parent.links[i]);
    return file.FetchQuiet(key->KEY) == Level::Benign;
}

bool RelationKeeper::parentBeingEntered(const NamedParent &parent)
{
    FileManager &file = *parent.keeper->ME;
    if (!file.HASAUTOINC || !file.threadState().AUTOINCDONE)
        return false;
    const RecordBuffer &record = file.BUFFER();
    for (std::size_t i = 0; i < parent.links.size(); ++i) {
        if (record.value(parent.toChild->FIELDS[i].LEFT.index) != parent.links[i])
            return false;
    }
    return true;
}

int RelationKeeper::Insert()
{
    return insertFramed(nullptr);
}

int RelationKeeper::Insert(const CompanionWrite &companion)
{
    return insertFramed(&companion);
}

int RelationKeeper::insertFramed(const CompanionWrite *companion)
{
    if (refusedByGuard())
        return Level::Notify;
    NamedParent parent = namedParent();
    // A parent being entered here stands in its file only as a numbered placeholder.
    if (parent.keeper && parentBeingEntered(parent))
        parent = {};
    if (!parent.keeper && !companion)
        return ME->Insert();
    if (const int level = Open(); level != Level::Benign)
        return level;
    FileManager *parentFile = parent.keeper ? parent.keeper->ME : nullptr;
    int level = parentFile ? parentFile->Use(2) : Level::Benign;
    if (level == Level::Benign && companion && companion->file)
        level = companion->file->Use(2);
    // The parent's buffer and pass are a form's: given back after the transaction has ended.
    std::uint16_t saved = level == Level::Benign && parentFile ? parentFile->SaveState() : 0;
    std::optional<Transaction> transaction;
    if (level == Level::Benign)
        level = frameInsert({parentFile, companion ? companion->file : nullptr}, transaction);
    if (level != Level::Benign) {
        if (parentFile)
            parentFile->RestoreState(saved);
        Close();
        return level;
    }
    const bool found = !parentFile || parentExists(parent);
    const int inserted = found ? ME->InsertQuiet() : Level::Notify;
    bool companionWritten = true;
    bool committed = true;
    if (inserted != Level::Benign) {
        rollback();
    } else if (companion && companion->write && companion->write() != Level::Benign) {
        companionWritten = false;
        rollback();
    } else if (transaction && transaction->commit() != Result::Ok) {
        committed = false; // a failed commit has rolled back
    }
    if (!committed)
        ME->noteError(4);
    if (parentFile)
        parentFile->RestoreState(saved);
    if (!found) {
        parentFile->noteError(MessageId::ParentGone);
        level = parentFile->ReportLastError();
    } else if (inserted != Level::Benign) {
        level = ME->ReportInsertFailure();
    } else if (!companionWritten) {
        level = companion->file ? companion->file->ReportLastError() : Level::Notify;
    } else if (!committed) {
        level = ME->ReportLastError();
    }
    Close();
    return level;
}

// The parent takes part only to be locked against a delete until the insert is committed.
int RelationKeeper::frameInsert(std::initializer_list<FileManager *> others,
                                std::optional<Transaction> &transaction)
{
    if (!USELOGOUT)
        return Level::Benign;
    Engine &engine = ME->services().engine();
    std::vector<FileManager *> files{ME};
    files.insert(files.end(), others.begin(), others.end());
    for (FileManager *file : files) {
        if (!file)
            continue;
        const int code = file->handle().addToTransaction();
        if (code == Result::Ok)
            continue;
        // The engine forgets the files named so far only when a transaction ends: one that
        // begins without waiting ends with this block.
        if (!engine.inTransaction()) {
            const Transaction forget(engine, 0);
        }
        if (code == Result::NoTransaction)
            return Level::Benign; // written unframed, as a file that cannot take part is
        file->noteError(21);
        file->ReportLastError();
        return Level::Notify;
    }
    transaction.emplace(engine, 2);
    if (transaction->began() != Result::Ok) {
        transaction.reset();
        ME->noteError(21);
        ME->ReportLastError();
        return Level::Notify;
    }
    return Level::Benign;
}

// --- delete ------------------------------------------------------------------------------

int RelationKeeper::Delete(bool confirm)
{
    if (refusedByGuard())
        return Level::Notify;
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
        std::vector<Reached> reached;
        collectFiles(true, reached);
        for (const Reached &file : reached)
            file.keeper->m_refused = false;
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
        // A refusal that said why (an issued invoice) is final: trying again cannot help.
        if (std::any_of(reached.begin(), reached.end(), [](const Reached &file) {
                return file.keeper->m_refused;
            }))
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

std::string RelationKeeper::refusalText(const std::vector<LinkPair> &pairs)
{
    // The relation belongs to the parent: found by its links, which the parent handed in.
    for (const Relation &toParent : RELATIONS) {
        if (!toParent.FIELDS.empty())
            continue;
        for (const Relation &toChild : toParent.FILE->RELATIONS) {
            if (&toChild.FIELDS == &pairs && toChild.refusal)
                return toChild.refusal(ME->BUFFER());
        }
    }
    return {};
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
            if (const std::string text = refusalText(pairs); !text.empty()) {
                m_refused = true;
                ME->ReportErrorText(MessageId::Refused, text);
            } else {
                ME->ReportLastError();
            }
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
