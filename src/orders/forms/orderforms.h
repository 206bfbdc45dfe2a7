#pragma once

class ProcedureRegistry;

// The order forms and the customer forms, by name.
void registerOrderForms(ProcedureRegistry &registry);
