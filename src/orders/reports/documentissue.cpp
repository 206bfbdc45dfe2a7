#include "documentissue.h"

#include "documentdata.h"
#include "documentloader.h"
#include "einvoicedocument.h"
#include "einvoiceexport.h"

#include "base/text.h"
#include "framework/appcontext.h"
#include "framework/report/pagequeue.h"
#include "orders/core/orderstore.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/core/turnover.h"
#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/missingdata.h"
#include "orders/einvoice/parties.h"
#include "orders/einvoice/pdfstamp.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QDesktopServices>
#include <QDir>
#include <QTemporaryFile>
#include <QUrl>

namespace orders {
namespace {

std::string toStd(const QByteArray &bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void tell(AppContext &app, const std::string &title, const std::string &text, MessageIcon icon)
{
    MessagePresenter &presenter = app.store().errors().presenter();
    presenter.beep();
    presenter.show(title, text, icon, MessageButton::Ok, MessageButton::Ok);
}

// A PDF handed to the system's viewer lives in the temporary folder under a name that says
// what it is; the viewer may read it after we have returned, so it stays.
bool openPdf(const QByteArray &pdf, const std::string &number)
{
    QString name = QString::fromStdString(std::string(rt::trimmed(number)));
    for (QChar &c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    }
    QTemporaryFile file(
        QDir::temp().filePath(QStringLiteral("Beleg-") + name + QStringLiteral("-XXXXXX.pdf")));
    file.setAutoRemove(false);
    if (pdf.isEmpty() || !file.open() || file.write(pdf) != pdf.size() || !file.flush())
        return false;
    file.close();
    return pdfViewer()(file.fileName());
}

bool viewInSystem(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

std::function<bool(const QString &path)> &pdfViewer()
{
    static std::function<bool(const QString &path)> viewer = viewInSystem;
    return viewer;
}

IssuedBytes
invoiceBytes(const DocumentData &data, DocumentReport report, const report::PageQueue &pages)
{
    IssuedBytes bytes;
    const double vatFactor = einvoice::vatFactorOf(data.company);
    const einvoice::Invoice invoice = einvoice::invoiceOf(data, vatFactor);
    const std::optional<EInvoiceFormat> format = customerFormat(data);
    if (format == EInvoiceFormat::Zugferd) {
        const InvoicePdf made = makeInvoicePdf(report, data, invoice);
        if (made.ok())
            bytes.pdf = toStd(made.pdf);
    }
    if (format == EInvoiceFormat::XRechnung
        && einvoice::missingEInvoiceData(invoice, einvoice::Profile::XRechnung).isEmpty())
        bytes.xml = toStd(einvoice::writeCii(invoice, einvoice::Profile::XRechnung));
    if (bytes.pdf.empty())
        bytes.pdf = toStd(archivePdf(pages, QStringLiteral("Rechnung ") + invoice.number));
    return bytes;
}

void issueInvoiceAsPrinted(AppContext &app, const DocumentData &data, const IssuedBytes &bytes)
{
    StoreContext &store = app.store();
    const RecordBuffer &order = data.order;
    if (bytes.pdf.empty()) {
        tell(app,
             "ACHTUNG",
             "Die Rechnung " + order.get(AUF::FRENR)
                 + " ging hinaus, ihr PDF konnte aber nicht erzeugt werden; sie ist nicht als "
                   "ausgestellt gespeichert.",
             MessageIcon::Warning);
        return;
    }
    RecordBuffer document = invoiceDocument(
        order, rt::today(), rt::clockNow(), data.customerEInvoice.get(KER::KEFORM), bytes);
    // The list of documents names the customer as the invoice does.
    if (rt::isBlank(document.get(BEL::BKNAME)))
        document.set(BEL::BKNAME, data.customer.get(KUN::KNAME));
    const IssueResult result = issueInvoice(store, order.get(AUF::FID), document, bytes);
    if (result.outcome != IssueOutcome::Issued && !result.message.empty())
        tell(app, "ACHTUNG", result.message, MessageIcon::Warning);
    if (result.outcome == IssueOutcome::Issued)
        refreshTurnover(store, order.get(AUF::FKUID));
}

bool showIssuedCopy(AppContext &app, const std::string &number)
{
    const std::optional<IssuedBytes> bytes = issuedBytes(app.store(), number);
    const QByteArray stored = bytes ? QByteArray::fromStdString(bytes->pdf) : QByteArray();
    const QByteArray copy = einvoice::stampEveryPage(stored, QStringLiteral("Kopie"));
    if (openPdf(copy, number + "-Kopie"))
        return true;
    tell(app,
         "HINWEIS",
         "Die ausgestellte Rechnung " + number + " konnte nicht als Kopie angezeigt werden.",
         MessageIcon::Information);
    return false;
}

bool showIssuedDocument(AppContext &app, const std::string &number)
{
    const std::optional<IssuedBytes> bytes = issuedBytes(app.store(), number);
    if (bytes && openPdf(QByteArray::fromStdString(bytes->pdf), number))
        return true;
    tell(app,
         "HINWEIS",
         "Der Beleg " + number + " konnte nicht angezeigt werden.",
         MessageIcon::Information);
    return false;
}

void runCancelInvoice(AppContext &app)
{
    app.LastResponse = Response::Cancelled;
    StoreContext &store = app.store();
    const std::string orderId = app.threadSlot<OrderThreadValues>().CurrentOrderId;
    const std::optional<RecordBuffer> invoice = standingInvoice(store, orderId);
    if (!invoice) {
        tell(app,
             "HINWEIS",
             "Dieser Auftrag hat keine ausgestellte Rechnung, die storniert werden könnte.",
             MessageIcon::Information);
        return;
    }
    const std::string number = proposedCancellationNumber(store, rt::today());
    MessagePresenter &presenter = store.errors().presenter();
    const std::string invoiceNumber = invoice->get(BEL::BNR);
    if (presenter.show("Stornieren",
                       "Rechnung " + invoiceNumber
                           + " stornieren?|Die Stornorechnung erhält die "
                             "Nummer "
                           + number
                           + " und wird als Beleg aufbewahrt; danach kann "
                             "der Auftrag geändert und neu berechnet werden.",
                       MessageIcon::Question,
                       MessageButton::Yes | MessageButton::No,
                       MessageButton::No)
        != MessageButton::Yes)
        return;

    std::optional<DocumentData> data = loadDocumentData(store, orderId);
    if (!data) {
        tell(app, "HINWEIS", "Der Auftrag konnte nicht gelesen werden.", MessageIcon::Information);
        return;
    }
    // The credit note is printed and written from the order as it was invoiced: the order
    // still holds the invoice's positions, which were locked since it went out.
    const rt::StdDate today = rt::today();
    data->order.set(AUF::FRENR, number);
    data->order.set(AUF::FREDAT, today);
    einvoice::Invoice credit = einvoice::invoiceOf(*data, einvoice::vatFactorOf(data->company));
    credit.type = einvoice::DocumentType::CreditNote;
    credit.precedingInvoice = QString::fromStdString(invoiceNumber);
    credit.precedingDate = invoice->get(BEL::BDAT);
    credit.dueDate = credit.issueDate; // the refund is due at once
    credit.skonto.reset();

    IssuedBytes bytes;
    const std::optional<EInvoiceFormat> format = customerFormat(*data);
    const InvoicePdf made = makeInvoicePdf(DocumentReport::DrucRECstan, *data, credit);
    if (format == EInvoiceFormat::Zugferd && made.ok()) {
        bytes.pdf = toStd(made.pdf);
    } else {
        report::PageQueue pages;
        DocumentPrinter printer(DocumentReport::DrucRECstan, *data, credit, pages);
        for (const CalculationData &calculation : data->calculations)
            printer.printCalculation(calculation);
        if (printer.finish())
            bytes.pdf = toStd(archivePdf(
                pages, QStringLiteral("Stornorechnung ") + QString::fromStdString(number)));
    }
    if (format == EInvoiceFormat::XRechnung
        && einvoice::missingEInvoiceData(credit, einvoice::Profile::XRechnung).isEmpty())
        bytes.xml = toStd(einvoice::writeCii(credit, einvoice::Profile::XRechnung));
    if (bytes.pdf.empty()) {
        tell(app,
             "ACHTUNG",
             "Die Stornorechnung konnte nicht erzeugt werden; nichts wurde storniert.",
             MessageIcon::Warning);
        return;
    }
    const RecordBuffer cancellation
        = cancellationDocument(*invoice, number, today, rt::clockNow(), bytes);
    const IssueResult result = cancelInvoice(store, orderId, cancellation, bytes);
    if (result.outcome != IssueOutcome::Issued) {
        if (!result.message.empty())
            tell(app, "ACHTUNG", result.message, MessageIcon::Warning);
        return;
    }
    refreshTurnover(store, data->order.get(AUF::FKUID));
    app.LastResponse = Response::Completed;
    showIssuedDocument(app, number);
}

} // namespace orders
