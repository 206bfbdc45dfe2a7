#include "store/enginefactory.h"

#include "store/inifile.h"
#include "store/inimanager.h"

#include "store/postgres/postgresengine.h"
#include "store/sqlite/sqliteengine.h"

std::unique_ptr<Engine> makeEngine(const DataLocation &location)
{
    if (location.kind == DataLocation::Kind::Server)
        return std::make_unique<PostgresEngine>(location.server, location.password);
    return std::make_unique<SqliteEngine>(location.folder);
}

DataLocation dataLocationOf(const std::filesystem::path &folder)
{
    DataLocation location;
    location.folder = folder;
    const IniFile ini = IniFile::load(folder / std::string(IniManager::DefaultFileName));
    const std::string engine = ini.value("Datenbank", "Engine").value_or("SQLite");
    auto lower = [](std::string text) {
        for (char &c : text)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
        return text;
    };
    if (lower(engine) != "postgresql")
        return location;
    const std::string server = PostgresEngine::connectionString(
        ini.value("Datenbank", "Verbindung").value_or(""), location.problem);
    if (server.empty())
        return location;
    location.kind = DataLocation::Kind::Server;
    location.server = server;
    return location;
}

DataLocation dataLocationFor(std::string_view text)
{
    if (text.find('=') == std::string_view::npos)
        return dataLocationOf(std::filesystem::path(text));
    DataLocation location;
    location.server = PostgresEngine::connectionString(text, location.problem);
    if (!location.server.empty())
        location.kind = DataLocation::Kind::Server;
    return location;
}
