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

TSettingsResult ReadCollectionSettings(const AnsiString& folder);

}  // namespace folverin::cli
