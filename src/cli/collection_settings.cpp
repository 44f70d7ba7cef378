#include "cli/collection_settings.h"

#include <climits>
#include <cstdlib>

#include "common/file_system.h"
#include "common/private_temp_dir.h"
#include "common/temp_dir.h"
#include "common/windows1252.h"

namespace folverin::cli {

std::optional<AnsiString> CollectionFolder(const std::string& utf8Dir) {
  auto folder = Utf8ToAnsiExact(utf8Dir);
  if (!folder) return std::nullopt;
  if (folder->empty() || folder->back() != kPathDelim) *folder += kPathDelim;
  return folder;
}

TSettingsResult ReadCollectionSettings(const AnsiString& folder, bool forMenus) {
  TSettingsEnvironment environment;
  environment.TestMenuFiles = forMenus;
  environment.ProgramFile = folder + "folverin";
  // Listed as the viewer would use it; nothing is made here.
  environment.TempDir = PlannedPrivateTempDir(std::getenv("XDG_RUNTIME_DIR"), GetTempDir());
  // No window here: a screen that no window fills leaves the size alone.
  environment.ScreenWidth = INT_MAX;
  environment.ScreenHeight = INT_MAX;
  return ReadAppSettings(environment);
}

}  // namespace folverin::cli
