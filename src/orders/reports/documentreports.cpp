#include "documentreports.h"

#include "documentdata.h"
#include "documentlayout.h"

#include "orders/einvoice/invoicebuilder.h"
#include "orders/einvoice/parties.h"

#include "framework/report/pagequeue.h"
#include "framework/report/reportwriter.h"

#include "base/text.h"

namespace orders {
namespace {

// The page header reaches down to the column headings; the bottom margin leaves room for
// the printer's unprintable edge.
const report::PageFrame kFrame{{210, 297}, 0, 15};

} // namespace

DocumentPrinter::DocumentPrinter(DocumentReport which,
                                 const DocumentData &data,
                                 const einvoice::Invoice &invoice,
                                 report::PageQueue &queue)
    : m_data(data)
    , m_invoice(invoice)
    , m_layout(std::make_unique<DocumentLayout>(documentProfile(which), data, m_invoice))
    , m_writer(std::make_unique<report::ReportWriter>(queue, kFrame))
{
    const DocumentLayout &layout = *m_layout;
    m_writer->setPageHeader([&layout](int page) { return layout.pageHeader(page); });
    if (layout.printsLetterhead())
        m_writer->setPageFooter([&layout](int page) { return layout.pageFooter(page); });
}

DocumentPrinter::DocumentPrinter(DocumentReport which,
                                 const DocumentData &data,
                                 double vatFactor,
                                 report::PageQueue &queue)
    : DocumentPrinter(which, data, einvoice::invoiceOf(data, vatFactor), queue)
{}

DocumentPrinter::~DocumentPrinter() = default;

const einvoice::InvoiceLine &DocumentPrinter::lineOf(const CalculationData &calculation)
{
    // The invoice has one line per calculation, in the calculations' order, before any other.
    const std::vector<CalculationData> &all = m_data.calculations;
    for (std::size_t i = 0; i < all.size() && i < m_invoice.lines.size(); ++i) {
        if (&all[i] == &calculation)
            return m_invoice.lines[i];
    }
    m_stray = einvoice::calculationLine(calculation);
    return m_stray;
}

void DocumentPrinter::printCalculation(const CalculationData &calculation)
{
    report::ReportWriter &writer = *m_writer;
    const einvoice::InvoiceLine &line = lineOf(calculation);
    const report::Band header = m_layout->calculationHeader(calculation.kaldruck, line);
    const report::Band footer = m_layout->calculationFooter(line);
    std::vector<report::Band> details;
    if (m_layout->showsTypesetting()) {
        for (std::size_t i = 0; i < calculation.typesetting.size(); ++i)
            details.push_back(m_layout->detail(calculation.typesetting[i], line, i));
    }
    // A position that fits on one page is not split. A longer one never starts at the foot
    // of a page without its first row, and its last row never leaves the position price
    // alone on the next page.
    double rest = footer.height();
    for (const report::Band &band : details)
        rest += band.height();
    if (header.height() + rest > writer.pageRoom() && details.size() > 1)
        rest = details.front().height();
    writer.print(header, rest);
    for (std::size_t i = 0; i < details.size(); ++i)
        writer.print(details[i], i + 1 == details.size() ? footer.height() : 0);
    writer.print(footer);
}

bool DocumentPrinter::finish()
{
    m_writer->print(m_layout->orderFooter());
    m_writer->finish();
    return ok() && m_writer->pageNumber() > 0;
}

bool DocumentPrinter::ok() const
{
    return m_writer->ok();
}

bool printDocument(DocumentReport which,
                   const DocumentData &data,
                   double vatFactor,
                   report::PageQueue &queue)
{
    return printDocument(which, data, einvoice::invoiceOf(data, vatFactor), queue);
}

bool printDocument(DocumentReport which,
                   const DocumentData &data,
                   const einvoice::Invoice &invoice,
                   report::PageQueue &queue)
{
    if (rt::isBlank(data.order.get(AUF::FID)))
        return false;
    DocumentPrinter printer(which, data, invoice, queue);
    for (const CalculationData &calculation : data.calculations)
        printer.printCalculation(calculation);
    return printer.finish();
}

} // namespace orders
