// Other stations' writes are told: a committed write names its file to every other station
// that listens, once per file; a write that was rolled back, and the station's own writes,
// are not told.

#include "servertest.h"

#include "store/transaction.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

// What the listening station heard, after waiting on its socket for news up to `waitMs`.
std::vector<FileId> heard(Engine &engine, int waitMs = 3000)
{
    std::vector<FileId> files;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < end) {
        pollfd watched{engine.changeSocket(), POLLIN, 0};
        if (watched.fd >= 0)
            poll(&watched, 1, 50);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (const FileId file : engine.changedElsewhere())
            files.push_back(file);
        if (!files.empty() && waitMs > 0)
            break;
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct Stations
{
    Stations()
    {
        writer = place.engine();
        listener = place.engine();
        for (const FileId file : {FileId::kunde, FileId::auftrag}) {
            const auto made = writer->recordFile(file, writing[file]);
            EXPECT_EQ(made->create(), 0);
        }
        kunde = writer->recordFile(FileId::kunde, writing[FileId::kunde]);
        auftrag = writer->recordFile(FileId::auftrag, writing[FileId::auftrag]);
        EXPECT_EQ(kunde->open(), 0);
        EXPECT_EQ(auftrag->open(), 0);
        listener->listenForChanges();
        // Listening needs a connection; the listener's first step makes it.
        own = listener->recordFile(FileId::kunde, listening[FileId::kunde]);
        EXPECT_EQ(own->open(), 0);
        listener->listenForChanges();
        EXPECT_TRUE(listener->tellsChanges());
        EXPECT_GE(listener->changeSocket(), 0);
    }

    ServerPlace place;
    std::unique_ptr<Engine> writer;
    std::unique_ptr<Engine> listener;
    Records writing;
    Records listening;
    std::unique_ptr<RecordFile> kunde;
    std::unique_ptr<RecordFile> auftrag;
    std::unique_ptr<RecordFile> own;
};

TEST(ServerNotices, ACommittedWriteIsToldToTheOtherStationOncePerFile)
{
    Stations s;
    const struct
    {
        const char *name;
        std::function<void(Stations &)> write;
        std::vector<FileId> told;
    } cases[] = {
        {"an add",
         [](Stations &s) {
             s.writing.set(KUN::KAID, 1);
             ASSERT_EQ(s.kunde->add(), 0);
         },
         {FileId::kunde}},
        {"a put",
         [](Stations &s) {
             s.writing.set(KUN::KAID, 1);
             ASSERT_EQ(s.kunde->get(KUN::Keykaid.index), 0);
             s.writing.set(KUN::KNAME, "Druckerei Süd");
             ASSERT_EQ(s.kunde->put(), 0);
         },
         {FileId::kunde}},
        {"two files in one transaction, each written twice",
         [](Stations &s) {
             ASSERT_EQ(s.writer->addToTransaction(*s.kunde), 0);
             ASSERT_EQ(s.writer->addToTransaction(*s.auftrag), 0);
             Transaction t(*s.writer, 2);
             ASSERT_EQ(t.began(), 0);
             for (int i = 2; i <= 3; ++i) {
                 s.writing.set(KUN::KAID, i);
                 ASSERT_EQ(s.kunde->add(), 0);
                 s.writing.set(AUF::FAID, i);
                 s.writing.set(AUF::FID, "F" + std::to_string(i));
                 s.writing.set(AUF::FNR, "A-" + std::to_string(i));
                 ASSERT_EQ(s.auftrag->add(), 0);
             }
             ASSERT_EQ(t.commit(), 0);
         },
         {FileId::kunde, FileId::auftrag}},
        {"an erase",
         [](Stations &s) {
             s.writing.set(AUF::FAID, 2);
             ASSERT_EQ(s.auftrag->get(AUF::Keyfaid.index), 0);
             ASSERT_EQ(s.auftrag->erase(), 0);
         },
         {FileId::auftrag}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        c.write(s);
        EXPECT_EQ(heard(*s.listener), c.told);
        // Told once: nothing more comes.
        EXPECT_EQ(heard(*s.listener, 300), std::vector<FileId>{});
    }
}

TEST(ServerNotices, RolledBackAndOwnWritesAreNotTold)
{
    Stations s;
    {
        ASSERT_EQ(s.writer->addToTransaction(*s.kunde), 0);
        Transaction t(*s.writer, 2);
        ASSERT_EQ(t.began(), 0);
        s.writing.set(KUN::KAID, 7);
        ASSERT_EQ(s.kunde->add(), 0);
        // Leaves its scope without a commit: rolled back.
    }
    EXPECT_EQ(s.kunde->records(), 0);
    s.listening.set(KUN::KAID, 8);
    ASSERT_EQ(s.own->add(), 0);
    EXPECT_EQ(heard(*s.listener, 800), std::vector<FileId>{});
    // A write after them is told: the listener was listening all along.
    s.writing.set(KUN::KAID, 9);
    ASSERT_EQ(s.kunde->add(), 0);
    EXPECT_EQ(heard(*s.listener), std::vector<FileId>{FileId::kunde});
}

// A station whose connection broke (the server went away and came back) listens again on
// its new connection; what was written meanwhile may have gone unheard, so every file counts
// as changed once.
TEST(ServerNotices, AfterTheServerCameBackTheStationListensAgain)
{
    Stations s;
    ASSERT_TRUE(TestServer::instance().restart());
    // The listener's next step connects anew.
    EXPECT_EQ(s.own->records(), 0);
    const std::vector<FileId> afterRestart = heard(*s.listener);
    EXPECT_EQ(afterRestart.size(), kFileCount);
    s.writing.set(KUN::KAID, 1);
    ASSERT_EQ(s.kunde->add(), 0);
    EXPECT_EQ(heard(*s.listener), std::vector<FileId>{FileId::kunde});
}

// The embedded engine is one station's: it tells nothing.
TEST(ServerNotices, AFolderTellsNothing)
{
    TempFolder folder;
    const auto engine = makeEngine(DataLocation{folder.path()});
    engine->listenForChanges();
    EXPECT_FALSE(engine->tellsChanges());
    EXPECT_EQ(engine->changeSocket(), -1);
    EXPECT_TRUE(engine->changedElsewhere().empty());
}

} // namespace
