#pragma once

#include "store/engine.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// Where the record files live: a folder, where the embedded engine keeps one database per
// record file, or a database server that several stations share.
struct DataLocation
{
    enum class Kind { Folder, Server };

    std::filesystem::path folder;
    Kind kind = Kind::Folder;
    // With Server: the connection string ("host=… port=… dbname=… user=…"), never with a
    // password; the password comes from the client library's own ways or from `password`.
    std::string server{};
    // Asked for at start when the server wants one; kept in memory only.
    std::string password{};
    // Why the settings' server cannot be used (the folder is then the location).
    std::string problem{};
};

// The location that the settings file in `folder` names, section "Datenbank":
// "Engine=PostgreSQL" with "Verbindung=host=… port=… dbname=… user=…" for a server; anything
// else (no section, "Engine=SQLite") for the folder itself.
DataLocation dataLocationOf(const std::filesystem::path &folder);

// The location a text names: a connection string ("host=… dbname=…") for a server, else a data
// folder, read as dataLocationOf does.
DataLocation dataLocationFor(std::string_view text);

// The engine for the data at a location: the one place that knows which engines there are.
std::unique_ptr<Engine> makeEngine(const DataLocation &location);
