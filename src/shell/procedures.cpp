#include "shell/procedures.h"

#include "costing/forms/costingforms.h"
#include "framework/procedureregistry.h"
#include "orders/forms/orderforms.h"
#include "orders/reports/documentprocedures.h"
#include "shell/listreports/listreportprocedure.h"
#include "shell/lists/lists.h"

void registerProcedures(ProcedureRegistry &registry)
{
    // One line per part of the program, in the order the parts build on each other.
    registerCostingForms(registry);
    registerLists(registry);
    registerOrderForms(registry);
    orders::registerDocumentReports(registry);
    shell::registerListReports(registry);
}
