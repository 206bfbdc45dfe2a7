#include "store/databasesettings.h"

#include "store/enginefactory.h"
#include "store/inifile.h"
#include "store/inimanager.h"

#include "store/postgres/postgresengine.h"

#include <utility>
#include <vector>

namespace {

constexpr std::string_view kSection = "Datenbank";

std::filesystem::path iniPath(const std::filesystem::path &folder)
{
    return folder / std::string(IniManager::DefaultFileName);
}

std::string lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
    return text;
}

// A value as the client library reads it back: bare where it can be, quoted otherwise.
std::string connectionValue(std::string_view value)
{
    bool bare = !value.empty();
    for (const char c : value)
        bare = bare && c != ' ' && c != '\'' && c != '\\' && c != '=' && c != '\t';
    if (bare)
        return std::string(value);
    std::string quoted = "'";
    for (const char c : value) {
        if (c == '\\' || c == '\'')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '\'';
}

// The value of `keyword` in a connection text as the engine writes it (keyword='value').
std::string partOf(std::string_view text, std::string_view keyword)
{
    const std::string start = std::string(keyword) + "='";
    std::size_t at = 0;
    while ((at = text.find(start, at)) != std::string_view::npos) {
        if (at == 0 || text[at - 1] == ' ')
            break;
        ++at;
    }
    if (at == std::string_view::npos)
        return {};
    std::string value;
    for (std::size_t i = at + start.size(); i < text.size() && text[i] != '\''; ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        value += text[i];
    }
    return value;
}

} // namespace

DatabaseSettings DatabaseSettings::read(const std::filesystem::path &folder)
{
    const IniFile ini = IniFile::load(iniPath(folder));
    DatabaseSettings settings
        = fromConnectionText(ini.value(kSection, "Verbindung").value_or(std::string()));
    if (lower(ini.value(kSection, "Engine").value_or("SQLite")) == "postgresql")
        settings.kind = Kind::Server;
    return settings;
}

bool DatabaseSettings::write(const std::filesystem::path &folder) const
{
    IniFile ini = IniFile::load(iniPath(folder));
    ini.setAll(kSection,
               {{"Engine", kind == Kind::Server ? "PostgreSQL" : "SQLite"},
                {"Verbindung", connectionText()}});
    return ini.save(iniPath(folder));
}

std::string DatabaseSettings::connectionText() const
{
    const std::pair<std::string_view, const std::string *> parts[] = {
        {"host", &host},
        {"port", &port},
        {"dbname", &database},
        {"user", &user},
        {"sslmode", &sslmode},
    };
    std::string text;
    for (const auto &[keyword, value] : parts) {
        if (value->empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += std::string(keyword) + '=' + connectionValue(*value);
    }
    return text;
}

DatabaseSettings DatabaseSettings::fromConnectionText(std::string_view text)
{
    DatabaseSettings settings;
    std::string problem;
    // The engine's own reading drops a password and fills in the ssl mode.
    const std::string read = PostgresEngine::connectionString(text, problem);
    if (read.empty())
        return settings;
    settings.host = partOf(read, "host");
    settings.port = partOf(read, "port");
    settings.database = partOf(read, "dbname");
    settings.user = partOf(read, "user");
    settings.sslmode = partOf(read, "sslmode");
    return settings;
}

std::string unreachableText(Engine::Reach reach)
{
    switch (reach) {
    case Engine::Reach::NoServer:
        return "Der Datenbankserver antwortet nicht. Läuft er, und stimmen Server und Port?";
    case Engine::Reach::UnknownDatabase:
        return "Die Datenbank gibt es auf dem Server nicht. Stimmt ihr Name?";
    case Engine::Reach::WrongPassword:
        return "Der Datenbankserver hat die Anmeldung abgelehnt: Benutzer oder Kennwort "
               "stimmen nicht.";
    case Engine::Reach::NeedsPassword:
        return "Der Datenbankserver verlangt ein Kennwort für den Benutzer.";
    case Engine::Reach::Ok:
    case Engine::Reach::Other:
        break;
    }
    return "Die Verbindung zur Datenbank ist fehlgeschlagen.";
}

std::string withoutSecret(std::string text, const std::string &secret)
{
    if (secret.empty())
        return text;
    for (std::size_t at = text.find(secret); at != std::string::npos;
         at = text.find(secret, at + 3))
        text.replace(at, secret.size(), "***");
    return text;
}

ConnectionCheck checkConnection(const DatabaseSettings &settings, const std::string &password)
{
    if (settings.kind == DatabaseSettings::Kind::Folder)
        return {Engine::Reach::Ok, "Die Daten liegen im Arbeitsordner."};
    DataLocation location = dataLocationFor(settings.connectionText());
    if (location.kind != DataLocation::Kind::Server) {
        return {
            Engine::Reach::Other,
            withoutSecret("Die Angaben ergeben keine lesbare Verbindung.\n\n" + location.problem,
                          password)};
    }
    location.password = password;
    // A try waits a few seconds for a server that does not answer, not the system's minutes.
    location.server += " connect_timeout='5'";
    const auto engine = makeEngine(location);
    const Engine::Reach reach = engine->reach();
    if (reach == Engine::Reach::Ok)
        return {reach, "Verbindung hergestellt: Server und Datenbank antworten."};
    return {
        reach,
        withoutSecret(unreachableText(reach) + "\n\n" + engine->status().engineMessage, password)};
}
