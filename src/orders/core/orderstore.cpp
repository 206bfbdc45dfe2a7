#include "orders/core/orderstore.h"

#include "base/text.h"
#include "orders/core/borrowedfile.h"
#include "orders/core/documentnumbers.h"
#include "orders/core/linecontributions.h"
#include "orders/core/turnover.h"
#include "store/errormanager.h"
#include "store/filehandle.h"
#include "store/files.h"
#include "store/relationkeeper.h"
#include "store/storecontext.h"

namespace orders {
namespace {

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

// UPPER(field) = UPPER(value), and field <> other where `other` is given.
FilterTree equalsIgnoringCase(StringField field,
                              const std::string &value,
                              StringField other,
                              const std::string &otherValue)
{
    using Kind = FilterTree::Operand::Kind;
    FilterTree tree;
    const std::uint16_t number = tree.addConstant(value);
    const std::int32_t same = tree.addComparison({Kind::Field, true, field.index},
                                                 FilterTree::Compare::Equal,
                                                 {Kind::Constant, true, number});
    if (rt::isBlank(otherValue))
        return tree;
    const std::uint16_t own = tree.addConstant(otherValue);
    const std::int32_t notOwn = tree.addComparison({Kind::Field, false, other.index},
                                                   FilterTree::Compare::NotEqual,
                                                   {Kind::Constant, false, own});
    tree.addJoin(FilterTree::Node::Kind::And, same, notOwn);
    return tree;
}

// The record of the customer `customerId` names by `field`; nothing for a blank id.
std::optional<RecordBuffer>
readByCustomer(StoreContext &store, KeyRef key, StringField field, const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return std::nullopt;
    BorrowedFile file(store, key.file);
    if (!file.fetch(key, field, customerId))
        return std::nullopt;
    return file.buffer();
}

// So many numbers taken one after the other are not a gap to count past but a file of
// numbers in a different pattern; the proposal then stops there.
constexpr int kMaxTakenInARow = 1000;

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
    if (!orders.fetch(AUF::Keyfid, AUF::FID, orderId))
        return Level::Benign;
    RecordBuffer &order = orders.buffer();

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
    return file.fetch(key, field, value);
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
    return readByCustomer(store, KUN::Keyid, KUN::KID, customerId);
}

std::optional<RecordBuffer> readStamm(StoreContext &store)
{
    BorrowedFile stamm(store, FileId::stamm);
    if (stamm.first(STA::Keyistamm) != BorrowedFile::Read::Found)
        return std::nullopt;
    return stamm.buffer();
}

int recordPrinted(StoreContext &store,
                  const std::string &orderId,
                  DocumentKind kind,
                  rt::StdDate date,
                  rt::StdTime time)
{
    return writeOrder(
        store, orderId, [&](RecordBuffer &order) { setPrinted(order, kind, date, time); });
}

int writeOrder(StoreContext &store,
               const std::string &orderId,
               const std::function<void(RecordBuffer &order)> &change,
               const CompanionWrite *companion,
               bool *found)
{
    if (found)
        *found = false;
    if (rt::isBlank(orderId))
        return Level::Benign;
    FileManager &file = store.fileManager(FileId::auftrag);
    RelationKeeper &relations = store.relations(FileId::auftrag);
    RecordBuffer &order = file.BUFFER();
    auto write = [&] {
        if (found)
            *found = true;
        change(order);
        return companion ? relations.Update(false, *companion) : relations.Update();
    };
    if (order.get(AUF::FID) == orderId)
        return write();
    BorrowedFile orders(store, FileId::auftrag);
    if (!orders.opened())
        return Level::Notify;
    if (!orders.fetch(AUF::Keyfid, AUF::FID, orderId))
        return Level::Benign;
    if (const int level = file.Watch(); level != Level::Benign)
        return level;
    return write();
}

std::optional<Turnover> customerTurnover(StoreContext &store, const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return Turnover{};
    BorrowedFile file(store, FileId::auftrag);
    const std::optional<std::vector<RecordBuffer>> orders
        = file.matching(AUF::Keykuid, AUF::FKUID, customerId);
    if (!orders)
        return std::nullopt;
    return turnoverOf(*orders);
}

int refreshTurnover(StoreContext &store, const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return Level::Benign;
    const std::optional<Turnover> turnover = customerTurnover(store, customerId);
    if (!turnover)
        return Level::Notify;
    BorrowedFile customers(store, FileId::kunde);
    if (!customers.opened())
        return Level::Notify;
    if (!customers.fetch(KUN::Keyid, KUN::KID, customerId))
        return Level::Benign;
    FileManager &file = customers.manager();
    RecordBuffer &customer = customers.buffer();
    if (const int level = file.Watch(); level != Level::Benign)
        return level;
    if (!setTurnover(customer, *turnover))
        return Level::Benign;
    return file.Update();
}

std::optional<NumberHolder> numberHolder(StoreContext &store,
                                         DocumentKind kind,
                                         const std::string &number,
                                         const std::string &ownOrderId)
{
    const std::string wanted(rt::trimmed(number));
    if (wanted.empty())
        return std::nullopt;
    NumberHolder holder;
    {
        BorrowedFile orders(store, FileId::auftrag);
        const FilterTree filter
            = equalsIgnoringCase(documentNumberField(kind), wanted, AUF::FID, ownOrderId);
        if (!orders.firstPassing(AUF::Keyfid, filter))
            return std::nullopt;
        const RecordBuffer &order = orders.buffer();
        holder = {order.get(AUF::FID), order.get(AUF::FNR), order.get(AUF::FNAME)};
        if (const std::optional<RecordBuffer> customer
            = readCustomer(store, order.get(AUF::FKUID))) {
            holder.customer = customer->get(KUN::KNAME);
        }
    }
    return holder;
}

std::string invoiceNumberTakenText(const std::string &number, const NumberHolder &holder)
{
    std::string order = rt::isBlank(holder.orderNumber) ? holder.orderId : holder.orderNumber;
    if (!rt::isBlank(holder.customer))
        order += " (" + holder.customer + ")";
    return "Die Rechnungsnummer " + std::string(rt::trimmed(number))
           + " ist schon vergeben:|der Auftrag " + order
           + " trägt sie.|Bitte geben Sie eine andere Rechnungsnummer ein.";
}

bool refuseTakenInvoiceNumber(StoreContext &store,
                              const std::string &number,
                              const std::string &ownOrderId)
{
    const std::optional<NumberHolder> holder
        = numberHolder(store, DocumentKind::Invoice, number, ownOrderId);
    if (!holder)
        return false;
    MessagePresenter &presenter = store.errors().presenter();
    presenter.beep();
    presenter.show("ACHTUNG",
                   invoiceNumberTakenText(number, *holder),
                   MessageIcon::Warning,
                   MessageButton::Ok,
                   MessageButton::Ok);
    return true;
}

std::string
proposedDocumentNumber(StoreContext &store, DocumentKind kind, const std::string &ownOrderId)
{
    std::string last;
    if (const std::optional<RecordBuffer> stamm = readStamm(store))
        last = lastStamp(*stamm, kind).number;
    std::string next = nextDocumentNumber(last, documentNumberField(kind).size);
    for (int taken = 0; !next.empty() && taken < kMaxTakenInARow; ++taken) {
        if (!numberHolder(store, kind, next, ownOrderId))
            return next;
        next = nextDocumentNumber(next, documentNumberField(kind).size);
    }
    return {};
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
    return readByCustomer(store, KER::Keykid, KER::KEKID, customerId);
}

int saveCustomerEInvoice(StoreContext &store, const RecordBuffer &data)
{
    BorrowedFile file(store, FileId::kundeer);
    if (!file.opened())
        return Level::Notify;
    const CompanionWrite write = customerEInvoiceWrite(store, data, std::nullopt);
    const int level = write.write();
    return level == Level::Benign ? level : file.manager().ReportLastError();
}

std::optional<WatchedEInvoice> readCustomerEInvoiceWatched(StoreContext &store,
                                                           const std::string &customerId)
{
    if (rt::isBlank(customerId))
        return std::nullopt;
    FileManager &file = store.fileManager(FileId::kundeer);
    if (file.Use(2) != Level::Benign)
        return std::nullopt;
    RecordBuffer &record = file.BUFFER();
    record.clear();
    record.set(KER::KEKID, customerId);
    if (file.FetchQuiet(KER::Keykid) != Level::Benign || file.Watch() != Level::Benign)
        return std::nullopt;
    return WatchedEInvoice{record, file.handle().version()};
}

CompanionWrite customerEInvoiceWrite(StoreContext &store,
                                     const RecordBuffer &data,
                                     std::optional<std::int64_t> readVersion)
{
    FileManager &file = store.fileManager(FileId::kundeer);
    return CompanionWrite{&file, [&file, data, readVersion] {
                              const std::string customerId = data.get(KER::KEKID);
                              if (rt::isBlank(customerId))
                                  return Level::Benign;
                              RecordBuffer &record = file.BUFFER();
                              record.clear();
                              record.set(KER::KEKID, customerId);
                              if (readVersion)
                                  file.handle().watchSince(*readVersion);
                              if (file.FetchQuiet(KER::Keykid) == Level::Benign) {
                                  const std::int32_t id = record.get(KER::KEID);
                                  record = data;
                                  record.set(KER::KEID, id);
                                  return file.UpdateQuiet();
                              }
                              record = data;
                              record.set(KER::KEID, 0);
                              return file.InsertQuiet();
                          }};
}

} // namespace orders
