#include "shell/lists/lists.h"

#include "framework/appcontext.h"
#include "framework/procedureregistry.h"
#include "shell/lists/listprocedure.h"
#include "shell/lists/updatetext.h"

void registerLists(ProcedureRegistry &registry)
{
    for (const shell::ListDef &def : shell::listDefinitions())
        registry.add(def.procedure, [&def](AppContext &app) { runList(app, def); });
    registry.add<Updatetext>("Updatetext");
}
