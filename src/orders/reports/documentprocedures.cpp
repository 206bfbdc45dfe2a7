#include "documentprocedures.h"

#include "documentdata.h"
#include "documentissue.h"
#include "documentlayout.h"
#include "documentloader.h"
#include "reminderprocedure.h"

#include "base/text.h"
#include "framework/appcontext.h"
#include "framework/dialogs.h"
#include "framework/pagepreview.h"
#include "framework/procedureregistry.h"
#include "framework/recordsource.h"
#include "framework/report/pagequeue.h"
#include "framework/reportrunner.h"
#include "orders/core/documentnumbers.h"
#include "orders/core/issueddocuments.h"
#include "orders/core/orderstore.h"
#include "orders/core/orderthreadvalues.h"
#include "orders/core/turnover.h"
#include "store/errormanager.h"
#include "store/files.h"
#include "store/storecontext.h"

#include <QDir>

#include <memory>
#include <optional>

namespace orders {
namespace {

constexpr DocumentReport kReports[] = {
    DocumentReport::DrucRECmax,
    DocumentReport::DrucRECdet,
    DocumentReport::DrucRECstan,
    DocumentReport::DrucRECmin,
    DocumentReport::DrucANGmax,
    DocumentReport::DrucANGmin,
    DocumentReport::DrucLIEstan,
    DocumentReport::DrucLIEmin,
};

// Before the main frame has opened the factor is not set yet; the documents still show the
// rate the program works with rather than "-100 % MwSt.".
constexpr double kVatFactor = 1.19;

// The rows of a document: its positions, or the order alone when it has none, so that an
// order without positions still prints its header and sums.
class PositionWalk : public RecordSource
{
public:
    explicit PositionWalk(const std::optional<DocumentData> &data)
        : m_data(data)
    {}

    bool first() override
    {
        m_at = 0;
        return m_data.has_value();
    }
    bool next() override { return ++m_at < rows(); }
    int percent() const override { return rows() ? m_at * 100 / rows() : 0; }

    // The position of the current row; none for the order alone.
    const CalculationData *position() const
    {
        if (!m_data || m_at >= int(m_data->calculations.size()))
            return nullptr;
        return &m_data->calculations[std::size_t(m_at)];
    }

private:
    int rows() const { return m_data ? std::max(1, int(m_data->calculations.size())) : 0; }

    const std::optional<DocumentData> &m_data;
    int m_at = 0;
};

bool isInvoice(DocumentReport report);

// Why an e-invoice was not written, its lines as a message box shows them.
void tellNotWritten(AppContext &app, QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    app.store().errors().presenter().show("E-Rechnung",
                                          text.toStdString(),
                                          MessageIcon::Warning,
                                          MessageButton::Ok,
                                          MessageButton::Ok);
}

class DocumentProcedure : public ReportRunner
{
public:
    DocumentProcedure(AppContext &app, DocumentReport which, std::optional<DocumentData> data)
        : ReportRunner(app, documentReportName(which).toStdString(), m_walk)
        , m_which(which)
        , m_data(std::move(data))
        , m_walk(m_data)
    {
        usePreview();
    }

protected:
    void OpenReport() override
    {
        const double vat = app().VatFactor > 0 ? app().VatFactor : kVatFactor;
        m_printer = std::make_unique<DocumentPrinter>(m_which, *m_data, vat, *PREVIEWQUEUE);
    }

    int TakeRecord() override
    {
        if (const CalculationData *position = m_walk.position())
            m_printer->printCalculation(*position);
        return m_printer->ok() ? Level::Benign : Level::Fatal;
    }

    void EndReport() override
    {
        if (m_printer)
            m_printer->finish();
    }

    // An invoice goes out as the bytes that are issued: made before its pages go to the
    // printer, unless a PDF of it was saved already.
    void PrintPages() override
    {
        if (m_data && isInvoice(m_which) && m_issued.pdf.empty() && PREVIEWQUEUE)
            m_issued = invoiceBytes(*m_data, m_which, *PREVIEWQUEUE);
        ReportRunner::PrintPages();
    }

    void OnPrinted() override
    {
        if (m_data)
            documentPrinted(app(), m_which, *m_data, isInvoice(m_which) ? &m_issued : nullptr);
    }

    // An invoice's preview saves the e-invoice: XRechnung by a button of its own, and the
    // ZUGFeRD PDF for "PDF speichern" when the customer takes ZUGFeRD. When the invoice lacks
    // data for it, the message says what, and the pages are saved as they are.
    void PreparePreview(PagePreview &preview) override
    {
        if (!m_data || !isInvoice(m_which))
            return;
        AppContext &context = app();
        const DocumentData &data = *m_data;
        preview.reportButtonText = QStringLiteral("XRechnung speichern …");
        preview.reportButtonAction = [&context, &data] {
            saveEInvoiceAsked(context, data, EInvoiceFormat::XRechnung);
        };
        // "PDF speichern" of an invoice writes the bytes that are issued, so that the file
        // the user keeps and the stored document are the same.
        preview.pdfSaver = [this, &context, &data](const QString &file) {
            if (customerFormat(data) == EInvoiceFormat::Zugferd) {
                einvoice::SaveResult result;
                result.missing = missingForEInvoice(data, EInvoiceFormat::Zugferd);
                if (!result.written()) {
                    tellNotWritten(context,
                                   notWrittenText(result)
                                       + QStringLiteral("\nDie Rechnung wird als einfache "
                                                        "PDF-Datei gespeichert."));
                }
            }
            const IssuedBytes bytes = invoiceBytes(data, m_which, *PREVIEWQUEUE);
            if (bytes.pdf.empty()
                || !einvoice::saveFile(file, QByteArray::fromStdString(bytes.pdf)).written())
                return false;
            if (m_issued.pdf.empty())
                m_issued = bytes;
            return true;
        };
    }

private:
    DocumentReport m_which;
    std::optional<DocumentData> m_data;
    PositionWalk m_walk;
    std::unique_ptr<DocumentPrinter> m_printer;
    IssuedBytes m_issued; // an invoice's, as it went out first
};

bool isInvoice(DocumentReport report)
{
    return report == DocumentReport::DrucRECmax || report == DocumentReport::DrucRECdet
           || report == DocumentReport::DrucRECstan || report == DocumentReport::DrucRECmin;
}

// An invoice with blanks for its number or dates is no invoice: the user is told what to
// fill in on the order instead.
bool invoiceComplete(AppContext &app, const RecordBuffer &order)
{
    const std::vector<std::string> missing = missingInvoiceData(order);
    if (missing.empty())
        return true;
    std::string list;
    for (const std::string &what : missing)
        list += (list.empty() ? "" : ", ") + what;
    MessagePresenter &presenter = app.store().errors().presenter();
    presenter.beep();
    presenter.show("HINWEIS",
                   "Die Rechnung kann nicht gedruckt werden.|Im Auftrag fehlt: " + list
                       + ".|Bitte im Auftrag eintragen, dann erneut drucken.",
                   MessageIcon::Information,
                   MessageButton::Ok,
                   MessageButton::Ok);
    return false;
}

// A number that an issued document carries (a cancelled invoice, a cancellation) is never
// issued again.
bool invoiceNumberNotIssued(AppContext &app, const RecordBuffer &order)
{
    const std::string number = order.get(AUF::FRENR);
    if (!issuedDocument(app.store(), number))
        return true;
    MessagePresenter &presenter = app.store().errors().presenter();
    presenter.beep();
    presenter.show("ACHTUNG",
                   numberIssuedText(number),
                   MessageIcon::Warning,
                   MessageButton::Ok,
                   MessageButton::Ok);
    return false;
}

} // namespace

std::string documentOrderId(AppContext &app, DocumentReport report)
{
    std::string id = app.threadSlot<orders::OrderThreadValues>().CurrentOrderId;
    if (rt::isBlank(id) && report == DocumentReport::DrucRECmax)
        id = app.LastOpenedOrderId;
    return rt::isBlank(id) ? std::string() : id;
}

void documentPrinted(AppContext &app,
                     DocumentReport report,
                     const DocumentData &data,
                     const IssuedBytes *issued)
{
    StoreContext &store = app.store();
    // An invoice with a number is issued as it goes out the first time.
    if (issued && isInvoice(report) && !rt::isBlank(data.order.get(AUF::FRENR))
        && !standingInvoice(store, data.order.get(AUF::FID))) {
        issueInvoiceAsPrinted(app, data, *issued);
        return;
    }
    const int level = recordPrinted(
        store, data.order.get(AUF::FID), documentProfile(report).kind, rt::today(), rt::clockNow());
    if (level == Level::Benign)
        refreshTurnover(store, data.order.get(AUF::FKUID));
}

void runDocumentReport(AppContext &app, DocumentReport report)
{
    const std::string id = documentOrderId(app, report);
    if (id.empty()) {
        MessagePresenter &presenter = app.store().errors().presenter();
        presenter.beep();
        presenter.show("HINWEIS",
                       "Es ist kein Auftrag zum Drucken da.|Bitte öffnen Sie zuerst den Auftrag, "
                       "dessen Beleg gedruckt werden soll.",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        app.LastResponse = Response::Cancelled;
        return;
    }
    std::optional<DocumentData> data = loadDocumentData(app.store(), id);
    // An order never saved has no row: the progress window says "No Records".
    if (data && rt::isBlank(data->order.get(AUF::FID)))
        data.reset();
    if (data && isInvoice(report)) {
        // An issued invoice is printed again only as the copy of what went out.
        if (const auto issued = standingInvoice(app.store(), id)) {
            app.LastResponse = showIssuedCopy(app, issued->get(BEL::BNR)) ? Response::Completed
                                                                          : Response::Cancelled;
            return;
        }
        // An invoice number that another order carries is refused here as on the order form.
        if (!invoiceComplete(app, data->order)
            || refuseTakenInvoiceNumber(
                app.store(), data->order.get(AUF::FRENR), data->order.get(AUF::FID))
            || !invoiceNumberNotIssued(app, data->order)) {
            app.LastResponse = Response::Cancelled;
            return;
        }
    }
    DocumentProcedure procedure(app, report, std::move(data));
    app.LastResponse = procedure.Run();
}

void runEInvoiceSave(AppContext &app, EInvoiceFormat format)
{
    app.LastResponse = Response::Cancelled;
    MessagePresenter &presenter = app.store().errors().presenter();
    const std::string id = app.threadSlot<orders::OrderThreadValues>().CurrentOrderId;
    const std::optional<DocumentData> data
        = rt::isBlank(id) ? std::nullopt : loadDocumentData(app.store(), id);
    if (!data || rt::isBlank(data->order.get(AUF::FID))) {
        presenter.show("HINWEIS",
                       "Es ist kein gespeicherter Auftrag da, dessen E-Rechnung geschrieben "
                       "werden könnte.",
                       MessageIcon::Information,
                       MessageButton::Ok,
                       MessageButton::Ok);
        return;
    }
    if (saveEInvoiceAsked(app, *data, format))
        app.LastResponse = Response::Completed;
}

bool saveEInvoiceAsked(AppContext &app, const DocumentData &data, EInvoiceFormat format)
{
    // What is missing is said before a file name is asked for.
    einvoice::SaveResult result;
    result.missing = missingForEInvoice(data, format);
    if (result.missing.isEmpty()) {
        const bool pdf = format == EInvoiceFormat::Zugferd;
        const QString file = askSaveFileName(
            pdf ? QStringLiteral("ZUGFeRD speichern") : QStringLiteral("XRechnung speichern"),
            QDir::current().filePath(proposedFileName(data, format)),
            pdf ? QStringLiteral("PDF (*.pdf)") : QStringLiteral("XML (*.xml)"));
        if (file.isEmpty())
            return false;
        result = writeEInvoice(file, data, format);
        if (result.written())
            return true;
    }
    app.store().errors().presenter().beep();
    tellNotWritten(app, notWrittenText(result));
    return false;
}

void registerDocumentReports(ProcedureRegistry &registry)
{
    registry.add("XRechnungspeichern",
                 [](AppContext &app) { runEInvoiceSave(app, EInvoiceFormat::XRechnung); });
    registry.add("ZUGFeRDspeichern",
                 [](AppContext &app) { runEInvoiceSave(app, EInvoiceFormat::Zugferd); });
    registry.add("Stornieren", [](AppContext &app) { runCancelInvoice(app); });
    registry.add("Mahnungdrucken", runReminder);
    // The list of issued documents opens the one in the thread's `beleg` buffer.
    registry.add("Zeigebeleg", [](AppContext &app) {
        const std::string number = app.store().fileManager(FileId::beleg).BUFFER().get(BEL::BNR);
        app.LastResponse
            = showIssuedDocument(app, number) ? Response::Completed : Response::Cancelled;
    });
    for (DocumentReport report : kReports) {
        registry.add(documentReportName(report).toStdString(),
                     [report](AppContext &app) { runDocumentReport(app, report); });
    }
}

} // namespace orders
