#include "orders/reports/documentloader.h"

#include "orders/core/lettersettings.h"

#include "base/text.h"
#include "store/storecontext.h"

#include <string>

namespace orders {
namespace {

// One of the files a document reads, opened for the time of the load. The form that starts
// the report works on the same thread and may be in the middle of a pass on the file or
// editing its record: both are saved first and given back afterwards.
class BorrowedFile
{
public:
    BorrowedFile(StoreContext &store, FileId file)
        : m_manager(store.fileManager(file))
        , m_saved(m_manager.SaveState())
    {
        m_manager.Open();
    }
    ~BorrowedFile()
    {
        m_manager.Close();
        m_manager.RestoreState(m_saved);
    }
    BorrowedFile(const BorrowedFile &) = delete;
    BorrowedFile &operator=(const BorrowedFile &) = delete;

    FileManager &manager() { return m_manager; }
    RecordBuffer &buffer() { return m_manager.BUFFER(); }

    // The first record whose `key` holds `value` in `field`; false when there is none.
    bool fetch(KeyRef key, StringField field, const std::string &value)
    {
        buffer().clear();
        buffer().set(field, value);
        return m_manager.FetchQuiet(key) == Level::Benign;
    }

    // The first record along `key`; false when there is none.
    bool first(KeyRef key)
    {
        buffer().clear();
        return m_manager.startPass(key) == 0 && m_manager.NextQuiet() == Level::Benign;
    }

    // Hands every record whose `field` holds `value` to `row`, in the order of `key`, which
    // starts with `field`. False when a read failed.
    template<typename Row>
    bool readMatching(KeyRef key, StringField field, const std::string &value, Row &&row)
    {
        RecordBuffer &record = buffer();
        record.clear();
        record.set(field, value);
        if (m_manager.startPassFrom(key) != 0)
            return false;
        for (;;) {
            if (m_manager.Next() != Level::Benign)
                return m_manager.threadState().ATEOF != 0;
            // The key lists the next value's records right after: "F1" is followed by "F10".
            if (record.get(field) != value)
                return true;
            row(record);
        }
    }

private:
    FileManager &m_manager;
    std::uint16_t m_saved;
};

} // namespace

std::optional<DocumentData> loadDocumentData(StoreContext &store, std::string_view orderId)
{
    BorrowedFile orders(store, FileId::auftrag);
    BorrowedFile customers(store, FileId::kunde);
    BorrowedFile calculations(store, FileId::kaldruck);
    BorrowedFile typesetting(store, FileId::asatz);
    BorrowedFile paper(store, FileId::aufpap);
    BorrowedFile company(store, FileId::firma);
    BorrowedFile customerEInvoice(store, FileId::kundeer);

    // The id as the field holds it: cut to its width, without trailing blanks. A blank id is
    // an order that was never primed, and would match records that point nowhere.
    RecordBuffer probe(FileId::auftrag);
    probe.set(AUF::FID, orderId);
    const std::string id = probe.get(AUF::FID);
    if (rt::isBlank(id) || !orders.fetch(AUF::Keyfid, AUF::FID, id))
        return std::nullopt;

    DocumentData data;
    data.order = orders.buffer();
    data.letterhead = letterheadPrinted(store.ini());
    const std::string customerId = data.order.get(AUF::FKUID);
    if (!rt::isBlank(customerId) && customers.fetch(KUN::Keyid, KUN::KID, customerId)) {
        data.customer = customers.buffer();
        if (customerEInvoice.fetch(KER::Keykid, KER::KEKID, customerId))
            data.customerEInvoice = customerEInvoice.buffer();
    }
    if (company.first(FIR::Keyfiid))
        data.company = company.buffer();

    const bool calculationsRead
        = calculations.readMatching(KAD::Keyaufid, KAD::KAUFID, id, [&](const RecordBuffer &k) {
              CalculationData calculation;
              calculation.kaldruck = k;
              data.calculations.push_back(std::move(calculation));
          });
    if (!calculationsRead)
        return std::nullopt;
    for (CalculationData &calculation : data.calculations) {
        const std::string calculationId = calculation.kaldruck.get(KAD::KAAID);
        if (rt::isBlank(calculationId))
            continue;
        const bool linesRead = typesetting.readMatching(
            ASA::Keykadid, ASA::ASKADID, calculationId, [&](const RecordBuffer &line) {
                calculation.typesetting.push_back(line);
            });
        if (!linesRead)
            return std::nullopt;
    }
    const bool paperRead
        = paper.readMatching(APA::Kaufid, APA::APAUFID, id, [&](const RecordBuffer &line) {
              data.paperLines.push_back(line);
          });
    if (!paperRead)
        return std::nullopt;
    return data;
}

std::optional<std::string> orderIdOfNumber(StoreContext &store, std::string_view number)
{
    RecordBuffer probe(FileId::auftrag);
    probe.set(AUF::FNR, number);
    const std::string key = probe.get(AUF::FNR);
    if (rt::isBlank(key))
        return std::nullopt;
    BorrowedFile orders(store, FileId::auftrag);
    if (!orders.fetch(AUF::Keyfnr, AUF::FNR, key))
        return std::nullopt;
    return orders.buffer().get(AUF::FID);
}

} // namespace orders
