#include "browser/link_commands.h"

#include <sys/stat.h>

#include "common/file_system.h"
#include "common/file_url.h"
#include "common/long_path.h"
#include "common/path_parts.h"
#include "common/windows1252.h"

namespace folverin {

std::optional<AnsiString> LinkTargetPath(const TContextLink& element) {
  if (!element.Present || element.TagName != "A" || element.Href.empty()) return std::nullopt;
  return FileURLToPath(element.Href);
}

bool LinkCommandsEnabled(const TContextLink& element) {
  const std::optional<AnsiString> path = LinkTargetPath(element);
  return path && FileExists(*path);
}

AnsiString LinkTargetFolder(std::string_view targetPath) { return FolderOfPath(targetPath); }

// The folder came from the folder dialog, that is from the disk: it is
// looked for exactly as it was chosen.
AnsiString PreselectedTargetFolder(std::string_view lastTargetFolder) {
  std::string_view folder = lastTargetFolder;
  if (!folder.empty() && folder.back() == kPathDelim) folder.remove_suffix(1);
  struct stat info {};
  if (folder.empty() || !StatLongPath(AnsiToUtf8(folder), info) || !S_ISDIR(info.st_mode)) return {};
  return AnsiString(folder);
}

AnsiString ChosenTargetFolder(std::string_view folder) {
  AnsiString chosen(folder);
  if (chosen.empty() || chosen.back() != kPathDelim) chosen += kPathDelim;
  return chosen;
}

}  // namespace folverin
