#pragma once

#include "costing/forms/costingforms.h"
#include "framework/appcontext.h"
#include "orders/core/orderthreadvalues.h"
#include "store/files.h"
#include "store/storecontext.h"
#include "support/guiharness.h"
#include "support/scriptedpresenter.h"
#include "support/storedrecords.h"
#include "support/storefixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The program's message boxes, with the error beeps counted: offscreen they make no sound.
class CountingPresenter : public MessagePresenter
{
public:
    explicit CountingPresenter(GuiMessagePresenter &boxes)
        : m_boxes(boxes)
    {}

    int show(const std::string &title,
             const std::string &text,
             MessageIcon icon,
             int buttons,
             int defaultButton) override
    {
        return m_boxes.show(title, text, icon, buttons, defaultButton);
    }
    void beep(int, int) override { ++beeps; }
    [[noreturn]] void endProgram(const std::string &reason) override
    {
        m_boxes.endProgram(reason);
        std::abort(); // not reached: the program has ended
    }

    int beeps = 0;

private:
    GuiMessagePresenter &m_boxes;
};

// The costing forms on a record store in an empty folder, driven offscreen: records are
// written from the test's own thread as another station would, and a form is called the way
// its list or the order form calls it, on a procedure thread of its own.
class CostingFormFixture
{
public:
    CostingFormFixture()
        : store(std::make_unique<StoreContext>(folder.path(), startUpMessages))
        , messages(gui.messages())
    {
        store->errors().setPresenter(messages);
        app = std::make_unique<AppContext>(*store, gui.threads(), gui.area());
        registerCostingForms(app->procedures());
        app->VatFactor = 1.19;
    }
    ~CostingFormFixture() { gui.threads().endAll(); }
    CostingFormFixture(const CostingFormFixture &) = delete;
    CostingFormFixture &operator=(const CostingFormFixture &) = delete;

    void add(FileId file, const std::function<void(Records &)> &fill)
    {
        ASSERT_TRUE(addRecord(*store, file, fill));
    }

    std::vector<RecordBuffer> rows(KeyRef key) { return storedRecords(*store, key); }

    RecordBuffer only(KeyRef key)
    {
        std::vector<RecordBuffer> all = rows(key);
        EXPECT_EQ(all.size(), 1u);
        return all.empty() ? RecordBuffer(key.file) : all.front();
    }

    RecordBuffer order(const std::string &id)
    {
        for (const RecordBuffer &r : rows(AUF::Keyfaid)) {
            if (r.get(AUF::FID) == id)
                return r;
        }
        ADD_FAILURE() << "no order " << id;
        return RecordBuffer(FileId::auftrag);
    }

    // What the caller found when the form returned.
    struct Call
    {
        bool returned = false;
        int response = 0;
        orders::OrderWorkingTotals totals;
        double typesetting = 0;
    };

    // What the calling procedure has in its buffers and working values before it calls.
    struct Caller
    {
        std::string currentOrderId;
        orders::OrderWorkingTotals totals;
        double typesetting = 0;
        // Fills the caller's buffers: the order (insert) or the line to fetch (change, delete).
        std::function<void(Records &)> buffers;
        KeyRef fetchKey{};
    };

    // Calls `name` with `request` on a thread of its own, as its list does: the line's file
    // is open, a new record is numbered (insert) or the line is fetched by `fetchKey`.
    void
    callForm(const std::string &name, FileId file, int request, const Caller &caller, Call &call)
    {
        gui.start(QString::fromStdString(name), [this, name, file, request, caller, &call] {
            orders::OrderThreadValues &values = app->threadSlot<orders::OrderThreadValues>();
            values.CurrentOrderId = caller.currentOrderId;
            values.OrderWorkingTotals = caller.totals;
            values.WorkCalcTypesetting = caller.typesetting;
            RelationKeeper &keeper = store->relations(file);
            FileManager &manager = store->fileManager(file);
            keeper.Open();
            Records &records = store->records();
            if (caller.buffers)
                caller.buffers(records);
            if (request == Request::Insert)
                manager.PrepareNewRecord();
            else
                EXPECT_EQ(manager.FetchQuiet(caller.fetchKey), 0);
            call.response = app->call(name, request);
            call.totals = values.OrderWorkingTotals;
            call.typesetting = values.WorkCalcTypesetting;
            keeper.Close();
            call.returned = true;
        });
    }

    ProcWindow *form(const QString &title) const { return gui.window(title); }

    // Answers the open message box with OK and returns its title and text.
    std::optional<GuiHarness::Message> answerOk() { return gui.answer(MessageButton::Ok); }

    TempFolder folder;
    ScriptedPresenter startUpMessages;
    std::unique_ptr<StoreContext> store;
    std::unique_ptr<AppContext> app;
    GuiHarness gui;
    CountingPresenter messages;
};
