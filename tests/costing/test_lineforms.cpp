// The line forms of an order offscreen on a real record store: priming, picks from the
// catalogues, the recomputed totals, the paper line's check, and how each line reaches the
// running sums of the open order or the stored totals of its own order.

#include "base/idbuilder.h"
#include "costing/forms/paperforms.h"
#include "costing/forms/servicelines.h"
#include "support/picklist.h"
#include "test_lineforms_fixture.h"

#include <QComboBox>

namespace {

using namespace Qt::Literals::StringLiterals;
using Call = CostingFormFixture::Call;
using Caller = CostingFormFixture::Caller;

constexpr int kOk = LineForm::kOk;
constexpr int kCancel = LineForm::kCancel;

void addOrder(CostingFormFixture &f, const std::string &id, double transport = 0, double extras = 0)
{
    f.add(FileId::auftrag, [&](Records &r) {
        r.set(AUF::FID, id);
        r.set(AUF::FNR, "NR-" + id);
        r.set(AUF::FSTAT, "ANGEBOT");
        r.set(AUF::TRANPR, transport);
        r.set(AUF::NACHPR, extras);
        r.set(AUF::NETTO, transport + extras);
    });
}

void addTransportLine(CostingFormFixture &f,
                      const std::string &id,
                      const std::string &order,
                      double total)
{
    f.add(FileId::atran, [&](Records &r) {
        r.set(ATR::ATID, id);
        r.set(ATR::ATAUFID, order);
        r.set(ATR::ATBEZ, "Kurier");
        r.set(ATR::ATPR, total);
        r.set(ATR::ATANZ, 1.0);
        r.set(ATR::ATFAK, 1.0);
        r.set(ATR::ATGPR, total);
    });
}

Caller fromOrderForm(const std::string &orderId, orders::OrderWorkingTotals totals = {})
{
    Caller caller;
    caller.currentOrderId = orderId;
    caller.totals = totals;
    caller.buffers = [orderId](Records &r) {
        r.set(AUF::FID, orderId);
    };
    return caller;
}

Caller fetching(KeyRef key, std::function<void(Records &)> setKey)
{
    Caller caller;
    caller.fetchKey = key;
    caller.buffers = std::move(setKey);
    return caller;
}

TEST(TransportLine, IsPrimedPickedAndCountedIntoTheOpenOrder)
{
    CostingFormFixture f;
    addOrder(f, "F1"); // the open order, which a line is saved for
    f.add(FileId::transport, [](Records &r) {
        r.set(TRA::TBEZ, "Spedition");
        r.set(TRA::TPR, 40.0);
        r.set(TRA::TEINH, "Palette");
        r.set(TRA::TFAK, 1.5);
    });
    orders::OrderWorkingTotals totals;
    totals.WorkTransport = 12;
    Call call;
    f.callForm("Updateatran", FileId::atran, Request::Insert, fromOrderForm("F1", totals), call);
    ProcWindow *form = f.form(u"Adding a atran Record"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(f.gui.text(form, Updateatran::kId).startsWith(u'T'));
    EXPECT_EQ(f.gui.text(form, Updateatran::kOrder), u"F1"_s);
    EXPECT_EQ(f.gui.text(form, Updateatran::kQuantity), u"1"_s);

    f.gui.type(form, Updateatran::kQuantity, u"3"_s);
    f.gui.chooseEntry(form, Updateatran::kPick, 1);
    EXPECT_EQ(f.gui.text(form, Updateatran::kDescription), u"Spedition"_s);
    EXPECT_EQ(f.gui.text(form, Updateatran::kUnit), u"Palette"_s);
    EXPECT_EQ(f.gui.text(form, Updateatran::kQuantity), u"3"_s) << "a pick keeps the quantity";
    EXPECT_EQ(f.gui.text(form, Updateatran::kTotal).trimmed(), u"180,00"_s);

    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_DOUBLE_EQ(call.totals.WorkTransport, 192);
    const RecordBuffer stored = f.only(ATR::Keytaid);
    EXPECT_EQ(stored.get(ATR::ATAUFID), "F1");
    EXPECT_DOUBLE_EQ(stored.get(ATR::ATGPR), 180);
    EXPECT_DOUBLE_EQ(stored.get(ATR::ATFAK), 1.5);
}

// Each line form recomputes its total on its own events: a typed price shows in the total of
// a transport line at once, in that of an additional-work line only on "Preis aktualisieren".
TEST(ServiceLines, TotalFollowsTheEventsEachFormRecomputesOn)
{
    struct Case
    {
        const char *name;
        const char *procedure;
        FileId file;
        QString title;
        int price;
        int total;
        int updateButton;
        QString afterTyping;
    };
    const Case cases[] = {
        {"transport",
         "Updateatran",
         FileId::atran,
         u"Adding a atran Record"_s,
         Updateatran::kPrice,
         Updateatran::kTotal,
         Updateatran::kUpdatePrice,
         u"25,00"_s},
        {"additional work",
         "Updateanach",
         FileId::anach,
         u"NEU Zusatzarbeiten"_s,
         Updateanach::kPrice,
         Updateanach::kTotal,
         Updateanach::kUpdatePrice,
         u"0,00"_s},
        {"typesetting",
         "Updateasatz",
         FileId::asatz,
         u"NEU   Satz- / Verarbeitungs- Kosten für   (New)"_s,
         Updateasatz::kPrice,
         Updateasatz::kTotal,
         0,
         u"25,00"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        Call call;
        f.callForm(c.procedure, c.file, Request::Insert, fromOrderForm("F1"), call);
        ProcWindow *form = f.form(c.title);
        ASSERT_NE(form, nullptr);
        f.gui.type(form, c.price, u"25"_s);
        EXPECT_EQ(f.gui.text(form, c.total).trimmed(), c.afterTyping);
        if (c.updateButton != 0) {
            f.gui.press(form, c.updateButton);
            EXPECT_EQ(f.gui.text(form, c.total).trimmed(), u"25,00"_s);
        }
        f.gui.press(form, kCancel);
        // The typed price is a change the window manager offers to save.
        ASSERT_TRUE(f.gui.answer(MessageButton::No).has_value());
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Cancelled);
    }
}

// Opening a line takes its total out of its running sum; leaving without OK puts it back,
// for new and for stored lines of every kind.
TEST(LineForms, LeavingWithoutOkLeavesTheRunningSumAsItWas)
{
    struct Case
    {
        const char *name;
        const char *procedure;
        FileId file;
        int request;
        KeyRef key; // each file's auto-numbered key, which names a stored line
    };
    const Case cases[] = {
        {"new paper line", "UpdateaufpapP", FileId::aufpap, Request::Insert, {}},
        {"stored paper line", "UpdateaufpapP", FileId::aufpap, Request::Change, APA::Keyapaid},
        {"new additional work", "Updateanach", FileId::anach, Request::Insert, {}},
        {"stored additional work", "Updateanach", FileId::anach, Request::Change, ANA::Keydaid},
        {"new transport", "Updateatran", FileId::atran, Request::Insert, {}},
        {"stored transport", "Updateatran", FileId::atran, Request::Change, ATR::Keytaid},
        {"new typesetting", "Updateasatz", FileId::asatz, Request::Insert, {}},
        {"stored typesetting", "Updateasatz", FileId::asatz, Request::Change, ASA::Keyasaid},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        // A stored line of 30.00, part of sums of 100.00.
        f.add(c.file, [&](Records &r) {
            r[c.file].setValue(1, std::string("X1"));
            r.set(APA::APAUFID, "F1");
            r.set(APA::APENDPR, 30.0);
            r.set(ANA::ANIDAUF, "F1");
            r.set(ANA::ANGPR, 30.0);
            r.set(ATR::ATAUFID, "F1");
            r.set(ATR::ATGPR, 30.0);
            r.set(ASA::ASAUFID, "F1");
            r.set(ASA::ASKADID, "K1");
            r.set(ASA::ASGPR, 30.0);
        });
        orders::OrderWorkingTotals totals;
        totals.WorkPaper = totals.WorkExtras = totals.WorkTransport = 100;
        Caller caller = fromOrderForm("F1", totals);
        caller.typesetting = 100;
        const auto orderOnly = caller.buffers;
        caller.buffers = [orderOnly](Records &r) {
            orderOnly(r);
            r.set(KAD::KAAID, "K1"); // the calculation form runs on the order form's thread
        };
        if (c.request == Request::Change) {
            const auto orderLink = caller.buffers;
            caller.buffers = [&, orderLink](Records &r) {
                orderLink(r);
                r[c.file].setValue(0, std::int32_t{1});
            };
            caller.fetchKey = c.key;
        }
        Call call;
        f.callForm(c.procedure, c.file, c.request, caller, call);
        ProcWindow *open = ProcWindow::openWindows().value(0);
        ASSERT_NE(open, nullptr);
        f.gui.press(open, kCancel);
        // A change asks whether to save; nothing was changed, so nothing is asked.
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Cancelled);
        EXPECT_DOUBLE_EQ(call.totals.WorkPaper, 100);
        EXPECT_DOUBLE_EQ(call.totals.WorkExtras, 100);
        EXPECT_DOUBLE_EQ(call.totals.WorkTransport, 100);
        EXPECT_DOUBLE_EQ(call.typesetting, 100);
    }
}

TEST(TypesettingLine, ChangedTotalMovesTheCalculationSumByTheDifference)
{
    CostingFormFixture f;
    f.add(FileId::asatz, [](Records &r) {
        r.set(ASA::ASID, "S1");
        r.set(ASA::ASAUFID, "F1");
        r.set(ASA::ASKADID, "K1");
        r.set(ASA::ASBEZ, "Satz");
        r.set(ASA::ASANZ, 2.0);
        r.set(ASA::ASPR, 35.0);
        r.set(ASA::ASFAK, 1.2);
        r.set(ASA::ASGPR, 84.0);
    });
    // Called from the calculation form, which holds its calculation in the buffer.
    Caller caller = fetching(ASA::Keyasaid, [](Records &r) {
        r.set(KAD::KAAID, "K1");
        r.set(KAD::KABEZ, "Flyer A5");
        r.set(ASA::ASAID, std::int32_t{1});
    });
    caller.typesetting = 100;
    Call call;
    f.callForm("Updateasatz", FileId::asatz, Request::Change, caller, call);
    ProcWindow *form = f.form(u"ÄNDERN Satz-/ Verarbeitgs-Kosten f.   (Flyer A5)"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, Updateasatz::kFactor, u"1"_s);
    f.gui.type(form, Updateasatz::kPrice, u"25"_s);
    EXPECT_EQ(f.gui.text(form, Updateasatz::kTotal).trimmed(), u"50,00"_s);
    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_DOUBLE_EQ(call.typesetting, 66);
    EXPECT_DOUBLE_EQ(f.only(ASA::Keyasaid).get(ASA::ASGPR), 50);
}

// Reached from its own list, a typesetting line moves the stored typesetting total of its
// calculation, the calculation's total price and the typesetting total of the order.
TEST(TypesettingLine, OutsideItsCalculationFormUpdatesTheStoredCalculationAndOrder)
{
    CostingFormFixture f;
    f.add(FileId::auftrag, [](Records &r) {
        r.set(AUF::FID, "F1");
        r.set(AUF::FNR, "NR-F1");
        r.set(AUF::DRUCPR, 100.0);
        r.set(AUF::PAPPR, 16.0);
        r.set(AUF::SATZPR, 84.0);
        r.set(AUF::NETTO, 200.0);
    });
    f.add(FileId::kaldruck, [](Records &r) {
        r.set(KAD::KAAID, "K1");
        r.set(KAD::KAUFID, "F1");
        r.set(KAD::KADRPR, 100.0);
        r.set(KAD::APENDPR, 16.0);
        r.set(KAD::ASGPR, 84.0);
        r.set(KAD::KGESAMTPR, 200.0);
    });
    f.add(FileId::asatz, [](Records &r) {
        r.set(ASA::ASID, "S1");
        r.set(ASA::ASAUFID, "F1");
        r.set(ASA::ASKADID, "K1");
        r.set(ASA::ASANZ, 2.0);
        r.set(ASA::ASPR, 42.0);
        r.set(ASA::ASFAK, 1.0);
        r.set(ASA::ASGPR, 84.0);
    });
    Caller caller = fetching(ASA::Keyasaid, [](Records &r) { r.set(ASA::ASAID, std::int32_t{1}); });
    caller.typesetting = 7;
    Call call;
    f.callForm("Updateasatz", FileId::asatz, Request::Change, caller, call);
    ProcWindow *form = f.form(u"ÄNDERN Satz-/ Verarbeitgs-Kosten f.   ()"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, Updateasatz::kPrice, u"25"_s);
    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_DOUBLE_EQ(call.typesetting, 7) << "no calculation form's sum to touch";
    const RecordBuffer calculation = f.only(KAD::Keyadid);
    EXPECT_DOUBLE_EQ(calculation.get(KAD::ASGPR), 50);
    EXPECT_DOUBLE_EQ(calculation.get(KAD::KGESAMTPR), 166);
    const RecordBuffer order = f.order("F1");
    EXPECT_DOUBLE_EQ(order.get(AUF::SATZPR), 50);
    EXPECT_DOUBLE_EQ(order.get(AUF::DRUCPR), 100);
    EXPECT_DOUBLE_EQ(order.get(AUF::NETTO), 166);
}

TEST(ExtrasLine, SetsTheSummaryTextOfTheOpenOrder)
{
    CostingFormFixture f;
    addOrder(f, "F1"); // the open order, which a line is saved for
    f.add(FileId::arbeit, [](Records &r) {
        r.set(ARB::ABEZ, "Schneiden auf Endformat und Bündeln");
        r.set(ARB::APR, 12.0);
        r.set(ARB::AEINH, "Std.");
        r.set(ARB::AFAKT, 1.0);
    });
    Call call;
    f.callForm("Updateanach", FileId::anach, Request::Insert, fromOrderForm("F1"), call);
    ProcWindow *form = f.form(u"NEU Zusatzarbeiten"_s);
    ASSERT_NE(form, nullptr);
    f.gui.chooseEntry(form, Updateanach::kPick, 1);
    EXPECT_EQ(f.gui.text(form, Updateanach::kTotal).trimmed(), u"12,00"_s);
    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_DOUBLE_EQ(call.totals.WorkExtras, 12);
    EXPECT_EQ(call.totals.WorkExtrasText, "(Schneiden auf Endformat un...etc.)");
}

TEST(PaperLine, PriceFollowsPiecesOrUnitsAndThePick)
{
    CostingFormFixture f;
    f.add(FileId::papier, [](Records &r) {
        r.set(PAP::PBEZ, "Offset weiß 90 g");
        r.set(PAP::PPR, 7.0);
        r.set(PAP::PVPE, 500.0);
        r.set(PAP::PEIN, "Ries");
        r.set(PAP::PFORM, "SRA3");
    });
    Call call;
    f.callForm("UpdateaufpapP", FileId::aufpap, Request::Insert, fromOrderForm("F1"), call);
    ProcWindow *form = f.form(u"NEUE PAPIER-AUSWAHL"_s);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kUnits), u"1,0000"_s);

    f.gui.chooseEntry(form, UpdateaufpapP::kPick, 1);
    EXPECT_TRUE(f.gui.grab(form, QStringLiteral("/tmp/tessaro_paperline.png")));
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kName), u"Offset weiß 90 g"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kFormat), u"SRA3"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kTotal).trimmed(), u"7,00"_s);

    f.gui.type(form, UpdateaufpapP::kPieces, u"2500"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kUnits), u"5,0000"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kTotal).trimmed(), u"35,00"_s);

    f.gui.type(form, UpdateaufpapP::kPieces, u"0"_s);
    f.gui.type(form, UpdateaufpapP::kPrice, u"20"_s);
    f.gui.type(form, UpdateaufpapP::kUnits, u"0,25"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kTotal).trimmed(), u"5,00"_s);
    EXPECT_EQ(f.gui.text(form, UpdateaufpapP::kPieces), u"0"_s);

    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_DOUBLE_EQ(call.totals.WorkPaper, 5);
    EXPECT_DOUBLE_EQ(f.only(APA::Keyapaid).get(APA::APENDPR), 5);
}

// Each pick list opens with its columns under the headings of the form, figures right-aligned
// and written the German way.
TEST(PickLists, ShowTheirColumnsUnderTheirHeadingsInGermanNotation)
{
    struct Case
    {
        const char *procedure;
        FileId file;
        QString title;
        int control;
        FileId catalogue;
        std::function<void(Records &)> entry;
        QStringList headings;
        QStringList row;
        QList<bool> rightAligned;
    };
    const Case cases[] = {
        {"Updateasatz",
         FileId::asatz,
         u"NEU   Satz- / Verarbeitungs- Kosten für   (New)"_s,
         Updateasatz::kPick,
         FileId::satz,
         [](Records &r) {
             r.set(SAT::SBEZ, "Satz nach Vorlage");
             r.set(SAT::SFAK, 1.5);
             r.set(SAT::SPR, 1234.5);
             r.set(SAT::SEINH, "Seite");
         },
         {u"Satz- Tätigkeit"_s, u"Faktor"_s, u"Preis/ EUR"_s},
         {u"Satz nach Vorlage"_s, u"1,50"_s, u"1.234,50"_s},
         {false, true, true}},
        {"Updateanach",
         FileId::anach,
         u"NEU Zusatzarbeiten"_s,
         Updateanach::kPick,
         FileId::arbeit,
         [](Records &r) {
             r.set(ARB::ABEZ, "Falzen");
             r.set(ARB::APR, 2345.6);
             r.set(ARB::AEINH, "je 1000");
         },
         {u"Tätigkeit"_s, u"Preis/ EUR"_s, u"je Einheit"_s},
         {u"Falzen"_s, u"2.345,60"_s, u"je 1000"_s},
         {false, true, false}},
        {"Updateatran",
         FileId::atran,
         u"Adding a atran Record"_s,
         Updateatran::kPick,
         FileId::transport,
         [](Records &r) {
             r.set(TRA::TBEZ, "Spedition");
             r.set(TRA::TPR, 1500.0);
             r.set(TRA::TEINH, "Palette");
         },
         {u"Transp.- Art"_s, u"Preis/ EUR"_s, u"je Einheit"_s},
         {u"Spedition"_s, u"1.500,00"_s, u"Palette"_s},
         {false, true, false}},
        {"UpdateaufpapP",
         FileId::aufpap,
         u"NEUE PAPIER-AUSWAHL"_s,
         UpdateaufpapP::kPick,
         FileId::papier,
         [](Records &r) {
             r.set(PAP::PBEZ, "Offset 80 g");
             r.set(PAP::PMAX, 1000.0);
             r.set(PAP::PMIN, 700.0);
             r.set(PAP::PPR, 19.9);
             r.set(PAP::PGEW, "80 g/m²");
         },
         {u"Papier - Bezeichng."_s, u"Max."_s, u"Min."_s, u"Preis/ EUR"_s, u"Gewicht"_s},
         {u"Offset 80 g"_s, u"1.000,0"_s, u"700,0"_s, u"19,90"_s, u"80 g/m²"_s},
         {false, true, true, true, false}},
        {"UpdatepapierR",
         FileId::papier,
         u"Neue Papier - Sorte"_s,
         UpdatepapierR::supplierControl(1, 2),
         FileId::lieferant,
         [](Records &r) {
             r.set(LIE::LINAME, "Papier Union");
             r.set(LIE::LIPLZ, "20095");
             r.set(LIE::LIORT, "Hamburg");
         },
         {u"Lieferant"_s, u"PLZ"_s, u"Ort"_s},
         {u"Papier Union"_s, u"20095"_s, u"Hamburg"_s},
         {false, false, false}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        CostingFormFixture f;
        f.add(c.catalogue, c.entry);
        Call call;
        f.callForm(c.procedure, c.file, Request::Insert, fromOrderForm("F1"), call);
        ProcWindow *form = f.form(c.title);
        ASSERT_NE(form, nullptr);
        const ShownPickList shown = shownPickList(form, c.control);
        EXPECT_EQ(shown.headings, c.headings);
        EXPECT_EQ(shown.rows, QList<QStringList>{c.row});
        EXPECT_EQ(shown.rightAligned, c.rightAligned);
        f.gui.press(form, kCancel);
        f.gui.answer(MessageButton::No);
        EXPECT_TRUE(call.returned);
    }
}

TEST(PaperLine, OkWithoutUnitNameIsRefusedAndCountsNothing)
{
    CostingFormFixture f;
    orders::OrderWorkingTotals totals;
    totals.WorkPaper = 50;
    Call call;
    f.callForm("UpdateaufpapP", FileId::aufpap, Request::Insert, fromOrderForm("F1", totals), call);
    ProcWindow *form = f.form(u"NEUE PAPIER-AUSWAHL"_s);
    ASSERT_NE(form, nullptr);
    f.gui.type(form, UpdateaufpapP::kPrice, u"10"_s);
    f.gui.type(form, UpdateaufpapP::kUnitName, u"   "_s);
    f.gui.press(form, kOk);
    EXPECT_EQ(f.messages.beeps, 1);

    const auto message = f.answerOk();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->title, u"U u p p s  !"_s);
    EXPECT_EQ(message->text, u"Bitte eine VPE Einheit\nz.B.  Blatt; Bogen usw. eingeben."_s);
    f.gui.settle();
    EXPECT_EQ(f.form(u"NEUE PAPIER-AUSWAHL"_s), form) << "the form stays open";
    EXPECT_EQ(form->focusControl(), UpdateaufpapP::kUnitName);

    f.gui.type(form, UpdateaufpapP::kUnitName, u"Ries"_s);
    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_DOUBLE_EQ(call.totals.WorkPaper, 60);
}

// A write that fails after OK has counted the line, followed by a second OK that succeeds,
// counts the line once.
TEST(TransportLine, SecondOkAfterAFailedWriteCountsOnce)
{
    CostingFormFixture f;
    addOrder(f, "F1"); // the open order, which a line is saved for
    rt::setFixedNow(rt::dateFromYmd(2026, 3, 2), rt::timeFromHms(9, 41, 7, 12));
    const std::string nextId = rt::IdBuilder::compose(
        "T", rt::dateFromYmd(2026, 3, 2), rt::timeFromHms(9, 41, 7, 12), 14);
    // Another station holds the id the form is about to give its line.
    addTransportLine(f, nextId, "F9", 1);
    orders::OrderWorkingTotals totals;
    totals.WorkTransport = 10;
    Call call;
    f.callForm("Updateatran", FileId::atran, Request::Insert, fromOrderForm("F1", totals), call);
    rt::clearFixedNow();
    ProcWindow *form = f.form(u"Adding a atran Record"_s);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(f.gui.text(form, Updateatran::kId), QString::fromStdString(nextId));
    f.gui.type(form, Updateatran::kPrice, u"20"_s);
    f.gui.press(form, kOk);
    ASSERT_FALSE(f.gui.openMessages().isEmpty()) << "the duplicate id is refused";
    f.answerOk();
    f.gui.settle();
    ASSERT_FALSE(call.returned);

    // The other station's line goes away; the second OK writes.
    FileManager &atran = f.store->fileManager(FileId::atran);
    RelationKeeper &keeper = f.store->relations(FileId::atran);
    keeper.Open();
    f.store->records().set(ATR::ATID, nextId);
    ASSERT_EQ(atran.FetchQuiet(ATR::Keytid), 0);
    ASSERT_EQ(keeper.Delete(false), Level::Benign);
    keeper.Close();

    f.gui.press(form, kOk);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_DOUBLE_EQ(call.totals.WorkTransport, 30);
}

// Reached from its own list, with no order form open or with another order's form open on the
// thread, a line goes into the stored totals of its own order, never into the working totals.
TEST(TransportLine, OutsideItsOrderFormUpdatesTheStoredOrder)
{
    struct Case
    {
        const char *name;
        std::string openOrder;
    };
    for (const Case &c : {Case{"no order form", ""}, Case{"another order's form", "F2"}}) {
        SCOPED_TRACE(c.name);
        CostingFormFixture f;
        addOrder(f, "F1", 10);
        addTransportLine(f, "T1", "F1", 10);
        orders::OrderWorkingTotals open;
        open.WorkTransport = 5;
        Caller caller = fetching(ATR::Keytid, [](Records &r) { r.set(ATR::ATID, "T1"); });
        caller.currentOrderId = c.openOrder;
        caller.totals = open;
        Call call;
        f.callForm("Updateatran", FileId::atran, Request::Change, caller, call);
        ProcWindow *form = f.form(u"Changing a atran Record"_s);
        ASSERT_NE(form, nullptr);
        f.gui.type(form, Updateatran::kQuantity, u"4"_s);
        f.gui.press(form, kOk);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        EXPECT_DOUBLE_EQ(call.totals.WorkTransport, 5) << "the open form's sums stay";
        const RecordBuffer order = f.order("F1");
        EXPECT_DOUBLE_EQ(order.get(AUF::TRANPR), 40);
        EXPECT_DOUBLE_EQ(order.get(AUF::NETTO), 40);
        EXPECT_DOUBLE_EQ(order.get(AUF::BRUTTO), 47.6);
    }
}

TEST(LineForms, DeleteRequestDeletesAtOnceWithoutAsking)
{
    struct Case
    {
        const char *procedure;
        FileId file;
        KeyRef key;
    };
    const Case cases[] = {
        {"UpdateaufpapP", FileId::aufpap, APA::Keyapaid},
        {"Updateanach", FileId::anach, ANA::Keydaid},
        {"Updateatran", FileId::atran, ATR::Keytaid},
        {"Updateasatz", FileId::asatz, ASA::Keyasaid},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        CostingFormFixture f;
        // Ids of their own: line ids are unique where the file keys them.
        f.add(c.file, [&](Records &r) { r[c.file].setValue(1, std::string("X1")); });
        f.add(c.file, [&](Records &r) { r[c.file].setValue(1, std::string("X2")); });
        // The first field of every line file is its automatic number.
        Caller caller
            = fetching(c.key, [&](Records &r) { r[c.file].setValue(0, std::int32_t{1}); });
        Call call;
        f.callForm(c.procedure, c.file, Request::Delete, caller, call);
        ASSERT_TRUE(call.returned);
        EXPECT_EQ(call.response, Response::Completed);
        EXPECT_TRUE(f.gui.openMessages().isEmpty());
        EXPECT_TRUE(ProcWindow::openWindows().isEmpty()) << "no form was shown";
        EXPECT_EQ(f.rows(c.key).size(), 1u);
    }
}

TEST(ExtrasLine, DeletedFromItsListLeavesItsStoredOrder)
{
    CostingFormFixture f;
    addOrder(f, "F1", 0, 50);
    f.add(FileId::anach, [](Records &r) {
        r.set(ANA::ANID, "N1");
        r.set(ANA::ANIDAUF, "F1");
        r.set(ANA::ANBEZ, "Falzen");
        r.set(ANA::ANGPR, 20.0);
    });
    Call call;
    f.callForm("Updateanach",
               FileId::anach,
               Request::Delete,
               fetching(ANA::Keydaid, [](Records &r) { r.set(ANA::ANAID, std::int32_t{1}); }),
               call);
    ASSERT_TRUE(call.returned);
    EXPECT_EQ(call.response, Response::Completed);
    EXPECT_TRUE(f.rows(ANA::Keydaid).empty());
    EXPECT_DOUBLE_EQ(f.order("F1").get(AUF::NACHPR), 30);
    EXPECT_DOUBLE_EQ(f.order("F1").get(AUF::NETTO), 30);
}

// A change request opens the form under its change caption, showing the stored line.
TEST(LineForms, ChangeRequestShowsTheChangeCaption)
{
    struct Case
    {
        const char *procedure;
        FileId file;
        KeyRef key;
        QString caption;
        int description;
    };
    const Case cases[] = {
        {"UpdateaufpapP",
         FileId::aufpap,
         APA::Keyapaid,
         u"ÄNDERN PAPIER-AUSWAHL"_s,
         UpdateaufpapP::kName},
        {"Updateanach",
         FileId::anach,
         ANA::Keydaid,
         u"ÄNDERN Zusatzarbeiten"_s,
         Updateanach::kDescription},
        {"Updateatran",
         FileId::atran,
         ATR::Keytaid,
         u"Changing a atran Record"_s,
         Updateatran::kDescription},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.procedure);
        CostingFormFixture f;
        f.add(c.file, [&](Records &r) {
            r[c.file].setValue(1, std::string("X1"));
            r.set(APA::APBEZ, "Stored");
            r.set(ANA::ANBEZ, "Stored");
            r.set(ATR::ATBEZ, "Stored");
        });
        Call call;
        f.callForm(c.procedure,
                   c.file,
                   Request::Change,
                   fetching(c.key, [&](Records &r) { r[c.file].setValue(0, std::int32_t{1}); }),
                   call);
        ProcWindow *form = f.form(c.caption);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(f.gui.text(form, c.description), u"Stored"_s);
        f.gui.press(form, kCancel);
        EXPECT_TRUE(call.returned);
    }
}

} // namespace
