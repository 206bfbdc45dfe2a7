#pragma once

class ProcedureRegistry;

// Every list window of the record files and the text form, under their procedure names.
void registerLists(ProcedureRegistry &registry);
