#include "costing/forms/costingforms.h"

#include "framework/procedureregistry.h"

void registerCostingForms(ProcedureRegistry &registry)
{
    static_cast<void>(registry);
}
