#include "store/inifile.h"
#include "store/inimanager.h"
#include "support/pythonini.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

void writeFile(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The manager on a settings file of its own in a fresh folder, which holds `text` at start.
struct FreshIni : IniManager
{
    explicit FreshIni(const std::string &text = {})
    {
        if (!text.empty())
            writeFile(file(), text);
        Init(file().string());
    }
    fs::path file() const { return dir.path() / "morva.INI"; }

    TempFolder dir;
};

// Records what is done to it, so that a test can see the order of the steps.
struct FakeWindow : IniWindow
{
    bool maximized = false;
    bool minimized = false;
    bool resizable = true;
    int posX = 0, posY = 0, sizeW = 0, sizeH = 0;
    std::vector<std::string> log;

    bool isMaximized() const override { return maximized; }
    bool isMinimized() const override { return minimized; }
    bool isResizable() const override { return resizable; }
    int x() const override { return posX; }
    int y() const override { return posY; }
    int width() const override { return sizeW; }
    int height() const override { return sizeH; }
    void setMaximized(bool on) override
    {
        maximized = on;
        log.push_back(on ? "maximize" : "normal");
    }
    void setPosition(int x, int y) override
    {
        posX = x;
        posY = y;
        log.push_back("position " + std::to_string(x) + "," + std::to_string(y));
    }
    void setSize(int w, int h) override
    {
        sizeW = w;
        sizeH = h;
        log.push_back("size " + std::to_string(w) + "x" + std::to_string(h));
    }
};

FakeWindow placed(int x, int y, int width, int height)
{
    FakeWindow window;
    window.posX = x;
    window.posY = y;
    window.sizeW = width;
    window.sizeH = height;
    return window;
}

struct Row
{
    std::string a, b, c;
    bool operator==(const Row &) const = default;
};

TEST(IniManager, FirstRunLoadsNothingAndWritesZeroSectorsAtRelease)
{
    FreshIni ini;
    EXPECT_TRUE(ini.sectors().empty());
    EXPECT_FALSE(fs::exists(ini.file()));

    FakeWindow preview;
    preview.posX = 5;
    ini.FetchWindow("_PreviewWindow_", preview);
    EXPECT_TRUE(preview.log.empty());
    EXPECT_EQ(ini.Fetch("_PreviewWindow_", "XPos"), "");
    EXPECT_FALSE(fs::exists(ini.file())); // reading does not create the file

    ini.Release();
    EXPECT_EQ(readFile(ini.file()), "[__Dont_Touch_Me__]\nSectors=0\n");
}

TEST(IniManager, MaximisedWindowStoresOnlyMaximizeAndReturnsToItsOlderPlace)
{
    FreshIni ini;

    ini.UpdateWindow("_PreviewWindow_", placed(30, 40, 800, 600));
    FakeWindow maximized = placed(0, 0, 1920, 1080);
    maximized.maximized = true;
    ini.UpdateWindow("_PreviewWindow_", maximized);
    EXPECT_EQ(readFile(ini.file()),
              "[_PreviewWindow_]\nMaximize=Yes\nXPos=30\nYPos=40\nHeight=600\nWidth=800\n");

    ini.UpdateWindow("_PreviewAskPagesWindow_", maximized);
    EXPECT_EQ(ini.Fetch("_PreviewAskPagesWindow_", "Maximize"), "Yes");
    EXPECT_EQ(ini.Fetch("_PreviewAskPagesWindow_", "XPos"), "");
    EXPECT_EQ(ini.Fetch("_PreviewAskPagesWindow_", "Width"), "");

    // Next run: the normal place is set first, so that restoring the window returns there.
    FakeWindow next;
    ini.FetchWindow("_PreviewWindow_", next);
    EXPECT_EQ(next.log, (std::vector<std::string>{"position 30,40", "size 800x600", "maximize"}));

    FakeWindow dialog;
    ini.FetchWindow("_PreviewAskPagesWindow_", dialog);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"maximize"});
}

TEST(IniManager, WindowStateFollowsTheStoredValues)
{
    struct Case
    {
        const char *name;
        const char *file;
        bool startMaximized;
        bool resizable;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"normal, resizable",
         "[W]\nMaximize=No\nXPos=10\nYPos=20\nWidth=300\nHeight=200\n",
         false,
         true,
         {"position 10,20", "size 300x200"}},
        {"normal, fixed size",
         "[W]\nMaximize=No\nXPos=10\nYPos=20\nWidth=300\nHeight=200\n",
         false,
         false,
         {"position 10,20"}},
        {"stored normal, open maximised",
         "[W]\nMaximize=No\nXPos=10\nYPos=20\nWidth=300\nHeight=200\n",
         true,
         true,
         {"normal", "position 10,20", "size 300x200"}},
        {"no position stored", "[W]\nMaximize=No\n", false, true, {}},
        {"neither Yes nor No", "[W]\nMaximize=vielleicht\nXPos=10\nYPos=20\n", false, true, {}},
        {"names in other case",
         "[w]\nmaximize=No\nxpos=7\nypos=8\n",
         false,
         false,
         {"position 7,8"}},
        {"not a number", "[W]\nMaximize=No\nXPos=links\n", false, false, {"position 0,0"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FreshIni ini(c.file);
        FakeWindow window;
        window.maximized = c.startMaximized;
        window.resizable = c.resizable;
        ini.FetchWindow("W", window);
        EXPECT_EQ(window.log, c.log);
    }
}

TEST(IniManager, WindowsThatStoreNothingOrNoSize)
{
    FreshIni ini;

    FakeWindow minimized;
    minimized.minimized = true;
    ini.UpdateWindow("_PreviewWindow_", minimized);
    EXPECT_FALSE(fs::exists(ini.file()));

    FakeWindow fixed = placed(-5, 12, 400, 0);
    fixed.resizable = false;
    ini.UpdateWindow("_PreviewAskPagesWindow_", fixed);
    EXPECT_EQ(readFile(ini.file()), "[_PreviewAskPagesWindow_]\nMaximize=No\nXPos=-5\nYPos=12\n");
}

TEST(IniManager, WritesReachTheFileAtOnceAndKeepWhatTheyDoNotChange)
{
    FreshIni ini("; written by hand\n"
                 "[Fremd]\n"
                 "Wert = 1\n"
                 "\n"
                 "[_PreviewWindow_]\n"
                 "Maximize=No\n"
                 "XPos=3\n"
                 "\n"
                 "[Noch eins]\n"
                 "x=y\n");
    ini.Update("_previewwindow_", "xpos", "99");
    ini.Update("_PreviewWindow_", "YPos", "4");
    ini.Update("Neu", "Schlüssel", "Größe");

    // Another reader sees the values without any release in between.
    IniManager other;
    other.Init(ini.file().string());
    EXPECT_EQ(other.Fetch("_PREVIEWWINDOW_", "XPOS"), "99");
    EXPECT_EQ(other.Fetch("neu", "schlüssel"), "Größe");
    EXPECT_EQ(other.Fetch("Fremd", "Wert"), "1");
    EXPECT_EQ(other.Fetch("Fremd", "Fehlt", "vorgabe"), "vorgabe");

    EXPECT_EQ(readFile(ini.file()),
              "; written by hand\n"
              "[Fremd]\n"
              "Wert = 1\n"
              "\n"
              "[_PreviewWindow_]\n"
              "Maximize=No\n"
              "XPos=99\n"
              "YPos=4\n"
              "\n"
              "[Noch eins]\n"
              "x=y\n"
              "\n"
              "[Neu]\n"
              "Schlüssel=Größe\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(ini.dir.path()), fs::directory_iterator()), 1);
}

// A save either puts the whole new text in the file's place or leaves everything as it was.
TEST(IniFile, ASaveThatCannotBeDoneLeavesEverythingAsItWas)
{
    TempFolder dir;
    const fs::path ini = dir.path() / "morva.INI";
    IniFile file;
    file.set("Liste", "Zeile", "neu");

    EXPECT_FALSE(file.save(dir.path() / "fehlt" / "morva.INI"));
    EXPECT_FALSE(fs::exists(dir.path() / "fehlt"));

    // A folder where the file should be is not replaced.
    fs::create_directory(ini);
    writeFile(ini / "darin", "alt");
    EXPECT_FALSE(file.save(ini));
    EXPECT_EQ(readFile(ini / "darin"), "alt");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);

    // Saved over, the file keeps the permissions its owner gave it.
    fs::remove_all(ini);
    writeFile(ini, "[Liste]\nZeile=alt\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(file.save(ini));
    EXPECT_EQ(readFile(ini), "[Liste]\nZeile=neu\n");
    EXPECT_EQ(fs::status(ini).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(IniManager, OnlyTheCountDecidesHowManyListEntriesAreRead)
{
    FreshIni ini;
    const std::vector<Row> three = {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    ini.SaveList("Liste", "Zeile", three, &Row::a, &Row::b, &Row::c);
    ini.SaveList("Liste", "Zeile", std::vector<Row>{{"x", "y", "z"}}, &Row::a, &Row::b, &Row::c);

    EXPECT_EQ(ini.Fetch("Liste", "Zeile"), "1");
    EXPECT_EQ(ini.Fetch("Liste", "Zeile_1"), "x,y,z");
    EXPECT_EQ(ini.Fetch("Liste", "Zeile_3"), "g,h,i"); // surplus stays in the file
    std::vector<Row> loaded;
    ini.LoadList("Liste", "Zeile", loaded, &Row::a, &Row::b, &Row::c);
    EXPECT_EQ(loaded, (std::vector<Row>{{"x", "y", "z"}}));

    // Loading appends; a row with fewer fields leaves the others alone.
    ini.LoadList("Liste", "Zeile", loaded, &Row::b);
    EXPECT_EQ(loaded, (std::vector<Row>{{"x", "y", "z"}, {"", "x", ""}}));
}

TEST(IniManager, NumberedValuesAreSplitAtCommas)
{
    struct Case
    {
        const char *count;
        std::vector<const char *> values; // entries L_1, L_2, ...; null: missing
        std::vector<Row> rows;
    };
    const Case cases[] = {
        {"1", {"a,b,c"}, {{"a", "b", "c"}}},
        {"1", {"a,b,c,d"}, {{"a", "b", "c"}}},
        {"1", {"a"}, {{"a", "", ""}}},
        {"1", {"a,,c"}, {{"a", "", "c"}}},
        {"1", {",,"}, {{"", "", ""}}},
        {"2", {"Müller, Hans,Köln", nullptr}, {{"Müller", " Hans", "Köln"}, {"", "", ""}}},
        {"drei", {"a,b,c"}, {}},
        {"---Unknown---", {"a,b,c"}, {}},
        {nullptr, {"a,b,c"}, {}},
        {"-2", {"a,b,c"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count ? c.count : "(missing)");
        FreshIni ini;
        ini.Update("S", "Andere", "1");
        if (c.count)
            ini.Update("S", "L", c.count);
        for (std::size_t n = 0; n < c.values.size(); ++n) {
            if (c.values[n])
                ini.Update("S", "L_" + std::to_string(n + 1), c.values[n]);
        }
        std::vector<Row> rows;
        ini.LoadList("S", "L", rows, &Row::a, &Row::b, &Row::c);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(IniManager, FieldsWithCommasComeBackSplitDifferently)
{
    FreshIni ini;
    ini.SaveList(
        "S", "L", std::vector<Row>{{"Satz, Druck", "Preview", "x"}}, &Row::a, &Row::b, &Row::c);
    std::vector<Row> rows;
    ini.LoadList("S", "L", rows, &Row::a, &Row::b, &Row::c);
    EXPECT_EQ(rows, (std::vector<Row>{{"Satz", " Druck", "Preview"}}));
}

TEST(IniManager, SectorsAreSplitFoundAndKeptAcrossRuns)
{
    struct Case
    {
        const char *key;
        Sector sector;
    };
    const Case cases[] = {
        {"Preview$Auftrag$$Window", {"Preview", "Auftrag", "Window"}},
        {"Preview$$$Window", {"Preview", "", "Window"}},
        {"Preview$A$B$$C$$D", {"Preview", "A$B", "C$$D"}},
        {"NurFamilie", {"NurFamilie", "", ""}},
        {"F$OhneTyp", {"F", "OhneTyp", ""}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        FreshIni ini;
        ini.AddSector(c.key);
        ASSERT_EQ(ini.sectors().size(), 1u);
        EXPECT_EQ(ini.sectors()[0], c.sector);
    }
    EXPECT_EQ(IniManager::SectorKey("Preview", "Auftrag", "Window"), "Preview$Auftrag$$Window");

    TempFolder dir;
    const std::string file = (dir.path() / "morva.INI").string();
    {
        IniManager ini;
        ini.Init(file);
        ini.AddSector(IniManager::SectorKey("Preview", "Auftrag", "Window"));
        ini.AddSector(IniManager::SectorKey("Preview", "Kunde", "Window"));
        ini.AddSector(IniManager::SectorKey("Preview", "Auftrag", "Window"));
        ini.AddSector(IniManager::SectorKey("Liste", "Kunde", "Query"));
        ini.AddSector(IniManager::SectorKey(std::string(120, 'f'), "i", "t"));
        EXPECT_EQ(ini.sectors().size(), 4u);
        EXPECT_EQ(ini.sectors()[3].family, std::string(100, 'f'));
        ini.Release();
    }
    IniManager ini;
    ini.Init(file);
    EXPECT_EQ(ini.Fetch("__Dont_Touch_Me__", "Sectors"), "4");
    EXPECT_EQ(ini.Fetch("__Dont_Touch_Me__", "Sectors_2"), "Preview,Kunde,Window");
    ASSERT_EQ(ini.sectors().size(), 4u);

    std::vector<Sector> found{{"alt", "", ""}};
    ini.FindSectors("Preview", "", "", found);
    EXPECT_EQ(
        found,
        (std::vector<Sector>{{"Preview", "Auftrag", "Window"}, {"Preview", "Kunde", "Window"}}));
    ini.FindSectors("", "Kunde", "", found);
    EXPECT_EQ(found,
              (std::vector<Sector>{{"Preview", "Kunde", "Window"}, {"Liste", "Kunde", "Query"}}));
    ini.FindSectors("Liste", "Kunde", "Window", found);
    EXPECT_TRUE(found.empty());
    ini.FindSectors("", "", "", found);
    EXPECT_EQ(found, ini.sectors());
}

TEST(IniManager, AStandardIniParserReadsTheFile)
{
    FreshIni ini;
    ini.UpdateWindow("_PreviewWindow_", placed(12, 34, 640, 480));
    ini.AddSector(IniManager::SectorKey("Preview", "Aufträge", "Window"));
    ini.Update(IniManager::SectorKey("Preview", "Aufträge", "Window"), "Zoom", "100%");
    ini.Release();
    EXPECT_EQ(parsedByPython(ini.file(),
                             "for s in p.sections():\n"
                             "    for k, v in p.items(s):\n"
                             "        print(f'{s}|{k}|{v}')\n"),
              "_PreviewWindow_|Maximize|No\n"
              "_PreviewWindow_|XPos|12\n"
              "_PreviewWindow_|YPos|34\n"
              "_PreviewWindow_|Height|480\n"
              "_PreviewWindow_|Width|640\n"
              "Preview$Aufträge$$Window|Zoom|100%\n"
              "__Dont_Touch_Me__|Sectors|1\n"
              "__Dont_Touch_Me__|Sectors_1|Preview,Aufträge,Window\n");
}

// Counts and lengths in the file are bounded: a count of 2^31 - 1 or 200,000 neither eats the
// memory at start nor stalls the exit; of a count beyond the bound only the rows that are
// there are taken, and a count within it keeps its meaning (missing rows read as empty).
TEST(IniManager, HugeCountsReadOnlyWhatIsThere)
{
    const struct
    {
        const char *count;
        std::size_t sectors;
    } rows[] = {{"2147483647", 2}, {"200000", 2}, {"1e300", 2}, {"3", 3}, {"-5", 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.count);
        FreshIni ini(std::string("[__Dont_Touch_Me__]\nSectors=") + row.count
                     + "\nSectors_1=Preview,Kunde,Window\nSectors_3=Liste,Auftrag,Window\n");
        std::vector<Sector> found;
        ini.FindSectors("", "", "", found);
        EXPECT_EQ(found.size(), row.sectors);
        ini.Release();
        EXPECT_EQ(ini.Fetch("__Dont_Touch_Me__", "Sectors"), std::to_string(row.sectors));
    }
}

TEST(IniManager, ALongListIsSavedInOneGoAndStaysReadable)
{
    FreshIni ini;
    std::vector<Row> many;
    for (int n = 0; n < 200000; ++n)
        many.push_back({"a" + std::to_string(n), "b", "c"});
    ini.SaveList("Liste", "Zeile", many, &Row::a, &Row::b, &Row::c);
    EXPECT_EQ(ini.Fetch("Liste", "Zeile"), "200000");
    EXPECT_EQ(ini.Fetch("Liste", "Zeile_200000"), "a199999,b,c");
    // Read back, a list that long is damage: only the bound is taken.
    std::vector<Row> loaded;
    ini.LoadList("Liste", "Zeile", loaded, &Row::a, &Row::b, &Row::c);
    ASSERT_EQ(loaded.size(), 1000u);
    EXPECT_EQ(loaded.back(), (Row{"a999", "b", "c"}));

    EXPECT_EQ(parsedByPython(ini.file(), "print(len(p['Liste']), p['Liste']['Zeile_200000'])\n"),
              "200001 a199999,b,c\n");
}

} // namespace
