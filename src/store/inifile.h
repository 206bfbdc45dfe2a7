#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a sectioned settings file, line by line: "[section]" headers and "name=value"
// entries, with everything else (comments, blank lines, entries before the first section)
// kept verbatim so that a rewrite changes only what was set. Names match without regard to
// case; the first section and the first entry of a name count.
class IniFile
{
public:
    // A missing or unreadable file reads as empty.
    static IniFile load(const std::filesystem::path &path);

    std::optional<std::string> value(std::string_view section, std::string_view entry) const;
    // Replaces the entry's value in place, or adds the entry at the end of its section, or
    // the section at the end of the file.
    void set(std::string_view section, std::string_view entry, std::string_view value);

    // Writes the whole text to a temporary file beside the target and renames it over the
    // target, so a reader sees the old file or the new one, never a part. false on failure.
    bool save(const std::filesystem::path &path) const;

    std::string text() const;

private:
    struct Line
    {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string raw;
        std::string name; // section or entry name, trimmed
        std::string value;
    };

    std::vector<Line>::const_iterator findSection(std::string_view section) const;

    std::vector<Line> m_lines;
};
