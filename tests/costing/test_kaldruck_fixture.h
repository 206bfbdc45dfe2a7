#pragma once

#include "costing/forms/kaldruck.h"
#include "framework/formfixture.h"
#include "orders/core/orderthreadvalues.h"
#include "store/relationkeeper.h"
#include "support/storedrecords.h"

#include <functional>
#include <string>

namespace K = KaldruckControl;

// The print calculation form on a real store offscreen, its messages answered from a script:
// the two-colour 700 × 500 machine of the worked example, orders F1 and F2, and the form
// called the way the order form and the list of all calculations call it.
class KaldruckFixture : public FormFixture
{
public:
    KaldruckFixture()
    {
        store->errors().setPresenter(messages);
        // The form alone: the typesetting line form is a stand-in where a test needs one.
        app->procedures().add<Updatekaldruck>("Updatekaldruck");
        app->VatFactor = 1.19;
        machine("Zweifarben 52", 700, 500, 2);
        order("F1", "Briefpapier Abel");
        order("F2", "Prospekt Bauer");
    }
    // The procedures still waiting unwind while the script still answers.
    ~KaldruckFixture()
    {
        gui.threads().endAll();
        store->errors().setPresenter(startUpMessages);
    }

    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        addRecord(*store, file, fill);
    }

    void machine(const std::string &name, double length, double width, double colours)
    {
        add(FileId::maschin, [&](Records &r) {
            r.set(MAS::MBEZ, name);
            r.set(MAS::MFORM, "B2");
            r.set(MAS::MMAX, length);
            r.set(MAS::MMIN, width);
            r.set(MAS::MFARB, colours);
            r.set(MAS::DZMITTEL, 6000.0);
            r.set(MAS::MDRPR, 0.02);
            r.set(MAS::MFARBW, 15.0);
            r.set(MAS::DZFARB, 10.0);
            r.set(MAS::DZEINRIC, 20.0);
        });
    }

    void order(const std::string &id, const std::string &shortText, double print = 0)
    {
        add(FileId::auftrag, [&](Records &r) {
            r.set(AUF::DRUCPR, print);
            r.set(AUF::FID, id);
            r.set(AUF::FNR, "A-" + id);
            r.set(AUF::FKURZ, shortText);
            r.set(AUF::FSTAT, "ANGEBOT");
        });
    }

    // A stored calculation of order `orderId` as the worked example leaves it after OK, with
    // 12.50 EUR of paper.
    void
    storedCalculation(const std::string &id, const std::string &orderId, double typesetting = 0)
    {
        add(FileId::kaldruck, [&](Records &r) {
            r.set(KAD::KAAID, id);
            r.set(KAD::KAUFID, orderId);
            r.set(KAD::KABEZ, "Briefbogen");
            r.set(KAD::KAMBEZ, "Zweifarben 52");
            r.set(KAD::NGES, 1.0);
            r.set(KAD::KADRPR, 85.0);
            r.set(KAD::KAFAPR, 45.0);
            r.set(KAD::KADRZEIT, 70.0);
            r.set(KAD::APENDPR, 12.5);
            r.set(KAD::APBEZ, "Offset 90 g");
            r.set(KAD::AEINH, "Blatt");
            r.set(KAD::KAALGES, 3000.0);
            r.set(KAD::KASO, 3.0);
            r.set(KAD::KAAL, 1000.0);
            r.set(KAD::KAFARBE, 4.0);
            r.set(KAD::KAVH, 1.0);
            r.set(KAD::KAFASCHW, 1.0);
            r.set(KAD::KAAD, 2000.0);
            r.set(KAD::KAMDRV, 6000.0);
            r.set(KAD::KAFAZEIT, 10.0);
            r.set(KAD::KADRPLZEIT, 20.0);
            r.set(KAD::APANZ, 5.0);
            r.set(KAD::APPR, 2.5);
            r.set(KAD::ASGPR, typesetting);
        });
    }

    void typesettingLine(const std::string &id, const std::string &calculationId, double total)
    {
        add(FileId::asatz, [&](Records &r) {
            r.set(ASA::ASID, id);
            r.set(ASA::ASAUFID, "F1");
            r.set(ASA::ASKADID, calculationId);
            r.set(ASA::ASBEZ, "Satz " + id);
            r.set(ASA::ASANZ, 1.0);
            r.set(ASA::ASFAK, 1.0);
            r.set(ASA::ASPR, total);
            r.set(ASA::ASGPR, total);
        });
    }

    // What the caller finds when the form has returned.
    struct Call
    {
        bool returned = false;
        int response = 0;
        orders::OrderWorkingTotals totals;
        double typesetting = 0;
        orders::OrderThreadValues *values = nullptr; // while the form is open
    };

    // Calls the form on a thread of its own, as the order form of `openOrder` does (no order
    // form when empty): the calculation list has primed (insert) or fetched (change) the
    // calculation. `totals` are the open order's running sums before the call.
    void callForm(int request,
                  Call &call,
                  const std::string &calculationId = {},
                  const std::string &openOrder = "F1",
                  const orders::OrderWorkingTotals &totals = {})
    {
        gui.start(QStringLiteral("Auftrag"), [=, this, &call] {
            orders::OrderThreadValues &values = app->threadSlot<orders::OrderThreadValues>();
            call.values = &values;
            values.CurrentOrderId = openOrder;
            values.OrderWorkingTotals = totals;
            Records &r = store->records();
            RelationKeeper &calculations = store->relations(FileId::kaldruck);
            calculations.Open();
            if (!openOrder.empty()) {
                FileManager &orders = store->fileManager(FileId::auftrag);
                orders.Open();
                r.set(AUF::FID, openOrder);
                orders.FetchQuiet(AUF::Keyfid);
                orders.Close();
            }
            FileManager &file = store->fileManager(FileId::kaldruck);
            if (request == Request::Insert) {
                file.PrepareNewRecord();
            } else {
                r.set(KAD::KAAID, calculationId);
                file.FetchQuiet(KAD::Keyadid);
            }
            call.response = app->call("Updatekaldruck", request);
            call.totals = values.OrderWorkingTotals;
            call.typesetting = values.WorkCalcTypesetting;
            call.values = nullptr;
            calculations.Close();
            call.returned = true;
        });
    }

    ProcWindow *form() const
    {
        for (const QString &title :
             {QStringLiteral("NEUE KALKULATION "), QStringLiteral("ÄNDERN der Kalkulation")}) {
            if (ProcWindow *window = gui.window(title))
                return window;
        }
        return nullptr;
    }

    // The stored record of a calculation, read on the test's thread.
    RecordBuffer stored(const std::string &id)
    {
        return storedRecord(*store, KAD::Keyadid, KAD::KAAID, id);
    }

    // The ids of the stored calculations.
    std::vector<std::string> storedIds()
    {
        std::vector<std::string> ids;
        for (const RecordBuffer &r : storedRecords(*store, KAD::Keyadid))
            ids.push_back(r.get(KAD::KAAID));
        return ids;
    }

    RecordBuffer storedOrder(const std::string &id)
    {
        return storedRecord(*store, AUF::Keyfid, AUF::FID, id);
    }

    // The worked example typed into a new calculation, machine picked, "Kalkulation" pressed.
    void typeWorkedExample(ProcWindow *window)
    {
        gui.pickRow(window, K::Machines, 1);
        gui.type(window, K::Description, QStringLiteral("Briefbogen"));
        gui.type(window, K::Sorts, QStringLiteral("3"));
        gui.type(window, K::RunPerSort, QStringLiteral("1000"));
        gui.type(window, K::TotalRun, QStringLiteral("3000"));
        gui.type(window, K::Colours, QStringLiteral("4"));
        gui.type(window, K::LayoutLength, QStringLiteral("297"));
        gui.type(window, K::LayoutWidth, QStringLiteral("210"));
        gui.press(window, K::Calculate);
    }

    // Paper name and unit, without which a machine calculation is not accepted.
    void typePaper(ProcWindow *window)
    {
        gui.switchTab(window, K::Pages, 4);
        gui.type(window, K::PaperName, QStringLiteral("Offset 90 g"));
        gui.type(window, K::PaperUnit, QStringLiteral("Blatt"));
        gui.type(window, K::PaperPiecesPerUnit, QStringLiteral("500"));
        gui.type(window, K::PaperUnitPrice, QStringLiteral("2,5"));
        gui.type(window, K::PaperPieces, QStringLiteral("2500"));
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> shown;
        for (const ScriptedPresenter::Shown &s : messages.shown)
            shown.push_back(s.title);
        return shown;
    }

    ScriptedPresenter messages;
};
