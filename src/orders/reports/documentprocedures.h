#pragma once

#include "documentreports.h"

#include <string>

class AppContext;

namespace orders {
struct DocumentData;
}
class ProcedureRegistry;

namespace orders {

// The order a document procedure prints: the one whose form runs on the calling thread
// (`CurrentOrderId`), or, for the invoice started from the menu, the order whose form was
// opened last. Empty when there is none.
std::string documentOrderId(AppContext &app, DocumentReport report);

// A document went out: printed, or saved as a PDF. The order records the printed-on date and
// time of the document's kind (which decides its status on the form's next OK), and its
// customer's turnover follows. Everything that follows from sending a document starts here.
void documentPrinted(AppContext &app, DocumentReport report, const DocumentData &data);

// Runs one document report on the calling thread: progress window, preview, printing. Without
// an order to print the user is told so and nothing opens.
void runDocumentReport(AppContext &app, DocumentReport report);

// The six documents by their names ("DrucRECmax" …).
void registerDocumentReports(ProcedureRegistry &registry);

} // namespace orders
