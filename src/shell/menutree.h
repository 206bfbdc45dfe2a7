#pragma once

#include <string_view>
#include <vector>

// The main frame's menu tree. Texts are the program's own, blanks included; the English ones
// are marked for the German translation, which the frame shows in their place. An item either
// starts a procedure on a new thread (by name) or runs one of the frame's own commands.
enum class MenuCommand {
    Procedure,     // start `procedure` on a new thread
    Exit,          // close the frame and so end the program
    PrinterSetup,  // the platform's printer set-up dialog
    DatabaseSetup, // where the data lives (takes effect at the next start)
    CopyData,      // copy the data to another place
    CutToClipboard,
    Tile,
    Cascade,
    ArrangeIcons,
    HelpContents,
    HelpSearch,
    HelpHowTo,
};

enum class MenuIcon { None, Exit, Printer, Writing, Customer, Documents, Print, Settings };

struct MenuItem
{
    std::string_view text;
    std::string_view status;
    MenuCommand command = MenuCommand::Procedure;
    std::string_view procedure; // for MenuCommand::Procedure
    MenuIcon icon = MenuIcon::None;
    std::vector<MenuItem> children; // non-empty (or `submenu`) makes this a submenu
    bool submenu = false;           // a submenu that may be empty
};

struct Menu
{
    std::string_view title;
    std::string_view status;
    MenuIcon icon = MenuIcon::None;
    std::vector<MenuItem> items;
};

const std::vector<Menu> &mainMenuTree();
