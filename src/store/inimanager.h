#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The part of a window whose state the settings file keeps. The GUI wraps its windows in it;
// the record store needs no window.
class IniWindow
{
public:
    virtual ~IniWindow() = default;

    virtual bool isMaximized() const = 0;
    virtual bool isMinimized() const = 0;
    virtual bool isResizable() const = 0;
    virtual int x() const = 0;
    virtual int y() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    // false returns a maximised window to its normal size and place.
    virtual void setMaximized(bool maximized) = 0;
    virtual void setPosition(int x, int y) = 0;
    virtual void setSize(int width, int height) = 0;
};

// A group of saved settings that another part owns; its key text is also the section under
// which the owner keeps the group's entries.
struct Sector
{
    std::string family;
    std::string item;
    std::string type;

    bool operator==(const Sector &) const = default;
};

// The settings file (morva.INI in the working directory): a plain sectioned file of
// name=value entries. Every read and write goes to the file at once; only the sector list is
// held in memory between Init and Release. Section and entry names are matched without
// regard to case; sections, entries and comments the program does not know are kept as they
// stand.
class IniManager
{
public:
    static constexpr std::string_view DefaultFileName = "morva.INI";

    IniManager() = default;
    virtual ~IniManager() = default;
    IniManager(const IniManager &) = delete;
    IniManager &operator=(const IniManager &) = delete;

    void Init(std::string_view fileName = DefaultFileName);
    void Release();

    // The entry's value, or `defaultValue` when the file, section or entry is missing.
    std::string Fetch(std::string_view section,
                      std::string_view entry,
                      std::string_view defaultValue = {}) const;
    void Update(std::string_view section, std::string_view entry, std::string_view value);

    void FetchWindow(std::string_view section, IniWindow &window) const;
    void UpdateWindow(std::string_view section, const IniWindow &window);

    static std::string
    SectorKey(std::string_view family, std::string_view item, std::string_view type);
    void AddSector(std::string_view key);
    // Every sector whose fields equal the non-empty arguments, in list order.
    void FindSectors(std::string_view family,
                     std::string_view item,
                     std::string_view type,
                     std::vector<Sector> &found) const;

    // A numbered list: the count under (section, entry), then one entry per row under
    // entry + "_" + n holding up to three fields joined with ",". Loading appends to `list`.
    template<class Row>
    void LoadList(std::string_view section,
                  std::string_view entry,
                  std::vector<Row> &list,
                  std::string Row::*first,
                  std::string Row::*second = nullptr,
                  std::string Row::*third = nullptr) const;
    template<class Row>
    void SaveList(std::string_view section,
                  std::string_view entry,
                  const std::vector<Row> &list,
                  std::string Row::*first,
                  std::string Row::*second = nullptr,
                  std::string Row::*third = nullptr);

    const std::string &fileName() const { return m_fileName; }
    const std::vector<Sector> &sectors() const { return m_sectors; }

protected:
    // Called by Init before the sectors are loaded, and by Release before they are saved.
    virtual void OnInit() {}
    virtual void OnRelease() {}

private:
    using ListRow = std::array<std::string, 3>;
    using Assignment = std::pair<std::string, std::string>;

    std::vector<ListRow> readList(std::string_view section, std::string_view entry) const;
    void writeList(std::string_view section,
                   std::string_view entry,
                   const std::vector<ListRow> &rows,
                   int fields);
    // Writes several entries of one section with one rewrite of the file.
    void updateAll(std::string_view section, const std::vector<Assignment> &entries);

    std::string m_fileName;
    std::vector<Sector> m_sectors;
};

template<class Row>
void IniManager::LoadList(std::string_view section,
                          std::string_view entry,
                          std::vector<Row> &list,
                          std::string Row::*first,
                          std::string Row::*second,
                          std::string Row::*third) const
{
    const std::array<std::string Row::*, 3> fields = {first, second, third};
    for (const ListRow &values : readList(section, entry)) {
        Row row{};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i])
                row.*fields[i] = values[i];
        }
        list.push_back(std::move(row));
    }
}

template<class Row>
void IniManager::SaveList(std::string_view section,
                          std::string_view entry,
                          const std::vector<Row> &list,
                          std::string Row::*first,
                          std::string Row::*second,
                          std::string Row::*third)
{
    const std::array<std::string Row::*, 3> fields = {first, second, third};
    int count = 0;
    while (count < 3 && fields[static_cast<std::size_t>(count)])
        ++count;
    std::vector<ListRow> rows;
    rows.reserve(list.size());
    for (const Row &row : list) {
        ListRow values;
        for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i)
            values[i] = row.*fields[i];
        rows.push_back(std::move(values));
    }
    writeList(section, entry, rows, count);
}
