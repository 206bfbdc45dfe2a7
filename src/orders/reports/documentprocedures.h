#pragma once

#include "documentreports.h"
#include "einvoiceexport.h"

#include <string>

class AppContext;

namespace orders {
struct DocumentData;
struct IssuedBytes;
} // namespace orders
class ProcedureRegistry;

namespace orders {

// The order a document procedure prints: the one whose form runs on the calling thread
// (`CurrentOrderId`), or, for the invoice started from the menu, the order whose form was
// opened last. Empty when there is none.
std::string documentOrderId(AppContext &app, DocumentReport report);

// A document went out: printed, or saved as a PDF. The order records the printed-on date and
// time of the document's kind (which decides its status on the form's next OK), and its
// customer's turnover follows. Everything that follows from sending a document starts here.
// An invoice with a number that goes out the first time is issued then, as `issued` (its
// bytes as printed or saved), in one step with its printed-on date.
void documentPrinted(AppContext &app,
                     DocumentReport report,
                     const DocumentData &data,
                     const IssuedBytes *issued = nullptr);

// Runs one document report on the calling thread: progress window, preview, printing. Without
// an order to print the user is told so and nothing opens.
void runDocumentReport(AppContext &app, DocumentReport report);

// Writes the e-invoice of the calling thread's order in `format` to a file the user picks:
// "XRechnungspeichern", "ZUGFeRDspeichern". When the invoice lacks data, a message lists every
// missing item and where it is entered, and no file is written.
void runEInvoiceSave(AppContext &app, EInvoiceFormat format);
// The same for an order's data at hand; true when the file was written.
bool saveEInvoiceAsked(AppContext &app, const DocumentData &data, EInvoiceFormat format);

// The six documents by their names ("DrucRECmax" …) and the two e-invoice saves.
void registerDocumentReports(ProcedureRegistry &registry);

} // namespace orders
