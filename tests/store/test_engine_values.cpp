// Field values on their way into the file and back: texts, dates, numbers.

#include "enginetest.h"
#include "storedtexts.h"

#include "base/stddate.h"

namespace {

using ValuesTest = EngineTest;

TEST_P(ValuesTest, TextsAreCutPaddedStoredTrimmedAndReadBack)
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

        transport.clear();
        transport.buffer().set(TRA::TAID, number);
        ASSERT_EQ(transport.get(TRA::Keytaid.index), 0);
        EXPECT_EQ(transport.buffer().get(TRA::TBEZ), t.stored);
        EXPECT_EQ(transport.buffer().raw(TRA::TBEZ), raw) << "padding differs";
    }
}

TEST_P(ValuesTest, NumbersAndDatesKeepTheirValues)
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

    kunde.clear();
    kunde.buffer().set(KUN::KAID, -7);
    ASSERT_EQ(kunde.get(KUN::Keykaid.index), 0);
    EXPECT_EQ(kunde.buffer().get(KUN::KPGEB), birthday);
    EXPECT_EQ(kunde.buffer().get(KUN::RECH), 0);
    EXPECT_EQ(kunde.buffer().text(KUN::RECH.index), "");
    EXPECT_DOUBLE_EQ(kunde.buffer().get(KUN::KRAB), 12.35);
    EXPECT_DOUBLE_EQ(kunde.buffer().get(KUN::REUMSATZ), 1234567.891);
    EXPECT_EQ(kunde.buffer().get(KUN::KNAME), "");
}

} // namespace

INSTANTIATE_ENGINE_CONTRACT(ValuesTest);
