// Reading views over real record files: ranges, filters, the record check, joined files,
// restarts and new records within the range.

#include "viewfixture.h"

namespace {

using Names = std::vector<std::string>;

class ViewReading : public ViewFixture
{
protected:
    void customers(const Names &names)
    {
        int n = 0;
        for (const std::string &name : names)
            orderfamily::customer(t, "K" + std::to_string(++n), name);
    }

    void dated(const std::string &id, const std::string &status, rt::StdDate day)
    {
        t.add(FileId::auftrag, [&](Records &r) {
            r.set(AUF::FID, id);
            r.set(AUF::FNR, id); // unique
            r.set(AUF::FSTAT, status);
            r.set(AUF::FDATUM, day);
        });
    }

    // Calculations of two orders, added in turns.
    void calculations()
    {
        orderfamily::calculation(t, "KA1", "F1");
        orderfamily::calculation(t, "KB1", "F2");
        orderfamily::calculation(t, "KA2", "F1");
        orderfamily::calculation(t, "KA3", "F1");
        orderfamily::calculation(t, "KB2", "F2");
    }
};

TEST_F(ViewReading, RangeOnTheOrderReturnsOnlyItsCalculationsInKeyOrder)
{
    calculations();
    useView(FileId::kaldruck);
    manager.AddOrdering(KAD::Keyaufid);
    manager.AddRangeLimit(KAD::KAUFID, "F1");

    ASSERT_EQ(manager.ResetToStart(), Level::Benign);
    EXPECT_EQ(readAll(KAD::KAAID), (Names{"KA1", "KA2", "KA3"}));
    EXPECT_EQ(manager.Next(), Level::Notify);
    ASSERT_EQ(manager.ResetToStart(), Level::Benign);
    EXPECT_EQ(readAll(KAD::KAAID, false), (Names{"KA3", "KA2", "KA1"}));

    ASSERT_EQ(manager.ReadFirst(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KA1");
    ASSERT_EQ(manager.ReadLast(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KA3");
    EXPECT_EQ(manager.RecordCount(), std::nullopt); // a filtered view is not counted
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(ViewReading, RangeFromTheRelationFollowsTheParentRecord)
{
    calculations();
    useView(FileId::kaldruck);
    manager.AddOrdering(KAD::Keyaufid);
    manager.AddRangeFromRelation(t.rk(FileId::auftrag), t.rk(FileId::kaldruck));
    t.records().set(AUF::FID, "F2");
    manager.ResetToStart();
    EXPECT_EQ(readAll(KAD::KAAID), (Names{"KB1", "KB2"}));

    t.records().set(AUF::FID, "F1");
    ASSERT_TRUE(manager.BuildRange());
    manager.ResetToStart();
    EXPECT_EQ(readAll(KAD::KAAID, false), (Names{"KA3", "KA2", "KA1"}));
}

TEST_F(ViewReading, BetweenLowAndHigh)
{
    for (int day = 100; day <= 106; ++day)
        dated("A" + std::to_string(day), "ANGEBOT", day);
    dated("R103", "RECHNUNG", 103);
    useView(FileId::auftrag);
    manager.AddOrdering(AUF::Keystatus);
    manager.SetRangeBetween(AUF::FDATUM, {"ANGEBOT"}, std::int32_t{102}, std::int32_t{104});

    manager.ResetToStart();
    EXPECT_EQ(readAll(AUF::FID), (Names{"A102", "A103", "A104"}));
    manager.ResetToStart();
    EXPECT_EQ(readAll(AUF::FID, false), (Names{"A104", "A103", "A102"}));
}

TEST_F(ViewReading, AFilterThatCannotBeReadIsReportedAndTheViewReadsUnfiltered)
{
    customers({"Abel", "Bauer", "Meier"});
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykname);
    manager.DefineFilter("KUN:KNAME = 'Bauer' OR");
    manager.ResetToStart();
    EXPECT_EQ(shownTitles(), Names{"View Open Error"});
    EXPECT_EQ(readAll(KUN::KNAME), (Names{"Abel", "Bauer", "Meier"}));
    EXPECT_EQ(manager.RecordCount(), 3);

    // Mended, the filter counts again.
    manager.DefineFilter("KUN:KNAME = 'Bauer' OR KUN:KNAME = 'Meier'");
    manager.BuildFilter();
    manager.ResetToStart();
    EXPECT_EQ(readAll(KUN::KNAME, false), (Names{"Meier", "Bauer"}));
}

TEST_F(ViewReading, CheckRecordSkipsAndStops)
{
    customers({"Abel", "Bauer", "Claus", "Dorn", "Engel"});
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykname);
    manager.check = [this] {
        const std::string name = t.records().get(KUN::KNAME);
        return name == "Bauer" ? 2 : name == "Dorn" ? 1 : 0;
    };
    manager.ResetToStart();
    EXPECT_EQ(readAll(KUN::KNAME), (Names{"Abel", "Claus"}));
    manager.ResetToStart();
    EXPECT_EQ(readAll(KUN::KNAME, false), (Names{"Engel"}));
}

TEST_F(ViewReading, RestartsAtARecordInEitherDirection)
{
    customers({"Abel", "Bauer", "Claus", "Dorn"});
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykname);
    manager.ResetToStart();
    manager.Next();
    manager.Next();
    const std::string bauer = manager.Position();
    manager.Next();

    ASSERT_EQ(manager.ResetToPosition(bauer), Level::Benign);
    EXPECT_EQ(readAll(KUN::KNAME), (Names{"Bauer", "Claus", "Dorn"}));
    ASSERT_EQ(manager.ResetToPosition(bauer), Level::Benign);
    EXPECT_EQ(readAll(KUN::KNAME, false), (Names{"Bauer", "Abel"}));

    ASSERT_EQ(manager.Fetch(bauer), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Bauer");
    EXPECT_EQ(manager.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Claus");
}

TEST_F(ViewReading, PositionsOnALocatorValue)
{
    customers({"Abel", "bauer", "Meier", "müller", "Zander"});
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykname);
    t.records().set(KUN::KNAME, "kept");

    ASSERT_EQ(manager.ResetToLocator(std::string("M")), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "kept");
    EXPECT_EQ(readAll(KUN::KNAME), (Names{"Meier", "müller", "Zander"}));
    ASSERT_EQ(manager.ResetToLocator(std::string("n")), Level::Benign);
    EXPECT_EQ(readAll(KUN::KNAME, false), (Names{"müller", "Meier", "bauer", "Abel"}));
}

TEST_F(ViewReading, LocatorValueStaysWithinTheRange)
{
    const std::pair<const char *, const char *> places[] = {{"Bonn", "53111"},
                                                            {"Köln", "53112"},
                                                            {"bonn", "53175"},
                                                            {"Bonn", "53113"},
                                                            {"Bad Honnef", "53604"}};
    int n = 0;
    for (const auto &[town, code] : places) {
        t.add(FileId::kunde, [&](Records &r) {
            r.set(KUN::KID, "K" + std::to_string(++n));
            r.set(KUN::KORT, town);
            r.set(KUN::KPLZ, code);
        });
    }
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykort);
    manager.AddRangeLimit(KUN::KORT, "BONN");
    EXPECT_EQ(manager.FreeElementName(), "KUN:KPLZ");

    ASSERT_EQ(manager.ResetToLocator(std::string("5312")), Level::Benign);
    EXPECT_EQ(readAll(KUN::KPLZ), (Names{"53175"}));
    ASSERT_EQ(manager.ResetToLocator(std::string("5312")), Level::Benign);
    EXPECT_EQ(readAll(KUN::KPLZ, false), (Names{"53113", "53111"}));
}

TEST_F(ViewReading, PositionsOnTheRecordInTheBuffer)
{
    customers({"Meier", "Meier", "Meier", "Zander"});
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keykname);

    // The file's current record among equal names.
    t.records().set(KUN::KID, "K2");
    ASSERT_EQ(t.fm(FileId::kunde).FetchQuiet(KUN::Keyid), Level::Benign);
    ASSERT_EQ(manager.ResetToBuffer(), Level::Benign);
    ASSERT_EQ(manager.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KID), "K2");

    // A name no record has: the next one in the order.
    t.records()[FileId::kunde].clear();
    t.records().set(KUN::KNAME, "Schulz");
    ASSERT_EQ(manager.ResetToBuffer(), Level::Benign);
    ASSERT_EQ(manager.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KUN::KNAME), "Zander");
}

TEST_F(ViewReading, JoinedParentsAreFilledForEachRecord)
{
    orderfamily::customer(t, "K1", "Druckerei Abel");
    orderfamily::customer(t, "K2", "Verlag Bauer");
    orderfamily::order(t, "F1", "K1", "A-100");
    orderfamily::order(t, "F2", "K2", "A-200");
    orderfamily::order(t, "F3", "K9", "A-300");
    orderfamily::calculation(t, "KA1", "F1");
    orderfamily::calculation(t, "KC1", "F3");
    orderfamily::calculation(t, "KB1", "F2");

    t.rk(FileId::kaldruck).Open();
    View view(t.rk(FileId::kaldruck));
    ASSERT_TRUE(view.Join(t.rk(FileId::auftrag)));
    ASSERT_TRUE(view.Join(t.rk(FileId::kunde))); // through the order
    EXPECT_FALSE(view.Join(t.rk(FileId::papier)));
    TestViewManager m;
    ASSERT_EQ(m.Init(view, t.rk(FileId::kaldruck)), Level::Benign);
    m.AddOrdering(KAD::Keyadid);

    Names rows;
    m.ResetToStart();
    while (m.Next() == Level::Benign) {
        rows.push_back(t.records().get(KAD::KAAID) + " " + t.records().get(AUF::FNR) + " "
                       + t.records().get(KUN::KNAME));
    }
    EXPECT_EQ(rows, (Names{"KA1 A-100 Druckerei Abel", "KB1 A-200 Verlag Bauer", "KC1 A-300 "}));
}

TEST_F(ViewReading, ReadingGoesOnWhereItWasAfterAnotherPassTookTheFile)
{
    calculations();
    useView(FileId::kaldruck);
    manager.AddOrdering(KAD::Keyaufid);
    manager.AddRangeLimit(KAD::KAUFID, "F1");
    View otherView(t.rk(FileId::kaldruck));
    TestViewManager other;
    ASSERT_EQ(other.Init(otherView, t.rk(FileId::kaldruck)), Level::Benign);
    other.AddOrdering(KAD::Keyaufid);
    other.AddRangeLimit(KAD::KAUFID, "F2");

    FileManager &file = t.fm(FileId::kaldruck);
    manager.ResetToStart();
    other.ResetToStart();
    ASSERT_EQ(manager.Next(), Level::Benign);
    // A lookup pass of the file manager, then a saved state given back.
    std::uint16_t state = file.SaveState();
    file.startPass(KAD::Keyadid);
    file.NextQuiet();
    file.RestoreState(state);
    ASSERT_EQ(manager.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KA2");
    // Another view over the same file in between.
    ASSERT_EQ(other.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KB1");
    ASSERT_EQ(manager.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KA3");
    EXPECT_EQ(manager.Next(), Level::Notify);
    ASSERT_EQ(other.Next(), Level::Benign);
    EXPECT_EQ(t.records().get(KAD::KAAID), "KB2");
}

TEST_F(ViewReading, NewRecordCarriesTheRangeValuesAndIsNumbered)
{
    orderfamily::transportLine(t, "T1", "F1");
    orderfamily::transportLine(t, "T2", "F2");
    useView(FileId::atran);
    manager.AddOrdering(ATR::Kaufid);
    manager.AddRangeFromRelation(t.rk(FileId::auftrag), t.rk(FileId::atran));
    t.records().set(AUF::FID, "F2");
    manager.Open();
    t.records().set(AUF::FID, "F9"); // the view stands on F2
    t.records().set(ATR::ATBEZ, "left over");

    ASSERT_EQ(manager.PrepareNewRecord(), Level::Benign);
    EXPECT_EQ(t.records().get(ATR::ATAUFID), "F2");
    EXPECT_EQ(t.records().get(ATR::ATAID), 3);
    EXPECT_EQ(t.records().get(ATR::ATBEZ), "");
    EXPECT_EQ(t.count(FileId::atran), 3);

    t.records().set(ATR::ATID, "T9"); // unique
    ASSERT_EQ(manager.PrepareNewRecord(true), Level::Benign);
    EXPECT_EQ(t.records().get(ATR::ATAID), 4);
    EXPECT_EQ(t.records().get(ATR::ATID), "T9");
    EXPECT_EQ(t.records().get(ATR::ATAUFID), "F2");
}

} // namespace
