// Deleting through the relation keeper: cascades, confirmation, atomicity and retries.

#include "support/orderfamily.h"

#include "store/rowsread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

using namespace orderfamily;

namespace {

using Strings = std::vector<std::string>;

// Counts deletes over all files; the n-th one fails as a full disk would make it fail. Also
// notes whether each delete ran inside a transaction.
struct DeleteLog
{
    int failAt = 0;   // 0 = none fails
    int failures = 1; // how many deletes from failAt on fail
    int count = 0;
    std::vector<bool> inTransaction;
    std::vector<FileId> files;
};

class LoggingHandle : public FileHandle
{
public:
    LoggingHandle(Engine &e, FileId f, RecordBuffer &b, DeleteLog &log)
        : FileHandle(e, f, b)
        , m_log(log)
    {}
    int erase() override
    {
        const int n = ++m_log.count;
        if (m_log.failAt && n >= m_log.failAt && n < m_log.failAt + m_log.failures) {
            engine().status() = {Result::EngineError, "10", "disk I/O error"};
            return Result::EngineError;
        }
        m_log.inTransaction.push_back(engine().inTransaction());
        m_log.files.push_back(id());
        return FileHandle::erase();
    }

private:
    DeleteLog &m_log;
};

HandleFactory logging(DeleteLog &log)
{
    return [&log](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<LoggingHandle>(e, f, b, log);
    };
}

struct Counts
{
    std::int64_t kunde, auftrag, kaldruck, asatz, aufpap, drucktem;
    bool operator==(const Counts &) const = default;
};

Counts counts(StoreFixture &t)
{
    return {t.count(FileId::kunde),
            t.count(FileId::auftrag),
            t.count(FileId::kaldruck),
            t.count(FileId::asatz),
            t.count(FileId::aufpap),
            t.count(FileId::drucktem)};
}

void showOrder(StoreFixture &t, const std::string &id)
{
    showRecord(t, FileId::auftrag, AUF::Keyfid, AUF::FID, id);
}

} // namespace

TEST(RelationDelete, OrderGoesWithItsCalculationsAndTheirLinesInOneTransaction)
{
    DeleteLog log;
    StoreFixture t(logging(log));
    standard(t);
    const Counts before = counts(t);

    showOrder(t, "F1");
    t.presenter.answer(MessageButton::Yes);
    EXPECT_EQ(t.rk(FileId::auftrag).Delete(), Level::Benign);
    t.rk(FileId::auftrag).Close();

    ASSERT_EQ(t.presenter.titles(), Strings{"Confirm Delete"});
    EXPECT_EQ(t.presenter.shown[0].text, "Wollen Sie den markierten Satz wirklich löschen?");
    EXPECT_EQ(log.count, 5);
    EXPECT_EQ(log.inTransaction, std::vector<bool>(5, true));
    EXPECT_EQ(
        log.files,
        (std::vector<FileId>{
            FileId::asatz, FileId::kaldruck, FileId::asatz, FileId::kaldruck, FileId::auftrag}));
    Counts expected = before;
    expected.auftrag -= 1;
    expected.kaldruck -= 2;
    expected.asatz -= 2;
    EXPECT_EQ(counts(t), expected);
    EXPECT_EQ(column(t, AUF::FID), Strings{"F2"});
    EXPECT_EQ(column(t, KAD::KAAID), Strings{"KB1"});
    EXPECT_EQ(column(t, ASA::ASID), Strings{"S3"});
    // Paper lines and the print list only point at the order; they stay.
    EXPECT_EQ(column(t, APA::APID), Strings{"P1"});
    EXPECT_EQ(column(t, DRU::DAUFID), Strings{"F1"});
    EXPECT_FALSE(t.store->engine().inTransaction());
}

TEST(RelationDelete, FailureHalfwayLeavesEverythingAndReportsAfterRollingBack)
{
    DeleteLog log;
    log.failAt = 3; // the second calculation's typesetting line
    StoreFixture t(logging(log));
    standard(t);
    const Counts before = counts(t);

    showOrder(t, "F1");
    t.presenter.answer(MessageButton::Yes); // confirm
    t.presenter.answer(MessageButton::Ok);  // the failure
    t.presenter.answer(MessageButton::No);  // do not try again
    EXPECT_EQ(t.rk(FileId::auftrag).Delete(), Level::Notify);
    t.rk(FileId::auftrag).Close();

    ASSERT_EQ(t.presenter.titles(),
              (Strings{"Confirm Delete", "Record was not deleted", "Record Delete Error"}));
    EXPECT_EQ(t.presenter.shown[1].text,
              "An error (disk I/O error (10)) was experienced when deleting a record from the "
              "asatz file.");
    EXPECT_EQ(t.presenter.shown[2].text,
              "An error was experienced deleting this record. Do you want to try to delete it "
              "again?");
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    EXPECT_EQ(counts(t), before);
    EXPECT_EQ(column(t, ASA::ASID), (Strings{"S1", "S2", "S3"}));
    EXPECT_EQ(column(t, KAD::KAAID), (Strings{"KA1", "KA2", "KB1"}));
}

TEST(RelationDelete, RetryAfterAFailureDeletesTheWholeFamily)
{
    DeleteLog log;
    log.failAt = 5; // the order itself, once
    StoreFixture t(logging(log));
    standard(t);
    showOrder(t, "F1");
    t.presenter.answer(MessageButton::Yes);
    t.presenter.answer(MessageButton::Ok);
    t.presenter.answer(MessageButton::Yes); // try again
    EXPECT_EQ(t.rk(FileId::auftrag).Delete(), Level::Benign);
    t.rk(FileId::auftrag).Close();
    EXPECT_EQ(t.presenter.titles(),
              (Strings{"Confirm Delete", "Record was not deleted", "Record Delete Error"}));
    EXPECT_EQ(t.presenter.shown[1].text,
              "An error (disk I/O error (10)) was experienced when deleting a record from the "
              "auftrag file.");
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    EXPECT_EQ(column(t, AUF::FID), Strings{"F2"});
    EXPECT_EQ(column(t, ASA::ASID), Strings{"S3"});
}

TEST(RelationDelete, AnsweringNoLeavesTheRecord)
{
    DeleteLog log;
    StoreFixture t(logging(log));
    standard(t);
    showOrder(t, "F2");
    t.presenter.answer(MessageButton::No);
    EXPECT_EQ(t.rk(FileId::auftrag).Delete(), Level::Notify);
    EXPECT_EQ(t.records().get(AUF::FID), "F2");
    t.rk(FileId::auftrag).Close();
    EXPECT_EQ(log.count, 0);
    EXPECT_EQ(column(t, AUF::FID), (Strings{"F1", "F2"}));
}

TEST(RelationDelete, CustomerTakesAllItsOrdersAlong)
{
    StoreFixture t;
    standard(t);
    order(t, "F3", "K1", "A-101");
    workLine(t, "N1", "F3");
    transportLine(t, "T1", "F3");
    transportLine(t, "T2", "F2");
    showRecord(t, FileId::kunde, KUN::Keyid, KUN::KID, "K1");
    EXPECT_EQ(t.rk(FileId::kunde).Delete(false), Level::Benign);
    t.rk(FileId::kunde).Close();
    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_EQ(column(t, KUN::KID), Strings{"K2"});
    EXPECT_EQ(column(t, AUF::FID), Strings{"F2"});
    EXPECT_EQ(column(t, KAD::KAAID), Strings{"KB1"});
    EXPECT_EQ(column(t, ASA::ASID), Strings{"S3"});
    EXPECT_EQ(column(t, ANA::ANID), Strings{});
    EXPECT_EQ(column(t, ATR::ATID), Strings{"T2"});
}

// The walk reads the customer's orders and lines once each, not the orders of the next
// customer nor, after every delete, the rest of the block again.
TEST(RelationDelete, CustomerWithManyOrdersIsDeletedReadingEachRecordOnce)
{
    StoreFixture t;
    customer(t, "K1", "Anker");
    customer(t, "K2", "Berger");
    customer(t, "K3", "Claasen");
    int records = 1;
    for (int n = 0; n < 70; ++n) {
        const std::string id = "F" + std::to_string(n);
        for (const char *other : {"K1", "K3"})
            order(t, std::string(other) + id, other, std::string(other) + "-" + std::to_string(n));
        order(t, id, "K2", "A-" + std::to_string(n));
        calculation(t, "KA" + std::to_string(n), id);
        typesetting(t, "S" + std::to_string(n), id, "KA" + std::to_string(n));
        workLine(t, "N" + std::to_string(n), id);
        records += 4;
    }
    showRecord(t, FileId::kunde, KUN::Keyid, KUN::KID, "K2");
    const std::uint64_t before = rowsread::total();
    EXPECT_EQ(t.rk(FileId::kunde).Delete(false), Level::Benign);
    const std::uint64_t read = rowsread::total() - before;
    t.rk(FileId::kunde).Close();
    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K1", "K3"}));
    EXPECT_EQ(t.count(FileId::auftrag), 140);
    EXPECT_EQ(t.count(FileId::kaldruck), 0);
    EXPECT_EQ(t.count(FileId::asatz), 0);
    EXPECT_EQ(t.count(FileId::anach), 0);
    // Each record of the family once, and for each parent the record each child file's pass
    // stood on before (its state given back, as a cascade leaves every file it walked).
    EXPECT_LE(read, 2u * static_cast<std::uint64_t>(records)) << records << " records deleted";
}

// The customer's e-invoice data goes with the customer, in the same transaction as its
// orders; another customer's stays.
TEST(RelationDelete, CustomerTakesItsEInvoiceDataAlongInOneTransaction)
{
    DeleteLog log;
    StoreFixture t(logging(log));
    standard(t);
    for (const char *id : {"K1", "K2"})
        t.add(FileId::kundeer, [&](Records &r) { r.set(KER::KEKID, id); });
    showRecord(t, FileId::kunde, KUN::Keyid, KUN::KID, "K1");
    EXPECT_EQ(t.rk(FileId::kunde).Delete(false), Level::Benign);
    t.rk(FileId::kunde).Close();

    EXPECT_EQ(column(t, KER::KEKID), Strings{"K2"});
    EXPECT_EQ(column(t, KUN::KID), Strings{"K2"});
    ASSERT_FALSE(log.inTransaction.empty());
    EXPECT_EQ(log.inTransaction, std::vector<bool>(log.inTransaction.size(), true));
    EXPECT_EQ(std::count(log.files.begin(), log.files.end(), FileId::kundeer), 1);
}

// A failure in the middle of the cascade leaves the customer, its orders and its e-invoice
// data all in place.
TEST(RelationDelete, AFailedCustomerDeleteKeepsItsEInvoiceData)
{
    DeleteLog log;
    log.failAt = 2;
    log.failures = 100;
    StoreFixture t(logging(log));
    standard(t);
    t.add(FileId::kundeer, [&](Records &r) { r.set(KER::KEKID, "K1"); });
    showRecord(t, FileId::kunde, KUN::Keyid, KUN::KID, "K1");
    t.presenter.answer(MessageButton::Ok);
    t.presenter.answer(MessageButton::No);
    EXPECT_NE(t.rk(FileId::kunde).Delete(false), Level::Benign);
    t.rk(FileId::kunde).Close();

    EXPECT_EQ(column(t, KER::KEKID), Strings{"K1"});
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K1", "K2"}));
}

namespace {

// A file the engine cannot take into a transaction.
class UnframedHandle : public FileHandle
{
public:
    using FileHandle::FileHandle;
    int addToTransaction() override
    {
        if (id() != FileId::atran)
            return FileHandle::addToTransaction();
        engine().status() = {Result::NoTransaction, {}, {}};
        return Result::NoTransaction;
    }
};

} // namespace

TEST(RelationDelete, FileOutsideTransactionsIsWrittenUnframed)
{
    StoreFixture t([](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<UnframedHandle>(e, f, b);
    });
    standard(t);
    transportLine(t, "T1", "F1");
    showOrder(t, "F1");
    EXPECT_EQ(t.rk(FileId::auftrag).Delete(false), Level::Benign);
    t.rk(FileId::auftrag).Close();
    EXPECT_EQ(t.rk(FileId::atran).USELOGOUT, 0);
    EXPECT_EQ(t.rk(FileId::auftrag).USELOGOUT, 1);
    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_EQ(column(t, ATR::ATID), Strings{});
    EXPECT_EQ(column(t, AUF::FID), Strings{"F2"});
}

TEST(RelationDelete, CancelledNewOrderTakesItsPlaceholderAway)
{
    StoreFixture t;
    standard(t);
    RelationKeeper &orders = t.rk(FileId::auftrag);
    orders.Open();
    ASSERT_EQ(t.fm(FileId::auftrag).PrepareNewRecord(), Level::Benign);
    EXPECT_EQ(t.count(FileId::auftrag), 3);
    t.records().set(AUF::FID, "F9");
    EXPECT_EQ(orders.CancelNumbering(), Level::Benign);
    orders.Close();
    EXPECT_TRUE(t.presenter.shown.empty()) << "no confirmation for the placeholder";
    EXPECT_EQ(column(t, AUF::FID), (Strings{"F1", "F2"}));
    EXPECT_EQ(column(t, KAD::KAAID), (Strings{"KA1", "KA2", "KB1"}));
}
