// Field values on their way into the columns and back: texts, dates, numbers; the order of
// keys that ignore case.

#include "enginetest.h"

#include "base/stddate.h"
#include "store/collation.h"

namespace {

using ValuesTest = EngineTest;

struct TextCase
{
    const char *name;
    std::string written; // UTF-8, as set into the buffer
    std::string column;  // what the column holds
};

// TRA:TBEZ is STRING(35).
const TextCase kTexts[] = {
    {"umlauts", "Größe Übergabe äöüß", "Größe Übergabe äöüß"},
    {"euro sign", "Pauschale 5 €", "Pauschale 5 €"},
    {"trailing blanks", "Kurier   ", "Kurier"},
    {"leading blanks kept", "  eingerückt", "  eingerückt"},
    {"longer than the field",
     "Spedition mit Hebebühne und Anlieferung Samstag",
     "Spedition mit Hebebühne und Anliefe"},
    {"umlauts at the cut",
     "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜ",
     "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüß"},
    {"not in the code page", "Ω-Lieferung", "?-Lieferung"},
    {"empty", "", ""},
};

TEST_F(ValuesTest, TextsAreCutPaddedStoredTrimmedInUtf8AndReadBack)
{
    RecordFile &transport = file(FileId::transport);
    int number = 0;
    for (const TextCase &t : kTexts) {
        SCOPED_TRACE(t.name);
        transport.clear();
        transport.buffer().set(TRA::TAID, ++number);
        transport.buffer().set(TRA::TBEZ, t.written);
        const std::string_view raw = transport.buffer().raw(TRA::TBEZ);
        ASSERT_EQ(raw.size(), 35u);
        ASSERT_EQ(transport.add(), 0) << engine.status().engineMessage;

        RawFile rawFile(engine.pathOf(FileId::transport));
        EXPECT_EQ(
            rawFile.column("SELECT TBEZ FROM TRANSPOR WHERE TAID = " + std::to_string(number)),
            std::vector<std::string>{t.column});

        transport.clear();
        transport.buffer().set(TRA::TAID, number);
        ASSERT_EQ(transport.get(TRA::Keytaid.index), 0);
        EXPECT_EQ(transport.buffer().get(TRA::TBEZ), t.column);
        EXPECT_EQ(transport.buffer().raw(TRA::TBEZ), raw) << "padding differs";
    }
}

TEST_F(ValuesTest, NumbersAndDatesKeepTheirValues)
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

    RawFile raw(engine.pathOf(FileId::kunde));
    EXPECT_EQ(raw.column("SELECT typeof(KPGEB) || ' ' || KPGEB || ' ' || typeof(RECH) || ' ' || "
                         "RECH || ' ' || typeof(KRAB) || ' ' || KRAB || ' ' || typeof(KNAME) || "
                         "' [' || KNAME || ']' FROM KUNDE"),
              std::vector<std::string>{"integer " + std::to_string(birthday)
                                       + " integer 0 real 12.35 text []"});

    kunde.clear();
    kunde.buffer().set(KUN::KAID, -7);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KPGEB), birthday);
    EXPECT_EQ(kunde.buffer().get(KUN::RECH), 0);
    EXPECT_EQ(kunde.buffer().text(KUN::RECH.index), "");
    EXPECT_DOUBLE_EQ(kunde.buffer().get(KUN::KRAB), 12.35);
    EXPECT_DOUBLE_EQ(kunde.buffer().get(KUN::REUMSATZ), 1234567.891);
}

TEST_F(ValuesTest, ValuesWrittenByAnotherClientAreReadIntoTheLayout)
{
    RecordFile &satz = file(FileId::satz);
    {
        RawFile raw(engine.pathOf(FileId::satz));
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
        const int result = collation::compareNoCase(c.a, c.b);
        const int sign = (result > 0) - (result < 0);
        EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
        const int reverse = collation::compareNoCase(c.b, c.a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

} // namespace
