// Opening record files: lazily, creating a missing file, falling back to read-only, repairing
// keys; and the set-up of every file's manager.

#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool hasRecordFiles(const StoreFixture &t)
{
    for (std::size_t i = 0; i < kFileCount; ++i) {
        if (t.exists(static_cast<FileId>(i)))
            return true;
    }
    return false;
}

void addPaper(StoreFixture &t, const char *name)
{
    t.add(FileId::papier, [&](Records &r) { r.set(PAP::PBEZ, name); });
}

} // namespace

TEST(FileManagerOpen, StartUpSetsUpEveryFileWithoutTouchingTheDisk)
{
    StoreFixture t;
    EXPECT_FALSE(hasRecordFiles(t));

    const std::vector<FileServices::Registration> &registry = t.store->files().registry();
    ASSERT_EQ(registry.size(), kFileCount);
    const char *order[]
        = {"papier", "maschin", "arbeit", "kaldruck", "kunde", "auftrag",   "drucktem",
           "anach",  "atran",   "aufpap", "asatz",    "satz",  "transport", "lieferant",
           "text",   "stamm",   "firma",  "kundeer",  "beleg", "zahlung",   "posten"};
    for (std::size_t i = 0; i < kFileCount; ++i) {
        EXPECT_EQ(registry[i].FILELABEL, order[i]);
        const FileManager &m = *registry[i].FILEMANAGER;
        EXPECT_EQ(m.FILENAMEVALUE, order[i]);
        EXPECT_EQ(m.OPENMODE, 0x42);
        EXPECT_EQ(m.LOCKRECOVER, 10);
        EXPECT_EQ(m.HASAUTOINC, 1) << order[i];
    }
    EXPECT_EQ(t.store->files().manager("KUNDE"), &t.fm(FileId::kunde));
}

TEST(FileManagerOpen, KeysAreDescribedAsRegistered)
{
    StoreFixture t;
    const FileManager &paper = t.fm(FileId::papier);
    ASSERT_EQ(paper.KEYS.size(), 2u);
    EXPECT_EQ(paper.KEYS[0].DESCRIPTION, "PAP:Keypbez");
    EXPECT_EQ(paper.KEYS[0].NOCASE, 1);
    EXPECT_EQ(paper.KEYS[0].DUPS, 1);
    EXPECT_EQ(paper.KEYS[0].AUTOINC, 0);
    EXPECT_EQ(paper.keyFieldNames(PAP::Keypbez), std::vector<std::string>{"UPPER(PAP:PBEZ)"});
    EXPECT_EQ(paper.KEYS[1].DESCRIPTION, "PAP:Keyapap");
    EXPECT_EQ(paper.KEYS[1].AUTOINC, 1);
    EXPECT_EQ(paper.KEYS[1].DUPS, 0);
    // A numeric component stays as it is even in a key that ignores case.
    EXPECT_EQ(paper.keyFieldNames(PAP::Keyapap), std::vector<std::string>{"PAP:APAP"});

    const FileManager &orders = t.fm(FileId::auftrag);
    EXPECT_EQ(orders.keyFieldCount(AUF::Keykuid), 3);
    EXPECT_EQ(orders.keyFieldNames(AUF::Keykuid),
              (std::vector<std::string>{"AUF:FKUID", "AUF:FSTAT", "AUF:FDATUM"}));
    EXPECT_EQ(orders.keyField(AUF::Keykuid, 3), AUF::FDATUM.index);
    EXPECT_EQ(orders.keyField(AUF::Keykuid, 4), -1);
    EXPECT_EQ(orders.KEYS[0].FIELDS[2].ASCEND, 0);
    EXPECT_EQ(orders.KEYS[0].FIELDS[0].ASCEND, 1);

    // Filters name fields only once the file has exposed them.
    FileManager &customers = t.fm(FileId::kunde);
    EXPECT_EQ(customers.exposedField("KUN:KNAME"), std::nullopt);
    customers.ExposeFields();
    EXPECT_EQ(customers.exposedField("kname"), std::optional<int>(KUN::KNAME.index));
    EXPECT_EQ(customers.exposedField("PAP:PBEZ"), std::nullopt);

    // kaldruck numbers its text id, not its first field.
    const FileManager &calc = t.fm(FileId::kaldruck);
    EXPECT_EQ(calc.KEYS[1].DESCRIPTION, "KAD:Keyadid");
    EXPECT_EQ(calc.KEYS[1].AUTOINC, 1);
    EXPECT_EQ(calc.KEYS[0].AUTOINC, 0);
}

TEST(FileManagerOpen, FirstOpenTouchesNoDiskAndFirstWriteCreatesTheFile)
{
    StoreFixture t;
    FileManager &paper = t.fm(FileId::papier);
    t.records().set(PAP::PBEZ, "Bilderdruck 135g");
    ASSERT_EQ(paper.Open(), Level::Benign);
    EXPECT_FALSE(t.exists(FileId::papier));
    EXPECT_EQ(paper.threadState().USED, 0);

    // The create happens inside the first record operation, which then goes on with the
    // buffer the caller had filled.
    ASSERT_EQ(paper.InsertQuiet(), Level::Benign);
    EXPECT_TRUE(t.exists(FileId::papier));
    EXPECT_EQ(paper.threadState().USED, 1);
    EXPECT_EQ(t.records().get(PAP::PBEZ), "Bilderdruck 135g");
    EXPECT_EQ(t.records().get(PAP::APAP), 1);
    paper.Close();
    EXPECT_EQ(paper.threadState().USED, 0);
    EXPECT_EQ(t.count(FileId::papier), 1);
    EXPECT_TRUE(t.presenter.shown.empty());
    // No other file came into being.
    EXPECT_FALSE(t.exists(FileId::kunde));
}

TEST(FileManagerOpen, FirstReadCreatesAnEmptyFile)
{
    StoreFixture t;
    FileManager &text = t.fm(FileId::text);
    text.Open();
    ASSERT_EQ(text.startPass(TEX::Keyidtext), Result::Ok);
    EXPECT_EQ(text.Next(), Level::Notify);
    EXPECT_EQ(text.threadState().ATEOF, 1);
    EXPECT_TRUE(t.exists(FileId::text));
    EXPECT_TRUE(t.presenter.shown.empty());
    text.Close();
}

TEST(FileManagerOpen, OpensAndClosesAreCounted)
{
    StoreFixture t;
    addPaper(t, "Offset 80g");
    FileManager &paper = t.fm(FileId::papier);
    paper.Open();
    paper.Open();
    paper.Use(2);
    EXPECT_EQ(paper.threadState().OPENED, 2);
    paper.Close();
    EXPECT_EQ(paper.threadState().USED, 1) << "still open once";
    paper.Close();
    EXPECT_EQ(paper.threadState().USED, 0);
    EXPECT_FALSE(paper.handle().isOpen());
    paper.Close(); // one close too many does nothing
    EXPECT_EQ(paper.threadState().OPENED, 0);
}

TEST(FileManagerOpen, UseBeforeOpenEndsTheProgram)
{
    StoreFixture t;
    t.store->errors().SetProcedure("Browsepapier");
    EXPECT_THROW(t.fm(FileId::papier).FetchQuiet(PAP::Keyapap), ProgramEnded);
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].title, "File Usage Error");
    EXPECT_EQ(t.presenter.shown[0].text,
              "Attempt to use file (papier) before it was opened  Press OK to end this "
              "application");
    EXPECT_EQ(t.presenter.endReason, "File Usage Error");
    EXPECT_FALSE(t.exists(FileId::papier));
}

namespace {

// A handle whose open and key rebuild answer as scripted.
class FailingOpenHandle : public FileHandle
{
public:
    FailingOpenHandle(Engine &e, FileId f, RecordBuffer &b, int openCode, int repairCode)
        : FileHandle(e, f, b)
        , m_openCode(openCode)
        , m_repairCode(repairCode)
    {}
    int open(std::uint8_t mode) override
    {
        if (m_openCode == Result::Ok)
            return FileHandle::open(mode);
        engine().status() = {m_openCode, {}, {}};
        return m_openCode;
    }
    int create() override { return fail(m_repairCode); }
    int rebuildKeys() override { return fail(m_repairCode); }

private:
    int fail(int code)
    {
        engine().status()
            = {code, code == Result::EngineError ? "13" : "", "database or disk is full"};
        return code;
    }
    int m_openCode;
    int m_repairCode;
};

} // namespace

TEST(FileManagerOpen, FailedRepairsEndTheProgram)
{
    struct Case
    {
        const char *name;
        int openCode;
        std::vector<std::string> titles;
        const char *lastText;
    };
    const Case cases[] = {
        {"keys cannot be rebuilt",
         Result::KeysInvalid,
         {"Invalid Key", "Key was not built"},
         "Error: (database or disk is full (13)) repairing key for stamm.  Press OK to end this "
         "application"},
        {"file cannot be created",
         Result::FileNotFound,
         {"File Creation Error"},
         "Error: (database or disk is full (13)) creating stamm.  Press OK to end this "
         "application"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StoreFixture t([&](Engine &e, FileId f, RecordBuffer &b) -> std::unique_ptr<FileHandle> {
            if (f == FileId::stamm)
                return std::make_unique<FailingOpenHandle>(
                    e, f, b, c.openCode, Result::EngineError);
            return std::make_unique<FileHandle>(e, f, b);
        });
        FileManager &stamm = t.fm(FileId::stamm);
        stamm.Open();
        EXPECT_THROW(stamm.FetchQuiet(STA::Keyistamm), ProgramEnded);
        EXPECT_EQ(t.presenter.titles(), c.titles);
        EXPECT_EQ(t.presenter.shown.back().text, c.lastText);
    }
}

TEST(FileManagerOpen, QuietOpenReportsNothing)
{
    StoreFixture t([&](Engine &e, FileId f, RecordBuffer &b) -> std::unique_ptr<FileHandle> {
        return std::make_unique<FailingOpenHandle>(e, f, b, Result::KeysInvalid, Result::Ok);
    });
    FileManager &stamm = t.fm(FileId::stamm);
    stamm.LAZYOPEN = 0;
    EXPECT_EQ(stamm.OpenQuiet(), Level::Notify);
    EXPECT_EQ(stamm.lastError(), 27);
    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_EQ(stamm.threadState().OPENED, 0);
}
