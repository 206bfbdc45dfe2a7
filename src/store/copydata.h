#pragma once

#include "store/engine.h"

#include <string>

// Moves a data set between places (a folder and a database server, either way): every record
// file is read in insertion order and added to the target, in one transaction of the target
// as far as its engine can frame all files in one (the server can; the embedded engine
// frames up to ten and writes the rest at once), then counted and checksummed on both sides.
// A target file that holds records is only replaced when `overwrite` says so.
struct CopyResult
{
    bool ok = false;
    std::string report; // per file: name, records, checksum; or what went wrong (German)
};

CopyResult copyData(Engine &from, Engine &to, bool overwrite);
