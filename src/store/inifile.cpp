#include "store/inifile.h"

#include "base/text.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string_view trim(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return rt::upperUtf8(trim(a)) == rt::upperUtf8(trim(b));
}

// A line break inside a value would end the entry and start a stray line.
std::string oneLine(std::string_view value)
{
    std::string out(value);
    for (char &c : out) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return out;
}

} // namespace

IniFile IniFile::load(const std::filesystem::path &path)
{
    IniFile file;
    std::ifstream stream(path, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string head(
        error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxBytes)), '\0');
    stream.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(stream.gcount()));
    std::istringstream in(head);
    std::string text;
    bool inSection = false; // entries before the first section belong to none
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        Line line;
        line.raw = text;
        const std::string_view content = trim(text);
        if (content.starts_with('[')) {
            const std::size_t close = content.find(']');
            if (close != std::string_view::npos) {
                line.kind = Line::Section;
                line.name = trim(content.substr(1, close - 1));
                inSection = true;
            }
        } else if (!content.starts_with(';') && !content.starts_with('#')) {
            const std::size_t equals = content.find('=');
            if (equals != std::string_view::npos && inSection) {
                line.kind = Line::Entry;
                line.name = trim(content.substr(0, equals));
                line.value = trim(content.substr(equals + 1));
            }
        }
        file.m_lines.push_back(std::move(line));
    }
    return file;
}

std::vector<IniFile::Line>::const_iterator IniFile::findSection(std::string_view section) const
{
    return std::find_if(m_lines.begin(), m_lines.end(), [&](const Line &line) {
        return line.kind == Line::Section && sameName(line.name, section);
    });
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view entry) const
{
    auto it = findSection(section);
    if (it == m_lines.end())
        return std::nullopt;
    for (++it; it != m_lines.end() && it->kind != Line::Section; ++it) {
        if (it->kind == Line::Entry && sameName(it->name, entry))
            return it->value;
    }
    return std::nullopt;
}

std::unordered_map<std::string, std::string> IniFile::values(std::string_view section) const
{
    std::unordered_map<std::string, std::string> found;
    auto it = findSection(section);
    if (it == m_lines.end())
        return found;
    for (++it; it != m_lines.end() && it->kind != Line::Section; ++it) {
        if (it->kind == Line::Entry)
            found.emplace(nameKey(it->name), it->value);
    }
    return found;
}

std::string IniFile::nameKey(std::string_view name)
{
    return rt::upperUtf8(trim(name));
}

void IniFile::set(std::string_view section, std::string_view entry, std::string_view value)
{
    setAll(section, {{std::string(entry), std::string(value)}});
}

void IniFile::setAll(std::string_view section, const std::vector<Assignment> &entries)
{
    auto entryLine = [](const Assignment &assignment) {
        Line line;
        line.kind = Line::Entry;
        line.name = trim(assignment.first);
        line.value = trim(oneLine(assignment.second));
        line.raw = line.name + "=" + line.value;
        return line;
    };

    std::vector<Line> added;
    auto found = findSection(section);
    if (found == m_lines.end()) {
        if (!m_lines.empty() && !trim(m_lines.back().raw).empty())
            m_lines.push_back(Line{});
        Line header;
        header.kind = Line::Section;
        header.name = trim(section);
        header.raw = "[" + header.name + "]";
        m_lines.push_back(std::move(header));
        found = m_lines.end() - 1;
    }

    // The section's entries by name: each assignment finds its line at once, so that
    // writing a list of n entries takes time in proportion to n, not n².
    const std::size_t first = static_cast<std::size_t>(found - m_lines.cbegin()) + 1;
    std::size_t insertAt = first; // after the last line of the section that is not blank
    std::unordered_map<std::string, std::size_t> existing;
    std::size_t end = first;
    for (; end < m_lines.size() && m_lines[end].kind != Line::Section; ++end) {
        if (m_lines[end].kind == Line::Entry)
            existing.emplace(nameKey(m_lines[end].name), end);
        if (!trim(m_lines[end].raw).empty())
            insertAt = end + 1;
    }
    std::unordered_map<std::string, std::size_t> fresh; // into `added`
    for (const Assignment &assignment : entries) {
        Line line = entryLine(assignment);
        const std::string key = nameKey(line.name);
        if (const auto at = existing.find(key); at != existing.end()) {
            // The file's own spelling of the name stays.
            Line &old = m_lines[at->second];
            old.value = line.value;
            old.raw = old.name + "=" + old.value;
        } else if (const auto again = fresh.find(key); again != fresh.end()) {
            added[again->second] = std::move(line);
        } else {
            fresh.emplace(key, added.size());
            added.push_back(std::move(line));
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                   std::make_move_iterator(added.begin()),
                   std::make_move_iterator(added.end()));
}

std::string IniFile::text() const
{
    std::string out;
    for (const Line &line : m_lines) {
        out += line.raw;
        out += '\n';
    }
    return out;
}

bool IniFile::save(const std::filesystem::path &path) const
{
    // QSaveFile writes beside the target, syncs the data to the disk and only then puts it
    // in the target's place; a failure leaves the old file as it was.
    QSaveFile file(QFileInfo(path).filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string content = text();
    const auto size = static_cast<qint64>(content.size());
    if (file.write(content.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
