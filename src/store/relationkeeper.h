#pragma once

#include "store/filemanager.h"
#include "store/transaction.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What happens to the children when a parent's linking fields change or the parent goes.
namespace RelationMode {
inline constexpr std::uint8_t None = 0;     // the children are not touched
inline constexpr std::uint8_t Clear = 1;    // their linking fields are cleared
inline constexpr std::uint8_t Restrict = 2; // refused while children exist
inline constexpr std::uint8_t Cascade = 3;  // they follow the new value, or are deleted
} // namespace RelationMode

// Which related files SetQuickScan reaches besides the file itself.
namespace QuickScanReach {
inline constexpr int Self = 0;
inline constexpr int Parents = 1;
inline constexpr int Children = 2;
inline constexpr int Family = Parents | Children;
} // namespace QuickScanReach

// A field of some file.
struct FieldRef
{
    FileId file{};
    std::uint16_t index = 0;

    FieldRef() = default;
    template<FieldType T>
    FieldRef(Field<T> field) // NOLINT(google-explicit-constructor): fields name themselves
        : file(field.file)
        , index(field.index)
    {}
};

// A linking field of the parent and the child's field that holds its value. BUFFER is the
// parent's value as it was when the record was shown (RememberLinks), kept per thread since
// every thread has its own record.
struct LinkPair
{
    FieldRef LEFT;
    FieldRef RIGHT;
    std::map<std::uint32_t, FieldValue> BUFFER;
};

class RelationKeeper;

// A record of another file that belongs with this file's record (a customer's e-invoice data
// with the customer) and is written in the same transaction, right after it: `write` shows
// no message and answers 0, or another level with its error noted on `file`. When either
// write fails, neither is kept, and the failing file reports once the transaction has ended,
// unless the caller says why itself (an invoice number issued meanwhile by another station).
struct CompanionWrite
{
    FileManager *file = nullptr;
    std::function<int()> write;
    bool callerReports = false;
};

struct Relation
{
    RelationKeeper *FILE = nullptr;
    std::vector<LinkPair> FIELDS; // empty for the relation to the parent
    std::optional<KeyRef> HISKEY; // the child's key led by the linking fields
    std::uint8_t UPDATEMODE = RelationMode::None;
    std::uint8_t DELETEMODE = RelationMode::None;
    // For a child that restricts: the refusal in the user's words, made from the child
    // record that stands in the way (the issued invoice that keeps an order). Without it the
    // refusal is the store's general message.
    std::function<std::string(const RecordBuffer &child)> refusal;
};

// Keeps the links between a file and its parents and children consistent: when a parent's
// linking field changes the children follow (or are cut loose, or the change is refused), and
// when a parent is deleted its children go with it, all in one transaction of the engine
// across the files it touches. No message is shown while that transaction is open: every
// failure rolls back first, then reports.
class RelationKeeper : public ThreadStateOwner
{
public:
    RelationKeeper();
    ~RelationKeeper() override;
    RelationKeeper(const RelationKeeper &) = delete;
    RelationKeeper &operator=(const RelationKeeper &) = delete;

    FileManager *ME = nullptr;
    std::vector<Relation> RELATIONS;
    RelationKeeper *ALIASFILE = nullptr;
    std::uint8_t USELOGOUT = 1;
    std::uint32_t LASTTOUCHED = 0;

    // `walkCounter` is the record store's one counter of open and close walks.
    void Init(FileManager &manager, bool useTransactions, std::uint32_t &walkCounter);
    // A relation to the parent.
    void RegisterRelation(RelationKeeper &parent);
    // A relation to a child, followed by AddLink for each linking field.
    void RegisterRelation(RelationKeeper &child,
                          std::uint8_t updateMode,
                          std::uint8_t deleteMode,
                          KeyRef childKey);
    void AddLink(FieldRef parentField, FieldRef childField);
    // The refusal text of the last registered child relation, which restricts.
    void SetRefusal(std::function<std::string(const RecordBuffer &child)> refusal);
    // Asked before a record of this file is inserted, changed or deleted here: the refusal in
    // the user's words (a line of an order whose invoice stands), or empty to go on.
    void SetWriteGuard(std::function<std::string(const RecordBuffer &record)> guard)
    {
        m_writeGuard = std::move(guard);
    }

    // In slot order.
    virtual int CancelNumbering();
    virtual int Close(bool continuing = false);
    virtual int Delete(bool confirm = true);
    virtual int DeleteChildren(KeyRef childKey, std::vector<LinkPair> &pairs, std::uint8_t mode);
    virtual void Release();
    virtual int Open(bool continuing = false);
    virtual void RememberLinks();
    virtual void SetQuickScan(bool on, int reach = QuickScanReach::Self);
    virtual int Update(bool historyKey = false);
    virtual int UpdateChildren(KeyRef childKey, std::vector<LinkPair> &pairs, std::uint8_t mode);

    // Inserts the record through the file manager (its Insert, with its messages), but only
    // while the parent record it names still exists: another station may have deleted an
    // order while a line of it was being entered. The parent is looked up in the same
    // transaction as the insert, so that its delete cannot come in between. A record that
    // names no parent is inserted as it is. A missing parent is message 43, result 5.
    int Insert();

    // Update and Insert with a companion record written in the same transaction.
    int Update(bool historyKey, const CompanionWrite &companion);
    int Insert(const CompanionWrite &companion);

    // Shows and hides the busy pointer while a delete runs; the GUI sets it.
    void setBusyPointer(std::function<void(bool busy)> busy) { m_busy = std::move(busy); }

    void releaseThread(std::uint32_t thread) override;

private:
    enum class Walk { Open, Close };
    int walk(Walk what, bool continuing);

    struct Reached
    {
        RelationKeeper *keeper;
        bool written; // else only read (a restricting child)
    };
    // The files a change (or a delete) of this file's record reaches: this one and the
    // children its modes reach, each once.
    void collectFiles(bool forDelete, std::vector<Reached> &files);
    // Makes those files ready and, when this file uses transactions, begins one over them.
    // Reports and returns a level other than 0 when that fails.
    int beginWrites(bool forDelete,
                    std::optional<Transaction> &transaction,
                    const CompanionWrite *companion = nullptr);
    // Ends the open transaction before a message is shown: nothing may wait for the user
    // while it is open. The guard of the write that began it then has nothing left to do.
    void rollback();
    // Update's steps inside its transaction, which ends with them.
    int updateFramed(bool historyKey, const CompanionWrite *companion);
    // Insert's steps: the parent checked, the record and its companion written, in one
    // transaction when there is a parent or a companion.
    int insertFramed(const CompanionWrite *companion);
    // The companion's write inside the open transaction; reports after rolling back.
    int writeCompanion(const CompanionWrite *companion);
    // The record's own write was undone with its companion's: it is watched again from the
    // version it was read at (not the one the undone write made), the user's values kept.
    void watchAgain(std::int64_t readVersion);
    bool m_refused = false; // the last delete was refused with a text of the relation's own
    // The refusal of the relation whose links are `pairs`, for this child's record.
    std::string refusalText(const std::vector<LinkPair> &pairs);
    int deleteAttempt(const std::string &position, std::optional<Transaction> &transaction);
    // The parent whose record the buffer names, with the parent's relation to this file and
    // the buffer's link values; no keeper when the buffer names none.
    struct NamedParent
    {
        RelationKeeper *keeper = nullptr;
        const Relation *toChild = nullptr;
        std::vector<FieldValue> links;
    };
    NamedParent namedParent();
    // Whether the named parent record exists (a read failure counts as not found). Uses the
    // parent's buffer and pass: the caller saves and restores them.
    bool parentExists(const NamedParent &parent);
    // Whether the named parent is the record a form of this thread is entering: numbered,
    // not saved yet, its lines entered before its OK.
    bool parentBeingEntered(const NamedParent &parent);
    // Names this file and the others (the parent's, the companion's; null ones left out) to
    // the engine and begins the transaction of an insert; none when this file takes part in
    // none.
    int frameInsert(std::initializer_list<FileManager *> others,
                    std::optional<Transaction> &transaction);
    // The parent's linking values of the pairs, now or as remembered on this thread.
    std::vector<FieldValue> currentLinks(const std::vector<LinkPair> &pairs);
    std::vector<FieldValue> rememberedLinks(const std::vector<LinkPair> &pairs);
    // Starts this (child) file's pass at the first child with the given link values.
    void startChildPass(KeyRef childKey,
                        const std::vector<LinkPair> &pairs,
                        const std::vector<FieldValue> &links);
    bool isChildOf(const std::vector<LinkPair> &pairs, const std::vector<FieldValue> &links);
    Records &records();
    // Step 4 of Update: carries the changed links of every relation to the children.
    int carryLinks();
    // Writes a child whose links were changed: its own children first, then the record.
    int writeChild();

    std::uint32_t *m_walk = nullptr;
    std::function<void(bool)> m_busy;
    std::function<std::string(const RecordBuffer &)> m_writeGuard;
    // The guard's refusal shown; true when the write must not go on.
    bool refusedByGuard();
};
