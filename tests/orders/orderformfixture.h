#pragma once

#include "base/stddate.h"
#include "framework/appcontext.h"
#include "framework/procwindow.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/forms/customerform.h"
#include "orders/forms/orderform.h"
#include "orders/forms/orderforms.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/scriptedpresenter.h"
#include "support/storedrecords.h"
#include "support/storefixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The order and customer forms on an empty record store, offscreen, with messages answered
// from a script. The document reports are stand-ins that note each run with the amounts
// they find in the order file, which is what a real report reads.
class OrderFormFixture
{
public:
    // Monday, 7 December 2026, 10:00.
    static inline const rt::StdDate kToday = rt::dateFromYmd(2026, 12, 7);

    struct ReportRun
    {
        std::string report;
        std::string orderId;
        bool orderFound = false;
        double net = 0;
    };

    // What the calling list found when the form returned.
    struct Call
    {
        bool returned = false;
        int response = 0;
    };

    OrderFormFixture()
        : store(std::make_unique<StoreContext>(folder.path(), messages))
    {
        rt::setFixedNow(kToday, rt::timeFromHms(10, 0, 0));
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        app->VatFactor = 1.19;
        registerOrderForms(app->procedures());
        for (const char *report : {"DrucANGmin",
                                   "DrucANGmax",
                                   "DrucRECstan",
                                   "DrucRECmin",
                                   "DrucRECdet",
                                   "DrucRECmax",
                                   "DrucLIEstan",
                                   "DrucLIEmin"}) {
            app->procedures().add(report, [this, report](AppContext &context) {
                noteRun(report, context.threadSlot<orders::OrderThreadValues>().CurrentOrderId);
            });
        }
    }
    ~OrderFormFixture()
    {
        gui.threads().endAll();
        rt::clearFixedNow();
    }

    // Adds a record from the test's own thread, the way a form does.
    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        addRecord(*store, file, fill);
    }

    void addCustomer(const std::string &id, const std::string &name, double discount = 0)
    {
        add(FileId::kunde, [&](Records &r) {
            r.set(KUN::KID, id);
            r.set(KUN::KNAME, name);
            r.set(KUN::KSTR, "Hauptstr. 1");
            r.set(KUN::KPLZ, "12345");
            r.set(KUN::KORT, "Musterstadt");
            r.set(KUN::KRAB, discount);
        });
    }

    void addOrder(const std::string &id,
                  const std::string &customerId,
                  const std::function<void(Records &)> &fill = {})
    {
        add(FileId::auftrag, [&](Records &r) {
            r.set(AUF::FID, id);
            r.set(AUF::FKUID, customerId);
            r.set(AUF::FNR, "A" + id);
            r.set(AUF::FSTAT, "ANGEBOT");
            r.set(AUF::FANDAT, kToday);
            if (fill)
                fill(r);
        });
    }

    // The stored order with this id, read from the file.
    RecordBuffer storedOrder(const std::string &id)
    {
        return storedRecord(*store, AUF::Keyfid, AUF::FID, id);
    }

    std::vector<RecordBuffer> all(FileId, KeyRef key) { return storedRecords(*store, key); }

    // Calls a form with `request` the way a list does, on a thread of its own: the customer
    // is in the `kunde` buffer and the list has primed (insert) or fetched (change) the order.
    void callOrderForm(const std::string &procedure,
                       int request,
                       const std::string &customerId,
                       const std::string &orderId,
                       Call &call)
    {
        gui.start(QStringLiteral("Browseauftrag"), [=, this, &call] {
            store->errors().SetProcedure("Browseauftrag");
            RelationKeeper &customers = store->relations(FileId::kunde);
            RelationKeeper &orders = store->relations(FileId::auftrag);
            customers.Open();
            orders.Open();
            Records &r = store->records();
            r.set(KUN::KID, customerId);
            store->fileManager(FileId::kunde).FetchQuiet(KUN::Keyid);
            if (request == Request::Insert) {
                store->fileManager(FileId::auftrag).PrepareNewRecord();
            } else {
                r.set(AUF::FID, orderId);
                store->fileManager(FileId::auftrag).FetchQuiet(AUF::Keyfid);
            }
            call.response = app->call(procedure, request);
            orders.Close();
            customers.Close();
            store->errors().ClearProcedure();
            call.returned = true;
        });
    }

    void callCustomerForm(const std::string &procedure,
                          int request,
                          const std::string &customerId,
                          Call &call)
    {
        gui.start(QStringLiteral("Browsekunde"), [=, this, &call] {
            store->errors().SetProcedure("Browsekunde");
            RelationKeeper &customers = store->relations(FileId::kunde);
            customers.Open();
            Records &r = store->records();
            if (request == Request::Insert) {
                store->fileManager(FileId::kunde).PrepareNewRecord();
            } else {
                r.set(KUN::KID, customerId);
                store->fileManager(FileId::kunde).FetchQuiet(KUN::Keyid);
            }
            call.response = app->call(procedure, request);
            customers.Close();
            store->errors().ClearProcedure();
            call.returned = true;
        });
    }

    // The one open procedure window whose title starts with `prefix`.
    ProcWindow *windowStarting(const QString &prefix) const
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
            titles.push_back(s.title);
        return titles;
    }

    TempFolder folder;
    ScriptedPresenter messages;
    std::unique_ptr<StoreContext> store;
    GuiHarness gui;
    std::unique_ptr<AppContext> app;
    std::vector<ReportRun> runs;

private:
    void noteRun(const std::string &report, const std::string &orderId)
    {
        ReportRun run{report, orderId};
        FileManager &file = store->fileManager(FileId::auftrag);
        const std::uint16_t saved = file.SaveState();
        file.Open();
        Records &r = store->records();
        r[FileId::auftrag].clear();
        r.set(AUF::FID, orderId);
        run.orderFound = file.FetchQuiet(AUF::Keyfid) == 0;
        run.net = r.get(AUF::NETTO);
        file.Close();
        std::uint16_t id = saved;
        file.RestoreState(id);
        runs.push_back(run);
    }
};
