// Two stations at one data folder, seen by the file managers and relation keepers: a watched
// record changed or deleted by the other station, and a line whose order the other station
// deleted. The other station is a process of its own (support/station.cpp).

#include "support/orderfamily.h"
#include "support/station.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orderfamily;

namespace {

// The record store of this station with customer K1 and its order F1 with one calculation;
// `file`'s record `id` fetched (by `key` on `field`) and watched, as a form opened for change
// has it.
struct Stations
{
    Stations()
    {
        customer(t, "K1", "Druckerei Nord");
        order(t, "F1", "K1", "A-100");
        calculation(t, "KA1", "F1");
    }

    void watch(FileId file, KeyRef key, StringField field, const std::string &id)
    {
        ASSERT_EQ(t.rk(file).Open(), Level::Benign);
        t.records()[file].clear();
        t.records().set(field, id);
        ASSERT_EQ(t.fm(file).FetchQuiet(key), Level::Benign);
        ASSERT_EQ(t.fm(file).Watch(), Level::Benign);
    }

    int otherStation(const std::vector<std::string> &arguments)
    {
        return runStation(t.folder.path(), arguments);
    }

    StoreFixture t;
};

TEST(TwoStations, AChangeOverAnotherStationsChangeIsRefusedAndShowsTheirs)
{
    struct Case
    {
        bool historyKey;
        std::string title;
        std::string textEnd;
    };
    const Case cases[] = {
        {false, "Record Was Not Updated", "changed by another station."},
        {true, "Record Was Not Updated", "to recall your changes."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.historyKey);
        Stations s;
        s.watch(FileId::kunde, KUN::Keyid, KUN::KID, "K1");
        ASSERT_EQ(s.otherStation({"rename-customer", "K1", "Druckerei Süd"}), 0);

        s.t.records().set(KUN::KTEL, "0431 1234");
        EXPECT_EQ(s.t.rk(FileId::kunde).Update(c.historyKey), Level::Notify);
        ASSERT_EQ(s.t.presenter.shown.size(), 1u);
        EXPECT_EQ(s.t.presenter.shown[0].title, c.title);
        EXPECT_TRUE(s.t.presenter.shown[0].text.ends_with(c.textEnd));
        EXPECT_EQ(s.t.presenter.shownInTransaction, 0);
        // The buffer shows the other station's record; the file keeps it.
        EXPECT_EQ(s.t.records().get(KUN::KNAME), "Druckerei Süd");
        EXPECT_EQ(s.t.records().get(KUN::KTEL), "");

        // Saved again, now over what the user has seen, the record is written.
        s.t.records().set(KUN::KTEL, "0431 1234");
        EXPECT_EQ(s.t.rk(FileId::kunde).Update(c.historyKey), Level::Benign);
        s.t.rk(FileId::kunde).Close();
        s.watch(FileId::kunde, KUN::Keyid, KUN::KID, "K1");
        EXPECT_EQ(s.t.records().get(KUN::KNAME), "Druckerei Süd");
        EXPECT_EQ(s.t.records().get(KUN::KTEL), "0431 1234");
    }
}

TEST(TwoStations, WatchingARecordThatIsGoneSaysSo)
{
    Stations s;
    ASSERT_EQ(s.t.rk(FileId::auftrag).Open(), Level::Benign);
    s.t.records().set(AUF::FID, "F1");
    ASSERT_EQ(s.t.fm(FileId::auftrag).FetchQuiet(AUF::Keyfid), Level::Benign);
    ASSERT_EQ(s.otherStation({"delete-order", "F1"}), 0);
    EXPECT_EQ(s.t.fm(FileId::auftrag).Watch(), Level::Notify);
    EXPECT_EQ(s.t.presenter.titles(), std::vector<std::string>{"Satz nicht mehr vorhanden"});
    s.t.rk(FileId::auftrag).Close();
}

TEST(TwoStations, ALineOfAnOrderTheOtherStationDeletedIsNotSaved)
{
    struct Case
    {
        const char *name;
        bool orderDeleted;
        std::string orderId;
        std::int64_t saved;
    };
    const Case cases[] = {
        {"order deleted meanwhile", true, "F1", 0},
        {"order still there", false, "F1", 1},
        {"a line of no order", true, "", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Stations s;
        if (c.orderDeleted) {
            ASSERT_EQ(s.otherStation({"delete-order", "F1"}), 0);
        }
        RelationKeeper &lines = s.t.rk(FileId::atran);
        ASSERT_EQ(lines.Open(), Level::Benign);
        ASSERT_EQ(s.t.fm(FileId::atran).PrepareNewRecord(), Level::Benign);
        s.t.records().set(ATR::ATAUFID, c.orderId);
        s.t.records().set(ATR::ATBEZ, "Kurier");
        EXPECT_EQ(lines.Insert(), c.saved ? Level::Benign : Level::Notify);
        // The form left without saving gives its number back, as on every cancel.
        if (!c.saved) {
            EXPECT_EQ(lines.CancelNumbering(), Level::Benign);
        }
        lines.Close();
        EXPECT_EQ(s.t.count(FileId::atran), c.saved);
        EXPECT_EQ(s.t.presenter.shownInTransaction, 0);
        if (!c.saved) {
            EXPECT_EQ(s.t.presenter.titles(), std::vector<std::string>{"Satz nicht gespeichert"});
            EXPECT_NE(s.t.presenter.shown[0].text.find("„auftrag“"), std::string::npos);
        } else {
            EXPECT_TRUE(s.t.presenter.shown.empty());
        }
    }
}

} // namespace
