#pragma once

#include "framework/appcontext.h"
#include "framework/formbuilder.h"
#include "framework/keycodes.h"
#include "framework/procedurecontroller.h"
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

// What a test changes of the transport form.
struct FormSettings
{
    int insertAction = 2;
    int cancelAction = 3;
    int deleteAction = 2;
    bool toolbar = true;
    int *resets = nullptr; // counts the window's resets
};

// The update form of the transport catalogue, written the way every form is written.
class TransportForm : public ProcedureController
{
public:
    static constexpr int kOk = 10;
    static constexpr int kCancel = 11;

    TransportForm(AppContext &app, FormSettings settings)
        : ProcedureController(app, "Updatetransport", QStringLiteral("Transport"))
        , m_settings(settings)
    {
        setPrimary(FileId::transport, kOk, kCancel);
        setHistoryKey(KeyCode::CtrlQuote);
        setToolbarUsed(settings.toolbar);
    }

    void Reset(std::uint8_t force) override
    {
        if (m_settings.resets)
            ++*m_settings.resets;
        ProcedureController::Reset(force);
    }

protected:
    void registerParts() override
    {
        INSERTACTION = static_cast<std::uint8_t>(m_settings.insertAction);
        CANCELACTION = static_cast<std::uint8_t>(m_settings.cancelAction);
        DELETEACTION = static_cast<std::uint8_t>(m_settings.deleteAction);
        recallField(1, TRA::TBEZ);
        recallField(2, TRA::TPR);
    }

    void defineWindow(FormBuilder &form) override
    {
        form.entry(1, QStringLiteral("Bezeichnung"), TRA::TBEZ, QStringLiteral("@s35"));
        form.entry(2, QStringLiteral("Preis"), TRA::TPR, QStringLiteral("@n10.2"));
        form.entry(3, QStringLiteral("Einheit"), TRA::TEINH, QStringLiteral("@s12"));
        form.okCancel(kOk, kCancel);
    }

private:
    FormSettings m_settings;
};

// The record store on an empty folder, the procedures offscreen and the application context,
// torn down in the right order: the procedures still waiting are unwound while the context
// and the store they use are there.
class FormFixture
{
public:
    FormFixture()
        : store(std::make_unique<StoreContext>(folder.path(), startUpMessages))
    {
        store->errors().setPresenter(gui.messages());
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        useTransportForm({});
    }
    ~FormFixture() { gui.threads().endAll(); }

    void useTransportForm(FormSettings settings)
    {
        app->procedures().add("Updatetransport", [settings](AppContext &context) {
            TransportForm form(context, settings);
            context.LastResponse = form.Run();
        });
    }

    // What the calling list found when the form returned.
    struct Call
    {
        bool returned = false;
        int response = 0;
        std::string name;
        double price = 0;
        std::int32_t number = 0;
        std::int32_t recordMove = 0;
    };

    // Calls the form with `request` the way a list does, on a thread of its own: the list
    // has the file open and has primed (insert) or fetched (change, delete) the record.
    void callForm(int request, Call &call, const std::string &fetchName = {})
    {
        gui.start(QStringLiteral("Browsetransport"), [this, request, &call, fetchName] {
            ErrorManager &errors = store->errors();
            errors.SetProcedure("Browsetransport");
            RelationKeeper &keeper = store->relations(FileId::transport);
            FileManager &file = store->fileManager(FileId::transport);
            keeper.Open();
            Records &records = store->records();
            if (request == Request::Insert) {
                file.PrepareNewRecord();
            } else {
                records.set(TRA::TBEZ, fetchName);
                file.FetchQuiet(TRA::Keybez);
            }
            call.response = app->call("Updatetransport", request);
            call.name = records.get(TRA::TBEZ);
            call.price = records.get(TRA::TPR);
            call.number = records.get(TRA::TAID);
            call.recordMove = app->PendingRecordMove;
            keeper.Close();
            errors.ClearProcedure();
            call.returned = true;
        });
    }

    // Adds a transport kind from the test's own thread, as another station would.
    void addTransport(const std::string &name, double price, const std::string &unit = {})
    {
        addRecord(*store, FileId::transport, [&](Records &r) {
            r.set(TRA::TBEZ, name);
            r.set(TRA::TPR, price);
            r.set(TRA::TEINH, unit);
        });
    }

    // The transport kinds now stored, in name order, as "name price".
    std::vector<std::string> stored(FileId id = FileId::transport)
    {
        std::vector<std::string> rows;
        if (id == FileId::transport) {
            for (const RecordBuffer &r : storedRecords(*store, TRA::Keybez))
                rows.push_back(r.text(TRA::TBEZ.index) + ' ' + r.text(TRA::TPR.index));
        } else if (id == FileId::atran) {
            for (const RecordBuffer &r : storedRecords(*store, ATR::Keytaid))
                rows.push_back(r.text(ATR::ATBEZ.index) + ' ' + r.text(ATR::ATPR.index) + ' '
                               + r.text(ATR::ATEINH.index));
        }
        return rows;
    }

    std::int64_t count(FileId id = FileId::transport)
    {
        FileManager &file = store->fileManager(id);
        file.Open();
        file.Use(2);
        const std::int64_t n = file.handle().records();
        file.Close();
        return n;
    }

    ProcWindow *form() const { return gui.window(QStringLiteral("Transport")); }

    TempFolder folder;
    ScriptedPresenter startUpMessages;
    std::unique_ptr<StoreContext> store;
    std::unique_ptr<AppContext> app;
    GuiHarness gui;
};
