#include "store/inifile.h"

#include "base/text.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <fstream>

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
    std::ifstream in(path, std::ios::binary);
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

void IniFile::set(std::string_view section, std::string_view entry, std::string_view value)
{
    Line line;
    line.kind = Line::Entry;
    line.name = trim(entry);
    line.value = trim(oneLine(value));

    auto found = findSection(section);
    if (found == m_lines.end()) {
        if (!m_lines.empty() && !trim(m_lines.back().raw).empty())
            m_lines.push_back(Line{});
        Line header;
        header.kind = Line::Section;
        header.name = trim(section);
        header.raw = "[" + header.name + "]";
        m_lines.push_back(std::move(header));
        line.raw = line.name + "=" + line.value;
        m_lines.push_back(std::move(line));
        return;
    }

    auto it = m_lines.begin() + (found - m_lines.cbegin());
    auto insertAt = it + 1; // after the last line of the section that is not blank
    for (++it; it != m_lines.end() && it->kind != Line::Section; ++it) {
        if (it->kind == Line::Entry && sameName(it->name, entry)) {
            // The file's own spelling of the name stays.
            it->value = line.value;
            it->raw = it->name + "=" + it->value;
            return;
        }
        if (!trim(it->raw).empty())
            insertAt = it + 1;
    }
    line.raw = line.name + "=" + line.value;
    m_lines.insert(insertAt, std::move(line));
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
