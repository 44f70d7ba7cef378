// The settings of a collection folder as the viewer would read them when
// started with --collection DIR.
#pragma once

#include <optional>
#include <string>

#include "app/app_settings.h"

namespace folverin::cli {

// The folder as a program path (Windows-1252), or nothing when its name has
// no Windows-1252 form.
std::optional<AnsiString> CollectionFolder(const std::string& utf8Dir);

// `forMenus`: work out the menu items too (help, icon and tools files), as
// `settings` lists them; the other commands have no menus.
TSettingsResult ReadCollectionSettings(const AnsiString& folder, bool forMenus);

}  // namespace folverin::cli
