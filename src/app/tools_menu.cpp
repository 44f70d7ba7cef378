#include "app/tools_menu.h"

namespace folverin {

TToolsMenu ReadToolsMenu(const TSettingsOutcome& outcome) {
  TToolsMenu menu;
  if (!outcome.ToolsFilePresent) return menu;
  menu.Entries = ReadToolsFile(outcome.ToolsFile);
  menu.Visible = !menu.Entries.empty();
  return menu;
}

std::optional<AnsiString> ToolStartCommand(std::string_view appFolder, const TToolEntry& entry) {
  if (entry.Program.empty()) return std::nullopt;
  return ToolCommand(appFolder, entry.Program);
}

}  // namespace folverin
