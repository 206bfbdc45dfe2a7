// The order and filter texts a view manager builds from its sort orders, ranges and named
// filters, and the free key component a locator works on.

#include "viewfixture.h"

namespace {

using ViewTexts = ViewFixture;

TEST_F(ViewTexts, BuildsTheTextsOfEachRangeKind)
{
    struct Row
    {
        const char *name;
        FileId file;
        std::function<void(TestViewManager &, StoreFixture &)> setUp;
        const char *order;
        const char *filter;
        int freePosition;
        const char *freeName;
    };
    const Row rows[] = {
        {"no range",
         FileId::auftrag,
         [](TestViewManager &m, StoreFixture &) { m.AddOrdering(AUF::Keykuid); },
         "AUF:FKUID,AUF:FSTAT,-AUF:FDATUM",
         "",
         1,
         "AUF:FKUID"},
        {"kind 2, one pair",
         FileId::kaldruck,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KAD::Keyaufid);
             m.AddRangeLimit(KAD::KAUFID, "F1");
         },
         "KAD:KAUFID",
         "KAD:KAUFID = 'F1'",
         0,
         ""},
        {"kind 2, a quote in a value ignoring case",
         FileId::kunde,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KUN::Keykname);
             m.AddRangeLimit(KUN::KNAME, "O'Brien's");
         },
         "UPPER(KUN:KNAME)",
         "UPPER(KUN:KNAME) = UPPER('O''Brien''s')",
         0,
         ""},
        {"kind 2 on the second component takes the first from the buffer",
         FileId::kunde,
         [](TestViewManager &m, StoreFixture &t) {
             m.AddOrdering(KUN::Keykplz);
             m.AddRangeLimit(KUN::KORT, "Bonn");
             t.records().set(KUN::KPLZ, "53111");
         },
         "UPPER(KUN:KPLZ),UPPER(KUN:KORT)",
         "UPPER(KUN:KPLZ) = UPPER('53111') AND UPPER(KUN:KORT) = UPPER('Bonn')",
         0,
         ""},
        {"kind 2 with a number, on a field no key holds",
         FileId::kunde,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KUN::Keyid);
             m.AddRangeLimit(KUN::KRAB, 2.5);
         },
         "KUN:KID",
         "KUN:KRAB = 2.5",
         0,
         ""},
        {"kind 1, fixed values",
         FileId::kunde,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KUN::Keykort);
             m.SetFixedRange(KUN::KORT, {std::string("Bonn")});
         },
         "UPPER(KUN:KORT),UPPER(KUN:KPLZ)",
         "UPPER(KUN:KORT) = UPPER('Bonn')",
         2,
         "KUN:KPLZ"},
        {"kind 3 with three pairs",
         FileId::auftrag,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(AUF::Keykuid);
             m.SetRangeBetween(AUF::FSTAT, {"K1"}, "ANGEBOT", "RECHNUNG");
         },
         "AUF:FKUID,AUF:FSTAT,-AUF:FDATUM",
         "AUF:FKUID = 'K1' AND AUF:FSTAT >= 'ANGEBOT' AND AUF:FSTAT <= 'RECHNUNG'",
         3,
         "AUF:FDATUM"},
        {"kind 3 on days, the high one from a field",
         FileId::auftrag,
         [](TestViewManager &m, StoreFixture &t) {
             m.AddOrdering(AUF::Keystatus);
             m.SetRangeBetween(AUF::FDATUM, {"ANGEBOT"}, std::int32_t{81234}, AUF::FANDAT);
             t.records().set(AUF::FANDAT, rt::StdDate{81300});
         },
         "AUF:FSTAT,AUF:FDATUM",
         "AUF:FSTAT = 'ANGEBOT' AND AUF:FDATUM >= 81234 AND AUF:FDATUM <= 81300",
         0,
         ""},
        {"kind 4 from the order of the calculations",
         FileId::kaldruck,
         [](TestViewManager &m, StoreFixture &t) {
             m.AddOrdering(KAD::Keyaufid);
             m.AddRangeFromRelation(t.rk(FileId::auftrag), t.rk(FileId::kaldruck));
             t.records().set(AUF::FID, "F7");
         },
         "KAD:KAUFID",
         "KAD:KAUFID = 'F7'",
         0,
         ""},
        {"two named filters in the order of their ids, after the range",
         FileId::kaldruck,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KAD::Keyaufid);
             m.AddRangeLimit(KAD::KAUFID, "F1");
             m.SetNamedFilter("KAD:KGESAMTPR > 100", "9 Preis");
             m.DefineFilter("KAD:KABEZ = 'Flyer'");
         },
         "KAD:KAUFID",
         "KAD:KAUFID = 'F1' AND (KAD:KABEZ = 'Flyer') AND (KAD:KGESAMTPR > 100)",
         0,
         ""},
        {"a named filter set again with the empty text is gone",
         FileId::kunde,
         [](TestViewManager &m, StoreFixture &) {
             m.AddOrdering(KUN::Keyid);
             m.DefineFilter("KUN:KORT = 'Bonn'");
             m.DefineFilter("");
         },
         "KUN:KID",
         "",
         1,
         "KUN:KID"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        StoreFixture store;
        store.rk(row.file).Open();
        View view(store.rk(row.file));
        TestViewManager m;
        ASSERT_EQ(m.Init(view, store.rk(row.file)), Level::Benign);
        row.setUp(m, store);
        m.Open();
        EXPECT_EQ(view.orderText(), row.order);
        EXPECT_EQ(view.filterText(), row.filter);
        EXPECT_EQ(m.FreeElementPosition(), row.freePosition);
        EXPECT_EQ(m.FreeElementName(), row.freeName);
        EXPECT_TRUE(store.presenter.shown.empty()) << store.presenter.shown.front().text;
        if (std::string(row.filter).empty()) {
            EXPECT_TRUE(view.filter().empty());
        }
    }
}

TEST_F(ViewTexts, DefaultFilterSetAgainWithTheEmptyTextLeavesNoFilter)
{
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keyid);
    manager.DefineFilter("KUN:KORT = 'Bonn'");
    ASSERT_EQ(manager.currentOrder()->FILTER.size(), 1u);
    EXPECT_EQ(manager.currentOrder()->FILTER.front().ID, "5 Standard");
    manager.SetNamedFilter("", "5 Standard");
    EXPECT_TRUE(manager.currentOrder()->FILTER.empty());
    manager.BuildFilter();
    EXPECT_EQ(view->filterText(), "");
    EXPECT_TRUE(view->filter().empty());
}

TEST_F(ViewTexts, SelectingTheCurrentOrderChangesNothing)
{
    useView(FileId::kunde);
    EXPECT_FALSE(manager.SelectOrdering(1)); // no orders yet
    EXPECT_EQ(manager.AddOrdering(KUN::Keyid), 1);
    EXPECT_EQ(manager.AddOrdering(KUN::Keykname), 2);
    manager.DefineFilter("KUN:KORT = 'Bonn'");
    manager.Open();
    const std::string filter = view->filterText();

    EXPECT_EQ(manager.currentOrderNumber(), 2); // the one added last
    EXPECT_FALSE(manager.SelectOrdering(2));
    EXPECT_EQ(manager.currentOrderNumber(), 2);
    EXPECT_EQ(view->filterText(), filter);
    EXPECT_EQ(view->orderText(), "UPPER(KUN:KNAME)");

    EXPECT_TRUE(manager.SelectOrdering(0)); // 0 counts as 1
    EXPECT_EQ(manager.currentOrderNumber(), 1);
    EXPECT_FALSE(manager.SelectOrdering(1));
    EXPECT_FALSE(manager.SelectOrdering(3));
    EXPECT_EQ(manager.currentOrderNumber(), 1);
}

TEST_F(ViewTexts, RangeReportsAChangeOnlyWhenItsValuesChange)
{
    useView(FileId::kaldruck);
    manager.AddOrdering(KAD::Keyaufid);
    manager.AddRangeFromRelation(t.rk(FileId::auftrag), t.rk(FileId::kaldruck));
    t.records().set(AUF::FID, "F1");
    manager.Open();
    EXPECT_EQ(view->filterText(), "KAD:KAUFID = 'F1'");
    EXPECT_FALSE(manager.BuildRange());

    t.records().set(AUF::FID, "F2");
    EXPECT_TRUE(manager.BuildRange());
    EXPECT_EQ(view->filterText(), "KAD:KAUFID = 'F2'");
    EXPECT_FALSE(manager.BuildRange());
}

TEST_F(ViewTexts, TextsTheViewCannotReadAreReportedAndIgnored)
{
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keyid);
    manager.DefineFilter("KUN:KORT = 'Bonn' AND");
    manager.DefineOrder("KUN:KID,,KUN:KNAME");
    manager.Open();
    EXPECT_EQ(shownTitles(), (std::vector<std::string>{"View Open Error", "View Open Error"}));
    const std::string &text = t.presenter.shown.back().text;
    EXPECT_NE(text.find("attempting to open the current VIEW. Filter and Range Limits ignored."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("expected"), std::string::npos) << text; // the reason, as %ErrorText
    EXPECT_TRUE(view->filter().empty());
    // In the order of the key instead.
    const KeySpec key = KeySpec::ofKey(FileId::kunde, KUN::Keyid.index);
    ASSERT_EQ(view->order().parts.size(), key.parts.size());
    EXPECT_EQ(view->order().parts.front().field, key.parts.front().field);
}

TEST_F(ViewTexts, AFilterLongerThanTheViewTakesIsRefusedWhole)
{
    useView(FileId::kunde);
    manager.AddOrdering(KUN::Keyid);
    const std::string fits = "KUN:KORT = '" + std::string(4985, 'x') + "'";
    ASSERT_EQ(fits.size() + 2, 5000u); // in parentheses: just what the view takes
    manager.DefineFilter(fits);
    manager.Open();
    EXPECT_TRUE(t.presenter.shown.empty());
    EXPECT_FALSE(view->filter().empty());

    // Cut to 5000 characters it would still read, as a condition on another value.
    manager.DefineFilter(fits + " OR KUN:KID = '123'");
    manager.BuildFilter();
    EXPECT_EQ(shownTitles(), std::vector<std::string>{"View Open Error"});
    EXPECT_TRUE(view->filter().empty());
}

} // namespace
