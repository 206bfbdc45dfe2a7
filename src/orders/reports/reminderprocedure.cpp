#include "reminderprocedure.h"

#include "reminderdocument.h"

#include "base/text.h"
#include "framework/appcontext.h"
#include "framework/recordsource.h"
#include "framework/report/pagequeue.h"
#include "framework/reportrunner.h"
#include "orders/core/borrowedfile.h"
#include "orders/core/openitems.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

namespace orders {
namespace {

class ItemWalk : public RecordSource
{
public:
    explicit ItemWalk(const std::vector<RecordBuffer> &items)
        : m_items(items)
    {}

    bool first() override
    {
        m_at = 0;
        return !m_items.empty();
    }
    bool next() override { return ++m_at < m_items.size(); }
    int percent() const override { return m_items.empty() ? 0 : int(m_at * 100 / m_items.size()); }
    const RecordBuffer *current() const { return m_at < m_items.size() ? &m_items[m_at] : nullptr; }

private:
    const std::vector<RecordBuffer> &m_items;
    std::size_t m_at = 0;
};

class ReminderProcedure : public ReportRunner
{
public:
    ReminderProcedure(AppContext &app, ReminderData data)
        : ReportRunner(app, "Mahnungdrucken", m_walk)
        , m_data(std::move(data))
        , m_walk(m_data.items)
    {
        usePreview();
    }

protected:
    void OpenReport() override
    {
        m_printer = std::make_unique<ReminderPrinter>(m_data, *PREVIEWQUEUE);
    }

    int TakeRecord() override
    {
        if (const RecordBuffer *item = m_walk.current())
            m_printer->printItem(*item);
        return m_printer->ok() ? Level::Benign : Level::Fatal;
    }

    void EndReport() override
    {
        if (m_printer)
            m_printer->finish();
    }

    void OnPrinted() override
    {
        if (!recordReminder(app().store(), m_data.items, m_data.level, m_data.date)) {
            app().store().errors().presenter().show(
                "HINWEIS",
                "Die Mahnstufe konnte nicht bei jeder Rechnung vermerkt werden.",
                MessageIcon::Warning,
                MessageButton::Ok,
                MessageButton::Ok);
        }
    }

private:
    ReminderData m_data;
    ItemWalk m_walk;
    std::unique_ptr<ReminderPrinter> m_printer;
};

std::optional<RecordBuffer> customerOf(StoreContext &store, const std::string &id)
{
    BorrowedFile customers(store, FileId::kunde);
    if (!customers.fetch(KUN::Keyid, KUN::KID, id))
        return std::nullopt;
    return customers.buffer();
}

} // namespace

void runReminder(AppContext &app)
{
    app.LastResponse = Response::Cancelled;
    StoreContext &store = app.store();
    MessagePresenter &presenter = store.errors().presenter();
    const std::string customerId = store.fileManager(FileId::posten).BUFFER().get(OPO::OPKUID);
    const rt::StdDate today = rt::today();
    refreshOpenItems(store, today);
    const auto items = rt::isBlank(customerId) ? std::nullopt : openItemsOf(store, customerId);
    const auto customer = rt::isBlank(customerId) ? std::nullopt : customerOf(store, customerId);
    if (!items || items->empty() || !customer) {
        presenter.show("HINWEIS",
                       "Für diesen Kunden ist keine Rechnung offen: es gibt nichts anzumahnen.",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    ReminderData data;
    data.level = proposedReminderLevel(*items);
    data.date = today;
    data.customer = *customer;
    data.items = *items;
    const std::string question
        = reminderTitle(data.level) + " an " + std::string(rt::trimmed(customer->get(KUN::KNAME)))
          + " drucken?|" + std::to_string(items->size())
          + (items->size() == 1 ? " offene Rechnung, " : " offene Rechnungen, ") + "zusammen "
          + germanAmount(openCents(*items)) + " EUR.";
    if (presenter.show("Mahnung",
                       question,
                       MessageIcon::Question,
                       MessageButton::Yes | MessageButton::No,
                       MessageButton::Yes)
        != MessageButton::Yes)
        return;
    ReminderProcedure procedure(app, std::move(data));
    app.LastResponse = procedure.Run();
}

} // namespace orders
