#pragma once

// "tessaro --copy-data FROM TO [--overwrite]": moves a shop's data set from one place to
// another without opening a window. FROM and TO are data folders (whose settings file says
// where their data lives) or connection strings of a server. Returns the program's exit
// code, or -1 when the arguments ask for something else.
int runCopyCommand(int argc, char *argv[]);
