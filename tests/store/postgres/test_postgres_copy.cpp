// A shop's data moves from its folder to the server and back: every file, every record,
// counted and checksummed, and a target that holds data is replaced only when asked.

#include "servertest.h"

#include "store/copydata.h"

#include <functional>

namespace {

void fill(EnginePlace &place)
{
    const auto engine = place.engine();
    Records records;
    const struct
    {
        FileId file;
        std::function<void(Records &, int)> set;
    } files[] = {
        {FileId::kunde,
         [](Records &r, int i) {
             r.set(KUN::KAID, i);
             r.set(KUN::KID, "K" + std::to_string(i));
             r.set(KUN::KNAME, i % 2 ? "Müller & Söhne " + std::to_string(i) : "Straße 5");
             r.set(KUN::KRAB, 2.5 * i);
         }},
        {FileId::auftrag,
         [](Records &r, int i) {
             r.set(AUF::FAID, i);
             r.set(AUF::FID, "F" + std::to_string(i));
             r.set(AUF::FNR, "A-" + std::to_string(i));
             r.set(AUF::FDATUM, 80000 + i);
         }},
        {FileId::papier,
         [](Records &r, int i) {
             r.set(PAP::APAP, i);
             r.set(PAP::PBEZ, "Offset " + std::to_string(i));
         }},
    };
    for (const auto &f : files) {
        const auto file = engine->recordFile(f.file, records[f.file]);
        ASSERT_EQ(file->create(), 0);
        ASSERT_EQ(file->open(), 0);
        for (int i = 1; i <= 25; ++i) {
            file->clear();
            f.set(records, i);
            ASSERT_EQ(file->add(), 0) << fileDef(f.file).label << " " << i;
        }
    }
}

// The customers' names in the order of the key that ignores case.
std::vector<std::string> customerNames(EnginePlace &place)
{
    const auto engine = place.engine();
    Records records;
    const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
    std::vector<std::string> names;
    EXPECT_EQ(kunde->open(), 0);
    EXPECT_EQ(kunde->setKeyStart(KUN::Keykname.index), 0);
    while (kunde->next() == 0)
        names.push_back(records.get(KUN::KNAME) + "|"
                        + records[FileId::kunde].text(KUN::KRAB.index));
    return names;
}

TEST(ServerCopy, AFolderMovesToTheServerAndBackWhole)
{
    FolderPlace folder;
    fill(folder);
    ServerPlace server;
    {
        const auto from = folder.engine();
        const auto to = server.engine();
        const CopyResult copied = copyData(*from, *to, false);
        ASSERT_TRUE(copied.ok) << copied.report;
        EXPECT_NE(copied.report.find("KUNDE: 25 Sätze"), std::string::npos) << copied.report;
        EXPECT_NE(copied.report.find("STAMM: 0 Sätze"), std::string::npos) << copied.report;
    }
    EXPECT_EQ(customerNames(server), customerNames(folder));

    {
        // A target with data stays as it is unless it is to be overwritten.
        const auto from = folder.engine();
        const auto to = server.engine();
        const CopyResult refused = copyData(*from, *to, false);
        EXPECT_FALSE(refused.ok);
        EXPECT_NE(refused.report.find("schon Daten"), std::string::npos) << refused.report;
        EXPECT_EQ(customerNames(server).size(), 25u);
        EXPECT_TRUE(copyData(*from, *to, true).ok);
        EXPECT_EQ(customerNames(server).size(), 25u);
    }

    FolderPlace back;
    {
        const auto from = server.engine();
        const auto to = back.engine();
        const CopyResult copied = copyData(*from, *to, false);
        ASSERT_TRUE(copied.ok) << copied.report;
    }
    EXPECT_EQ(customerNames(back), customerNames(folder));
}

} // namespace
