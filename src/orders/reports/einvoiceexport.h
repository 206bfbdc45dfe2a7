#pragma once

#include "documentreports.h"

#include "orders/einvoice/einvoicefile.h"
#include "orders/einvoice/invoice.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace orders {

struct DocumentData;

// The file an order's e-invoice is written as: a PDF/A-3 with the EN 16931 XML (ZUGFeRD), or
// the XRechnung XML by itself.
enum class EInvoiceFormat { Zugferd, XRechnung };

// The format the customer asked for on the customer form; nullopt for paper.
std::optional<EInvoiceFormat> customerFormat(const DocumentData &data);

// The file name a save dialog proposes: "Rechnung-R0042.pdf", "Rechnung-R0042.xml".
QString proposedFileName(const DocumentData &data, EInvoiceFormat format);

// What the order's invoice lacks for an e-invoice in `format`, one German item each, saying
// where it is entered; empty when it can be written. Here and in writeEInvoice the invoice
// carries the VAT rate of the shop's own data (`DocumentData::company`).
QStringList missingForEInvoice(const DocumentData &data, EInvoiceFormat format);

// Writes the order's e-invoice to `path`, printed in `report`'s layout for ZUGFeRD. Nothing is
// written when the invoice lacks something the format needs; the result then lists it in
// German, each item with where it is entered.
einvoice::SaveResult writeEInvoice(const QString &path,
                                   const DocumentData &data,
                                   EInvoiceFormat format,
                                   DocumentReport report = DocumentReport::DrucRECstan);

// The German text of a result that wrote nothing: a sentence and the list of what is
// missing, one item a line.
QString notWrittenText(const einvoice::SaveResult &result);

} // namespace orders
