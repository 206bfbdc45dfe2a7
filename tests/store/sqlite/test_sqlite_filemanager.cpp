// The file manager at record files that the SQLite engine finds read-only, with a key's
// index gone or not a database at all.

#include "support/storefixture.h"

#include "store/sqlite/sqliteengine.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path pathOf(const StoreFixture &t, FileId file)
{
    return SqliteEngine::pathOf(t.folder.path(), file);
}

// Notes the options sent to the engine.
class SendRecordingHandle : public FileHandle
{
public:
    SendRecordingHandle(Engine &e, FileId f, RecordBuffer &b, std::vector<std::string> &sent)
        : FileHandle(e, f, b)
        , m_sent(sent)
    {}
    int send(std::string_view option) override
    {
        m_sent.emplace_back(option);
        return FileHandle::send(option);
    }

private:
    std::vector<std::string> &m_sent;
};

void addPaper(StoreFixture &t, const char *name)
{
    t.add(FileId::papier, [&](Records &r) { r.set(PAP::PBEZ, name); });
}

} // namespace

TEST(FileManagerOpen, ReadOnlyFileIsRetriedWithRecoveryThenOpenedReadOnly)
{
    std::vector<std::string> sent;
    StoreFixture t([&](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<SendRecordingHandle>(e, f, b, sent);
    });
    addPaper(t, "Offset 80g");
    t.store.reset();
    fs::permissions(pathOf(t, FileId::papier),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    t.restart([&](Engine &e, FileId f, RecordBuffer &b) {
        return std::make_unique<SendRecordingHandle>(e, f, b, sent);
    });

    FileManager &paper = t.fm(FileId::papier);
    paper.Open();
    ASSERT_EQ(paper.startPass(PAP::Keyapap), Result::Ok);
    EXPECT_EQ(sent, std::vector<std::string>{"Recover=10"});
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].title, "Access Denied");
    EXPECT_EQ(t.presenter.shown[0].text,
              "Could not get write access to papier so trying read-only.");
    EXPECT_EQ(paper.OPENMODE, 0x40) << "read-only, sharing kept";

    // The program goes on, reading.
    ASSERT_EQ(paper.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(PAP::PBEZ), "Offset 80g");
    // Writing is refused with a message, not a crash.
    t.records().set(PAP::PBEZ, "Offset 90g");
    EXPECT_EQ(paper.Update(), Level::Notify);
    EXPECT_EQ(t.presenter.shown.back().title, "Record was not updated");
    paper.Close();
}

TEST(FileManagerOpen, MissingKeysAreReportedAndRebuiltWithoutLosingRecords)
{
    StoreFixture t;
    addPaper(t, "Offset 80g");
    addPaper(t, "Karton 300g");
    t.store.reset();
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(pathOf(t, FileId::papier).c_str(), &db), SQLITE_OK);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(
            db,
            "SELECT name FROM sqlite_schema WHERE type = 'index' AND sql IS NOT NULL",
            -1,
            &st,
            nullptr);
        ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
        const std::string index = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        ASSERT_EQ(
            sqlite3_exec(db, ("DROP INDEX \"" + index + "\"").c_str(), nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }
    t.restart();

    FileManager &paper = t.fm(FileId::papier);
    paper.Open();
    ASSERT_EQ(paper.startPass(PAP::Keypbez), Result::Ok);
    ASSERT_EQ(t.presenter.titles(), std::vector<std::string>{"Invalid Key"});
    EXPECT_EQ(t.presenter.shown[0].text, "papier key file is invalid. Key must be rebuilt.");
    ASSERT_EQ(paper.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(PAP::PBEZ), "Karton 300g");
    ASSERT_EQ(paper.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(PAP::PBEZ), "Offset 80g");
    EXPECT_EQ(paper.Next(), Level::Notify);
    paper.Close();
}

TEST(FileManagerOpen, UnreadableFileEndsTheProgramWithFileAccessError)
{
    StoreFixture t;
    {
        std::ofstream garbage(pathOf(t, FileId::satz), std::ios::binary);
        garbage << std::string(4096, '\x5a');
    }
    FileManager &satz = t.fm(FileId::satz);
    satz.Open();
    EXPECT_THROW(satz.startPass(SAT::Keysbez), ProgramEnded);
    ASSERT_FALSE(t.presenter.shown.empty());
    EXPECT_EQ(t.presenter.shown.back().title, "File Access Error");
    EXPECT_NE(t.presenter.shown.back().text.find("File (satz) could not be opened."),
              std::string::npos);
    // The damaged file is left as it was for the user to rescue.
    EXPECT_EQ(fs::file_size(pathOf(t, FileId::satz)), 4096u);
}

namespace {

std::string bytesOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

// Another record file copied over this one: the keys cannot be rebuilt from it, yet it holds
// data. It is moved aside unchanged, the message says where, and an empty file takes its place.
TEST(FileManagerOpen, AFileWithForeignContentIsSetAsideNotReplaced)
{
    StoreFixture t;
    t.add(FileId::satz, [](Records &r) { r.set(SAT::SBEZ, "Satz einer Broschüre"); });
    addPaper(t, "Offset 80g");
    t.store.reset();
    const fs::path paperFile = pathOf(t, FileId::papier);
    fs::copy_file(pathOf(t, FileId::satz), paperFile, fs::copy_options::overwrite_existing);
    const std::string foreign = bytesOf(paperFile);
    ASSERT_FALSE(foreign.empty());
    t.restart();

    FileManager &paper = t.fm(FileId::papier);
    paper.Open();
    ASSERT_EQ(paper.startPass(PAP::Keypbez), Result::Ok);
    ASSERT_EQ(t.presenter.titles(),
              (std::vector<std::string>{"Invalid Key", "Datei beiseitegelegt"}));

    std::vector<fs::path> aside;
    for (const fs::directory_entry &entry : fs::directory_iterator(t.folder.path())) {
        if (entry.path().filename().string().starts_with(paperFile.filename().string()
                                                         + ".defekt-"))
            aside.push_back(entry.path());
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(bytesOf(aside[0]), foreign);
    const std::string &text = t.presenter.shown[1].text;
    EXPECT_NE(text.find("„papier“"), std::string::npos) << text;
    EXPECT_NE(text.find("von „" + paperFile.filename().string() + "“ in „"
                        + aside[0].filename().string() + "“ umbenannt"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(t.folder.path().string()), std::string::npos) << text;

    // The new file is empty and takes records.
    EXPECT_EQ(paper.Next(), Level::Notify);
    paper.Close();
    addPaper(t, "Karton 300g");
    EXPECT_EQ(bytesOf(aside[0]), foreign);
}

// An empty file holds nothing to keep: it is rebuilt in place, and nothing is set aside.
TEST(FileManagerOpen, AnEmptyFileIsRebuiltInPlace)
{
    StoreFixture t;
    addPaper(t, "Offset 80g");
    t.store.reset();
    {
        std::ofstream truncate(pathOf(t, FileId::papier), std::ios::binary | std::ios::trunc);
    }
    t.restart();

    FileManager &paper = t.fm(FileId::papier);
    paper.Open();
    ASSERT_EQ(paper.startPass(PAP::Keypbez), Result::Ok);
    EXPECT_EQ(t.presenter.titles(), std::vector<std::string>{"Invalid Key"});
    EXPECT_EQ(paper.Next(), Level::Notify);
    paper.Close();
    int files = 0;
    for ([[maybe_unused]] const fs::directory_entry &entry :
         fs::directory_iterator(t.folder.path()))
        files += entry.path().filename().string().find(".defekt-") != std::string::npos;
    EXPECT_EQ(files, 0);
}
