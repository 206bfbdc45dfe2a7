// The same names, with umlauts, ß, accents, mixed case and blanks, come out of a pass in the
// same order on the server as in the embedded engine, for the key that ignores case and for
// the one that does not (the id), in both directions.

#include "servertest.h"

#include "store/transaction.h"

#include <random>

namespace {

std::vector<std::string> names(std::size_t count)
{
    static const char *const first[]
        = {"Müller", "MÜLLER", "muller",  "Mueller", "Möller", "Moller",  "Maßmann",  "Massmann",
           "Öztürk", "Ozturk", "Äpfel",   "apfel",   "Ärger",  "Zöllner", "zoellner", "Éclair",
           "Eclair", "Straße", "STRASSE", "strasse", "Über",   "uber",    "Ubel",     "Ångström",
           "Œuvre",  "Bäcker", "Backer",  "bäcker",  "Daß",    "dass"};
    static const char *const second[] = {
        "", " GmbH", " & Co. KG", " Söhne", "-Druck", " Verlag", " ä", " A", "  Zwei  Blanks", "s"};
    std::mt19937 random(20261208);
    std::vector<std::string> all;
    all.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = first[random() % std::size(first)];
        name += second[random() % std::size(second)];
        if (random() % 4 == 0)
            name += ' ' + std::to_string(random() % 100);
        if (random() % 7 == 0)
            name = ' ' + name; // a leading blank counts as a character
        all.push_back(name);
    }
    return all;
}

// The customers' numbers in a pass along `key`, forward then backward, on an engine.
std::vector<int> passOrder(EnginePlace &place, const std::vector<std::string> &customers, int key)
{
    const auto engine = place.engine();
    Records records;
    const auto kunde = engine->recordFile(FileId::kunde, records[FileId::kunde]);
    EXPECT_EQ(kunde->create(), 0);
    EXPECT_EQ(kunde->open(), 0);
    {
        EXPECT_EQ(engine->addToTransaction(*kunde), 0);
        Transaction transaction(*engine, 2);
        for (std::size_t i = 0; i < customers.size(); ++i) {
            kunde->clear();
            kunde->buffer().set(KUN::KAID, static_cast<int>(i) + 1);
            kunde->buffer().set(KUN::KNAME, customers[i]);
            kunde->buffer().set(KUN::KORT, customers[customers.size() - 1 - i]);
            kunde->buffer().set(KUN::KID, customers[(i * 7) % customers.size()]);
            EXPECT_EQ(kunde->add(), 0);
        }
        EXPECT_EQ(transaction.commit(), 0);
    }
    std::vector<int> order;
    EXPECT_EQ(kunde->setKeyStart(key), 0);
    while (kunde->next() == Result::Ok)
        order.push_back(kunde->buffer().get(KUN::KAID));
    EXPECT_EQ(kunde->setKeyStart(key), 0);
    while (kunde->previous() == Result::Ok)
        order.push_back(kunde->buffer().get(KUN::KAID));
    return order;
}

TEST(ServerOrder, TenThousandNamesComeOutInTheSameOrderOnBothEngines)
{
    const std::vector<std::string> customers = names(10000);
    for (const KeyRef key : {KUN::Keykname, KUN::Keykort, KUN::Keyid}) {
        SCOPED_TRACE(fileDef(FileId::kunde).qualifiedKeyName(key.index));
        FolderPlace folder;
        ServerPlace server;
        const std::vector<int> embedded = passOrder(folder, customers, key.index);
        const std::vector<int> onServer = passOrder(server, customers, key.index);
        ASSERT_EQ(embedded.size(), 2 * customers.size());
        EXPECT_TRUE(embedded == onServer);
        // Where they part, the names there.
        for (std::size_t i = 0; i < embedded.size() && i < onServer.size(); ++i) {
            if (embedded[i] != onServer[i]) {
                ADD_FAILURE() << "at " << i << ": \"" << customers[embedded[i] - 1]
                              << "\" on the embedded engine, \"" << customers[onServer[i] - 1]
                              << "\" on the server";
                break;
            }
        }
    }
}

} // namespace
