#include "orders/core/orderstore.h"

#include "base/text.h"
#include "orders/core/documentnumbers.h"
#include "orders/core/linecontributions.h"
#include "store/files.h"
#include "store/storecontext.h"

namespace orders {
namespace {

// A file used for the length of one step while a form may be editing its record or be in
// the middle of a pass on it: both are saved first and given back afterwards.
class BorrowedFile
{
public:
    BorrowedFile(StoreContext &store, FileId file)
        : m_manager(store.fileManager(file))
        , m_saved(m_manager.SaveState())
    {
        m_opened = m_manager.Open() == Level::Benign;
    }
    ~BorrowedFile()
    {
        if (m_opened)
            m_manager.Close();
        m_manager.RestoreState(m_saved);
    }
    BorrowedFile(const BorrowedFile &) = delete;
    BorrowedFile &operator=(const BorrowedFile &) = delete;

    bool opened() const { return m_opened; }
    FileManager &manager() { return m_manager; }
    RecordBuffer &buffer() { return m_manager.BUFFER(); }

    // Every record whose `field` holds `value`, read along `key`, which starts with `field`.
    std::optional<std::vector<RecordBuffer>>
    matching(KeyRef key, StringField field, const std::string &value)
    {
        if (!m_opened)
            return std::nullopt;
        std::vector<RecordBuffer> rows;
        RecordBuffer &record = buffer();
        record.clear();
        record.set(field, value);
        if (m_manager.startPassFrom(key) != 0)
            return std::nullopt;
        for (;;) {
            if (m_manager.NextQuiet() != Level::Benign) {
                if (m_manager.threadState().ATEOF != 0)
                    return rows;
                return std::nullopt;
            }
            // Keys list "F10" right after "F1": the pass ends at the first other value.
            if (record.get(field) != value)
                return rows;
            rows.push_back(record);
        }
    }

    enum class Read { Found, Empty, Failed };
    // The first record along `key`.
    Read first(KeyRef key)
    {
        if (!m_opened || m_manager.startPass(key) != 0)
            return Read::Failed;
        if (m_manager.NextQuiet() == Level::Benign)
            return Read::Found;
        return m_manager.threadState().ATEOF != 0 ? Read::Empty : Read::Failed;
    }

private:
    FileManager &m_manager;
    std::uint16_t m_saved;
    bool m_opened = false;
};

// The summary text for an order whose text was lost or never set: from its first line.
void fillMissingExtrasText(OrderWorkingTotals &totals, const StoredOrderLines &lines)
{
    if (totals.WorkExtras <= 0) {
        totals.WorkExtrasText.clear();
        return;
    }
    if (!totals.WorkExtrasText.empty() || lines.extrasLines.empty())
        return;
    RebuildExtrasText(totals, lines.extrasLines.front().get(ANA::ANBEZ));
}

OrderLineRecords asSpans(const StoredOrderLines &lines)
{
    return {lines.calculations, lines.paperLines, lines.extrasLines, lines.transportLines};
}

} // namespace

std::optional<StoredOrderLines> loadStoredLines(StoreContext &store, const std::string &orderId)
{
    // A blank id would gather every line that points nowhere.
    if (rt::isBlank(orderId))
        return StoredOrderLines{};
    StoredOrderLines lines;
    const struct
    {
        FileId file;
        KeyRef key;
        StringField field;
        std::vector<RecordBuffer> *rows;
    } sources[] = {
        {FileId::kaldruck, KAD::Keyaufid, KAD::KAUFID, &lines.calculations},
        {FileId::aufpap, APA::Kaufid, APA::APAUFID, &lines.paperLines},
        {FileId::anach, ANA::Keydidauf, ANA::ANIDAUF, &lines.extrasLines},
        {FileId::atran, ATR::Kaufid, ATR::ATAUFID, &lines.transportLines},
    };
    for (const auto &source : sources) {
        BorrowedFile file(store, source.file);
        std::optional<std::vector<RecordBuffer>> rows
            = file.matching(source.key, source.field, orderId);
        if (!rows)
            return std::nullopt;
        *source.rows = std::move(*rows);
    }
    return lines;
}

bool sumStoredLines(StoreContext &store, OrderWorkingTotals &totals, double vatFactor)
{
    Records &records = store.records();
    const std::optional<StoredOrderLines> lines = loadStoredLines(store, records.get(AUF::FID));
    if (!lines)
        return false;
    SumOrderLines(totals, asSpans(*lines));
    fillMissingExtrasText(totals, *lines);
    RecomputeOrderTotals(totals, records, vatFactor);
    DueDates(totals, records);
    return true;
}

int alignStoredTotals(StoreContext &store, const std::string &orderId, double vatFactor)
{
    const std::optional<StoredOrderLines> lines = loadStoredLines(store, orderId);
    if (!lines || rt::isBlank(orderId))
        return Level::Benign;
    BorrowedFile orders(store, FileId::auftrag);
    if (!orders.opened())
        return Level::Notify;
    RecordBuffer &order = orders.buffer();
    order.clear();
    order.set(AUF::FID, orderId);
    if (orders.manager().FetchQuiet(AUF::Keyfid) != Level::Benign)
        return Level::Benign;

    // What the stored order holds besides the running sums stays: its discount, its
    // Skonto amount until recomputed, its summary text while it has additional work.
    OrderWorkingTotals totals;
    totals.WorkDiscountPercent = order.get(AUF::FRABATT);
    totals.WorkCashDiscounted = order.get(AUF::SKONPREIS);
    if (order.get(AUF::NACHPR) > 0)
        totals.WorkExtrasText = order.get(AUF::NACHTXT);
    SumOrderLines(totals, asSpans(*lines));
    fillMissingExtrasText(totals, *lines);
    Records &records = store.records();
    RecomputeOrderTotals(totals, records, vatFactor);
    const RecordBuffer before = order;
    StoreOrderTotals(totals, records, StoreMode::Save, vatFactor);
    if (order == before)
        return Level::Benign;
    return orders.manager().Update();
}

bool idTaken(StoreContext &store, KeyRef key, StringField field, const std::string &value)
{
    BorrowedFile file(store, key.file);
    if (!file.opened())
        return false;
    file.buffer().clear();
    file.buffer().set(field, value);
    return file.manager().FetchQuiet(key) == Level::Benign;
}

std::optional<CustomerOrders> countCustomerOrders(StoreContext &store,
                                                  const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return CustomerOrders{};
    BorrowedFile orders(store, FileId::auftrag);
    const std::optional<std::vector<RecordBuffer>> rows
        = orders.matching(AUF::Keykuid, AUF::FKUID, customerId);
    if (!rows)
        return std::nullopt;
    CustomerOrders counted;
    for (const RecordBuffer &order : *rows) {
        ++counted.orders;
        if (!rt::isBlank(order.get(AUF::FRENR)))
            ++counted.invoiced;
    }
    return counted;
}

std::optional<RecordBuffer> readCustomer(StoreContext &store, const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return std::nullopt;
    BorrowedFile customers(store, FileId::kunde);
    if (!customers.opened())
        return std::nullopt;
    customers.buffer().clear();
    customers.buffer().set(KUN::KID, customerId);
    if (customers.manager().FetchQuiet(KUN::Keyid) != Level::Benign)
        return std::nullopt;
    return customers.buffer();
}

std::optional<RecordBuffer> readStamm(StoreContext &store)
{
    BorrowedFile stamm(store, FileId::stamm);
    if (stamm.first(STA::Keyistamm) != BorrowedFile::Read::Found)
        return std::nullopt;
    return stamm.buffer();
}

int saveLastNumbers(StoreContext &store, const RecordBuffer &order)
{
    BorrowedFile stamm(store, FileId::stamm);
    if (!stamm.opened())
        return Level::Notify;
    FileManager &file = stamm.manager();
    switch (stamm.first(STA::Keyistamm)) {
    case BorrowedFile::Read::Found:
        if (!takeLastNumbers(stamm.buffer(), order))
            return Level::Benign;
        return file.Update();
    case BorrowedFile::Read::Failed:
        // A second record would hide the first one's numbers: nothing is written.
        return file.ReportLastError();
    case BorrowedFile::Read::Empty:
        break;
    }
    // The file has no record yet: the first saved order makes it.
    if (const int level = file.PrepareNewRecord(); level != Level::Benign)
        return level;
    takeLastNumbers(stamm.buffer(), order);
    return file.Insert();
}

std::optional<RecordBuffer> readCompany(StoreContext &store)
{
    BorrowedFile company(store, FileId::firma);
    if (company.first(FIR::Keyfiid) != BorrowedFile::Read::Found)
        return std::nullopt;
    return company.buffer();
}

std::optional<RecordBuffer> readCustomerEInvoice(StoreContext &store, const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return std::nullopt;
    BorrowedFile data(store, FileId::kundeer);
    if (!data.opened())
        return std::nullopt;
    data.buffer().clear();
    data.buffer().set(KER::KEKID, customerId);
    if (data.manager().FetchQuiet(KER::Keykid) != Level::Benign)
        return std::nullopt;
    return data.buffer();
}

int saveCustomerEInvoice(StoreContext &store, const RecordBuffer &values)
{
    const std::string customerId = values.get(KER::KEKID);
    if (rt::isBlank(customerId))
        return Level::Benign;
    BorrowedFile data(store, FileId::kundeer);
    if (!data.opened())
        return Level::Notify;
    FileManager &file = data.manager();
    RecordBuffer &record = data.buffer();
    record.clear();
    record.set(KER::KEKID, customerId);
    if (file.FetchQuiet(KER::Keykid) == Level::Benign) {
        const std::int32_t id = record.get(KER::KEID);
        record = values;
        record.set(KER::KEID, id);
        return file.Update();
    }
    if (const int level = file.PrepareNewRecord(); level != Level::Benign)
        return level;
    const std::int32_t id = record.get(KER::KEID);
    record = values;
    record.set(KER::KEID, id);
    return file.Insert();
}

} // namespace orders
