#pragma once

struct DataLocation;

// "tessaro --copy-data FROM TO [--overwrite]": moves a shop's data set from one place to
// another without opening a window. FROM and TO are data folders (whose settings file says
// where their data lives) or connection strings of a server. Returns the program's exit
// code, or -1 when the arguments ask for something else.
int runCopyCommand(int argc, char *argv[]);

// Whether two locations are one data set: the same server connection, or folders that are the
// same once links and dots are resolved. A copy onto itself would destroy what it copies.
bool samePlace(const DataLocation &a, const DataLocation &b);
