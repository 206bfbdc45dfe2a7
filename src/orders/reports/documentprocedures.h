#pragma once

#include "documentreports.h"

#include <string>

class AppContext;
class ProcedureRegistry;

namespace orders {

// The order a document procedure prints: the one whose form runs on the calling thread
// (`CurrentOrderId`), or, for the invoice started from the menu, the order whose form was
// opened last. Empty when there is none.
std::string documentOrderId(AppContext &app, DocumentReport report);

// Runs one document report on the calling thread: progress window, preview, printing. Without
// an order to print the user is told so and nothing opens.
void runDocumentReport(AppContext &app, DocumentReport report);

// The six documents by their names ("DrucRECmax" …).
void registerDocumentReports(ProcedureRegistry &registry);

} // namespace orders
