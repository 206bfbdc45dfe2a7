#include "costing/forms/costingforms.h"

#include "costing/forms/kaldruck.h"
#include "framework/procedureregistry.h"

void registerCostingForms(ProcedureRegistry &registry)
{
    registry.add<Updatekaldruck>("Updatekaldruck");
}
