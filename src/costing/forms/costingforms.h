#pragma once

class ProcedureRegistry;

// The print calculation, the order's line forms and the catalogue forms, by name.
void registerCostingForms(ProcedureRegistry &registry);
