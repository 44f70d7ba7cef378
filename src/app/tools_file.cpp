#include "app/tools_file.h"

#include "common/file_system.h"
#include "common/line_ends.h"
#include "common/profile_reader.h"

namespace folverin {

TToolEntry SplitToolLine(std::string_view line) {
  TToolEntry entry;
  const size_t first = line.find('|');
  if (first == std::string_view::npos) {
    entry.Caption = AnsiString(line);
    return entry;
  }
  entry.Program = AnsiString(line.substr(0, first));
  const std::string_view rest = line.substr(first + 1);
  const size_t second = rest.find('|');
  if (second == std::string_view::npos) {
    entry.Caption = AnsiString(rest);
    return entry;
  }
  entry.Caption = AnsiString(rest.substr(0, second));
  entry.Options = UpperCase(rest.substr(second + 1));
  return entry;
}

std::vector<TToolEntry> ParseToolsFile(std::string_view bytes) {
  std::vector<TToolEntry> entries;
  // Files written on Windows end their lines in CR LF, old Mac ones in CR.
  for (const std::string_view piece : SplitLines(bytes)) {
    const AnsiString line = Trim(piece);
    if (line.empty()) break;
    entries.push_back(SplitToolLine(line));
  }
  return entries;
}

std::vector<TToolEntry> ReadToolsFile(std::string_view ansiPath) {
  const std::optional<std::string> bytes = ReadWholeFile(ansiPath);
  if (!bytes) return {};
  return ParseToolsFile(SettingsFileText(*bytes));
}

AnsiString ToolCommand(std::string_view appFolder, std::string_view program) {
  const AnsiString name = ToNativeSeparators(program);
  return AnsiString(appFolder) + "PLUGIN32" + kPathDelim + name + kPathDelim + name;
}

}  // namespace folverin
