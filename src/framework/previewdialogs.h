#pragma once

#include <optional>
#include <string>

class IniManager;

// The small windows the print preview asks its questions in. Each opens without blocking and
// suspends only the preview's procedure until it is answered.

// "Gehe zu einer Berichts-Seite": the page to go to, or nothing when the user cancels.
std::optional<int> askGoToPage(int currentPage, int pageCount);

// "Change the Report Display": pages across and down. OK is refused while the grid would
// hold more pages than the report has. False when the window was closed without OK.
bool askReportDisplay(int &across, int &down, int pageCount);

// "Seitenauswahl für Druck": edits the page list `pages`; false when the user cancels, and
// the list is then as it was. The window's place is kept in the settings file.
bool askPagesToPrint(std::string &pages, int pageCount, IniManager &ini);

inline constexpr const char *PreviewAskPagesSection = "_PreviewAskPagesWindow_";
