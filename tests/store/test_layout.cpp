#include "store/files.h"
#include "store/recordbuffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct FileRow
{
    FileId id;
    const char *label;
    const char *prefix;
    const char *stored;
    int recordBytes;
    int keys;
    const char *autoNumberedKey;
};

// The file table as the record layouts give it.
const FileRow kFileRows[] = {
    {FileId::papier, "papier", "PAP", "PAPIER", 429, 2, "Keyapap"},
    {FileId::maschin, "maschin", "MAS", "MASCHIN", 147, 2, "Keymaid"},
    {FileId::arbeit, "arbeit", "ARB", "ARBEIT", 89, 2, "Keyaaid"},
    {FileId::kaldruck, "kaldruck", "KAD", "KALDRUCK", 612, 2, "Keyadid"},
    {FileId::kunde, "kunde", "KUN", "KUNDE", 788, 5, "Keykaid"},
    {FileId::auftrag, "auftrag", "AUF", "AUFTRAG", 917, 6, "Keyfaid"},
    {FileId::drucktem, "drucktem", "DRU", "DRUCKTEM", 117, 2, "Keydadid"},
    {FileId::anach, "anach", "ANA", "ANACH", 111, 2, "Keydaid"},
    {FileId::atran, "atran", "ATR", "ATRAN", 111, 4, "Keytaid"},
    {FileId::aufpap, "aufpap", "APA", "AUFPAP", 146, 4, "Keyapaid"},
    {FileId::asatz, "asatz", "ASA", "ASATZ", 125, 3, "Keyasaid"},
    {FileId::satz, "satz", "SAT", "SATZ", 81, 2, "Keysaid"},
    {FileId::transport, "transport", "TRA", "TRANSPOR", 67, 2, "Keytaid"},
    {FileId::lieferant, "lieferant", "LIE", "LIEFERAN", 395, 4, "Keyliad"},
    {FileId::text, "text", "TEX", "TEXT", 265, 2, "Keyidtext"},
    {FileId::stamm, "stamm", "STA", "STAMM", 348, 1, "Keyistamm"},
    {FileId::firma, "firma", "FIR", "FIRMA", 635, 1, "Keyfiid"},
    {FileId::kundeer, "kundeer", "KER", "KUNDEER", 156, 2, "Keyeid"},
};

struct OffsetRow
{
    const char *qualifiedName;
    int offset;
    int bytes;
};

// A sample of every file's offsets, taken from the record layout tables.
const OffsetRow kOffsetRows[] = {
    {"PAP:PBEZ", 18, 35},      {"PAP:PFORM", 100, 10},    {"PAP:PEPR1", 165, 8},
    {"PAP:LIEF3FAX", 409, 20}, {"MAS:MFORM", 40, 3},      {"MAS:DZEINRIC", 139, 8},
    {"ARB:AEINH", 61, 12},     {"ARB:AZEIT", 81, 8},      {"KAD:EINFACH", 32, 4},
    {"KAD:KAMBEZ", 127, 22},   {"KAD:N1ANZ", 309, 8},     {"KAD:NGES", 453, 8},
    {"KAD:AEINH", 512, 15},    {"KAD:KGESAMTPR", 604, 8}, {"KUN:KRAB", 205, 3},
    {"KUN:KTEL", 208, 20},     {"KUN:KPGEB", 760, 4},     {"KUN:ANUMSATZ", 780, 8},
    {"AUF:FDATUM", 60, 4},     {"AUF:FANZEIT", 251, 4},   {"AUF:SKPROZ", 462, 3},
    {"AUF:RABPREIS", 465, 8},  {"AUF:TEINFO2", 847, 70},  {"DRU:DABEZ", 32, 85},
    {"ANA:ANGPR", 103, 8},     {"ATR:ATFAK", 87, 8},      {"APA:APSTCK", 130, 8},
    {"ASA:ASEINH", 105, 12},   {"SAT:SPR", 73, 8},        {"TRA:TFAK", 59, 8},
    {"LIE:LIPLZ", 173, 7},     {"LIE:LIHTTP", 335, 60},   {"TEX:SKOPR", 246, 3},
    {"TEX:ZAZIEL", 257, 8},    {"STA:REC", 52, 12},       {"STA:VERSZA2", 340, 8},
};

} // namespace

TEST(Layout, EveryFileMatchesTheFileTable)
{
    for (const FileRow &row : kFileRows) {
        const FileDef &def = fileDef(row.id);
        SCOPED_TRACE(row.label);
        EXPECT_STREQ(def.label, row.label);
        EXPECT_STREQ(def.prefix, row.prefix);
        EXPECT_STREQ(def.storedName, row.stored);
        EXPECT_EQ(def.recordSize, row.recordBytes);
        EXPECT_EQ(def.keyCount, row.keys);
        int autoKeys = 0;
        for (int k = 0; k < def.keyCount; ++k) {
            if (def.keys[k].autoNumber) {
                ++autoKeys;
                EXPECT_STREQ(def.keys[k].name, row.autoNumberedKey);
                EXPECT_TRUE(def.keys[k].unique);
            }
        }
        EXPECT_EQ(autoKeys, 1);
        int sum = 0;
        for (int f = 0; f < def.fieldCount; ++f) {
            EXPECT_EQ(def.fields[f].offset, sum);
            sum += def.fields[f].size;
        }
        EXPECT_EQ(sum, row.recordBytes);
        EXPECT_EQ(findFile(row.label), &def);
        EXPECT_EQ(findFile(row.prefix), &def);
    }
}

TEST(Layout, SampleOffsetsMatchTheRecordLayouts)
{
    for (const OffsetRow &row : kOffsetRows) {
        SCOPED_TRACE(row.qualifiedName);
        const std::string name = row.qualifiedName;
        const FileDef *def = findFile(name.substr(0, 3));
        ASSERT_NE(def, nullptr);
        const int index = def->fieldIndex(name);
        ASSERT_GE(index, 0);
        EXPECT_EQ(def->fields[index].offset, row.offset);
        EXPECT_EQ(def->fields[index].size, row.bytes);
        EXPECT_EQ(def->qualifiedFieldName(index), name);
    }
    EXPECT_EQ(KAD::KGESAMTPR.offset, 604);
    EXPECT_EQ(AUF::SKPROZ.offset, 462);
    EXPECT_EQ(AUF::SKPROZ.size, 3);
}

TEST(Layout, KeysHaveTheirComponentsInOrder)
{
    const KeyDef &kuid = AUF::kKeys[AUF::Keykuid.index];
    ASSERT_EQ(kuid.partCount, 3);
    EXPECT_EQ(kuid.parts[0].field, AUF::FKUID.index);
    EXPECT_EQ(kuid.parts[1].field, AUF::FSTAT.index);
    EXPECT_EQ(kuid.parts[2].field, AUF::FDATUM.index);
    EXPECT_FALSE(kuid.parts[1].descending);
    EXPECT_TRUE(kuid.parts[2].descending);
    EXPECT_FALSE(kuid.unique);

    const KeyDef &kort = KUN::kKeys[KUN::Keykort.index];
    const KeyDef &kplz = KUN::kKeys[KUN::Keykplz.index];
    EXPECT_EQ(kort.parts[0].field, kplz.parts[1].field);
    EXPECT_EQ(kort.parts[1].field, kplz.parts[0].field);
    EXPECT_TRUE(kort.noCase);

    for (const KeyRef key : {ARB::Keyabez, SAT::Keysbez, TRA::Keybez, AUF::Keyfnr})
        EXPECT_TRUE(fileDef(key.file).keys[key.index].unique);
    EXPECT_FALSE(PAP::kKeys[PAP::Keypbez.index].unique);
    EXPECT_EQ(fileDef(FileId::auftrag).qualifiedKeyName(AUF::Keykuid.index), "AUF:Keykuid");
    EXPECT_EQ(fileDef(FileId::atran).keyIndex("ATR:Kaufid"), ATR::Kaufid.index);
}

TEST(RecordBuffer, ClearSetsBlanksAndZeros)
{
    RecordBuffer b(FileId::kunde);
    b.set(KUN::KNAME, "Druckerei Meier");
    b.set(KUN::KAID, 17);
    b.set(KUN::REUMSATZ, 12.5);
    b.set(KUN::KPGEB, rt::dateFromYmd(1970, 5, 1));
    ASSERT_TRUE(b.set(KUN::KRAB, 5.0));
    b.clear();
    EXPECT_EQ(b.raw(KUN::KNAME), std::string(45, ' '));
    EXPECT_EQ(b.get(KUN::KAID), 0);
    EXPECT_EQ(b.get(KUN::REUMSATZ), 0.0);
    EXPECT_EQ(b.get(KUN::KPGEB), 0);
    EXPECT_EQ(b.get(KUN::KRAB), 0.0);
    EXPECT_EQ(b.text(KUN::KPGEB.index), "");
}

TEST(RecordBuffer, TextsAreCutPaddedAndReadWithoutTrailingBlanks)
{
    RecordBuffer b(FileId::text);
    b.set(TEX::TKEN, "ZAX");
    EXPECT_EQ(b.raw(TEX::TKEN), "ZA");
    b.set(TEX::TERL, "Skonto");
    EXPECT_EQ(b.raw(TEX::TERL), "Skonto" + std::string(24, ' '));
    EXPECT_EQ(b.get(TEX::TERL), "Skonto");
    b.set(TEX::TX1, "Zahlbar innerhalb 14 Tagen – ohne Abzug, Überweisung € ✓");
    EXPECT_EQ(b.get(TEX::TX1), "Zahlbar innerhalb 14 Tagen – ohne Abzug, Überweisung € ?");
    EXPECT_EQ(b.raw(TEX::TX1).size(), 70u);
}

TEST(RecordBuffer, DecimalRangeIsRefusedNeverWrapped)
{
    RecordBuffer b(FileId::kunde);
    struct Case
    {
        double value;
        bool accepted;
        double stored;
    };
    const Case cases[] = {
        {5.0, true, 5.0},
        {999.99, true, 999.99},
        {-999.99, true, -999.99},
        {12.345, true, 12.35},
        {1000.0, false, 12.35},
        {-1000.0, false, 12.35},
        {999.995, false, 12.35},
        {0.0, true, 0.0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(b.set(KUN::KRAB, c.value), c.accepted) << c.value;
        EXPECT_DOUBLE_EQ(b.get(KUN::KRAB), c.stored) << c.value;
    }
}

TEST(RecordBuffer, NumbersAndDatesKeepTheirBytes)
{
    RecordBuffer b(FileId::auftrag);
    b.set(AUF::FAID, 0x01020304);
    EXPECT_EQ(static_cast<unsigned char>(b.data()[0]), 0x04); // little-endian
    b.set(AUF::BRUTTO, 107.1);
    double stored = 0;
    std::memcpy(&stored, b.data() + 422, 8);
    EXPECT_EQ(stored, 107.1);
    b.set(AUF::FREDAT, rt::dateFromYmd(2026, 12, 7));
    EXPECT_EQ(static_cast<unsigned char>(b.data()[291]), 7);
    EXPECT_EQ(static_cast<unsigned char>(b.data()[292]), 12);
    EXPECT_EQ(b.get(AUF::FREDAT), rt::dateFromYmd(2026, 12, 7));
}

TEST(RecordBuffer, GenericValuesFollowTheFieldType)
{
    RecordBuffer b(FileId::auftrag);
    EXPECT_TRUE(b.setValue(AUF::FNR.index, FieldValue{std::string("A-17")}));
    EXPECT_FALSE(b.setValue(AUF::FNR.index, FieldValue{1.5}));
    EXPECT_TRUE(b.setValue(AUF::NETTO.index, FieldValue{std::int32_t{100}}));
    EXPECT_EQ(std::get<double>(b.value(AUF::NETTO.index)), 100.0);
    EXPECT_FALSE(b.setValue(AUF::SKPROZ.index, FieldValue{1000.0}));
    EXPECT_EQ(b.get(AUF::FNR), "A-17");
}

TEST(Records, OneBufferPerFile)
{
    Records r;
    r.set(PAP::PBEZ, "Bilderdruck 135 g");
    r.set(KAD::KAST, 4.0);
    EXPECT_EQ(r.get(PAP::PBEZ), "Bilderdruck 135 g");
    EXPECT_EQ(r[FileId::kaldruck].get(KAD::KAST), 4.0);
    r.clearAll();
    EXPECT_EQ(r.get(PAP::PBEZ), "");
}
