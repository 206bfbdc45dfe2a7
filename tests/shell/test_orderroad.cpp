// The road of a typical order, driven offscreen through the program's own procedures on real
// record files: the customer list, the customer changed in its form, a new order from the
// customer's order list, a print calculation with its machine, paper and typesetting line, an
// additional-work and a transport line, payment terms, and OK on every window. The stored
// order must then carry the totals worked out by hand from the catalogue and the typed job.
// Besides, the ids that forms of different kinds hand out at one moment.

#include "base/idbuilder.h"
#include "base/stddate.h"
#include "costing/forms/kaldruck.h"
#include "costing/forms/servicelines.h"
#include "framework/appcontext.h"
#include "framework/listcontrol.h"
#include "framework/pagepreview.h"
#include "framework/procwindow.h"
#include "framework/report/listreport.h"
#include "framework/report/pagequeue.h"
#include "orders/core/issueddocuments.h"
#include "orders/core/openitems.h"
#include "orders/forms/customerform.h"
#include "orders/forms/orderform.h"
#include "orders/forms/paymentform.h"
#include "shell/listreports/listreporttable.h"
#include "shell/lists/listprocedure.h"
#include "shell/procedures.h"
#include "store/files.h"
#include "store/inifile.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"
#include "store/threadrecords.h"
#include "support/guiharness.h"
#include "support/pdftext.h"
#include "support/pgserver.h"
#include "support/scriptedpresenter.h"
#include "support/storefixture.h"

#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace Qt::Literals::StringLiterals;
namespace K = KaldruckControl;
using C = CustomerForm;
using O = OrderForm;

// Monday, 7 December 2026, 10:00.
const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);

// The record store of a folder whose settings file names a fresh data set on the test
// program's database server, as a shop's does.
std::unique_ptr<StoreContext> storeOnServer(const TempFolder &folder, MessagePresenter &messages)
{
    const std::filesystem::path path = folder.path() / std::string(IniManager::DefaultFileName);
    IniFile ini = IniFile::load(path);
    ini.set("Datenbank", "Engine", "PostgreSQL");
    ini.set("Datenbank", "Verbindung", TestServer::instance().newPlace());
    EXPECT_TRUE(ini.save(path));
    return std::make_unique<StoreContext>(folder.path(), messages);
}

// Every procedure of the program registered on a record store in an empty folder (or on an
// empty data set of a server), messages answered from a script, driven offscreen. The
// catalogue is written from the test's own thread, as another station would write it.
class OrderRoad
{
public:
    explicit OrderRoad(bool onServer = false)
        : store(onServer ? storeOnServer(folder, messages)
                         : std::make_unique<StoreContext>(folder.path(), messages))
    {
        rt::setFixedNow(kToday, rt::timeFromHms(10, 0, 0));
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        // What the main frame sets when it opens.
        app->VatFactor = 1.19;
        registerProcedures(app->procedures());
    }
    ~OrderRoad()
    {
        gui.threads().endAll();
        rt::clearFixedNow();
    }
    OrderRoad(const OrderRoad &) = delete;
    OrderRoad &operator=(const OrderRoad &) = delete;

    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        FileManager &manager = store->fileManager(file);
        manager.Open();
        ASSERT_EQ(manager.PrepareNewRecord(), Level::Benign);
        fill(store->records());
        ASSERT_EQ(manager.Insert(), Level::Benign);
        manager.Close();
    }

    std::vector<RecordBuffer> all(KeyRef key)
    {
        std::vector<RecordBuffer> rows;
        FileManager &manager = store->fileManager(key.file);
        manager.Open();
        if (manager.startPass(key) == Level::Benign) {
            while (manager.NextQuiet() == Level::Benign)
                rows.push_back(store->records()[key.file]);
        }
        manager.Close();
        return rows;
    }

    // The one open procedure window whose title starts with `prefix`.
    static ProcWindow *window(const QString &prefix)
    {
        for (ProcWindow *w : ProcWindow::openWindows()) {
            if (w->isOpen() && w->title().startsWith(prefix))
                return w;
        }
        return nullptr;
    }

    std::vector<std::string> messageTitles() const
    {
        std::vector<std::string> titles;
        for (const ScriptedPresenter::Shown &s : messages.shown)
            titles.push_back(s.title + ": " + s.text);
        return titles;
    }

    TempFolder folder;
    ScriptedPresenter messages;
    std::unique_ptr<StoreContext> store;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
};

// The catalogue of a small shop: the two-colour 700 × 500 machine of the costing rules'
// worked example, one paper, one typesetting activity, one finishing activity, one transport
// kind, payment terms with Skonto, and the customer with a standing discount of 5 %.
void fillCatalogue(OrderRoad &f)
{
    f.add(FileId::maschin, [](Records &r) {
        r.set(MAS::MBEZ, "Zweifarben 52");
        r.set(MAS::MFORM, "B2");
        r.set(MAS::MMAX, 700.0);
        r.set(MAS::MMIN, 500.0);
        r.set(MAS::MFARB, 2.0);
        r.set(MAS::DZMITTEL, 6000.0);
        r.set(MAS::MDRPR, 0.02);
        r.set(MAS::MFARBW, 15.0);
        r.set(MAS::DZFARB, 10.0);
        r.set(MAS::DZEINRIC, 20.0);
    });
    f.add(FileId::papier, [](Records &r) {
        r.set(PAP::PBEZ, "Offset 90 g");
        r.set(PAP::PPR, 7.0);
        r.set(PAP::PVPE, 500.0);
        r.set(PAP::PEIN, "Paket");
    });
    f.add(FileId::satz, [](Records &r) {
        r.set(SAT::SBEZ, "Satz Briefbogen");
        r.set(SAT::SPR, 30.0);
        r.set(SAT::SFAK, 1.5);
        r.set(SAT::SEINH, "Std.");
    });
    f.add(FileId::arbeit, [](Records &r) {
        r.set(ARB::ABEZ, "Falzen und Heften");
        r.set(ARB::APR, 12.0);
        r.set(ARB::AEINH, "Std.");
        r.set(ARB::AFAKT, 1.25);
    });
    f.add(FileId::transport, [](Records &r) {
        r.set(TRA::TBEZ, "Kurier");
        r.set(TRA::TPR, 18.5);
        r.set(TRA::TEINH, "Fahrt");
        r.set(TRA::TFAK, 1.0);
    });
    f.add(FileId::text, [](Records &r) {
        r.set(TEX::TKEN, "ZA");
        r.set(TEX::TERL, "2 % Skonto");
        r.set(TEX::TX1, "Zahlbar innerhalb von 30 Tagen,");
        r.set(TEX::TX2, "binnen 8 Tagen mit 2 % Skonto.");
        r.set(TEX::SKOPR, 2.0);
        r.set(TEX::SKTAGE, 8.0);
        r.set(TEX::ZAZIEL, 30.0);
    });
    f.add(FileId::kunde, [](Records &r) {
        r.set(KUN::KID, "K1");
        r.set(KUN::KNAME, "Druckerei Nord");
        r.set(KUN::KSTR, "Hauptstr. 1");
        r.set(KUN::KPLZ, "12345");
        r.set(KUN::KORT, "Musterstadt");
        r.set(KUN::KRAB, 5.0);
    });
}

// The same road on both engines: on the folder's files and on a server's tables.
class OrderRoadOnEngines : public ::testing::TestWithParam<bool>
{
};

TEST_P(OrderRoadOnEngines, CustomerToStoredOrderTotals)
{
    OrderRoad f(GetParam());
    fillCatalogue(f);

    // The customer list, started from the menu.
    f.app->start("Browsekunde");
    ASSERT_TRUE(f.gui.settle());
    ProcWindow *customers = f.window(u"KUNDEN   -  ÜBERSICHT"_s);
    ASSERT_NE(customers, nullptr);
    ASSERT_EQ(customers->list(ListProcedure::kList)->rowCount(), 1);
    f.gui.pickRow(customers, ListProcedure::kList, 1);
    f.gui.press(customers, 3); // "ÄNDERN der Kundenangaben / NEU Aufträge ..."

    // The customer form: the customer has moved.
    ProcWindow *customer = f.window(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(customer, nullptr);
    f.gui.type(customer, C::Street, u"Hafenweg 7"_s);
    EXPECT_EQ(customer->list(C::Orders)->rowCount(), 0);
    f.gui.press(customer, C::OrderInsert);

    // The new order.
    ProcWindow *order = f.window(u"NEUER AUFTRAG für"_s);
    ASSERT_NE(order, nullptr);
    f.gui.type(order, O::OrderNumber, u"A-2026-17"_s);
    f.gui.type(order, O::ShortText, u"Briefpapier Nord"_s);
    // An invoice, paid on the terms of the "ZA" block chosen on the text page.
    f.gui.chooseOption(order, O::Status, 3);
    f.gui.switchTab(order, O::Pages, 3);
    ASSERT_FALSE(order->isHidden(O::PaymentGroup));
    f.gui.chooseEntry(order, O::PaymentPick, 1);
    f.gui.switchTab(order, O::Pages, 1);

    // A print calculation: the worked example's job on the worked example's machine.
    f.gui.press(order, O::CalculationInsert);
    ProcWindow *calculation = f.window(u"NEUE KALKULATION"_s);
    ASSERT_NE(calculation, nullptr);
    f.gui.pickRow(calculation, K::Machines, 1);
    f.gui.type(calculation, K::Description, u"Briefbogen"_s);
    f.gui.type(calculation, K::Sorts, u"3"_s);
    f.gui.type(calculation, K::RunPerSort, u"1000"_s);
    f.gui.type(calculation, K::TotalRun, u"3000"_s);
    f.gui.type(calculation, K::Colours, u"4"_s);
    f.gui.type(calculation, K::LayoutLength, u"297"_s);
    f.gui.type(calculation, K::LayoutWidth, u"210"_s);
    f.gui.press(calculation, K::Calculate);
    // 4 copies per sheet, 3 sorts: one sheet; 1000 prints × 2 passes = 2000 prints;
    // 2000 × 0.02 = 40.00 plus 3 colour changes × 15.00 = 45.00, together 85.00.
    EXPECT_EQ(f.gui.text(calculation, K::PrintPrice), u"85,00"_s);
    EXPECT_EQ(f.gui.text(calculation, K::ColourChangePrice), u"45,00"_s);

    // Its paper: the pieces are the total run, 3000 sheets; 3000 / 500 = 6 packets × 7.00.
    f.gui.switchTab(calculation, K::Pages, 4);
    f.gui.chooseEntry(calculation, K::PaperPick, 1);
    EXPECT_EQ(f.gui.text(calculation, K::PaperName), u"Offset 90 g"_s);
    EXPECT_EQ(f.gui.text(calculation, K::PaperTotal), u"42,00"_s);

    // Its typesetting: 2 × 30.00 × factor 1.5 = 90.00.
    f.gui.switchTab(calculation, K::Pages, 5);
    f.gui.press(calculation, K::TypesettingNew);
    ProcWindow *typesetting = f.window(u"NEU   Satz- / Verarbeitungs- Kosten"_s);
    ASSERT_NE(typesetting, nullptr);
    f.gui.chooseEntry(typesetting, Updateasatz::kPick, 1);
    f.gui.type(typesetting, Updateasatz::kQuantity, u"2"_s);
    EXPECT_EQ(f.gui.text(typesetting, Updateasatz::kTotal).trimmed(), u"90,00"_s);
    f.gui.press(typesetting, Updateasatz::kOk);
    EXPECT_EQ(f.window(u"NEU   Satz- / Verarbeitungs- Kosten"_s), nullptr);
    EXPECT_EQ(calculation->list(K::TypesettingList)->rowCount(), 1);
    EXPECT_EQ(f.gui.text(calculation, K::TypesettingTotal), u"90,00"_s);
    f.gui.press(calculation, K::Ok);
    EXPECT_EQ(f.window(u"NEUE KALKULATION"_s), nullptr);
    EXPECT_EQ(order->list(O::Calculations)->rowCount(), 1);

    // Additional work: 3 hours × 12.00 × factor 1.25 = 45.00.
    f.gui.switchTab(order, O::Pages, 2);
    f.gui.press(order, O::ExtrasInsert);
    ProcWindow *extras = f.window(u"NEU Zusatzarbeiten"_s);
    ASSERT_NE(extras, nullptr);
    f.gui.chooseEntry(extras, Updateanach::kPick, 1);
    f.gui.type(extras, Updateanach::kQuantity, u"3"_s);
    f.gui.press(extras, Updateanach::kUpdatePrice);
    EXPECT_EQ(f.gui.text(extras, Updateanach::kTotal).trimmed(), u"45,00"_s);
    f.gui.press(extras, Updateanach::kOk);
    EXPECT_EQ(f.window(u"NEU Zusatzarbeiten"_s), nullptr);
    EXPECT_EQ(order->list(O::Extras)->rowCount(), 1);

    // Transport: 2 trips × 18.50 × factor 1 = 37.00.
    f.gui.press(order, O::TransportInsert);
    ProcWindow *transport = f.window(u"Adding a atran Record"_s);
    ASSERT_NE(transport, nullptr);
    f.gui.chooseEntry(transport, Updateatran::kPick, 1);
    f.gui.type(transport, Updateatran::kQuantity, u"2"_s);
    EXPECT_EQ(f.gui.text(transport, Updateatran::kTotal).trimmed(), u"37,00"_s);
    f.gui.press(transport, Updateatran::kOk);
    EXPECT_EQ(f.window(u"Adding a atran Record"_s), nullptr);
    EXPECT_EQ(order->list(O::Transports)->rowCount(), 1);

    // Back on the first page, whose switch recomputes the totals, the form shows the running
    // amounts before they are stored (worked out below).
    f.gui.switchTab(order, O::Pages, 1);
    EXPECT_EQ(f.gui.text(order, O::Net).trimmed(), u"299,00"_s);
    EXPECT_EQ(f.gui.text(order, O::Discounted).trimmed(), u"284,05"_s);
    EXPECT_EQ(f.gui.text(order, O::Vat).trimmed(), u"53,97"_s);
    EXPECT_EQ(f.gui.text(order, O::Gross).trimmed(), u"338,02"_s);
    EXPECT_EQ(f.gui.text(order, O::CashDiscounted).trimmed(), u"331,26"_s);

    f.gui.press(order, O::Ok);
    EXPECT_EQ(f.window(u"NEUER AUFTRAG für"_s), nullptr);
    EXPECT_EQ(customer->list(C::Orders)->rowCount(), 1);
    f.gui.press(customer, C::Ok);
    EXPECT_EQ(f.window(u"ÄNDERN KUNDEN-DATEN"_s), nullptr);
    // The list shows the customer's new street.
    EXPECT_EQ(customers->list(ListProcedure::kList)->row(1).value(1), u"Hafenweg 7"_s);
    f.gui.press(customers, ListProcedure::kClose);
    EXPECT_EQ(f.window(u"KUNDEN   -  ÜBERSICHT"_s), nullptr);

    // Nothing on the road needed a message.
    EXPECT_EQ(f.messageTitles(), std::vector<std::string>{});

    const std::vector<RecordBuffer> customerRows = f.all(KUN::Keyid);
    ASSERT_EQ(customerRows.size(), 1u);
    EXPECT_EQ(customerRows[0].get(KUN::KSTR), "Hafenweg 7");

    const std::vector<RecordBuffer> orders = f.all(AUF::Keyfid);
    ASSERT_EQ(orders.size(), 1u);
    const RecordBuffer &stored = orders[0];
    const std::string orderId = stored.get(AUF::FID);
    EXPECT_EQ(stored.get(AUF::FKUID), "K1");
    EXPECT_EQ(stored.get(AUF::FNR), "A-2026-17");
    EXPECT_EQ(stored.get(AUF::FSTR), "Hafenweg 7");
    EXPECT_EQ(stored.get(AUF::FSTAT), "RECHNUNG");
    EXPECT_EQ(stored.get(AUF::FREDAT), kToday);
    EXPECT_DOUBLE_EQ(stored.get(AUF::SKPROZ), 2);
    EXPECT_DOUBLE_EQ(stored.get(AUF::SKONTAGE), 8);
    EXPECT_DOUBLE_EQ(stored.get(AUF::ZAZTAGE), 30);

    // The lines, each tied to the new order (and the typesetting line to its calculation).
    const std::vector<RecordBuffer> calculations = f.all(KAD::Keyadid);
    ASSERT_EQ(calculations.size(), 1u);
    EXPECT_EQ(calculations[0].get(KAD::KAUFID), orderId);
    // 85.00 print + 42.00 paper + 90.00 typesetting = 217.00.
    EXPECT_DOUBLE_EQ(calculations[0].get(KAD::KGESAMTPR), 217);
    const std::vector<RecordBuffer> typesettingLines = f.all(ASA::Keyasaid);
    ASSERT_EQ(typesettingLines.size(), 1u);
    EXPECT_EQ(typesettingLines[0].get(ASA::ASKADID), calculations[0].get(KAD::KAAID));
    EXPECT_EQ(typesettingLines[0].get(ASA::ASAUFID), orderId);
    const std::vector<RecordBuffer> extrasLines = f.all(ANA::Keydaid);
    ASSERT_EQ(extrasLines.size(), 1u);
    EXPECT_EQ(extrasLines[0].get(ANA::ANIDAUF), orderId);
    EXPECT_DOUBLE_EQ(extrasLines[0].get(ANA::ANGPR), 45);
    const std::vector<RecordBuffer> transportLines = f.all(ATR::Keytaid);
    ASSERT_EQ(transportLines.size(), 1u);
    EXPECT_EQ(transportLines[0].get(ATR::ATAUFID), orderId);
    EXPECT_DOUBLE_EQ(transportLines[0].get(ATR::ATGPR), 37);

    // The per-kind sums of the order:
    //   print           85.00  (2000 prints × 0.02 = 40.00, plus 3 × 15.00 colour changes)
    //   colour change   45.00  (part of the print price, not added again)
    //   paper           42.00  (3000 / 500 = 6 packets × 7.00)
    //   typesetting     90.00  (2 × 30.00 × 1.5)
    //   additional work 45.00  (3 × 12.00 × 1.25)
    //   transport       37.00  (2 × 18.50 × 1)
    EXPECT_DOUBLE_EQ(stored.get(AUF::DRUCPR), 85);
    EXPECT_DOUBLE_EQ(stored.get(AUF::FARBWEPR), 45);
    EXPECT_DOUBLE_EQ(stored.get(AUF::PAPPR), 42);
    EXPECT_DOUBLE_EQ(stored.get(AUF::SATZPR), 90);
    EXPECT_DOUBLE_EQ(stored.get(AUF::NACHPR), 45);
    EXPECT_DOUBLE_EQ(stored.get(AUF::TRANPR), 37);
    EXPECT_EQ(stored.get(AUF::NACHTXT), "(Falzen und Heften...etc.)");
    // One printing sheet; 2000 / 6000 × 60 = 20 min + 3 × 10 colour changes + 1 × 20 plates =
    // 70 minutes = 1 hour 10 minutes.
    EXPECT_DOUBLE_EQ(stored.get(AUF::NGES), 1);
    EXPECT_DOUBLE_EQ(stored.get(AUF::DRZEIT), 70);
    EXPECT_DOUBLE_EQ(stored.get(AUF::DRZEITH), 1);
    EXPECT_DOUBLE_EQ(stored.get(AUF::DRZEITM), 10);
    // Net:        85 + 42 + 90 + 45 + 37              = 299.00
    // Discount:   the customer's 5 %, taken into the new order
    // Discounted: 299.00 − 299.00 / 100 × 5 = 299.00 − 14.95 = 284.05
    // Gross:      284.05 × 1.19 = 338.0195             → 338.02
    // VAT:        338.02 − 284.05                      =  53.97
    // Skonto:     338.02 − 338.02 / 100 × 2 = 338.02 − 6.7604 = 331.2596 → 331.26
    EXPECT_DOUBLE_EQ(stored.get(AUF::NETTO), 299);
    EXPECT_DOUBLE_EQ(stored.get(AUF::FRABATT), 5);
    EXPECT_DOUBLE_EQ(stored.get(AUF::RABPREIS), 284.05);
    EXPECT_DOUBLE_EQ(stored.get(AUF::BRUTTO), 338.02);
    EXPECT_NEAR(stored.get(AUF::MWST), 53.97, 1e-9);
    EXPECT_DOUBLE_EQ(stored.get(AUF::SKONPREIS), 331.26);
}

// A quote printed from the order form is recorded: saved as a PDF from the preview, the
// order carries the quote's printed-on date and time, and on OK the printed documents decide
// the status, whatever status the user chose meanwhile.
TEST(OrderRoad, PrintedQuoteSetsItsDateAndTheStatus)
{
    OrderRoad f;
    fillCatalogue(f);
    f.app->start("Browsekunde");
    ASSERT_TRUE(f.gui.settle());
    ProcWindow *customers = f.window(u"KUNDEN   -  ÜBERSICHT"_s);
    ASSERT_NE(customers, nullptr);
    f.gui.pickRow(customers, ListProcedure::kList, 1);
    f.gui.press(customers, 3);
    ProcWindow *customer = f.window(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(customer, nullptr);

    f.gui.press(customer, C::OrderInsert);
    ProcWindow *order = f.window(u"NEUER AUFTRAG für"_s);
    ASSERT_NE(order, nullptr);
    f.gui.type(order, O::OrderNumber, u"A-2026-18"_s);
    f.gui.type(order, O::ShortText, u"Flyer Nord"_s);
    f.gui.press(order, O::Ok);
    ASSERT_EQ(customer->list(C::Orders)->rowCount(), 1);
    // A transport line, added meanwhile at another station: the order is worth 37.00 net,
    // 35.15 after the customer's 5 %.
    const std::string orderId = f.all(AUF::Keyfid).at(0).get(AUF::FID);
    f.add(FileId::atran, [&](Records &r) {
        r.set(ATR::ATAUFID, orderId);
        r.set(ATR::ATBEZ, "Kurier");
        r.set(ATR::ATGPR, 37.0);
    });

    f.gui.pickRow(customer, C::Orders, 1);
    f.gui.press(customer, C::OrderChange);
    order = f.window(u"ÄNDERN Auftrag von"_s);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(f.gui.text(order, O::QuotePrinted), QString());
    f.gui.type(order, O::Copies, u"1"_s);
    f.gui.press(order, O::PrintMinimal);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.window(u"Druck Vorschau"_s) != nullptr; }, 10000));
    f.gui.settle();
    ProcWindow *preview = f.window(u"Druck Vorschau"_s);
    f.gui.press(preview, PagePreview::SavePdf);
    const QString pdf = QString::fromStdString((f.folder.path() / "angebot.pdf").string());
    ASSERT_TRUE(f.gui.answerFileDialog(pdf));
    f.gui.press(preview, PagePreview::ExitButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.window(u"Druck Vorschau"_s) == nullptr; }, 10000));
    f.gui.settle();
    EXPECT_TRUE(QFileInfo::exists(pdf));

    // The form shows what was recorded; the file holds it already.
    EXPECT_EQ(f.gui.text(order, O::QuotePrinted), u"07.12.2026"_s);
    const std::vector<RecordBuffer> printed = f.all(AUF::Keyfid);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].get(AUF::FANGDRU), kToday);
    EXPECT_EQ(printed[0].get(AUF::FANZEIT), rt::timeFromHms(10, 0, 0));

    // No invoice went out: the quote decides the status on OK.
    f.gui.chooseOption(order, O::Status, 3);
    f.gui.press(order, O::Ok);
    EXPECT_EQ(f.window(u"ÄNDERN Auftrag von"_s), nullptr);
    f.gui.press(customer, C::Ok);
    f.gui.press(customers, ListProcedure::kClose);
    EXPECT_EQ(f.messageTitles(), std::vector<std::string>{});

    const std::vector<RecordBuffer> orders = f.all(AUF::Keyfid);
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].get(AUF::FSTAT), "ANGEBOT");
    EXPECT_EQ(orders[0].get(AUF::FANGDRU), kToday);
    EXPECT_EQ(orders[0].get(AUF::FRECDRU), 0);
    EXPECT_EQ(orders[0].get(AUF::FNR), "A-2026-18");

    // The quote counts in the customer's turnover, and the customer list report prints it.
    const std::vector<RecordBuffer> customerRows = f.all(KUN::Keyid);
    ASSERT_EQ(customerRows.size(), 1u);
    const RecordBuffer &stored = customerRows[0];
    EXPECT_EQ(stored.get(KUN::ANGEBOT), kToday);
    EXPECT_DOUBLE_EQ(stored.get(KUN::ANUMSATZ), 35.15);
    EXPECT_EQ(stored.get(KUN::RECH), 0);
    EXPECT_DOUBLE_EQ(stored.get(KUN::REUMSATZ), 0);
    const shell::ListReportDef *def = shell::findListReport("PrintKUN:Keykname");
    ASSERT_NE(def, nullptr);
    report::PageQueue queue;
    report::ListReport list(
        queue, QString::fromLatin1(def->title), shell::listColumns(*def, stored));
    list.printDetail();
    list.finish();
    const QString text = pdftext::textOf(queue, u"kunden"_s);
    EXPECT_TRUE(pdftext::inOrder(text, {u"Druckerei Nord"_s, u"07.12.2026"_s, u"35,15"_s}))
        << text.toStdString();
}

// The road goes on to the money: the quote printed sets its date and the status; the invoice
// printed is issued and locks the order; the open-items list shows it with what the
// customer's turnover says; a payment with Skonto within its date settles it, and it leaves
// the open items.
TEST(OrderRoad, InvoiceIssuedThenPaidWithSkontoLeavesTheOpenItems)
{
    OrderRoad f;
    fillCatalogue(f);
    f.app->start("Browsekunde");
    ASSERT_TRUE(f.gui.settle());
    ProcWindow *customers = f.window(u"KUNDEN   -  ÜBERSICHT"_s);
    ASSERT_NE(customers, nullptr);
    f.gui.pickRow(customers, ListProcedure::kList, 1);
    f.gui.press(customers, 3);
    ProcWindow *customer = f.window(u"ÄNDERN KUNDEN-DATEN"_s);
    ASSERT_NE(customer, nullptr);
    f.gui.press(customer, C::OrderInsert);
    ProcWindow *order = f.window(u"NEUER AUFTRAG für"_s);
    ASSERT_NE(order, nullptr);
    f.gui.type(order, O::OrderNumber, u"A-2026-19"_s);
    f.gui.type(order, O::ShortText, u"Plakate Nord"_s);
    f.gui.press(order, O::Ok);
    // 37.00 net, 35.15 after the customer's 5 %, 41.83 gross.
    const std::string orderId = f.all(AUF::Keyfid).at(0).get(AUF::FID);
    f.add(FileId::atran, [&](Records &r) {
        r.set(ATR::ATAUFID, orderId);
        r.set(ATR::ATBEZ, "Kurier");
        r.set(ATR::ATGPR, 37.0);
    });
    f.gui.pickRow(customer, C::Orders, 1);
    f.gui.press(customer, C::OrderChange);
    order = f.window(u"ÄNDERN Auftrag von"_s);
    ASSERT_NE(order, nullptr);
    f.gui.type(order, O::Copies, u"1"_s);

    auto savePdf = [&](int button, const char *name) {
        f.gui.press(order, button);
        if (!QTest::qWaitFor([&] { return f.window(u"Druck Vorschau"_s) != nullptr; }, 10000))
            return false;
        f.gui.settle();
        ProcWindow *preview = f.window(u"Druck Vorschau"_s);
        f.gui.press(preview, PagePreview::SavePdf);
        if (!f.gui.answerFileDialog(QString::fromStdString((f.folder.path() / name).string())))
            return false;
        f.gui.press(preview, PagePreview::ExitButton);
        const bool closed
            = QTest::qWaitFor([&] { return f.window(u"Druck Vorschau"_s) == nullptr; }, 10000);
        f.gui.settle();
        return closed;
    };

    // The quote.
    ASSERT_TRUE(savePdf(O::PrintMinimal, "angebot.pdf"));
    EXPECT_EQ(f.gui.text(order, O::QuotePrinted), u"07.12.2026"_s);
    EXPECT_EQ(f.all(AUF::Keyfid).at(0).get(AUF::FANGDRU), kToday);

    // The invoice, on the terms with 2 % Skonto within 8 days.
    f.gui.chooseOption(order, O::Status, 3);
    f.gui.type(order, O::InvoiceDate, u"07.12.2026"_s);
    f.gui.type(order, O::DeliveryDate, u"04.12.2026"_s);
    f.gui.switchTab(order, O::Pages, 3);
    f.gui.chooseEntry(order, O::PaymentPick, 1);
    f.gui.switchTab(order, O::Pages, 1);
    ASSERT_TRUE(savePdf(O::PrintStandard, "rechnung.pdf"));
    const RecordBuffer issuedOrder = f.all(AUF::Keyfid).at(0);
    const std::string number = issuedOrder.get(AUF::FRENR);
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(issuedOrder.get(AUF::FRECDRU), kToday);
    EXPECT_EQ(issuedOrder.get(AUF::FSTAT), "RECHNUNG");
    ASSERT_TRUE(orders::standingInvoice(*f.store, orderId).has_value());
    // Locked: the invoice's number and terms are shown, not editable.
    EXPECT_FALSE(order->control(O::InvoiceNumber)->isEnabled());
    EXPECT_FALSE(order->control(O::SkontoPercent)->isEnabled());
    EXPECT_FALSE(order->isHidden(O::LockNote));
    EXPECT_TRUE(order->control(O::EnterPayment)->isEnabled());

    // The open items show it, as the customer's turnover counts it.
    f.app->start("Browseposten");
    ASSERT_TRUE(f.gui.settle());
    ProcWindow *open = f.window(u"OFFENE POSTEN"_s);
    ASSERT_NE(open, nullptr);
    ASSERT_EQ(open->list(ListProcedure::kList)->rowCount(), 1);
    const QStringList row = open->list(ListProcedure::kList)->row(1);
    EXPECT_EQ(row.at(0).trimmed(), QString::fromStdString(number));
    EXPECT_EQ(row.at(1).trimmed(), u"Druckerei Nord"_s);
    EXPECT_EQ(row.at(2).trimmed(), u"41,83"_s);
    EXPECT_EQ(row.at(3).trimmed(), u"06.01.2027"_s); // 30 days
    EXPECT_EQ(row.at(4).trimmed(), u"15.12.2026"_s); // 8 days
    EXPECT_EQ(row.at(5).trimmed(), u"41,83"_s);
    EXPECT_EQ(f.gui.text(open, ListProcedure::kFooter),
              u"Summe noch offen: 41,83 EUR   (1 Rechnung, davon 0 überfällig)"_s);
    const RecordBuffer turnover = f.all(KUN::Keyid).at(0);
    EXPECT_DOUBLE_EQ(turnover.get(KUN::REUMSATZ), 35.15);
    EXPECT_EQ(turnover.get(KUN::RECH), kToday);
    f.gui.press(open, ListProcedure::kClose);

    // Paid from the order form, with Skonto: 41.83 − 0.84 = 40.99.
    f.gui.press(order, O::EnterPayment);
    ProcWindow *payment = f.window(u"Zahlung erfassen"_s);
    ASSERT_NE(payment, nullptr);
    EXPECT_EQ(f.gui.text(payment, PaymentForm::Amount), u"41,83"_s);
    EXPECT_EQ(f.gui.text(payment, PaymentForm::Date), u"07.12.2026"_s);
    ASSERT_FALSE(payment->isHidden(PaymentForm::WithSkonto));
    EXPECT_TRUE(payment->control(PaymentForm::WithSkonto)
                    ->property("text")
                    .toString()
                    .contains(u"0,84 EUR bis 15.12.2026"_s));
    f.gui.press(payment, PaymentForm::WithSkonto);
    EXPECT_EQ(f.gui.text(payment, PaymentForm::Amount), u"40,99"_s);
    f.gui.press(payment, PaymentForm::Ok);
    EXPECT_EQ(f.window(u"Zahlung erfassen"_s), nullptr);
    const auto paid = orders::invoiceStanding(*f.store, number, kToday);
    ASSERT_TRUE(paid.has_value());
    EXPECT_EQ(paid->state.status, orders::PaymentStatus::Paid);
    EXPECT_EQ(paid->state.skontoCents, 84);
    const std::vector<RecordBuffer> payments = f.all(ZAH::Keyzid);
    ASSERT_EQ(payments.size(), 1u);
    EXPECT_DOUBLE_EQ(payments[0].get(ZAH::ZBETRAG), 40.99);
    EXPECT_EQ(payments[0].get(ZAH::ZSKONTO), 1);

    f.gui.press(order, O::Ok);
    f.gui.press(customer, C::Ok);
    f.gui.press(customers, ListProcedure::kClose);

    // Paid invoices are no open items; the turnover still counts the invoice.
    f.app->start("Browseposten");
    ASSERT_TRUE(f.gui.settle());
    open = f.window(u"OFFENE POSTEN"_s);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->list(ListProcedure::kList)->rowCount(), 0);
    EXPECT_EQ(f.gui.text(open, ListProcedure::kFooter),
              u"Summe noch offen: 0,00 EUR   (0 Rechnungen, davon 0 überfällig)"_s);
    EXPECT_DOUBLE_EQ(f.all(KUN::Keyid).at(0).get(KUN::REUMSATZ), 35.15);
    f.gui.press(open, ListProcedure::kClose);
    EXPECT_EQ(f.messageTitles(), std::vector<std::string>{});
}

// The customer form and the print calculation form both make "K" ids from the clock. Begun
// within one hundredth of a second, each on a thread of its own, they must not hand out the
// same id: the second gets the next hundredth.
INSTANTIATE_TEST_SUITE_P(Engines,
                         OrderRoadOnEngines,
                         ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "Postgres" : "Folder");
                         });

TEST(OrderRoad, CustomerAndCalculationBegunInOneHundredthGetDifferentIds)
{
    OrderRoad f;
    struct NewRecord
    {
        const char *form;
        FileId file;
        StringField id;
        std::uint32_t thread = 0;
    };
    NewRecord records[] = {
        {"Updatekunde", FileId::kunde, KUN::KID},
        {"Updatekaldruck", FileId::kaldruck, KAD::KAAID},
    };
    for (NewRecord &r : records) {
        r.thread = f.gui.start(QString::fromLatin1(r.form), [&f, &r] {
            RelationKeeper &keeper = f.store->relations(r.file);
            keeper.Open();
            f.store->fileManager(r.file).PrepareNewRecord();
            f.app->call(r.form, Request::Insert);
            keeper.Close();
        });
    }
    // Both forms are open now, their new records primed.
    const rt::StdTime now = rt::timeFromHms(10, 0, 0);
    EXPECT_EQ(f.store->threads().of(records[0].thread).get(records[0].id),
              rt::IdBuilder::compose("K", kToday, now, KUN::KID.size));
    EXPECT_EQ(f.store->threads().of(records[1].thread).get(records[1].id),
              rt::IdBuilder::compose("K", kToday, now + 1, KAD::KAAID.size));
}

} // namespace
