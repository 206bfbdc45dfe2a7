#include "store/relationkeeper.h"

#include "store/keyfields.h"
#include "store/procthread.h"

#include <algorithm>

namespace {

// A pass at the buffer's values of the key over only the records whose first `bound` key
// components equal the buffer's (one parent's children): it ends at the last of them instead
// of reading on into the next parent's. Remembered as a pass on the key, as startPassFrom's.
int startPassWithin(FileManager &file, KeyRef key, std::size_t bound)
{
    if (const int level = file.Use(2); level != Level::Benign)
        return level;
    FileThreadState &state = file.threadState();
    state.passKey = 0;
    for (std::size_t i = 0; i < file.KEYS.size(); ++i) {
        if (file.KEYS[i].KEY.index == key.index)
            state.passKey = static_cast<std::uint8_t>(i + 1);
    }
    const KeyDef &def = fileDef(key.file).keys[key.index];
    using Operand = FilterTree::Operand;
    FilterTree within;
    std::int32_t condition = -1;
    for (std::size_t i = 0; i < std::min<std::size_t>(bound, def.partCount); ++i) {
        const auto field = static_cast<std::uint16_t>(def.parts[i].field);
        const std::uint16_t value = within.addConstant(file.BUFFER().value(field));
        const std::int32_t equal = within.addComparison({Operand::Kind::Field, false, field},
                                                        FilterTree::Compare::Equal,
                                                        {Operand::Kind::Constant, false, value});
        condition
            = condition < 0 ? equal : within.addJoin(FilterTree::Node::Kind::And, condition, equal);
    }
    return state.handle->setOrderFrom(KeySpec::ofKey(key.file, key.index), within);
}

} // namespace

RelationKeeper::RelationKeeper() = default;

RelationKeeper::~RelationKeeper()
{
    if (ME)
        ME->services().threads().detach(*this);
}

void RelationKeeper::Init(FileManager &manager, bool useTransactions, std::uint32_t &walkCounter)
{
    ME = &manager;
    RELATIONS.clear();
    USELOGOUT = useTransactions ? 1 : 0;
    LASTTOUCHED = 0;
    m_walk = &walkCounter;
    manager.services().threads().attach(*this);
}

void RelationKeeper::Release()
{
    if (!ME)
        return;
    ME->services().threads().detach(*this);
    ME->Release();
    RELATIONS.clear();
    ME = nullptr;
}

void RelationKeeper::RegisterRelation(RelationKeeper &parent)
{
    Relation relation;
    relation.FILE = &parent;
    RELATIONS.push_back(std::move(relation));
}

void RelationKeeper::RegisterRelation(RelationKeeper &child,
                                      std::uint8_t updateMode,
                                      std::uint8_t deleteMode,
                                      KeyRef childKey)
{
    Relation relation;
    relation.FILE = &child;
    relation.HISKEY = childKey;
    relation.UPDATEMODE = updateMode;
    relation.DELETEMODE = deleteMode;
    RELATIONS.push_back(std::move(relation));
}

void RelationKeeper::AddLink(FieldRef parentField, FieldRef childField)
{
    RELATIONS.back().FIELDS.push_back({parentField, childField, {}});
}

void RelationKeeper::SetRefusal(std::function<std::string(const RecordBuffer &child)> refusal)
{
    RELATIONS.back().refusal = std::move(refusal);
}

void RelationKeeper::releaseThread(std::uint32_t thread)
{
    for (Relation &relation : RELATIONS) {
        for (LinkPair &pair : relation.FIELDS)
            pair.BUFFER.erase(thread);
    }
}

Records &RelationKeeper::records()
{
    return ME->services().threads().current();
}

int RelationKeeper::CancelNumbering()
{
    return ME->CancelNumbering(this);
}

// --- the walk over the family ----------------------------------------------------------------

int RelationKeeper::Open(bool continuing)
{
    return walk(Walk::Open, continuing);
}

int RelationKeeper::Close(bool continuing)
{
    return walk(Walk::Close, continuing);
}

int RelationKeeper::walk(Walk what, bool continuing)
{
    if (!continuing)
        ++*m_walk;
    else if (LASTTOUCHED == *m_walk)
        return Level::Benign;
    LASTTOUCHED = *m_walk;
    int level = Level::Benign;
    if (what == Walk::Open) {
        level = ME->Open();
        if (level == Level::Benign && !continuing)
            level = ME->Use(2);
    } else {
        ME->Close();
    }
    for (Relation &relation : RELATIONS) {
        if (level != Level::Benign)
            break;
        level = what == Walk::Open ? relation.FILE->Open(true) : relation.FILE->Close(true);
    }
    return level;
}

// --- links -----------------------------------------------------------------------------------

void RelationKeeper::RememberLinks()
{
    const std::uint32_t thread = ProcThread::current();
    Records &buffers = records();
    for (Relation &relation : RELATIONS) {
        for (LinkPair &pair : relation.FIELDS)
            pair.BUFFER[thread] = buffers[pair.LEFT.file].value(pair.LEFT.index);
    }
}

std::vector<FieldValue> RelationKeeper::currentLinks(const std::vector<LinkPair> &pairs)
{
    std::vector<FieldValue> values;
    Records &buffers = records();
    for (const LinkPair &pair : pairs)
        values.push_back(buffers[pair.LEFT.file].value(pair.LEFT.index));
    return values;
}

std::vector<FieldValue> RelationKeeper::rememberedLinks(const std::vector<LinkPair> &pairs)
{
    std::vector<FieldValue> values;
    for (const LinkPair &pair : pairs) {
        const auto it = pair.BUFFER.find(ProcThread::current());
        if (it == pair.BUFFER.end())
            return {};
        values.push_back(it->second);
    }
    return values;
}

void RelationKeeper::startChildPass(KeyRef childKey,
                                    const std::vector<LinkPair> &pairs,
                                    const std::vector<FieldValue> &links)
{
    RecordBuffer &child = ME->BUFFER();
    child.clear();
    for (std::size_t i = 0; i < pairs.size(); ++i)
        child.setValue(pairs[i].RIGHT.index, links[i]);
    // The components after the links start where the key starts.
    const KeyDef &key = fileDef(childKey.file).keys[childKey.index];
    for (std::size_t i = pairs.size(); i < key.partCount; ++i) {
        const KeyPart &part = key.parts[i];
        if (part.descending)
            setHighest(child, part.field);
        else
            setLowest(child, part.field);
    }
    startPassWithin(*ME, childKey, pairs.size());
}

bool RelationKeeper::isChildOf(const std::vector<LinkPair> &pairs,
                               const std::vector<FieldValue> &links)
{
    const RecordBuffer &child = ME->BUFFER();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (child.value(pairs[i].RIGHT.index) != links[i])
            return false;
    }
    return true;
}

// --- transactions ------------------------------------------------------------------------

void RelationKeeper::collectFiles(bool forDelete, std::vector<Reached> &files)
{
    const auto known = std::find_if(
        files.begin(), files.end(), [&](const Reached &r) { return r.keeper == this; });
    if (known == files.end())
        files.push_back({this, true});
    else if (known->written)
        return;
    else
        known->written = true; // first reached as a restricting child, now written too
    for (Relation &relation : RELATIONS) {
        if (relation.FIELDS.empty())
            continue;
        const std::uint8_t mode = forDelete ? relation.DELETEMODE : relation.UPDATEMODE;
        switch (mode) {
        case RelationMode::Cascade:
            relation.FILE->collectFiles(forDelete, files);
            break;
        case RelationMode::Clear:
            // A cleared child is changed, not deleted: its own children follow its update modes.
            relation.FILE->collectFiles(false, files);
            break;
        case RelationMode::Restrict:
            if (std::none_of(files.begin(), files.end(), [&](const Reached &r) {
                    return r.keeper == relation.FILE;
                }))
                files.push_back({relation.FILE, false});
            break;
        default:
            break;
        }
    }
}

int RelationKeeper::beginWrites(bool forDelete,
                                std::optional<Transaction> &transaction,
                                const CompanionWrite *companion)
{
    std::vector<Reached> files;
    collectFiles(forDelete, files);
    FileManager *companionFile = companion ? companion->file : nullptr;
    // Every file is made ready now: opening one may show a message, which must not happen
    // while the transaction is open.
    for (const Reached &file : files) {
        if (const int level = file.keeper->ME->Use(2); level != Level::Benign)
            return level;
        if (file.written && file.keeper->ME == companionFile)
            companionFile = nullptr; // named with the family already
    }
    if (companionFile) {
        if (const int level = companionFile->Use(2); level != Level::Benign)
            return level;
    }
    if (!USELOGOUT)
        return Level::Benign;
    Engine &engine = ME->services().engine();
    // The engine forgets the files named so far only when a transaction ends: one that
    // begins without waiting ends with the failing file's block.
    const auto refuse = [&engine](FileManager &file) {
        file.noteError(21);
        if (!engine.inTransaction()) {
            const Transaction forget(engine, 0);
        }
        file.ReportLastError();
        return Level::Notify;
    };
    for (const Reached &file : files) {
        if (!file.written || !file.keeper->USELOGOUT)
            continue;
        const int code = file.keeper->ME->handle().addToTransaction();
        if (code == Result::NoTransaction) {
            // Written outside the transaction from now on.
            file.keeper->USELOGOUT = 0;
        } else if (code != Result::Ok) {
            return refuse(*file.keeper->ME);
        }
    }
    if (companionFile) {
        const int code = companionFile->handle().addToTransaction();
        if (code != Result::Ok && code != Result::NoTransaction)
            return refuse(*companionFile);
    }
    transaction.emplace(engine, 2);
    if (transaction->began() != Result::Ok) {
        ME->noteError(21);
        transaction.reset();
        ME->ReportLastError();
        return Level::Notify;
    }
    return Level::Benign;
}

void RelationKeeper::rollback()
{
    Engine &engine = ME->services().engine();
    if (engine.inTransaction())
        engine.rollback();
}

// --- quick scan --------------------------------------------------------------------------

void RelationKeeper::SetQuickScan(bool on, int reach)
{
    const std::string option = on ? "QUICKSCAN=on" : "QUICKSCAN=off";
    ME->handle().send(option);
    for (Relation &relation : RELATIONS) {
        const bool toParent = relation.FIELDS.empty();
        if ((toParent && (reach & QuickScanReach::Parents))
            || (!toParent && (reach & QuickScanReach::Children)))
            relation.FILE->ME->handle().send(option);
    }
}
