// A hold is one server lock per record: records of different files, of different data sets, and
// with ids far apart never share one, also where ids grow beyond four thousand million.

#include "servertest.h"

#include "store/postgres/pgsql.h"

#include <set>
#include <tuple>

namespace {

TEST(HoldKeys, NoTwoRecordsShareALock)
{
    const std::int64_t ids[] = {1,
                                2,
                                0x7FFFFFFFLL,
                                0x80000000LL,
                                0xFFFFFFFFLL,
                                0x100000000LL,
                                0x100000001LL,
                                0x180000001LL,
                                (std::int64_t{1} << 40) + 1,
                                (std::int64_t{1} << 56) - 1};
    // Oids as the server hands them out, also beyond the signed range of its int4.
    const std::uint32_t oids[] = {16384, 20000, 0x7FFFFFF0u, 0x80000010u, 0xFFFFFFF0u};
    const FileId files[] = {FileId::papier, FileId::kunde, FileId::auftrag, FileId::kundeer};
    std::set<std::tuple<bool, std::int64_t, std::int64_t>> seen;
    std::size_t made = 0;
    for (std::size_t f = 0; f < std::size(files); ++f) {
        // Each file its own table oid, as on the server.
        for (const std::uint32_t oid : oids) {
            for (const std::int64_t id : ids) {
                const pgsql::HoldKey key
                    = pgsql::holdKey(oid + static_cast<std::uint32_t>(f), files[f], id);
                ASSERT_TRUE(key.valid) << id;
                if (key.pair) {
                    EXPECT_GE(key.first, INT32_MIN);
                    EXPECT_LE(key.first, INT32_MAX);
                    EXPECT_GE(key.second, INT32_MIN);
                    EXPECT_LE(key.second, INT32_MAX);
                }
                // Large ids are the same lock in every data set of one file; small ones are not.
                if (!key.pair && oid != oids[0])
                    continue;
                ++made;
                EXPECT_TRUE(seen.emplace(key.pair, key.first, key.second).second)
                    << "file " << f << " oid " << oid << " id " << id;
            }
        }
    }
    EXPECT_EQ(seen.size(), made);
    // No lock for ids the table never hands out.
    for (const std::int64_t id : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{1} << 56})
        EXPECT_FALSE(pgsql::holdKey(16384, FileId::kunde, id).valid) << id;
}

// On the server: records whose ids agree in their lower 32 bits, and records of two files
// with the same id, are held by two stations at once.
TEST(HoldKeys, RecordsWithIdsFarApartAreHeldApart)
{
    ServerPlace place;
    const auto first = place.engine();
    const auto second = place.engine();
    Records one;
    Records two;
    const auto kunde1 = first->recordFile(FileId::kunde, one[FileId::kunde]);
    const auto papier1 = first->recordFile(FileId::papier, one[FileId::papier]);
    ASSERT_EQ(kunde1->create(), 0);
    ASSERT_EQ(papier1->create(), 0);
    ASSERT_EQ(kunde1->open(), 0);
    ASSERT_EQ(papier1->open(), 0);
    one.set(KUN::KAID, 1);
    one.set(KUN::KID, "K1");
    ASSERT_EQ(kunde1->add(), 0); // id 1
    one.set(PAP::APAP, 1);
    ASSERT_EQ(papier1->add(), 0); // id 1 of another file
    {
        Client client(place.server());
        client.run("ALTER TABLE \"KUNDE\" ALTER COLUMN id RESTART WITH 4294967297");
    }
    one.set(KUN::KAID, 2);
    one.set(KUN::KID, "K2");
    ASSERT_EQ(kunde1->add(), 0); // id 2^32 + 1
    const auto kunde2 = second->recordFile(FileId::kunde, two[FileId::kunde]);
    const auto papier2 = second->recordFile(FileId::papier, two[FileId::papier]);
    ASSERT_EQ(kunde2->open(), 0);
    ASSERT_EQ(papier2->open(), 0);

    // The first station holds customer K1 (id 1).
    one.set(KUN::KAID, 1);
    ASSERT_EQ(kunde1->hold(), 0);
    ASSERT_EQ(kunde1->get(KUN::Keykaid.index), 0);
    // The other holds K2 (id 2^32 + 1) and the paper with id 1.
    two.set(KUN::KAID, 2);
    ASSERT_EQ(kunde2->hold(), 0);
    EXPECT_EQ(kunde2->get(KUN::Keykaid.index), 0);
    two.set(PAP::APAP, 1);
    ASSERT_EQ(papier2->hold(), 0);
    EXPECT_EQ(papier2->get(PAP::Keyapap.index), 0);
    // K2 held by the second is refused to the first (on a cursor of its own: a cursor holds
    // one record at a time).
    Records three;
    const auto kunde3 = first->recordFile(FileId::kunde, three[FileId::kunde]);
    ASSERT_EQ(kunde3->open(), 0);
    three.set(KUN::KAID, 2);
    ASSERT_EQ(kunde3->hold(), 0);
    EXPECT_EQ(kunde3->get(KUN::Keykaid.index), Result::RecordHeld);
    // And K1 stays held by the first.
    Records four;
    const auto kunde4 = second->recordFile(FileId::kunde, four[FileId::kunde]);
    ASSERT_EQ(kunde4->open(), 0);
    four.set(KUN::KAID, 1);
    ASSERT_EQ(kunde4->hold(), 0);
    EXPECT_EQ(kunde4->get(KUN::Keykaid.index), Result::RecordHeld);
}

} // namespace
