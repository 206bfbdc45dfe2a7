#pragma once

#include "orders/einvoice/invoice.h"

#include <QString>

#include <memory>

namespace report {
class PageQueue;
class ReportWriter;
} // namespace report

namespace orders {

struct DocumentData;
struct CalculationData;
class DocumentLayout;

// The documents that go to the customer: four invoices and two quotes, of increasing detail,
// and two delivery notes, which show no prices.
enum class DocumentReport {
    DrucRECmax,  // invoice, full detail
    DrucRECdet,  // invoice, detailed
    DrucRECstan, // invoice, standard
    DrucRECmin,  // invoice, short
    DrucANGmax,  // quote, full detail
    DrucANGmin,  // quote, short
    DrucLIEstan, // delivery note, standard
    DrucLIEmin,  // delivery note, short
};

// The procedure's name: "DrucRECmax".
QString documentReportName(DocumentReport report);

// Lays a document out one position after the other, so that a report can print it in
// batches: the positions in their order, then the order's sums and texts. Every amount it
// prints is the invoice's, which is made of the same data.
class DocumentPrinter
{
public:
    DocumentPrinter(DocumentReport report,
                    const DocumentData &data,
                    const einvoice::Invoice &invoice,
                    report::PageQueue &queue);
    // The invoice of the data with the VAT rate of the program's `VatFactor`.
    DocumentPrinter(DocumentReport report,
                    const DocumentData &data,
                    double vatFactor,
                    report::PageQueue &queue);
    ~DocumentPrinter();
    DocumentPrinter(const DocumentPrinter &) = delete;
    DocumentPrinter &operator=(const DocumentPrinter &) = delete;

    // One of the data's calculations.
    void printCalculation(const CalculationData &calculation);
    // Prints the order footer and ends the last page; false when a page could not be kept.
    bool finish();
    bool ok() const;

private:
    const einvoice::InvoiceLine &lineOf(const CalculationData &calculation);

    const DocumentData &m_data;
    einvoice::Invoice m_invoice;
    einvoice::InvoiceLine m_stray; // for a calculation that is not one of the data's
    std::unique_ptr<DocumentLayout> m_layout;
    std::unique_ptr<report::ReportWriter> m_writer;
};

// Lays the document out on A4 pages into the queue. An order that was never saved (no
// `AUF:FID`) prints nothing. False when nothing was printed or a page could not be kept.
bool printDocument(DocumentReport report,
                   const DocumentData &data,
                   const einvoice::Invoice &invoice,
                   report::PageQueue &queue);
// The same with the invoice made of the data at the VAT rate of `vatFactor`, the program's
// `VatFactor`.
bool printDocument(DocumentReport report,
                   const DocumentData &data,
                   double vatFactor,
                   report::PageQueue &queue);

inline bool DrucRECmax(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucRECmax, data, vatFactor, queue);
}
inline bool DrucRECdet(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucRECdet, data, vatFactor, queue);
}
inline bool DrucRECstan(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucRECstan, data, vatFactor, queue);
}
inline bool DrucRECmin(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucRECmin, data, vatFactor, queue);
}
inline bool DrucANGmax(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucANGmax, data, vatFactor, queue);
}
inline bool DrucANGmin(const DocumentData &data, double vatFactor, report::PageQueue &queue)
{
    return printDocument(DocumentReport::DrucANGmin, data, vatFactor, queue);
}

} // namespace orders
