#include "orders/core/openitems.h"

#include "base/text.h"
#include "orders/core/borrowedfile.h"
#include "orders/core/issueddocuments.h"
#include "store/files.h"

#include <algorithm>

namespace orders {
namespace {

// The open item as the document and its payment state make it; the reminder values stay.
void fillItem(RecordBuffer &item, const InvoiceStanding &standing)
{
    const RecordBuffer &document = standing.document;
    item.set(OPO::OPRENR, document.get(BEL::BNR));
    item.set(OPO::OPREDAT, standing.terms.invoiceDate);
    item.set(OPO::OPKUID, document.get(BEL::BKUID));
    item.set(OPO::OPKNAME, document.get(BEL::BKNAME));
    item.set(OPO::OPBRUTTO, document.get(BEL::BBRUTTO));
    item.set(OPO::OPFAELLIG, document.get(BEL::BFAELLIG));
    item.set(OPO::OPSKDAT, document.get(BEL::BSKDAT));
    item.set(OPO::OPSKONTO, standing.terms.skonto);
    item.set(OPO::OPOFFEN, fromCents(standing.state.openCents));
    item.set(OPO::OPUEBER, std::string(standing.state.overdue ? OPO::kOverdue : ""));
}

// Writes the item of `standing`: updates the one there is, adds one where there is none.
bool writeItem(FileManager &file, const InvoiceStanding &standing)
{
    RecordBuffer &item = file.BUFFER();
    item.clear();
    item.set(OPO::OPRENR, standing.document.get(BEL::BNR));
    if (file.FetchQuiet(OPO::Keyrenr) == Level::Benign) {
        const RecordBuffer before = item;
        fillItem(item, standing);
        return item == before || file.UpdateQuiet() == Level::Benign;
    }
    item.clear();
    fillItem(item, standing);
    return file.InsertQuiet() == Level::Benign;
}

// The date the invoice carries: its order's invoice date while the invoice stands (the
// order cannot change it then), else the day it went out.
rt::StdDate invoiceDateOf(StoreContext &store, const RecordBuffer &document)
{
    if (rt::isBlank(document.get(BEL::BSPERRE)))
        return document.get(BEL::BDAT);
    BorrowedFile orders(store, FileId::auftrag);
    if (!orders.fetch(AUF::Keyfid, AUF::FID, document.get(BEL::BAUFID))
        || orders.buffer().get(AUF::FREDAT) == 0)
        return document.get(BEL::BDAT);
    return orders.buffer().get(AUF::FREDAT);
}

InvoiceStanding standingOf(StoreContext &store,
                           const RecordBuffer &document,
                           const std::vector<Payment> &payments,
                           rt::StdDate today)
{
    InvoiceStanding standing;
    standing.document = document;
    standing.terms = termsOf(document);
    standing.terms.invoiceDate = invoiceDateOf(store, document);
    standing.state = paymentState(standing.terms, payments, today);
    return standing;
}

bool isInvoice(const RecordBuffer &document)
{
    return document.get(BEL::BART) == BEL::kInvoice;
}

std::optional<std::vector<RecordBuffer>> passOpen(BorrowedFile &file, KeyRef key)
{
    if (!file.opened() || file.manager().startPass(key) != 0)
        return std::nullopt;
    std::vector<RecordBuffer> items;
    while (file.manager().NextQuiet() == Level::Benign) {
        if (toCents(file.buffer().get(OPO::OPOFFEN)) > 0)
            items.push_back(file.buffer());
    }
    if (file.manager().threadState().ATEOF == 0)
        return std::nullopt;
    return items;
}

} // namespace

InvoiceTerms termsOf(const RecordBuffer &document)
{
    InvoiceTerms terms;
    terms.gross = document.get(BEL::BBRUTTO);
    // The document keeps the dates the payment periods give and the day it went out.
    terms.invoiceDate = document.get(BEL::BDAT);
    terms.dueDate = document.get(BEL::BFAELLIG);
    terms.skontoDate = document.get(BEL::BSKDAT);
    terms.skonto = terms.skontoDate != 0 ? skontoOf(terms.gross, document.get(BEL::BSKPROZ)) : 0;
    // A cancelled invoice names its cancellation and no longer holds its order.
    terms.cancelled
        = !rt::isBlank(document.get(BEL::BBEZUG)) && rt::isBlank(document.get(BEL::BSPERRE));
    return terms;
}

std::optional<std::vector<Payment>> paymentsOn(StoreContext &store, const std::string &number)
{
    // Invoice numbers are one whatever their letter case, as the documents' key has them.
    const std::string wanted = rt::upperUtf8(rt::trimmed(number));
    BorrowedFile file(store, FileId::zahlung);
    if (!file.opened())
        return std::nullopt;
    RecordBuffer &record = file.buffer();
    record.clear();
    record.set(ZAH::ZRENR, std::string(rt::trimmed(number)));
    if (file.manager().startPassFrom(ZAH::Keyrenr) != 0)
        return std::nullopt;
    std::vector<Payment> payments;
    while (file.manager().NextQuiet() == Level::Benign) {
        if (rt::upperUtf8(rt::trimmed(record.get(ZAH::ZRENR))) != wanted)
            return payments;
        payments.push_back(Payment{
            record.get(ZAH::ZDAT), record.get(ZAH::ZBETRAG), record.get(ZAH::ZSKONTO) != 0});
    }
    if (file.manager().threadState().ATEOF == 0)
        return std::nullopt;
    return payments;
}

std::optional<InvoiceStanding>
invoiceStanding(StoreContext &store, const std::string &number, rt::StdDate today)
{
    const std::optional<RecordBuffer> document = issuedDocument(store, number);
    if (!document || !isInvoice(*document))
        return std::nullopt;
    const auto payments = paymentsOn(store, document->get(BEL::BNR));
    if (!payments)
        return std::nullopt;
    return standingOf(store, *document, *payments, today);
}

bool refreshOpenItem(StoreContext &store, const std::string &number, rt::StdDate today)
{
    const std::optional<InvoiceStanding> standing = invoiceStanding(store, number, today);
    if (!standing)
        return false;
    BorrowedFile items(store, FileId::posten);
    return items.opened() && writeItem(items.manager(), *standing);
}

bool refreshOpenItems(StoreContext &store, rt::StdDate today)
{
    const auto documents = issuedDocuments(store);
    if (!documents)
        return false;
    BorrowedFile items(store, FileId::posten);
    if (!items.opened())
        return false;
    bool complete = true;
    for (const RecordBuffer &document : *documents) {
        if (!isInvoice(document))
            continue;
        const auto payments = paymentsOn(store, document.get(BEL::BNR));
        complete = payments
                   && writeItem(items.manager(), standingOf(store, document, *payments, today))
                   && complete;
    }
    return complete;
}

std::optional<std::vector<RecordBuffer>> openItems(StoreContext &store)
{
    BorrowedFile file(store, FileId::posten);
    return passOpen(file, OPO::Keyfaellig);
}

std::optional<std::vector<RecordBuffer>> openItemsOf(StoreContext &store,
                                                     const std::string &customerId)
{
    auto items = openItems(store);
    if (items) {
        std::erase_if(
            *items, [&](const RecordBuffer &item) { return item.get(OPO::OPKUID) != customerId; });
    }
    return items;
}

std::int64_t openCents(const std::vector<RecordBuffer> &items)
{
    std::int64_t sum = 0;
    for (const RecordBuffer &item : items)
        sum += toCents(item.get(OPO::OPOFFEN));
    return sum;
}

std::string openItemsFooter(StoreContext &store)
{
    const auto items = openItems(store);
    if (!items)
        return "Die offenen Posten konnten nicht gelesen werden.";
    const auto overdue = std::count_if(items->begin(), items->end(), [](const RecordBuffer &item) {
        return !rt::isBlank(item.get(OPO::OPUEBER));
    });
    return "Summe noch offen: " + germanAmount(openCents(*items)) + " EUR   ("
           + std::to_string(items->size()) + (items->size() == 1 ? " Rechnung" : " Rechnungen")
           + ", davon " + std::to_string(overdue) + " überfällig)";
}

std::string reminderTitle(int level)
{
    switch (std::clamp(level, 1, kLastReminderLevel)) {
    case 1:
        return "Zahlungserinnerung";
    case 2:
        return "1. Mahnung";
    default:
        return "2. Mahnung";
    }
}

int proposedReminderLevel(const std::vector<RecordBuffer> &items)
{
    std::int32_t reached = 0;
    for (const RecordBuffer &item : items)
        reached = std::max(reached, item.get(OPO::OPSTUFE));
    return std::min(static_cast<int>(reached) + 1, kLastReminderLevel);
}

bool recordReminder(StoreContext &store,
                    const std::vector<RecordBuffer> &items,
                    int level,
                    rt::StdDate date)
{
    BorrowedFile file(store, FileId::posten);
    if (!file.opened())
        return false;
    bool complete = true;
    for (const RecordBuffer &listed : items) {
        if (!file.fetch(OPO::Keyrenr, OPO::OPRENR, listed.get(OPO::OPRENR))) {
            complete = false;
            continue;
        }
        RecordBuffer &item = file.buffer();
        item.set(OPO::OPSTUFE, std::max(item.get(OPO::OPSTUFE), std::int32_t(level)));
        item.set(OPO::OPMAHNDAT, date);
        complete = file.manager().UpdateQuiet() == Level::Benign && complete;
    }
    return complete;
}

} // namespace orders
