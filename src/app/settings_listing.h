// The settings record as name/value lines, in the order of its fields: what
// `folverin-cli settings` prints.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/app_settings.h"

namespace folverin {

// Texts as they are, switches as YES or NO, numbers in decimal, the host UI
// options as flag names joined by "+" (or nothing).
std::vector<std::pair<std::string, AnsiString>> ListSettings(const TAppSettings& settings);

AnsiString HostUIOptionsText(unsigned options);

}  // namespace folverin
