// Field values in the columns: texts in UTF-8 without trailing blanks, numbers and dates as
// their kinds; rows another client wrote; the order of keys that ignore case; key values in
// positions.

#include "sqlitetest.h"

#include "../storedtexts.h"

#include "base/stddate.h"
#include "store/foldedkey.h"
#include "store/recordposition.h"
#include "store/sqlite/rowcodec.h"

namespace {

using ValuesTest = SqliteTest;

TEST_F(ValuesTest, TextsAreStoredTrimmedInUtf8)
{
    RecordFile &transport = file(FileId::transport);
    int number = 0;
    for (const TextCase &t : kTexts) {
        SCOPED_TRACE(t.name);
        transport.clear();
        transport.buffer().set(TRA::TAID, ++number);
        transport.buffer().set(TRA::TBEZ, t.written);
        ASSERT_EQ(transport.add(), 0) << engine.status().engineMessage;

        RawFile rawFile(pathOf(FileId::transport));
        EXPECT_EQ(
            rawFile.column("SELECT TBEZ FROM TRANSPOR WHERE TAID = " + std::to_string(number)),
            std::vector<std::string>{t.stored});
    }
}

TEST_F(ValuesTest, NumbersAndDatesAreStoredAsTheirKinds)
{
    RecordFile &kunde = file(FileId::kunde);
    const rt::StdDate birthday = rt::dateFromYmd(1969, 7, 20);
    kunde.clear();
    kunde.buffer().set(KUN::KAID, -7);
    kunde.buffer().set(KUN::KPGEB, birthday);
    kunde.buffer().set(KUN::RECH, 0);
    ASSERT_TRUE(kunde.buffer().set(KUN::KRAB, 12.345));
    kunde.buffer().set(KUN::REUMSATZ, 1234567.891);
    ASSERT_EQ(kunde.add(), 0);

    RawFile raw(pathOf(FileId::kunde));
    EXPECT_EQ(raw.column("SELECT typeof(KPGEB) || ' ' || KPGEB || ' ' || typeof(RECH) || ' ' || "
                         "RECH || ' ' || typeof(KRAB) || ' ' || KRAB || ' ' || typeof(KNAME) || "
                         "' [' || KNAME || ']' FROM KUNDE"),
              std::vector<std::string>{"integer " + std::to_string(birthday)
                                       + " integer 0 real 12.35 text []"});
}

TEST_F(ValuesTest, ValuesWrittenByAnotherClientAreReadIntoTheLayout)
{
    RecordFile &satz = file(FileId::satz);
    {
        RawFile raw(pathOf(FileId::satz));
        ASSERT_EQ(raw.exec("INSERT INTO SATZ(SAID, SBEZ, SEINH, SPR) VALUES(1, "
                           "'Satz und Gestaltung einer Broschüre mit Bildern', 'Std', -0.5)"),
                  SQLITE_OK);
    }
    satz.buffer().set(SAT::SAID, 1);
    ASSERT_EQ(satz.get(SAT::Keysaid.index), 0);
    EXPECT_EQ(satz.buffer().get(SAT::SBEZ), "Satz und Gestaltung einer Broschüre");
    EXPECT_EQ(satz.buffer().get(SAT::SEINH), "Std");
    EXPECT_DOUBLE_EQ(satz.buffer().get(SAT::SPR), -0.5);
    EXPECT_EQ(satz.buffer().get(SAT::SID), "");
}

struct Comparison
{
    const char *a;
    const char *b;
    int sign;
};

const Comparison kNoCase[] = {
    {"müller", "MÜLLER", 0},
    {"Muller", "Müller", -1}, // equal letters: the accent comes after
    {"Müller", "Mulzer", -1}, // ü sorts as u
    {"Ärmel", "Apfel", 1},    // Ä sorts as A
    {"Ärmel", "Berg", -1},
    {"Östrem", "Oster", 1},
    {"Straße", "Strasse", 1}, // ß as ss
    {"Straße", "Strasze", -1},
    {"Éclair", "eclair", 1},
    {"Éclair", "éclair", 0},
    {"abc   ", "ABC", 0}, // trailing blanks do not count
    {"abc", "abcd", -1},
    {"", "a", -1},
    {"Zoo", "äpfel", 1},
    {"Œuvre", "oeuvre", 1},
    {"Müller", "Mörser", 1}, // the texts part inside a character
    {"Straßen", "Straße", 1},
    {"aä", "aÄ", 0},
};

TEST(NoCaseCollation, IgnoresCaseAndSortsUmlautsWithTheirBaseLetter)
{
    for (const Comparison &c : kNoCase) {
        const int result = foldedkey::compare(c.a, c.b);
        const int sign = (result > 0) - (result < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
        const int reverse = foldedkey::compare(c.b, c.a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

// A record's position is written from its bytes; it must read as the one written from its
// key values, whatever the texts hold: letters outside ASCII, every mark Windows-1252 has
// between 0x80 and 0x9F (its five gaps too), blanks before and after.
TEST(Positions, ARecordsPositionIsTheOneOfItsKeyValues)
{
    const FileDef &def = fileDef(FileId::papier);
    const KeySpec byName = KeySpec::ofKey(FileId::papier, PAP::Keypbez.index);
    const KeySpec byPriceDownThenName{{KeyPart{PAP::PPR_no, true}, KeyPart{PAP::PBEZ_no, false}}};
    const KeySpec byNumber{{KeyPart{PAP::APAP_no, false}}};

    const std::string names[] = {"P001",
                                 "Grün weiß",
                                 "\u0081\u008D\u008F\u0090\u009D",
                                 "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ",
                                 "  vorn und hinten  ",
                                 std::string(35, '%'),
                                 ""};
    for (const std::string &name : names) {
        RecordBuffer record(FileId::papier);
        record.set(PAP::APAP, -17);
        record.set(PAP::PBEZ, name);
        record.set(PAP::PPR, 1234.5678);
        for (const KeySpec *order : {&byName, &byPriceDownThenName, &byNumber}) {
            const std::vector<FieldValue> values = rowcodec::keyValues(def, *order, record.data());
            const std::string fromValues = recordposition::encode({42, "k0", values});
            EXPECT_EQ(rowcodec::encodePosition(42, "k0", def, *order, record.data()), fromValues)
                << name;
            recordposition::Position decoded;
            ASSERT_TRUE(recordposition::decode(fromValues, decoded)) << name;
            EXPECT_EQ(decoded.values, values) << name;
        }
    }
}

} // namespace
