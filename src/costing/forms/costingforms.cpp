#include "costing/forms/costingforms.h"

#include "costing/forms/catalogueforms.h"
#include "costing/forms/kaldruck.h"
#include "costing/forms/paperforms.h"
#include "costing/forms/servicelines.h"
#include "framework/procedureregistry.h"

void registerCostingForms(ProcedureRegistry &registry)
{
    registry.add<UpdateaufpapP>("UpdateaufpapP");
    registry.add<UpdatepapierR>("UpdatepapierR");
    registry.add<Updateasatz>("Updateasatz");
    registry.add<Updateanach>("Updateanach");
    registry.add<Updateatran>("Updateatran");
    registry.add<Updatemaschin>("Updatemaschin");
    registry.add<UpdatearbeitA>("UpdatearbeitA");
    registry.add<Updatesatz>("Updatesatz");
    registry.add<Updatetransport>("Updatetransport");
    registry.add<updatlief>("updatlief");
    registry.add<Updatekaldruck>("Updatekaldruck");
}
