#include "orders/core/issueddocuments.h"

#include "base/sha256.h"
#include "base/text.h"
#include "orders/core/borrowedfile.h"
#include "orders/core/documentnumbers.h"
#include "orders/core/orderstore.h"
#include "store/files.h"
#include "store/relationkeeper.h"

namespace orders {
namespace {

// A document's own write beside the order's: the record and its bytes. Whether a failure came
// from the number's unique key is looked at once everything has rolled back.
struct DocumentWrite
{
    StoreContext &store;
    const RecordBuffer &document;
    const IssuedBytes &bytes;
    bool failed = false;

    int operator()()
    {
        FileManager &file = store.fileManager(FileId::beleg);
        RecordBuffer &record = file.BUFFER();
        record = document;
        FileHandle &handle = file.handle();
        failed = file.InsertQuiet() != Level::Benign
                 || handle.putLarge(BEL::kPdf, bytes.pdf) != Result::Ok
                 || (!bytes.xml.empty() && handle.putLarge(BEL::kXml, bytes.xml) != Result::Ok);
        return failed ? Level::Notify : Level::Benign;
    }
};

// After the order's write: issued, or why not. A number that stands in the file now (the
// write rolled back, so it is not this one's) was issued by somebody else meanwhile.
IssueResult outcomeOf(StoreContext &store,
                      int level,
                      bool found,
                      const DocumentWrite &write,
                      const std::string &number)
{
    if (level == Level::Benign && found)
        return {IssueOutcome::Issued, {}};
    if (issuedDocument(store, number))
        return {IssueOutcome::Refused, numberIssuedText(number)};
    if (write.failed) {
        return {IssueOutcome::Failed,
                "Der Beleg " + number + " konnte nicht gespeichert werden: "
                    + store.engine().status().engineMessage + "|Nichts wurde ausgestellt."};
    }
    return {IssueOutcome::Failed, {}};
}

// The status an order goes back to when its invoice is cancelled: the last other document
// that went out, else the quote.
void statusWithoutInvoice(RecordBuffer &order)
{
    order.set(AUF::FSTAT, statusWord(DocumentKind::Quote));
    statusFromPrintedDates(order);
}

} // namespace

RecordBuffer invoiceDocument(const RecordBuffer &order,
                             rt::StdDate date,
                             rt::StdTime time,
                             std::int32_t form,
                             const IssuedBytes &bytes)
{
    RecordBuffer document(FileId::beleg);
    document.set(BEL::BART, BEL::kInvoice);
    document.set(BEL::BNR, order.get(AUF::FRENR));
    document.set(BEL::BDAT, date);
    document.set(BEL::BZEIT, time);
    document.set(BEL::BAUFID, order.get(AUF::FID));
    document.set(BEL::BAUFNR, order.get(AUF::FNR));
    document.set(BEL::BKUID, order.get(AUF::FKUID));
    document.set(BEL::BKNAME, order.get(AUF::FNAME));
    document.set(BEL::BNETTO, order.get(AUF::NETTO));
    document.set(BEL::BMWST, order.get(AUF::MWST));
    document.set(BEL::BBRUTTO, order.get(AUF::BRUTTO));
    // Payment periods count from the invoice's own date, as the printed invoice says.
    const rt::StdDate invoiceDate = order.get(AUF::FREDAT) != 0 ? order.get(AUF::FREDAT) : date;
    document.set(BEL::BFAELLIG, invoiceDate + static_cast<rt::StdDate>(order.get(AUF::ZAZTAGE)));
    if (order.get(AUF::SKPROZ) > 0) {
        document.set(BEL::BSKDAT, invoiceDate + static_cast<rt::StdDate>(order.get(AUF::SKONTAGE)));
        document.set(BEL::BSKPROZ, order.get(AUF::SKPROZ));
    }
    document.set(BEL::BFORM, form);
    document.set(BEL::BSPERRE, order.get(AUF::FID));
    document.set(BEL::BSHA, rt::sha256Hex(bytes.pdf));
    return document;
}

RecordBuffer cancellationDocument(const RecordBuffer &invoice,
                                  const std::string &number,
                                  rt::StdDate date,
                                  rt::StdTime time,
                                  const IssuedBytes &bytes)
{
    RecordBuffer document = invoice;
    document.set(BEL::BART, BEL::kCancellation);
    document.set(BEL::BNR, number);
    document.set(BEL::BDAT, date);
    document.set(BEL::BZEIT, time);
    document.set(BEL::BNETTO, -invoice.get(BEL::BNETTO));
    document.set(BEL::BMWST, -invoice.get(BEL::BMWST));
    document.set(BEL::BBRUTTO, -invoice.get(BEL::BBRUTTO));
    document.set(BEL::BFAELLIG, 0);
    document.set(BEL::BSKDAT, 0);
    document.set(BEL::BSKPROZ, 0.0);
    document.set(BEL::BBEZUG, invoice.get(BEL::BNR));
    document.set(BEL::BSPERRE, std::string());
    document.set(BEL::BSHA, rt::sha256Hex(bytes.pdf));
    return document;
}

std::optional<RecordBuffer> standingInvoice(StoreContext &store, const std::string &orderId)
{
    if (rt::isBlank(orderId))
        return std::nullopt;
    BorrowedFile file(store, FileId::beleg);
    const std::optional<std::vector<RecordBuffer>> found
        = file.matching(BEL::Keysperre, BEL::BSPERRE, orderId);
    if (!found || found->empty())
        return std::nullopt;
    return found->front();
}

std::optional<RecordBuffer> issuedDocument(StoreContext &store, const std::string &number)
{
    if (rt::isBlank(number))
        return std::nullopt;
    BorrowedFile file(store, FileId::beleg);
    if (!file.fetch(BEL::Keybnr, BEL::BNR, number))
        return std::nullopt;
    return file.buffer();
}

std::optional<IssuedBytes> issuedBytes(StoreContext &store, const std::string &number)
{
    if (rt::isBlank(number))
        return std::nullopt;
    BorrowedFile file(store, FileId::beleg);
    if (!file.fetch(BEL::Keybnr, BEL::BNR, number))
        return std::nullopt;
    IssuedBytes bytes;
    FileHandle &handle = file.manager().handle();
    if (handle.getLarge(BEL::kPdf, bytes.pdf) != Result::Ok
        || handle.getLarge(BEL::kXml, bytes.xml) != Result::Ok)
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<RecordBuffer>> issuedDocuments(StoreContext &store)
{
    BorrowedFile file(store, FileId::beleg);
    if (!file.opened() || file.manager().startPass(BEL::Keydat) != 0)
        return std::nullopt;
    std::vector<RecordBuffer> documents;
    while (file.manager().NextQuiet() == Level::Benign)
        documents.push_back(file.buffer());
    if (file.manager().threadState().ATEOF == 0)
        return std::nullopt;
    return documents;
}

IssueResult issueInvoice(StoreContext &store,
                         const std::string &orderId,
                         const RecordBuffer &document,
                         const IssuedBytes &bytes)
{
    DocumentWrite writeDocument{store, document, bytes};
    const CompanionWrite companion{
        &store.fileManager(FileId::beleg), [&writeDocument] { return writeDocument(); }, true};
    BorrowedFile documents(store, FileId::beleg);
    if (!documents.opened())
        return {};
    bool found = false;
    const int level = writeOrder(
        store,
        orderId,
        [&](RecordBuffer &order) {
            setPrinted(
                order, DocumentKind::Invoice, document.get(BEL::BDAT), document.get(BEL::BZEIT));
        },
        &companion,
        &found);
    return outcomeOf(store, level, found, writeDocument, document.get(BEL::BNR));
}

IssueResult cancelInvoice(StoreContext &store,
                          const std::string &orderId,
                          const RecordBuffer &cancellation,
                          const IssuedBytes &bytes)
{
    DocumentWrite writeDocument{store, cancellation, bytes};
    const std::string invoiceNumber = cancellation.get(BEL::BBEZUG);
    auto writeBoth = [&]() -> int {
        if (const int level = writeDocument(); level != Level::Benign)
            return level;
        // The invoice stays as issued but for what says it was cancelled.
        FileManager &file = store.fileManager(FileId::beleg);
        RecordBuffer &invoice = file.BUFFER();
        invoice.clear();
        invoice.set(BEL::BNR, invoiceNumber);
        if (file.FetchQuiet(BEL::Keybnr) != Level::Benign)
            return Level::Notify;
        invoice.set(BEL::BSPERRE, std::string());
        invoice.set(BEL::BBEZUG, cancellation.get(BEL::BNR));
        return file.UpdateQuiet();
    };
    const CompanionWrite companion{&store.fileManager(FileId::beleg), writeBoth, true};
    BorrowedFile documents(store, FileId::beleg);
    if (!documents.opened())
        return {};
    bool found = false;
    const int level = writeOrder(
        store,
        orderId,
        [](RecordBuffer &order) {
            order.set(AUF::FRENR, std::string());
            order.set(AUF::FREDAT, 0);
            order.set(AUF::FRECDRU, 0);
            order.set(AUF::FRECZEIT, 0);
            statusWithoutInvoice(order);
        },
        &companion,
        &found);
    return outcomeOf(store, level, found, writeDocument, cancellation.get(BEL::BNR));
}

std::string proposedCancellationNumber(StoreContext &store, rt::StdDate today)
{
    std::string last;
    if (const auto documents = issuedDocuments(store)) {
        for (const RecordBuffer &document : *documents) {
            if (document.get(BEL::BART) == BEL::kCancellation) {
                last = document.get(BEL::BNR);
                break;
            }
        }
    }
    std::string number = last.empty()
                             ? "ST-" + std::to_string(rt::ymdFromDate(today).year) + "-0001"
                             : nextDocumentNumber(last);
    // Numbers typed by hand may lie ahead.
    for (int tries = 0; tries < 1000 && !number.empty() && issuedDocument(store, number); ++tries)
        number = nextDocumentNumber(number);
    return number;
}

std::string lockedNote(const RecordBuffer &invoice)
{
    return "Rechnung " + invoice.get(BEL::BNR) + " ausgestellt am "
           + rt::formatDate(invoice.get(BEL::BDAT)) + " – zum Ändern stornieren";
}

std::string numberIssuedText(const std::string &number)
{
    return "Die Nummer " + std::string(rt::trimmed(number))
           + " trägt schon ein ausgestellter Beleg (vielleicht eben an einem anderen "
             "Arbeitsplatz ausgestellt).|Nichts wurde ausgestellt. Bitte eine andere Nummer "
             "eintragen und erneut drucken.";
}

} // namespace orders
