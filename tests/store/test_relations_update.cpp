// Changing records through the relation keeper, the walk over a file's family, the modes
// clear and restrict, and quick scan.

#include "support/orderfamily.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using namespace orderfamily;

namespace {

using Strings = std::vector<std::string>;

// Counts writes per file and notes options sent to the engine.
struct WriteLog
{
    std::map<FileId, int> puts;
    std::map<FileId, Strings> sent;
    // This write of this file fails as on a full disk.
    FileId failingFile = FileId::stamm;
    int failingPut = 0;
};

class CountingHandle : public FileHandle
{
public:
    CountingHandle(Engine &e, FileId f, RecordBuffer &b, WriteLog &log)
        : FileHandle(e, f, b)
        , m_log(log)
    {}
    int put() override
    {
        if (++m_log.puts[id()] == m_log.failingPut && id() == m_log.failingFile) {
            engine().status() = {Result::EngineError, "10", "disk I/O error"};
            return Result::EngineError;
        }
        return FileHandle::put();
    }
    int send(std::string_view option) override
    {
        m_log.sent[id()].emplace_back(option);
        return FileHandle::send(option);
    }

private:
    WriteLog &m_log;
};

HandleFactory counting(WriteLog &log)
{
    return [&log](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<CountingHandle>(e, f, b, log);
    };
}

void showCustomer(StoreFixture &t, const std::string &id)
{
    showRecord(t, FileId::kunde, KUN::Keyid, KUN::KID, id);
}

} // namespace

TEST(RelationUpdate, NewCustomerIdIsCarriedIntoItsOrders)
{
    WriteLog log;
    StoreFixture t(counting(log));
    standard(t);
    order(t, "F3", "K1", "A-101");
    log.puts.clear();

    showCustomer(t, "K1");
    t.records().set(KUN::KID, "K7");
    EXPECT_EQ(t.rk(FileId::kunde).Update(), Level::Benign);
    t.rk(FileId::kunde).Close();

    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K7", "K2"}));
    EXPECT_EQ(column(t, AUF::FKUID), (Strings{"K7", "K2", "K7"}));
    EXPECT_EQ(log.puts[FileId::kunde], 1);
    EXPECT_EQ(log.puts[FileId::auftrag], 2);
    // The orders' own ids did not change: nothing below them is written.
    EXPECT_EQ(log.puts[FileId::kaldruck], 0);
    EXPECT_EQ(column(t, KAD::KAUFID), (Strings{"F1", "F1", "F2"}));
}

TEST(RelationUpdate, FailureHalfwayThroughTheChildrenUndoesTheWholeChange)
{
    WriteLog log;
    StoreFixture t(counting(log));
    standard(t);
    order(t, "F3", "K1", "A-101");
    log.puts.clear();
    log.failingFile = FileId::auftrag;
    log.failingPut = 2;

    showCustomer(t, "K1");
    t.records().set(KUN::KID, "K7");
    EXPECT_EQ(t.rk(FileId::kunde).Update(), Level::Notify);
    t.rk(FileId::kunde).Close();

    ASSERT_EQ(t.presenter.titles(), Strings{"Record was not updated"});
    EXPECT_EQ(t.presenter.shown[0].text,
              "An error (disk I/O error (10)) was experienced when making changes to the auftrag "
              "file.");
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K1", "K2"}));
    EXPECT_EQ(column(t, AUF::FKUID), (Strings{"K1", "K2", "K1"}));
}

TEST(RelationUpdate, NewOrderIdIsCarriedThroughAllCascadingChildren)
{
    StoreFixture t;
    standard(t);
    workLine(t, "N1", "F1");
    transportLine(t, "T1", "F1");
    showRecord(t, FileId::auftrag, AUF::Keyfid, AUF::FID, "F1");
    t.records().set(AUF::FID, "F8");
    EXPECT_EQ(t.rk(FileId::auftrag).Update(), Level::Benign);
    t.rk(FileId::auftrag).Close();
    EXPECT_EQ(column(t, KAD::KAUFID), (Strings{"F8", "F8", "F2"}));
    EXPECT_EQ(column(t, ANA::ANIDAUF), Strings{"F8"});
    EXPECT_EQ(column(t, ATR::ATAUFID), Strings{"F8"});
    // drucktem follows no change; aufpap is no relation at all.
    EXPECT_EQ(column(t, DRU::DAUFID), Strings{"F1"});
    EXPECT_EQ(column(t, APA::APAUFID), Strings{"F1"});
}

TEST(RelationUpdate, ChangeWithoutNewLinksTouchesNoChild)
{
    WriteLog log;
    StoreFixture t(counting(log));
    standard(t);
    log.puts.clear();
    showCustomer(t, "K1");
    t.records().set(KUN::KORT, "Stuttgart");
    EXPECT_EQ(t.rk(FileId::kunde).Update(), Level::Benign);
    t.rk(FileId::kunde).Close();
    EXPECT_EQ(log.puts, (std::map<FileId, int>{{FileId::kunde, 1}}));
}

TEST(RelationUpdate, ChangeByAnotherStationIsReportedAfterRollingBack)
{
    StoreFixture t;
    standard(t);
    showCustomer(t, "K2");
    // Watched from the start, as a form does.
    t.fm(FileId::kunde).handle().watch();
    ASSERT_EQ(t.fm(FileId::kunde).FetchQuiet(KUN::Keyid), Level::Benign);
    {
        const auto stationEngine = makeEngine(DataLocation{t.folder.path()});
        Engine &station = *stationEngine;
        RecordBuffer buffer(FileId::kunde);
        const auto otherCursor = station.recordFile(FileId::kunde, buffer);
        RecordFile &other = *otherCursor;
        ASSERT_EQ(other.open(), Result::Ok);
        buffer.set(KUN::KID, "K2");
        ASSERT_EQ(other.get(KUN::Keyid.index), Result::Ok);
        buffer.set(KUN::KNAME, "Verlag Bauer & Sohn");
        ASSERT_EQ(other.put(), Result::Ok);
    }
    t.records().set(KUN::KID, "K5");
    EXPECT_EQ(t.rk(FileId::kunde).Update(true), Level::Notify);
    t.rk(FileId::kunde).Close();
    ASSERT_EQ(t.presenter.titles(), Strings{"Record Was Not Updated"});
    EXPECT_NE(t.presenter.shown[0].text.find("Ctrl+'"), std::string::npos) << "history key";
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Verlag Bauer & Sohn");
    EXPECT_EQ(column(t, AUF::FKUID), (Strings{"K1", "K2"}));
}

TEST(RelationWalk, OpeningTypesettingOpensTheWholeFamilyOnce)
{
    StoreFixture t;
    RelationKeeper &lines = t.rk(FileId::asatz);
    ASSERT_EQ(lines.Open(), Level::Benign);
    for (FileId f : {FileId::asatz,
                     FileId::kaldruck,
                     FileId::auftrag,
                     FileId::kunde,
                     FileId::drucktem,
                     FileId::anach,
                     FileId::atran}) {
        EXPECT_EQ(t.fm(f).threadState().OPENED, 1) << fileDef(f).label;
    }
    for (FileId f : {FileId::aufpap, FileId::papier, FileId::satz})
        EXPECT_EQ(t.fm(f).threadState().OPENED, 0) << fileDef(f).label;
    // Only the file itself is put to use at once; the others open when first used.
    EXPECT_EQ(t.fm(FileId::asatz).threadState().USED, 1);
    EXPECT_EQ(t.fm(FileId::kunde).threadState().USED, 0);

    ASSERT_EQ(t.rk(FileId::kunde).Open(), Level::Benign) << "a second walk from elsewhere";
    EXPECT_EQ(t.fm(FileId::asatz).threadState().OPENED, 2);
    t.rk(FileId::kunde).Close();
    lines.Close();
    for (FileId f : StoreContext::fileOrder())
        EXPECT_EQ(t.fm(f).threadState().OPENED, 0) << fileDef(f).label;
}

TEST(RelationWalk, QuickScanReachesTheAskedFiles)
{
    struct Case
    {
        const char *name;
        bool on;
        int reach;
        std::vector<FileId> reached;
    };
    const Case cases[] = {
        {"self", true, QuickScanReach::Self, {FileId::auftrag}},
        {"parents", false, QuickScanReach::Parents, {FileId::auftrag, FileId::kunde}},
        {"children",
         true,
         QuickScanReach::Children,
         {FileId::auftrag,
          FileId::drucktem,
          FileId::kaldruck,
          FileId::anach,
          FileId::atran,
          FileId::beleg}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteLog log;
        StoreFixture t(counting(log));
        t.rk(FileId::auftrag).SetQuickScan(c.on, c.reach);
        std::map<FileId, Strings> expected;
        for (FileId f : c.reached)
            expected[f] = {c.on ? "QUICKSCAN=on" : "QUICKSCAN=off"};
        EXPECT_EQ(log.sent, expected);
    }
}

// A customer file whose orders restrict or clear: modes no file of the system uses, set up on
// keepers of their own over the same file managers.
class ModeFixture : public StoreFixture
{
public:
    explicit ModeFixture(std::uint8_t mode)
    {
        parent.Init(fm(FileId::kunde), true, walk);
        child.Init(fm(FileId::auftrag), true, walk);
        parent.RegisterRelation(child, mode, mode, AUF::Keykuid);
        parent.AddLink(KUN::KID, AUF::FKUID);
        child.RegisterRelation(parent);
        standard(*this);
        order(*this, "F3", "K1", "A-101");
        parent.Open();
        records().set(KUN::KID, "K1");
        fm(FileId::kunde).FetchQuiet(KUN::Keyid);
        parent.RememberLinks();
    }

    std::uint32_t walk = 0;
    RelationKeeper parent;
    RelationKeeper child;
};

TEST(RelationModes, RestrictRefusesANewIdAndShowsTheOldOne)
{
    ModeFixture t(RelationMode::Restrict);
    t.records().set(KUN::KID, "K9");
    EXPECT_EQ(t.parent.Update(), Level::Notify);
    ASSERT_EQ(t.presenter.titles(), Strings{"Referential Integrity Update Error"});
    EXPECT_EQ(t.presenter.shown[0].text,
              "This record is referenced from the file auftrag. Linking field(s) have been "
              "restricted from change and have been reset to original values.");
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    EXPECT_EQ(t.records().get(KUN::KID), "K1");
    t.parent.Close();
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K1", "K2"}));
    EXPECT_EQ(column(t, AUF::FKUID), (Strings{"K1", "K2", "K1"}));
}

TEST(RelationModes, RestrictRefusesToDeleteAReferencedRecord)
{
    ModeFixture t(RelationMode::Restrict);
    t.presenter.answer(MessageButton::Ok);
    t.presenter.answer(MessageButton::No); // do not try again
    EXPECT_EQ(t.parent.Delete(false), Level::Notify);
    ASSERT_EQ(t.presenter.titles(),
              (Strings{"Referential Integrity Delete Error", "Record Delete Error"}));
    EXPECT_EQ(t.presenter.shown[0].text,
              "This record is referenced from the file auftrag. This record cannot be deleted "
              "while these references exist.");
    EXPECT_EQ(t.presenter.shownInTransaction, 0);
    t.parent.Close();
    EXPECT_EQ(column(t, KUN::KID), (Strings{"K1", "K2"}));
}

TEST(RelationModes, ClearCutsTheChildrenLoose)
{
    for (const bool deleting : {false, true}) {
        SCOPED_TRACE(deleting ? "delete" : "update");
        ModeFixture t(RelationMode::Clear);
        int level;
        if (deleting) {
            level = t.parent.Delete(false);
        } else {
            t.records().set(KUN::KID, "K9");
            level = t.parent.Update();
        }
        EXPECT_EQ(level, Level::Benign);
        t.parent.Close();
        EXPECT_TRUE(t.presenter.shown.empty());
        EXPECT_EQ(column(t, KUN::KID), deleting ? Strings{"K2"} : (Strings{"K9", "K2"}));
        EXPECT_EQ(column(t, AUF::FKUID), (Strings{"", "K2", ""}));
        // Cut loose, not deleted: the order keeps its own children.
        EXPECT_EQ(column(t, KAD::KAUFID), (Strings{"F1", "F1", "F2"}));
    }
}
