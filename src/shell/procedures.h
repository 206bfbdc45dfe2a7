#pragma once

class ProcedureRegistry;

// Every procedure the menu and the other procedures may start, by name. Each part of the
// program registers its own: the lists and list reports, the catalogue and line forms, the
// order and customer forms, the document reports.
void registerProcedures(ProcedureRegistry &registry);
