#pragma once

#include "store/engine.h"

#include <filesystem>
#include <string>
#include <string_view>

// Where the program looks for its data, as a shop sets it up: the working folder (the embedded
// engine) or a database server. Kept in the settings file's "Datenbank" section as
// "Engine=SQLite|PostgreSQL" and "Verbindung=host=… port=… dbname=… user=… sslmode=…" — a
// password never, whatever a caller hands in.
struct DatabaseSettings
{
    enum class Kind { Folder, Server };

    Kind kind = Kind::Folder;
    std::string host{};
    std::string port{};
    std::string database{};
    std::string user{};
    std::string sslmode = "prefer";

    // The section of the settings file in `folder`; a connection text it cannot read leaves
    // the server's parts empty.
    static DatabaseSettings read(const std::filesystem::path &folder);
    // Writes the section, keeping every other line of the file. false when it cannot be
    // written.
    bool write(const std::filesystem::path &folder) const;

    // The connection text of the server's parts, without a password; empty parts left out.
    std::string connectionText() const;
    // The parts a connection text names (anything else in it is dropped).
    static DatabaseSettings fromConnectionText(std::string_view text);
};

// What a try of the settings' server found: whether it answered and let the user in, and if
// not, in German, which of the usual causes it was, with the server's own words.
struct ConnectionCheck
{
    Engine::Reach reach = Engine::Reach::Ok;
    std::string text;
};

// Tries a connection with the settings (and a password that is used for this try only and
// appears in no text). A folder is always reached.
ConnectionCheck checkConnection(const DatabaseSettings &settings, const std::string &password);

// The German sentence for a reach that failed.
std::string unreachableText(Engine::Reach reach);

// `text` with every occurrence of `secret` blotted out, for texts that leave the program.
std::string withoutSecret(std::string text, const std::string &secret);
