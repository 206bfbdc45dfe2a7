// Key order for every kind of key, and unique keys.

#include "enginetest.h"

#include <cstring>

namespace {

using KeysTest = EngineTest;

void addOrder(RecordFile &auftrag, int number, const char *customer, const char *status, int date)
{
    auftrag.clear();
    auftrag.buffer().set(AUF::FAID, number);
    auftrag.buffer().set(AUF::FNR, "N" + std::to_string(number));
    auftrag.buffer().set(AUF::FKUID, customer);
    auftrag.buffer().set(AUF::FSTAT, status);
    auftrag.buffer().set(AUF::FDATUM, date);
    ASSERT_EQ(auftrag.add(), 0) << number;
}

TEST_P(KeysTest, CustomerKeyGroupsByStatusNewestFirstStatusKeyOldestFirst)
{
    RecordFile &auftrag = file(FileId::auftrag);
    addOrder(auftrag, 1, "K2", "ANGEBOT", 80000);
    addOrder(auftrag, 2, "K1", "RECHNUNG", 80100);
    addOrder(auftrag, 3, "K1", "ANGEBOT", 80050);
    addOrder(auftrag, 4, "K1", "ANGEBOT", 80200);
    addOrder(auftrag, 5, "K1", "ANGEBOT", 80010);
    addOrder(auftrag, 6, "K1", "RECHNUNG", 80300);
    addOrder(auftrag, 7, "K1", "ANGEBOT", 80200); // same date as 4: after it

    auftrag.clear();
    auftrag.buffer().set(AUF::FKUID, "K1");
    auftrag.buffer().set(AUF::FDATUM, 99999); // a descending component starts at its highest
    ASSERT_EQ(auftrag.setKeyFrom(AUF::Keykuid.index), 0);
    std::vector<std::string> seen;
    while (auftrag.next() == 0 && auftrag.buffer().get(AUF::FKUID) == "K1")
        seen.push_back(auftrag.buffer().text(AUF::FAID.index));
    EXPECT_EQ(seen, (std::vector<std::string>{"4", "7", "3", "5", "6", "2"}));

    ASSERT_EQ(auftrag.setKeyStart(AUF::Keystatus.index), 0);
    EXPECT_EQ(forward(auftrag, AUF::FAID),
              (std::vector<std::string>{"1", "5", "3", "4", "7", "2", "6"}));
    ASSERT_EQ(auftrag.setKeyStart(AUF::Keystatus.index), 0);
    EXPECT_EQ(backward(auftrag, AUF::FAID),
              (std::vector<std::string>{"6", "2", "7", "4", "3", "5", "1"}));
}

TEST_P(KeysTest, MultiComponentKeysOrderByEachComponentInTurn)
{
    RecordFile &maschin = file(FileId::maschin);
    const char *const rows[][2] = {
        {"Heidelberg", "B2"}, {"GTO", "B3"}, {"Heidelberg", "B1"}, {"GTO", "B3"}, {"Adast", "A3"}};
    int number = 0;
    for (const auto &row : rows) {
        maschin.clear();
        maschin.buffer().set(MAS::MAID, ++number);
        maschin.buffer().set(MAS::MBEZ, row[0]);
        maschin.buffer().set(MAS::MFORM, row[1]);
        ASSERT_EQ(maschin.add(), 0);
    }
    ASSERT_EQ(maschin.setKeyStart(MAS::Keymbez.index), 0);
    EXPECT_EQ(forward(maschin, MAS::MAID), (std::vector<std::string>{"5", "2", "4", "3", "1"}));

    RecordFile &kunde = file(FileId::kunde);
    const char *const places[][2] = {{"Bonn", "53111"}, {"Aachen", "52062"}, {"Bonn", "53000"}};
    number = 0;
    for (const auto &place : places) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, ++number);
        kunde.buffer().set(KUN::KORT, place[0]);
        kunde.buffer().set(KUN::KPLZ, place[1]);
        ASSERT_EQ(kunde.add(), 0);
    }
    // The same two fields in opposite order.
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykort.index), 0);
    EXPECT_EQ(forward(kunde, KUN::KAID), (std::vector<std::string>{"2", "3", "1"}));
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykplz.index), 0);
    EXPECT_EQ(forward(kunde, KUN::KAID), (std::vector<std::string>{"2", "3", "1"}));
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykplz.index), 0);
    EXPECT_EQ(backward(kunde, KUN::KPLZ), (std::vector<std::string>{"53111", "53000", "52062"}));
}

TEST_P(KeysTest, DuplicatesStayInInsertionOrderAlsoAfterAnUpdate)
{
    RecordFile &papier = file(FileId::papier);
    const char *const names[] = {"Offset 80g", "Bilderdruck", "Offset 80g", "Offset 80g"};
    int number = 0;
    for (const char *name : names) {
        papier.clear();
        papier.buffer().set(PAP::APAP, ++number);
        papier.buffer().set(PAP::PBEZ, name);
        ASSERT_EQ(papier.add(), 0);
    }
    papier.clear();
    papier.buffer().set(PAP::PBEZ, "offset 80G");
    ASSERT_EQ(papier.get(PAP::Keypbez.index), 0);
    EXPECT_EQ(papier.buffer().get(PAP::APAP), 1);
    papier.buffer().set(PAP::PPR, 9.5);
    ASSERT_EQ(papier.put(), 0);

    ASSERT_EQ(papier.setKeyStart(PAP::Keypbez.index), 0);
    EXPECT_EQ(forward(papier, PAP::APAP), (std::vector<std::string>{"2", "1", "3", "4"}));
}

TEST_P(KeysTest, NoCaseKeysSortUmlautsWithTheirBaseLetter)
{
    RecordFile &kunde = file(FileId::kunde);
    const char *const names[] = {"Zander",
                                 "müller",
                                 "Muller",
                                 "MÜLLER",
                                 "Mahler",
                                 "Ärmel",
                                 "abel",
                                 "Östrem",
                                 "Oster",
                                 "Straße",
                                 "Strasse",
                                 "stroh"};
    int number = 0;
    for (const char *name : names) {
        kunde.clear();
        kunde.buffer().set(KUN::KAID, ++number);
        kunde.buffer().set(KUN::KNAME, name);
        ASSERT_EQ(kunde.add(), 0);
    }
    ASSERT_EQ(kunde.setKeyStart(KUN::Keykname.index), 0);
    EXPECT_EQ(forward(kunde, KUN::KNAME),
              (std::vector<std::string>{"abel",
                                        "Ärmel",
                                        "Mahler",
                                        "Muller",
                                        "müller",
                                        "MÜLLER",
                                        "Oster",
                                        "Östrem",
                                        "Strasse",
                                        "Straße",
                                        "stroh",
                                        "Zander"}));

    kunde.clear();
    kunde.buffer().set(KUN::KNAME, "MüLLer");
    ASSERT_EQ(kunde.get(KUN::Keykname.index), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "müller");

    kunde.clear();
    kunde.buffer().set(KUN::KNAME, "m");
    ASSERT_EQ(kunde.setKeyFrom(KUN::Keykname.index), 0);
    ASSERT_EQ(kunde.next(), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "Mahler");
}

struct UniqueCase
{
    FileId file;
    int key;
    int numberField;
    int textField;
    bool unique;
};

const UniqueCase kUniqueCases[] = {
    {FileId::arbeit, ARB::Keyabez.index, ARB::AAID.index, ARB::ABEZ.index, true},
    {FileId::satz, SAT::Keysbez.index, SAT::SAID.index, SAT::SBEZ.index, true},
    {FileId::transport, TRA::Keybez.index, TRA::TAID.index, TRA::TBEZ.index, true},
    {FileId::auftrag, AUF::Keyfnr.index, AUF::FAID.index, AUF::FNR.index, true},
    {FileId::papier, PAP::Keypbez.index, PAP::APAP.index, PAP::PBEZ.index, false},
};

TEST_P(KeysTest, UniqueKeysRefuseASecondEqualValueAndLeaveBufferAndFileUnchanged)
{
    for (const UniqueCase &c : kUniqueCases) {
        const FileDef &def = fileDef(c.file);
        SCOPED_TRACE(def.qualifiedKeyName(c.key));
        RecordFile &f = file(c.file);
        RecordBuffer &buffer = f.buffer();
        auto prime = [&](int number, const std::string &text) {
            f.clear();
            buffer.setValue(c.numberField, number);
            buffer.setValue(c.textField, text);
        };
        prime(1, "Falzen");
        ASSERT_EQ(f.add(), 0);
        prime(2, "Rillen");
        ASSERT_EQ(f.add(), 0);

        prime(3, "Falzen   ");
        EXPECT_EQ(f.duplicate(c.key), c.unique);
        const RecordBuffer before = buffer;
        EXPECT_EQ(f.add(), c.unique ? Result::DuplicateKey : Result::Ok);
        EXPECT_TRUE(buffer == before);
        EXPECT_EQ(f.records(), c.unique ? 2 : 3);

        // Changing the second record to the first one's value is refused the same way.
        prime(2, "Rillen");
        ASSERT_EQ(f.get(c.key), 0);
        buffer.setValue(c.textField, std::string("Falzen"));
        EXPECT_EQ(f.put(), c.unique ? Result::DuplicateKey : Result::Ok);
        prime(0, "Rillen");
        EXPECT_EQ(f.get(c.key), c.unique ? Result::Ok : Result::NoRecord);
        // Its own value is no duplicate of itself.
        if (c.unique) {
            EXPECT_FALSE(f.duplicate(c.key));
        }
    }
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(KeysTest);
