// The "&Tools" menu of the main window: the entries it offers, whether it
// shows at all, and what choosing an entry starts. The window builds the
// items from this and starts the command; the rules live here.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "app/app_settings.h"
#include "app/tools_file.h"

namespace folverin {

struct TToolsMenu {
  // One per line of the Tools file, in file order; entry i is the menu item
  // with the tag i.
  std::vector<TToolEntry> Entries;
  bool Visible = false;
};

// The menu that start-up builds once from what the settings reading found:
// the entries of the Tools file when the reading got that far and the file
// exists. The menu shows when it has entries (as designed it would stay
// hidden with its entries out of reach, but a collection that ships tools
// wants them offered); without the file, or with a file whose first line is
// empty, it stays hidden.
TToolsMenu ReadToolsMenu(const TSettingsOutcome& outcome);

// What choosing an entry starts: the program file of the entry's program in
// its own folder of PLUGIN32. Nothing for a line without a program, whose
// command would name the folder PLUGIN32 itself.
std::optional<AnsiString> ToolStartCommand(std::string_view appFolder, const TToolEntry& entry);

}  // namespace folverin
