#pragma once

#include "documentreports.h"

#include "orders/core/issueddocuments.h"

#include <QString>

#include <functional>
#include <string>

class AppContext;

namespace report {
class PageQueue;
}

namespace orders {

struct DocumentData;

// The bytes an invoice goes out as: the PDF/A-3 with the EN 16931 XML where the customer
// takes ZUGFeRD and the invoice lacks nothing for it, else the pages as an archive PDF; and
// the XRechnung XML where the customer takes XRechnung and it can be made. Empty when no PDF
// could be made.
IssuedBytes
invoiceBytes(const DocumentData &data, DocumentReport report, const report::PageQueue &pages);

// Issues the order's invoice that just went out as `bytes`, or tells the user why it could
// not be: its number was issued meanwhile (another station), or the store failed.
void issueInvoiceAsPrinted(AppContext &app, const DocumentData &data, const IssuedBytes &bytes);

// The issued invoice again: its stored PDF stamped "Kopie" on every page, opened in the
// system's PDF viewer, from which it can be printed. The stored original stays unmarked.
// False (the user told why) when it could not be shown.
bool showIssuedCopy(AppContext &app, const std::string &number);
// The stored PDF of an issued document, unmarked, opened in the system's PDF viewer.
bool showIssuedDocument(AppContext &app, const std::string &number);

// Opens a PDF file for the user: the system's viewer, unless a test put its own here.
std::function<bool(const QString &path)> &pdfViewer();

// "Stornieren": cancels the standing invoice of the order whose form runs on the calling
// thread, after asking. The cancellation goes out under the next number of its own range
// (after the last one issued), printed as a credit note and, for customers who take
// e-invoices, with its XML; then the order opens again for a new invoice.
void runCancelInvoice(AppContext &app);

} // namespace orders
