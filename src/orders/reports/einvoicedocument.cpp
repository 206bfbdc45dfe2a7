#include "einvoicedocument.h"

#include "documentdata.h"

#include "orders/einvoice/ciiwriter.h"
#include "orders/einvoice/missingdata.h"
#include "orders/einvoice/zugferdpdf.h"

#include "framework/report/pagequeue.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

namespace orders {

QByteArray archivePdf(const report::PageQueue &queue, const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("TESSARO"));
        if (!queue.print(writer))
            return {};
    }
    return bytes;
}

InvoicePdf makeInvoicePdf(DocumentReport report,
                          const DocumentData &data,
                          const einvoice::Invoice &invoice,
                          einvoice::Profile profile,
                          const QDateTime &created)
{
    InvoicePdf result;
    result.missing = einvoice::missingEInvoiceData(invoice, profile);
    if (!result.missing.isEmpty())
        return result;

    const QString title = QStringLiteral("Rechnung ") + invoice.number;
    report::PageQueue queue;
    QByteArray plain;
    if (printDocument(report, data, invoice, queue))
        plain = archivePdf(queue, title);
    if (plain.isEmpty()) {
        result.error = QStringLiteral("Die Rechnung konnte nicht als PDF gedruckt werden.");
        return result;
    }
    result.xml = einvoice::writeCii(invoice, profile);
    einvoice::PdfMeta meta;
    meta.profile = profile;
    meta.title = title;
    meta.author = invoice.seller.name;
    meta.subject = title + QStringLiteral(" an ") + invoice.buyer.name;
    meta.created = created;
    einvoice::ZugferdPdf pdf = einvoice::makeZugferdPdf(plain, result.xml, meta);
    result.error = pdf.error;
    result.pdf = std::move(pdf.pdf);
    return result;
}

einvoice::SaveResult saveInvoicePdf(const QString &path,
                                    DocumentReport report,
                                    const DocumentData &data,
                                    const einvoice::Invoice &invoice,
                                    einvoice::Profile profile,
                                    const QDateTime &created)
{
    const InvoicePdf made = makeInvoicePdf(report, data, invoice, profile, created);
    einvoice::SaveResult result;
    result.missing = made.missing;
    result.error = made.error;
    if (!result.written())
        return result;
    return einvoice::saveFile(path, made.pdf);
}

} // namespace orders
