#pragma once

#include "store/engine.h"

#include <filesystem>
#include <memory>

// Where the record files live. Today that is always a folder (the working folder), where the
// embedded engine keeps one database per record file; a location on a database server
// would be described here as well, and the factory below would pick its engine for it.
struct DataLocation
{
    std::filesystem::path folder;
};

// The engine for the data at a location: the one place that knows which engines there are.
std::unique_ptr<Engine> makeEngine(const DataLocation &location);
