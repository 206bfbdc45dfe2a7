#include "store/inimanager.h"

#include "base/text.h"
#include "store/inifile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace {

constexpr std::string_view kSectorSection = "__Dont_Touch_Me__";
constexpr std::string_view kSectorEntry = "Sectors";
// A count that is missing reads as this, which is not a number and so counts as none.
constexpr std::string_view kUnknown = "---Unknown---";
constexpr std::size_t kSectorFieldChars = 100;
// A numbered list longer than this is damage, not anything a user arranged (a few dozen
// windows keep their state): the rest is not read, and so is not written back either.
constexpr int kMaxListRows = 1000;

// Numbers in the file are read as the runtime reads a text as a number: anything that is not
// one counts as 0.
int toNumber(std::string_view text)
{
    text = rt::trimmed(text);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return 0;
    if (value >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

Sector cutSector(Sector sector)
{
    sector.family = rt::leftChars(sector.family, kSectorFieldChars);
    sector.item = rt::leftChars(sector.item, kSectorFieldChars);
    sector.type = rt::leftChars(sector.type, kSectorFieldChars);
    return sector;
}

} // namespace

void IniManager::Init(std::string_view fileName)
{
    m_fileName = std::string(fileName);
    m_sectors.clear();
    OnInit();
    LoadList(
        kSectorSection, kSectorEntry, m_sectors, &Sector::family, &Sector::item, &Sector::type);
    for (Sector &sector : m_sectors)
        sector = cutSector(std::move(sector));
}

void IniManager::Release()
{
    OnRelease();
    SaveList(
        kSectorSection, kSectorEntry, m_sectors, &Sector::family, &Sector::item, &Sector::type);
    m_sectors.clear();
}

std::string IniManager::Fetch(std::string_view section,
                              std::string_view entry,
                              std::string_view defaultValue) const
{
    return IniFile::load(m_fileName).value(section, entry).value_or(std::string(defaultValue));
}

void IniManager::Update(std::string_view section, std::string_view entry, std::string_view value)
{
    updateAll(section, {{std::string(entry), std::string(value)}});
}

void IniManager::updateAll(std::string_view section, const std::vector<Assignment> &entries)
{
    // The settings functions report no errors: a file that cannot be written keeps its old
    // state, and the next write tries again.
    IniFile file = IniFile::load(m_fileName);
    file.setAll(section, entries);
    file.save(m_fileName);
}

void IniManager::UpdateWindow(std::string_view section, const IniWindow &window)
{
    if (window.isMinimized())
        return;
    // A maximised window leaves its normal place from an earlier run where it is, so that it
    // returns there when the user restores it.
    std::vector<Assignment> entries{{"Maximize", window.isMaximized() ? "Yes" : "No"}};
    if (!window.isMaximized()) {
        entries.emplace_back("XPos", std::to_string(window.x()));
        entries.emplace_back("YPos", std::to_string(window.y()));
        if (window.isResizable()) {
            entries.emplace_back("Height", std::to_string(window.height()));
            entries.emplace_back("Width", std::to_string(window.width()));
        }
    }
    updateAll(section, entries);
}

void IniManager::FetchWindow(std::string_view section, IniWindow &window) const
{
    const IniFile file = IniFile::load(m_fileName);
    const auto read = [&](std::string_view entry) {
        return file.value(section, entry).value_or(std::string());
    };
    const std::string maximize = read("Maximize");
    if (maximize != "Yes" && maximize != "No")
        return;
    const bool maximized = maximize == "Yes";
    if (!maximized && window.isMaximized())
        window.setMaximized(false);
    if (!read("XPos").empty()) {
        window.setPosition(toNumber(read("XPos")), toNumber(read("YPos")));
        if (window.isResizable())
            window.setSize(toNumber(read("Width")), toNumber(read("Height")));
    }
    if (window.isMaximized() != maximized)
        window.setMaximized(maximized);
}

std::string
IniManager::SectorKey(std::string_view family, std::string_view item, std::string_view type)
{
    std::string key(family);
    key += '$';
    key += item;
    key += "$$";
    key += type;
    return key;
}

void IniManager::AddSector(std::string_view key)
{
    Sector sector;
    const std::size_t first = key.find('$');
    if (first == std::string_view::npos) {
        sector.family = key;
    } else {
        sector.family = key.substr(0, first);
        const std::size_t second = key.find("$$", first + 1);
        if (second == std::string_view::npos) {
            sector.item = key.substr(first + 1);
        } else {
            sector.item = key.substr(first + 1, second - first - 1);
            sector.type = key.substr(second + 2);
        }
    }
    sector = cutSector(std::move(sector));
    if (std::find(m_sectors.begin(), m_sectors.end(), sector) == m_sectors.end())
        m_sectors.push_back(std::move(sector));
}

void IniManager::FindSectors(std::string_view family,
                             std::string_view item,
                             std::string_view type,
                             std::vector<Sector> &found) const
{
    const auto matches = [](std::string_view wanted, const std::string &field) {
        return wanted.empty() || wanted == field;
    };
    found.clear();
    for (const Sector &sector : m_sectors) {
        if (matches(family, sector.family) && matches(item, sector.item)
            && matches(type, sector.type))
            found.push_back(sector);
    }
}

std::vector<IniManager::ListRow> IniManager::readList(std::string_view section,
                                                      std::string_view entry) const
{
    const IniFile file = IniFile::load(m_fileName);
    const std::unordered_map<std::string, std::string> values = file.values(section);
    const auto counted = values.find(IniFile::nameKey(entry));
    const int count = toNumber(counted == values.end() ? kUnknown : counted->second);
    // A count beyond the bound is not believed: of its rows only those that are there count.
    const bool believed = count <= kMaxListRows;
    const std::string prefix = IniFile::nameKey(entry) + "_";
    std::vector<ListRow> rows;
    for (int n = 1; n <= std::min(count, kMaxListRows); ++n) {
        const auto found = values.find(prefix + std::to_string(n));
        if (found == values.end() && !believed)
            continue;
        const std::string value = found == values.end() ? std::string() : found->second;
        ListRow row;
        std::size_t start = 0;
        for (std::string &field : row) {
            if (start > value.size())
                break;
            const std::size_t comma = value.find(',', start);
            const std::size_t end = comma == std::string::npos ? value.size() : comma;
            field = value.substr(start, end - start);
            start = comma == std::string::npos ? value.size() + 1 : comma + 1;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void IniManager::writeList(std::string_view section,
                           std::string_view entry,
                           const std::vector<ListRow> &rows,
                           int fields)
{
    std::vector<Assignment> entries{{std::string(entry), std::to_string(rows.size())}};
    for (std::size_t n = 0; n < rows.size(); ++n) {
        std::string value;
        for (std::size_t i = 0; i < static_cast<std::size_t>(fields); ++i) {
            if (i > 0)
                value += ',';
            value += rows[n][i];
        }
        entries.emplace_back(std::string(entry) + "_" + std::to_string(n + 1), value);
    }
    updateAll(section, entries);
}
