#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The text of a sectioned settings file, line by line: "[section]" headers and "name=value"
// entries, with everything else (comments, blank lines, entries before the first section)
// kept verbatim so that a rewrite changes only what was set. Names match without regard to
// case; the first section and the first entry of a name count.
//
// A settings file holds a few kilobytes. Only its first kMaxBytes are read (what follows is
// damage, and is dropped by the next write), so that a huge file cannot eat the memory.
class IniFile
{
public:
    static constexpr std::size_t kMaxBytes = 16 << 20;

    // A missing or unreadable file reads as empty.
    static IniFile load(const std::filesystem::path &path);

    std::optional<std::string> value(std::string_view section, std::string_view entry) const;
    // Every entry of a section by its name in capitals (the first of a name), for reading
    // many at once.
    std::unordered_map<std::string, std::string> values(std::string_view section) const;
    static std::string nameKey(std::string_view name);

    // Replaces the entry's value in place, or adds the entry at the end of its section, or
    // the section at the end of the file.
    void set(std::string_view section, std::string_view entry, std::string_view value);
    // The same for many entries of one section, in one pass over the file.
    using Assignment = std::pair<std::string, std::string>;
    void setAll(std::string_view section, const std::vector<Assignment> &entries);

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
