#pragma once

#include "documentreports.h"

#include "orders/einvoice/einvoicefile.h"
#include "orders/einvoice/invoice.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace orders {

// The pages as a PDF written for archiving: fonts embedded and an sRGB output intent, as
// PDF/A asks. `title` goes into the document information.
QByteArray archivePdf(const report::PageQueue &queue, const QString &title);

struct InvoicePdf
{
    QStringList missing; // what the invoice lacks for an e-invoice; nothing was made
    QString error;       // the PDF could not be made
    QByteArray pdf;      // PDF/A-3 with the XML embedded
    QByteArray xml;      // the XML it carries
    bool ok() const { return missing.isEmpty() && error.isEmpty(); }
};

// The invoice printed in the chosen layout and its XML in one PDF/A-3. `created` fixes the
// file's time (tests); now when not valid.
InvoicePdf makeInvoicePdf(DocumentReport report,
                          const DocumentData &data,
                          const einvoice::Invoice &invoice,
                          einvoice::Profile profile = einvoice::Profile::En16931,
                          const QDateTime &created = {});

// The same, written to `path` only when nothing is missing and the PDF could be made.
einvoice::SaveResult saveInvoicePdf(const QString &path,
                                    DocumentReport report,
                                    const DocumentData &data,
                                    const einvoice::Invoice &invoice,
                                    einvoice::Profile profile = einvoice::Profile::En16931,
                                    const QDateTime &created = {});

} // namespace orders
