#include "menutree.h"

namespace {

MenuItem proc(std::string_view text,
              std::string_view status,
              std::string_view procedure,
              MenuIcon icon = MenuIcon::None)
{
    return MenuItem{text, status, MenuCommand::Procedure, procedure, icon, {}, false};
}

MenuItem command(std::string_view text,
                 std::string_view status,
                 MenuCommand cmd,
                 MenuIcon icon = MenuIcon::None)
{
    return MenuItem{text, status, cmd, {}, icon, {}, false};
}

MenuItem
submenu(std::string_view text, std::vector<MenuItem> children, std::string_view status = {})
{
    return MenuItem{
        text, status, MenuCommand::Procedure, {}, MenuIcon::None, std::move(children), true};
}

std::vector<Menu> buildTree()
{
    return {
        Menu{" ENDE  ",
             {},
             MenuIcon::Exit,
             {command(" Programm beenden !  ",
                      "Exit this application",
                      MenuCommand::Exit,
                      MenuIcon::Exit)}},
        Menu{" Drucker einstellen      ",
             {},
             MenuIcon::Printer,
             {command("Druckereinstellungen", "Setup printer", MenuCommand::PrinterSetup)}},
        Menu{"SICHERUNG   ",
             {},
             MenuIcon::None,
             {command(" Sicherung   ",
                      "Remove item to Windows Clipboard",
                      MenuCommand::CutToClipboard)}},
        Menu{" AUFTRAEGE                  ",
             {},
             MenuIcon::Writing,
             {
                 proc("Übersicht - KUNDEN -> Aufträge",
                      "Browse kunde",
                      "Browsekunde",
                      MenuIcon::Customer),
                 proc("Übersicht - alle Aufträge",
                      "Browse auftrag",
                      "Browseauftrag",
                      MenuIcon::Documents),
                 proc("Browse the kaldruck file", "Browse kaldruck", "Browsekaldruck"),
                 proc("Browse the anach file", "Browse anach", "Browseanach"),
                 proc("Browse the atran file", "Browse atran", "Browseatran"),
                 proc("Browse the aufpap file", "Browse aufpap", "Browseaufpap"),
                 proc("Browse the asatz file", "Browse asatz", "Browseasatz"),
             }},
        Menu{"  AUSDRUCKE                 ",
             "Report data",
             MenuIcon::Printer,
             {
                 proc("  Aufträge  detail. Druck   ", {}, "Brodrukunde", MenuIcon::Print),
                 submenu("Report the papier file",
                         {proc("Übersicht Papier-Daten",
                               "Print ordered by the PAP:Keypbez key",
                               "PrintPAP:Keypbez"),
                          proc("Übersicht Maschinen-Daten",
                               "Print ordered by the MAS:Keymbez key",
                               "PrintMAS:Keymbez")}),
                 submenu("Report Maschinenübersicht", {}),
                 submenu("Report the arbeit file",
                         {proc("Print by ARB:Keyabez key", {}, "PrintARB:Keyabez")}),
                 submenu("Übersicht Kalkulationen",
                         {proc("Print by KAD:Keyaufid key", {}, "PrintKAD:Keyaufid"),
                          proc("Print by KAD:Keyadid key", {}, "PrintKAD:Keyadid")}),
                 submenu("Übersicht Kunden",
                         {proc("Print by KUN:Keykname key", {}, "PrintKUN:Keykname"),
                          proc("Print by KUN:Keykort key", {}, "PrintKUN:Keykort"),
                          proc("Print by KUN:Keykplz key", {}, "PrintKUN:Keykplz")}),
                 submenu("Übersicht Aufträge",
                         {proc("Print by AUF:Keykuid key", {}, "PrintAUF:Keykuid"),
                          proc("Print by AUF:Keyfid key", {}, "DrucRECmax"),
                          proc("Print by AUF:Keyfname key", {}, "PrintAUF:Keyfname"),
                          proc("Print by AUF:Keyfnr key", {}, "PrintAUF:Keyfnr"),
                          proc("Print by AUF:Keyfaid key", {}, "PrintAUF:Keyfaid"),
                          proc("Print by AUF:Keystatus key", {}, "PrintAUF:Keystatus")}),
                 submenu("Report the anach file",
                         {proc("Print by ANA:Keydidauf key", {}, "PrintANA:Keydidauf"),
                          proc("Print by ANA:Keydaid key", {}, "PrintANA:Keydaid")}),
                 submenu("Report the atran file",
                         {proc("Print by ATR:Keytaid key", {}, "PrintATR:Keytaid"),
                          proc("Print by ATR:Keytid key", {}, "PrintATRTestdruck"),
                          proc("Print by ATR:Kaufid key", {}, "PrintATR:Kaufid"),
                          proc("Print by ATR:Keytbez key", {}, "PrintATR:Keytbez")}),
                 submenu("Report the aufpap file",
                         {proc("Print by APA:Keyapaid key", {}, "PrintAPA:Keyapaid"),
                          proc("Print by APA:Keyapid key", {}, "PrintAPA:Keyapid"),
                          proc("Print by APA:Kaufid key", {}, "PrintAPA:Kaufid")}),
                 submenu("Report the asatz file",
                         {proc("Print by ASA:Keyasaufid key", {}, "PrintASA:Keyasaufid"),
                          proc("Print by ASA:Keyasaid key", {}, "PrintASA:Keyasaid")}),
                 submenu("Report the satz file",
                         {proc("Print by SAT:Keysbez key", {}, "PrintSAT:Keysbez")}),
                 proc("Print by TRA:Keytaid key", {}, "PrintTRA:Keytaid"),
                 submenu("Report the text file",
                         {proc("Print by TEX:Keytxstat key", {}, "PrintTEX:Keytxstat"),
                          proc("Print by TEX:Keytxid key", {}, "PrintTEX:Keytxid")}),
             }},
        Menu{"STAMMDATEN                    ",
             {},
             MenuIcon::Settings,
             {
                 proc("MASCHINEN -Angaben  ", "Browse maschin", "Browsemaschin"),
                 proc("PAPIER -Angaben  ", "Browse papier", "Browsepapier"),
                 proc("SATZ- /VERARBEITG. -Kosten", "Browse satz", "Browsesatz"),
                 proc("weitere Arbeiten.-  je AUFTRAG   .", "Browse arbeit", "Browsearbeit"),
                 proc("TRANSPORT-  Kosten", "Browse transport", "Browsetransport"),
                 proc("LIEFERANTEN -Daten ", {}, "Bowselief"),
                 proc("TEXTE- Ang./Lief./Rech.", "Browse text", "Browsetext"),
             }},
        Menu{"&Window",
             "Create and Arrange windows",
             MenuIcon::None,
             {
                 command("T&ile", "Make all open windows visible", MenuCommand::Tile),
                 command("&Cascade", "Stack all open windows", MenuCommand::Cascade),
                 command("&Arrange Icons", "Align all window icons", MenuCommand::ArrangeIcons),
             }},
        Menu{"&Help",
             "Windows Help",
             MenuIcon::None,
             {
                 command(
                     "&Contents", "View the contents of the help file", MenuCommand::HelpContents),
                 command("&Search for Help On...",
                         "Search for help on a subject",
                         MenuCommand::HelpSearch),
                 command("&How to Use Help", "How to use Windows Help", MenuCommand::HelpHowTo),
             }},
    };
}

} // namespace

const std::vector<Menu> &mainMenuTree()
{
    static const std::vector<Menu> tree = buildTree();
    return tree;
}
