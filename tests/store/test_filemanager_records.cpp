// Automatic numbering, inserting, updating and reading records through the file manager.

#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Puts an arbeit record with the given number straight into the file, as an older program
// version or an import would have left it.
void putWork(StoreFixture &t, std::int32_t number, const std::string &name)
{
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.Use(2), Level::Benign);
    t.records()[FileId::arbeit].clear();
    t.records().set(ARB::AAID, number);
    t.records().set(ARB::ABEZ, name);
    ASSERT_EQ(work.handle().add(), Result::Ok);
    work.Close();
}

void addWork(StoreFixture &t, const std::string &name, double price = 0)
{
    t.add(FileId::arbeit, [&](Records &r) {
        r.set(ARB::ABEZ, name);
        r.set(ARB::APR, price);
    });
}

// The arbeit records in key order of their descriptions.
std::vector<std::string> workNames(StoreFixture &t)
{
    std::vector<std::string> names;
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    work.startPass(ARB::Keyabez);
    while (work.NextQuiet() == Level::Benign)
        names.push_back(t.records().get(ARB::ABEZ));
    work.Close();
    return names;
}

} // namespace

TEST(FileManagerNumbering, NextNumberFollowsTheHighest)
{
    struct Case
    {
        const char *name;
        std::vector<std::int32_t> existing;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"empty file", {}, 1},
        {"1, 2 and 7", {1, 2, 7}, 8},
        {"added out of order", {7, 1, 2}, 8},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreFixture t;
        for (std::int32_t n : c.existing)
            putWork(t, n, "Arbeit " + std::to_string(n));
        FileManager &work = t.fm(FileId::arbeit);
        work.Open();
        ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
        EXPECT_EQ(t.records().get(ARB::AAID), c.expected);
        EXPECT_EQ(work.threadState().AUTOINCDONE, 1);
        // The placeholder already stands in the file.
        EXPECT_EQ(t.count(FileId::arbeit), static_cast<std::int64_t>(c.existing.size() + 1));
        work.Close();
    }
}

TEST(FileManagerNumbering, CancelledPlaceholderGivesItsNumberBack)
{
    StoreFixture t;
    addWork(t, "Falzen");
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    EXPECT_EQ(t.records().get(ARB::AAID), 2);
    t.records().set(ARB::ABEZ, "Schneiden");
    ASSERT_EQ(work.CancelNumbering(), Level::Benign);
    EXPECT_EQ(work.threadState().AUTOINCDONE, 0);
    EXPECT_EQ(t.count(FileId::arbeit), 1);

    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    EXPECT_EQ(t.records().get(ARB::AAID), 2);
    ASSERT_EQ(work.CancelNumbering(), Level::Benign);
    EXPECT_EQ(work.CancelNumbering(), Level::Benign) << "a second cancel has nothing to do";
    work.Close();
    EXPECT_EQ(t.count(FileId::arbeit), 1);
}

TEST(FileManagerNumbering, APlaceholderLeftBehindDoesNotBlockTheNextNewRecord)
{
    // Activity names are a unique key that the form fills in: a placeholder left behind by a
    // program that ended while its form was open must not stop every new activity.
    StoreFixture t;
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    EXPECT_EQ(t.records().get(ARB::ABEZ), "") << "the form still starts with a blank name";
    work.Close();
    t.records()[FileId::arbeit].clear();

    // Should numbering fail again, its question is answered No rather than tried for ever.
    t.presenter.answer(MessageButton::No);
    addWork(t, "Falzen");
    addWork(t, "Heften");
    EXPECT_EQ(t.count(FileId::arbeit), 3);
    EXPECT_EQ(workNames(t), (std::vector<std::string>{"Falzen", "Heften", "~1"}))
        << "the placeholder is marked with its number, not left blank";
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST(FileManagerNumbering, CancelDeletesThePlaceholderEvenAfterALookupInTheSameFile)
{
    StoreFixture t;
    addWork(t, "Falzen");
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    // The form looks up another record of its own file meanwhile.
    const std::uint16_t snapshot = work.TakeSnapshot();
    t.records().set(ARB::AAID, 1);
    ASSERT_EQ(work.FetchQuiet(ARB::Keyaaid), Level::Benign);
    work.RestoreSnapshot(snapshot);
    ASSERT_EQ(work.CancelNumbering(), Level::Benign);
    work.Close();
    EXPECT_EQ(workNames(t), std::vector<std::string>{"Falzen"});
}

TEST(FileManagerNumbering, FailingAttemptsAskWhetherToTryAgain)
{
    // A new record that keeps a description already in the file cannot be added as a
    // placeholder: ARB:Keyabez is unique.
    struct Case
    {
        const char *name;
        std::vector<int> answers;
        int questions;
    };
    const Case cases[] = {
        {"No at once", {MessageButton::No}, 1},
        {"Yes, then No", {MessageButton::Yes, MessageButton::No}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreFixture t;
        addWork(t, "Falzen");
        FileManager &work = t.fm(FileId::arbeit);
        work.Open();
        t.records()[FileId::arbeit].clear();
        t.records().set(ARB::ABEZ, "Falzen");
        for (int answer : c.answers)
            t.presenter.answer(answer);
        EXPECT_EQ(work.PrepareNewRecord(true), Level::Notify);
        ASSERT_EQ(t.presenter.shown.size(), static_cast<std::size_t>(c.questions));
        for (const auto &shown : t.presenter.shown) {
            EXPECT_EQ(shown.title, "Auto Increment Error");
            EXPECT_EQ(shown.text,
                      "Attempts to automatically number this record have failed.  Error: Creates "
                      "Duplicate Key (40). Try Again?");
        }
        EXPECT_EQ(work.threadState().AUTOINCDONE, 0);
        EXPECT_EQ(t.count(FileId::arbeit), 1);
        EXPECT_EQ(work.AssignNumberQuiet(), Level::Notify);
        EXPECT_EQ(t.presenter.shown.size(), static_cast<std::size_t>(c.questions))
            << "the quiet form does not ask";
        work.Close();
    }
}

TEST(FileManagerInsert, DuplicateDescriptionIsNamedAndTheBufferKept)
{
    StoreFixture t;
    addWork(t, "Schneiden", 10);
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    t.records().set(ARB::ABEZ, "Schneiden");
    t.records().set(ARB::APR, 12.5);
    t.records().set(ARB::AEINH, "Schnitt");
    const RecordBuffer asTyped = t.records()[FileId::arbeit];

    EXPECT_EQ(work.Insert(), Level::Notify);
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].title, "Duplicate Key Error");
    EXPECT_EQ(t.presenter.shown[0].text,
              "Adding this record creates a duplicate entry for the key: ARB:Keyabez");
    EXPECT_TRUE(t.records()[FileId::arbeit] == asTyped);

    // The user corrects the description and saves again, onto the same placeholder.
    t.records().set(ARB::ABEZ, "Schneiden klein");
    EXPECT_EQ(work.Insert(), Level::Benign);
    work.Close();
    EXPECT_EQ(workNames(t), (std::vector<std::string>{"Schneiden", "Schneiden klein"}));
}

TEST(FileManagerInsert, QuietInsertOnlyNotesTheDuplicate)
{
    StoreFixture t;
    addWork(t, "Rillen");
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    ASSERT_EQ(work.PrepareNewRecord(), Level::Benign);
    t.records().set(ARB::ABEZ, "Rillen");
    EXPECT_EQ(work.InsertQuiet(), Level::Notify);
    EXPECT_EQ(work.lastError(), 13);
    EXPECT_TRUE(t.presenter.shown.empty());
    ASSERT_EQ(work.ReportLastError(), Level::Notify);
    EXPECT_EQ(t.presenter.shown.at(0).title, "Duplicate Key Error");
    work.Close();
}

TEST(FileManagerInsert, InsertWithoutPlaceholderNumbersTheRecord)
{
    StoreFixture t;
    putWork(t, 4, "Bohren");
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    t.records()[FileId::arbeit].clear();
    t.records().set(ARB::ABEZ, "Heften");
    ASSERT_EQ(work.Insert(), Level::Benign);
    EXPECT_EQ(t.records().get(ARB::AAID), 5);
    EXPECT_EQ(t.records().get(ARB::ABEZ), "Heften");
    work.Close();
    EXPECT_EQ(workNames(t), (std::vector<std::string>{"Bohren", "Heften"}));
}

namespace {

// Another station on the same folder: its own engine and buffer.
void changeElsewhere(const std::filesystem::path &folder, std::int32_t number, double price)
{
    const auto stationEngine = makeEngine(DataLocation{folder});
    Engine &station = *stationEngine;
    RecordBuffer buffer(FileId::arbeit);
    const auto fileCursor = station.recordFile(FileId::arbeit, buffer);
    RecordFile &file = *fileCursor;
    ASSERT_EQ(file.open(), Result::Ok);
    buffer.set(ARB::AAID, number);
    ASSERT_EQ(file.get(ARB::Keyaaid.index), Result::Ok);
    buffer.set(ARB::APR, price);
    ASSERT_EQ(file.put(), Result::Ok);
}

} // namespace

TEST(FileManagerUpdate, ChangeByAnotherStationShowsItsVersion)
{
    struct Case
    {
        bool historyKey;
        const char *text;
    };
    const Case cases[] = {
        {false, "This record was changed by another station."},
        {true,
         "This record was changed by another station. Those changes will now be displayed. Use "
         "the Ditto Button or Ctrl+' to recall your changes."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.historyKey);
        StoreFixture t;
        addWork(t, "Stanzen", 20);
        FileManager &work = t.fm(FileId::arbeit);
        work.Open();
        work.Use(3);
        t.records().set(ARB::AAID, 1);
        work.handle().watch();
        ASSERT_EQ(work.FetchQuiet(ARB::Keyaaid), Level::Benign);

        changeElsewhere(t.folder.path(), 1, 99);

        t.records().set(ARB::APR, 25.0);
        EXPECT_EQ(work.Update(c.historyKey), Level::Notify);
        ASSERT_EQ(t.presenter.shown.size(), 1u);
        EXPECT_EQ(t.presenter.shown[0].title, "Record Was Not Updated");
        EXPECT_EQ(t.presenter.shown[0].text, c.text);
        EXPECT_EQ(t.records().get(ARB::APR), 99.0);
        EXPECT_EQ(t.records().get(ARB::ABEZ), "Stanzen");
        work.Close();
    }
}

TEST(FileManagerUpdate, UpdateWritesTheCurrentRecord)
{
    StoreFixture t;
    addWork(t, "Lochen", 3);
    addWork(t, "Nuten", 4);
    FileManager &work = t.fm(FileId::arbeit);
    work.Open();
    t.records().set(ARB::ABEZ, "Lochen");
    ASSERT_EQ(work.FetchQuiet(ARB::Keyabez), Level::Benign);
    t.records().set(ARB::ABEZ, "Nuten");
    EXPECT_EQ(work.Update(), Level::Notify) << "would duplicate Nuten";
    EXPECT_EQ(t.presenter.shown.at(0).title, "Record was not updated");
    t.records().set(ARB::ABEZ, "Lochen rund");
    EXPECT_EQ(work.Update(), Level::Benign);
    work.Close();
    EXPECT_EQ(workNames(t), (std::vector<std::string>{"Lochen rund", "Nuten"}));
}

namespace {

// Answers 43 for records whose description starts with "gesperrt", as a driver does for a
// record another station holds.
class HeldRecordHandle : public FileHandle
{
public:
    HeldRecordHandle(Engine &e, FileId f, RecordBuffer &b, const bool &held)
        : FileHandle(e, f, b)
        , m_held(held)
    {}
    int next() override { return held(FileHandle::next()); }
    int previous() override { return held(FileHandle::previous()); }

private:
    int held(int code)
    {
        if (m_held && code == Result::Ok && buffer().get(ARB::ABEZ).starts_with("gesperrt")) {
            engine().status() = {Result::RecordHeld, {}, {}};
            return Result::RecordHeld;
        }
        return code;
    }
    const bool &m_held;
};

} // namespace

TEST(FileManagerRead, HeldRecordsAreSkippedOrReported)
{
    for (const bool skip : {true, false}) {
        SCOPED_TRACE(skip ? "skipping" : "reporting");
        // Another station holds the record once all four are in.
        bool held = false;
        StoreFixture t([&held](Engine &e, FileId f, RecordBuffer &b) {
            return std::make_unique<HeldRecordHandle>(e, f, b, held);
        });
        addWork(t, "Anleimen");
        addWork(t, "Binden");
        addWork(t, "gesperrt Cellophanieren");
        addWork(t, "Drahtheften");
        held = true;
        FileManager &work = t.fm(FileId::arbeit);
        work.SKIPHELDRECORDS = skip ? 1 : 0;
        work.Open();
        work.startPass(ARB::Keyaaid);
        std::vector<std::string> read;
        int level;
        while ((level = work.Next()) == Level::Benign)
            read.push_back(t.records().get(ARB::ABEZ));
        EXPECT_EQ(level, Level::Notify);
        if (skip) {
            EXPECT_EQ(read, (std::vector<std::string>{"Anleimen", "Binden", "Drahtheften"}));
            EXPECT_TRUE(t.presenter.shown.empty());
            EXPECT_EQ(work.threadState().ATEOF, 1);
        } else {
            EXPECT_EQ(read, (std::vector<std::string>{"Anleimen", "Binden"}));
            ASSERT_EQ(t.presenter.shown.size(), 1u);
            EXPECT_EQ(t.presenter.shown[0].title, "Record not read");
            EXPECT_EQ(t.presenter.shown[0].text,
                      "A record held by another station was encountered reading from the arbeit "
                      "file.");
            EXPECT_EQ(work.threadState().ATEOF, 0);
        }
        work.Close();
    }
}
